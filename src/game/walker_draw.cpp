// Drawing a walker: the hole opening behind it, its body (mirrored when it faces left, glowing
// when hovered), its hat in the hat's tint, and the closing hole in front of it as it sinks.
#include <algorithm>

#include "frame/draw.h"
#include "game/game_images.h"
#include "game/hats.h"
#include "game/walker.h"

namespace {

constexpr float BODY_GLOW_SCALE = 1.2f, BODY_GLOW_ALPHA = 0.6f;
constexpr float HAT_GLOW_SCALE = 1.3f, HAT_GLOW_ALPHA = 0.4f;

}  // namespace

void DrawWalker(const Walker& w, const WalkerFrame& frame) {
  if (frame.openingTile >= 0) {
    SetDrawScale(1);
    DrawSprite(BgImage, frame.sx, frame.sy, frame.openingTile);
  }

  // Mirrored about the sprite's middle: the corner moves to the right edge.
  const bool left = w.d == -1;
  SetDrawScale(left ? -1.0f : 1.0f, 1.0f);
  const int xs = left ? frame.sx + CELL_PIXELS : frame.sx;

  const bool gone = (w.anim == WS_EXIT && w.stp >= 100) || w.anim == WS_FINISHED;
  if (!gone) {
    if (frame.hovered)
      DrawGlowSprite(PlonkoImage, xs, frame.sy, frame.f, PlonkoImage, BODY_GLOW_SCALE, BODY_GLOW_ALPHA);
    else
      DrawSprite(PlonkoImage, xs, frame.sy, frame.f);
  }

  if (w.hat > 0) {
    const Rgb& tint = Hat(w.hat).worn;
    SetDrawColour(static_cast<float>(tint.r), static_cast<float>(tint.g), static_cast<float>(tint.b));
    DrawGlowSprite(PlonkoHatImage, xs, frame.sy, frame.f, PlonkoHatImage, HAT_GLOW_SCALE, HAT_GLOW_ALPHA);
    SetDrawColour(255, 255, 255);
  }

  if (w.anim == WS_EXIT && w.stp > 40) {
    SetDrawScale(1);
    SetDrawColour(255, 255, 255);
    DrawSprite(BgImage, frame.sx, frame.sy, std::min(108 - w.stp / 2, 52));
  }
}
