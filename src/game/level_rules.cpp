// A level stepped under the walker rules alone.
#include "game/level_rules.h"

#include "game/walker.h"

bool CaptureLevel(RulesLevel& out) {
  out = LevelState;
  return LevelState.count <= RULES_MAX_WALKERS;
}

void StepLevel(RulesLevel& s, const PlayerAction* actions, int n, StepReport* report) {
  if (report) {
    report->stepped = report->tickled = report->hatsOn = 0;
  }
  for (int i = 0; i < s.count; ++i) {
    if (!(s.live >> i & 1)) continue;
    Walker& w = s.walkers[i];
    for (int k = 0; k < n; ++k) {
      if (actions[k].hat != 0 || actions[k].walker != i) continue;
      if (report && (w.anim == WS_WAIT || w.anim == WS_WALK)) report->tickled |= 1u << i;
      TickleWalker(w);
    }
    Pose pose;
    RuleEvents* events = nullptr;
    if (report) {
      report->stepped |= 1u << i;
      report->before[i] = w;
      report->events[i].count = 0;
      events = &report->events[i];
    }
    StepRules(s.board, w, pose, events);
    if (report) report->pose[i] = pose;
    if (w.anim == WS_FINISHED) s.live &= ~(1u << i);
  }
  for (int k = 0; k < n; ++k) {
    const PlayerAction& a = actions[k];
    if (a.hat <= 0 || a.hat > HAT_COLOURS || a.walker < 0 || a.walker >= s.count) continue;
    if (!(s.live >> a.walker & 1) || s.board.stock[a.hat] <= 0) continue;
    --s.board.stock[a.hat];
    GiveHat(s.walkers[a.walker], a.hat);
    if (report && k < 32) report->hatsOn |= 1u << k;
  }
}

Verdict LevelVerdict(const RulesLevel& s) {
  if (s.live != 0) return PLAYING;
  return s.board.saved == s.count ? WON : LOST;
}

Verdict SearchVerdict(const RulesLevel& s) {
  for (int i = 0; i < s.count; ++i)
    if (s.live >> i & 1 && s.walkers[i].anim == WS_SPLAT) return LOST;
  return LevelVerdict(s);
}

RulesOutcome PlayRules(RulesLevel s, const std::vector<PlayerAction>& actions, int maxFrames) {
  size_t next = 0;
  for (int frame = 0; frame < maxFrames; ++frame) {
    const size_t first = next;
    while (next < actions.size() && actions[next].frame <= frame) ++next;
    StepLevel(s, actions.data() + first, static_cast<int>(next - first));
    const Verdict v = SearchVerdict(s);
    if (v != PLAYING) return {v, frame};
  }
  return {PLAYING, maxFrames};
}
