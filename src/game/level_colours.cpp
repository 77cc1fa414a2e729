// The pixel rules of the level images. Every comparison is strict, so a channel of exactly 100
// or 200 falls outside the bands that name it; the level tool warns about such pixels.
#include "game/level_colours.h"

#include "game/cells.h"

namespace {

// An open interval of channel values: lo < v < hi.
struct Band {
  int lo, hi;
  bool Holds(int v) const { return v > lo && v < hi; }
};
constexpr Band LOW{-1, 100};    // < 100
constexpr Band MID{100, 200};   // 100 < v < 200
constexpr Band OVER100{100, 256};  // > 100
constexpr Band HIGH{200, 256};  // > 200

struct GridRule {
  Band r, g, b;
  GridPixel result;
};

// Applied in this order; the last rule that matches decides. Yellow matches the ground rule
// first and then becomes a pickup, so orange is the only ground that survives.
constexpr GridRule GRID_RULES[] = {
    //  R     G        B      result
    {HIGH, OVER100, LOW, {CELL_GROUND, 0}},
    {HIGH, HIGH, HIGH, {CELL_AIR, 1}},   // white: walker facing right
    {HIGH, HIGH, MID, {CELL_AIR, -1}},   // cream: walker facing left
    {HIGH, LOW, LOW, {CELL_PICKUP + 1, 0}},
    {HIGH, HIGH, LOW, {CELL_PICKUP + 2, 0}},
    {LOW, HIGH, LOW, {CELL_PICKUP + 3, 0}},
    {LOW, HIGH, HIGH, {CELL_PICKUP + 4, 0}},
    {LOW, LOW, HIGH, {CELL_PICKUP + 5, 0}},
    {HIGH, LOW, HIGH, {CELL_PICKUP + 6, 0}},
    {MID, HIGH, HIGH, {CELL_HOLE, 0}},   // pale blue
};

// Tally colour by which channels lie above 200 (bit 2 red, bit 1 green, bit 0 blue).
constexpr int TALLY_BY_MASK[8] = {0, 5, 3, 4, 1, 6, 2, 7};

// Canonical colours of hat pixels, valid for the grid's 100 bands and the tally's 200 threshold.
constexpr Rgb HAT_PIXELS[] = {{0, 0, 0},      {240, 40, 40},  {240, 240, 40}, {40, 240, 40},
                              {40, 240, 240}, {40, 40, 240},  {240, 40, 240}, {240, 240, 240}};

int Red(uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }
int Green(uint32_t argb) { return static_cast<int>((argb >> 8) & 0xFF); }
int Blue(uint32_t argb) { return static_cast<int>(argb & 0xFF); }

}  // namespace

GridPixel ClassifyGridPixel(uint32_t argb) {
  const int r = Red(argb), g = Green(argb), b = Blue(argb);
  GridPixel out;
  for (const GridRule& rule : GRID_RULES)
    if (rule.r.Holds(r) && rule.g.Holds(g) && rule.b.Holds(b)) out = rule.result;
  return out;
}

int TallyColour(uint32_t argb) {
  const int channels[3] = {Red(argb), Green(argb), Blue(argb)};
  int mask = 0;
  for (int v : channels) {
    if (v == 200) return 0;
    mask = mask * 2 + (v > 200 ? 1 : 0);
  }
  return TALLY_BY_MASK[mask];
}

Rgb GroundColour() { return {220, 140, 60}; }
Rgb WalkerColour(int d) { return d < 0 ? Rgb{255, 240, 150} : Rgb{255, 255, 255}; }
Rgb HoleColour() { return {150, 220, 255}; }
Rgb HatPixelColour(int index) { return HAT_PIXELS[index >= 1 && index <= HAT_SAFETY ? index : 0]; }
