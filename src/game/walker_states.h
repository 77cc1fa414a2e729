// The per-state steps of the walker state machine (internal to the walker files).
#pragma once

#include "game/walker.h"

// Runs the step of the walker's current state: moves it, may hand it to another state, and sets
// the frame's animation frame (0 unless the state sets one).
void RunWalkerState(Walker& w, WalkerFrame& frame);
