// Review pictures: a contact sheet of every cell, and a mock-up of a level in play.
#include "gen_assets/makers.h"
#include "gen_assets/palette.h"
#include "gen_assets/walker.h"
#include "gen_assets/letters.h"

namespace art {

namespace {

// Draws `src` with its top-left at (x, y), scaled (nearest) and optionally mirrored, tinted by
// multiplication; pixels below half alpha are skipped, as the engine's masked images are.
void Blit(Image& dst, const Image& src, float x, float y, float scale = 1, bool flip = false, RGBA tint = {1, 1, 1, 1}) {
  int w = int(std::lround(src.w * scale)), h = int(std::lround(src.h * scale));
  Image tmp(w, h);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) {
      int sx = int(i / scale), sy = int(j / scale);
      if (flip) sx = src.w - 1 - sx;
      RGBA c = src.Get(sx, sy);
      if (c.a < 0.5f) continue;
      tmp.Set(i, j, c);
    }
  dst.Over(tmp, int(std::lround(x)), int(std::lround(y)), tint);
}
void FillRect(Image& img, int x, int y, int w, int h, RGBA c) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++) {
      if (i < 0 || j < 0 || i >= img.w || j >= img.h) continue;
      RGBA d = img.Get(i, j);
      img.Set(i, j, {c.r * c.a + d.r * (1 - c.a), c.g * c.a + d.g * (1 - c.a), c.b * c.a + d.b * (1 - c.a), 1});
    }
}

}  // namespace

Image Resample(const Image& src, int w, int h) {  // area average
  Image out(w, h);
  float kx = float(src.w) / w, ky = float(src.h) / h;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      RGBA acc;
      int n = 0;
      for (int j = int(y * ky); j < int((y + 1) * ky); j++)
        for (int i = int(x * kx); i < int((x + 1) * kx); i++) {
          RGBA c = src.Get(i, j);
          acc.r += c.r, acc.g += c.g, acc.b += c.b, acc.a += c.a, n++;
        }
      if (n) out.Set(x, y, {acc.r / n, acc.g / n, acc.b / n, acc.a / n});
    }
  return out;
}


