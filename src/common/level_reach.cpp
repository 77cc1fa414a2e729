#include "common/level_reach.h"

#include <algorithm>

int FurthestWon(List<Scores>& list, int mode) {
  int furthest = 0;
  list.ForEach([&](const Scores& s) {
    if (s.GameMode != mode) return;
    for (int n = LEVELS_PER_MODE; n > furthest; --n)
      if (s.Best[n] == 1) {
        furthest = n;
        break;
      }
  });
  return furthest;
}

int ReachableLevel(List<Scores>& list, int mode) { return std::min(LEVELS_PER_MODE, FurthestWon(list, mode) + 1); }
