// The drawing state and the headless display: every draw call is recorded with the whole state.
#include <gtest/gtest.h>

#include "gfx_fixtures.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

class GfxHeadless : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    HeadlessClearDraws();
  }
  void TearDown() override { MediaInit(MEDIA_HEADLESS); }
};

TEST_F(GfxHeadless, StateIsClampedAndBlendIgnoresUnknownModes) {
  SetColour(300, -5, 128);
  int r, g, b;
  GetColour(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 128);

  struct Case {
    float set, got;
  } alphas[] = {{0.25f, 0.25f}, {1.5f, 1.0f}, {-0.5f, 0.0f}};
  for (const Case& c : alphas) {
    SetAlpha(c.set);
    EXPECT_FLOAT_EQ(GetAlpha(), c.got) << c.set;
  }

  // set   -> GetBlend after it
  struct BlendCase {
    int set, got;
  } blends[] = {{BLEND_ALPHA, BLEND_ALPHA}, {0, BLEND_ALPHA}, {6, BLEND_ALPHA}, {BLEND_SHADE, BLEND_SHADE},
                {BLEND_SHADE, BLEND_SHADE}, {BLEND_MASK, BLEND_MASK}};
  for (const BlendCase& c : blends) {
    SetBlend(c.set);
    EXPECT_EQ(GetBlend(), c.got) << c.set;
  }
}

TEST_F(GfxHeadless, EveryDrawIsRecordedWithTheWholeState) {
  int img = CreateImage(8, 4, 2, IMAGE_MASKED);
  ASSERT_NE(img, 0);
  SetClearColour(1, 2, 3);
  ClearScreen();
  SetColour(10, 20, 30);
  SetAlpha(0.5f);
  SetBlend(BLEND_LIGHT);
  SetRotation(30);
  SetScale(2, 3);
  DrawImage(img, 5, 6, 1);
  DrawRect(1, 2, 3, 4);
  DrawLine(7, 8, 9, 10);
  DrawText("Hi", 11, 12);
  int pm = GrabPixmap(0, 0, 4, 4);
  Flip(0);

  const auto& d = HeadlessDraws();
  ASSERT_EQ(d.size(), 7u);
  EXPECT_EQ(d[0].kind, DrawRecord::CLEAR);
  EXPECT_EQ(d[0].r, 1);  // a clear carries the clear colour
  EXPECT_EQ(d[0].b, 3);
  const DrawRecord::Kind kinds[] = {DrawRecord::IMAGE, DrawRecord::RECT, DrawRecord::LINE, DrawRecord::TEXT,
                                    DrawRecord::GRAB};
  for (size_t i = 1; i <= 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(d[i].kind, kinds[i - 1]);
    EXPECT_EQ(d[i].r, 10);
    EXPECT_EQ(d[i].g, 20);
    EXPECT_EQ(d[i].b, 30);
    EXPECT_FLOAT_EQ(d[i].alpha, 0.5f);
    EXPECT_EQ(d[i].blend, BLEND_LIGHT);
    EXPECT_FLOAT_EQ(d[i].rotation, 30);
    EXPECT_FLOAT_EQ(d[i].sx, 2);
    EXPECT_FLOAT_EQ(d[i].sy, 3);
  }
  EXPECT_EQ(d[1].image, img);
  EXPECT_EQ(d[1].cell, 1);
  EXPECT_FLOAT_EQ(d[1].x, 5);
  EXPECT_FLOAT_EQ(d[2].h, 4);
  EXPECT_FLOAT_EQ(d[3].w, 9);  // line end point
  EXPECT_FLOAT_EQ(d[3].h, 10);
  EXPECT_EQ(d[4].text, "Hi");
  EXPECT_EQ(d[4].image, 0);  // the built-in font
  EXPECT_EQ(d[6].kind, DrawRecord::FLIP);
  EXPECT_EQ(d[6].frame, 0);
  EXPECT_EQ(HeadlessFrameCount(), 1);
  EXPECT_EQ(PixmapWidth(pm), 4);
  EXPECT_EQ(ReadPixel(pm, 1, 1), 0xFF000000u);  // nothing is rendered headless
}

TEST_F(GfxHeadless, DrawsOfMissingImagesOrFramesAreNotRecorded) {
  int img = CreateImage(4, 4, 1, 0);
  DrawImage(0, 1, 1, 0);
  DrawImage(img + 100, 1, 1, 0);
  DrawImage(img, 1, 1, 1);
  DrawImage(img, 1, 1, -1);
  EXPECT_TRUE(HeadlessDraws().empty());
}

TEST_F(GfxHeadless, DisplayOpensAnySizeUnlessRefusedAndSetsTheLogicalScreen) {
  EXPECT_TRUE(DisplayIsOpen());
  EXPECT_EQ(RealWidth(), 800);
  EXPECT_EQ(VirtualWidth(), 800);  // opening resets the logical screen to the real size
  SetVirtualResolution(1280, 960);
  EXPECT_EQ(VirtualWidth(), 1280);
  EXPECT_EQ(VirtualHeight(), 960);
  EXPECT_TRUE(OpenDisplay(1234, 567, 0, 60));
  EXPECT_EQ(RealHeight(), 567);
  EXPECT_EQ(VirtualHeight(), 567);

  HeadlessRefuseDisplay(true);
  EXPECT_FALSE(OpenDisplay(640, 480, 32, 60));
  EXPECT_FALSE(DisplayIsOpen());
  EXPECT_EQ(RealWidth(), 0);
  HeadlessRefuseDisplay(false);
  CloseDisplay();
  EXPECT_FALSE(DisplayIsOpen());
}

TEST_F(GfxHeadless, DisplayModesComeFromTheScriptedList) {
  HeadlessSetModes({{800, 600, 32, 60}, {800, 600, 16, 60}, {1024, 768, 32, 75}});
  EXPECT_EQ(ListDisplayModes().size(), 3u);
  // w     h    depth hz  exists
  struct Case {
    int w, h, depth, hz;
    bool exists;
  } cases[] = {{800, 600, 16, 60, true},   {800, 600, 24, 60, false}, {1024, 768, 32, 0, true},
               {1024, 768, 32, 60, false}, {640, 480, 32, 0, false}};
  for (const Case& c : cases)
    EXPECT_EQ(DisplayModeExists(c.w, c.h, c.depth, c.hz), c.exists) << c.w << "x" << c.h << "x" << c.depth << "@" << c.hz;
}

TEST_F(GfxHeadless, DriverChoiceIsKept) {
  EXPECT_EQ(DisplayDriverInUse(), DISPLAY_OPENGL);
  SelectDisplayDriver(DISPLAY_DX7);
  EXPECT_EQ(DisplayDriverInUse(), DISPLAY_OPENGL);  // the open display keeps its driver
  CloseDisplay();
  EXPECT_EQ(DisplayDriverInUse(), DISPLAY_DX7);
  SelectDisplayDriver(9);
  EXPECT_EQ(DisplayDriverInUse(), DISPLAY_DX7);
}

}  // namespace