Image ContactSheet(const Assets& a) {
  const int W = 1720;
  Image sheet(W, 9000);
  FillRect(sheet, 0, 0, W, sheet.h, Hex(0x20242E));
  int y = 12;
  auto checker = [&](int x0, int y0, int w, int h, bool dark) {
    for (int j = 0; j < h; j++)
      for (int i = 0; i < w; i++) {
        bool odd = ((i / 8) + (j / 8)) % 2;
        sheet.Set(x0 + i, y0 + j, dark ? (odd ? Hex(0x343848) : Hex(0x2A2D3A)) : (odd ? Hex(0x8A8F9C) : Hex(0x6E7380)));
      }
  };
  auto section = [&](const std::string& title) {
    TinyText(sheet, 12, y, title, 3, Hex(0xFFD23C));
    y += 24;
  };
  auto strip = [&](const std::string& title, const Strip& s, float zoom, bool dark, int count,
                   const std::function<void(int, int, int)>& extra = nullptr) {
    section(title);
    int cw = int(s.cw * zoom), ch = int(s.ch * zoom), gap = 8;
    int per = std::max(1, (W - 24) / (cw + gap));
    for (int i = 0; i < count; i++) {
      int x = 12 + (i % per) * (cw + gap), yy = y + (i / per) * (ch + 18);
      checker(x, yy, cw, ch, dark);
      if (extra) extra(i, x, yy);
      else Blit(sheet, s.Cell(i), float(x), float(yy), zoom);
      TinyText(sheet, x, yy + ch + 3, std::to_string(i), 2, Hex(0xE0E6F0));
    }
    y += ((count + per - 1) / per) * (ch + 18) + 14;
  };
  auto single = [&](const std::string& title, const Image& img, float zoom, bool dark) {
    section(title);
    checker(12, y, int(img.w * zoom), int(img.h * zoom), dark);
    Blit(sheet, img, 12, float(y), zoom);
    y += int(img.h * zoom) + 16;
  };
  strip("COMMON ICONS.PNG  16X16 X 64  (SHOWN X3)", a.icons, 3, false, 64);
  strip("COMMON BADGES.PNG  64X64 X 16", a.badges, 1, true, 16);
  section("COMMON LOGO.PNG  AND  KELVARO.PNG");
  checker(12, y, a.engineLogo.w, a.engineLogo.h, true);
  Blit(sheet, a.engineLogo, 12, float(y));
  checker(40 + a.engineLogo.w, y, a.siteLogo.w, a.siteLogo.h, true);
  Blit(sheet, a.siteLogo, float(40 + a.engineLogo.w), float(y));
  y += a.engineLogo.h + 16;
  strip("247 BG.PNG  64X64 X 64", a.bg, 1, true, 64);
  strip("247 PLONKO.PNG  64X64 X 100", a.plonko, 1, true, 100);
  strip("247 PLONKOHAT.PNG  64X64 X 100", a.hats, 1, true, 100);
  strip("PLONKO WITH PLONKOHAT TINTED IN THE SEVEN HAT COLOURS", a.plonko, 1, true, 48, [&](int i, int x, int yy) {
    Blit(sheet, a.plonko.Cell(i), float(x), float(yy));
    Blit(sheet, a.hats.Cell(i), float(x), float(yy), 1, false, HAT_TINTS[1 + i % 7]);
  });
  // Going down a hole as the game draws it: hole under, walker, hole over (every 6th step).
  strip("SINKING INTO A HOLE  STP 30 TO 120 (HOLE UNDER  WALKER  HOLE OVER)", a.plonko, 1, true, 16, [&](int i, int x, int yy) {
    int stp = 30 + i * 6;
    if (stp < 61) Blit(sheet, a.bg.Cell(std::min((stp - 30) / 2 + 48, 52)), float(x), float(yy));
    if (stp < 100) Blit(sheet, a.plonko.Cell(std::min(stp / 3, 19)), float(x), float(yy));
    if (stp > 40) Blit(sheet, a.bg.Cell(std::min(108 - stp / 2, 52)), float(x), float(yy));
  });
  strip("247 BOOM.PNG  8X8 X 64  (SHOWN X4)", a.boom, 4, true, 64);
  strip("247 BITS.PNG  256X128 X 8", a.bits, 1, true, 8);
  single("247 LOGO.PNG", a.gameLogo, 1, true);
  section("247 GRID.PNG (X2)   SPURT.PNG (X4 WHITE AND RED)   AHAT.PNG (X4 IN THE HAT COLOURS)");
  checker(12, y, 512, 512, true);
  Blit(sheet, a.grid, 12, float(y), 2, false, {0.35f, 0.3f, 0.5f, 1});
  checker(540, y, 64, 64, true);
  Blit(sheet, a.spurt, 540, float(y), 4);
  checker(612, y, 64, 64, true);
  Blit(sheet, a.spurt, 612, float(y), 4, false, {1, 0, 0, 1});
  for (int k = 1; k <= 7; k++) {
    checker(540 + (k - 1) * 72, y + 80, 64, 64, true);
    Blit(sheet, a.ahat, float(540 + (k - 1) * 72), float(y + 80), 4, false, HAT_TINTS[k]);
  }
  y += 512 + 16;
  Image out(W, y);
  out.Copy(sheet, 0, 0);
  return out;
}

