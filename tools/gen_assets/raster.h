// The generator's tiny 2D raster library: colours, a fixed random sequence, 8-bit RGBA images,
// shapes as signed-distance functions, affine maps, paints, and a supersampled canvas that
// box-filters them down to anti-aliased pixels.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

constexpr float PI = 3.14159265358979f;

float Clamp01(float v);
float Smooth(float e0, float e1, float v);
float Rad(float deg);

// ---------------------------------------------------------------------------------------------
// Colour and random numbers
// ---------------------------------------------------------------------------------------------
struct RGBA {
  float r = 0, g = 0, b = 0, a = 0;
};
RGBA Hex(uint32_t v, float a = 1);
RGBA Grey(float v, float a = 1);
RGBA Mix(RGBA x, RGBA y, float t);
RGBA Mul(RGBA c, float k);
RGBA Tint(RGBA c, RGBA t);

// splitmix64: tiny, fast and identical everywhere (std distributions are not).
struct Rng {
  uint64_t s;
  explicit Rng(uint64_t seed) : s(seed) {}
  uint64_t Next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  float Uni() { return (Next() >> 40) / 16777216.0f; }
  float Range(float a, float b) { return a + (b - a) * Uni(); }
  int IRange(int a, int b) { return a + int(Next() % uint64_t(b - a + 1)); }
};

float Hash01(int a, int b, int c);

// ---------------------------------------------------------------------------------------------
// Images (8-bit RGBA, straight alpha) and PNG output
// ---------------------------------------------------------------------------------------------
struct Image {
  int w = 0, h = 0;
  std::vector<uint8_t> px;
  Image() = default;
  Image(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_ * 4, 0) {}
  static uint8_t Q(float v) { return uint8_t(std::lround(Clamp01(v) * 255.0f)); }
  void Set(int x, int y, RGBA c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t* p = &px[(size_t(y) * w + x) * 4];
    p[0] = Q(c.r), p[1] = Q(c.g), p[2] = Q(c.b), p[3] = Q(c.a);
  }
  RGBA Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return {};
    const uint8_t* p = &px[(size_t(y) * w + x) * 4];
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
  }
  // Source-over composition of another image (optionally tinted by multiplication).
  void Over(const Image& src, int dx, int dy, RGBA tint = {1, 1, 1, 1}) {
    for (int y = 0; y < src.h; y++)
      for (int x = 0; x < src.w; x++) {
        RGBA s = Tint(src.Get(x, y), tint);
        s.a *= tint.a;
        if (s.a <= 0) continue;
        RGBA d = Get(dx + x, dy + y);
        float a = s.a + d.a * (1 - s.a);
        if (a <= 0) continue;
        RGBA o{(s.r * s.a + d.r * d.a * (1 - s.a)) / a, (s.g * s.a + d.g * d.a * (1 - s.a)) / a,
               (s.b * s.a + d.b * d.a * (1 - s.a)) / a, a};
        Set(dx + x, dy + y, o);
      }
  }
  void Copy(const Image& src, int dx, int dy) {
    for (int y = 0; y < src.h; y++)
      for (int x = 0; x < src.w; x++) Set(dx + x, dy + y, src.Get(x, y));
  }
};

bool WritePng(const std::string& path, const Image& img);

// ---------------------------------------------------------------------------------------------
// Shapes: signed distance (negative inside) plus a bounding box, in drawing coordinates
// ---------------------------------------------------------------------------------------------
struct Box {
  float x0, y0, x1, y1;
};
struct Shape {
  std::function<float(float, float)> d;
  Box b;
};
struct V2 {
  float x, y;
};

Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
float SegDist(float x, float y, float ax, float ay, float bx, float by);
Shape Capsule(float ax, float ay, float bx, float by, float r);
// A chain of capsules through the points (a thick rounded polyline).
Shape Stroke(std::vector<V2> pts, float r);
Shape RoundBox(float x0, float y0, float x1, float y1, float r);
Shape Polygon(std::vector<V2> v);
Shape Grow(const Shape& s, float r);
Shape Union(const Shape& a, const Shape& b);
float BoxDist(const Box& b, float x, float y);
// Union of many shapes; a part whose box is farther than the best distance so far is skipped.
Shape Group(const std::vector<Shape>& parts);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
Shape HalfPlaneBelow(float y0);
Shape HalfPlaneAbove(float y0);

// Affine map: (x, y) -> (a x + b y + tx, c x + d y + ty).
struct Xf {
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  V2 Apply(float x, float y) const { return {a * x + b * y + tx, c * x + d * y + ty}; }
  Xf Then(const Xf& o) const {  // o after this
    return {o.a * a + o.b * c, o.a * b + o.b * d, o.c * a + o.d * c, o.c * b + o.d * d,
            o.a * tx + o.b * ty + o.tx, o.c * tx + o.d * ty + o.ty};
  }
  Xf Inverse() const {
    float det = a * d - b * c;
    Xf r{d / det, -b / det, -c / det, a / det, 0, 0};
    r.tx = -(r.a * tx + r.b * ty);
    r.ty = -(r.c * tx + r.d * ty);
    return r;
  }
  float Scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
};
Xf Translate(float x, float y);
Xf ScaleXf(float sx, float sy);
Xf Rotate(float deg);
Shape Map(const Shape& s, const Xf& m);

