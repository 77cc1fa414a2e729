// Images, animation strips, readable pixels, pixmaps and fonts on the headless back end: pictures
// still load on the CPU, so sizes, pixels and text widths are real.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "gfx_fixtures.h"
#include "media/font.h"
#include "media/headless.h"
#include "media/image.h"
#include "media/media.h"

namespace {

using gfx_test::Argb;

const std::string DEJAVU = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class GfxImages : public testing::Test {
 protected:
  void SetUp() override { MediaInit(MEDIA_HEADLESS); }
  void TearDown() override { MediaInit(MEDIA_HEADLESS); }
};

// Cell (cx, cy) of a strip of 4 x 3 cells of 8 x 6 pixels has red cx * 60, green cy * 80.
std::string WriteStrip() {
  return gfx_test::WritePicture("strip.png", 32, 18, [](int x, int y) { return Argb(255, x / 8 * 60, y / 6 * 80, 7); });
}

TEST_F(GfxImages, StripCellsAreReadLeftToRightTopToBottom) {
  const std::string path = WriteStrip();
  // first count  frames (0 = refused)
  struct Case {
    int first, count, frames;
  } cases[] = {{0, 12, 12}, {5, 7, 7}, {11, 1, 1}, {5, 8, 0}, {0, 13, 0}, {-1, 2, 0}, {0, 0, 0}};
  for (const Case& c : cases) {
    int img = LoadAnimImage(path, 8, 6, c.first, c.count, IMAGE_MASKED);
    EXPECT_EQ(ImageFrames(img), c.frames) << c.first << "+" << c.count;
    if (c.frames) {
      EXPECT_EQ(ImageWidth(img), 8);
      EXPECT_EQ(ImageHeight(img), 6);
    }
    FreeImage(img);
  }
  // Frame k of a strip from cell 5 is cell 5 + k: (1, 1), (2, 1), (3, 1), (0, 2), ...
  int img = LoadAnimImage(path, 8, 6, 5, 7, 0);
  const Image* strip = Lookup<Image>(img, ObjectKind::IMAGE);
  ASSERT_NE(strip, nullptr);
  // frame  cell x, y
  struct Cell {
    int frame, cx, cy;
  } cells[] = {{0, 1, 1}, {2, 3, 1}, {3, 0, 2}, {6, 3, 2}};
  for (const Cell& c : cells) {
    EXPECT_EQ(strip->PixelArgb(c.frame, 0, 0), Argb(255, c.cx * 60, c.cy * 80, 7)) << c.frame;
    EXPECT_EQ(strip->PixelArgb(c.frame, 7, 5), Argb(255, c.cx * 60, c.cy * 80, 7)) << c.frame;
  }
}

TEST_F(GfxImages, EachFrameKnowsItsInk) {
  // Two 8 x 6 frames: the first has ink in columns 2-4 of rows 1-2, the second none at all.
  const std::string path = gfx_test::WritePicture("ink.png", 16, 6, [](int x, int y) {
    return x >= 2 && x <= 4 && (y == 1 || y == 2) ? Argb(255, 200, 100, 0) : Argb(0, 90, 90, 90);
  });
  // The two frames are packed side by side with a one-texel border each: a 20 x 8 texture, frame
  // 0's texels at x 1..8, y 1..6.
  struct Case {
    int flags, x0, y0, x1, y1;
    float u0, v0, u1, v1;
  } cases[] = {
      // flags                       frame 0 ink x0, y0, x1, y1  and as texture coordinates
      {IMAGE_MASKED, 2, 1, 5, 3, 0.15f, 0.25f, 0.30f, 0.5f},                   // exactly the ink
      {IMAGE_MASKED | IMAGE_FILTERED, 1, 0, 6, 4, 0.10f, 0.125f, 0.35f, 0.625f},  // one texel more for bilinear sampling
  };
  for (const Case& c : cases) {
    const int img = LoadAnimImage(path, 8, 6, 0, 2, c.flags);
    const Image* im = Lookup<Image>(img, ObjectKind::IMAGE);
    ASSERT_NE(im, nullptr);
    ASSERT_EQ(im->tex.w, 20);
    ASSERT_EQ(im->tex.h, 8);
    const Image::FrameRect& ink = im->rects[0].ink;
    EXPECT_EQ((std::vector<int>{ink.x0, ink.y0, ink.x1, ink.y1}), (std::vector<int>{c.x0, c.y0, c.x1, c.y1})) << c.flags;
    EXPECT_EQ((std::vector<float>{ink.u0, ink.v0, ink.u1, ink.v1}), (std::vector<float>{c.u0, c.v0, c.u1, c.v1})) << c.flags;
    const Image::FrameRect& whole = im->rects[1].whole;  // frame 1: texels x 11..18
    EXPECT_EQ((std::vector<float>{whole.u0, whole.v0, whole.u1, whole.v1}), (std::vector<float>{0.55f, 0.125f, 0.95f, 0.875f}));
    EXPECT_LE(im->rects[1].ink.x1, im->rects[1].ink.x0) << "a clear frame has no ink";
    FreeImage(img);
  }
  const Image* fresh = Lookup<Image>(CreateImage(4, 4, 1, 0), ObjectKind::IMAGE);
  ASSERT_NE(fresh, nullptr);
  EXPECT_LE(fresh->rects[0].ink.x1, fresh->rects[0].ink.x0) << "a new image is clear";
}

TEST_F(GfxImages, HandlesFollowAutoMidHandleAtCreation) {
  const std::string path = WriteStrip();
  AutoMidHandle(false);
  int corner = LoadImage(path, 0);
  AutoMidHandle(true);
  int centred = LoadAnimImage(path, 8, 6, 0, 4, 0);
  int created = CreateImage(10, 7, 1, 0);
  AutoMidHandle(false);
  int later = CreateImage(10, 7, 1, 0);
  // image    handle x, y
  struct Case {
    int image;
    float hx, hy;
  } cases[] = {{corner, 0, 0}, {centred, 4, 3}, {created, 5, 3.5f}, {later, 0, 0}};
  for (const Case& c : cases) {
    const Image* img = Lookup<Image>(c.image, ObjectKind::IMAGE);
    ASSERT_NE(img, nullptr);
    EXPECT_FLOAT_EQ(img->hx, c.hx);
    EXPECT_FLOAT_EQ(img->hy, c.hy);
  }
  SetImageHandle(centred, 1, 2);
  EXPECT_FLOAT_EQ(Lookup<Image>(centred, ObjectKind::IMAGE)->hy, 2);
}

TEST_F(GfxImages, DamagedOrAbsurdFilesGiveNoImage) {
  const std::string good = gfx_test::WritePicture("good.png", 16, 16, [](int x, int) { return Argb(255, x, 0, 0); });
  ASSERT_NE(LoadImage(good, 0), 0);
  std::vector<char> bytes = gfx_test::ReadBytes(good);
  ASSERT_GT(bytes.size(), 60u);

  std::vector<char> truncated(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
  std::vector<char> corrupted = bytes;
  for (size_t i = 40; i < corrupted.size() - 12; i += 3) corrupted[i] = char(corrupted[i] ^ 0x5A);
  std::vector<char> signatureOnly(bytes.begin(), bytes.begin() + 8);

  const std::string paths[] = {
      gfx_test::WriteBytes("truncated.png", truncated),
      gfx_test::WriteBytes("corrupted.png", corrupted),
      gfx_test::WriteBytes("signature.png", signatureOnly),
      gfx_test::WriteBytes("text.png", {'h', 'e', 'l', 'l', 'o', '\n'}),
      gfx_test::WriteBytes("empty.png", {}),
      gfx_test::WriteHeaderOnlyPng("wide.png", 20000, 4),
      gfx_test::WriteHeaderOnlyPng("huge.png", 16000, 16000),  // a gigabyte of pixels
      gfx_test::WriteHeaderOnlyPng("zero.png", 0, 10),
      gfx_test::ScratchPath("missing.png"),
  };
  for (const std::string& p : paths) {
    SCOPED_TRACE(p);
    EXPECT_EQ(LoadImage(p, IMAGE_MASKED | IMAGE_FILTERED), 0);
    EXPECT_EQ(LoadAnimImage(p, 2, 2, 0, 1, 0), 0);
    EXPECT_EQ(LoadPixelImage(p), 0);
  }
  EXPECT_EQ(CreateImage(0, 5, 1, 0), 0);
  EXPECT_EQ(CreateImage(20000, 5, 1, 0), 0);
  EXPECT_EQ(CreateImage(5, 5, 0, 0), 0);
}

TEST_F(GfxImages, PixelImagesReadAsArgbAndOnlyThemLock) {
  const std::string path = gfx_test::WritePicture("px.png", 3, 2, [](int x, int y) {
    return Argb(x == 0 ? 0 : 255, 10 * x, 20 * y, 200);
  });
  int img = LoadPixelImage(path);
  ASSERT_NE(img, 0);
  int pm = LockImage(img);
  ASSERT_NE(pm, 0);
  EXPECT_EQ(PixmapWidth(pm), 3);
  EXPECT_EQ(PixmapHeight(pm), 2);
  EXPECT_EQ(ReadPixel(pm, 2, 1), Argb(255, 20, 20, 200));
  EXPECT_EQ(ReadPixel(pm, 0, 1), Argb(0, 0, 20, 200));
  EXPECT_EQ(ReadPixel(pm, 3, 0), 0u);  // outside
  EXPECT_EQ(ReadPixel(pm, 0, -1), 0u);
  UnlockImage(img);
  EXPECT_EQ(PixmapWidth(pm), 0);  // unlocking released it
  EXPECT_EQ(LockImage(LoadImage(path, 0)), 0);
}

TEST_F(GfxImages, SavedPixmapsReadBackTheSame) {
  const std::string src = gfx_test::WritePicture("src.png", 5, 4, [](int x, int y) {
    return Argb(255 - 40 * y, 50 * x, 60 * y, 17);
  });
  int img = LoadPixelImage(src);
  int pm = LockImage(img);
  for (int level : {0, 9}) {
    const std::string out = gfx_test::ScratchPath("copy" + std::to_string(level) + ".png");
    ASSERT_EQ(SavePixmapPNG(pm, out, level), 1);
    EXPECT_FALSE(std::filesystem::exists(out + ".tmp"));
    int back = LockImage(LoadPixelImage(out));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(ReadPixel(back, x, y), ReadPixel(pm, x, y)) << x << "," << y;
  }
  EXPECT_EQ(SavePixmapPNG(pm, gfx_test::ScratchPath("no/such/folder/x.png"), 9), 0);
  EXPECT_EQ(SavePixmapPNG(0, gfx_test::ScratchPath("none.png"), 9), 0);
}

TEST_F(GfxImages, FontsMeasureTextAndRejectNonFonts) {
  SetFont(0);
  const int defW = TextWidth("Hello");
  EXPECT_GT(defW, 0);
  EXPECT_EQ(TextWidth("HelloHello"), 2 * defW);
  EXPECT_GT(TextHeight("x"), 0);
  EXPECT_EQ(TextWidth(""), 0);

  const std::string notAFont = gfx_test::WritePicture("font.ttf", 4, 4, [](int, int) { return 0u; });
  const std::string text = gfx_test::WriteBytes("font2.ttf", {'n', 'o', 'p', 'e'});
  EXPECT_EQ(LoadFont(notAFont, 20, FONT_SMOOTH), 0);
  EXPECT_EQ(LoadFont(text, 20, 0), 0);
  EXPECT_EQ(LoadFont(gfx_test::ScratchPath("missing.ttf"), 20, 0), 0);
  if (!std::filesystem::exists(DEJAVU)) GTEST_SKIP() << "DejaVu Sans is not installed";
  EXPECT_EQ(LoadFont(DEJAVU, 0, 0), 0);

  int small = LoadFont(DEJAVU, 16, FONT_SMOOTH);
  int big = LoadFont(DEJAVU, 32, FONT_SMOOTH | FONT_BOLD);
  ASSERT_NE(small, 0);
  ASSERT_NE(big, 0);
  SetFont(small);
  EXPECT_EQ(GetFont(), small);
  const int w16 = TextWidth("Plonko Elongo"), h16 = TextHeight("");
  EXPECT_EQ(h16, 16);  // the size is the line's height, and every glyph's ink stays inside it
  for (int c = 33; c < 127; ++c) {
    const Glyph& g = CurrentFont().glyphs[c];
    EXPECT_GE(g.top, -1) << char(c);
    EXPECT_LE(g.top + g.h, h16 + 1) << char(c);
  }
  EXPECT_EQ(TextWidth("ii"), 2 * TextWidth("i"));
  EXPECT_LT(TextWidth("iii"), TextWidth("WWW"));
  SetScale(3, 3);  // measurement ignores the scale
  EXPECT_EQ(TextWidth("Plonko Elongo"), w16);
  SetScale(1, 1);
  SetFont(big);
  EXPECT_GT(TextWidth("Plonko Elongo"), 2 * w16 - 10);
  EXPECT_EQ(TextHeight(""), 32);
  FreeFont(big);
  EXPECT_EQ(GetFont(), 0);  // freeing the current font falls back to the built-in one
  EXPECT_EQ(TextWidth("Hello"), defW);
}

}  // namespace
