// The level solver: a bounded search over the walker rules for the plans that win a level with
// the fewest actions and with the fewest hats. Iterative deepening over the number of actions;
// an action is tried only where it can change what happens next: a walking walker at the start
// of a cell or just after it left a wait or a bang, or a waiting walker (once each second of its
// wait);
// states already searched with as many actions left, no later, are not searched again, and a
// search with no action left stops once a walker is shut in for good.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "game/level_rules.h"

struct SolverLimits {
  int maxActions = 3;     // the deepest plan searched
  int maxFrames = 10800;  // three minutes: the longest a level may take
  bool robust = false;    // accept only plans that still win with each action SLACK_FRAMES off
  int64_t maxStates = 0;  // give up after this many decision points (0: search to the end)
};

struct SolverPlan {
  bool found = false;
  std::vector<PlayerAction> actions;
  int hats = 0;   // hat actions in the plan
  int frame = 0;  // the frame it is won on
  bool cut = false;  // not found, but the search gave up (limits.maxStates, or a SearchStart budget) before it ended
};

struct SolverResult {
  SolverPlan shortest;   // fewest actions (then fewest hats among those found first)
  SolverPlan leastHats;  // fewest hats within maxActions
  int64_t states = 0;    // decision points searched, over all passes
};

// Searches from the level's first frame. Actions are at least ACTION_GAP frames apart, one is
// tried on a walker only when the pointer can reach it alone (no other walker under the aim), and
// a hat only once it has been in the panel long enough for the pointer to take it there
// (HAT_TAKE_LEAD frames), so every plan found can be played with the pointer.
SolverResult SolveLevel(const RulesLevel& start, const SolverLimits& limits);

// A plan of at most limits.maxActions actions and maxHats hats that wins, or none (found false).
// Adds the decision points it searched to *states when states is not null.
SolverPlan FindPlan(const RulesLevel& start, const SolverLimits& limits, int maxHats, int64_t* states);
constexpr int NO_HAT_CAP = 1 << 20;

// A search from a state part way through a level, which may have to give up before it is done.
// (A robust search replays its plans from the level's first frame, so it starts there.)
struct SearchStart {
  int frame = 0;          // the frames the start state has stepped; plans count frames from the level's first
  int firstAction = 0;    // the frame before which no action is tried
  double cpuSeconds = 0;  // CPU time of the searching thread before it gives up; 0 for no limit
  const std::atomic<bool>* cancel = nullptr;  // set from another thread: give up now
};

// FindPlan from `at`. *gaveUp (when not null) says whether it stopped on the budget or the cancel
// before the search was done; a plan found is a win all the same.
SolverPlan FindPlanFrom(const RulesLevel& state, const SolverLimits& limits, int maxHats, const SearchStart& at,
                        int64_t* states, bool* gaveUp);

// CPU time the calling thread has used, in seconds.
double ThreadCpuSeconds();

// The hats a plan uses.
int PlanHats(const std::vector<PlayerAction>& plan);

constexpr int ACTION_GAP = 10;  // frames between two actions of a plan, room for the pointer
constexpr int SLACK_FRAMES = 3;  // how early or late a person may act
constexpr int WAIT_GRAIN = 60;  // a waiting walker can be started at each second of its countdown
