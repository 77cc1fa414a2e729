// The score rule: points for each Plonko saved and for each won level. Pure arithmetic, so the
// game, the tests and the help texts agree on one rule.
#pragma once

#include "game/level_par.h"

constexpr int SAVE_POINTS = 100;           // a Plonko down a hole in "Soft"
constexpr int SAVE_POINTS_HARD = 200;      // ... and in "Hard"
constexpr int WIN_POINTS = 500;            // a won level, plus its number times:
constexpr int WIN_POINTS_PER_LEVEL = 100;
constexpr int HAT_LEFT_POINTS = 200;       // each hat still in the panel at the win
constexpr int PAR_POINTS = 1000;           // won with no more actions than its par

// Points for one Plonko saved; gameMode 1 is "Hard", anything else "Soft".
int SavePoints(int gameMode);

// True when the level has a par and `actions` is no more than its par's actions.
bool AtPar(int actions, const LevelPar& par);

// A level won for real (every walker saved; the skip chord is not a win).
struct WonLevel {
  int level = 1;      // its number, from 1
  int hatsLeft = 0;   // hats left in the panel
  int actions = 0;    // tickles and hats given in the winning attempt
  LevelPar par;       // unset: no par bonus
};
int WinPoints(const WonLevel& won);
