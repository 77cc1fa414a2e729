// Spray spurts, block debris and hat pops: created by the walkers and the hat drop, moved, drawn
// and retired once per frame. Particles go through the budgeted DrawSprite, so on a slow machine
// some are not drawn, but every one still moves and expires.
#include <vector>

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

float Rf(double a, double b) { return static_cast<float>(StreamRnd(ParticlesRandom, a, b)); }

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

// A particle as its last move left it to be drawn.
struct Shown {
  float x = 0, y = 0, s = 1;
  float r = 255, g = 255, b = 255, a = 1;
  int cell = 0;
};
std::vector<Shown> ShownSpurts, ShownDebris, ShownHatPops;

void DrawShown(const std::vector<Shown>& shown, int image) {
  for (const Shown& p : shown) {
    SetDrawScale(p.s);
    SetDrawColour(p.r, p.g, p.b, p.a);
    DrawSprite(image, static_cast<int>(p.x), static_cast<int>(p.y), p.cell);
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

void MoveSpurts() {
  ShownSpurts.clear();
  SpurtList.ForEach([](Spurt& p) {
    p.x += p.gx;
    p.y += p.gy;
    p.gy += Rf(0.1, 0.2);  // gravity
    const bool red = p.t == SPURT_RED;
    ShownSpurts.push_back({p.x, p.y, p.s, 255, red ? 0.0f : 255.0f, red ? 0.0f : 255.0f, 0.5f, 0});
    if (p.y > ScreenH + OFF_SCREEN || p.x < -OFF_SCREEN || p.x > ScreenW + OFF_SCREEN) SpurtList.Remove(&p);
  });
}

void MoveDebris() {
  ShownDebris.clear();
  BoomList.ForEach([](Boom& b) {
    ShownDebris.push_back({b.x, b.y, 1, 255, 255, 255, 1, b.n});  // where it was before it moves
    b.y += b.gy;
    b.x += b.gx;
    b.gy += Rf(0.2, 0.4);
    if (b.y > ScreenH + OFF_SCREEN) BoomList.Remove(&b);
  });
}

void MoveHatPops() {
  ShownHatPops.clear();
  HatPopList.ForEach([](HatPop& p) {
    const Rgb& c = Hat(p.c).pure;
    const float drawn = p.s;  // drawn at the old scale, placed by the new one
    p.s += p.g;
    ShownHatPops.push_back({p.x - POP_HALF * p.s, p.y - POP_HALF * p.s, drawn, static_cast<float>(c.r),
                            static_cast<float>(c.g), static_cast<float>(c.b), 1, 0});
    if (p.s < 0 || p.s > POP_SCALE) HatPopList.Remove(&p);
  });
}

void ForgetShownEffects() {
  ShownSpurts.clear();
  ShownDebris.clear();
  ShownHatPops.clear();
}

void DrawSpurts() { DrawShown(ShownSpurts, SpurtImage); }
void DrawDebris() { DrawShown(ShownDebris, BoomImage); }
void DrawHatPops() { DrawShown(ShownHatPops, AHatImage); }
