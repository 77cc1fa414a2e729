// The tessellator's maths, the frame batch's command list and how a picture's alpha is classed.
#include <gtest/gtest.h>

#include "media/render_batch.h"

namespace {

struct Corner {
  float x, y;
};

void ExpectCorners(const Vertex* v, const Corner (&want)[4]) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(v[i].x, want[i].x, 1e-4) << "corner " << i;
    EXPECT_NEAR(v[i].y, want[i].y, 1e-4) << "corner " << i;
  }
}

TEST(GfxTessellator, QuadsTurnAndScaleAboutTheirHandle) {
  Vertex v[4];
  QuadPaint paint;
  paint.r = 1;
  paint.a = 200;
  paint.u0 = 0.25f;
  paint.v1 = 0.5f;

  // A 16 x 16 sprite, handle at its middle, scale 2, rotated 90 degrees (clockwise on screen), at
  // (100, 50): its top-left corner goes to the top-right.
  QuadGeom g;
  g.x = 100;
  g.y = 50;
  g.w = g.h = 16;
  g.hx = g.hy = 8;
  g.sx = g.sy = 2;
  g.cosr = 0;
  g.sinr = 1;
  TessellateQuad(v, g, paint);
  ExpectCorners(v, {{116, 34}, {116, 66}, {84, 66}, {84, 34}});
  EXPECT_EQ(v[2].r, 1);
  EXPECT_EQ(v[2].a, 200);
  EXPECT_FLOAT_EQ(v[0].u, 0.25f);
  EXPECT_FLOAT_EQ(v[3].v, 0.5f);

  // Unrotated, handle at the corner, logical 1280 x 960 on a real 800 x 600.
  QuadGeom r;
  r.x = 640;
  r.y = 480;
  r.w = 32;
  r.h = 16;
  r.sx = 1.5f;
  r.sy = 1;
  r.vx = r.vy = 0.625f;
  TessellateQuad(v, r, paint);
  ExpectCorners(v, {{400, 300}, {430, 300}, {430, 310}, {400, 310}});

  // A non-uniform scale is applied before the turn: 180 degrees about the handle (4, 2).
  QuadGeom t;
  t.w = 8;
  t.h = 4;
  t.hx = 4;
  t.hy = 2;
  t.sx = 3;
  t.sy = 0.5f;
  t.cosr = -1;
  t.sinr = 0;
  TessellateQuad(v, t, paint);
  ExpectCorners(v, {{12, 1}, {-12, 1}, {-12, -1}, {12, -1}});
}

TEST(GfxBatch, ANewCommandStartsOnlyWhenTextureOrBlendChanges) {
  TexSource a, b;
  RenderBatch batch;
  // texture blend  -> commands so far
  struct Step {
    const TexSource* tex;
    int blend;
    size_t commands;
  } steps[] = {{&a, 3, 1}, {&a, 3, 1}, {&a, 3, 1}, {&b, 3, 2}, {&b, 4, 3},
               {&b, 4, 3}, {nullptr, 4, 4}, {nullptr, 4, 4}, {&a, 3, 5}};
  for (const Step& s : steps) {
    batch.AddQuad(s.tex, s.blend);
    EXPECT_EQ(batch.Commands().size(), s.commands);
  }
  const auto& c = batch.Commands();
  EXPECT_EQ(c[0].quadCount, 3u);
  EXPECT_EQ(c[1].firstQuad, 3u);
  EXPECT_EQ(c[2].quadCount, 2u);
  EXPECT_EQ(c[4].firstQuad, 8u);
  EXPECT_EQ(batch.QuadCount(), 9u);
  EXPECT_TRUE(batch.Uses(&b));
  batch.Reset();
  EXPECT_TRUE(batch.Empty());
  EXPECT_FALSE(batch.Uses(&b));
}

TEST(GfxBatch, AFullBatchIsFlushedAndGoesOn) {
  static int flushes;
  static uint32_t flushedQuads;
  flushes = 0;
  flushedQuads = 0;
  TexSource a;
  RenderBatch batch;
  batch.SetFlushHook([](RenderBatch& b) {
    ++flushes;
    flushedQuads += b.QuadCount();
    b.Reset();
  });
  const Vertex* storage = batch.AddQuad(&a, 3);
  for (uint32_t i = 1; i < BATCH_MAX_QUADS + 10; ++i) batch.AddQuad(&a, 3);
  EXPECT_EQ(flushes, 1);
  EXPECT_EQ(flushedQuads, BATCH_MAX_QUADS);
  EXPECT_EQ(batch.QuadCount(), 10u);
  EXPECT_EQ(batch.Commands().size(), 1u);
  EXPECT_EQ(batch.Vertices(), storage);  // the storage is kept: no allocation per frame
}

TEST(GfxBatch, IndexPatternIsTwoTrianglesPerQuad) {
  const auto& idx = QuadIndices32();
  ASSERT_EQ(idx.size(), size_t(BATCH_MAX_QUADS) * 6);
  const uint32_t want[12] = {0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(idx[size_t(i)], want[i]);
  EXPECT_EQ(QuadIndicesInt()[idx.size() - 1], int(BATCH_MAX_QUADS - 1) * 4);
}

TEST(GfxTexAlpha, PicturesAreClassedByTheirAlphaAndClassedAgainAfterAChange) {
  // alphas of a 2 x 2 picture      class
  struct Case {
    uint8_t a[4];
    int want;
  } cases[] = {
      {{255, 255, 255, 255}, TEX_ALPHA_OPAQUE},
      {{0, 255, 0, 255}, TEX_ALPHA_BINARY},
      {{0, 0, 0, 0}, TEX_ALPHA_BINARY},
      {{255, 255, 254, 255}, TEX_ALPHA_VARIED},
      {{0, 1, 255, 255}, TEX_ALPHA_VARIED},
  };
  for (const Case& c : cases) {
    TexSource rgba, coverage;
    rgba.w = rgba.h = coverage.w = coverage.h = 2;
    rgba.pixels.assign(16, 77);  // colour bytes that look like a varied alpha
    for (int i = 0; i < 4; ++i) rgba.pixels[size_t(i) * 4 + 3] = c.a[i];
    coverage.coverage = true;
    coverage.pixels.assign(c.a, c.a + 4);
    EXPECT_EQ(rgba.Alpha(), c.want) << int(c.a[0]) << " " << int(c.a[1]) << " " << int(c.a[2]);
    EXPECT_EQ(coverage.Alpha(), c.want) << "coverage";
  }
  TexSource t;
  t.w = t.h = 1;
  t.pixels = {9, 9, 9, 255};
  EXPECT_EQ(t.Alpha(), TEX_ALPHA_OPAQUE);
  t.pixels[3] = 128;
  t.Touch();
  EXPECT_EQ(t.Alpha(), TEX_ALPHA_VARIED);
}

}  // namespace
