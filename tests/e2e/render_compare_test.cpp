// The three display choices draw the same picture: a small demo scene (a rotated, scaled, tinted
// animation strip, text in two fonts and the built-in one, rectangles and lines in every blend mode)
// is drawn in a real 800 x 600 window on a 1280 x 960 logical screen by each back end, grabbed from
// the back buffer and compared with the OpenGL renderer's picture. The grabs are kept in the build
// folder (render_compare/) for review.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "media/media.h"
#include "media/png_io.h"

namespace {

const std::string OUT_DIR = std::string(GAME_DIR) + "/../render_compare";
const std::string FONT_SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string FONT_SERIF = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> argb;
};

// Four 32 x 32 cells: a disc with a soft rim and a bar that turns from cell to cell, on transparent
// ground, so masking, alpha and filtering all show.
std::string WriteStrip() {
  const int cw = 32, n = 4;
  std::vector<uint32_t> px(size_t(cw * n) * cw, 0);
  for (int f = 0; f < n; ++f)
    for (int y = 0; y < cw; ++y)
      for (int x = 0; x < cw; ++x) {
        const float dx = float(x) - 15.5f, dy = float(y) - 15.5f, d = std::sqrt(dx * dx + dy * dy);
        if (d > 15) continue;
        const int a = d > 12 ? int(255 * (15 - d) / 3) : 255;
        const bool bar = f % 2 == 0 ? std::abs(x - 8 - f * 4) < 3 : std::abs(y - 8 - f * 3) < 3;
        const int r = bar ? 40 : 230, g = bar ? 40 : 120 + f * 30, b = bar ? 200 : 40;
        px[size_t(y) * size_t(cw * n) + size_t(f * cw + x)] = (uint32_t(a) << 24) | (r << 16) | (g << 8) | b;
      }
  std::filesystem::create_directories(OUT_DIR);
  const std::string path = OUT_DIR + "/strip.png";
  EXPECT_TRUE(WritePngArgb(path, px.data(), cw * n, cw, 6));
  return path;
}

void DrawScene(const std::string& stripPath) {
  AutoMidHandle(true);
  const int strip = LoadAnimImage(stripPath, 32, 32, 0, 4, IMAGE_MASKED | IMAGE_FILTERED);
  const int sharp = LoadAnimImage(stripPath, 32, 32, 0, 4, IMAGE_MASKED);
  AutoMidHandle(false);
  const int sans = LoadFont(FONT_SANS, 28, FONT_SMOOTH);
  const int serif = LoadFont(FONT_SERIF, 40, FONT_SMOOTH | FONT_ITALIC);
  ASSERT_NE(strip, 0);
  ASSERT_NE(sans, 0);
  ASSERT_NE(serif, 0);

  SetClearColour(20, 30, 60);
  ClearScreen();
  SetBlend(BLEND_SOLID);
  SetRotation(-45);
  float blue = 50;
  for (int i = 0; i <= 960; i += 40) {
    blue += 4;
    SetColour(0, 40, int(blue));
    DrawRect(-100, float(3 * i), 1280 + 1800, 60);
  }
  SetRotation(0);

  // Every blend mode over a band of colours: a rectangle, a rotated sprite and two lines each.
  SetBlend(BLEND_SOLID);
  for (int k = 0; k < 6; ++k) {
    SetColour(60 + 35 * k, 200 - 30 * k, 90 + 25 * k);
    DrawRect(40, 40 + 70 * float(k), 1200, 70);
  }
  const int modes[] = {BLEND_MASK, BLEND_SOLID, BLEND_ALPHA, BLEND_LIGHT, BLEND_SHADE};
  for (int m = 0; m < 5; ++m) {
    const float x = 80 + 230 * float(m);
    SetBlend(modes[m]);
    SetAlpha(0.6f);
    SetColour(250, 180, 90);
    SetRotation(20);
    SetScale(1, 1);
    DrawRect(x, 70, 120, 80);
    SetRotation(0);
    DrawLine(x, 200, x + 180, 260);
    DrawLine(x + 180, 200, x + 180, 300);
    SetColour(255, 220, 200);
    SetRotation(33 + 40 * float(m));
    SetScale(2.5f, 2);
    DrawImage(strip, x + 90, 340, m % 4);
    SetScale(2, 2);
    DrawImage(sharp, x + 90, 470, (m + 1) % 4);
  }

  // Text: the built-in font, then two faces, one turned and scaled.
  SetBlend(BLEND_ALPHA);
  SetAlpha(1);
  SetRotation(0);
  SetScale(1, 1);
  SetColour(255, 255, 255);
  SetFont(0);
  DrawText("Built-in font: The quick brown fox 0123456789 !?", 60, 560);
  SetFont(sans);
  SetColour(255, 240, 120);
  DrawText("Plonko Elongo - DejaVu Sans 28", 60, 600);
  SetFont(serif);
  SetColour(120, 255, 200);
  SetScale(1.5f, 1.5f);
  SetRotation(-8);
  DrawText("Serif, turned", 600, 700);

  // An animation: every frame of the strip in a row, tinted, at growing scale and angle.
  SetRotation(0);
  SetBlend(BLEND_ALPHA);
  for (int i = 0; i < 12; ++i) {
    SetColour(255, 255 - 15 * i, 100 + 12 * i);
    SetAlpha(0.4f + 0.05f * float(i));
    SetRotation(30.0f * float(i));
    SetScale(1 + 0.15f * float(i), 1 + 0.15f * float(i));
    DrawImage(strip, 80 + 100 * float(i), 860, i % 4);
  }
  SetBlend(BLEND_MASK);
  SetAlpha(1);
  SetScale(1, 1);
  SetRotation(0);
  SetFont(0);
}

