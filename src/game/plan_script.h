// A plan of player actions turned into the pointer input that plays it: moves, presses and
// releases by level frame, in the logical units of the 1280 x 960 layout, as solution files hold
// them (game/solution_file.h).
#pragma once

#include <vector>

#include "game/level_rules.h"
#include "game/solution_file.h"

// The pointer is over a hat's panel icon until HAT_TAKE_LEAD frames before the hat's drop: a
// hat that comes into the panel later (picked up on the board) cannot be dropped at that frame.
constexpr int HAT_TAKE_LEAD = 4;

// A tickle at frame f: the pointer moves onto the walker's middle the frame before, the button
// goes down at f and up two frames later. A hat at frame f: the pointer takes the hat from its
// panel row six frames before, moves onto the walker three frames before, and lets go at f, so
// the hat goes on after the walkers' step of frame f, as the rules have it. The walkers'
// positions come from playing the plan under the rules.
std::vector<SolutionEvent> PlanEvents(const RulesLevel& start, const std::vector<PlayerAction>& plan);

// The walker's middle on screen at the start of a frame, board at the 1280 x 960 layout's origin.
void WalkerMiddle(const Walker& w, int& x, int& y);
