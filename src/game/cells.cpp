// Grid access. Every read and write is bounds-checked: walkers look one cell beyond themselves,
// which at the board's edge lies outside the table.
#include "game/cells.h"

#include "game/game_state.h"

bool InGrid(int x, int y) { return x >= 0 && x < GRID_SIZE && y >= 0 && y < GRID_SIZE; }

int32_t CellAt(const Board& b, int x, int y) { return InGrid(x, y) ? b.grid[y * GRID_STRIDE + x] : CELL_AIR; }
int32_t CellAt(int x, int y) { return CellAt(LevelBoard, x, y); }

void SetCell(Board& b, int x, int y, int32_t kind) {
  if (InGrid(x, y)) b.grid[y * GRID_STRIDE + x] = kind;
}
void SetCell(int x, int y, int32_t kind) { SetCell(LevelBoard, x, y, kind); }

bool IsSolid(const Board& b, int x, int y) {
  if (!InGrid(x, y)) return true;
  const int32_t kind = b.grid[y * GRID_STRIDE + x];
  return kind == CELL_GROUND || kind == CELL_GROUND_ALT || kind == CELL_SURFACE;
}
bool IsSolid(int x, int y) { return IsSolid(LevelBoard, x, y); }
