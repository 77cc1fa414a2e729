// How a walker is drawn, read back from the headless draw record.
#include <gtest/gtest.h>

#include <tuple>

#include "game/hats.h"
#include "game_fixture.h"

namespace {

using WalkerDraw = GameTest;

// Rule: a walker faces right unmirrored and left mirrored about the sprite's middle, so both
// centre on the same point; the walking frame is stp / 3, cycling through 0..5.
TEST_F(WalkerDraw, MirroredWhenFacingLeftAndAnimatedByStep) {
  for (int d : {1, -1}) {
    SetUp();
    GridX = 32;
    GridY = 2;
    Floor(6);
    Add(5, 5, d);
    std::vector<int> cells;
    for (int i = 0; i < 19; ++i) {
      HeadlessClearDraws();
      Step();
      const std::vector<DrawRecord> body = DrawsOf(PlonkoImage);
      ASSERT_EQ(body.size(), 1u);
      cells.push_back(body[0].cell);
      if (i == 0) {
        EXPECT_FLOAT_EQ(body[0].sx, static_cast<float>(d));
        EXPECT_FLOAT_EQ(body[0].sy, 1);
        EXPECT_FLOAT_EQ(body[0].x, 5 * 64 + 32 + 32) << "centre at the start of the frame, d " << d;
        EXPECT_FLOAT_EQ(body[0].y, 5 * 64 + 2 + 32);
      }
    }
    EXPECT_EQ(cells, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 0, 0}));
  }
}

// Rule: a hovered walker glows (an additive pass at 1.2 x scale, 0.6 alpha); a worn hat is
// drawn in its tint with its own glow (1.3 x, 0.4), and the colour is white again afterwards.
TEST_F(WalkerDraw, GlowWhenHoveredAndTintedHat) {
  struct Case {
    bool hover;
    int hat;
    size_t bodyDraws, hatDraws;
    int r, g, b;  // the worn hat's tint
  } cases[] = {
      // hover  hat         body hat  tint
      {false, 0, 1, 0, 0, 0, 0},
      {true, 0, 2, 0, 0, 0, 0},
      {false, HAT_HARD, 1, 2, 255, 255, 50},
      {true, HAT_RED, 2, 2, 255, 50, 50},
      {false, HAT_RUBBER, 1, 2, 50, 255, 50},
      {false, HAT_CYAN, 1, 2, 50, 255, 255},
      {false, HAT_BLUE, 1, 2, 50, 50, 255},
      {false, HAT_MAGENTA, 1, 2, 255, 50, 255},
      {false, HAT_SAFETY, 1, 2, 255, 255, 255},
  };
  for (const Case& c : cases) {
    SetUp();
    Floor(6);
    Walker& w = Add(5, 5, -1, WS_WAIT);
    w.hat = c.hat;
    if (c.hover) {
      FrameMouseX = 5 * 64 + 32;
      FrameMouseY = 5 * 64 + 32;
    }
    Step();
    const std::vector<DrawRecord> body = DrawsOf(PlonkoImage);
    const std::vector<DrawRecord> hat = DrawsOf(PlonkoHatImage);
    ASSERT_EQ(body.size(), c.bodyDraws) << c.hover << " " << c.hat;
    ASSERT_EQ(hat.size(), c.hatDraws) << c.hover << " " << c.hat;
    if (c.hover) {
      EXPECT_EQ(body[1].blend, BLEND_LIGHT);
      EXPECT_FLOAT_EQ(body[1].sx, -1.2f);
      EXPECT_FLOAT_EQ(body[1].alpha, 0.6f);
      EXPECT_FLOAT_EQ(body[1].x, body[0].x);
    }
    if (c.hat != 0) {
      for (const DrawRecord& r : hat)
        EXPECT_EQ(std::make_tuple(r.r, r.g, r.b), std::make_tuple(c.r, c.g, c.b)) << "hat " << c.hat;
      EXPECT_EQ(hat[0].blend, BLEND_ALPHA);
      EXPECT_EQ(hat[1].blend, BLEND_LIGHT);
      EXPECT_FLOAT_EQ(hat[1].sx, -1.3f);
      EXPECT_FLOAT_EQ(hat[1].alpha, 0.4f);
    }
    int r, g, b;
    GetColour(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
  }
}

// Rule: going down a hole shows the opening tiles 48..52 behind the walker, hides the walker
// from stp 100 and covers it with the closing tiles 52..48.
TEST_F(WalkerDraw, HoleOpensAndClosesAroundTheWalker) {
  Floor(6);
  Walker& w = Add(6, 5, 1, WS_EXIT);
  w.stp = 30;
  std::vector<int> opening, cover;
  int lastBodyStp = 0;
  for (int stp = 31; stp <= 120; ++stp) {
    HeadlessClearDraws();
    Step();
    const std::vector<DrawRecord> tiles = DrawsOf(BgImage);
    const std::vector<DrawRecord> body = DrawsOf(PlonkoImage);
    if (!body.empty()) lastBodyStp = stp;
    const bool behind = stp < 61, front = stp > 40 && stp < 120;
    ASSERT_EQ(tiles.size(), size_t(behind) + size_t(front)) << stp;
    if (behind) opening.push_back(tiles[0].cell);
    if (front) cover.push_back(tiles.back().cell);
    if (stp == 45) {  // back to front: opening, walker, cover
      std::vector<int> order;
      for (const DrawRecord& r : HeadlessDraws())
        if (r.kind == DrawRecord::IMAGE) order.push_back(r.image);
      EXPECT_EQ(order, (std::vector<int>{BgImage, PlonkoImage, BgImage}));
    }
  }
  EXPECT_EQ(lastBodyStp, 99);
  EXPECT_EQ(opening.front(), 48);
  EXPECT_EQ(opening[2], 49);
  EXPECT_EQ(opening.back(), 52);
  EXPECT_EQ(cover.front(), 52);
  EXPECT_EQ(cover.back(), 49);
  EXPECT_TRUE(Walkers.Empty());
}

}  // namespace
