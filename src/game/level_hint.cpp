// The hint search: iterative deepening over the actions left, from the state as it stands.
#include "game/level_hint.h"

#include "game/level_solver.h"

int HintActions(const LevelPar& par) {
  return (par.set ? par.actions : SolverLimits{}.maxActions) + HINT_EXTRA_ACTIONS;
}

Hint FindHint(const RulesLevel& now, int frame, const HintBudget& budget) {
  Hint out;
  const Verdict v = SearchVerdict(now);
  if (v != PLAYING) {
    out.kind = v == WON ? HINT_WIN : HINT_NO_WIN;
    return out;
  }
  SearchStart at;
  at.frame = frame;
  at.firstAction = frame + budget.lead;
  at.cancel = budget.cancel;
  const double cpuStart = ThreadCpuSeconds();
  bool gaveUp = false;
  for (int d = 0; d <= budget.maxActions; ++d) {
    // Each pass gets what the earlier ones left of the budget.
    SolverLimits limits;
    limits.maxActions = d;
    if (budget.maxStates > 0) {
      limits.maxStates = budget.maxStates - out.states;
      if (limits.maxStates <= 0) return out;
    }
    if (budget.cpuSeconds > 0) {
      at.cpuSeconds = budget.cpuSeconds - (ThreadCpuSeconds() - cpuStart);
      if (at.cpuSeconds <= 0) return out;
    }
    const SolverPlan plan = FindPlanFrom(now, limits, NO_HAT_CAP, at, &out.states, &gaveUp);
    if (plan.found) {
      out.kind = HINT_WIN;
      out.plan = plan.actions;
      return out;
    }
    if (gaveUp) return out;
  }
  out.kind = HINT_NO_WIN;
  return out;
}
