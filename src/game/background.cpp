// The tinted, scrolling background and the board frame.
#include "frame/draw.h"
#include "game/effects.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "media/media.h"

namespace {

constexpr int TILE_SPAN = 512;  // grid.png at scale 2
constexpr int TILES = 5;        // per axis: enough for the widest logical screen while scrolling
constexpr int FRAME_WIDTH = 4;

struct Drift {
  float& value;
  float& rate;
  float low, high;
};

// The channel wanders between its bounds at a new random speed each time it hits one.
void StepDrift(const Drift& c) {
  c.value += c.rate * 0.1f;
  if (c.value > c.high) c.rate = -static_cast<float>(StreamRnd(EffectsRandom, 0.5, 1.5));
  if (c.value < c.low) c.rate = static_cast<float>(StreamRnd(EffectsRandom, 0.5, 1.5));
}

void StepScroll(int& offset) {
  if (--offset < -TILE_SPAN) offset += TILE_SPAN;
}

}  // namespace

void InitBackground() {
  TintR = static_cast<float>(StreamRnd(EffectsRandom, 0, 100));
  TintG = static_cast<float>(StreamRnd(EffectsRandom, 0, 100));
  TintB = static_cast<float>(StreamRnd(EffectsRandom, 0, 100));
  // All three start darkening, so a game opens on a fading colour rather than a flat one.
  TintVR = -static_cast<float>(StreamRnd(EffectsRandom, 0.5, 1.5));
  TintVG = -static_cast<float>(StreamRnd(EffectsRandom, 0.5, 1.5));
  TintVB = -static_cast<float>(StreamRnd(EffectsRandom, 0.5, 1.5));
  ScrollX = 0;
  ScrollY = 0;
}

void MoveBackground() {
  StepScroll(ScrollX);
  StepScroll(ScrollY);
  const Drift channels[] = {{TintR, TintVR, 20, 100}, {TintG, TintVG, 20, 100}, {TintB, TintVB, 40, 120}};
  for (const Drift& c : channels) StepDrift(c);
}

void DrawBackground(float gridX, float gridY) {

  // The background is not budgeted: it must fill the screen even on the slowest machine.
  SetDrawScale(2);
  SetDrawColour(TintR, TintG, TintB);
  for (int i = 0; i < TILES; ++i)
    for (int j = 0; j < TILES; ++j)
      DrawImage(GridImage, static_cast<float>(TILE_SPAN * i + ScrollX), static_cast<float>(TILE_SPAN * j + ScrollY), 0);

  ResetDrawState();
  for (int k = FRAME_WIDTH; k >= 0; --k) {
    const float light = static_cast<float>(k / 2);  // 2, 1, 1, 0, 0: brightest at the outer edge
    SetDrawColour(light * TintR, light * TintG, light * TintB);
    DrawRect(gridX - k, gridY - k, static_cast<float>(BOARD_PIXELS + 2 * k), static_cast<float>(BOARD_PIXELS + 2 * k));
  }
}
