// Grid access. Every read and write is bounds-checked: walkers look one cell beyond themselves,
// which at the board's edge lies outside the table.
#include "game/cells.h"

#include "game/game_state.h"

bool InGrid(int x, int y) { return x >= 0 && x < GRID_SIZE && y >= 0 && y < GRID_SIZE; }

int32_t CellAt(int x, int y) { return InGrid(x, y) ? Grid[y * GRID_STRIDE + x] : CELL_AIR; }

void SetCell(int x, int y, int32_t kind) {
  if (InGrid(x, y)) Grid[y * GRID_STRIDE + x] = kind;
}

bool IsSolid(int x, int y) {
  if (!InGrid(x, y)) return true;
  const int32_t kind = CellAt(x, y);
  return kind == CELL_GROUND || kind == CELL_GROUND_ALT || kind == CELL_SURFACE;
}
