// How the level images' pixel colours read: the grid colour rules (in their order, a later match
// overriding an earlier one) and the hat tally rules, plus the canonical colour of each meaning,
// which the level tool paints with. Shared by the level loader and the level tool so that both
// read a pixel the same way.
#pragma once

#include <cstdint>

#include "game/hats.h"

// What one grid pixel means before the surface rule looks at the cell above.
struct GridPixel {
  int32_t cell = 0;  // CELL_AIR, CELL_GROUND, CELL_HOLE or a pickup 11..16
  int walker = 0;    // 1 a walker facing right starts here, -1 facing left, 0 none
  bool operator==(const GridPixel&) const = default;
};

GridPixel ClassifyGridPixel(uint32_t argb);
// The hat colour 1..7 that a tally pixel adds to the stock, 0 for none.
int TallyColour(uint32_t argb);

// Canonical colours (alpha ignored by the readers).
Rgb GroundColour();
Rgb WalkerColour(int d);  // white facing right, cream facing left
Rgb HoleColour();
Rgb HatPixelColour(int index);  // a pickup (1..6) in the grid or a tally pixel (1..7)
