// The blend modes' arithmetic, the masked alpha test, the logical-to-real scaling and GrabImage,
// checked pixel by pixel on each display choice in a real window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "media/display_state.h"
#include "media/media.h"
#include "media/png_io.h"
#include "support/test_folder.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb At(int pixmap, int x, int y) {
  const uint32_t p = ReadPixel(pixmap, x, y);
  return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
}

void ExpectNear(Rgb got, Rgb want, const std::string& what) {
  EXPECT_NEAR(got.r, want.r, 3) << what;
  EXPECT_NEAR(got.g, want.g, 3) << what;
  EXPECT_NEAR(got.b, want.b, 3) << what;
}

class RenderBlend : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    MediaInit(MEDIA_REAL);
    SelectDisplayDriver(GetParam());
    ASSERT_TRUE(OpenDisplay(320, 240, 0, 60));
    SetVirtualResolution(640, 480);  // two logical units per real pixel
    SetClearColour(100, 150, 200);
    ClearScreen();
  }
  void TearDown() override { MediaInit(MEDIA_HEADLESS); }
};

TEST_P(RenderBlend, ModesCombineSourceAndDestinationAsSpecified) {
  // Colour (200, 100, 50) at alpha 0.5 over the clear colour (100, 150, 200).
  // mode         expected
  struct Case {
    int mode;
    Rgb want;
  } cases[] = {
      {BLEND_MASK, {200, 100, 50}},    // no blending
      {BLEND_SOLID, {200, 100, 50}},   // no blending
      {BLEND_ALPHA, {150, 125, 125}},  // src * a + dst * (1 - a)
      {BLEND_LIGHT, {200, 200, 225}},  // dst + src * a
      {BLEND_SHADE, {78, 59, 39}},     // dst * src
  };
  SetColour(200, 100, 50);
  SetAlpha(0.5f);
  for (int i = 0; i < 5; ++i) {
    SetBlend(cases[i].mode);
    DrawRect(40 + 100 * float(i), 40, 60, 60);  // real (20 + 50 i, 20) .. (50 + 50 i, 50)
  }
  const int grab = GrabPixmap(0, 0, 320, 240);
  for (int i = 0; i < 5; ++i) ExpectNear(At(grab, 35 + 50 * i, 35), cases[i].want, "mode " + std::to_string(cases[i].mode));
  ExpectNear(At(grab, 35, 60), {100, 150, 200}, "outside");
  ExpectNear(At(grab, 49, 49), {200, 100, 50}, "last real pixel of a rectangle");
  ExpectNear(At(grab, 50, 50), {100, 150, 200}, "first real pixel past it");
}

TEST_P(RenderBlend, MaskedDrawingSkipsPixelsBelowHalfAlphaAndDoesNotBlend) {
  // Four columns of alpha 0, 100, 140, 255 (each 4 pixels wide), red.
  std::vector<uint32_t> px(16 * 4);
  const uint32_t alphas[4] = {0, 100, 140, 255};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) px[size_t(y * 16 + x)] = alphas[x / 4] << 24 | 0xFF0000u;
  const std::string path = (TestFolder("render_blend") / "mask.png").string();
  ASSERT_TRUE(WritePngArgb(path, px.data(), 16, 4, 1));
  const int img = LoadImage(path, IMAGE_MASKED);
  ASSERT_NE(img, 0);
  SetBlend(BLEND_MASK);
  SetScale(4, 4);  // 64 x 16 logical, 32 x 8 real
  DrawImage(img, 0, 0, 0);
  SetBlend(BLEND_ALPHA);
  DrawImage(img, 0, 40, 0);
  const int grab = GrabPixmap(0, 0, 64, 40);
  // column  masked                alpha-blended
  struct Case {
    int x;
    Rgb masked, blended;
  } cases[] = {{4, {100, 150, 200}, {100, 150, 200}},
               {12, {100, 150, 200}, {161, 91, 122}},
               {20, {255, 0, 0}, {185, 68, 90}},
               {28, {255, 0, 0}, {255, 0, 0}}};
  for (const Case& c : cases) {
    ExpectNear(At(grab, c.x, 4), c.masked, "masked column at " + std::to_string(c.x));
    ExpectNear(At(grab, c.x, 24), c.blended, "blended column at " + std::to_string(c.x));
  }
}

