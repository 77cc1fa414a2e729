// The long level test: for every level that hands out a hat it needs, no plan one action longer
// than its par wins with fewer hats, searched to the end. The par test makes the same search
// with a cap on its length and leaves the levels it does not finish to this one, which runs
// apart from `make check` (ctest -L long).
#include <gtest/gtest.h>

#include <string>

#include "game/level_solver.h"
#include "support/level_cases.h"

namespace {

class LevelHatsDeep : public testing::TestWithParam<LevelCase> {};

TEST_P(LevelHatsDeep, NeedsEveryHatOneActionPastPar) {
  const LevelCase& c = GetParam();
  const LevelPar par = ParOf(c);
  ASSERT_TRUE(par.set) << c.mode << " " << c.level << " declares no par";
  if (par.hats == 0) GTEST_SKIP() << "hands out no hat it needs";
  RulesLevel start;
  ASSERT_TRUE(LoadCase(c, start));
  SolverLimits limits;
  limits.maxActions = par.actions + 1;
  const SolverPlan fewer = FindPlan(start, limits, par.hats - 1, nullptr);
  std::string plan;
  for (const PlayerAction& a : fewer.actions)
    plan += " " + std::to_string(a.frame) + (a.hat ? " h " + std::to_string(a.hat) + " " : " t ") + std::to_string(a.walker) + ",";
  EXPECT_FALSE(fewer.found) << c.mode << " " << c.level << " is won with " << fewer.hats << " hats:" << plan;
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelHatsDeep, testing::ValuesIn(AllLevelCases()), LevelCaseName);

}  // namespace
