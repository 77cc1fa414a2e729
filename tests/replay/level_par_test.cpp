// Every level against the par its source declares, by a search of the walker rules up to
// SEARCH_ACTIONS actions: no plan wins with fewer hats than the par, nor with fewer actions;
// a Hard level's par uses every hat it hands out (on the board or in the panel), a Soft level's
// every hat with a rule of its own; the recorded solution plays at par; and one action more than
// par does not win with fewer hats.
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
#include "support/level_cases.h"

namespace {

constexpr int SEARCH_ACTIONS = 3;
constexpr int BOARD_RIGHT = 32 + BOARD_PIXELS;  // a press right of the board takes a hat
// The search one action past par stops here (a few seconds of an ordinary build); the levels
// it does not finish are searched to the end by the long level test (tests/level_depth).
constexpr int64_t QUICK_STATES = 1000000;

std::string Plan(const SolverPlan& p) {
  std::string out;
  for (const PlayerAction& a : p.actions)
    out += " " + std::to_string(a.frame) + (a.hat ? " h " + std::to_string(a.hat) + " " : " t ") + std::to_string(a.walker) + ",";
  return out;
}

class LevelAtPar : public testing::TestWithParam<LevelCase> {};

TEST_P(LevelAtPar, NoPlanBeatsItAndTheSolutionIsAtPar) {
  const LevelCase& c = GetParam();
  const LevelPar par = ParOf(c);
  ASSERT_TRUE(par.set) << c.mode << " " << c.level << " declares no par";

  MediaInit(MEDIA_HEADLESS);
  RulesLevel start;
  ASSERT_TRUE(LoadCase(c, start));
  if (c.mode == "Hard") {
    EXPECT_EQ(par.hats, HatsHandedOut(start, false)) << "a Hard level's win uses every hat it hands out";
  }
  // A Soft level may hand out hats that do nothing, but every hat with a rule is for the win.
  EXPECT_EQ(par.hats, HatsHandedOut(start, true)) << c.mode << " " << c.level << " hands out a hat its win does not use";

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
  std::string error;
  const std::string file = (LevelSources() / (Lower(c.mode) + "_" + std::to_string(c.level) + ".solution")).string();
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

// One action more than par must not make a hat it hands out unneeded: a hold replaced by a few
// turns is the usual way round. Levels whose search is long are left to the long level test.
TEST_P(LevelAtPar, NeedsEveryHatOneActionPastPar) {
  const LevelCase& c = GetParam();
  const LevelPar par = ParOf(c);
  ASSERT_TRUE(par.set);
  if (par.hats == 0) GTEST_SKIP() << "hands out no hat it needs";
  MediaInit(MEDIA_HEADLESS);
  RulesLevel start;
  ASSERT_TRUE(LoadCase(c, start));
  SolverLimits limits;
  limits.maxActions = par.actions + 1;
  limits.maxStates = QUICK_STATES;
  const SolverPlan fewer = FindPlan(start, limits, par.hats - 1, nullptr);
  if (fewer.cut) GTEST_SKIP() << "a long search: the long level test makes it";
  EXPECT_FALSE(fewer.found) << c.mode << " " << c.level << " is won with " << fewer.hats << " hats in "
                            << fewer.actions.size() << " actions:" << Plan(fewer);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelAtPar, testing::ValuesIn(AllLevelCases()), LevelCaseName);

}  // namespace
