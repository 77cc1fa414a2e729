// The hint runner: the answer of the latest search only, none after a cancel, and a thread that
// stops and starts again.
#include <gtest/gtest.h>

#include "game/hint_runner.h"
#include "game/level_rules.h"
#include "game_fixture.h"

namespace {

class HintRunner : public GameTest {
 protected:
  void TearDown() override { StopHintRunner(); }

  // A walker waiting at column 2 facing right on the floor of row 7; a hole at column 9 and,
  // with `wall`, a wall at column 6 that only the Hard Hat opens.
  static RulesLevel Level(bool wall, int hard) {
    Map({"", "", "", "", "", "", wall ? "......#..O...." : ".........O....", "##############"});
    Add(2, 6, 1, WS_WAIT);
    HatStock[HAT_HARD] = hard;
    RulesLevel s;
    EXPECT_TRUE(CaptureLevel(s));
    return s;
  }
  static HintBudget Budget() {
    HintBudget b;
    b.maxActions = 3;
    return b;
  }
};

TEST_F(HintRunner, HandsOutTheAnswerOnceAndOnlyTheLatest) {
  const RulesLevel bang = Level(true, 1);
  const RulesLevel shut = Level(true, 0);
  StartHint(shut, 5, Budget());
  const int latest = StartHint(bang, 7, Budget());
  ASSERT_TRUE(WaitForHint());
  HintAnswer a;
  ASSERT_TRUE(TakeHint(a));
  EXPECT_EQ(a.ticket, latest);
  EXPECT_EQ(a.frame, 7);
  ASSERT_EQ(a.hint.kind, HINT_WIN);
  ASSERT_EQ(a.hint.plan.size(), 1u);
  EXPECT_EQ(a.hint.plan[0].hat, HAT_HARD);
  EXPECT_FALSE(TakeHint(a));
  EXPECT_FALSE(HintBusy());
}

TEST_F(HintRunner, ACancelledSearchAnswersNothing) {
  const RulesLevel shut = Level(true, 0);
  StartHint(shut, 0, Budget());
  CancelHint();
  EXPECT_FALSE(WaitForHint());
  HintAnswer a;
  EXPECT_FALSE(TakeHint(a));
  EXPECT_FALSE(HintBusy());
}

TEST_F(HintRunner, StopsAndStartsAgain) {
  const RulesLevel open = Level(false, 0);
  StartHint(open, 0, Budget());
  StopHintRunner();
  HintAnswer a;
  const int ticket = StartHint(open, 3, Budget());
  ASSERT_TRUE(WaitForHint());
  ASSERT_TRUE(TakeHint(a));
  EXPECT_EQ(a.ticket, ticket);
  EXPECT_EQ(a.hint.kind, HINT_WIN);
  EXPECT_TRUE(a.hint.plan.empty());  // it walks in by itself
}

}  // namespace