using Paint = std::function<RGBA(float, float)>;
Paint Solid(RGBA c);
// Vertical gradient between two drawing-space rows.
Paint VGrad(RGBA top, RGBA bottom, float y0, float y1);

// ---------------------------------------------------------------------------------------------
// Canvas: premultiplied float RGBA, `ss` x `ss` samples per output pixel. Drawing coordinates map
// to output pixels by x * scale + ox.
// ---------------------------------------------------------------------------------------------
struct Canvas {
  int w, h, ss;
  float scale = 1, ox = 0, oy = 0;
  std::vector<RGBA> p;
  Canvas(int w_, int h_, int ss_) : w(w_), h(h_), ss(ss_), p(size_t(w_ * ss_) * (h_ * ss_)) {}

  // Samples of an output pixel are tested one by one only near the shape's edge: where the
  // distance at the pixel's centre clears its half-diagonal (with a margin for the approximate
  // distances of ellipses and scaled shapes), the whole pixel is inside or outside.
  void Fill(const Shape& s, const Paint& paint, float alpha = 1) {
    int W = w * ss;
    const float k = scale * ss, reach = 1.5f * 0.7072f / scale;
    int x0 = std::max(0, int(std::floor(s.b.x0 * scale + ox)) - 1), x1 = std::min(w - 1, int(std::ceil(s.b.x1 * scale + ox)) + 1);
    int y0 = std::max(0, int(std::floor(s.b.y0 * scale + oy)) - 1), y1 = std::min(h - 1, int(std::ceil(s.b.y1 * scale + oy)) + 1);
    for (int py = y0; py <= y1; py++)
      for (int px = x0; px <= x1; px++) {
        float dc = s.d((px + 0.5f - ox) / scale, (py + 0.5f - oy) / scale);
        if (dc > reach) continue;
        bool inside = dc < -reach;
        for (int j = py * ss; j < (py + 1) * ss; j++) {
          float y = ((j + 0.5f) - oy * ss) / k;
          for (int i = px * ss; i < (px + 1) * ss; i++) {
            float x = ((i + 0.5f) - ox * ss) / k;
            if (!inside && s.d(x, y) >= 0) continue;
            RGBA c = paint(x, y);
            float a = c.a * alpha;
            if (a <= 0) continue;
            RGBA& d = p[size_t(j) * W + i];
            d = {c.r * a + d.r * (1 - a), c.g * a + d.g * (1 - a), c.b * a + d.b * (1 - a), a + d.a * (1 - a)};
          }
        }
      }
  }
  // Shape in `fill` with an outline of width `ow` in `line` around it.
  void Outlined(const Shape& s, const Paint& fill, RGBA line, float ow) {
    Fill(Grow(s, ow), Solid(line));
    Fill(s, fill);
  }
  Image Resolve() const {
    Image img(w, h);
    int W = w * ss;
    float n = float(ss * ss);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        RGBA acc;
        for (int j = 0; j < ss; j++)
          for (int i = 0; i < ss; i++) {
            const RGBA& c = p[size_t(y * ss + j) * W + (x * ss + i)];
            acc.r += c.r, acc.g += c.g, acc.b += c.b, acc.a += c.a;
          }
        if (acc.a <= 0) continue;
        img.Set(x, y, {acc.r / acc.a, acc.g / acc.a, acc.b / acc.a, acc.a / n});
      }
    return img;
  }
};

// A strip of cells read left to right, top to bottom, as the engine's loader does.
struct Strip {
  Image img;
  int cw, ch, cols;
  Strip(int cw_, int ch_, int cols_, int rows) : img(cw_ * cols_, ch_ * rows), cw(cw_), ch(ch_), cols(cols_) {}
  void Put(int cell, const Image& c) { img.Copy(c, (cell % cols) * cw, (cell / cols) * ch); }
  Image Cell(int cell) const {
    Image c(cw, ch);
    for (int y = 0; y < ch; y++)
      for (int x = 0; x < cw; x++) c.Set(x, y, img.Get((cell % cols) * cw + x, (cell / cols) * ch + y));
    return c;
  }
  int Count() const { return cols * (img.h / ch); }
};

// Points along an elliptic arc from angle a0 to a1 (degrees, counter-clockwise, y down).
std::vector<V2> Arc(float cx, float cy, float rx, float ry, float a0, float a1, int n = 24);
std::vector<V2> Join(std::vector<V2> a, const std::vector<V2>& b);

// A star of `points` points between radii r0 (tips) and r1.
Shape Star(float cx, float cy, float r0, float r1, int points, float rot = -90);

}  // namespace art
