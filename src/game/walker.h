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

// What one frame of a walker shows, worked out by the state step for the drawing.
struct WalkerFrame {
  int sx = 0, sy = 0;     // sprite corner at the start of the frame, playfield offset included
  bool hovered = false;   // under the pointer: drawn with a glow
  int f = 0;              // frame of plonko.png and plonkohat.png
  int openingTile = -1;   // bg.png frame of the hole opening behind the walker, -1 none
};

// Draws a walker as its frame of rules left it and showed it (game/level_play.h steps it).
void DrawWalker(const Walker& w, const WalkerFrame& frame);

// Screen corner of a walker's sprite, in whole pixels, with the playfield offset (GridX, GridY).
void WalkerCorner(const Walker& w, int& sx, int& sy);

// Takes a walker of LevelState out of the level (its record stays).
void RemoveWalker(Walker& w);
// No walkers at all, none selected (a level load).
void ClearWalkers();
