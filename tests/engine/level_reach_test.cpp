// The furthest level won per difficulty, read from the records' level results, and the start
// levels it opens on the title.
#include "common/level_reach.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Won {
  int mode, level;          // the record's difficulty and start level (Level)
  std::vector<int> best;    // levels with Best[n] = 1
  int other = 0;            // a Best[30] value other than 0 or 1 (a damaged file), 0 none
};

TEST(LevelReach, FurthestWonAndReachablePerDifficulty) {
  struct Case {
    const char* what;
    std::vector<Won> records;
    int soft, hard;              // FurthestWon of mode 0 and 1
    int softReach, hardReach;    // ReachableLevel
  } cases[] = {
      // what                                   records                                   furthest  reach
      {"no records", {}, 0, 0, 1, 1},
      {"a game with nothing won", {{0, 0, {}}}, 0, 0, 1, 1},
      {"the highest level of any record", {{0, 0, {1, 2, 3}}, {0, 0, {1, 2, 3, 4, 5}}, {0, 0, {1}}}, 5, 0, 6, 1},
      {"a later start level counts", {{0, 0, {1, 2}}, {0, 6, {7, 8}}}, 8, 0, 9, 1},
      {"a gap in the results", {{1, 0, {1, 9}}}, 0, 9, 1, 10},
      {"each difficulty on its own", {{0, 0, {1, 2, 3}}, {1, 0, {1}}}, 3, 1, 4, 2},
      {"level 30 won: 30 is the last start", {{1, 29, {30}}}, 0, 30, 1, 30},
      {"a result other than 1 is no win", {{0, 0, {2}, 7}}, 2, 0, 3, 1},
  };
  for (const Case& c : cases) {
    List<Scores> list;
    for (const Won& w : c.records) {
      Scores s;
      s.GameMode = w.mode;
      s.Level = w.level;
      for (int n : w.best) s.Best[n] = 1;
      if (w.other) s.Best[30] = w.other;
      list.Append(s);
    }
    EXPECT_EQ(FurthestWon(list, 0), c.soft) << c.what;
    EXPECT_EQ(FurthestWon(list, 1), c.hard) << c.what;
    EXPECT_EQ(ReachableLevel(list, 0), c.softReach) << c.what;
    EXPECT_EQ(ReachableLevel(list, 1), c.hardReach) << c.what;
  }
}

}  // namespace