TEST_P(RenderBlend, GrabbedImagesDrawBackTheSamePixels) {
  SetBlend(BLEND_SOLID);
  SetColour(250, 20, 20);
  DrawRect(0, 0, 20, 40);  // real 10 x 20: left half red
  SetColour(20, 250, 20);
  DrawRect(20, 0, 20, 40);  // right half green
  const int img = CreateImage(20, 20, 2, 0);
  GrabImage(img, 0, 0, 1);  // real (0, 0) .. (20, 20)
  SetColour(255, 255, 255);
  DrawImage(img, 200, 200, 1);  // real (100, 100), one image pixel per real pixel at scale 0.5
  const int grab = GrabPixmap(0, 0, 320, 240);
  ExpectNear(At(grab, 100, 105), {250, 20, 20}, "grabbed red");
  ExpectNear(At(grab, 104, 105), {250, 20, 20}, "grabbed red");
  ExpectNear(At(grab, 115, 105), {100, 150, 200}, "grabbed background");
  EXPECT_EQ(ReadPixel(grab, 0, 0) >> 24, 255u);  // grabs are opaque
}

TEST_P(RenderBlend, AFrameLargerThanOneBatchIsDrawnWhole) {
  // 300 x 120 one-pixel rectangles (36000 quads, more than one batch holds), each coloured by its
  // place, then one more over the first to check the order survives the flush.
  SetBlend(BLEND_SOLID);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 300; ++x) {
      SetColour(x % 256, y * 2, 77);
      DrawRect(2 * float(x), 2 * float(y), 2, 2);
    }
  SetColour(255, 255, 255);
  DrawRect(0, 0, 2, 2);
  const int grab = GrabPixmap(0, 0, 320, 240);
  ExpectNear(At(grab, 0, 0), {255, 255, 255}, "drawn last, over the first");
  ExpectNear(At(grab, 1, 0), {1, 0, 77}, "second");
  ExpectNear(At(grab, 299, 119), {299 % 256, 238, 77}, "last of the grid");
  ExpectNear(At(grab, 150, 100), {150, 200, 77}, "middle");
  ExpectNear(At(grab, 310, 100), {100, 150, 200}, "beside the grid");
}

TEST_P(RenderBlend, ClearMarginsAreLeftOutYetThePictureIsTheSame) {
  // A 16 x 16 picture whose only ink is a yellow 5 x 4 block off the centre, its other texels
  // black at alpha 0 (left out of the drawn quad) or at alpha 1 (drawn, and all but invisible).
  // Turned and scaled, filtered or not, both must give the same pixels.
  const std::string dir = TestFolder("render_blend").string();
  std::string paths[2];
  for (int k = 0; k < 2; ++k) {
    std::vector<uint32_t> px(16 * 16, uint32_t(k) << 24);
    for (int y = 2; y < 6; ++y)
      for (int x = 9; x < 14; ++x) px[size_t(y * 16 + x)] = 0xFFFFE000u;
    paths[k] = dir + "/render_blend_margin" + std::to_string(k) + ".png";
    ASSERT_TRUE(WritePngArgb(paths[k], px.data(), 16, 16, 1));
  }
  for (int flags : {0, int(IMAGE_FILTERED)}) {
    int grabs[2];
    for (int k = 0; k < 2; ++k) {
      AutoMidHandle(true);
      const int img = LoadImage(paths[k], flags);
      AutoMidHandle(false);
      ASSERT_NE(img, 0);
      SetClearColour(0, 0, 0);
      ClearScreen();
      SetBlend(BLEND_ALPHA);
      SetColour(255, 255, 255);
      SetRotation(30);
      SetScale(6, 6);
      DrawImage(img, 300, 220, 0);
      SetRotation(0);
      SetScale(1, 1);
      grabs[k] = GrabPixmap(0, 0, 320, 240);
      FreeImage(img);
    }
    int ink = 0, differ = 0;
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x) {
        const Rgb a = At(grabs[0], x, y), b = At(grabs[1], x, y);
        ink += a.r > 128;
        differ += std::abs(a.r - b.r) > 8 || std::abs(a.g - b.g) > 8 || std::abs(a.b - b.b) > 8;
      }
    EXPECT_GT(ink, 120) << "flags " << flags;  // 5 x 4 texels of 3 x 3 real pixels
    EXPECT_LE(differ, 4) << "flags " << flags;
    FreePixmap(grabs[0]);
    FreePixmap(grabs[1]);
  }
}

