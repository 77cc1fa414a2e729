// The loop watch: a level whose walkers only repeat a loop is told apart from a live one, on
// tiny boards stepped by the game's own walker step.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "game/loop_watch.h"
#include "game_fixture.h"

namespace {

// A walker on a floor closed by two walls inside the board: it paces for ever.
const std::initializer_list<const char*> BOX = {"..............", "..............", "..............",
                                                "..............", "..............", ".#......#.....",
                                                "##############"};
// The same floor open to the board's edges, which no Hard Hat can break.
const std::initializer_list<const char*> EDGES = {"..............", "..............", "..............",
                                                  "..............", "..............", "..............",
                                                  "##############"};
// A floor leading to a hole.
const std::initializer_list<const char*> HOLE = {"..............", "..............", "..............",
                                                 "..............", "..............", ".#........O...",
                                                 "##############"};
// The box above, and a second floor far below whose walker reaches its hole only after a while.
const std::initializer_list<const char*> BOX_AND_LONG_WAY = {
    "..............", "..............", "..............", "..............", "..............",
    ".#......#.....", "##############", "..............", "..............", "..............",
    "O.............", "##############"};

struct Spot {
  int x, y, d, anim;
  int hat = 0;
};

struct Case {
  const char* what;
  std::initializer_list<const char*> board;
  std::vector<Spot> walkers;
  int hardHats;      // Hard Hats in the stock
  bool acting;       // the player acts in every frame
  int firstAfter;    // the watch may not tell before this frame
  bool tells;        // it tells by frame 4000
};

class LoopWatchTest : public GameTest {};

// Rule: the watch tells only when every walker left repeats exactly with no action between, and
// no Hard Hat in the stock could open a wall one of them turns at; never on a live board.
TEST_F(LoopWatchTest, TellsLoopsFromLiveBoards) {
  const Case cases[] = {
      // what                              board             walkers                        hard act  after tells
      {"pacing between two walls",         BOX,              {{3, 5, 1, WS_WALK}},          0, false, 0, true},
      {"pacing, hard hat could bang",      BOX,              {{3, 5, 1, WS_WALK}},          1, false, 0, false},
      {"pacing edge to edge, hard hat",    EDGES,            {{3, 5, -1, WS_WALK}},         1, false, 0, true},
      {"still waiting, then pacing",       BOX,              {{3, 5, 1, WS_WAIT}},          0, false, 660, true},
      {"safety hat wait, then pacing",     BOX,              {{3, 5, 1, WS_WALK, 7}},       0, false, 660, true},
      {"walking to its hole",              HOLE,             {{3, 5, 1, WS_WALK}},          0, false, 0, false},
      {"the player keeps acting",          BOX,              {{3, 5, 1, WS_WALK}},          0, true, 0, false},
      {"one paces, one on a long way",     BOX_AND_LONG_WAY, {{3, 5, 1, WS_WALK}, {12, 10, -1, WS_WALK}}, 0, false, 700, true},
      {"no walkers",                       BOX,              {},                            0, false, 0, false},
  };
  for (const Case& c : cases) {
    SetUp();
    Map(c.board);
    for (const Spot& s : c.walkers) Add(s.x, s.y, s.d, s.anim).hat = s.hat;
    HatStock[HAT_HARD] = c.hardHats;
    LoopWatch watch;
    int first = -1;
    for (int frame = 0; frame < 4000 && first < 0; ++frame) {
      Step();
      if (watch.Look(LevelBoard, Walkers, c.acting)) first = frame;
    }
    EXPECT_EQ(first >= 0, c.tells) << c.what << " told at " << first;
    if (first >= 0) {
      EXPECT_GE(first, c.firstAfter) << c.what;
    }
  }
}

// Rule: once told, the verdict holds while nothing changes; an action, a change of board or a
// walker leaving clears it, and it comes back only after the loop has been seen again.
TEST_F(LoopWatchTest, AnActionOrAChangeClearsTheVerdict) {
  Map(BOX);
  Walker& w = Add(3, 5, 1);
  LoopWatch watch;
  int frames = 0;
  while (!watch.Look(LevelBoard, Walkers, false) && frames < 4000) {
    Step();
    ++frames;
  }
  ASSERT_LT(frames, 4000);
  Step(100);
  EXPECT_TRUE(watch.Look(LevelBoard, Walkers, false)) << "a loop goes on looping";
  EXPECT_FALSE(watch.Look(LevelBoard, Walkers, true)) << "an action";
  Step();
  EXPECT_FALSE(watch.Look(LevelBoard, Walkers, false)) << "not yet seen again";
  for (int i = 0; i < 4000 && !watch.Look(LevelBoard, Walkers, false); ++i) Step();
  EXPECT_TRUE(watch.Look(LevelBoard, Walkers, false));
  SetCell(12, 2, CELL_PICKUP + 2);  // the board changed
  EXPECT_FALSE(watch.Look(LevelBoard, Walkers, false));
  for (int i = 0; i < 4000 && !watch.Look(LevelBoard, Walkers, false); ++i) Step();
  EXPECT_TRUE(watch.Look(LevelBoard, Walkers, false));
  (void)w;
}

// Rule: a Hard Hat helps only where the first solid cell either way along the walker's row lies
// inside the board.
TEST_F(LoopWatchTest, WallWithinReach) {
  struct Row {
    const char* row;  // row 5; the walker stands at column 5
    bool reach;
  };
  const Row rows[] = {
      {"..............", false},
      {".#............", true},
      {"...........#..", true},
      {"#............#", true},
  };
  for (const Row& r : rows) {
    SetUp();
    Map({"..............", "..............", "..............", "..............", "..............", r.row,
         "##############"});
    Walker w;
    w.x = 5;
    w.y = 5;
    EXPECT_EQ(WallWithinReach(LevelBoard, w), r.reach) << r.row;
  }
}

}  // namespace
