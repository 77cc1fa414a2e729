// The background, the board frame, particles and floating numbers.
#include <gtest/gtest.h>

#include "game/effects.h"
#include "game/hats.h"
#include "game_fixture.h"

namespace {

using Effects = GameTest;

template <class T>
std::vector<T> Records(List<T>& list) {
  std::vector<T> out;
  list.ForEach([&](T& r) { out.push_back(r); });
  return out;
}

// Rule: a splat adds 17 red spurts and a sparkle 3 white ones, at the walker's feet and at the
// front of the list, with their spreads.
TEST_F(Effects, SplatAndSparkleSpurts) {
  EmitSplat(100, 200);
  EmitExitSparkle(300, 400);
  const std::vector<Spurt> all = Records(SpurtList);
  ASSERT_EQ(all.size(), 20u);
  for (size_t i = 0; i < all.size(); ++i) {
    const Spurt& p = all[i];
    const bool sparkle = i < 3;
    EXPECT_EQ(p.t, sparkle ? 1 : 2);
    EXPECT_FLOAT_EQ(p.x, sparkle ? 332 : 132);
    EXPECT_FLOAT_EQ(p.y, sparkle ? 452 : 252);
    EXPECT_GE(p.s, 0.7f);
    EXPECT_LE(p.s, 1.3f);
    EXPECT_LE(std::abs(p.gx), sparkle ? 1.5f : 4.0f);
    EXPECT_GE(p.gy, sparkle ? -24 : -12);
    EXPECT_LE(p.gy, sparkle ? -10 : -6);
  }
}

// Rule: spurts move, fall under gravity and leave 16 pixels beyond the bottom or either side;
// debris leaves only past the bottom. Both are drawn every frame they live.
TEST_F(Effects, ParticlesLeaveTheScreenByTheirEdges) {
  struct Case {
    float x, y;
    bool spurtStays, debrisStays;  // after one update
  } cases[] = {
      //   x       y      spurt  debris
      {640, 976, true, true},
      {640, 977, false, false},
      {-16, 500, true, true},
      {-17, 500, false, true},
      {1296, 500, true, true},
      {1297, 500, false, true},
      {640, -300, true, true},
  };
  for (const Case& c : cases) {
    SetUp();
    SpurtList.Append(Spurt{c.x, c.y, 0, 0, 2, 1});
    BoomList.Append(Boom{c.x, c.y, 0, 0, 5});
    MoveSpurts();
    DrawSpurts();
    MoveDebris();
    DrawDebris();
    EXPECT_EQ(SpurtList.Count(), c.spurtStays ? 1 : 0) << c.x << "," << c.y;
    EXPECT_EQ(BoomList.Count(), c.debrisStays ? 1 : 0) << c.x << "," << c.y;
    EXPECT_EQ(DrawsOf(SpurtImage).size(), 1u);
    EXPECT_EQ(DrawsOf(BoomImage).size(), 1u);
  }

  // Every spurt of a splat falls off the screen in time.
  SetUp();
  EmitSplat(600, 800);
  int frames = 0;
  while (!SpurtList.Empty() && frames < 1000) {
    MoveSpurts();
    DrawSpurts();
    ++frames;
  }
  EXPECT_TRUE(SpurtList.Empty());
  EXPECT_GT(frames, 10);
}

// Spurts: scale s, red or white at half alpha, drawn after moving; gravity adds 0.1..0.2.
TEST_F(Effects, SpurtDrawingAndGravity) {
  SpurtList.Append(Spurt{100, 100, 2, -10, 2, 1.2f});
  SpurtList.Append(Spurt{200, 100, 0, 0, 1, 0.8f});
  MoveSpurts();
  DrawSpurts();
  const std::vector<DrawRecord> draws = DrawsOf(SpurtImage);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].r, 255);
  EXPECT_EQ(draws[0].g, 0);
  EXPECT_FLOAT_EQ(draws[0].alpha, 0.5f);
  EXPECT_FLOAT_EQ(draws[0].sx, 1.2f);
  EXPECT_EQ(draws[1].g, 255);
  const Spurt first = *SpurtList.First();
  EXPECT_FLOAT_EQ(first.x, 102);
  EXPECT_FLOAT_EQ(first.y, 90);
  EXPECT_GE(first.gy, -9.9f);
  EXPECT_LE(first.gy, -9.8f);
}

