// The level solver on tiny levels whose fewest actions and hats are known by hand, and the whole
// level under the rules alone (PlayRules) agreeing with the plans it finds.
#include <gtest/gtest.h>

#include "game/level_rules.h"
#include "game/level_solver.h"
#include "game_fixture.h"

namespace {

constexpr int NONE = -1;  // no win within the bound

struct Case {
  const char* name;
  const char* rows[14];
  int hard, rubber, safety;  // hats in stock
  int actions, hats;         // fewest actions, fewest hats; NONE when no plan of 3 actions wins
};

// Row 6 is where the walkers start; everything under the floor of row 7 is a deadly drop. A digit
// is a hat of that colour lying on the board.
const Case CASES[] = {
    // name            grid rows                                                     hats      fewest
    {"WalksIn",        {"", "", "", "", "", "",
                        "..>......O....", "##############"},                           0, 0, 0,  0, 0},
    {"TurnFromDrop",   {"", "", "", "", "", "",
                        "....<....O....", "..############"},                           0, 0, 0,  1, 0},
    {"TwoTurns",       {"", "", "", "", "", "",
                        "....<....O....", "..############",
                        "", "", "", "",
                        ".....<......O.", "...###########"},                           0, 0, 0,  2, 0},
    {"BounceOverGap",  {"", "", "", "", "", "",
                        "..>......O....", "######.#######"},                           0, 1, 0,  1, 1},
    {"BangThroughWall",{"", "", "", "", "", "",
                        "..>...#..O....", "##############"},                           1, 0, 0,  1, 1},
    {"NoHatNoWay",     {"", "", "", "", "", "",
                        "..>...#..O....", "##############"},                           0, 0, 0,  NONE, NONE},
    // The Hard Hat picked up just before the wall reaches the panel too late to be dragged on
    // before the turn: the walker must be turned back from the drop to come to the wall again.
    {"HatPickedUpLate",{"", "", "", "", "", "",
                        "....>2#..O....", "....##########"},                           0, 0, 0,  2, 1},
    // The wall stands over a deadly gap, so the walker drops a few frames after its bang: the
    // Rubber Hat can go on only then, as before the bang it would take the Hard Hat's place.
    {"BangThenBounce", {"", "", "", "", "", "",
                        "..>...#..O....", "######.#######"},                           1, 1, 0,  2, 2},
};

class LevelSolver : public GameTest, public testing::WithParamInterface<Case> {};

TEST_P(LevelSolver, FindsTheFewestActionsAndHats) {
  const Case& c = GetParam();
  for (int y = 0; y < 14; ++y) {
    const char* row = c.rows[y] ? c.rows[y] : "";
    for (int x = 0; x < GRID_SIZE && row[x]; ++x) {
      const char ch = row[x];
      if (ch == '#') SetCell(x, y, y > 0 && IsSolid(x, y - 1) ? CELL_GROUND : CELL_SURFACE);
      if (ch == 'O') SetCell(x, y, CELL_HOLE);
      if (ch >= '1' && ch <= '6') SetCell(x, y, CELL_PICKUP + (ch - '0'));
      if (ch == '>' || ch == '<') Add(x, y, ch == '>' ? 1 : -1, WS_WAIT);
    }
  }
  HatStock[HAT_HARD] = c.hard;
  HatStock[HAT_RUBBER] = c.rubber;
  HatStock[HAT_SAFETY] = c.safety;
  RulesLevel start;
  ASSERT_TRUE(CaptureLevel(start));

  const SolverResult r = SolveLevel(start, SolverLimits{});
  if (c.actions == NONE) {
    EXPECT_FALSE(r.shortest.found);
    return;
  }
  ASSERT_TRUE(r.shortest.found);
  EXPECT_EQ(static_cast<int>(r.shortest.actions.size()), c.actions);
  EXPECT_EQ(r.leastHats.hats, c.hats);
  for (const SolverPlan* p : {&r.shortest, &r.leastHats}) {
    const RulesOutcome played = PlayRules(start, p->actions, SolverLimits{}.maxFrames);
    EXPECT_EQ(played.verdict, WON);
    EXPECT_EQ(played.frame, p->frame);
  }
  EXPECT_NE(PlayRules(start, {}, SolverLimits{}.maxFrames).verdict, c.actions == 0 ? LOST : WON);
}

INSTANTIATE_TEST_SUITE_P(TinyLevels, LevelSolver, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
