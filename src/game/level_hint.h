// The hint: from the level as it stands, the next action of a win within the level's par and two
// more actions, found by the level solver under a budget. The search reads only its own copy of
// the state, so it may run on another thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "game/level_notes.h"
#include "game/level_rules.h"

enum HintKind {
  HINT_WIN,     // plan holds a win; plan[0] is the next action
  HINT_NO_WIN,  // no win within the bound of actions from here
  HINT_GAVE_UP  // the budget ran out (or the search was cancelled) before an answer
};

struct Hint {
  HintKind kind = HINT_GAVE_UP;
  std::vector<PlayerAction> plan;  // the win found, frames counted from the level's first
  int64_t states = 0;              // decision points searched
};

constexpr int HINT_EXTRA_ACTIONS = 2;    // actions a hint's win may take beyond the level's par
constexpr int HINT_LEAD_FRAMES = 30;     // the soonest a hinted action comes after the state searched
constexpr double HINT_CPU_SECONDS = 1.0;  // the game's budget for one hint

struct HintBudget {
  int maxActions = 0;       // actions the win may take from here
  int64_t maxStates = 0;    // decision points before it gives up; 0 for no limit
  double cpuSeconds = 0;    // CPU time of the searching thread; 0 for no limit
  int lead = HINT_LEAD_FRAMES;
  const std::atomic<bool>* cancel = nullptr;
};

// Actions a hint may look ahead on a level with this par (a level with none takes the solver's
// usual depth as its par).
int HintActions(const LevelPar& par);

// Searches from `now`, which has stepped `frame` frames of its attempt. The first action of a win
// comes no sooner than budget.lead frames on, so a person has time to act on it; among the
// wins, one with the fewest actions is given.
Hint FindHint(const RulesLevel& now, int frame, const HintBudget& budget);
