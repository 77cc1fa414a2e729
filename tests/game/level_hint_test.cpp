// The hint on tiny levels: the win it gives plays from the state it was asked about, a level with
// no way out says so, and the budget and the cancel stop it.
#include <gtest/gtest.h>

#include <atomic>

#include "game/level_hint.h"
#include "game/level_rules.h"
#include "game_fixture.h"

namespace {

constexpr int MAX_FRAMES = 10800;

// Plays `plan` from `s`, which has stepped `frame` frames, to a verdict.
Verdict PlayFrom(RulesLevel s, int frame, const std::vector<PlayerAction>& plan) {
  size_t next = 0;
  for (; frame < MAX_FRAMES; ++frame) {
    const size_t first = next;
    while (next < plan.size() && plan[next].frame <= frame) ++next;
    StepLevel(s, plan.data() + first, static_cast<int>(next - first));
    const Verdict v = SearchVerdict(s);
    if (v != PLAYING) return v;
  }
  return PLAYING;
}

class LevelHint : public GameTest {
 protected:
  // One walker waiting at column x of row 6, over the floor of row 7.
  RulesLevel Level(std::initializer_list<const char*> rows, int x, int d, int hard) {
    Map(rows);
    Add(x, 6, d, WS_WAIT);
    HatStock[HAT_HARD] = hard;
    RulesLevel s;
    EXPECT_TRUE(CaptureLevel(s));
    return s;
  }
};

const std::initializer_list<const char*> WALL_ROWS = {"", "", "", "", "", "", "......#..O....", "##############"};
const std::initializer_list<const char*> DROP_ROWS = {"", "", "", "", "", "", ".........O....", "..############"};

TEST_F(LevelHint, FromPartWayTheWinPlaysFromThereAndWaitsForTheLead) {
  // Facing the drop: one turn wins, but only once the walker has set off.
  RulesLevel s = Level(DROP_ROWS, 6, -1, 0);
  int frame = 0;
  for (; frame < 700; ++frame) StepLevel(s, nullptr, 0);  // walking left towards the drop
  ASSERT_EQ(s.walkers[0].anim, WS_WALK);
  HintBudget b;
  b.maxActions = 3;
  const Hint h = FindHint(s, frame, b);
  ASSERT_EQ(h.kind, HINT_WIN);
  ASSERT_EQ(h.plan.size(), 1u);
  EXPECT_EQ(h.plan[0].hat, 0);
  EXPECT_GE(h.plan[0].frame, frame + b.lead);
  EXPECT_EQ(PlayFrom(s, frame, h.plan), WON);
  EXPECT_EQ(PlayFrom(s, frame, {}), LOST);
}

TEST_F(LevelHint, AHatToGiveIsNamed) {
  const RulesLevel s = Level(WALL_ROWS, 2, 1, 1);
  HintBudget b;
  b.maxActions = 3;
  const Hint h = FindHint(s, 0, b);
  ASSERT_EQ(h.kind, HINT_WIN);
  ASSERT_EQ(h.plan.size(), 1u);
  EXPECT_EQ(h.plan[0].hat, HAT_HARD);
  EXPECT_EQ(PlayFrom(s, 0, h.plan), WON);
}

TEST_F(LevelHint, NoWayOutSaysSoAndALostLevelAtOnce) {
  const RulesLevel shut = Level(WALL_ROWS, 2, 1, 0);
  HintBudget b;
  b.maxActions = 4;
  EXPECT_EQ(FindHint(shut, 0, b).kind, HINT_NO_WIN);

  // The walker walks off the drop with nothing to stop it: play on to the splat.
  RulesLevel s = Level(DROP_ROWS, 6, -1, 0);
  int frame = 0;
  while (SearchVerdict(s) == PLAYING && frame < MAX_FRAMES) {
    StepLevel(s, nullptr, 0);
    ++frame;
  }
  ASSERT_EQ(SearchVerdict(s), LOST);
  const Hint lost = FindHint(s, frame, b);
  EXPECT_EQ(lost.kind, HINT_NO_WIN);
  EXPECT_EQ(lost.states, 0);
}

TEST_F(LevelHint, TheBudgetAndTheCancelGiveUp) {
  const RulesLevel shut = Level(WALL_ROWS, 2, 1, 0);
  HintBudget b;
  b.maxActions = 4;
  b.maxStates = 5;
  const Hint out = FindHint(shut, 0, b);
  EXPECT_EQ(out.kind, HINT_GAVE_UP);
  EXPECT_LE(out.states, 6 + b.maxActions);

  std::atomic<bool> cancel{true};
  HintBudget c;
  c.maxActions = 4;
  c.cancel = &cancel;
  EXPECT_EQ(FindHint(shut, 0, c).kind, HINT_GAVE_UP);
}

}  // namespace
