// The headless input script: events land at the start of the frame they name, before the frame
// callback, and draw records carry the frame they were made in.
#include <gtest/gtest.h>

#include <vector>

#include "media/headless.h"
#include "media/media.h"

namespace {

class HeadlessScript : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    ASSERT_TRUE(OpenDisplay(640, 480, 0, 60));
  }
  void TearDown() override { CloseDisplay(); }
};

TEST_F(HeadlessScript, EventsArriveAtTheStartOfTheirFrame) {
  HeadlessScheduleInput(2, {InputEvent::KEY_DOWN, 90});
  HeadlessScheduleInput(1, {InputEvent::MOUSE_MOVE, 300, 200});
  HeadlessScheduleInput(1, {InputEvent::MOUSE_DOWN, 1});
  HeadlessScheduleInput(3, {InputEvent::KEY_UP, 90});
  HeadlessScheduleInput(3, {InputEvent::CHAR, 'k'});
  HeadlessScheduleInput(3, {InputEvent::MOUSE_UP, 1});
  HeadlessScheduleInput(4, {InputEvent::CLOSE_REQUEST});

  EXPECT_EQ(HeadlessFrameCount(), 0);
  EXPECT_EQ(MouseX(), 0);
  Flip(0);  // frame 1
  EXPECT_EQ(HeadlessFrameCount(), 1);
  EXPECT_EQ(MouseX(), 300);
  EXPECT_EQ(MouseY(), 200);
  EXPECT_TRUE(MouseDown(1));
  EXPECT_FALSE(KeyDown(90));
  Flip(0);  // frame 2
  EXPECT_TRUE(KeyDown(90));
  EXPECT_EQ(GetChar(), 0);
  Flip(0);  // frame 3
  EXPECT_FALSE(KeyDown(90));
  EXPECT_EQ(KeyHit(90), 1);
  EXPECT_EQ(GetChar(), 'k');
  EXPECT_FALSE(MouseDown(1));
  EXPECT_EQ(MouseHit(1), 1);
  EXPECT_FALSE(AppTerminate());
  Flip(0);  // frame 4
  EXPECT_TRUE(AppTerminate());
}

TEST_F(HeadlessScript, EventsOfTheSameFrameKeepTheirOrder) {
  // Down then up inside one frame: a press that is already over when the frame starts.
  HeadlessScheduleInput(1, {InputEvent::KEY_DOWN, 32});
  HeadlessScheduleInput(1, {InputEvent::KEY_UP, 32});
  HeadlessScheduleInput(1, {InputEvent::CHAR, 'x'});
  HeadlessScheduleInput(1, {InputEvent::CHAR, 'y'});
  Flip(0);
  EXPECT_FALSE(KeyDown(32));
  EXPECT_EQ(KeyHit(32), 1);
  EXPECT_EQ(GetChar(), 'x');
  EXPECT_EQ(GetChar(), 'y');
}

TEST_F(HeadlessScript, EventsForAFrameAlreadyBegunActAtOnce) {
  Flip(0);
  Flip(0);
  HeadlessScheduleInput(1, {InputEvent::KEY_DOWN, 65});
  HeadlessScheduleInput(2, {InputEvent::KEY_DOWN, 66});
  HeadlessScheduleInput(3, {InputEvent::KEY_DOWN, 67});
  EXPECT_TRUE(KeyDown(65));
  EXPECT_TRUE(KeyDown(66));
  EXPECT_FALSE(KeyDown(67));
}

TEST_F(HeadlessScript, FrameCallbackRunsAfterTheFramesEvents) {
  HeadlessScheduleInput(2, {InputEvent::KEY_DOWN, 27});
  struct Seen {
    int frame;
    bool escape;
  };
  std::vector<Seen> seen;
  HeadlessOnFrame([&](int frame) { seen.push_back({frame, KeyDown(27)}); });
  Flip(0);
  Flip(0);
  Flip(0);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].frame, 1);
  EXPECT_FALSE(seen[0].escape);
  EXPECT_EQ(seen[1].frame, 2);
  EXPECT_TRUE(seen[1].escape);
  EXPECT_EQ(seen[2].frame, 3);
}

TEST_F(HeadlessScript, CallbackMayScheduleAndReplaceItself) {
  // A driver that presses a key one frame later, then stops listening.
  int calls = 0;
  HeadlessOnFrame([&](int frame) {
    ++calls;
    HeadlessScheduleInput(frame + 1, {InputEvent::KEY_DOWN, 88});
    HeadlessOnFrame(nullptr);
  });
  Flip(0);
  EXPECT_FALSE(KeyDown(88));
  Flip(0);
  EXPECT_TRUE(KeyDown(88));
  Flip(0);
  EXPECT_EQ(calls, 1);
}

TEST_F(HeadlessScript, DrawRecordsCarryTheirFrame) {
  HeadlessClearDraws();
  DrawRect(1, 2, 3, 4);
  Flip(0);
  Flip(0);
  DrawLine(5, 6, 7, 8);
  std::vector<std::pair<DrawRecord::Kind, int>> kinds;
  for (const DrawRecord& r : HeadlessDraws())
    if (r.kind == DrawRecord::RECT || r.kind == DrawRecord::LINE) kinds.push_back({r.kind, r.frame});
  const std::vector<std::pair<DrawRecord::Kind, int>> expected = {{DrawRecord::RECT, 0}, {DrawRecord::LINE, 2}};
  EXPECT_EQ(kinds, expected);
  HeadlessClearDraws();
  EXPECT_TRUE(HeadlessDraws().empty());
}

}  // namespace

namespace {

TEST_F(HeadlessScript, SoundRecordsCarryTheirFrame) {
  HeadlessClearSounds();
  const int channel = AllocChannel();
  Flip(0);
  SetChannelVolume(channel, 0.5f);
  ASSERT_EQ(HeadlessSounds().size(), 2u);
  EXPECT_EQ(HeadlessSounds()[0].kind, SoundRecord::ALLOC);
  EXPECT_EQ(HeadlessSounds()[0].frame, 0);
  EXPECT_EQ(HeadlessSounds()[1].kind, SoundRecord::VOLUME);
  EXPECT_EQ(HeadlessSounds()[1].frame, 1);
  HeadlessClearSounds();
  EXPECT_TRUE(HeadlessSounds().empty());
}

}  // namespace
