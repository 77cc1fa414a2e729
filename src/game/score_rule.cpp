// The score rule's arithmetic.
#include "game/score_rule.h"

#include <algorithm>

int SavePoints(int gameMode) { return gameMode == 1 ? SAVE_POINTS_HARD : SAVE_POINTS; }

bool AtPar(int actions, const LevelPar& par) { return par.set && actions <= par.actions; }

int WinPoints(const WonLevel& won) {
  // A damaged count must not take points away.
  const int hats = std::max(won.hatsLeft, 0);
  return WIN_POINTS + WIN_POINTS_PER_LEVEL * std::max(won.level, 0) + HAT_LEFT_POINTS * hats +
         (AtPar(won.actions, won.par) ? PAR_POINTS : 0);
}