// Rule: a broken block gives 64 pieces in place, numbered by their place in the block, which
// drop from rest; each is drawn where it was before it moves.
TEST_F(Effects, DebrisPiecesOfOneBlock) {
  EmitDebris(2, 3, 32, 2);
  const std::vector<Boom> pieces = Records(BoomList);
  ASSERT_EQ(pieces.size(), 64u);
  for (int k = 0; k < 64; ++k) {
    const int i = k / 8, j = k % 8;
    EXPECT_FLOAT_EQ(pieces[k].x, 8 * i + 128 + 32);
    EXPECT_FLOAT_EQ(pieces[k].y, 8 * j + 192 + 2);
    EXPECT_EQ(pieces[k].n, i + 8 * j);
    EXPECT_FLOAT_EQ(pieces[k].gy, 0);
    EXPECT_LE(std::abs(pieces[k].gx), 0.2f);
  }
  MoveDebris();
  DrawDebris();
  const std::vector<DrawRecord> draws = DrawsOf(BoomImage);
  ASSERT_EQ(draws.size(), 64u);
  EXPECT_EQ(draws[9].cell, 1 + 8);
  EXPECT_FLOAT_EQ(draws[9].x, 8 + 128 + 32 + 4) << "drawn at its top-left before moving";
  MoveDebris();
  DrawDebris();
  EXPECT_GT(BoomList.First()->y, 194.19f);
}

// Rule: a hat pop shrinks from 8 by 0.5 a frame in its hat's pure colour, centred on its point,
// and is gone after 17 frames.
TEST_F(Effects, HatPopLastsSeventeenFrames) {
  EmitHatPop(400, 300, HAT_HARD);
  for (int frame = 1; frame <= 17; ++frame) {
    HeadlessClearDraws();
    MoveHatPops();
    DrawHatPops();
    const std::vector<DrawRecord> draws = DrawsOf(AHatImage);
    ASSERT_EQ(draws.size(), 1u) << frame;
    const float before = 8 - 0.5f * (frame - 1), after = before - 0.5f;
    EXPECT_FLOAT_EQ(draws[0].sx, before) << frame;
    EXPECT_EQ(draws[0].r, 255);
    EXPECT_EQ(draws[0].g, 255);
    EXPECT_EQ(draws[0].b, 0);
    // Placed by the new scale, drawn at the old one: x - 8 * after is the sprite's left edge.
    EXPECT_FLOAT_EQ(draws[0].x, 400 - 8 * after + 8 * before) << frame;
    EXPECT_EQ(HatPopList.Count(), frame < 17 ? 1 : 0) << frame;
  }
  EmitHatPop(0, 0, 99);  // an unknown colour pops white rather than reading past the table
  MoveHatPops();
  DrawHatPops();
  EXPECT_EQ(DrawsOf(AHatImage).back().b, 255);
}

// Rule: the background scrolls one pixel a frame on both axes, cycling through -1..-512.
TEST_F(Effects, BackgroundScrollCycles) {
  InitBackground();
  EXPECT_EQ(ScrollX, 0);
  MoveBackground();
  EXPECT_EQ(ScrollX, -1);
  for (int i = 2; i <= 512; ++i) MoveBackground();
  EXPECT_EQ(ScrollX, -512);
  EXPECT_EQ(ScrollY, -512);
  MoveBackground();
  EXPECT_EQ(ScrollX, -1);
  EXPECT_EQ(ScrollY, -1);
}