// A level in play on the 1280 x 960 screen, as the game lays it out.
Image Mockup(const Assets& a) {
  const int W = 1280, H = 960, GX = 32, GY = 32;
  Image scr(W, H);
  FillRect(scr, 0, 0, W, H, Hex(0x000000));
  RGBA tint{70 / 255.0f, 56 / 255.0f, 104 / 255.0f, 1};
  for (int j = 0; j < 3; j++)
    for (int i = 0; i < 3; i++) Blit(scr, a.grid, i * 512.0f - 100, j * 512.0f - 60, 2, false, tint);
  for (int k = 4; k >= 0; k--) FillRect(scr, GX - k, GY - k, 896 + 2 * k, 896 + 2 * k, Mul(tint, float(k / 2)));
  const char* level[14] = {
      "..............",  //
      "..............",  //
      "..............",  //
      "######....R...",  //
      "######..######",  //
      "######..######",  //
      "..............",  //
      ".......=......",  //
      "..........G...",  //
      "####....######",  //
      "####....######",  //
      "............O.",  //
      "..B.....######",  //
      "##############",
  };
  auto solid = [&](int x, int y) {
    if (x < 0 || y < 0 || x > 13 || y > 13) return true;
    char c = level[y][x];
    return c == '#' || c == '=';
  };
  for (int x = 0; x < 14; x++)
    for (int y = 0; y < 14; y++) {
      int v = (x + y * 15) % 16;
      char c = level[y][x];
      float px = float(x * 64 + GX), py = float(y * 64 + GY);
      if (c == '#') Blit(scr, a.bg.Cell(solid(x, y - 1) ? v : v + 32), px, py);
      if (c == '=') Blit(scr, a.bg.Cell(v + 16), px, py);
      if (c == 'O') Blit(scr, a.bg.Cell(48), px, py);
      int hat = c == 'R' ? 1 : c == 'G' ? 3 : c == 'B' ? 5 : 0;
      if (hat) Blit(scr, a.ahat, px + 24, py + 50 - 8, 1, false, HAT_TINTS[hat]);
    }
  struct W8 {
    float x, y;
    int frame, d, hat;
  };
  const W8 walkers[] = {{1 * 64 + 10, 2 * 64, 2, 1, 0},  {4 * 64 + 24, 2 * 64, 40, 1, 2}, {6 * 64 + 20, 3 * 64 + 30, 20, 1, 3},
                        {9 * 64, 8 * 64, 0, -1, 7},       {2 * 64 + 40, 8 * 64, 4, -1, 0}, {10 * 64, 11 * 64, 13, 1, 0},
                        {5 * 64, 12 * 64 - 30, 32, 1, 3}, {12 * 64, 11 * 64, 17, 1, 0}};
  for (auto& w : walkers) {
    Blit(scr, a.plonko.Cell(w.frame), w.x + GX, w.y + GY, 1, w.d < 0);
    if (w.hat) Blit(scr, a.hats.Cell(w.frame), w.x + GX, w.y + GY, 1, w.d < 0, HAT_TINTS[w.hat]);
  }
  // The last walker is sinking into the hole: the open rim is drawn over it.
  Blit(scr, a.bg.Cell(52), 12 * 64.0f + GX, 11 * 64.0f + GY);
  // Side panel: instructions and the hat stock.
  FillRect(scr, W - 260, 10, 240, 120, {0, 0, 0, 0.5f});
  TinyText(scr, W - 240, 30, "GUIDE THE PLONKO", 2, pal::WHITE);
  TinyText(scr, W - 240, 55, "TOWARDS THE HOLE", 2, pal::WHITE);
  TinyText(scr, W - 240, 80, "BY TICKLING IT", 2, pal::WHITE);
  const int stock[8] = {0, 2, 3, 4, 1, 0, 0, 2};
  const char* names[8] = {"", "MISC HAT", "HARD HAT", "RUBBER HAT", "MISC HAT", "", "", "SAFETY HAT"};
  const RGBA pure[8] = {{}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 1, 1}, {0, 0, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}};
  for (int i = 1; i <= 7; i++) {
    if (stock[i] <= 0) continue;
    FillRect(scr, W - 260, i * 100, 240, 90, {0, 0, 0, 0.5f});
    TinyText(scr, W - 240, i * 100 + 8, names[i], 2, pal::WHITE);
    for (int j = 1; j <= stock[i]; j++) {
      RGBA t = pure[i];
      t.a = j == 1 && i == 3 ? 1.0f : 0.5f;
      Blit(scr, a.bg.Cell(56), float(W - 32 - 36 * j), float(i * 100 + 50), 0.5f, false, t);
    }
  }
  // The pointer: the tickling hand over a walker, and a hat being dragged.
  Blit(scr, a.plonko.Cell(90), 2 * 64 + 40 + GX + 32 - 35.0f, 8 * 64 + GY + 30 - 4.0f);
  float mx = 1050, my = 820;
  Blit(scr, a.plonko.Cell(91), mx - 14, my - 41);
  Blit(scr, a.hats.Cell(0), mx - 33, my - 14, 1, false, HAT_TINTS[2]);
  Blit(scr, a.bits.Cell(0), W - 260 + 120 - 128.0f, 840 - 64.0f - 160);
  return scr;
}

}  // namespace art
