// Where a walker is on the screen, and taking walkers out of the level.
#include "frame/frame_state.h"
#include "game/walker.h"

void WalkerCorner(const Walker& w, int& sx, int& sy) {
  sx = static_cast<int>(static_cast<float>(w.x * CELL_PIXELS + w.ox) + GridX);
  sy = static_cast<int>(static_cast<float>(w.y * CELL_PIXELS + w.oy) + GridY);
}

void RemoveWalker(Walker& w) {
  const int i = WalkerIndex(w);
  if (i >= 0 && i < RULES_MAX_WALKERS) LevelState.live &= ~(1u << i);
}

void ClearWalkers() {
  // The records of the last level go too: two loads of one level hold the same state.
  for (Walker& w : LevelState.walkers) w = Walker{};
  LevelState.count = 0;
  LevelState.live = 0;
  SelectedWalker = -1;
}