TEST_P(RenderBlend, OpaquePaintDrawnWithoutBlendingGivesTheSamePixels) {
  // Pictures 12 x 12: opaque, and all-or-nothing alpha (a ring). Each is drawn alpha-blended at
  // full alpha, turned, scaled and tinted, nearest and filtered, over a striped ground, with a
  // rectangle and a line; the back end may draw these without blending, and must give exactly the
  // pixels it gives with blending.
  const std::string dir = TestFolder("render_blend").string();
  std::vector<uint32_t> opaque(12 * 12), rim(12 * 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const int d = (x - 6) * (x - 6) + (y - 6) * (y - 6);
      opaque[size_t(y * 12 + x)] = 0xFF000000u | uint32_t(x * 20) << 16 | uint32_t(y * 20) << 8 | 90;
      rim[size_t(y * 12 + x)] = d >= 9 && d < 30 ? 0xFFFFFFFFu - uint32_t(d) : 0x00FF00FFu;
    }
  ASSERT_TRUE(WritePngArgb(dir + "/opaque.png", opaque.data(), 12, 12, 1));
  ASSERT_TRUE(WritePngArgb(dir + "/ring.png", rim.data(), 12, 12, 1));
  AutoMidHandle(true);
  const int images[4] = {LoadImage(dir + "/opaque.png", 0), LoadImage(dir + "/opaque.png", IMAGE_FILTERED),
                         LoadImage(dir + "/ring.png", IMAGE_MASKED), LoadImage(dir + "/ring.png", IMAGE_FILTERED)};
  AutoMidHandle(false);
  for (int img : images) ASSERT_NE(img, 0);
  auto drawScene = [&] {
    SetBlend(BLEND_SOLID);
    for (int i = 0; i < 24; ++i) {
      SetColour(10 * i, 255 - 10 * i, 128);
      DrawRect(0, 20 * float(i), 640, 20);
    }
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    for (int k = 0; k < 4; ++k) {
      SetColour(255, 200 - 40 * k, 255);
      SetRotation(17.0f + 23.0f * float(k));
      SetScale(5.5f, 4.5f);
      DrawImage(images[k], 90 + 150 * float(k), 200, 0);
    }
    SetScale(1, 1);
    SetRotation(33);
    SetColour(240, 30, 60);
    DrawRect(100, 350, 90, 40);
    SetRotation(0);
    DrawLine(300, 300, 630, 470);
  };
  int grabs[2];
  for (int cover = 0; cover < 2; ++cover) {
    Gfx().unblendedCover = cover == 1;
    ClearScreen();
    drawScene();
    if (cover == 1 && GetParam() == DISPLAY_OPENGL) {
      // The shortcut is really taken: solid for the opaque picture and the rectangles, the masked
      // test for the nearest ring; the filtered ring keeps blending.
      std::vector<int> blends;
      for (const DrawCommand& c : Gfx().batch.Commands()) blends.push_back(c.blend);
      EXPECT_EQ(blends, (std::vector<int>{BLEND_SOLID, BLEND_SOLID, BLEND_SOLID, BLEND_MASK, BLEND_ALPHA, BLEND_SOLID}));
    }
    grabs[cover] = GrabPixmap(0, 0, 320, 240);
  }
  int differ = 0, ring = 0;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      differ += ReadPixel(grabs[0], x, y) != ReadPixel(grabs[1], x, y);
      const Rgb c = At(grabs[0], x, y);
      ring += c.r > 240 && c.g > 100 && c.g < 130 && c.b > 240;  // the nearest ring, tinted
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(ring, 100);  // the scene was drawn
  Gfx().unblendedCover = GetParam() == DISPLAY_OPENGL;
  for (int img : images) FreeImage(img);
  FreePixmap(grabs[0]);
  FreePixmap(grabs[1]);
}

std::string ChoiceName(const testing::TestParamInfo<int>& info) {
  static const char* const NAMES[] = {"OpenGL", "DX9", "DX7"};
  return NAMES[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryDisplayChoice, RenderBlend, testing::Values(DISPLAY_OPENGL, DISPLAY_DX9, DISPLAY_DX7),
                         ChoiceName);

}  // namespace