// Rule: each tint channel drifts by a tenth of its rate and turns round at its own bounds with a
// new random speed; a new game starts every channel darkening.
TEST_F(Effects, BackgroundTintDriftsWithinItsBounds) {
  for (int i = 0; i < 20; ++i) {
    InitBackground();
    for (float v : {TintR, TintG, TintB}) {
      EXPECT_GE(v, 0);
      EXPECT_LE(v, 100);
    }
    for (float v : {TintVR, TintVG, TintVB}) {
      EXPECT_GE(v, -1.5f);
      EXPECT_LE(v, -0.5f);
    }
  }
  TintR = 99.95f, TintVR = 1;    // crosses red's top
  TintG = 20.05f, TintVG = -1;   // crosses green's bottom
  TintB = 110, TintVB = 1;       // inside blue's wider band: unchanged
  MoveBackground();
  EXPECT_LE(TintVR, -0.5f);
  EXPECT_GE(TintVG, 0.5f);
  EXPECT_FLOAT_EQ(TintVB, 1);
  EXPECT_FLOAT_EQ(TintB, 110.1f);

  for (int i = 0; i < 20000; ++i) MoveBackground();
  EXPECT_GT(TintR, 19.8f);
  EXPECT_LT(TintR, 100.2f);
  EXPECT_GT(TintB, 39.8f);
  EXPECT_LT(TintB, 120.2f);
}

// Rule: 25 unbudgeted tiles at scale 2 in the tint, then the frame: five rectangles from the
// outside in, lit 2, 1, 1, 0, 0 times the tint, the last one the black board.
TEST_F(Effects, BackgroundTilesAndBoardFrame) {
  InitBackground();
  TintR = 50, TintG = 60, TintB = 70;
  TintVR = TintVG = TintVB = 0;
  DrawLimit[1] = 0;  // the background ignores the sprite budget
  MoveBackground();
  DrawBackground(64, 2);
  const std::vector<DrawRecord> tiles = DrawsOf(GridImage);
  ASSERT_EQ(tiles.size(), 25u);
  EXPECT_FLOAT_EQ(tiles[0].x, -1);
  EXPECT_FLOAT_EQ(tiles[24].x, 4 * 512 - 1);
  EXPECT_FLOAT_EQ(tiles[24].y, 4 * 512 - 1);
  EXPECT_FLOAT_EQ(tiles[0].sx, 2);
  EXPECT_EQ(tiles[0].r, 50);
  EXPECT_EQ(tiles[0].b, 70);

  std::vector<DrawRecord> rects;
  for (const DrawRecord& r : HeadlessDraws())
    if (r.kind == DrawRecord::RECT) rects.push_back(r);
  ASSERT_EQ(rects.size(), 5u);
  const int light[5] = {2, 1, 1, 0, 0};
  for (int i = 0; i < 5; ++i) {
    const int k = 4 - i;
    EXPECT_FLOAT_EQ(rects[i].x, 64.0f - k);
    EXPECT_FLOAT_EQ(rects[i].y, 2.0f - k);
    EXPECT_FLOAT_EQ(rects[i].w, 896.0f + 2 * k);
    EXPECT_EQ(rects[i].r, light[i] * 50);
    EXPECT_EQ(rects[i].b, light[i] * 70);
    EXPECT_FLOAT_EQ(rects[i].sx, 1);
  }
}

TEST_F(Effects, ShowNumberAddsAWhitePopup) {
  ShowNumber(7, 100, 200, 255, 128, 0);
  ASSERT_EQ(ScorePopupList.Count(), 1);
  const ScorePopup& p = *ScorePopupList.Last();
  EXPECT_EQ(p.n, 7);
  EXPECT_FLOAT_EQ(p.x, 100);
  EXPECT_FLOAT_EQ(p.y, 200);
  EXPECT_EQ(p.t, 120);
  EXPECT_EQ(p.g, 128);
}

}  // namespace
