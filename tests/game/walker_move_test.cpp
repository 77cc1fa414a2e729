// The walker state machine, one tiny level per behaviour: walking, walls, edges, falls, landings.
#include <gtest/gtest.h>

#include "game/sfx.h"
#include "game_fixture.h"

namespace {

using WalkerMove = GameTest;

// Rule: one pixel a frame; the cell changes when ox would pass 63 (either way).
TEST_F(WalkerMove, WalksAPixelAFrameAndChangesCellPastTheEdge) {
  struct Case {
    int x, d;
    int x63, ox63;  // after 63 frames
    int x64;        // after 64 frames (ox back to 0)
  } cases[] = {
      // x  d  x63 ox63 x64
      {2, 1, 2, 63, 3},
      {10, -1, 10, -63, 9},
  };
  for (const Case& c : cases) {
    SetUp();
    Floor(6);
    Walker& w = Add(c.x, 5, c.d);
    Step(63);
    EXPECT_EQ(w.x, c.x63);
    EXPECT_EQ(w.ox, c.ox63);
    Step();
    EXPECT_EQ(w.x, c.x64) << "d " << c.d;
    EXPECT_EQ(w.ox, 0);
    EXPECT_EQ(w.anim, WS_WALK);
  }
}

// Rule: a walker turns once ox reaches 24 in front of a solid cell, and the board's edge is a
// wall even for a Hard Hat, which it then keeps.
TEST_F(WalkerMove, TurnsAtOffset24BeforeWallsAndBoardEdges) {
  struct Case {
    const char* what;
    int wallX;  // -1: none, the edge is the wall
    int x, d, hat;
  } cases[] = {
      {"wall on the right", 4, 3, 1, 0},
      {"wall on the left", 2, 3, -1, 0},
      {"right edge, Hard Hat", -1, 13, 1, HAT_HARD},
      {"left edge, Hard Hat", -1, 0, -1, HAT_HARD},
      {"wall, Misc Hat", 4, 3, 1, HAT_RED},
  };
  for (const Case& c : cases) {
    SetUp();
    Floor(6);
    if (c.wallX >= 0) SetCell(c.wallX, 5, CELL_SURFACE);
    Walker& w = Add(c.x, 5, c.d);
    w.hat = c.hat;
    Step(23);
    EXPECT_EQ(w.d, c.d) << c.what;
    Step();
    EXPECT_EQ(w.d, -c.d) << c.what;
    EXPECT_EQ(w.ox, 24 * c.d) << c.what;
    EXPECT_EQ(w.x, c.x) << c.what;
    EXPECT_EQ(w.anim, WS_WALK) << c.what;
    EXPECT_EQ(w.hat, c.hat) << c.what;
    Step(24);
    EXPECT_EQ(w.ox, 0) << c.what << ": walks back";
  }
}

// Rule: at ox 32 with no floor ahead the walker steps off (sound 4), remembers the row, moves
// 12 pixels over 15 frames, lands in the next column and falls 11 frames a row.
TEST_F(WalkerMove, StepsOffAnEdgeAndFalls) {
  Map({"", "", "", "", "", "", "####"});
  Floor(12);
  Walker& w = Add(3, 5, 1);
  Step(32);
  EXPECT_EQ(w.anim, WS_WALK);
  EXPECT_EQ(w.ox, 32);
  Step();  // the edge test sees ox 32, and the new state takes its first step at once
  EXPECT_EQ(w.anim, WS_STEP_OFF);
  EXPECT_EQ(w.fell, 5);
  EXPECT_EQ(w.stp, 41);
  EXPECT_EQ(Played(SFX_STEP_OFF), 1);

  Step(11);  // stp 42..52: a pixel a frame
  EXPECT_EQ(w.ox, 44);
  Step(2);  // stp 54: into the next cell
  EXPECT_EQ(w.x, 4);
  EXPECT_EQ(w.ox, 0);
  Step();
  EXPECT_EQ(w.anim, WS_FALL);

  Step(10);
  EXPECT_EQ(w.y, 5);
  EXPECT_EQ(w.oy, 60);
  Step();
  EXPECT_EQ(w.y, 6);
  EXPECT_EQ(w.oy, 0);
}

// The same walker facing left looks at the cell below-left when ox reaches -32.
TEST_F(WalkerMove, StepsOffLeftAtMinus32) {
  Map({"", "", "", "", "", "", "....####"});
  Walker& w = Add(4, 5, -1);
  Step(32);
  EXPECT_EQ(w.anim, WS_WALK);
  Step();
  EXPECT_EQ(w.anim, WS_STEP_OFF);
  EXPECT_EQ(w.ox, -33);
  Step(13);
  EXPECT_EQ(w.x, 3);
}

// Rule: a fall of three rows is survived, four rows kill; landing is judged on reaching each
// row's top, and the landing state hands back to walking after 15 frames.
TEST_F(WalkerMove, FallOfThreeRowsIsSurvivedAndFourKills) {
  struct Case {
    int rows;
    int landing;  // state after landing
    int sound;
  } cases[] = {
      // rows landing   sound
      {1, WS_LAND, SFX_LAND},
      {3, WS_LAND, SFX_LAND},
      {4, WS_SPLAT, SFX_SPLAT},
      {8, WS_SPLAT, SFX_SPLAT},
  };
  for (const Case& c : cases) {
    SetUp();
    Floor(2 + c.rows + 1);
    Walker& w = Add(5, 2, 1, WS_FALL);
    w.fell = 2;
    const int frames = StepWhile(w, WS_FALL);
    EXPECT_EQ(frames, 11 * c.rows) << c.rows;
    EXPECT_EQ(w.y, 2 + c.rows) << c.rows;
    EXPECT_EQ(w.anim, c.landing) << c.rows;
    EXPECT_EQ(EffectsPlayed(), std::vector<int>{c.sound}) << c.rows;
  }
}

TEST_F(WalkerMove, SafeLandingWalksOnAfter15Frames) {
  Floor(6);
  Walker& w = Add(5, 4, 1, WS_FALL);
  w.fell = 4;
  StepWhile(w, WS_FALL);
  ASSERT_EQ(w.anim, WS_LAND);
  EXPECT_EQ(StepWhile(w, WS_LAND), 15);
  EXPECT_EQ(w.anim, WS_WALK);
  EXPECT_EQ(w.stp, 0);
  EXPECT_EQ(w.d, 1);
}

// A splat throws 17 red spurts a frame for 11 frames, then the walker is gone and not saved.
TEST_F(WalkerMove, SplatEndsTheWalkerUnsaved) {
  Floor(9);
  Walker& w = Add(5, 1, 1, WS_FALL);
  w.fell = 1;
  StepWhile(w, WS_FALL);
  ASSERT_EQ(w.anim, WS_SPLAT);
  Step(10);
  EXPECT_EQ(Walkers.Count(), 1);
  EXPECT_EQ(SpurtList.Count(), 170);
  Step();
  EXPECT_EQ(Walkers.Count(), 0);
  EXPECT_EQ(SpurtList.Count(), 187);
  EXPECT_EQ(SavedCount, 0);
}

// Rule: the bottom row is floor: a walker stepping off row 12 lands on row 13 over empty
// cells, and a walker on row 13 never steps off.
TEST_F(WalkerMove, BottomRowIsFloor) {
  SetCell(3, 13, CELL_SURFACE);
  Walker& w = Add(3, 12, 1);
  StepWhile(w, WS_WALK);
  ASSERT_EQ(w.anim, WS_STEP_OFF);
  StepWhile(w, WS_STEP_OFF);
  StepWhile(w, WS_FALL);
  EXPECT_EQ(w.y, 13);
  EXPECT_EQ(w.x, 4);
  EXPECT_EQ(w.anim, WS_LAND);

  Walker& low = Add(8, 13, 1);
  Step(30 + 64 * 2);
  EXPECT_EQ(low.anim, WS_WALK);
  EXPECT_EQ(low.y, 13);
}

// Rule: the Rubber Hat turns any landing into a bounce back up to the start row (11 frames a
// row), then a 14-frame hop of 4 pixels a frame when there is floor ahead.
TEST_F(WalkerMove, RubberHatBouncesBackAndHopsOntoFloorAhead) {
  Map({"", "", "", "......#"});  // floor ahead of column 5 at the start row
  Floor(10);
  Walker& w = Add(5, 2, 1, WS_FALL);
  w.fell = 2;
  w.hat = HAT_RUBBER;
  StepWhile(w, WS_FALL);
  EXPECT_EQ(w.y, 9);
  EXPECT_EQ(w.anim, WS_BOUNCE) << "a 7-row fall bounces instead of splatting";
  EXPECT_EQ(w.hat, 0);
  EXPECT_EQ(EffectsPlayed(), std::vector<int>{SFX_BOUNCE});

  EXPECT_EQ(StepWhile(w, WS_BOUNCE), 11 * 7);
  EXPECT_EQ(w.y, 2);
  EXPECT_EQ(w.anim, WS_HOP);
  EXPECT_EQ(StepWhile(w, WS_HOP), 14);
  EXPECT_EQ(w.ox, 56);
  EXPECT_EQ(w.anim, WS_WALK);
}

// With no floor ahead the bounce teeters for 17 frames and falls again; fell keeps the first
// fall's row, so the second landing is judged by the whole drop (now fatal without the hat).
TEST_F(WalkerMove, RubberHatTeetersOverAGapAndFallsAgainFromTheOldRow) {
  Floor(10);
  Walker& w = Add(5, 2, 1, WS_FALL);
  w.fell = 2;
  w.hat = HAT_RUBBER;
  StepWhile(w, WS_FALL);
  StepWhile(w, WS_BOUNCE);
  ASSERT_EQ(w.anim, WS_TEETER);
  EXPECT_EQ(w.stp, 30);
  EXPECT_EQ(StepWhile(w, WS_TEETER), 17);
  EXPECT_EQ(w.anim, WS_FALL);
  EXPECT_EQ(w.fell, 2);
  StepWhile(w, WS_FALL);
  EXPECT_EQ(w.anim, WS_SPLAT);
}

// After a teeter, a second drop of no more than three rows from the first fall's row is safe.
TEST_F(WalkerMove, TeeterFallAfterAShortDropLandsSafely) {
  Floor(8);
  Walker& w = Add(5, 5, 1, WS_FALL);
  w.fell = 5;
  w.hat = HAT_RUBBER;
  StepWhile(w, WS_FALL);
  StepWhile(w, WS_BOUNCE);
  StepWhile(w, WS_TEETER);
  StepWhile(w, WS_FALL);
  EXPECT_EQ(w.anim, WS_LAND);
  EXPECT_EQ(w.y, 7);
}

// Rule: a Hard Hat bangs the wall for 30 frames: the strike sound 6 frames in, the block breaks
// (one block only, with 64 pieces of debris) 25 frames in, and the hat is used up.
TEST_F(WalkerMove, HardHatBreaksOneBlockAndIsUsedUp) {
  Floor(6);
  SetCell(4, 5, CELL_SURFACE);
  SetCell(5, 5, CELL_SURFACE);
  Walker& w = Add(3, 5, 1);
  w.hat = HAT_HARD;
  Step(24);
  ASSERT_EQ(w.anim, WS_BANG);
  EXPECT_EQ(w.d, 1);
  EXPECT_EQ(w.stp, 160);
  Step(6);
  EXPECT_EQ(EffectsPlayed(), std::vector<int>{SFX_STRIKE});
  Step(18);
  EXPECT_TRUE(IsSolid(4, 5));
  Step();
  EXPECT_FALSE(IsSolid(4, 5));
  EXPECT_EQ(w.hat, 0);
  EXPECT_EQ(BoomList.Count(), 64);
  EXPECT_EQ(StepWhile(w, WS_BANG), 5);
  EXPECT_EQ(w.anim, WS_WALK);

  // Walks into the broken cell and turns at the next block: one block per hat.
  Step(40 + 64);
  EXPECT_EQ(w.x, 4);
  EXPECT_EQ(w.d, -1);
  EXPECT_TRUE(IsSolid(5, 5));
}

// The banging frames shake between 42 and 43 once stp passes 167.
TEST_F(WalkerMove, BangFramesShakeAfterTheStrike) {
  Floor(6);
  SetCell(4, 5, CELL_SURFACE);
  Walker& w = Add(3, 5, 1);
  w.hat = HAT_HARD;
  Step(24);
  HeadlessClearDraws();
  Step(29);
  const std::vector<DrawRecord> draws = DrawsOf(PlonkoImage);
  ASSERT_EQ(draws.size(), 29u);
  for (size_t i = 0; i < draws.size(); ++i) {
    const int stp = 161 + static_cast<int>(i);
    if (stp > 167)
      EXPECT_TRUE(draws[i].cell == 42 || draws[i].cell == 43) << stp;
    else
      EXPECT_EQ(draws[i].cell, stp / 4) << stp;
  }
}

}  // namespace
