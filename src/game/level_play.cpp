// The game's level frame: the rules step of LevelState, then the sounds, effects and points of
// what it showed, in the order it happened; the attempt's record, and undo by playing it again.
#include "game/level_play.h"

#include "frame/frame_state.h"
#include "game/effects.h"
#include "game/flow_state.h"
#include "game/game_tally.h"
#include "game/sfx.h"
#include "media/media.h"

namespace {

constexpr int STRIKE_FROM = 167;  // a banging walker shakes between two poses from here

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

// Only an action that did something is the attempt's: a tickle that started or turned its
// walker, a hat that went on.
void RecordAction(const PlayerAction& a, int frame) {
  CountAction(a.hat != 0);
  ActionLog.push_back({frame, a.walker, a.hat});
}

}  // namespace

void StepGameLevel(const PlayerAction* actions, int n) {
  StepReport report;
  StepLevel(LevelState, actions, n, &report);
  ShownWalkers = report.stepped;
  for (int i = 0; i < LevelState.count; ++i) {
    if (!(report.stepped >> i & 1)) continue;
    const Walker& w = LevelState.walkers[i];
    WalkerFrame& frame = ShownFrames[i];
    WalkerCorner(report.before[i], frame.sx, frame.sy);
    frame.hovered = HoveredWalkers >> i & 1;
    frame.f = report.pose[i].f;
    frame.openingTile = report.pose[i].openingTile;
    if (w.anim == WS_BANG && w.stp > STRIKE_FROM) frame.f = StreamRand(EffectsRandom, 168, 174) / 4;
    PlayRuleEvents(report.events[i], frame);
    if (report.before[i].anim == WS_EXIT && w.anim == WS_FINISHED) ScoreSavedWalker(frame.sx, frame.sy);
  }
  for (int k = 0; k < n; ++k) {
    const PlayerAction& a = actions[k];
    if (a.hat == 0) {
      if (a.walker >= 0 && a.walker < RULES_MAX_WALKERS && (report.tickled >> a.walker & 1)) RecordAction(a, LevelFrame);
      continue;
    }
    if (k >= 32 || !(report.hatsOn >> k & 1)) continue;
    int sx = 0, sy = 0;
    WalkerCorner(LevelState.walkers[a.walker], sx, sy);
    EmitHatPop(static_cast<float>(sx + 32), static_cast<float>(sy + 8), a.hat);
    PlaySfx(SFX_DROP_HAT);
    RecordAction(a, LevelFrame);
  }
  ++LevelFrame;
}

void PlayLevelFrame() {
  PlayerAction actions[MAX_FRAME_ACTIONS];
  const int n = PointerActions(actions);
  StepGameLevel(actions, n);
  TakeHatFromPanel();
}

void BeginLevelRecord() {
  LevelStart = LevelState;
  LevelFrame = 0;
  ActionLog.clear();
  ShownWalkers = HoveredWalkers = 0;
  SelectedWalker = -1;
}

RulesLevel Replayed(const RulesLevel& start, const std::vector<PlayerAction>& log, int frames) {
  RulesLevel s = start;
  size_t next = 0;
  for (int frame = 0; frame < frames; ++frame) {
    const size_t first = next;
    while (next < log.size() && log[next].frame <= frame) ++next;
    StepLevel(s, log.data() + first, static_cast<int>(next - first));
  }
  return s;
}

bool UndoAction() {
  if (ActionLog.empty()) return false;
  const int frame = ActionLog.back().frame;
  ActionLog.pop_back();
  LevelState = Replayed(LevelStart, ActionLog, frame);
  LevelFrame = frame;
  // A hat in the hand came from the stock that was just played again, which holds it.
  DraggedHat = 0;
  ShownWalkers = HoveredWalkers = 0;
  // What the undone frames threw out (spurts, debris, countdown numbers) goes with them.
  ClearLevelEffects();
  RecountLevelTally();
  return true;
}
