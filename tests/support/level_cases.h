// The shipped levels as test cases: each level of both images, loaded as rules state, with the
// par its source declares and the hats it hands out.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/cells.h"
#include "game/game_state.h"
#include "game/hats.h"
#include "game/level_file.h"
#include "game/level_par.h"
#include "game/level_rules.h"
#include "game/walker.h"
#include "media/media.h"

struct LevelCase {
  std::string mode;  // "Soft" or "Hard"
  int level;
};

inline std::filesystem::path LevelSources() { return std::filesystem::path(TEST_SOURCE_DIR) / "assets" / "levels"; }

inline bool LoadCase(const LevelCase& c, RulesLevel& out) {
  WalkerCount = 0;
  SavedCount = 0;
  for (int& h : HatStock) h = 0;
  ClearWalkers();
  const std::string image =
      (std::filesystem::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels" / (c.mode + ".png")).string();
  return DecodeLevel(image, c.level) == LEVEL_OK && WalkerCount > 0 && CaptureLevel(out);
}

inline std::vector<LevelCase> AllLevelCases() {
  MediaInit(MEDIA_HEADLESS);
  std::vector<LevelCase> out;
  for (const char* mode : {"Soft", "Hard"}) {
    RulesLevel s;
    for (int n = 1; LoadCase({mode, n}, s); ++n) out.push_back({mode, n});
  }
  return out;
}

inline std::string LevelCaseName(const testing::TestParamInfo<LevelCase>& info) {
  return info.param.mode + "_" + std::to_string(info.param.level);
}

// The par its source declares; par.set is false when it declares none.
inline LevelPar ParOf(const LevelCase& c) {
  std::vector<LevelPar> pars;
  std::string error;
  if (!ReadLevelPars((LevelSources() / (c.mode + ".txt")).string(), pars, error) || c.level > static_cast<int>(pars.size()))
    return {};
  return pars[static_cast<size_t>(c.level - 1)];
}

// Hats handed out, in the stock and lying on the board; with `working` only those with a rule of
// their own (Hard, Rubber, Safety).
inline int HatsHandedOut(const RulesLevel& s, bool working) {
  auto counts = [&](int hat) { return !working || hat == HAT_HARD || hat == HAT_RUBBER || hat == HAT_SAFETY; };
  int n = 0;
  for (int h = 1; h <= HAT_COLOURS; ++h) n += counts(h) ? s.board.stock[h] : 0;
  for (int32_t cell : s.board.grid) n += cell > CELL_PICKUP && counts(cell - CELL_PICKUP);
  return n;
}
