// One frame of a walker in the game: the pointer path (hover and tickle), then the walker's frame
// of rules, then the sounds and effects the rules report, in the order they happened. The order
// is the game's: a tickle acts on the state the walker had before this frame's rules.
#include <cstdlib>

#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "game/effects.h"
#include "game/game_tally.h"
#include "game/rules.h"
#include "game/sfx.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

bool Hovered(int sx, int sy) {
  return std::abs(FrameMouseX - (sx + 32)) < HOVER_HALF_W && std::abs(FrameMouseY - (sy + 32)) < HOVER_HALF_H;
}

// A press is used by the first hovered walker in list order; the latch keeps the others from
// reacting until the button is released.
void Tickle(Walker& w) {
  if (!ScreenMouseDown(1) || ClickLatch) return;
  PlaySfx(SFX_TICKLE);
  ClickLatch = true;
  // Only a tickle that starts or turns the walker is an action; others do nothing.
  if (w.anim == WS_WAIT || w.anim == WS_WALK) CountAction(false);
  TickleWalker(w);
}

// Effects take the frame's starting corner; the popup layer subtracts the playfield offset once,
// so it is added on top of the corner for the countdown.
void PlayRuleEvents(const RuleEvents& events, const WalkerFrame& frame) {
  for (int i = 0; i < events.count; ++i) {
    const RuleEvent& e = events.at[i];
    if (e.kind == RULE_SOUND) PlaySfx(e.a);
    if (e.kind == RULE_COUNTDOWN)
      ShowCountdown(e.a, static_cast<int>(frame.sx + 32 + GridX), static_cast<int>(frame.sy - 5 + GridY));
    if (e.kind == RULE_SPLAT) EmitSplat(frame.sx, frame.sy);
    if (e.kind == RULE_DEBRIS) EmitDebris(e.a, e.b, GridX, GridY);
    if (e.kind == RULE_SPARKLE) EmitExitSparkle(frame.sx, frame.sy);
  }
}

constexpr int STRIKE_FROM = 167;  // a banging walker shakes between two poses from here

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
  Pose pose;
  RuleEvents events;
  const int savedBefore = LevelBoard.saved;
  StepRules(LevelBoard, w, pose, &events);
  PlayRuleEvents(events, frame);
  if (LevelBoard.saved > savedBefore) ScoreSavedWalker(frame.sx, frame.sy);
  frame.f = pose.f;
  frame.openingTile = pose.openingTile;
  if (w.anim == WS_BANG && w.stp > STRIKE_FROM) frame.f = Rand(168, 174) / 4;
  return frame;
}

void StepWalker(Walker& w) {
  const WalkerFrame frame = UpdateWalker(w);
  DrawWalker(w, frame);
}
