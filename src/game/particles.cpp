// Spray spurts, block debris and hat pops: created by the walkers and the hat drop, moved, drawn
// and retired once per frame. Particles go through the budgeted DrawSprite, so on a slow machine
// some are not drawn, but every one still moves and expires.
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/effects.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/hats.h"
#include "media/media.h"

namespace {

constexpr int SPURT_WHITE = 1;
constexpr int SPURT_RED = 2;
constexpr int SPLAT_SPURTS = 17;
constexpr int SPARKLE_SPURTS = 3;
constexpr int DEBRIS_SIDE = 8;     // pieces per block side, each 8 x 8 pixels
constexpr int OFF_SCREEN = 16;     // margin beyond the screen where particles are retired
constexpr float POP_SCALE = 8;     // a pop starts at 8 times the 16-pixel hat
constexpr float POP_SHRINK = -0.5f;
constexpr float POP_HALF = 8;      // half of ahat.png's 16 pixels

float Rf(double a, double b) { return static_cast<float>(Rnd(a, b)); }

// Both kinds start at the walker's feet.
void EmitSpurts(int sx, int sy, int count, int kind, float spreadX, float riseMin, float riseMax) {
  for (int i = 0; i < count; ++i) {
    Spurt p;
    p.s = Rf(0.7, 1.3);
    p.x = static_cast<float>(sx + 32);
    p.y = static_cast<float>(sy + 52);
    p.gx = Rf(-spreadX, spreadX);
    p.gy = Rf(riseMin, riseMax);
    p.t = kind;
    SpurtList.Prepend(p);
  }
}

}  // namespace

void EmitSplat(int sx, int sy) { EmitSpurts(sx, sy, SPLAT_SPURTS, SPURT_RED, 4, -12, -6); }

void EmitExitSparkle(int sx, int sy) { EmitSpurts(sx, sy, SPARKLE_SPURTS, SPURT_WHITE, 1.5f, -24, -10); }

void EmitDebris(int cx, int cy, float gridX, float gridY) {
  for (int i = 0; i < DEBRIS_SIDE; ++i) {
    for (int j = 0; j < DEBRIS_SIDE; ++j) {
      Boom b;
      b.x = static_cast<float>(DEBRIS_SIDE * i + CELL_PIXELS * cx) + gridX;
      b.y = static_cast<float>(DEBRIS_SIDE * j + CELL_PIXELS * cy) + gridY;
      b.gx = Rf(-0.2, 0.2);
      b.gy = 0;
      b.n = i + DEBRIS_SIDE * j;
      BoomList.Append(b);
    }
  }
}

void EmitHatPop(float x, float y, int c) {
  HatPop p;
  p.x = x;
  p.y = y;
  p.g = POP_SHRINK;
  p.s = POP_SCALE;
  p.c = c;
  HatPopList.Append(p);
}

void UpdateSpurts() {
  const bool held = LevelHeld();
  SpurtList.ForEach([held](Spurt& p) {
    SetDrawScale(p.s);
    if (p.t == SPURT_RED)
      SetDrawColour(255, 0, 0, 0.5f);
    else
      SetDrawColour(255, 255, 255, 0.5f);
    if (held) {
      DrawSprite(SpurtImage, static_cast<int>(p.x), static_cast<int>(p.y), 0);
      return;
    }
    p.x += p.gx;
    p.y += p.gy;
    p.gy += Rf(0.1, 0.2);  // gravity
    DrawSprite(SpurtImage, static_cast<int>(p.x), static_cast<int>(p.y), 0);
    if (p.y > ScreenH + OFF_SCREEN || p.x < -OFF_SCREEN || p.x > ScreenW + OFF_SCREEN) SpurtList.Remove(&p);
  });
}

void UpdateDebris() {
  const bool held = LevelHeld();
  BoomList.ForEach([held](Boom& b) {
    DrawSprite(BoomImage, static_cast<int>(b.x), static_cast<int>(b.y), b.n);
    if (held) return;
    b.y += b.gy;
    b.x += b.gx;
    b.gy += Rf(0.2, 0.4);
    if (b.y > ScreenH + OFF_SCREEN) BoomList.Remove(&b);
  });
}

void UpdateHatPops() {
  const bool held = LevelHeld();
  HatPopList.ForEach([held](HatPop& p) {
    const Rgb& c = Hat(p.c).pure;
    SetDrawColour(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b));
    SetDrawScale(p.s);
    if (!held) p.s += p.g;
    DrawSprite(AHatImage, static_cast<int>(p.x - POP_HALF * p.s), static_cast<int>(p.y - POP_HALF * p.s), 0);
    if (p.s < 0 || p.s > POP_SCALE) HatPopList.Remove(&p);
  });
}
