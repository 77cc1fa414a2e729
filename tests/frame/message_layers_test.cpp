// The layers EndFrame draws over every screen: the message stack and the floating numbers.
#include <gtest/gtest.h>

#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame_fixture.h"

namespace {

using Messages = FrameTest;

const DrawRecord* BoxAt(float y) {
  for (const DrawRecord& d : HeadlessDraws())
    if (d.kind == DrawRecord::RECT && d.x == 0 && d.y == y) return &d;
  return nullptr;
}

TEST_F(Messages, HighlightedBelowSixtyTicksThenPlainUntilTheyLeaveAtTickOneEighty) {
  AddMessage("Hello", 4);
  const float baseline = static_cast<float>(ScreenH - 16);
  for (int tick = 1; tick <= 180; ++tick) {
    HeadlessClearDraws();
    EndFrame(0);
    const DrawRecord* box = BoxAt(baseline);
    const auto text = Texts("Hello");
    ASSERT_TRUE(box) << "tick " << tick;
    ASSERT_EQ(text.size(), 1u) << "tick " << tick;
    const bool fresh = tick < 60;
    EXPECT_EQ(box->r + box->g + box->b, fresh ? 510 : 0) << "tick " << tick;
    EXPECT_EQ(box->b, 0);
    EXPECT_FLOAT_EQ(box->alpha, 0.7f);
    EXPECT_FLOAT_EQ(box->w, static_cast<float>(TextWidth("Hello")));
    EXPECT_FLOAT_EQ(box->h, static_cast<float>(TextHeight("Hello")));
    EXPECT_EQ(text[0].r, fresh ? 0 : 255) << "tick " << tick;
    EXPECT_FLOAT_EQ(text[0].alpha, 1);
    EXPECT_FLOAT_EQ(text[0].y, baseline);
    EXPECT_FLOAT_EQ(text[0].sx, 1);
    EXPECT_EQ(MessageList.Empty(), tick == 180) << "tick " << tick;
  }
}

TEST_F(Messages, LaterMessagesStackUpwardsAndLeaveInOrder) {
  const char* names[] = {"m0", "m1", "m2", "m3", "m4", "m5"};
  for (const char* n : names) AddMessage(n, 1);
  EndFrame(0);
  for (int k = 0; k < 6; ++k) {
    const auto text = Texts(names[k]);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_FLOAT_EQ(text[0].y, ScreenH - 16 - 14.0f * k) << names[k];
  }
  EXPECT_EQ(MessageList.First()->c, 1);

  // A message added a frame later leaves a frame later.
  while (MessageList.Count() > 0 && MessageList.First()->txt == "m0") EndFrame(0);
  AddMessage("late", 0);
  EXPECT_EQ(MessageList.Count(), 1);
  for (int i = 0; i < 179; ++i) EndFrame(0);
  ASSERT_EQ(MessageList.Count(), 1);
  EndFrame(0);
  EXPECT_TRUE(MessageList.Empty());
}

using Popups = FrameTest;

TEST_F(Popups, FadeLinearlyRiseAndLeaveOnTheirLastFrame) {
  GridX = 32;
  GridY = 2;
  ScorePopupList.Append(ScorePopup{25, 100 + GridX, 200 + GridY, 120, 255, 128, 0});
  const int w = TextWidth("25"), h = TextHeight("25");
  for (int frame = 1; frame <= 120; ++frame) {
    HeadlessClearDraws();
    EndFrame(0);
    const auto text = Texts("25");
    ASSERT_EQ(text.size(), 1u) << "frame " << frame;
    EXPECT_NEAR(text[0].alpha, (120 - frame) / 120.0f, 1e-6) << "frame " << frame;
    EXPECT_EQ(text[0].r, 255);
    EXPECT_EQ(text[0].g, 128);
    // Centred on the position less the playfield offset, truncated: y rises 0.25 per frame.
    const int y = static_cast<int>(200 - 0.25f * frame);
    EXPECT_FLOAT_EQ(text[0].x, 100 - w / 2) << "frame " << frame;
    EXPECT_FLOAT_EQ(text[0].y, y - h / 2) << "frame " << frame;
    EXPECT_EQ(ScorePopupList.Empty(), frame == 120) << "frame " << frame;
  }
}

TEST_F(Popups, OnesStartedWithNoLifeLeftAreRemovedAtOnce) {
  ScorePopupList.Append(ScorePopup{1, 0, 0, 0, 255, 255, 255});
  ScorePopupList.Append(ScorePopup{2, 0, 0, -50, 255, 255, 255});
  ScorePopupList.Append(ScorePopup{3, 0, 0, 2, 255, 255, 255});
  EndFrame(0);
  ASSERT_EQ(ScorePopupList.Count(), 1);
  EXPECT_EQ(ScorePopupList.First()->n, 3);
}

}  // namespace
