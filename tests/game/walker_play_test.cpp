// The walker state machine and the player: waiting and the Safety Hat, tickling, pickups and
// holes, and the selection that hat drops use.
#include <gtest/gtest.h>

#include "game/hats.h"
#include "game/sfx.h"
#include "game/flow_state.h"
#include "game_fixture.h"

namespace {

using WalkerPlay = GameTest;

void PointAt(const Walker& w, int dx = 0, int dy = 0) {
  int sx, sy;
  WalkerCorner(w, sx, sy);
  FrameMouseX = sx + 32 + dx;
  FrameMouseY = sy + 32 + dy;
}

std::vector<int> PopupValues() {
  std::vector<int> out;
  ScorePopupList.ForEach([&](ScorePopup& p) { out.push_back(p.n); });
  return out;
}

// Rule: a new walker waits 660 frames, showing 10, 9, ..., 0 once a second above its middle
// (positions carry the playfield offset once more for the popup layer), then walks.
TEST_F(WalkerPlay, WaitsWithACountdownThenWalks) {
  GridX = 32;
  GridY = 16;
  Floor(6);
  Walker& w = Add(3, 5, 1, WS_WAIT);
  Step(59);
  EXPECT_TRUE(ScorePopupList.Empty());
  Step();
  ASSERT_EQ(ScorePopupList.Count(), 1);
  const ScorePopup& first = *ScorePopupList.First();
  EXPECT_EQ(first.n, 10);
  EXPECT_FLOAT_EQ(first.x, 3 * 64 + 32 + 32 + 32);
  EXPECT_FLOAT_EQ(first.y, 5 * 64 + 16 - 5 + 16);
  EXPECT_EQ(first.t, 120);
  EXPECT_EQ(first.r + first.g + first.b, 3 * 255);

  Step(599);
  EXPECT_EQ(w.anim, WS_WAIT);
  EXPECT_EQ(w.tick, 1);
  EXPECT_EQ(w.ox, 0);
  Step();
  EXPECT_EQ(PopupValues(), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(w.anim, WS_WALK);
  EXPECT_EQ(w.tick, 0);
  EXPECT_EQ(w.ox, 1) << "walks in the frame its wait ends";
}

// Rule: a walking walker with a Safety Hat waits the full 660 frames again, then takes the hat
// off and walks on the way it faced.
TEST_F(WalkerPlay, SafetyHatMakesAWalkerWaitThenComesOff) {
  Floor(6);
  Walker& w = Add(3, 5, -1);
  w.hat = HAT_SAFETY;
  Step();
  EXPECT_EQ(w.anim, WS_WAIT);
  EXPECT_EQ(w.tick, WALKER_WAIT_FRAMES);
  EXPECT_EQ(w.ox, -1) << "the walking step still finishes";
  Step(659);
  EXPECT_EQ(w.anim, WS_WAIT);
  EXPECT_EQ(w.hat, HAT_SAFETY);
  EXPECT_EQ(ScorePopupList.Count(), 10);
  Step();
  EXPECT_EQ(w.anim, WS_WALK);
  EXPECT_EQ(w.hat, 0);
  EXPECT_EQ(w.d, -1);
  EXPECT_EQ(ScorePopupList.Count(), 11);
}

// Rule: a click plays the tickle sound; it starts a waiting walker (taking a Safety Hat off)
// without turning it, turns a walking one, and changes nothing else.
TEST_F(WalkerPlay, TickleActsByState) {
  struct Case {
    int anim, hat;
    int anim2, d2, hat2;  // after the frame of the click
  } cases[] = {
      // anim      hat          anim2     d2  hat2
      {WS_WAIT, 0, WS_WALK, 1, 0},
      {WS_WAIT, HAT_SAFETY, WS_WALK, 1, 0},
      {WS_WALK, 0, WS_WALK, -1, 0},
      {WS_WALK, HAT_HARD, WS_WALK, -1, HAT_HARD},
      {WS_LAND, 0, WS_LAND, 1, 0},
      {WS_BANG, HAT_HARD, WS_BANG, 1, HAT_HARD},
      {WS_EXIT, 0, WS_EXIT, 1, 0},
  };
  for (const Case& c : cases) {
    SetUp();
    Floor(6);
    Walker& w = Add(5, 5, 1, c.anim);
    w.hat = c.hat;
    w.stp = c.anim == WS_LAND ? 60 : c.anim == WS_BANG ? 160 : c.anim == WS_EXIT ? 30 : 0;
    if (c.anim == WS_BANG) SetCell(6, 5, CELL_SURFACE);
    PointAt(w);
    HeadlessMouseDown(1);
    Step();
    EXPECT_EQ(w.anim, c.anim2) << "state " << c.anim;
    EXPECT_EQ(w.d, c.d2) << "state " << c.anim;
    EXPECT_EQ(w.hat, c.hat2) << "state " << c.anim;
    EXPECT_EQ(EffectsPlayed(), std::vector<int>{SFX_TICKLE}) << "state " << c.anim;
    EXPECT_TRUE(ClickLatch);
    EXPECT_EQ(SelectedWalker, WalkerIndex(w));
  }
}

// Rule: one press acts on the first hovered walker in list order only, and only once while the
// latch is set; every hovered walker still becomes the selection in turn.
TEST_F(WalkerPlay, TickleActsOnTheFirstHoveredWalkerOnly) {
  Floor(6);
  Walker& a = Add(5, 5, 1);
  Walker& b = Add(5, 5, 1);
  PointAt(a);
  HeadlessMouseDown(1);
  Step();
  EXPECT_EQ(a.d, -1);
  EXPECT_EQ(b.d, 1);
  EXPECT_EQ(SelectedWalker, WalkerIndex(b));
  Step(3);
  EXPECT_EQ(a.d, -1) << "held button, latch set: no second tickle";
  EXPECT_EQ(Played(SFX_TICKLE), 1);

  HeadlessMouseUp(1);
  ClickLatch = false;  // the game flow clears it once the button is up
  Step();
  HeadlessMouseDown(1);
  PointAt(a);
  Step();
  EXPECT_EQ(a.d, 1);
  EXPECT_EQ(b.d, 1);
}

// Rule: the hover box is strictly within 20 pixels across and 32 down of the sprite's middle.
TEST_F(WalkerPlay, HoverBoxIsExclusive) {
  struct Case {
    int dx, dy;
    bool hovered;
  } cases[] = {
      {19, 31, true}, {-19, -31, true}, {20, 0, false}, {-20, 0, false}, {0, 32, false}, {0, -32, false},
  };
  for (const Case& c : cases) {
    SetUp();
    GridX = 32;
    GridY = 32;
    Floor(6);
    Walker& w = Add(5, 5, 1, WS_WAIT);
    PointAt(w, c.dx, c.dy);
    Step();
    EXPECT_EQ(SelectedWalker == WalkerIndex(w), c.hovered) << c.dx << "," << c.dy;
  }
}

// Rule: pickups and holes are taken only by a walking walker whose cell reaches them; a falling
// walker passes through both.
TEST_F(WalkerPlay, PickupsAndHolesOnlyWhileWalking) {
  Map({"", "", "", "", "", "...2..O"});
  Floor(6);
  Walker& w = Add(2, 5, 1);
  Step(63);
  EXPECT_EQ(HatStock[HAT_HARD], 0);
  Step();
  EXPECT_EQ(HatStock[HAT_HARD], 1);
  EXPECT_EQ(CellAt(3, 5), CELL_AIR);
  EXPECT_EQ(EffectsPlayed(), std::vector<int>{SFX_PICKUP});

  Step(64 * 3 - 1);
  EXPECT_EQ(w.anim, WS_WALK);
  Step();
  EXPECT_EQ(w.anim, WS_EXIT);
  EXPECT_EQ(w.stp, 30);
  EXPECT_EQ(w.ox, 0);
  EXPECT_EQ(CellAt(6, 5), CELL_AIR);

  // Falling down column 10 through a pickup and a hole.
  SetCell(10, 2, CELL_PICKUP + 3);
  SetCell(10, 3, CELL_HOLE);
  Walker& f = Add(10, 0, 1, WS_FALL);
  f.fell = 2;  // judged as a short drop, so it lands
  StepWhile(f, WS_FALL);
  EXPECT_EQ(f.anim, WS_LAND);
  EXPECT_EQ(f.y, 5);
  EXPECT_EQ(CellAt(10, 2), CELL_PICKUP + 3);
  EXPECT_EQ(CellAt(10, 3), CELL_HOLE);
  EXPECT_EQ(HatStock[HAT_RUBBER], 0);
}

// Rule: the first walker to reach a hole clears it; the next one walks over the spot.
TEST_F(WalkerPlay, OneWalkerPerHole) {
  Map({"", "", "", "", "", "......O"});
  Floor(6);
  Walker& second = Add(2, 5, 1);
  Walker& first = Add(4, 5, 1);
  Step(128);
  EXPECT_EQ(first.anim, WS_EXIT);
  Step(128);
  EXPECT_EQ(second.x, 6);
  EXPECT_EQ(second.anim, WS_WALK);
  Step(64);
  EXPECT_EQ(second.x, 7);
  EXPECT_EQ(SavedCount, 1);
  EXPECT_EQ(Walkers.Count(), 1);
}

// Rule: going down a hole takes 90 frames: the exit sound 20 frames in, sparkles after it, and
// the walker counts as saved as it leaves the list.
TEST_F(WalkerPlay, GoingDownAHoleSavesTheWalker) {
  Floor(6);
  Walker& w = Add(6, 5, 1, WS_EXIT);
  w.stp = 30;
  Step(20);
  EXPECT_TRUE(EffectsPlayed().empty());
  EXPECT_TRUE(SpurtList.Empty());
  Step();
  EXPECT_EQ(EffectsPlayed(), std::vector<int>{SFX_EXIT});
  Step();
  EXPECT_EQ(SpurtList.Count(), 3);
  Step(67);
  EXPECT_EQ(Walkers.Count(), 1);
  EXPECT_EQ(SavedCount, 0);
  Step();
  EXPECT_EQ(Walkers.Count(), 0);
  EXPECT_EQ(SavedCount, 1);
  EXPECT_EQ(SpurtList.Count(), 3 * 69);
}

// The selection is a walker's index and outlives the walker: a hat let go on the last place of
// a selected walker that has left goes back to the stock, like a hat let go anywhere else.
TEST_F(WalkerPlay, SelectionOutlivesTheWalker) {
  Floor(9);
  Walker& w = Add(5, 1, 1, WS_FALL);
  w.fell = 1;
  PointAt(w);
  Step();
  ASSERT_EQ(SelectedWalker, WalkerIndex(w));
  FrameMouseX = -1000;
  StepWhile(w, WS_FALL);
  Step(11);
  ASSERT_TRUE(Walkers.Empty());
  ASSERT_EQ(SelectedWalker, WalkerIndex(w));
  EXPECT_EQ(w.anim, WS_FINISHED);
  EXPECT_EQ(w.y, 8);

  HatStock[HAT_RUBBER] = 0;
  DraggedHat = HAT_RUBBER;
  PointAt(w);
  HeadlessClearSounds();
  Step();
  EXPECT_EQ(DraggedHat, 0);
  EXPECT_EQ(HatStock[HAT_RUBBER], 1);
  EXPECT_EQ(w.hat, 0);
  EXPECT_EQ(EffectsPlayed(), std::vector<int>{SFX_RETURN_HAT});
  EXPECT_TRUE(ActionLog.empty());

  Walker& next = Add(2, 8, 1);
  PointAt(next);
  Step();
  EXPECT_EQ(SelectedWalker, WalkerIndex(next));
  ClearWalkers();
  EXPECT_EQ(SelectedWalker, -1);
}

}  // namespace
