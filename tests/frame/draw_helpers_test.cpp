// The drawing helpers on the headless back end: draw state, budgets, the glow pass, aligned
// text and the mouse hit test.
#include <gtest/gtest.h>

#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame_fixture.h"

namespace {

TEST(ClampFloat, HiFirstThenLo) {
  struct Case {
    float v, lo, hi, want;
  };
  const Case cases[] = {
      // v     lo   hi    result
      {5, 0, 10, 5},
      {-1, 0, 10, 0},
      {11, 0, 10, 10},
      {0, 0, 10, 0},
      {10, 0, 10, 10},
      {5, 8, 2, 8},  // lo > hi: lo wins
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(ClampFloat(c.v, c.lo, c.hi), c.want) << c.v << " in " << c.lo << ".." << c.hi;
}

using DrawState = FrameTest;

TEST_F(DrawState, ColourIsClampedAndAlphaOnlyChangesWhenGiven) {
  SetAlpha(0.3f);
  SetDrawColour(300, -5, 128.9f);
  int r, g, b;
  GetColour(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 128) << "truncated, not rounded";
  EXPECT_FLOAT_EQ(GetAlpha(), 0.3f);

  SetDrawColour(1, 2, 3, 7.5f);
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
  SetDrawColour(1, 2, 3, -2);
  EXPECT_FLOAT_EQ(GetAlpha(), 0.0f);
}

TEST_F(DrawState, ResetGivesTheCleanState) {
  SetDrawRotation(30);
  SetDrawScale(2, 3);
  SetDrawColour(1, 2, 3, 0.5f);
  SetBlend(BLEND_LIGHT);
  ResetDrawState();
  float sx, sy;
  GetScale(sx, sy);
  int r, g, b;
  GetColour(r, g, b);
  EXPECT_FLOAT_EQ(GetRotation(), 0);
  EXPECT_FLOAT_EQ(sx, 1);
  EXPECT_FLOAT_EQ(sy, 1);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_FLOAT_EQ(GetAlpha(), 1);
  EXPECT_EQ(GetBlend(), BLEND_ALPHA);
  SetDrawScale(4);
  GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sy, 4) << "one argument scales both axes";
}

class Sprites : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    image_ = CreateImage(20, 10, 4, 0);
    glow_ = CreateImage(40, 40, 4, 0);
    ResetDrawState();
    BeginFrame(1);
    HeadlessClearDraws();
  }
  int image_ = 0, glow_ = 0;
};

TEST_F(Sprites, EachKindHasItsOwnBudgetUntilTheNextBeginFrame) {
  struct Case {
    int kind;
    int limit;
    int tries;
    int drawn;
  };
  const Case cases[] = {
      // kind  limit  tries  drawn
      {1, 3, 5, 3},
      {2, 0, 2, 0},
      {3, 2, 2, 2},
      {19, 1, 3, 1},
      {0, 5, 2, 0},   // kind 0 and kinds outside the table are never drawn
      {20, 5, 2, 0},
      {-3, 5, 2, 0},
  };
  for (const Case& c : cases) {
    BeginFrame(0);
    HeadlessClearDraws();
    if (c.kind >= 0 && c.kind < DRAW_KINDS) DrawLimit[c.kind] = c.limit;
    for (int i = 0; i < c.tries; ++i) DrawSprite(image_, 0, 0, 0, c.kind);
    EXPECT_EQ(static_cast<int>(Draws(DrawRecord::IMAGE).size()), c.drawn) << "kind " << c.kind;
    if (c.kind >= 1 && c.kind < DRAW_KINDS) {
      EXPECT_EQ(DrawnCount[c.kind], c.drawn);
    }
  }
  DrawLimit[1] = 3;
  BeginFrame(0);
  DrawSprite(image_, 0, 0, 0);
  EXPECT_EQ(DrawnCount[1], 1) << "BeginFrame gives the budget back";
}

TEST_F(Sprites, TopLeftCornerStaysPutAtAnyScale) {
  SetDrawScale(2);
  DrawSprite(image_, 0, 0, 3);
  SetDrawScale(1, 3);
  DrawSprite(image_, 100, 50, 1);
  const auto draws = Draws(DrawRecord::IMAGE);
  ASSERT_EQ(draws.size(), 2u);
  // Mid-handled images: the centre of a 2x sprite at (0, 0) covers (0, 0)..(40, 20).
  EXPECT_FLOAT_EQ(draws[0].x, 20);
  EXPECT_FLOAT_EQ(draws[0].y, 10);
  EXPECT_EQ(draws[0].cell, 3);
  EXPECT_FLOAT_EQ(draws[1].x, 110);
  EXPECT_FLOAT_EQ(draws[1].y, 65);
}

