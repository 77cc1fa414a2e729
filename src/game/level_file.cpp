// The level loader: finds the difficulty's image and decodes one block of it.
#include "game/level_file.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/folders.h"
#include "common/log.h"
#include "game/cells.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/level_colours.h"
#include "game/level_play.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

constexpr int WALKER_WAIT = 660;  // frames a new walker waits before it walks

// The image rows of block `level`; false when the image is too short for it. 64-bit, because
// a level number from a caller is not trusted to keep level * 16 inside an int.
bool BlockTop(int level, int imageHeight, int& top) {
  if (level < 1) return false;
  const int64_t first = (int64_t{level} - 1) * LEVEL_BLOCK;
  if (first + LEVEL_BLOCK > imageHeight) return false;
  top = static_cast<int>(first);
  return true;
}

void PlaceWalker(int x, int y, int d) {
  Walker w;
  w.x = x;
  w.y = y;
  w.d = d;
  w.tick = WALKER_WAIT;
  Walkers.Append(w);
}

int WalkersInBlock(int pixmap, int top) {
  int n = 0;
  for (int y = 0; y < GRID_SIZE; ++y)
    for (int x = 0; x < GRID_SIZE; ++x) n += ClassifyGridPixel(ReadPixel(pixmap, x, top + y)).walker != 0;
  return n;
}

// Rows are decoded top to bottom, so the row above is final when a ground cell asks whether it
// is a surface tile.
void DecodeGrid(int pixmap, int top) {
  for (int y = 0; y < GRID_SIZE; ++y) {
    for (int x = 0; x < GRID_SIZE; ++x) {
      const GridPixel px = ClassifyGridPixel(ReadPixel(pixmap, x, top + y));
      int32_t v = px.cell;
      if (v == CELL_GROUND && (y == 0 || !IsSolid(x, y - 1))) v = CELL_SURFACE;
      if (px.walker != 0) PlaceWalker(x, y, px.walker);
      SetCell(x, y, v);
    }
  }
}

void DecodeTally(int pixmap, int top) {
  for (int y = 0; y < LEVEL_BLOCK; ++y)
    for (int x = GRID_SIZE; x < LEVEL_BLOCK; ++x)
      if (int c = TallyColour(ReadPixel(pixmap, x, top + y))) ++HatStock[c];
  for (int c = 1; c <= HAT_COLOURS; ++c) HatStock[c] = std::min(HatStock[c], HAT_STOCK_CAP);
}

bool EndsWithPng(const std::string& name) { return Upper(Right(name, 4)) == ".PNG"; }

}  // namespace

int DecodeLevel(const std::string& path, int level) {
  // A missing file fails here like a damaged one, so that the loader names it in the log.
  const int image = LoadPixelImage(path);
  LevelsInImage = image == 0 ? 0 : ImageHeight(image) / LEVEL_BLOCK;
  if (image == 0) return LEVEL_FAILED;
  int top = 0;
  const int pixmap = BlockTop(level, ImageHeight(image), top) ? LockImage(image) : 0;
  if (pixmap == 0) {
    FreeImage(image);
    return LEVEL_FAILED;
  }
  // Every walker of a level is played: a block with more than the rules hold is not a level.
  const int walkers = WalkersInBlock(pixmap, top);
  if (walkers > RULES_MAX_WALKERS) {
    LogLine("\t" + path + " level " + std::to_string(level) + ": " + std::to_string(walkers) + " Plonkos, more than " +
            std::to_string(RULES_MAX_WALKERS));
    UnlockImage(image);
    FreeImage(image);
    return LEVEL_FAILED;
  }
  DecodeGrid(pixmap, top);
  DecodeTally(pixmap, top);
  UnlockImage(image);
  FreeImage(image);
  return LEVEL_OK;
}

int LoadLevel(const std::string& name, int level) {
  ++LevelLoads;
  WalkerCount = 0;
  SavedCount = 0;
  for (int c = 1; c <= HAT_COLOURS; ++c) HatStock[c] = 0;
  ClearLevelEffects();
  ClearWalkers();

  const std::string file = EndsWithPng(name) ? name : name + ".png";
  // The images sit beside Files/. The folder is put back by its full path, so a missing level
  // folder cannot leave the game somewhere else.
  int result = LEVEL_FAILED;
  InFolder(FilesPath("../Plonko_Levels"), [&] { result = DecodeLevel(file, level); });
  if (WalkerCount == 0) result = LEVEL_FAILED;
  BeginLevelRecord();
  for (WalkerFrame& f : ShownFrames) f = WalkerFrame{};
  return result;
}
