// DrawImage, DrawRect, DrawLine and DrawText: on the headless back end each call is recorded with
// the whole drawing state; on a real one it becomes quads in the frame batch (vertices in real
// pixels), drawn at the next flush.
#include <cmath>

#include "media/display_state.h"
#include "media/draw_state.h"
#include "media/font.h"
#include "media/image.h"

namespace {

QuadPaint PaintFromState(const DrawState& s) {
  QuadPaint p;
  p.r = static_cast<uint8_t>(s.r);
  p.g = static_cast<uint8_t>(s.g);
  p.b = static_cast<uint8_t>(s.b);
  // Masked drawing does not blend, and its test is on the picture's own alpha.
  p.a = s.blend == BLEND_MASK ? 255 : s.alpha8;
  return p;
}

QuadGeom GeomFromState(const DrawState& s, float x, float y) {
  const GfxState& g = Gfx();
  QuadGeom q;
  q.x = x;
  q.y = y;
  q.sx = s.sx;
  q.sy = s.sy;
  q.cosr = s.cosr;
  q.sinr = s.sinr;
  q.vx = g.vx;
  q.vy = g.vy;
  return q;
}

bool Drawing() { return Gfx().renderer != nullptr; }

// Texels of alpha 0 leave the back buffer as it was in these modes (the masked test drops them,
// alpha and light weigh them by 0); solid and shade draw them.
bool ClearTexelsDrawNothing(int blend) { return blend == BLEND_MASK || blend == BLEND_ALPHA || blend == BLEND_LIGHT; }

// The blend mode a quad is drawn with. Alpha blending of opaque paint leaves exactly the paint:
// drawn solid instead, or with the masked test where the picture's texels are all opaque or
// clear and sampled one by one (filtering would make edge alphas in between).
int DrawnBlend(int blend, uint8_t alpha, const TexSource* tex) {
  if (blend != BLEND_ALPHA || alpha != 255 || !Gfx().unblendedCover) return blend;
  if (!tex) return BLEND_SOLID;
  const int kind = tex->Alpha();
  if (kind == TEX_ALPHA_OPAQUE) return BLEND_SOLID;
  if (kind == TEX_ALPHA_BINARY && !tex->filtered) return BLEND_MASK;
  return blend;
}

}  // namespace

void DrawImage(int image, float x, float y, int frame) {
  const Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  if (!img || frame < 0 || frame >= img->frames) return;
  const DrawState& s = CurrentDrawState();
  if (GfxHeadless()) {
    DrawRecord rec = RecordWithState(DrawRecord::IMAGE);
    rec.image = image;
    rec.cell = frame;
    rec.x = x;
    rec.y = y;
    HeadlessRecordDraw(rec);
    return;
  }
  if (!Drawing()) return;
  QuadGeom q = GeomFromState(s, x, y);
  QuadPaint p = PaintFromState(s);
  // Where clear texels draw nothing, only the ink's rectangle: fewer pixels, the same picture.
  const Image::FrameRects& rects = img->rects[static_cast<size_t>(frame)];
  const Image::FrameRect& r = Gfx().inkQuads && ClearTexelsDrawNothing(s.blend) ? rects.ink : rects.whole;
  if (r.x1 <= r.x0) return;
  q.w = static_cast<float>(r.x1 - r.x0);
  q.h = static_cast<float>(r.y1 - r.y0);
  q.hx = img->hx - static_cast<float>(r.x0);
  q.hy = img->hy - static_cast<float>(r.y0);
  p.u0 = r.u0;
  p.v0 = r.v0;
  p.u1 = r.u1;
  p.v1 = r.v1;
  TessellateQuad(Gfx().batch.AddQuad(&img->tex, DrawnBlend(s.blend, p.a, &img->tex)), q, p);
}

void DrawRect(float x, float y, float w, float h) {
  const DrawState& s = CurrentDrawState();
  if (GfxHeadless()) {
    DrawRecord rec = RecordWithState(DrawRecord::RECT);
    rec.x = x;
    rec.y = y;
    rec.w = w;
    rec.h = h;
    HeadlessRecordDraw(rec);
    return;
  }
  if (!Drawing()) return;
  QuadGeom q = GeomFromState(s, x, y);
  q.w = w;
  q.h = h;
  const QuadPaint p = PaintFromState(s);
  TessellateQuad(Gfx().batch.AddQuad(nullptr, DrawnBlend(s.blend, p.a, nullptr)), q, p);
}

void DrawLine(float x1, float y1, float x2, float y2) {
  const DrawState& s = CurrentDrawState();
  if (GfxHeadless()) {
    DrawRecord rec = RecordWithState(DrawRecord::LINE);
    rec.x = x1;
    rec.y = y1;
    rec.w = x2;
    rec.h = y2;
    HeadlessRecordDraw(rec);
    return;
  }
  if (!Drawing()) return;
  // A line is a quad one real pixel wide, reaching half a pixel past both ends so that its end
  // points are covered like those of a rasterised line.
  const GfxState& g = Gfx();
  const float ax = x1 * g.vx, ay = y1 * g.vy, bx = x2 * g.vx, by = y2 * g.vy;
  float dx = bx - ax, dy = by - ay;
  const float len = std::sqrt(dx * dx + dy * dy);
  if (len < 1e-4f) {
    dx = 1;
    dy = 0;
  } else {
    dx /= len;
    dy /= len;
  }
  QuadGeom q;
  q.x = ax - dx * 0.5f + dy * 0.5f;
  q.y = ay - dy * 0.5f - dx * 0.5f;
  q.w = len + 1;
  q.h = 1;
  q.cosr = dx;
  q.sinr = dy;
  const QuadPaint p = PaintFromState(s);
  TessellateQuad(Gfx().batch.AddQuad(nullptr, DrawnBlend(s.blend, p.a, nullptr)), q, p);
}

void DrawText(const std::string& text, float x, float y) {
  const DrawState& s = CurrentDrawState();
  if (GfxHeadless()) {
    DrawRecord rec = RecordWithState(DrawRecord::TEXT);
    rec.image = s.font;
    rec.x = x;
    rec.y = y;
    rec.text = text;
    HeadlessRecordDraw(rec);
    return;
  }
  if (!Drawing()) return;
  const Font& f = CurrentFont();
  const float tw = static_cast<float>(f.tex.w), th = static_cast<float>(f.tex.h);
  QuadGeom q = GeomFromState(s, x, y);
  QuadPaint p = PaintFromState(s);
  RenderBatch& batch = Gfx().batch;
  const int blend = DrawnBlend(s.blend, p.a, &f.tex);
  int pen = 0;
  // Every glyph is a quad about the text's own origin, so the whole line turns and scales as one.
  for (unsigned char c : text) {
    const Glyph& gl = f.glyphs[c];
    if (gl.w > 0 && gl.h > 0) {
      q.w = static_cast<float>(gl.w);
      q.h = static_cast<float>(gl.h);
      q.hx = -static_cast<float>(pen + gl.left);
      q.hy = -static_cast<float>(gl.top);
      p.u0 = static_cast<float>(gl.x) / tw;
      p.v0 = static_cast<float>(gl.y) / th;
      p.u1 = static_cast<float>(gl.x + gl.w) / tw;
      p.v1 = static_cast<float>(gl.y + gl.h) / th;
      TessellateQuad(batch.AddQuad(&f.tex, blend), q, p);
    }
    pen += gl.advance;
  }
}