TEST_F(Sprites, GlowPassIsCentredScaledAdditiveAndRestoresTheState) {
  SetDrawScale(2);
  SetAlpha(0.5f);
  SetBlend(BLEND_SHADE);
  DrawGlowSprite(image_, 10, 10, 2, glow_, 1.5f, 0.4f);
  const auto draws = Draws(DrawRecord::IMAGE);
  ASSERT_EQ(draws.size(), 2u);
  const DrawRecord& main = draws[0];
  const DrawRecord& glow = draws[1];
  EXPECT_EQ(main.image, image_);
  EXPECT_EQ(main.blend, BLEND_SHADE);
  EXPECT_EQ(glow.image, glow_);
  EXPECT_EQ(glow.cell, 2);
  // Centred on the main sprite (sized by the main image), not by the glow image's size.
  EXPECT_FLOAT_EQ(glow.x, main.x);
  EXPECT_FLOAT_EQ(glow.y, main.y);
  EXPECT_FLOAT_EQ(main.x, 30);
  EXPECT_FLOAT_EQ(glow.sx, 3);
  EXPECT_NEAR(glow.alpha, 0.2f, 1e-6);
  EXPECT_EQ(glow.blend, BLEND_LIGHT);

  float sx, sy;
  GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 2);
  EXPECT_FLOAT_EQ(GetAlpha(), 0.5f);
  EXPECT_EQ(GetBlend(), BLEND_SHADE) << "the media mode comes back";
  EXPECT_EQ(DrawnCount[1], 1);
  EXPECT_EQ(DrawnCount[2], 1);
}

TEST_F(Sprites, GlowIsDrawnWhenTheMainPassIsOverBudgetAndUsesTheOwnImageByDefault) {
  DrawLimit[1] = 0;
  DrawGlowSprite(image_, 0, 0, 1, 0, 1.1f, 1);
  const auto draws = Draws(DrawRecord::IMAGE);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].image, image_);
  EXPECT_EQ(draws[0].blend, BLEND_LIGHT);
  EXPECT_EQ(DrawnCount[1], 0);
  EXPECT_EQ(DrawnCount[2], 1);
}

TEST_F(Sprites, SkippedFramesDrawNoBudgetedSpritesButStillDrawText) {
  Settings[ESS] = 1;
  FrameParity = 1;
  DrawSprite(image_, 0, 0, 0);
  DrawGlowSprite(image_, 0, 0, 0, glow_, 1, 1);
  DrawTextAt(5, 5, "still here");
  EXPECT_TRUE(Draws(DrawRecord::IMAGE).empty());
  EXPECT_EQ(DrawnCount[1] + DrawnCount[2], 0) << "nothing counted either";
  EXPECT_EQ(Texts("still here").size(), 1u);

  FrameParity = 0;
  DrawSprite(image_, 0, 0, 0);
  EXPECT_EQ(Draws(DrawRecord::IMAGE).size(), 1u) << "even frames are drawn";
  Settings[ESS] = 0;
  FrameParity = 1;
  DrawSprite(image_, 0, 0, 0);
  EXPECT_EQ(Draws(DrawRecord::IMAGE).size(), 2u) << "without frame-skip every frame is drawn";
}

TEST_F(DrawState, TextAlignsByItsUnscaledSize) {
  // The built-in font: 12 pixels a character, 20 a line; "Align me" is 96 x 20.
  const std::string txt = "Align me";
  ASSERT_EQ(TextWidth(txt), 96);
  ASSERT_EQ(TextHeight(txt), 20);
  SetDrawScale(2);
  struct Case {
    int hAlign, vAlign;
    float wantX, wantY;
  };
  const Case cases[] = {
      // h  v  x    y      (by the scaled size, centred would be 404 and right-aligned 308)
      {0, 0, 500, 300},
      {1, 0, 452, 300},
      {2, 0, 404, 300},
      {0, 1, 500, 290},
      {1, 2, 452, 280},
  };
  for (const Case& c : cases) {
    HeadlessClearDraws();
    DrawTextAt(500, 300, txt, c.hAlign, c.vAlign);
    const auto texts = Texts(txt);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FLOAT_EQ(texts[0].x, c.wantX) << c.hAlign << "," << c.vAlign;
    EXPECT_FLOAT_EQ(texts[0].y, c.wantY) << c.hAlign << "," << c.vAlign;
    EXPECT_FLOAT_EQ(texts[0].sx, 2);
  }
}

TEST_F(DrawState, MouseInIsStrictOnEveryEdge) {
  FrameMouseX = 100;
  FrameMouseY = 50;
  struct Case {
    int x, y, w, h;
    int want;
  };
  const Case cases[] = {
      // x    y   w    h    inside
      {99, 49, 2, 2, 1},
      {100, 49, 5, 5, 0},   // mouse on the left edge
      {99, 50, 5, 5, 0},    // on the top edge
      {95, 45, 5, 10, 0},   // on the right edge
      {95, 45, 10, 5, 0},   // on the bottom edge
      {0, 0, 1280, 960, 1},
      {99, 49, 0, 0, 0},
      {99, 49, 2147483647, 2147483647, 1},  // edges far away must not wrap round
  };
  for (const Case& c : cases) EXPECT_EQ(MouseIn(c.x, c.y, c.w, c.h), c.want) << c.x << "," << c.y << " " << c.w << "x" << c.h;
}

}  // namespace
