// One frame of a walker, before its state's own step: the pointer (hover and tickle), the
// waiting countdown and the test for stepping off an edge. The order is the game's: a tickle
// acts on the state the walker had before this frame's countdown and state step.
#include <cstdlib>

#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "game/cells.h"
#include "game/effects.h"
#include "game/hats.h"
#include "game/sfx.h"
#include "game/walker.h"
#include "game/walker_states.h"
#include "media/media.h"

namespace {

constexpr int HOVER_HALF_W = 20;  // hover box around the sprite's centre, exclusive
constexpr int HOVER_HALF_H = 32;
constexpr int EDGE_OFFSET = 32;   // ox at which a walker looks for floor ahead
constexpr int STEP_OFF_START = 40;

bool Hovered(int sx, int sy) {
  return std::abs(FrameMouseX - (sx + 32)) < HOVER_HALF_W && std::abs(FrameMouseY - (sy + 32)) < HOVER_HALF_H;
}

// A press is used by the first hovered walker in list order; the latch keeps the others from
// reacting until the button is released.
void Tickle(Walker& w) {
  if (!ScreenMouseDown(1) || ClickLatch) return;
  PlaySfx(SFX_TICKLE);
  ClickLatch = true;
  if (w.anim == WS_WAIT) {
    w.anim = WS_WALK;
    if (w.hat == HAT_SAFETY) w.hat = 0;  // a Safety Hat comes off when the wait is cut short
  } else if (w.anim == WS_WALK) {
    w.d = -w.d;
  }
}

void CountDown(Walker& w, const WalkerFrame& frame) {
  if (w.anim == WS_WAIT && w.tick > 0) {
    --w.tick;
    // The popup layer subtracts the playfield offset once, so it is added on top of the corner.
    if (w.tick % 60 == 0)
      ShowNumber(w.tick / 60, static_cast<int>(frame.sx + 32 + GridX), static_cast<int>(frame.sy - 5 + GridY), 255, 255, 255);
    if (w.tick == 0) {
      w.anim = WS_WALK;
      if (w.hat == HAT_SAFETY) w.hat = 0;
    }
  }
  if (w.anim != WS_WAIT) w.tick = 0;
}

void TestEdge(Walker& w) {
  if (w.anim != WS_WALK || w.oy != 0) return;
  if (!(w.ox == EDGE_OFFSET && w.d == 1) && !(w.ox == -EDGE_OFFSET && w.d == -1)) return;
  const bool inside = w.d == 1 ? w.x < GRID_SIZE - 1 : w.x > 0;
  if (inside && w.y < GRID_SIZE - 1 && !IsSolid(w.x + w.d, w.y + 1)) {
    w.anim = WS_STEP_OFF;
    w.fell = w.y;
    w.stp = STEP_OFF_START;
    PlaySfx(SFX_STEP_OFF);
  }
}

}  // namespace

void WalkerCorner(const Walker& w, int& sx, int& sy) {
  sx = static_cast<int>(static_cast<float>(w.x * CELL_PIXELS + w.ox) + GridX);
  sy = static_cast<int>(static_cast<float>(w.y * CELL_PIXELS + w.oy) + GridY);
}

WalkerFrame UpdateWalker(Walker& w) {
  WalkerFrame frame;
  WalkerCorner(w, frame.sx, frame.sy);
  frame.hovered = Hovered(frame.sx, frame.sy);
  if (frame.hovered) {
    SelectedWalker = &w;
    Tickle(w);
  }
  CountDown(w, frame);
  TestEdge(w);
  RunWalkerState(w, frame);
  return frame;
}

void StepWalker(Walker& w) {
  const WalkerFrame frame = UpdateWalker(w);
  DrawWalker(w, frame);
}
