// The headless clock: a fixed start, moved only by sleeping, the test, and the staged cost of
// each frame.
#include <gtest/gtest.h>

#include <climits>

#include "media/headless.h"
#include "media/media.h"

namespace {

class HeadlessClock : public testing::Test {
 protected:
  void SetUp() override { MediaInit(MEDIA_HEADLESS); }
};

TEST_F(HeadlessClock, StartsAtAFixedTimeAndOnlySleepingMovesIt) {
  const int start = Millis();
  EXPECT_EQ(start, 100000);
  EXPECT_EQ(Millis(), start) << "reading the clock does not move it";
  Delay(16);
  Delay(0);
  Delay(-50);
  EXPECT_EQ(Millis(), start + 16);
  EXPECT_EQ(HeadlessSleptMs(), 16);
  HeadlessAdvanceClock(100);
  EXPECT_EQ(Millis(), start + 116);
  EXPECT_EQ(HeadlessSleptMs(), 16) << "advancing is not sleeping";
  Flip(0);
  EXPECT_EQ(Millis(), start + 116) << "a free flip takes no time";
}

TEST_F(HeadlessClock, WrapsAsSigned32Bit) {
  HeadlessSetClock(INT_MAX - 5);
  Delay(10);
  EXPECT_EQ(Millis(), INT_MIN + 4);
  EXPECT_EQ(HeadlessSleptMs(), 10);
}

TEST_F(HeadlessClock, FlipAndDrawCostsAreChargedAtTheFlip) {
  HeadlessSetFlipCost(3);
  HeadlessSetDrawCostMicros(400);
  ASSERT_TRUE(OpenDisplay(640, 480, 0, 60));
  const int start = Millis();
  for (int i = 0; i < 10; ++i) DrawRect(0, 0, 4, 4);  // 4000 µs
  EXPECT_EQ(Millis(), start) << "drawing costs nothing until the flip";
  Flip(0);
  EXPECT_EQ(Millis(), start + 3 + 4);
  // Fractions of a millisecond carry over to the next frame rather than being lost.
  DrawLine(0, 0, 1, 1);
  DrawLine(0, 0, 1, 1);  // 800 µs
  Flip(0);
  EXPECT_EQ(Millis(), start + 7 + 3);
  DrawLine(0, 0, 1, 1);  // 1200 µs in all
  Flip(0);
  EXPECT_EQ(Millis(), start + 10 + 3 + 1);
  EXPECT_EQ(HeadlessSleptMs(), 0);
  CloseDisplay();
}

TEST_F(HeadlessClock, MediaInitStartsEverythingAfresh) {
  HeadlessSetClock(5);
  Delay(7);
  HeadlessSetFlipCost(9);
  HeadlessKeyDown(65);
  HeadlessRequestClose();
  HeadlessSetJoysticks({VirtualJoystick{}});
  HeadlessRefuseDisplay(true);
  HeadlessScheduleInput(1, {InputEvent::KEY_DOWN, 66});
  int callbacks = 0;
  HeadlessOnFrame([&](int) { ++callbacks; });
  Flip(0);

  MediaInit(MEDIA_HEADLESS);
  EXPECT_EQ(Millis(), 100000);
  EXPECT_EQ(HeadlessSleptMs(), 0);
  EXPECT_EQ(HeadlessFrameCount(), 0);
  EXPECT_TRUE(HeadlessDraws().empty());
  EXPECT_FALSE(KeyDown(65));
  EXPECT_FALSE(AppTerminate());
  EXPECT_EQ(JoyCount(), 0);
  EXPECT_TRUE(OpenDisplay(640, 480, 0, 60)) << "refusal is forgotten";
  callbacks = 0;
  Flip(0);
  EXPECT_EQ(Millis(), 100000) << "flip cost is back to 0";
  EXPECT_FALSE(KeyDown(66)) << "the old script is gone";
  EXPECT_EQ(callbacks, 0) << "the old callback is gone";
  CloseDisplay();
}

TEST_F(HeadlessClock, DefaultModesAndReplacement) {
  struct Case {
    int w, h, depth;
    bool listed;
  };
  const Case defaults[] = {
      // w     h     depth  listed
      {640, 480, 16, true},    {640, 480, 32, true},   {800, 600, 16, true},
      {1024, 768, 32, true},   {1280, 960, 32, true},  {1600, 900, 32, true},
      {1920, 1080, 32, true},  {1440, 900, 32, false}, {1024, 768, 24, false},
  };
  for (const Case& c : defaults)
    EXPECT_EQ(DisplayModeExists(c.w, c.h, c.depth, 0), c.listed) << c.w << "x" << c.h << "x" << c.depth;
  HeadlessSetModes({{1440, 900, 32, 60}});
  EXPECT_TRUE(DisplayModeExists(1440, 900, 32, 60));
  EXPECT_FALSE(DisplayModeExists(640, 480, 32, 0));
  HeadlessRefuseDisplay(true);
  EXPECT_FALSE(OpenDisplay(1440, 900, 0, 60));
}

}  // namespace
