// The walkers (Plonkos): the state machine that moves one walker by one frame, its drawing, and
// taking walkers out of the list. Walker and the level state are in game/game_state.h.
#pragma once

#include "game/game_state.h"

// Walker states (Walker::anim). 11 is never used.
enum WalkerState {
  WS_WAIT = 0,      // counts tick down, then walks
  WS_WALK = 1,
  WS_STEP_OFF = 2,  // stepping off an edge
  WS_FALL = 3,
  WS_LAND = 4,      // safe landing
  WS_SPLAT = 5,     // fatal landing
  WS_BOUNCE = 6,    // Rubber Hat: back up to the row the fall began on
  WS_HOP = 7,       // forward after a bounce
  WS_TEETER = 8,    // no floor ahead after a bounce: falls again
  WS_BANG = 9,      // Hard Hat: breaks the wall block ahead
  WS_EXIT = 10,     // going down a hole
  WS_FINISHED = 12  // the caller takes it out of the list this frame
};
constexpr int WALKER_WAIT_FRAMES = 660;
// A walker is under the pointer while the pointer is nearer its sprite's centre than this
// (exclusive): the box the pointer hovers, tickles and drops a hat in.
constexpr int HOVER_HALF_W = 20;
constexpr int HOVER_HALF_H = 32;

// What one frame of a walker shows, worked out by the state step for the drawing.
struct WalkerFrame {
  int sx = 0, sy = 0;     // sprite corner at the start of the frame, playfield offset included
  bool hovered = false;   // under the pointer: drawn with a glow
  int f = 0;              // frame of plonko.png and plonkohat.png
  int openingTile = -1;   // bg.png frame of the hole opening behind the walker, -1 none
};

// One frame of a walker: the state step, then the drawing. May leave anim at WS_FINISHED, after
// which the caller removes the walker (RemoveWalker) in the same iteration.
void StepWalker(Walker& w);

// The halves of StepWalker. UpdateWalker takes the pointer (hover, tickle), runs the walker's
// frame of rules (game/rules.h) and plays what they report; DrawWalker draws what it decided.
WalkerFrame UpdateWalker(Walker& w);
void DrawWalker(const Walker& w, const WalkerFrame& frame);

// Screen corner of a walker's sprite, in whole pixels, with the playfield offset (GridX, GridY).
void WalkerCorner(const Walker& w, int& sx, int& sy);

// Takes a walker out of Walkers. When it is the SelectedWalker, the selection moves to a copy in
// DepartedWalker, so a hat still being dragged onto it can be dropped without touching freed memory.
void RemoveWalker(Walker& w);
// Empties Walkers the same way (a level load).
void ClearWalkers();
