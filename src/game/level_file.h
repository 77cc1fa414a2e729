// Level files: one PNG image per difficulty ("Soft", "Hard") in the folder Plonko_Levels beside
// Files/, each level a 16 x 16 pixel block, stacked top to bottom. Columns 0..13 of rows 0..13
// of a block are the grid, columns 14 and 15 of all 16 rows the hat tally.
#pragma once

#include <string>

constexpr int LEVEL_OK = 0;
constexpr int LEVEL_FAILED = 99;  // no such level: the game ends
constexpr int LEVEL_BLOCK = 16;   // pixels per level block side
constexpr int HAT_STOCK_CAP = 6;  // most hats of one colour a level hands out

// Resets the level state (counts, hat stock, walkers, debris), opens name (".png" appended unless
// it already ends in it, in any case) in ../../Plonko_Levels relative to the current folder and
// decodes block `level` (from 1). LEVEL_FAILED when the image is missing, damaged or too short,
// or when the block places no walker. The current folder is the same afterwards in every case.
int LoadLevel(const std::string& name, int level);

// Decodes block `level` of the image at path into Grid, Walkers, WalkerCount and HatStock, and
// counts the image's blocks into LevelsInImage.
// LEVEL_FAILED, with the grid untouched, when the image cannot be read, has no such block, or
// the block places more walkers than a level holds (RULES_MAX_WALKERS).
int DecodeLevel(const std::string& path, int level);
