// The engine test on the headless back end, with the fake clock staging machines of known speed:
// a present that costs more from some stage's sprite count on (set from the per-frame hook). The
// present comes before the pacing wait, so a present that fits in the slot costs no rate.
#include <gtest/gtest.h>

#include "common/log.h"
#include "frame/engine_test.h"
#include "frame_fixture.h"

namespace {

class EngineTestRun : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    IconsSharp = CreateImage(16, 16, 64, 0);
    OverlayOn = 1;
    logStart_ = LogLines().size();
  }
  // A machine whose present costs `slowMs` from `fromCount` sprites on (and 0 below). The hook
  // also drops the draw records of each frame but the last, keeping a 20000-sprite run small.
  void Machine(int fromCount, int slowMs) {
    HeadlessOnFrame([fromCount, slowMs](int) {
      HeadlessSetFlipCost(TestCount >= fromCount ? slowMs : 0);
      HeadlessClearDraws();
    });
  }
  std::vector<std::string> NewLog() const {
    const auto all = LogLines();
    return {all.begin() + static_cast<std::ptrdiff_t>(logStart_), all.end()};
  }
  size_t logStart_ = 0;
};

TEST_F(EngineTestRun, BudgetsFollowTheLargestStageThatKeptTheRate) {
  struct Case {
    const char* machine;
    int slowFrom, slowMs;  // staged machine
    int ess;               // frame-skip before the test
    int best, frames;
    int limit1, limit2, limit3;
    int targetFps, essAfter;
  };
  const Case cases[] = {
      // machine              slowFrom  ms  ess  best   frames  limits            fps  ess
      {"holds 20000", 0, 0, 0, 20000, 320, 8000, 8000, 4000, 60, 0},
      {"drops at 3000", 3000, 20, 0, 2500, 48, 1000, 1000, 500, 60, 0},   // 1000 is not below 1000
      {"exactly target-2", 1000, 16, 0, 1000, 16, 1000, 500, 250, 30, 1}, // 58 counts and ends
      {"fails at once", 1000, 30, 0, 0, 16, 1000, 500, 250, 30, 1},
      {"slow present kept", 1000, 14, 0, 20000, 320, 8000, 8000, 4000, 60, 0},  // fits the slot
      {"already slow", 0, 0, 1, 20000, 320, 8000, 8000, 4000, 30, 1},   // aims for 30 throughout
  };
  for (const Case& c : cases) {
    SetUp();
    Settings[ESS] = c.ess;
    FpsSmooth = 60;
    Machine(c.slowFrom ? c.slowFrom : 1 << 30, c.slowMs);
    const int framesBefore = HeadlessFrameCount();
    EngineTest(60, 2);
    EXPECT_EQ(TestBest, c.best) << c.machine;
    EXPECT_EQ(HeadlessFrameCount() - framesBefore, c.ess ? c.frames / 2 : c.frames) << c.machine << ": presented frames";
    EXPECT_EQ(DrawLimit[1], c.limit1) << c.machine;
    EXPECT_EQ(DrawLimit[2], c.limit2) << c.machine;
    EXPECT_EQ(DrawLimit[3], c.limit3) << c.machine;
    EXPECT_EQ(TargetFps, c.targetFps) << c.machine;
    EXPECT_EQ(Settings[ESS], c.essAfter) << c.machine;
    EXPECT_EQ(OverlayOn, 0) << c.machine;
    TearDown();
  }
}

TEST_F(EngineTestRun, LogsTheMeasuredFiguresBeforeTheFloors) {
  Machine(1000, 16);  // the exact target - 2 machine: measured 400 / 400 / 200
  FpsSmooth = 60;
  EngineTest(60, 2);
  const std::vector<std::string> want = {
      "Starting Engine Test",
      "Aiming for 60,2",
      "Test Complete",
      "",
      "Engine Test Results",
      "",
      "\tMaximum Sprites Allowed for 60 Frames Per Second",
      "\tMain sprites : 400",
      "\tGlowy Sprites : 400",
      "\tParticles : 200",
      "",
      "Settings Overwritten, Set to Default Lower Limits at 30fps.",
      "",
  };
  EXPECT_EQ(NewLog(), want);
}

TEST_F(EngineTestRun, AFrameSkipMachineAimsForThirtyWhateverTheCallerAsks) {
  Settings[ESS] = 1;
  Machine(1 << 30, 0);
  EngineTest(60, 3);
  const auto log = NewLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[1], "Aiming for 30,3");
  EXPECT_EQ(log[6], "\tMaximum Sprites Allowed for 30 Frames Per Second");
  EXPECT_EQ(log[log.size() - 2], "Settings Overwritten, Set to Default Lower Limits at 30fps.");
}

TEST_F(EngineTestRun, StageSpritesBypassTheBudgetAndFrameSkip) {
  // With frame-skip on only even frames are presented, so each flip after the first gathers the
  // sprites of the skipped frame before it as well as its own.
  Settings[ESS] = 1;
  std::vector<int> perFrame;
  HeadlessOnFrame([&perFrame](int) {
    int n = 0;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind == DrawRecord::IMAGE && d.image == IconsSharp) {
        ++n;
        EXPECT_EQ(d.r + d.g + d.b, 0);
        EXPECT_FLOAT_EQ(d.sx, 2);
        EXPECT_GE(d.rotation, 1);
        EXPECT_LE(d.rotation, 360);
        EXPECT_GE(d.x, 1);
        EXPECT_LE(d.x, ScreenW);
        EXPECT_GE(d.y, 1);
        EXPECT_LE(d.y, ScreenH);
      }
    perFrame.push_back(n);
    HeadlessClearDraws();
    HeadlessSetFlipCost(TestCount >= 1000 ? 40 : 0);
  });
  EngineTest(60, 2);
  ASSERT_GE(perFrame.size(), 4u);
  EXPECT_EQ(perFrame[0], 501) << "500 + 1 sprites, over the test's budget of 500, all drawn";
  EXPECT_EQ(perFrame[1], 2 * 501) << "the skipped frame's sprites were drawn too";
}

}  // namespace
