// Every level against the par its source declares, by a search of the walker rules up to
// SEARCH_ACTIONS actions: no plan wins with fewer hats than the par, nor with fewer actions;
// a Hard level's par uses every hat it hands out (on the board or in the panel); the recorded
// solution plays at par.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/cells.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_par.h"
#include "game/level_solver.h"
#include "game/solution_file.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

namespace fs = std::filesystem;

constexpr int SEARCH_ACTIONS = 3;
constexpr int BOARD_RIGHT = 32 + BOARD_PIXELS;  // a press right of the board takes a hat

struct LevelCase {
  std::string mode;  // "Soft" or "Hard"
  int level;
};

fs::path Levels() { return fs::path(TEST_SOURCE_DIR) / "assets" / "levels"; }

bool Load(const LevelCase& c, RulesLevel& out) {
  WalkerCount = 0;
  SavedCount = 0;
  for (int& h : HatStock) h = 0;
  ClearWalkers();
  const std::string image = (fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels" / (c.mode + ".png")).string();
  return DecodeLevel(image, c.level) == LEVEL_OK && WalkerCount > 0 && CaptureLevel(out);
}

std::vector<LevelCase> AllLevels() {
  MediaInit(MEDIA_HEADLESS);
  std::vector<LevelCase> out;
  for (const char* mode : {"Soft", "Hard"}) {
    RulesLevel s;
    for (int n = 1; Load({mode, n}, s); ++n) out.push_back({mode, n});
  }
  return out;
}

std::string Plan(const SolverPlan& p) {
  std::string out;
  for (const PlayerAction& a : p.actions)
    out += " " + std::to_string(a.frame) + (a.hat ? " h " + std::to_string(a.hat) + " " : " t ") + std::to_string(a.walker) + ",";
  return out;
}

class LevelAtPar : public testing::TestWithParam<LevelCase> {};

TEST_P(LevelAtPar, NoPlanBeatsItAndTheSolutionIsAtPar) {
  const LevelCase& c = GetParam();
  std::vector<LevelPar> pars;
  std::string error;
  ASSERT_TRUE(ReadLevelPars((Levels() / (c.mode + ".txt")).string(), pars, error)) << error;
  ASSERT_LE(c.level, static_cast<int>(pars.size()));
  const LevelPar par = pars[static_cast<size_t>(c.level - 1)];
  ASSERT_TRUE(par.set) << c.mode << " " << c.level << " declares no par";

  MediaInit(MEDIA_HEADLESS);
  RulesLevel start;
  ASSERT_TRUE(Load(c, start));
  // Hats handed out: the stock, and the hats lying on the board.
  int handedOut = 0;
  for (int h = 1; h <= HAT_COLOURS; ++h) handedOut += start.board.stock[h];
  for (int32_t cell : start.board.grid) handedOut += cell > CELL_PICKUP;
  if (c.mode == "Hard") {
    EXPECT_EQ(par.hats, handedOut) << "a Hard level's win uses every hat it hands out";
  }

  SolverLimits limits;
  limits.maxActions = SEARCH_ACTIONS;
  if (par.hats > 0) {
    const SolverPlan fewerHats = FindPlan(start, limits, par.hats - 1, nullptr);
    EXPECT_FALSE(fewerHats.found) << c.mode << " " << c.level << " is won with " << fewerHats.hats
                                  << " hats:" << Plan(fewerHats);
  }
  if (par.actions > 0 && par.actions - 1 <= SEARCH_ACTIONS) {
    limits.maxActions = par.actions - 1;
    const SolverPlan shorter = FindPlan(start, limits, NO_HAT_CAP, nullptr);
    EXPECT_FALSE(shorter.found) << c.mode << " " << c.level << " is won with " << shorter.actions.size()
                                << " actions:" << Plan(shorter);
  }

  Solution s;
  const std::string file = (Levels() / (Lower(c.mode) + "_" + std::to_string(c.level) + ".solution")).string();
  ASSERT_TRUE(ReadSolution(file, s, error)) << error;
  int actions = 0, hats = 0, x = 0;
  for (const SolutionEvent& e : s.events) {
    if (e.kind == SolutionEvent::MOVE) x = e.x;
    if (e.kind != SolutionEvent::PRESS) continue;
    ++actions;
    hats += x >= BOARD_RIGHT;
  }
  EXPECT_EQ(actions, par.actions) << file << " is not at par";
  EXPECT_EQ(hats, par.hats) << file << " is not at par";
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelAtPar, testing::ValuesIn(AllLevels()),
                         [](const testing::TestParamInfo<LevelCase>& info) {
                           return info.param.mode + "_" + std::to_string(info.param.level);
                         });

}  // namespace
