// Floating numbers made by the game: the frame layer draws, ages and removes them.
#include "frame/frame_state.h"
#include "game/effects.h"

namespace {

constexpr int NUMBER_LIFE = 120;  // frames

}  // namespace

void ShowNumber(int n, int x, int y, int r, int g, int b) {
  ScorePopup p;
  p.n = n;
  p.x = static_cast<float>(x);
  p.y = static_cast<float>(y);
  p.t = NUMBER_LIFE;
  p.r = r;
  p.g = g;
  p.b = b;
  ScorePopupList.Append(p);
}