Picture Render(int choice, const std::string& stripPath) {
  Picture pic;
  MediaInit(MEDIA_REAL);
  SelectDisplayDriver(choice);
  if (!OpenDisplay(800, 600, 0, 60)) {
    ADD_FAILURE() << "display choice " << choice << " did not open: " << SDL_GetError();
    return pic;
  }
  SetCaption("render compare " + std::to_string(choice));
  SetVirtualResolution(1280, 960);
  EXPECT_EQ(DisplayDriverInUse(), choice);
  EXPECT_EQ(RealWidth(), 800);
  DrawScene(stripPath);
  const int grab = GrabPixmap(0, 0, 800, 600);
  EXPECT_EQ(SavePixmapPNG(grab, OUT_DIR + "/choice" + std::to_string(choice) + ".png", 6), 1);
  pic.w = PixmapWidth(grab);
  pic.h = PixmapHeight(grab);
  for (int y = 0; y < pic.h; ++y)
    for (int x = 0; x < pic.w; ++x) pic.argb.push_back(ReadPixel(grab, x, y));
  Flip(0);
  CloseDisplay();
  return pic;
}

struct Difference {
  double meanPerChannel = 0;  // mean absolute difference, 0..255
  double farShare = 0;        // share of pixels with a channel more than 48 apart
};

Difference Compare(const Picture& a, const Picture& b, const std::string& diffPath) {
  Difference d;
  std::vector<uint32_t> diff(a.argb.size());
  size_t far = 0;
  double sum = 0;
  for (size_t i = 0; i < a.argb.size(); ++i) {
    int worst = 0;
    for (int s = 0; s < 24; s += 8) {
      const int e = std::abs(int((a.argb[i] >> s) & 255) - int((b.argb[i] >> s) & 255));
      sum += e;
      worst = std::max(worst, e);
    }
    if (worst > 48) ++far;
    const uint32_t v = uint32_t(std::min(255, worst * 4));
    diff[i] = 0xFF000000u | (v << 16) | (v << 8) | v;
  }
  WritePngArgb(diffPath, diff.data(), a.w, a.h, 6);
  d.meanPerChannel = sum / (3.0 * double(a.argb.size()));
  d.farShare = double(far) / double(a.argb.size());
  return d;
}

TEST(RenderCompare, AllThreeDisplayChoicesDrawTheSamePicture) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  const std::string stripPath = WriteStrip();
  Picture pics[3];
  for (int choice = 0; choice < 3; ++choice) pics[choice] = Render(choice, stripPath);
  MediaInit(MEDIA_HEADLESS);
  for (const Picture& p : pics) ASSERT_EQ(p.argb.size(), size_t(800 * 600));

  // The picture is not blank: the background stripes, sprites and text all left their colours.
  size_t distinct = 0;
  for (size_t i = 1; i < pics[0].argb.size(); ++i) distinct += pics[0].argb[i] != pics[0].argb[i - 1];
  EXPECT_GT(distinct, 20000u);

  // choice  mean per channel  share of pixels beyond 48
  // "DX9" rasterises with the same GL as choice 0; "DX7" samples turned sprites without bilinear
  // filtering, so their rims differ.
  struct Tolerance {
    int choice;
    double mean, far;
  } tolerances[] = {{DISPLAY_DX9, 0.3, 0.002}, {DISPLAY_DX7, 1.5, 0.015}};
  for (const Tolerance& t : tolerances) {
    const int choice = t.choice;
    SCOPED_TRACE("display choice " + std::to_string(choice));
    const Difference d = Compare(pics[0], pics[choice], OUT_DIR + "/diff0_" + std::to_string(choice) + ".png");
    std::printf("choice 0 vs %d: mean difference %.3f per channel, %.3f %% of pixels beyond 48\n", choice,
                d.meanPerChannel, 100 * d.farShare);
    EXPECT_LT(d.meanPerChannel, t.mean);
    EXPECT_LT(d.farShare, t.far);
  }
}

}  // namespace
