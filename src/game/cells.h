// The level grid's cell kinds and bounds-checked access to a Board's grid (the game's own is
// LevelBoard, which the forms without a board use).
#pragma once

#include <cstdint>

struct Board;

// Cell kinds stored in Grid.
enum CellKind : int32_t {
  CELL_AIR = 0,
  CELL_GROUND = 1,      // ground with ground directly above
  CELL_GROUND_ALT = 2,  // a second ground tile family; never decoded
  CELL_SURFACE = 3,     // ground with no ground above
  CELL_HOLE = 4,        // takes one walker out of the level
  CELL_PICKUP = 10      // 11..17: a hat of colour (kind - 10) lying on the board
};

// True for kinds 1, 2, 3 and for every position outside the 14 x 14 grid, so walkers treat
// the board's edges as walls and floor.
bool IsSolid(const Board& b, int x, int y);
bool IsSolid(int x, int y);
bool InGrid(int x, int y);
// The cell's kind; CELL_AIR outside the grid.
int32_t CellAt(const Board& b, int x, int y);
int32_t CellAt(int x, int y);
// Writes a cell; positions outside the grid are ignored.
void SetCell(Board& b, int x, int y, int32_t kind);
void SetCell(int x, int y, int32_t kind);
