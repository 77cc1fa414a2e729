// gen_assets: draws every image and synthesises every sound effect that the engine and the game
// load, into <root>/Common/ and <root>/247/ (root defaults to assets/Files).
//
//   gen_assets [root] [--sheet contact.png] [--mockup level.png] [--icons folder]
//
// --icons also draws the desktop icon in the usual sizes, as <folder>/<N>x<N>/plonko-elongo.png.
//
// Everything is reproducible: fixed seeds, no clock, PNGs without time chunks, so two runs give
// byte-identical files (the asset test relies on this). The drawing is a tiny 2D raster library:
// shapes are signed-distance functions painted onto a supersampled canvas and box-filtered down,
// which gives anti-aliased edges, outlines (a shape grown by the outline width) and shading
// (paints are functions of position). Sounds are additive/subtractive synthesis written as
// 16-bit mono PCM WAV, each normalised to a common loudness with headroom below full scale.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "media/png_io.h"

namespace {

constexpr float PI = 3.14159265358979f;

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
float Smooth(float e0, float e1, float v) {
  float t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
float Rad(float deg) { return deg * PI / 180.0f; }

// ---------------------------------------------------------------------------------------------
// Colour and random numbers
// ---------------------------------------------------------------------------------------------
struct RGBA {
  float r = 0, g = 0, b = 0, a = 0;
};
RGBA Hex(uint32_t v, float a = 1) {
  return {((v >> 16) & 255) / 255.0f, ((v >> 8) & 255) / 255.0f, (v & 255) / 255.0f, a};
}
RGBA Grey(float v, float a = 1) { return {v, v, v, a}; }
RGBA Mix(RGBA x, RGBA y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}
RGBA Mul(RGBA c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
RGBA Tint(RGBA c, RGBA t) { return {c.r * t.r, c.g * t.g, c.b * t.b, c.a}; }

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

float Hash01(int a, int b, int c) {
  uint64_t h = uint64_t(uint32_t(a)) * 0x9E3779B1u ^ uint64_t(uint32_t(b)) * 0x85EBCA77u ^
               uint64_t(uint32_t(c)) * 0xC2B2AE3Du;
  Rng r(h);
  return r.Uni();
}

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

bool WritePng(const std::string& path, const Image& img) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return WritePngRgba(path, img.px.data(), img.w, img.h, 9);
}

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

Shape Circle(float cx, float cy, float r) {
  return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; },
          {cx - r, cy - r, cx + r, cy + r}};
}
Shape Ellipse(float cx, float cy, float rx, float ry) {
  return {[=](float x, float y) {
            float px = (x - cx) / rx, py = (y - cy) / ry;
            float k0 = std::hypot(px, py);
            float k1 = std::hypot(px / rx, py / ry);
            if (k1 < 1e-6f) return -std::min(rx, ry);
            return k0 * (k0 - 1) / k1;
          },
          {cx - rx, cy - ry, cx + rx, cy + ry}};
}
float SegDist(float x, float y, float ax, float ay, float bx, float by) {
  float px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
  float l2 = vx * vx + vy * vy;
  float t = l2 > 0 ? Clamp01((px * vx + py * vy) / l2) : 0;
  return std::hypot(px - vx * t, py - vy * t);
}
Shape Capsule(float ax, float ay, float bx, float by, float r) {
  return {[=](float x, float y) { return SegDist(x, y, ax, ay, bx, by) - r; },
          {std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r}};
}
// A chain of capsules through the points (a thick rounded polyline).
Shape Stroke(std::vector<V2> pts, float r) {
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (auto p : pts) b = {std::min(b.x0, p.x - r), std::min(b.y0, p.y - r), std::max(b.x1, p.x + r), std::max(b.y1, p.y + r)};
  return {[=](float x, float y) {
            float d = 1e9f;
            if (pts.size() == 1) return std::hypot(x - pts[0].x, y - pts[0].y) - r;
            for (size_t i = 1; i < pts.size(); i++)
              d = std::min(d, SegDist(x, y, pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y));
            return d - r;
          },
          b};
}
Shape RoundBox(float x0, float y0, float x1, float y1, float r) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
  return {[=](float x, float y) {
            float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
            float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
            return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - r;
          },
          {x0, y0, x1, y1}};
}
Shape Polygon(std::vector<V2> v) {
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (auto p : v) b = {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x), std::max(b.y1, p.y)};
  return {[=](float x, float y) {
            float d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y);
            float s = 1;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, i++) {
              float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
              float wx = x - v[i].x, wy = y - v[i].y;
              float t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
              float bx = wx - ex * t, by = wy - ey * t;
              d = std::min(d, bx * bx + by * by);
              bool c1 = y >= v[i].y, c2 = y < v[j].y, c3 = ex * wy > ey * wx;
              if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
            }
            return s * std::sqrt(d);
          },
          b};
}
Shape Grow(const Shape& s, float r) {
  auto d = s.d;
  return {[=](float x, float y) { return d(x, y) - r; }, {s.b.x0 - r, s.b.y0 - r, s.b.x1 + r, s.b.y1 + r}};
}
Shape Union(const Shape& a, const Shape& b) {
  auto da = a.d, db = b.d;
  return {[=](float x, float y) { return std::min(da(x, y), db(x, y)); },
          {std::min(a.b.x0, b.b.x0), std::min(a.b.y0, b.b.y0), std::max(a.b.x1, b.b.x1), std::max(a.b.y1, b.b.y1)}};
}
float BoxDist(const Box& b, float x, float y) {
  float dx = std::max({b.x0 - x, 0.0f, x - b.x1}), dy = std::max({b.y0 - y, 0.0f, y - b.y1});
  return std::hypot(dx, dy);
}
// Union of many shapes; a part whose box is farther than the best distance so far is skipped.
Shape Group(const std::vector<Shape>& parts) {
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (auto& s : parts) b = {std::min(b.x0, s.b.x0), std::min(b.y0, s.b.y0), std::max(b.x1, s.b.x1), std::max(b.y1, s.b.y1)};
  if (parts.empty()) b = {0, 0, 0, 0};
  return {[=](float x, float y) {
            float d = 1e9f;
            for (auto& s : parts)
              if (BoxDist(s.b, x, y) < d) d = std::min(d, s.d(x, y));
            return d;
          },
          b};
}
Shape Intersect(const Shape& a, const Shape& b) {
  auto da = a.d, db = b.d;
  return {[=](float x, float y) { return std::max(da(x, y), db(x, y)); },
          {std::max(a.b.x0, b.b.x0), std::max(a.b.y0, b.b.y0), std::min(a.b.x1, b.b.x1), std::min(a.b.y1, b.b.y1)}};
}
Shape Subtract(const Shape& a, const Shape& b) {
  auto da = a.d, db = b.d;
  return {[=](float x, float y) { return std::max(da(x, y), -db(x, y)); }, a.b};
}
Shape HalfPlaneBelow(float y0) {  // y > y0
  return {[=](float, float y) { return y0 - y; }, {-1e4f, y0, 1e4f, 1e4f}};
}
Shape HalfPlaneAbove(float y0) {  // y < y0
  return {[=](float, float y) { return y - y0; }, {-1e4f, -1e4f, 1e4f, y0}};
}

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
Xf Translate(float x, float y) { return {1, 0, 0, 1, x, y}; }
Xf ScaleXf(float sx, float sy) { return {sx, 0, 0, sy, 0, 0}; }
Xf Rotate(float deg) {
  float c = std::cos(Rad(deg)), s = std::sin(Rad(deg));
  return {c, -s, s, c, 0, 0};
}
Shape Map(const Shape& s, const Xf& m) {
  Xf inv = m.Inverse();
  float k = m.Scale();
  auto d = s.d;
  V2 c[4] = {m.Apply(s.b.x0, s.b.y0), m.Apply(s.b.x1, s.b.y0), m.Apply(s.b.x0, s.b.y1), m.Apply(s.b.x1, s.b.y1)};
  Box b{1e9f, 1e9f, -1e9f, -1e9f};
  for (auto p : c) b = {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x), std::max(b.y1, p.y)};
  return {[=](float x, float y) {
            V2 q = inv.Apply(x, y);
            return d(q.x, q.y) * k;
          },
          b};
}

using Paint = std::function<RGBA(float, float)>;
Paint Solid(RGBA c) {
  return [=](float, float) { return c; };
}
// Vertical gradient between two drawing-space rows.
Paint VGrad(RGBA top, RGBA bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

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

// ---------------------------------------------------------------------------------------------
// Palette: one set of colours for everything
// ---------------------------------------------------------------------------------------------
namespace pal {
const RGBA INK = Hex(0x2A1A2C);        // outlines
const RGBA SKIN = Hex(0xFFA24E);       // walker body
const RGBA SKIN_LIGHT = Hex(0xFFD38A);
const RGBA SKIN_DARK = Hex(0xD9622E);
const RGBA BELLY = Hex(0xFFE2AE);
const RGBA CHEEK = Hex(0xFF6F6A);
const RGBA FOOT = Hex(0xC4532A);
const RGBA EYE = Hex(0xFFFFFF);
const RGBA PUPIL = Hex(0x1E1426);
const RGBA MOUTH = Hex(0x5A1A24);
const RGBA TONGUE = Hex(0xFF6F7A);
const RGBA SOIL = Hex(0x7A4A2A);
const RGBA SOIL_DARK = Hex(0x4E2C18);
const RGBA SOIL_LIGHT = Hex(0x9C643A);
const RGBA PEBBLE = Hex(0xA59A8A);
const RGBA GRASS = Hex(0x56B236);
const RGBA GRASS_LIGHT = Hex(0x9BE05A);
const RGBA GRASS_DARK = Hex(0x2C6E24);
const RGBA STONE = Hex(0x7C8AA6);
const RGBA STONE_LIGHT = Hex(0xB0BCD4);
const RGBA STONE_DARK = Hex(0x48506A);
const RGBA HOLE_IN = Hex(0x1A0830);
const RGBA HOLE_DEEP = Hex(0x05010C);
const RGBA RIM = Hex(0x5EF2FF);
const RGBA RIM_VIOLET = Hex(0xA070FF);
const RGBA GOLD = Hex(0xFFD23C);
const RGBA ORANGE = Hex(0xFF8A2A);
const RGBA SKY = Hex(0x3C7CFF);
const RGBA WHITE = Hex(0xFFFFFF);
// Hat cells are neutral so that the game's tint decides their colour.
const RGBA HAT = Grey(0.93f);
const RGBA HAT_LIGHT = Grey(1.0f);
const RGBA HAT_SHADE = Grey(0.66f);
const RGBA HAT_BAND = Grey(0.55f);
const RGBA HAT_INK = Grey(0.13f);
}  // namespace pal

const RGBA HAT_TINTS[8] = {Hex(0xFFFFFF), Hex(0xFF3232), Hex(0xFFFF32), Hex(0x32FF32),
                           Hex(0x32FFFF), Hex(0x3232FF), Hex(0xFF32FF), Hex(0xFFFFFF)};

// ---------------------------------------------------------------------------------------------
// Fonts of our own: a 3 x 5 bitmap font for the contact sheet's labels, and a rounded stroke
// alphabet (cap height 10 units) for the logos and banners.
// ---------------------------------------------------------------------------------------------
const char* TinyGlyph(char c) {
  switch (c) {
    case '0': return "111101101101111";
    case '1': return "010110010010111";
    case '2': return "111001111100111";
    case '3': return "111001111001111";
    case '4': return "101101111001001";
    case '5': return "111100111001111";
    case '6': return "111100111101111";
    case '7': return "111001010010010";
    case '8': return "111101111101111";
    case '9': return "111101111001111";
    case 'A': return "010101111101101";
    case 'B': return "110101110101110";
    case 'C': return "011100100100011";
    case 'D': return "110101101101110";
    case 'E': return "111100110100111";
    case 'F': return "111100110100100";
    case 'G': return "011100101101011";
    case 'H': return "101101111101101";
    case 'I': return "111010010010111";
    case 'J': return "001001001101010";
    case 'K': return "101101110101101";
    case 'L': return "100100100100111";
    case 'M': return "101111111101101";
    case 'N': return "110101101101101";
    case 'O': return "010101101101010";
    case 'P': return "110101110100100";
    case 'R': return "110101110101101";
    case 'S': return "011100010001110";
    case 'T': return "111010010010010";
    case 'U': return "101101101101111";
    case 'V': return "101101101101010";
    case 'W': return "101101111111101";
    case 'X': return "101101010101101";
    case 'Y': return "101101010010010";
    case 'Z': return "111001010100111";
    case '.': return "000000000000010";
    case '-': return "000000111000000";
    case '(': return "010100100100010";
    case ')': return "010001001001010";
    default: return "000000000000000";
  }
}
void TinyText(Image& img, int x, int y, const std::string& s, int scale, RGBA c) {
  for (char ch : s) {
    const char* g = TinyGlyph(char(std::toupper(static_cast<unsigned char>(ch))));
    for (int j = 0; j < 5; j++)
      for (int i = 0; i < 3; i++)
        if (g[j * 3 + i] == '1')
          for (int v = 0; v < scale; v++)
            for (int u = 0; u < scale; u++) img.Set(x + i * scale + u, y + j * scale + v, c);
    x += 4 * scale;
  }
}

// Stroke glyphs: polylines in a box of cap height 10 (y down), with their advance width.
struct Glyph {
  float width;
  std::vector<std::vector<V2>> strokes;
};
std::vector<V2> Arc(float cx, float cy, float rx, float ry, float a0, float a1, int n = 24) {
  std::vector<V2> v;
  for (int i = 0; i <= n; i++) {
    float a = Rad(a0 + (a1 - a0) * i / n);
    v.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return v;
}
std::vector<V2> Join(std::vector<V2> a, const std::vector<V2>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Glyph StrokeGlyph(char c) {
  switch (c) {
    case 'A': return {6.4f, {{{0, 10}, {3.2f, 0}, {6.4f, 10}}, {{1.3f, 6.6f}, {5.1f, 6.6f}}}};
    case 'C': return {6.6f, {Arc(3.6f, 5, 3.6f, 5, 42, 318)}};
    case 'D': return {6.4f, {Join(Join({{0, 5}, {0, 0}, {2.4f, 0}}, Arc(2.4f, 5, 4, 5, 90, -90)), {{0, 10}, {0, 5}})}};
    case 'E': return {5.2f, {{{5.2f, 0}, {0, 0}, {0, 10}, {5.2f, 10}}, {{0, 5}, {4.2f, 5}}}};
    case 'G': return {6.8f, {Join(Arc(3.6f, 5, 3.6f, 5, 42, 345), {{7.2f, 5.8f}, {4.3f, 5.8f}})}};
    case 'H': return {5.8f, {{{0, 0}, {0, 10}}, {{5.8f, 0}, {5.8f, 10}}, {{0, 5}, {5.8f, 5}}}};
    case 'I': return {0.0f, {{{0, 0}, {0, 10}}}};
    case 'K': return {5.6f, {{{0, 0}, {0, 10}}, {{5.4f, 0}, {0.3f, 5.6f}}, {{1.9f, 4.1f}, {5.6f, 10}}}};
    case 'L': return {5.0f, {{{0, 0}, {0, 10}, {5.0f, 10}}}};
    case 'N': return {6.0f, {{{0, 10}, {0, 0}, {6, 10}, {6, 0}}}};
    case 'O': return {7.2f, {Arc(3.6f, 5, 3.6f, 5, 0, 360, 40)}};
    case 'P': return {5.6f, {Join(Join({{0, 10}, {0, 0}, {2.8f, 0}}, Arc(2.8f, 2.8f, 2.8f, 2.8f, 90, -90)), {{0, 5.6f}})}};
    case 'R': return {5.8f, {Join(Join({{0, 10}, {0, 0}, {2.8f, 0}}, Arc(2.8f, 2.8f, 2.8f, 2.8f, 90, -90)), {{0, 5.6f}}), {{2.6f, 5.6f}, {5.8f, 10}}}};
    case 'T': return {6.0f, {{{0, 0}, {6, 0}}, {{3, 0}, {3, 10}}}};
    case 'U': return {6.0f, {Join(Join({{0, 0}, {0, 6.6f}}, Arc(3, 6.6f, 3, 3.4f, 180, 360)), {{6, 0}})}};
    case 'V': return {6.4f, {{{0, 0}, {3.2f, 10}, {6.4f, 0}}}};
    case 'W': return {8.8f, {{{0, 0}, {2.2f, 10}, {4.4f, 3.2f}, {6.6f, 10}, {8.8f, 0}}}};
    case 'Y': return {6.2f, {{{0, 0}, {3.1f, 5.2f}, {6.2f, 0}}, {{3.1f, 5.2f}, {3.1f, 10}}}};
    case '!': return {0.0f, {{{0, 0}, {0, 6.4f}}, {{0, 9.8f}}}};
    default: return {3.2f, {}};
  }
}
struct TextStyle {
  float size = 10;          // cap height in drawing units
  float weight = 2.4f;      // stroke thickness in glyph units
  float tracking = 2.9f;    // gap between letters in glyph units
  float stretchY = 1;       // vertical stretch of the letters
  float wobble = 0;         // playful per-letter rise and tilt, in glyph units / degrees
  uint64_t seed = 1;
};
// The text as one shape, its top-left corner at (x, y).
Shape TextShape(const std::string& s, float x, float y, const TextStyle& st) {
  float k = st.size / 10.0f;
  std::vector<Shape> parts;
  Rng rng(st.seed);
  float pen = 0;
  for (char ch : s) {
    Glyph g = StrokeGlyph(ch);
    float rise = st.wobble ? rng.Range(-st.wobble, st.wobble) : 0;
    float tilt = st.wobble ? rng.Range(-st.wobble, st.wobble) * 2.0f : 0;
    Xf m = Translate(-g.width / 2, -5).Then(Rotate(tilt)).Then(ScaleXf(k, k * st.stretchY))
               .Then(Translate(x + (pen + st.weight / 2 + g.width / 2) * k, y + (st.weight / 2 + 5 + rise) * k * st.stretchY));
    for (auto& stroke : g.strokes) parts.push_back(Map(Stroke(stroke, st.weight / 2), m));
    pen += g.width + st.tracking;
  }
  return Group(parts);
}
float TextWidth(const std::string& s, const TextStyle& st) {
  float pen = 0;
  for (char ch : s) pen += StrokeGlyph(ch).width + st.tracking;
  return (pen - st.tracking + st.weight) * st.size / 10.0f;
}

// ---------------------------------------------------------------------------------------------
// The walker (Plonko): a tall bean with a face, stubby arms and feet, drawn from a pose. Cell
// coordinates are 64 x 64 with the ground at y = 63.5 and the walker centred on x = 32; it faces
// right (the game mirrors it). The body stays within 9.5 pixels of the centre line so that it
// does not reach into a wall 8 pixels ahead of its centre, where the walker turns.
// ---------------------------------------------------------------------------------------------
enum Eyes { EYE_OPEN, EYE_WIDE, EYE_HAPPY, EYE_SQUEEZE, EYE_X, EYE_DIZZY, EYE_ANGRY, EYE_DOWN };
enum Mouth { MOUTH_SMILE, MOUTH_OPEN, MOUTH_GRIN, MOUTH_WOBBLY, MOUTH_FLAT, MOUTH_BIG };

struct Pose {
  float lift = 0;            // whole walker raised above the ground
  float sx = 1, sy = 1;      // squash and stretch of the body about its base
  float lean = 0;            // degrees, positive tips the head forward
  float shift = 0;           // horizontal offset of everything
  int eyes = EYE_OPEN;
  float lookX = 0.8f, lookY = 0;
  int mouth = MOUTH_SMILE;
  float armF = 14, armB = -14;  // degrees from hanging; positive swings forward
  float footF = 4.5f, footB = -4.5f;  // foot x offsets from the centre line
  float liftF = 0, liftB = 0;         // foot heights above the ground
};

const float BODY_W = 9.5f, BODY_H = 20.0f, BODY_BASE = 3.5f;
const float HEAD_TOP = -(BODY_BASE + 2 * BODY_H);

// Body-local coordinates: origin at the ground point under the body, y down (so the head is at
// negative y). The pose's transform takes them to cell coordinates.
Xf BodyXf(const Pose& p) {
  return ScaleXf(p.sx, p.sy).Then(Rotate(p.lean)).Then(Translate(32 + p.shift, 63.5f - p.lift));
}
Shape Egg() {
  const float cy = -BODY_BASE - BODY_H;
  return {[=](float x, float y) {
            float ny = (y - cy) / BODY_H;                    // -1 top .. 1 bottom
            float wx = BODY_W * (1.0f + 0.10f * std::clamp(ny, -1.0f, 1.0f));  // wider at the bottom
            float px = x / wx, py = (y - cy) / BODY_H;
            float k0 = std::hypot(px, py), k1 = std::hypot(px / wx, py / BODY_H);
            if (k1 < 1e-6f) return -BODY_W;
            return k0 * (k0 - 1) / k1;
          },
          {-BODY_W * 1.1f, cy - BODY_H, BODY_W * 1.1f, -BODY_BASE}};
}

// Arms keep their length whatever the squash, so they are placed in cell coordinates from the
// shoulder point that the body transform gives.
void DrawArm(Canvas& c, const Pose& p, const Xf& m, float side, float angle, RGBA col) {
  V2 sh = m.Apply(side * BODY_W * 0.8f, -BODY_BASE - BODY_H * 0.72f);
  float a = Rad(angle - p.lean);
  V2 hand{sh.x + 8.5f * std::sin(a), sh.y + 8.5f * std::cos(a)};
  Shape arm = Union(Capsule(sh.x, sh.y, hand.x, hand.y, 1.35f), Circle(hand.x, hand.y, 2.3f));
  c.Fill(Grow(arm, 1.5f), Solid(pal::INK));
  c.Fill(arm, Solid(col));
}

void DrawFoot(Canvas& c, const Pose& p, float fx, float lift, RGBA col) {
  float cx = 32 + p.shift + fx * std::max(1.0f, p.sx), cy = 63.5f - 2.6f - p.lift - lift;
  Shape f = Ellipse(cx + 1.2f, cy, 4.6f, 2.7f);
  c.Outlined(f, VGrad(Mix(col, pal::SKIN_LIGHT, 0.3f), col, cy - 2.7f, cy + 2.7f), pal::INK, 1.5f);
}

void DrawEye(Canvas& c, const Xf& m, float ex, float ey, const Pose& p, bool front) {
  auto ink = Solid(pal::PUPIL);
  auto line = [&](std::vector<V2> pts, float r) {
    for (auto& q : pts) q = {ex + q.x, ey + q.y};
    c.Fill(Map(Stroke(pts, r), m), ink);
  };
  switch (p.eyes) {
    case EYE_HAPPY: line({{-2.4f, 1.0f}, {0, -1.4f}, {2.4f, 1.0f}}, 0.85f); return;
    case EYE_SQUEEZE:
      if (front) line({{2.2f, -2.0f}, {-1.8f, 0}, {2.2f, 2.0f}}, 0.85f);
      else line({{-2.2f, -2.0f}, {1.8f, 0}, {-2.2f, 2.0f}}, 0.85f);
      return;
    case EYE_X:
      line({{-2, -2}, {2, 2}}, 0.8f);
      line({{-2, 2}, {2, -2}}, 0.8f);
      return;
    default: break;
  }
  float rx = 3.3f, ry = 4.2f, pr = 1.8f;
  if (p.eyes == EYE_WIDE) rx = 3.5f, ry = 4.5f, pr = 1.25f;
  Shape white = Map(Ellipse(ex, ey, rx, ry), m);
  c.Fill(Grow(white, 1.0f), ink);
  c.Fill(white, Solid(pal::EYE));
  float lx = p.lookX, ly = p.lookY;
  if (p.eyes == EYE_DIZZY) lx = front ? -1.2f : 1.4f, ly = front ? 1.2f : -1.2f;
  if (p.eyes == EYE_DOWN) ly = 2.0f;
  float px = ex + lx * (rx - pr - 0.3f) / 1.6f, py = ey + ly * (ry - pr - 0.3f) / 2.0f;
  c.Fill(Map(Circle(px, py, pr), m), ink);
  c.Fill(Map(Circle(px - 0.6f, py - 0.8f, 0.55f), m), Solid(pal::EYE));
  if (p.eyes == EYE_ANGRY) {
    float s = front ? -1 : 1;
    line({{-2.6f * s, -5.6f}, {2.6f * s, -4.2f}}, 0.9f);
    (void)s;
  }
  if (p.eyes == EYE_DOWN) {  // heavy lids looking down at the drop
    c.Fill(Intersect(white, Map(HalfPlaneAbove(ey - 1.0f), m)), Solid(pal::SKIN_DARK));
  }
}

void DrawMouth(Canvas& c, const Xf& m, const Pose& p) {
  const float mx = 3.6f, my = -BODY_BASE - BODY_H * 0.98f;
  auto ink = Solid(pal::MOUTH);
  switch (p.mouth) {
    case MOUTH_SMILE: c.Fill(Map(Stroke(Arc(mx, my - 1.6f, 2.6f, 2.0f, 200, 340, 10), 0.75f), m), ink); break;
    case MOUTH_FLAT: c.Fill(Map(Capsule(mx - 2, my, mx + 2, my, 0.7f), m), ink); break;
    case MOUTH_WOBBLY:
      c.Fill(Map(Stroke({{mx - 2.6f, my}, {mx - 1.3f, my - 0.9f}, {mx, my}, {mx + 1.3f, my - 0.9f}, {mx + 2.6f, my}}, 0.65f), m), ink);
      break;
    case MOUTH_OPEN:
    case MOUTH_BIG: {
      float r = p.mouth == MOUTH_BIG ? 1.4f : 1.0f;
      Shape o = Map(Ellipse(mx, my + 0.3f, 1.7f * r, 2.1f * r), m);
      c.Fill(Grow(o, 0.5f), ink);
      c.Fill(o, Solid(Hex(0x3A0A14)));
      c.Fill(Intersect(o, Map(Ellipse(mx, my + 2.1f * r, 1.5f * r, 1.2f * r), m)), Solid(pal::TONGUE));
      break;
    }
    case MOUTH_GRIN: {
      Shape g = Map(Intersect(Ellipse(mx, my - 1.0f, 3.2f, 3.0f), HalfPlaneBelow(my - 1.0f)), m);
      c.Fill(Grow(g, 0.5f), ink);
      c.Fill(g, Solid(Hex(0x3A0A14)));
      c.Fill(Intersect(g, Map(HalfPlaneAbove(my + 0.2f), m)), Solid(pal::EYE));
      break;
    }
  }
}

void DrawWalker(Canvas& c, const Pose& p) {
  Xf m = BodyXf(p);
  Xf inv = m.Inverse();
  DrawArm(c, p, m, -1, p.armB, pal::SKIN_DARK);
  DrawFoot(c, p, p.footB, p.liftB, Mul(pal::FOOT, 0.8f));
  Shape body = Map(Egg(), m);
  const float cy = -BODY_BASE - BODY_H;
  c.Fill(Grow(body, 1.8f), Solid(pal::INK));
  c.Fill(body, [=](float x, float y) {
    V2 q = inv.Apply(x, y);
    float nx = q.x / BODY_W, ny = (q.y - cy) / BODY_H;
    float l = 0.5f - 0.38f * nx - 0.42f * ny;
    RGBA col = Mix(pal::SKIN_DARK, pal::SKIN, Smooth(0.0f, 0.55f, l));
    col = Mix(col, pal::SKIN_LIGHT, Smooth(0.55f, 1.1f, l));
    float r = std::hypot(nx, ny);
    return Mix(col, pal::SKIN_DARK, 0.55f * Smooth(0.82f, 1.0f, r) * Clamp01(0.5f + nx + ny));
  });
  // Belly patch and a glossy highlight.
  c.Fill(Intersect(body, Map(Ellipse(2.2f, cy + 10.5f, 6.0f, 8.0f), m)), Solid(Mix(pal::BELLY, pal::SKIN, 0.25f)));
  c.Fill(Map(Ellipse(-4.6f, cy - 11.5f, 1.7f, 3.2f), m), Solid(Mix(pal::SKIN_LIGHT, pal::WHITE, 0.6f)));
  // Face, turned towards the walking direction.
  c.Fill(Map(Ellipse(7.3f, cy - 2.4f, 1.6f, 1.1f), m), Solid(Mix(pal::CHEEK, pal::SKIN, 0.25f)));
  DrawEye(c, m, -1.9f, cy - 8.5f, p, false);
  DrawEye(c, m, 5.0f, cy - 8.5f, p, true);
  DrawMouth(c, m, p);
  DrawFoot(c, p, p.footF, p.liftF, pal::FOOT);
  DrawArm(c, p, m, 1, p.armF, pal::SKIN);
}

// The hat: a round-domed hard hat with a peak, sitting on the head top of the same pose.
Shape HatShape(float& domeTop) {
  domeTop = -10.5f;
  Shape dome = Intersect(Ellipse(0.4f, 1.6f, 9.8f, 11.5f), HalfPlaneAbove(2.4f));
  Shape brim = RoundBox(-11.0f, 0.6f, 14.0f, 4.4f, 1.9f);
  return Union(dome, brim);
}
void DrawHatLocal(Canvas& c, const Xf& m, float ink = 1.7f) {
  float top;
  Shape hat = Map(HatShape(top), m);
  Xf inv = m.Inverse();
  c.Fill(Grow(hat, ink), Solid(pal::HAT_INK));
  c.Fill(hat, [=](float x, float y) {
    V2 q = inv.Apply(x, y);
    float l = 0.5f - 0.05f * q.x - 0.06f * q.y;
    return Mix(pal::HAT_SHADE, pal::HAT, Smooth(0.1f, 0.9f, l));
  });
  Shape brim = Map(RoundBox(-11.0f, 0.6f, 14.0f, 4.4f, 1.9f), m);
  c.Fill(brim, VGrad(pal::HAT, pal::HAT_SHADE, m.Apply(0, 0.6f).y, m.Apply(0, 4.4f).y));
  c.Fill(Map(Capsule(-11.0f + 1.5f, 1.2f, 14.0f - 1.5f, 1.2f, 0.5f), m), Solid(pal::HAT_LIGHT));
  // Band, crest ridge and a shine spot.
  c.Fill(Intersect(Map(Intersect(Ellipse(0.4f, 1.6f, 9.8f, 11.5f), HalfPlaneAbove(2.4f)), m),
                   Map(Intersect(HalfPlaneBelow(-1.4f), HalfPlaneAbove(0.6f)), m)),
         Solid(pal::HAT_BAND));
  c.Fill(Map(Capsule(0.4f, -8.6f, 0.4f, -2.2f, 1.5f), m), Solid(pal::HAT_SHADE));
  c.Fill(Map(Capsule(0.0f, -8.8f, 0.0f, -2.6f, 0.9f), m), Solid(pal::HAT_LIGHT));
  c.Fill(Map(Ellipse(-4.6f, -5.2f, 1.6f, 2.6f), m), Solid(pal::HAT_LIGHT));
}
// The hat on the walker's head in the pose: hat-local origin sits just under the head top.
Xf HatXf(const Pose& p) { return Translate(0.6f, HEAD_TOP + 5.5f).Then(BodyXf(p)); }
void DrawHat(Canvas& c, const Pose& p) { DrawHatLocal(c, HatXf(p)); }

// Which pose each frame of plonko.png shows; the walker states pick frames by number:
// 0 waiting, 0-5 walking, 10-13 stepping off, 14-15 teetering (10-15 in all), 16-19 squashing
// (the splat, and the sink into a hole under the hole's rim), 20 falling, 21-24 landing,
// 30-35 bouncing up, 35-39 hopping on, 40-47 banging (42/43 the shake against the wall).
bool WalkerPose(int f, Pose& p) {
  p = Pose{};
  if (f >= 0 && f <= 5) {
    float ph = f / 6.0f * 2 * PI;
    p.lift = 1.3f * std::fabs(std::sin(ph));
    p.lean = 5;
    p.footF = 5.5f * std::cos(ph), p.liftF = 2.8f * std::max(0.0f, std::sin(ph));
    p.footB = -5.5f * std::cos(ph), p.liftB = 2.8f * std::max(0.0f, -std::sin(ph));
    p.armF = -32 * std::cos(ph), p.armB = 32 * std::cos(ph);
    if (f == 0) p.lean = 2, p.armF = -10, p.armB = 10, p.lookX = 0.5f;  // also the waiting pose
    return true;
  }
  switch (f) {
    case 10: p.lean = 6, p.eyes = EYE_DOWN, p.mouth = MOUTH_FLAT, p.armF = 30, p.armB = -24, p.footF = 7; return true;
    case 11: p.lean = 13, p.eyes = EYE_WIDE, p.lookY = 1.5f, p.mouth = MOUTH_OPEN, p.armF = 95, p.armB = -90, p.footF = 9, p.liftF = 2; return true;
    case 12: p.lean = 20, p.eyes = EYE_WIDE, p.lookY = 1.8f, p.mouth = MOUTH_BIG, p.armF = 125, p.armB = -125, p.footF = 10, p.liftF = 5; return true;
    case 13: p.lean = 24, p.lift = 2, p.eyes = EYE_WIDE, p.lookY = 1.8f, p.mouth = MOUTH_BIG, p.armF = 135, p.armB = -135, p.footF = 8, p.liftF = 5, p.liftB = 2; return true;
    case 14: p.lean = 14, p.eyes = EYE_WIDE, p.lookY = 1.2f, p.mouth = MOUTH_WOBBLY, p.armF = 135, p.armB = 35, p.footF = 7, p.liftF = 3; return true;
    case 15: p.lean = 7, p.eyes = EYE_WIDE, p.lookY = 1.2f, p.mouth = MOUTH_WOBBLY, p.armF = 30, p.armB = -135, p.footF = 6, p.liftF = 1; return true;
    case 16: p.sx = 1.22f, p.sy = 0.74f, p.eyes = EYE_SQUEEZE, p.mouth = MOUTH_OPEN, p.armF = 70, p.armB = -70, p.footF = 6, p.footB = -6; return true;
    case 17: p.sx = 1.42f, p.sy = 0.52f, p.eyes = EYE_SQUEEZE, p.mouth = MOUTH_FLAT, p.armF = 85, p.armB = -85, p.footF = 7.5f, p.footB = -7.5f; return true;
    case 18: p.sx = 1.62f, p.sy = 0.36f, p.eyes = EYE_X, p.mouth = MOUTH_FLAT, p.armF = 95, p.armB = -95, p.footF = 9, p.footB = -9; return true;
    case 19: p.sx = 1.8f, p.sy = 0.24f, p.eyes = EYE_X, p.mouth = MOUTH_FLAT, p.armF = 100, p.armB = -100, p.footF = 10, p.footB = -10; return true;
    case 20: p.sx = 0.92f, p.sy = 1.1f, p.lift = 2, p.eyes = EYE_WIDE, p.lookY = 1.6f, p.mouth = MOUTH_BIG, p.armF = 135, p.armB = -130, p.liftF = 3, p.liftB = 1.5f, p.footF = 4, p.footB = -3.5f; return true;
    case 21: p.sx = 1.3f, p.sy = 0.7f, p.eyes = EYE_SQUEEZE, p.mouth = MOUTH_OPEN, p.armF = 80, p.armB = -80, p.footF = 6.5f, p.footB = -6.5f; return true;
    case 22: p.sx = 1.14f, p.sy = 0.86f, p.eyes = EYE_HAPPY, p.mouth = MOUTH_FLAT, p.armF = 55, p.armB = -55, p.footF = 5.5f, p.footB = -5.5f; return true;
    case 23: p.sx = 0.95f, p.sy = 1.06f, p.eyes = EYE_OPEN, p.mouth = MOUTH_SMILE, p.armF = 28, p.armB = -28; return true;
    case 24: p.armF = 16, p.armB = -16; return true;
    case 30: p.sx = 1.38f, p.sy = 0.62f, p.eyes = EYE_SQUEEZE, p.mouth = MOUTH_GRIN, p.armF = 80, p.armB = -80, p.footF = 6.5f, p.footB = -6.5f; return true;
    case 31: p.sx = 0.84f, p.sy = 1.22f, p.lift = 3, p.eyes = EYE_HAPPY, p.mouth = MOUTH_BIG, p.armF = 140, p.armB = -140, p.liftF = 2, p.liftB = 2; return true;
    case 32: p.sx = 0.88f, p.sy = 1.16f, p.lift = 5, p.eyes = EYE_WIDE, p.lookY = -1, p.mouth = MOUTH_GRIN, p.armF = 120, p.armB = -145, p.liftF = 3, p.liftB = 1; return true;
    case 33: p.sx = 0.92f, p.sy = 1.1f, p.lift = 5, p.eyes = EYE_HAPPY, p.mouth = MOUTH_BIG, p.armF = 145, p.armB = -120, p.liftF = 1, p.liftB = 3; return true;
    case 34: p.sx = 0.96f, p.sy = 1.05f, p.lift = 4, p.eyes = EYE_WIDE, p.lookY = -1, p.mouth = MOUTH_GRIN, p.armF = 120, p.armB = -120, p.liftF = 2, p.liftB = 2; return true;
    case 35: p.sx = 1.06f, p.sy = 0.9f, p.lift = 5, p.lean = 14, p.eyes = EYE_HAPPY, p.mouth = MOUTH_GRIN, p.armF = 75, p.armB = 60, p.liftF = 5, p.liftB = 4, p.footF = 6, p.footB = -2; return true;
    case 36: p.sy = 1.08f, p.sx = 0.94f, p.lift = 6, p.lean = 20, p.eyes = EYE_OPEN, p.mouth = MOUTH_BIG, p.armF = -50, p.armB = -60, p.liftF = 3, p.liftB = 6, p.footF = 6, p.footB = -7; return true;
    case 37: p.lift = 6, p.lean = 10, p.eyes = EYE_HAPPY, p.mouth = MOUTH_GRIN, p.armF = 110, p.armB = -110, p.liftF = 4, p.liftB = 4; return true;
    case 38: p.lift = 3, p.lean = 2, p.eyes = EYE_OPEN, p.mouth = MOUTH_SMILE, p.armF = 70, p.armB = -70, p.liftF = 1, p.liftB = 2, p.footF = 6; return true;
    case 39: p.sx = 1.12f, p.sy = 0.86f, p.eyes = EYE_HAPPY, p.mouth = MOUTH_SMILE, p.armF = 45, p.armB = -45, p.footF = 5.5f, p.footB = -5.5f; return true;
    case 40: p.lean = -14, p.shift = -2, p.eyes = EYE_ANGRY, p.mouth = MOUTH_FLAT, p.armF = -40, p.armB = -60, p.footF = 5.5f, p.footB = -5.5f; return true;
    case 41: p.lean = -20, p.shift = -3, p.eyes = EYE_ANGRY, p.mouth = MOUTH_GRIN, p.armF = -60, p.armB = -75, p.footF = 6, p.footB = -6; return true;
    case 42: p.lean = 12, p.shift = 1, p.sx = 0.88f, p.sy = 1.04f, p.eyes = EYE_SQUEEZE, p.mouth = MOUTH_GRIN, p.armF = -35, p.armB = -50, p.footF = 4, p.footB = -7; return true;
    case 43: p.lean = 9, p.shift = -1, p.sx = 0.92f, p.sy = 0.97f, p.eyes = EYE_DIZZY, p.mouth = MOUTH_WOBBLY, p.armF = -20, p.armB = -40, p.footF = 4.5f, p.footB = -6.5f; return true;
    case 44: p.lean = -8, p.shift = -2, p.eyes = EYE_DIZZY, p.mouth = MOUTH_WOBBLY, p.armF = 40, p.armB = -40; return true;
    case 45: p.lean = -4, p.shift = -1, p.eyes = EYE_DIZZY, p.mouth = MOUTH_FLAT, p.armF = 30, p.armB = -30; return true;
    case 46: p.lean = 0, p.eyes = EYE_HAPPY, p.mouth = MOUTH_SMILE, p.armF = 25, p.armB = -25; return true;
    case 47: p.armF = 16, p.armB = -16; return true;
    default: return false;
  }
}

// The pointer hands: a glove pointing up (tip at 35, 4) and a glove that pinches the hat drawn
// from plonkohat frame 0 at (-19, +27) relative to this cell.
void DrawGlove(Canvas& c, bool holding) {
  const RGBA glove = Hex(0xFFFFFF), gshade = Hex(0xC3C8E0), cuff = Hex(0xFFD23C);
  auto gpaint = [=](float x, float y) { return Mix(glove, gshade, Smooth(0.3f, 1.0f, (x - 26) / 24 * 0.6f + (y - 8) / 30 * 0.5f)); };
  auto crease = Solid(Mix(pal::INK, gshade, 0.35f));
  if (!holding) {
    Shape finger = Capsule(35.0f, 6.9f, 35.0f, 20.0f, 3.3f);
    Shape curled = RoundBox(36.0f, 14.5f, 47.0f, 28.5f, 4.0f);
    Shape palm = RoundBox(28.0f, 16.0f, 46.0f, 31.0f, 5.0f);
    Shape thumb = Capsule(30.0f, 25.5f, 25.0f, 19.5f, 3.0f);
    Shape cuffs = RoundBox(28.5f, 29.5f, 46.5f, 36.5f, 2.0f);
    Shape hand = Group({finger, curled, palm, thumb});
    c.Fill(Grow(Union(hand, cuffs), 1.7f), Solid(pal::INK));
    c.Fill(hand, gpaint);
    c.Fill(Capsule(38.5f, 18.8f, 45.0f, 18.8f, 0.55f), crease);
    c.Fill(Capsule(38.5f, 23.0f, 45.0f, 23.0f, 0.55f), crease);
    c.Fill(Capsule(32.0f, 20.5f, 32.0f, 26.0f, 0.5f), crease);
    c.Fill(Capsule(36.4f, 9.0f, 36.4f, 15.0f, 0.8f), Solid(gshade));
    c.Fill(cuffs, VGrad(Mix(cuff, pal::WHITE, 0.3f), pal::ORANGE, 29.5f, 36.5f));
    // Little motion ticks that say "tickle".
    c.Fill(Capsule(26.5f, 5.0f, 29.0f, 7.5f, 0.9f), Solid(pal::WHITE));
    c.Fill(Capsule(42.0f, 4.0f, 44.0f, 1.5f, 0.9f), Solid(pal::WHITE));
    c.Fill(Capsule(44.0f, 9.0f, 47.5f, 8.5f, 0.9f), Solid(pal::WHITE));
    return;
  }
  // A hand reaching down from the upper right; its middle fingertip rests on (14, 34).
  Xf m = Rotate(40).Then(Translate(14 + 0.64f * 12.5f, 34 - 0.77f * 12.5f));
  Shape palm = Map(RoundBox(-8.5f, -9, 8.5f, 5, 5), m);
  std::vector<Shape> fingers = {Map(Capsule(-5.2f, 2, -5.2f, 10.5f, 2.7f), m), Map(Capsule(0, 3, 0, 12.5f, 2.8f), m),
                                Map(Capsule(5.2f, 2, 5.2f, 10.5f, 2.7f), m)};
  Shape thumb = Map(Capsule(-7.5f, -3, -11.5f, 5, 2.7f), m);
  Shape cuffs = Map(RoundBox(-9.5f, -16, 9.5f, -8.5f, 2), m);
  Shape hand = Group({palm, fingers[0], fingers[1], fingers[2], thumb});
  c.Fill(Grow(Union(hand, cuffs), 1.7f), Solid(pal::INK));
  c.Fill(hand, gpaint);
  for (auto& f : fingers) c.Fill(Subtract(Grow(f, 0.6f), f), crease);
  for (auto& f : fingers) c.Fill(f, gpaint);
  c.Fill(Subtract(Grow(thumb, 0.6f), thumb), crease);
  c.Fill(thumb, gpaint);
  c.Fill(cuffs, Solid(cuff));
  c.Fill(Map(Capsule(-8, -10, 8, -10, 0.6f), m), Solid(pal::ORANGE));
}

// ---------------------------------------------------------------------------------------------
// Ground tiles. The board picks variant v = (x + 15 y) mod 16 for the cell at column x, row y,
// so a cell's right neighbour shows v + 1 and the cell below shows v - 1. The texture is one
// picture T(X, Y) that repeats under the shifts (64, 64) and (1024, 0); variant v shows the
// square at (64 v, 0). Every pair of neighbouring cells then meets without a seam.
// ---------------------------------------------------------------------------------------------
struct Lattice {
  // Reduces a difference vector to the nearest copy under the repeat shifts.
  static V2 Reduce(float dx, float dy) {
    float a = std::round(dy / 64.0f);
    dy -= 64 * a, dx -= 64 * a;
    dx -= 1024 * std::round(dx / 1024.0f);
    return {dx, dy};
  }
};
// Smooth noise as a sum of waves whose wave vectors fit the repeat shifts, so it has no grain
// direction; about 0..1.
struct WaveSet {
  std::vector<std::array<float, 4>> waves;  // kx, ky, phase, amplitude
  explicit WaveSet(uint64_t seed) {
    Rng r(seed);
    for (int i = 0; i < 40; i++) {
      float len = i < 12 ? r.Range(18, 40) : r.Range(6, 18), th = r.Range(0, 2 * PI);
      float kx = 2 * PI / len * std::cos(th), ky = 2 * PI / len * std::sin(th);
      float m = std::round(kx * 1024 / (2 * PI)), n = std::round((kx + ky) * 64 / (2 * PI));
      kx = 2 * PI * m / 1024, ky = 2 * PI * n / 64 - kx;
      waves.push_back({kx, ky, r.Range(0, 2 * PI), i < 12 ? 1.0f : 0.45f});
    }
  }
  float At(float X, float Y) const {
    float v = 0, norm = 0;
    for (auto& w : waves) v += w[3] * std::sin(w[0] * X + w[1] * Y + w[2]), norm += w[3] * w[3];
    return 0.5f + 0.5f * v / std::sqrt(2 * norm) * 1.2f;
  }
};
float LatticeFbm(float X, float Y, int seed) {
  static const WaveSet a(1001), b(1002);
  return seed % 2 ? a.At(X, Y) : b.At(X, Y);
}
// Per-pixel grain, taken at the pixel's place in the repeating picture.
float Grain(float X, float Y, int seed) {
  int y = int(std::floor(Y)), x = int(std::floor(X));
  int a = (y >= 0 ? y / 64 : (y - 63) / 64);
  y -= 64 * a, x -= 64 * a;
  x = ((x % 1024) + 1024) % 1024;
  return Hash01(x, y, seed);
}
// One-dimensional noise along X with period 1024 (for the grass line of surface tiles).
float LineNoise(float X, int cell, int seed) {
  int n = 1024 / cell;
  float f = X / cell;
  int i = int(std::floor(f));
  float t = f - i;
  t = t * t * (3 - 2 * t);
  float a = Hash01(((i % n) + n) % n, 0, seed), b = Hash01((((i + 1) % n) + n) % n, 0, seed);
  return a + (b - a) * t;
}

struct Pebble {
  float x, y, rx, ry, ang, tone;
};
std::vector<Pebble> MakePebbles(uint64_t seed, int count, float rmin, float rmax) {
  Rng r(seed);
  std::vector<Pebble> v;
  for (int i = 0; i < count; i++) {
    Pebble p;
    p.x = r.Range(0, 1024), p.y = r.Range(0, 64);
    p.rx = r.Range(rmin, rmax), p.ry = p.rx * r.Range(0.55f, 0.85f);
    p.ang = r.Range(-0.6f, 0.6f), p.tone = r.Range(-1, 1);
    v.push_back(p);
  }
  return v;
}

RGBA SoilAt(float X, float Y, const std::vector<Pebble>& pebbles) {
  float n = LatticeFbm(X, Y, 11);
  RGBA c = Mix(Mix(pal::SOIL, pal::SOIL_DARK, 0.5f), Mix(pal::SOIL, pal::SOIL_LIGHT, 0.35f), Smooth(0.1f, 0.9f, n));
  float g = Grain(X, Y, 23);
  if (g > 0.9f) c = Mix(c, pal::SOIL_DARK, 0.4f);
  if (g < 0.05f) c = Mix(c, pal::SOIL_LIGHT, 0.4f);
  for (auto& p : pebbles) {
    V2 d = Lattice::Reduce(X - p.x, Y - p.y);
    if (std::fabs(d.x) > p.rx + 2 || std::fabs(d.y) > p.rx + 2) continue;
    float ca = std::cos(p.ang), sa = std::sin(p.ang);
    float lx = d.x * ca + d.y * sa, ly = -d.x * sa + d.y * ca;
    float e = std::hypot(lx / p.rx, ly / p.ry);
    float dist = (e - 1) * std::min(p.rx, p.ry);
    if (dist > 1.2f) continue;
    RGBA stone = Mix(pal::PEBBLE, p.tone > 0 ? Hex(0xC9B49A) : Hex(0x8A8FA0), std::fabs(p.tone) * 0.5f);
    float light = Clamp01(0.55f - 0.45f * (lx / p.rx) - 0.55f * (ly / p.ry));
    RGBA face = Mix(Mul(stone, 0.62f), Mix(stone, pal::WHITE, 0.25f), light);
    float cover = Clamp01(0.5f - dist);
    RGBA rimmed = Mix(face, Mul(pal::SOIL_DARK, 0.7f), Smooth(-1.4f, -0.2f, dist));  // dark rim
    c = Mix(c, rimmed, cover);
    // Shadow under the stone on the soil.
    if (dist > 0 && ly > 0) c = Mix(c, pal::SOIL_DARK, 0.5f * Clamp01(1.2f - dist));
  }
  return c;
}

Image GroundTile(int v, int family) {
  static const std::vector<Pebble> pebbles = MakePebbles(101, 150, 1.6f, 4.2f);
  Image img(64, 64);
  for (int y = 0; y < 64; y++)
    for (int x = 0; x < 64; x++) {
      float X = 64.0f * v + x + 0.5f, Y = y + 0.5f;
      if (family == 2) {  // dressed stone blocks in a running bond
        int row = int(Y / 16);
        float bx = X + (row % 2) * 16;
        int col = int(std::floor(bx / 32));
        float lx = bx - col * 32, ly = Y - row * 16;
        float h = Hash01(row, ((col % 32) + 32) % 32, 7);
        RGBA face = Mix(pal::STONE, h > 0.5f ? Hex(0x8E86A8) : Hex(0x6F8C9C), std::fabs(h - 0.5f));
        face = Mul(face, 0.9f + 0.2f * LatticeFbm(X, Y, 31));
        float edge = std::min({lx, 32 - lx, ly, 16 - ly});
        RGBA c = face;
        if (lx < 2.5f || ly < 2.5f) c = Mix(face, pal::STONE_LIGHT, 0.6f);
        if (32 - lx < 2.5f || 16 - ly < 2.5f) c = Mix(face, pal::STONE_DARK, 0.55f);
        if (edge < 1.0f) c = Mul(pal::STONE_DARK, 0.55f);
        if (Grain(X, Y, 41) > 0.86f) c = Mul(c, 0.88f);
        img.Set(x, y, c);
        continue;
      }
      RGBA c = SoilAt(X, Y, pebbles);
      float alpha = 1;
      if (family == 3) {  // grass on top
        float g = 10.5f + 3.0f * LineNoise(X, 16, 51) + 1.5f * LineNoise(X, 4, 52);
        float drip = Hash01(int(std::floor(X / 6)) % 171, 0, 53);
        if (drip > 0.8f) {
          float cxp = std::floor(X / 6) * 6 + 3;
          g += (drip - 0.8f) * 30 * Clamp01(1 - std::fabs(X - cxp) / 3.0f);
        }
        float top = 1.2f + 1.6f * (0.5f + 0.5f * std::sin(X * 2 * PI / 7.0f + 3 * LineNoise(X, 8, 54)));
        if (Y < g + 0.5f) {
          float t = Clamp01((Y - top) / (g - top));
          RGBA grass = Mix(pal::GRASS_LIGHT, pal::GRASS, Smooth(0.0f, 0.55f, t));
          grass = Mix(grass, pal::GRASS_DARK, Smooth(0.6f, 1.0f, t));
          float blade = Hash01(int(std::floor(X / 2)) % 512, 0, 55);
          if (blade > 0.7f && t > 0.15f) grass = Mix(grass, pal::GRASS_DARK, 0.35f);
          if (blade < 0.2f) grass = Mix(grass, pal::GRASS_LIGHT, 0.35f);
          float cover = Clamp01(g + 0.5f - Y);
          c = Mix(c, grass, cover);
          if (g - Y < 1.0f && g - Y >= 0) c = Mix(c, Mix(pal::GRASS_DARK, pal::INK, 0.4f), 0.8f);
          alpha = Clamp01(Y - top + 0.5f);
          if (Y - top < 1.2f) c = Mix(c, Mix(pal::GRASS_LIGHT, pal::WHITE, 0.3f), 0.6f);
        } else if (Y < g + 4) {
          c = Mix(c, pal::SOIL_DARK, 0.55f * (1 - (Y - g) / 4));  // shade under the turf
        }
      }
      c.a = alpha;
      img.Set(x, y, c);
    }
  if (family == 3) {  // a few flowers in the turf, away from the tile's sides
    Canvas cv(64, 64, 4);
    Rng r(900 + v);
    int n = r.IRange(0, 2);
    for (int i = 0; i < n; i++) {
      float fx = r.Range(8, 56), fy = r.Range(5, 7.5f);
      RGBA petal = i % 2 ? Hex(0xFFF4F0) : Hex(0xFFE04A);
      Shape petals = Group({Circle(fx - 1.6f, fy, 1.3f), Circle(fx + 1.6f, fy, 1.3f), Circle(fx, fy - 1.6f, 1.3f), Circle(fx, fy + 1.6f, 1.3f)});
      cv.Fill(Grow(petals, 0.7f), Solid(pal::GRASS_DARK));
      cv.Fill(petals, Solid(petal));
      cv.Fill(Circle(fx, fy, 1.0f), Solid(pal::ORANGE));
    }
    img.Over(cv.Resolve(), 0, 0);
  }
  return img;
}

// The hole: a glowing ring on the floor of its cell; `open` 0..1 from closed to fully open.
// Frame 52 is also drawn over a walker sinking into it, so its opaque pit hides the feet.
Image HoleTile(float open) {
  Canvas c(64, 64, 4);
  float cx = 32, cy = 56.5f, rx = 12.0f + 17.0f * open, ry = 3.4f + 3.6f * open;
  Shape pit = Ellipse(cx, cy, rx, ry);
  Shape ring = Grow(pit, 2.8f);
  c.Fill(Grow(ring, 1.4f), Solid(pal::INK));
  c.Fill(ring, [=](float x, float) { return Mix(pal::RIM_VIOLET, pal::RIM, 0.5f + 0.5f * std::cos((x - cx) / rx * 2.2f)); });
  c.Fill(pit, [=](float x, float y) {
    float r = std::hypot((x - cx) / rx, (y - cy) / ry);
    return Mix(pal::HOLE_DEEP, pal::HOLE_IN, Smooth(0.2f, 1.0f, r));
  });
  // Bright front lip and a faint back lip give the ring its depth.
  c.Fill(Intersect(Subtract(Grow(pit, 1.3f), pit), HalfPlaneBelow(cy + 0.5f)), Solid(Mix(pal::RIM, pal::WHITE, 0.55f)));
  c.Fill(Intersect(Subtract(Grow(pit, 0.9f), pit), HalfPlaneAbove(cy - 0.5f)), Solid(Mul(pal::RIM_VIOLET, 0.8f)));
  // Specks of light deep inside, and sparkles that rise higher as the hole opens.
  Rng r(4242);
  for (int i = 0; i < 5; i++) {
    float sx = cx + r.Range(-0.6f, 0.6f) * rx, sy = cy + r.Range(-0.3f, 0.3f) * ry;
    c.Fill(Circle(sx, sy, 0.6f + 0.3f * open), Solid(Mix(pal::RIM_VIOLET, pal::WHITE, 0.4f)));
  }
  const float sparkX[4] = {-0.55f, 0.5f, -0.1f, 0.8f}, sparkH[4] = {10, 17, 24, 7};
  for (int i = 0; i < 4; i++) {
    if (i >= 2 + int(open * 2.5f)) break;
    float sx = cx + sparkX[i] * rx, sy = cy - 4 - sparkH[i] * (0.4f + open);
    float s = 1.6f + 1.2f * open;
    Shape star = Polygon({{sx, sy - 2 * s}, {sx + 0.5f * s, sy - 0.5f * s}, {sx + 2 * s, sy}, {sx + 0.5f * s, sy + 0.5f * s},
                          {sx, sy + 2 * s}, {sx - 0.5f * s, sy + 0.5f * s}, {sx - 2 * s, sy}, {sx - 0.5f * s, sy - 0.5f * s}});
    c.Fill(Grow(star, 0.6f), Solid(Mul(pal::RIM_VIOLET, 0.7f)));
    c.Fill(star, Solid(Mix(pal::RIM, pal::WHITE, 0.6f)));
  }
  return c.Resolve();
}

Image HatIcon(int size, float scale, float cx, float cy, float ink) {
  Canvas c(size, size, 6);
  DrawHatLocal(c, ScaleXf(scale, scale).Then(Translate(cx, cy)), ink);
  return c.Resolve();
}

Strip MakeBg() {
  Strip s(64, 64, 8, 8);
  for (int v = 0; v < 16; v++) {
    s.Put(v, GroundTile(v, 1));
    s.Put(16 + v, GroundTile(v, 2));
    s.Put(32 + v, GroundTile(v, 3));
  }
  const float opening[5] = {0.3f, 0.48f, 0.66f, 0.84f, 1.0f};
  for (int k = 0; k < 5; k++) s.Put(48 + k, HoleTile(opening[k]));
  s.Put(56, HatIcon(64, 2.15f, 30.5f, 41, 3.0f));
  return s;
}

// One ground block, cut by the game into 8 x 8 pieces for the debris of a broken block.
Image MakeBoom() {
  Image img = GroundTile(5, 1);
  for (int y = 0; y < 64; y++)
    for (int x = 0; x < 64; x++) {
      RGBA c = img.Get(x, y);
      int e = std::min({x, y, 63 - x, 63 - y});
      if (e == 0) c = Mix(c, pal::INK, 0.6f);
      else if (x % 8 == 0 || y % 8 == 0) c = Mix(c, pal::SOIL_DARK, 0.35f);  // hairline cracks
      else if (x % 8 == 1 || y % 8 == 1) c = Mix(c, pal::SOIL_LIGHT, 0.25f);
      img.Set(x, y, c);
    }
  return img;
}

// The background tile, repeated at scale 2 and tinted dark by the game: light greys only.
// Rounded pillows in a 64-pixel grid, every other one stamped with a small hat.
Image MakeGrid() {
  Canvas c(256, 256, 3);
  c.Fill(RoundBox(0, 0, 256, 256, 0), Solid(Grey(0.42f)));
  for (int j = 0; j < 4; j++)
    for (int i = 0; i < 4; i++) {
      float x0 = i * 64.0f, y0 = j * 64.0f;
      Shape pillow = RoundBox(x0 + 3, y0 + 3, x0 + 61, y0 + 61, 10);
      c.Fill(Map(pillow, Translate(1.5f, 1.5f)), Solid(Grey(0.30f)));
      c.Fill(pillow, [=](float x, float y) { return Grey(0.72f - 0.16f * ((x - x0) + (y - y0)) / 128.0f); });
      c.Fill(RoundBox(x0 + 7, y0 + 7, x0 + 57, y0 + 57, 7), [=](float x, float y) {
        return Grey(0.60f + 0.08f * ((x - x0) + (y - y0)) / 128.0f);
      });
      if ((i + j) % 2 == 0) {
        float top;
        Shape hat = Map(HatShape(top), ScaleXf(1.3f, 1.3f).Then(Translate(x0 + 31, y0 + 36)));
        c.Fill(Map(hat, Translate(1, 1)), Solid(Grey(0.70f)));
        c.Fill(hat, Solid(Grey(0.50f)));
      } else {
        for (int k = 0; k < 4; k++) c.Fill(Circle(x0 + 22 + (k % 2) * 20, y0 + 22 + (k / 2) * 20, 2.2f), Solid(Grey(0.50f)));
      }
    }
  return c.Resolve();
}

// A spray droplet, tinted white or red by the game.
Image MakeSpurt() {
  Canvas c(16, 16, 8);
  Shape drop = Union(Circle(8, 9, 5), Polygon({{8, 1.5f}, {12.2f, 7.0f}, {3.8f, 7.0f}}));
  c.Fill(drop, [](float x, float y) { return Grey(1.0f - 0.35f * Clamp01(((x - 5) + (y - 5)) / 12.0f)); });
  c.Fill(Ellipse(6.3f, 8.3f, 1.3f, 2.0f), Solid(Grey(1.0f)));
  return c.Resolve();
}

// ---------------------------------------------------------------------------------------------
// Interface icons (16 x 16 cells). The engine tints many of them (binding boxes, slider parts,
// the graph point), so those are drawn in light greys; the option icons carry their own colours.
// ---------------------------------------------------------------------------------------------
Shape Star(float cx, float cy, float r0, float r1, int points, float rot = -90) {
  std::vector<V2> v;
  for (int i = 0; i < points * 2; i++) {
    float a = Rad(rot + i * 180.0f / points), r = i % 2 ? r1 : r0;
    v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return Polygon(v);
}
Shape Speaker() {
  return Union(RoundBox(1.2f, 6.0f, 4.5f, 10.0f, 0.6f), Polygon({{3.5f, 6.2f}, {7.8f, 2.5f}, {7.8f, 13.5f}, {3.5f, 9.8f}}));
}
Shape Wave(int k) { return Stroke(Arc(7.6f, 8, 1.9f + 2.1f * k, 1.9f + 2.1f * k, -50, 50, 10), 0.7f); }

Image Icon(int n) {
  Canvas c(16, 16, 8);
  const RGBA ink = pal::INK, light = Grey(0.96f), mid = Grey(0.78f), dark = Grey(0.25f);
  auto lit = [&](const Shape& s, RGBA col, float ow = 1.0f) {
    c.Fill(Grow(s, ow), Solid(ink));
    c.Fill(s, VGrad(Mix(col, pal::WHITE, 0.35f), Mul(col, 0.78f), s.b.y0, s.b.y1));
  };
  switch (n) {
    case 0: c.Fill(Star(8, 8.5f, 7.5f, 3.2f, 5), Solid(light)); break;  // engine-test sprite
    case 1: lit(Stroke({{3, 8.5f}, {6.5f, 12}, {13, 4}}, 1.5f), pal::GRASS_LIGHT); break;
    case 2: lit(Union(Capsule(4, 4, 12, 12, 1.5f), Capsule(12, 4, 4, 12, 1.5f)), Hex(0xFF5A5A)); break;
    case 3:  // binding box: a key cap, dark face so the key name reads on it
      c.Fill(RoundBox(0.5f, 0.5f, 15.5f, 15.5f, 3.5f), Solid(ink));
      c.Fill(RoundBox(1.3f, 1.3f, 14.7f, 14.7f, 2.8f), VGrad(light, mid, 1, 15));
      c.Fill(RoundBox(2.6f, 2.2f, 13.4f, 12.6f, 2.0f), Solid(dark));
      break;
    case 4: lit(Polygon({{2, 8}, {8, 2.5f}, {8, 5.5f}, {14, 5.5f}, {14, 10.5f}, {8, 10.5f}, {8, 13.5f}}), pal::SKY); break;
    case 5: lit(Polygon({{14, 8}, {8, 2.5f}, {8, 5.5f}, {2, 5.5f}, {2, 10.5f}, {8, 10.5f}, {8, 13.5f}}), pal::SKY); break;
    case 6: lit(Union(Union(Circle(5.5f, 6.5f, 3.3f), Circle(10.5f, 6.5f, 3.3f)), Polygon({{2.4f, 7.6f}, {13.6f, 7.6f}, {8, 14}})), Hex(0xFF5A7A)); break;
    case 7:  // graph point
      c.Fill(Circle(8, 8, 5.2f), Solid(ink));
      c.Fill(Circle(8, 8, 4.2f), [](float x, float y) { return Grey(1.0f - 0.3f * Clamp01((x + y - 10) / 8)); });
      c.Fill(Circle(6.6f, 6.6f, 1.2f), Solid(pal::WHITE));
      break;
    case 8:  // joystick hat: a direction pad
      c.Fill(Grow(Union(RoundBox(5.5f, 1, 10.5f, 15, 1.2f), RoundBox(1, 5.5f, 15, 10.5f, 1.2f)), 0.5f), Solid(ink));
      c.Fill(Union(RoundBox(6.2f, 1.7f, 9.8f, 14.3f, 0.8f), RoundBox(1.7f, 6.2f, 14.3f, 9.8f, 0.8f)), VGrad(light, mid, 1, 15));
      c.Fill(Circle(8, 8, 1.3f), Solid(dark));
      for (auto t : {Polygon({{8, 2.6f}, {9.4f, 4.6f}, {6.6f, 4.6f}}), Polygon({{8, 13.4f}, {9.4f, 11.4f}, {6.6f, 11.4f}}),
                     Polygon({{2.6f, 8}, {4.6f, 6.6f}, {4.6f, 9.4f}}), Polygon({{13.4f, 8}, {11.4f, 6.6f}, {11.4f, 9.4f}})})
        c.Fill(t, Solid(dark));
      break;
    case 9:  // joystick axis: a stick on its base
      c.Fill(Ellipse(8, 12, 6.8f, 3.2f), Solid(ink));
      c.Fill(Ellipse(8, 11.7f, 6.0f, 2.5f), VGrad(mid, dark, 9, 14));
      c.Fill(Capsule(8, 11, 8, 6, 1.6f), Solid(ink));
      c.Fill(Capsule(8, 11, 8, 6, 0.8f), Solid(mid));
      c.Fill(Circle(8, 5, 3.6f), Solid(ink));
      c.Fill(Circle(8, 5, 2.8f), VGrad(light, mid, 2, 8));
      break;
    case 10:  // joystick button: a round cap, dark face so the button number reads on it
      c.Fill(Circle(8, 8.5f, 7.0f), Solid(ink));
      c.Fill(Circle(8, 8.5f, 6.2f), VGrad(light, mid, 2, 15));
      c.Fill(Circle(8, 8.2f, 4.4f), Solid(dark));
      break;
    case 11:
    case 12: {  // display shape: 4:3, then widescreen
      float w = n == 11 ? 5.2f : 7.2f, h = n == 11 ? 4.2f : 3.6f;
      c.Fill(RoundBox(8 - w - 1, 7 - h - 1, 8 + w + 1, 7 + h + 1, 1.3f), Solid(ink));
      c.Fill(RoundBox(8 - w, 7 - h, 8 + w, 7 + h, 0.8f), Solid(mid));
      c.Fill(RoundBox(8 - w + 1, 7 - h + 1, 8 + w - 1, 7 + h - 1, 0.3f), VGrad(Hex(0x7FD0FF), Hex(0x2F5FC0), 7 - h, 7 + h));
      c.Fill(RoundBox(5.5f, 12.4f, 10.5f, 14.6f, 0.6f), Solid(ink));
      c.Fill(RoundBox(6.2f, 12.8f, 9.8f, 14.0f, 0.3f), Solid(mid));
      break;
    }
    case 13:  // windowed
      c.Fill(RoundBox(1, 2, 15, 14, 1.3f), Solid(ink));
      c.Fill(RoundBox(2, 3, 14, 13, 0.6f), Solid(Hex(0xDCE6F5)));
      c.Fill(RoundBox(2, 3, 14, 5.6f, 0.6f), Solid(pal::SKY));
      c.Fill(Circle(12.3f, 4.3f, 0.8f), Solid(Hex(0xFF5A5A)));
      c.Fill(RoundBox(3.5f, 7, 9, 11.5f, 0.4f), Solid(Hex(0x9AB0CC)));
      break;
    case 14:  // full screen: corners pushed outward
      c.Fill(RoundBox(1, 2, 15, 14, 1.3f), Solid(ink));
      c.Fill(RoundBox(2, 3, 14, 13, 0.6f), VGrad(Hex(0x7FD0FF), Hex(0x2F5FC0), 3, 13));
      for (auto s : {Stroke({{3.5f, 7}, {3.5f, 4.5f}, {6, 4.5f}}, 0.8f), Stroke({{12.5f, 7}, {12.5f, 4.5f}, {10, 4.5f}}, 0.8f),
                     Stroke({{3.5f, 9}, {3.5f, 11.5f}, {6, 11.5f}}, 0.8f), Stroke({{12.5f, 9}, {12.5f, 11.5f}, {10, 11.5f}}, 0.8f)})
        c.Fill(s, Solid(pal::WHITE));
      break;
    case 18:
    case 19:
    case 20: {  // quality: three, two or one bar lit (best, fewer frames / alternative, backup)
      int lit_bars = 21 - n;
      const RGBA on[3] = {Hex(0x6CFF5A), Hex(0xFFE04A), Hex(0xFF8A3A)};
      for (int k = 0; k < 3; k++) {
        float x0 = 2 + k * 4.4f, top = 11 - k * 3.5f;
        Shape bar = RoundBox(x0, top, x0 + 3.2f, 14.5f, 0.7f);
        c.Fill(Grow(bar, 0.8f), Solid(ink));
        c.Fill(bar, k < lit_bars ? VGrad(Mix(on[3 - lit_bars], pal::WHITE, 0.3f), on[3 - lit_bars], top, 14.5f) : Solid(Grey(0.35f)));
      }
      break;
    }
    case 21:
    case 22: {  // slider track halves: rounded at the outer end, open at the join
      bool left = n == 21;
      Shape t = RoundBox(left ? 1.5f : -4.0f, 5.0f, left ? 20.0f : 14.5f, 11.0f, 3.0f);
      c.Fill(Grow(t, 1.0f), Solid(ink));
      c.Fill(t, VGrad(mid, light, 5, 11));
      c.Fill(RoundBox(left ? 3.0f : -4.0f, 7.2f, left ? 20.0f : 13.0f, 8.8f, 0.8f), Solid(dark));
      break;
    }
    case 23:  // slider knob
      c.Fill(RoundBox(3.5f, 1.0f, 12.5f, 15.0f, 3.0f), Solid(ink));
      c.Fill(RoundBox(4.5f, 2.0f, 11.5f, 14.0f, 2.2f), VGrad(light, mid, 2, 14));
      for (int k = 0; k < 3; k++) c.Fill(Capsule(6.3f, 5.5f + k * 2.5f, 9.7f, 5.5f + k * 2.5f, 0.45f), Solid(Grey(0.45f)));
      break;
    case 24:
    case 25:
    case 26: {  // audio drivers: a speaker with three, two or one sound waves
      lit(Speaker(), Hex(0xFFD36A), 0.9f);
      for (int k = 1; k <= 27 - n; k++) {
        c.Fill(Grow(Wave(k), 0.7f), Solid(ink));
        c.Fill(Wave(k), Solid(Hex(0x8FF0FF)));
      }
      break;
    }
    case 27: {  // headphones
      Shape band = Stroke(Arc(8, 9, 5.6f, 6.2f, 0, 180, 16), 1.0f);
      c.Fill(Grow(band, 0.8f), Solid(ink));
      c.Fill(band, Solid(mid));
      lit(RoundBox(1.3f, 8.5f, 5.0f, 14.5f, 1.3f), Hex(0xFF7A9A), 0.9f);
      lit(RoundBox(11.0f, 8.5f, 14.7f, 14.5f, 1.3f), Hex(0xFF7A9A), 0.9f);
      break;
    }
    case 28:  // a note
      lit(Union(Union(Ellipse(5.2f, 12, 3.0f, 2.3f), Capsule(7.6f, 12, 7.6f, 2.5f, 0.8f)), Stroke({{7.6f, 2.5f}, {12.5f, 4.5f}, {12.5f, 7.0f}}, 0.8f)),
          Hex(0xB58CFF), 0.9f);
      break;
    case 29:  // a sound chip
      for (int k = 0; k < 4; k++) {
        c.Fill(Capsule(4 + k * 2.7f, 2, 4 + k * 2.7f, 14, 0.9f), Solid(ink));
        c.Fill(Capsule(4 + k * 2.7f, 2.4f, 4 + k * 2.7f, 13.6f, 0.4f), Solid(Hex(0xFFD36A)));
      }
      c.Fill(RoundBox(2.5f, 4.5f, 13.5f, 11.5f, 1.2f), Solid(ink));
      c.Fill(RoundBox(3.3f, 5.3f, 12.7f, 10.7f, 0.7f), VGrad(Grey(0.5f), Grey(0.3f), 5, 11));
      c.Fill(Wave(1), Solid(Hex(0x8FF0FF)));
      break;
    case 63: {  // the pointer: tip at the cell's top-left corner
      Shape arrow = Polygon({{1.0f, 1.0f}, {1.0f, 13.0f}, {4.2f, 10.2f}, {6.6f, 15.0f}, {8.8f, 14.0f}, {6.6f, 9.4f}, {10.8f, 9.2f}});
      c.Fill(Grow(arrow, 0.9f), Solid(ink));
      c.Fill(arrow, VGrad(pal::WHITE, Hex(0xD8E4FF), 1, 15));
      c.Fill(Stroke({{2.2f, 3.5f}, {2.2f, 9.5f}}, 0.5f), Solid(Hex(0x8FB8FF)));
      break;
    }
    default: break;
  }
  return c.Resolve();
}

Strip MakeIcons() {
  Strip s(16, 16, 8, 8);
  for (int n = 0; n < 64; n++) s.Put(n, Icon(n));
  return s;
}

// ---------------------------------------------------------------------------------------------
// Logos, banners and badges
// ---------------------------------------------------------------------------------------------
// Lettering: drop shadow, white halo, ink outline, gradient face and a glossy upper sheen.
void Letters(Canvas& c, const Shape& text, RGBA top, RGBA bottom, float ink, float halo, float shadow) {
  float y0 = text.b.y0 + halo, y1 = text.b.y1 - halo;
  if (shadow > 0) c.Fill(Map(Grow(text, ink + halo), Translate(shadow * 0.6f, shadow)), Solid(Mix(pal::INK, Hex(0x000000), 0.4f)));
  if (halo > 0) c.Fill(Grow(text, ink + halo), Solid(pal::WHITE));
  c.Fill(Grow(text, ink), Solid(pal::INK));
  c.Fill(text, VGrad(top, bottom, y0, y1));
  float k = (y1 - y0) * 0.10f;
  c.Fill(Intersect(text, Map(Grow(text, -k * 0.55f), Translate(-k * 0.3f, -k))), [=](float, float y) {
    return Mix(Mix(top, pal::WHITE, 0.55f), top, Smooth(y0, y0 + (y1 - y0) * 0.55f, y));
  });
}

void DrawWalkerWithHat(Canvas& c, const Pose& p, RGBA tint);

Image MakeGameLogo() {
  Canvas c(768, 256, 3);
  TextStyle a;
  a.size = 84, a.weight = 2.7f, a.tracking = 2.6f, a.wobble = 0.45f, a.seed = 7;
  TextStyle b = a;
  b.size = 62, b.stretchY = 1.3f, b.seed = 9;
  // The title screen writes a small tag at (+196, -15) from the logo's centre: the space above
  // the second word is left for it.
  Shape top = TextShape("PLONKO", 34, 14, a);
  // The second word ends 90 units short of the right edge: on a 4:3 screen the title's score
  // panel (its chosen game's box) begins just past that.
  Shape bottom = TextShape("ELONGO", 676 - TextWidth("ELONGO", b), 134, b);
  Letters(c, top, pal::GOLD, pal::ORANGE, 5, 4, 7);
  Letters(c, bottom, Hex(0x8FF0FF), Hex(0x4A6CFF), 5, 4, 7);
  // The hero in a red hard hat, waving from under the first word.
  c.scale = 2.5f, c.ox = 110, c.oy = 92;
  Pose p;
  WalkerPose(0, p);
  p.eyes = EYE_HAPPY, p.mouth = MOUTH_GRIN, p.armF = 150, p.armB = -30, p.lean = 6;
  DrawWalkerWithHat(c, p, HAT_TINTS[1]);
  return c.Resolve();
}

// The walker with a tinted hat, drawn at any scale (the game logo and the mock-up use it).
void DrawWalkerWithHat(Canvas& c, const Pose& p, RGBA tint) {
  DrawWalker(c, p);
  Canvas tmp(c.w, c.h, c.ss);
  tmp.scale = c.scale, tmp.ox = c.ox, tmp.oy = c.oy;
  DrawHat(tmp, p);
  for (size_t i = 0; i < c.p.size(); i++) {
    RGBA s = tmp.p[i];
    if (s.a <= 0) continue;
    s = {s.r * tint.r, s.g * tint.g, s.b * tint.b, s.a};
    RGBA& d = c.p[i];
    d = {s.r + d.r * (1 - s.a), s.g + d.g * (1 - s.a), s.b + d.b * (1 - s.a), s.a + d.a * (1 - s.a)};
  }
}

// The desktop icon: the title's hero in its red hard hat, on a rounded tile of the title's night
// blue with a strip of the levels' grass and soil.
Image MakeDesktopIcon(int size) {
  Canvas c(size, size, size < 64 ? 8 : 3);
  c.scale = size / 64.0f;
  const Shape tile = RoundBox(1.5f, 1.5f, 62.5f, 62.5f, 11);
  c.Fill(tile, VGrad(Hex(0x1E2A78), Hex(0x060A2E), 2, 62));
  c.Fill(Intersect(tile, HalfPlaneBelow(49)), VGrad(pal::GRASS_LIGHT, pal::GRASS_DARK, 49, 53));
  c.Fill(Intersect(tile, HalfPlaneBelow(53)), VGrad(pal::SOIL, pal::SOIL_DARK, 53, 62));
  c.Fill(Subtract(Grow(tile, 0.01f), Grow(tile, -1.6f)), Solid(pal::INK));
  // The walker's cell is 64 units with its feet at 63.5: shrunk to stand on the grass.
  c.scale = size / 64.0f * 0.86f;
  c.ox = size * 0.07f;
  c.oy = size * (49.5f / 64.0f) - 63.5f * c.scale;
  Pose p;
  WalkerPose(0, p);
  p.eyes = EYE_HAPPY, p.mouth = MOUTH_GRIN, p.armF = 150, p.armB = -30, p.lean = 6;
  DrawWalkerWithHat(c, p, HAT_TINTS[1]);
  return c.Resolve();
}

Shape Gear(float cx, float cy, float r, int teeth) {
  std::vector<V2> v;
  for (int i = 0; i < teeth * 4; i++) {
    float a = Rad(i * 90.0f / teeth + 45.0f / teeth), rr = (i % 4 < 2) ? r : r * 0.8f;
    v.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
  }
  return Subtract(Polygon(v), Circle(cx, cy, r * 0.32f));
}

Image MakeEngineLogo() {
  Canvas c(512, 256, 3);
  Shape gear = Gear(104, 118, 86, 10);
  c.Fill(Grow(gear, 5), Solid(pal::INK));
  c.Fill(gear, [](float x, float y) { return Mix(Hex(0x9FB4D8), Hex(0x3C4E78), Clamp01((x + y - 60) / 330)); });
  c.Fill(Subtract(Circle(104, 118, 62), Circle(104, 118, 54)), Solid(Hex(0x2C3A5C)));
  TextStyle t;
  t.size = 64, t.weight = 2.8f, t.tracking = 2.2f;
  float w = TextWidth("TOLLUVAR", t);
  float k = std::min(1.0f, 430 / w);
  t.size *= k;
  Shape title = TextShape("TOLLUVAR", 256 - TextWidth("TOLLUVAR", t) / 2 + 20, 62, t);
  Letters(c, title, Hex(0xE8F4FF), Hex(0x5AA0FF), 5, 3, 6);
  TextStyle e;
  e.size = 30, e.weight = 2.6f, e.tracking = 4.5f;
  Shape eng = TextShape("ENGINE", 256 - TextWidth("ENGINE", e) / 2 + 70, 160, e);
  Letters(c, eng, pal::GOLD, pal::ORANGE, 4, 0, 4);
  return c.Resolve();
}

Image MakeSiteLogo() {
  Canvas c(384, 192, 3);
  Shape plate = RoundBox(14, 34, 370, 158, 48);
  c.Fill(Map(Grow(plate, 5), Translate(5, 7)), Solid(Mul(pal::INK, 0.6f)));
  c.Fill(Grow(plate, 5), Solid(pal::INK));
  c.Fill(plate, VGrad(Hex(0x3FE0B0), Hex(0x1C7A8C), 34, 158));
  c.Fill(Subtract(plate, Map(plate, Translate(0, 10))), Solid(Hex(0x9CFFE0)));
  Shape spark = Star(332, 40, 22, 8, 4, 0);
  c.Fill(Grow(spark, 4), Solid(pal::INK));
  c.Fill(spark, Solid(pal::GOLD));
  c.Fill(Star(48, 150, 12, 4.5f, 4, 0), Solid(pal::WHITE));
  TextStyle t;
  t.size = 56, t.weight = 2.9f, t.tracking = 2.4f, t.wobble = 0.25f, t.seed = 3;
  Shape name = TextShape("KELVARO", 192 - TextWidth("KELVARO", t) / 2, 66, t);
  Letters(c, name, pal::WHITE, Hex(0xD8F4FF), 4, 0, 4);
  return c.Resolve();
}

Image Banner(bool won) {
  Canvas c(256, 128, 4);
  Shape plate = RoundBox(10, 18, 246, 110, 26);
  c.Fill(Map(Grow(plate, 4), Translate(4, 6)), Solid(Mul(pal::INK, 0.7f)));
  c.Fill(Grow(plate, 4), Solid(pal::INK));
  if (won) c.Fill(plate, VGrad(Hex(0x9BE05A), Hex(0x2C8E34), 18, 110));
  else c.Fill(plate, VGrad(Hex(0xFFB04A), Hex(0xD8402A), 18, 110));
  c.Fill(Subtract(Grow(plate, -4), Grow(plate, -6)), Solid(Mix(won ? pal::GRASS_LIGHT : pal::GOLD, pal::WHITE, 0.5f)));
  const char* text = won ? "WELL DONE!" : "TRY AGAIN";
  TextStyle t;
  t.size = 34, t.weight = 2.8f, t.tracking = 2.3f, t.wobble = won ? 0.35f : 0.0f, t.seed = 5;
  float w = TextWidth(text, t);
  float room = won ? 200.0f : 150.0f;  // the try-again arrows need the sides
  if (w > room) t.size *= room / w, w = TextWidth(text, t);
  Shape s = TextShape(text, 128 - w / 2, 64 - t.size * 0.5f - 2, t);
  Letters(c, s, pal::WHITE, won ? Hex(0xFFF2A0) : Hex(0xFFE0C0), 3.5f, 0, 3);
  if (won) {
    for (auto pos : {V2{22, 22}, V2{234, 22}, V2{128, 112}}) {
      Shape st = Star(pos.x, pos.y, 13, 5.5f, 5);
      c.Fill(Grow(st, 3), Solid(pal::INK));
      c.Fill(st, VGrad(Hex(0xFFF6A0), pal::GOLD, pos.y - 13, pos.y + 13));
    }
  } else {  // a round-again arrow at each side
    for (float x : {28.0f, 228.0f}) {
      const float r = 10.5f, a1 = Rad(300);
      V2 end{x + r * std::cos(a1), 64 - r * std::sin(a1)}, t{-std::sin(a1), -std::cos(a1)}, nrm{-t.y, t.x};
      Shape loop = Stroke(Arc(x, 64, r, r, 40, 300, 20), 2.6f);
      Shape head = Polygon({{end.x + t.x * 7, end.y + t.y * 7}, {end.x - t.x * 1.5f + nrm.x * 6.5f, end.y - t.y * 1.5f + nrm.y * 6.5f},
                            {end.x - t.x * 1.5f - nrm.x * 6.5f, end.y - t.y * 1.5f - nrm.y * 6.5f}});
      c.Fill(Grow(Union(loop, head), 2.5f), Solid(pal::INK));
      c.Fill(Union(loop, head), Solid(pal::WHITE));
    }
  }
  return c.Resolve();
}

Strip MakeBits() {
  Strip s(256, 128, 4, 2);
  s.Put(0, Banner(true));
  s.Put(1, Banner(false));
  return s;
}

// Numerals for the badges, as stroke paths in a cell of height 10 (y down), each with its width.
std::vector<std::vector<V2>> Numeral(char d, float& width) {
  switch (d) {
    case '0': width = 5.6f; return {Arc(2.8f, 5, 2.8f, 5, 0, 360, 40)};
    case '1': width = 2.4f; return {{{0, 2.2f}, {2.4f, 0}, {2.4f, 10}}};
    case '2': width = 5.6f; return {Join(Arc(2.8f, 2.9f, 2.8f, 2.9f, 160, -30), {{0, 10}, {5.8f, 10}})};
    default: width = 5.6f; return {Join({{5.4f, 0}, {0.5f, 0}, {0.2f, 4.6f}}, Arc(2.7f, 7, 2.9f, 3, 150, -150))};  // '5'
  }
}

// A number of up to two digits, centred on (cx, cy), `h` high.
Shape NumberShape(const std::string& text, float cx, float cy, float h, float weight) {
  const float k = h / 10, gap = 2.2f;
  float total = -gap, w = 0;
  for (char d : text) Numeral(d, w), total += w + gap;
  std::vector<Shape> parts;
  float pen = cx - total * k / 2;
  for (char d : text) {
    for (auto& stroke : Numeral(d, w)) parts.push_back(Map(Stroke(stroke, weight / k / 2), ScaleXf(k, k).Then(Translate(pen, cy - h / 2))));
    pen += (w + gap) * k;
  }
  return Group(parts);
}

// One badge per cell, in the order of the game's badge table: a medal of its own hue with a bold
// symbol that still reads at the score panel's 0.28 scale (18 pixels).
Image Badge(int n) {
  Canvas c(64, 64, 5);
  float hue = n / 16.0f;
  auto hsv = [](float h, float s) {  // full-value colour of hue h and saturation s
    float r = std::fabs(h * 6 - 3) - 1, g = 2 - std::fabs(h * 6 - 2), b = 2 - std::fabs(h * 6 - 4);
    return Mix(Grey(1), RGBA{Clamp01(r), Clamp01(g), Clamp01(b), 1}, s);
  };
  RGBA base = hsv(hue, 0.8f);
  // Ribbon tails behind the medal.
  for (float s : {-1.0f, 1.0f}) {
    Shape tail = Polygon({{32 + s * 5, 44}, {32 + s * 17, 44}, {32 + s * 19, 63}, {32 + s * 12, 58}, {32 + s * 6, 63}});
    c.Fill(Grow(tail, 1.6f), Solid(pal::INK));
    c.Fill(tail, Solid(Mul(hsv(std::fmod(hue + 0.5f, 1.0f), 0.7f), 0.85f)));
  }
  c.Fill(Circle(32, 28, 27.5f), Solid(pal::INK));
  c.Fill(Circle(32, 28, 26), VGrad(Mix(base, pal::WHITE, 0.2f), Mul(base, 0.6f), 2, 54));
  c.Fill(Circle(32, 28, 21), VGrad(Mul(base, 0.7f), Mix(base, pal::WHITE, 0.35f), 7, 49));
  const float w = 4.2f;  // symbol stroke
  Shape sym;
  switch (n) {
    case 0: sym = Star(32, 29, 16, 7, 5); break;                                            // first win
    case 1: sym = Union(Capsule(21, 12, 21, 44, w / 2),                                      // Soft complete: a flag
                        Polygon({{21, 12}, {44, 16}, {38, 21.5f}, {44, 27}, {21, 31}})); break;
    case 2: sym = Polygon({{15, 38}, {15, 17}, {23.5f, 26}, {32, 13}, {40.5f, 26}, {49, 17}, {49, 38}}); break;  // crown
    case 3: sym = NumberShape("5", 32, 28, 24, w); break;                                   // five at par
    case 4: sym = Stroke({{18, 28}, {28, 38}, {46, 17}}, w); break;                          // clean run
    case 5: { float t; sym = Map(HatShape(t), ScaleXf(1.3f, 1.3f).Then(Translate(31, 35))); break; }  // hats off
    case 6: { float t; sym = Map(HatShape(t), ScaleXf(1.5f, 1.5f).Then(Translate(31, 37))); break; }  // hard start
    case 7: sym = Union(Subtract(Circle(32, 28, 16), Circle(32, 28, 16 - w)),                // half way
                        Intersect(Circle(32, 28, 16), Polygon({{32, 0}, {64, 0}, {64, 64}, {32, 64}}))); break;
    case 8: sym = Union(Subtract(Circle(32, 28, 16), Circle(32, 28, 16 - w)), Circle(32, 28, 5.5f)); break;  // target
    case 9: sym = Polygon({{36, 9}, {20, 31}, {30, 31}, {26, 47}, {44, 24}, {34, 24}}); break;  // quick
    case 10: sym = Union(Union(Circle(25.5f, 23, 7.5f), Circle(38.5f, 23, 7.5f)), Polygon({{18.3f, 26}, {45.7f, 26}, {32, 43}})); break;  // heart
    case 11: sym = Union(Union(Circle(32, 17, 6.5f), Circle(22, 35, 6.5f)), Circle(42, 35, 6.5f)); break;  // hat trick
    case 12: sym = NumberShape("50", 32, 28, 22, w); break;
    case 13: sym = Polygon({{20, 20}, {26, 13}, {38, 13}, {44, 20}, {32, 44}}); break;       // a gem for the score
    case 14: sym = NumberShape("10", 32, 28, 22, w); break;
    default: sym = NumberShape("20", 32, 28, 22, w); break;
  }
  c.Fill(Grow(sym, 2.2f), Solid(pal::INK));
  c.Fill(sym, VGrad(pal::WHITE, Hex(0xFFF0B0), 10, 46));
  if (n == 5) {  // struck through: the hats stayed unused
    const Shape slash = Capsule(16, 42, 48, 14, 2.4f);
    c.Fill(Grow(slash, 1.8f), Solid(pal::INK));
    c.Fill(slash, Solid(Hex(0xE8322A)));
  }
  c.Fill(Ellipse(20, 12, 5, 2.4f), Solid(Mix(base, pal::WHITE, 0.7f)));
  return c.Resolve();
}

Strip MakeBadges() {
  Strip s(64, 64, 4, 4);
  for (int n = 0; n < 16; n++) s.Put(n, Badge(n));
  return s;
}

// ---------------------------------------------------------------------------------------------
// The walker strips
// ---------------------------------------------------------------------------------------------
void MakePlonko(Strip& body, Strip& hats) {
  for (int f = 0; f < 100; f++) {
    Pose p;
    if (WalkerPose(f, p)) {
      Canvas b(64, 64, 4), h(64, 64, 4);
      DrawWalker(b, p);
      DrawHat(h, p);
      body.Put(f, b.Resolve());
      hats.Put(f, h.Resolve());
    }
  }
  Canvas tickle(64, 64, 5);
  DrawGlove(tickle, false);
  body.Put(90, tickle.Resolve());
  // Place the pinching fingers on the crown of the hat that the game draws beside this cell.
  Pose p0;
  WalkerPose(0, p0);
  V2 crown = HatXf(p0).Apply(0.4f, -10.0f);
  Canvas hold(64, 64, 5);
  hold.ox = crown.x - 19 - 14, hold.oy = crown.y + 27 + 1.5f - 34;
  DrawGlove(hold, true);
  body.Put(91, hold.Resolve());
}

// ---------------------------------------------------------------------------------------------
// Sounds: 44.1 kHz mono, 16-bit. Each effect is built from sine partials, sweeps and filtered
// noise, given clean edges, then levelled so that every effect is as loud as every other over the
// part that sounds (K-weighted), with the peak kept at or below -1 dBFS.
// ---------------------------------------------------------------------------------------------
constexpr int RATE = 44100;
struct Sound {
  std::vector<float> s;
  explicit Sound(float seconds) : s(size_t(seconds * RATE), 0.0f) {}
  size_t N() const { return s.size(); }
};
float Env(float t, float attack, float decay) {  // quick attack, exponential decay
  if (t < 0) return 0;
  return (t < attack ? t / attack : 1.0f) * std::exp(-(t - std::min(t, attack)) / decay);
}
// A tone whose frequency follows f(t), with harmonics, added from t0 with envelope e(t).
void AddTone(Sound& snd, float t0, float len, const std::function<float(float)>& freq,
             const std::function<float(float)>& env, std::vector<float> harmonics = {1}) {
  double phase = 0;
  size_t i0 = size_t(t0 * RATE), n = size_t(len * RATE);
  for (size_t i = 0; i < n && i0 + i < snd.N(); i++) {
    float t = float(i) / RATE;
    phase += 2 * PI * freq(t) / RATE;
    float v = 0;
    for (size_t h = 0; h < harmonics.size(); h++) v += harmonics[h] * std::sin(float(phase * (h + 1)));
    snd.s[i0 + i] += v * env(t);
  }
}
// Inharmonic partials (bells, metal): ratio, amplitude and decay per partial.
void AddPartials(Sound& snd, float t0, float base, std::vector<std::array<float, 3>> parts) {
  for (auto& p : parts)
    AddTone(snd, t0, float(snd.N()) / RATE - t0, [=](float) { return base * p[0]; },
            [=](float t) { return p[1] * Env(t, 0.002f, p[2]); });
}
// Noise through a resonant low-pass whose cutoff follows cut(t).
void AddNoise(Sound& snd, float t0, float len, uint64_t seed, const std::function<float(float)>& cut,
              const std::function<float(float)>& env, float q = 0.7f) {
  Rng r(seed);
  float lp = 0, bp = 0;
  size_t i0 = size_t(t0 * RATE), n = size_t(len * RATE);
  for (size_t i = 0; i < n && i0 + i < snd.N(); i++) {
    float t = float(i) / RATE;
    float f = 2 * std::sin(PI * std::min(cut(t), 8000.0f) / RATE);
    float x = r.Range(-1, 1);
    lp += f * bp;  // state-variable filter
    float hp = x - lp - q * bp;
    bp += f * hp;
    snd.s[i0 + i] += lp * env(t);
  }
}

struct Loudness {
  float peak, rms, windowRms;
};
Loudness Measure(const std::vector<float>& s) {
  Loudness l{0, 0, 0};
  double sum = 0;
  for (float v : s) l.peak = std::max(l.peak, std::fabs(v)), sum += double(v) * v;
  l.rms = float(std::sqrt(sum / std::max<size_t>(1, s.size())));
  size_t w = RATE / 20;
  double acc = 0;
  for (size_t i = 0; i < s.size(); i++) {
    acc += double(s[i]) * s[i];
    if (i >= w) acc -= double(s[i - w]) * s[i - w];
    l.windowRms = std::max(l.windowRms, float(std::sqrt(std::max(0.0, acc) / double(std::min(i + 1, w)))));
  }
  return l;
}
// Edges: a raised-cosine ramp over the first 3 ms, so no sound starts with a step, and a
// squared-cosine fade over the last 40 ms, so every sound ends below -60 dB whatever its tail.
constexpr float EDGE_IN_S = 0.003f, EDGE_OUT_S = 0.04f;
void Edges(Sound& snd) {
  const size_t in = std::min(snd.N(), size_t(EDGE_IN_S * RATE)), out = std::min(snd.N(), size_t(EDGE_OUT_S * RATE));
  for (size_t i = 0; i < in; i++) snd.s[i] *= 0.5f * (1 - std::cos(PI * float(i) / float(in)));
  for (size_t i = 0; i < out; i++) {
    const float g = 0.5f * (1 - std::cos(PI * float(i) / float(out)));
    snd.s[snd.N() - 1 - i] *= g * g;
  }
}

// Loudness as the game's meter reads it (K-weighted, LUFS), of a mono sound heard centred at
// full volume: gated over 50 ms blocks, those 10 LU below the blocks' mean left out, so that a
// short sound is measured over the part that sounds.
struct Biquad {
  double b0, b1, b2, a1, a2, z1 = 0, z2 = 0;
  double Run(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};
float SoundingLufs(const std::vector<float>& s) {
  const double pi = 3.14159265358979323846;
  const double k = std::tan(pi * 1681.974450955533 / RATE), vh = std::pow(10.0, 3.999843853973347 / 20), vb = std::pow(vh, 0.4996667741545416);
  const double q = 0.7071752369554196, a0 = 1 + k / q + k * k;
  Biquad shelf{(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
  const double k1 = std::tan(pi * 38.13547087602444 / RATE), q1 = 0.5003270373238773, c0 = 1 + k1 / q1 + k1 * k1;
  Biquad hp{1, -2, 1, 2 * (k1 * k1 - 1) / c0, (1 - k1 / q1 + k1 * k1) / c0};
  std::vector<double> p(s.size());
  for (size_t i = 0; i < s.size(); i++) {
    const double v = hp.Run(shelf.Run(s[i]));
    p[i] = v * v;
  }
  const size_t block = RATE / 20, hop = RATE / 100;
  std::vector<double> blocks;
  for (size_t at = 0; at < p.size(); at += hop) {
    const size_t end = std::min(p.size(), at + block);
    double sum = 0;
    for (size_t i = at; i < end; i++) sum += p[i];
    blocks.push_back(sum / double(block));
    if (end == p.size()) break;
  }
  auto lufs = [](double m) { return m > 0 ? -0.691 + 10 * std::log10(m) : -99.0; };
  double all = 0;
  for (double b : blocks) all += b;
  const double gate = lufs(all / double(std::max<size_t>(1, blocks.size()))) - 10;
  double sum = 0;
  int n = 0;
  for (double b : blocks)
    if (lufs(b) > gate) sum += b, n++;
  return float(lufs(n ? sum / n : 0));
}

// Brings a sound to `lufs` with its peak at most `ceiling`: a gain, and where the peaks would pass
// the ceiling a look-ahead limiter (gain falls over 2 ms before a peak, recovers over 40 ms), so
// loud short sounds keep their punch without clipping. A few rounds, since limiting takes away
// some of the loudness the gain gave.
constexpr float EFFECT_CEILING = 0.89f;  // -1 dBFS
constexpr float MUSIC_CEILING = 0.5f;    // -6 dBFS: the five tracks' sum keeps headroom
void Level(Sound& snd, float lufs, float ceiling) {
  const std::vector<float> dry = snd.s;
  const size_t ahead = RATE / 500;
  const float release = std::exp(-1.0f / (0.04f * RATE));
  float gain = std::pow(10.0f, (lufs - SoundingLufs(dry)) / 20);
  for (int round = 0; round < 24; round++) {
    // Needed gain reduction per frame: the smallest over the look-ahead window, then smoothed.
    std::vector<float> need(dry.size(), 1.0f);
    for (size_t i = 0; i < dry.size(); i++) {
      const float a = std::fabs(dry[i]) * gain;
      if (a > ceiling) need[i] = ceiling / a;
    }
    std::vector<float> g(dry.size(), 1.0f);
    float env = 1;
    for (size_t i = dry.size(); i-- > 0;) {  // backwards: the gain is down before each peak
      env = std::min(need[i], env + (1 - env) * (1 - std::exp(-1.0f / float(ahead))));
      g[i] = env;
    }
    float held = 1;
    for (size_t i = 0; i < dry.size(); i++) {  // forwards: a slow recovery after each peak
      held = std::min(g[i], held * release + (1 - release));
      snd.s[i] = dry[i] * gain * held;
    }
    const float off = lufs - SoundingLufs(snd.s);
    if (std::fabs(off) < 0.05f) break;
    gain *= std::pow(10.0f, off / 20);
  }
  for (float& v : snd.s) v = std::clamp(v, -ceiling, ceiling);
}

bool WriteWav(const std::string& path, const Sound& snd) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  auto u32 = [&](uint32_t v) { uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; std::fwrite(b, 1, 4, f); };
  auto u16 = [&](uint16_t v) { uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)}; std::fwrite(b, 1, 2, f); };
  uint32_t bytes = uint32_t(snd.N() * 2);
  std::fwrite("RIFF", 1, 4, f), u32(36 + bytes), std::fwrite("WAVE", 1, 4, f);
  std::fwrite("fmt ", 1, 4, f), u32(16), u16(1), u16(1), u32(RATE), u32(RATE * 2), u16(2), u16(16);
  std::fwrite("data", 1, 4, f), u32(bytes);
  for (float v : snd.s) {
    long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    u16(uint16_t(int16_t(q)));
  }
  std::fclose(f);
  return true;
}

float Note(float semitonesFromA4) { return 440.0f * std::pow(2.0f, semitonesFromA4 / 12.0f); }

// The game's effects, numbered as the game plays them.
Sound MakeEffect(int n) {
  switch (n) {
    case 1: {  // a hat picked up from the board: two bright plinks going up
      Sound s(0.42f);
      AddTone(s, 0.00f, 0.3f, [](float) { return Note(19); }, [](float t) { return Env(t, 0.003f, 0.07f); }, {1, 0.0f, 0.3f});
      AddTone(s, 0.08f, 0.34f, [](float) { return Note(26); }, [](float t) { return Env(t, 0.003f, 0.10f); }, {1, 0.0f, 0.3f});
      return s;
    }
    case 2: {  // safe landing: a soft "pof", with enough body to be heard on small speakers
      Sound s(0.26f);
      AddTone(s, 0, 0.26f, [](float t) { return 60 + 140 * std::exp(-t / 0.035f); }, [](float t) { return Env(t, 0.002f, 0.06f); });
      AddTone(s, 0, 0.12f, [](float t) { return 320 - 900 * t; }, [](float t) { return 0.45f * Env(t, 0.002f, 0.03f); }, {1, 0.3f});
      AddNoise(s, 0, 0.08f, 21, [](float t) { return 1800 * std::exp(-t / 0.02f) + 300; }, [](float t) { return 1.2f * Env(t, 0.001f, 0.025f); });
      return s;
    }
    case 3: {  // the hard hat strikes the wall: a clanging "donk"
      Sound s(0.7f);
      AddPartials(s, 0, 196, {{{1.0f, 0.6f, 0.30f}}, {{2.76f, 0.45f, 0.18f}}, {{5.40f, 0.30f, 0.10f}}, {{8.93f, 0.18f, 0.06f}}, {{13.3f, 0.1f, 0.04f}}});
      AddTone(s, 0, 0.2f, [](float t) { return 90 + 60 * std::exp(-t / 0.02f); }, [](float t) { return 0.8f * Env(t, 0.001f, 0.05f); });
      AddNoise(s, 0, 0.03f, 33, [](float) { return 6000.0f; }, [](float t) { return Env(t, 0.0005f, 0.008f); });
      return s;
    }
    case 4: {  // stepping off an edge: a falling slide whistle, "whoops"
      Sound s(0.5f);
      AddTone(s, 0, 0.5f, [](float t) { return 350 + 650 * std::exp(-t / 0.18f) + 12 * std::sin(2 * PI * 7 * t); },
              [](float t) { return std::min(1.0f, t / 0.02f) * std::min(1.0f, (0.5f - t) / 0.12f); }, {1, 0.12f});
      return s;
    }
    case 5: {  // fatal landing: a wet splat
      Sound s(0.55f);
      AddTone(s, 0, 0.3f, [](float t) { return 40 + 70 * std::exp(-t / 0.05f); }, [](float t) { return Env(t, 0.002f, 0.09f); });
      AddNoise(s, 0, 0.5f, 51, [](float t) { return 300 + 2600 * std::exp(-t / 0.08f); },
               [](float t) { return 1.4f * Env(t, 0.002f, 0.12f) * (0.6f + 0.4f * std::sin(2 * PI * 31 * t)); }, 0.35f);
      return s;
    }
    case 6: {  // rubber hat bounce: "boing"
      Sound s(0.62f);
      AddTone(s, 0, 0.62f, [](float t) { return 170 + 200 * (1 - std::exp(-t / 0.15f)) + 60 * std::sin(2 * PI * 11 * t) * std::exp(-t / 0.25f); },
              [](float t) { return Env(t, 0.004f, 0.22f); }, {1, 0.25f, 0.12f});
      return s;
    }
    case 7: {  // a tickle: three quick giggling chirps
      Sound s(0.38f);
      for (int k = 0; k < 3; k++) {
        float base = 850 + 90 * k;
        AddTone(s, 0.02f + k * 0.12f, 0.1f, [=](float t) { return base + 2600 * t + 80 * std::sin(2 * PI * 35 * t); },
                [](float t) { return std::sin(PI * std::min(t / 0.09f, 1.0f)); }, {1, 0.45f, 0.2f});
      }
      return s;
    }
    case 8: {  // down the hole: a swirling drop with a bubbly tremolo and a closing bloop
      Sound s(0.9f);
      AddTone(s, 0, 0.75f, [](float t) { return 150 + 650 * std::exp(-t / 0.3f); },
              [](float t) { return std::min(1.0f, t / 0.03f) * (0.65f + 0.35f * std::sin(2 * PI * 14 * t)) * std::exp(-t / 0.5f); }, {1, 0.3f});
      AddNoise(s, 0, 0.7f, 81, [](float t) { return 400 + 1500 * std::exp(-t / 0.25f); }, [](float t) { return 0.5f * Env(t, 0.05f, 0.25f); }, 0.3f);
      AddTone(s, 0.72f, 0.18f, [](float t) { return 220 + 500 * t; }, [](float t) { return 0.8f * Env(t, 0.003f, 0.05f); });
      return s;
    }
    case 9: {  // a hat taken from the panel: a short rising pick
      Sound s(0.16f);
      AddTone(s, 0, 0.16f, [](float t) { return 600 + 2200 * t; }, [](float t) { return Env(t, 0.004f, 0.04f); }, {1, 0.3f, 0.1f});
      return s;
    }
    case 10: {  // a hat lands on a walker: pop, then a little sparkle
      Sound s(0.4f);
      AddTone(s, 0, 0.06f, [](float t) { return 380 + 9000 * t; }, [](float t) { return Env(t, 0.001f, 0.02f); });
      AddTone(s, 0.05f, 0.35f, [](float) { return Note(27); }, [](float t) { return 0.55f * Env(t, 0.002f, 0.08f); }, {1, 0, 0.2f});
      AddTone(s, 0.11f, 0.29f, [](float) { return Note(34); }, [](float t) { return 0.45f * Env(t, 0.002f, 0.07f); }, {1, 0, 0.2f});
      return s;
    }
    case 11: {  // a dragged hat goes back to its stock: a soft falling blip
      Sound s(0.2f);
      AddTone(s, 0, 0.2f, [](float t) { return 700 * std::exp(-t / 0.12f) + 200; }, [](float t) { return Env(t, 0.003f, 0.05f); }, {1, 0.2f});
      return s;
    }
    default: return Sound(0.1f);
  }
}

// The badge jingle: a bright arpeggio settling on a shimmering major chord.
Sound MakeJingle() {
  Sound s(1.9f);
  const float notes[5] = {3, 7, 10, 15, 19};  // C5 E5 G5 C6 E6, in semitones from A4
  for (int k = 0; k < 5; k++) {
    float f = Note(notes[k]);
    AddPartials(s, 0.09f * k, f, {{{1.0f, 0.5f, 0.35f}}, {{2.0f, 0.22f, 0.2f}}, {{3.0f, 0.1f, 0.12f}}, {{4.07f, 0.05f, 0.08f}}});
  }
  for (float st : {15.0f, 19.0f, 22.0f, 27.0f})
    AddTone(s, 0.5f, 1.4f, [=](float t) { return Note(st) * (1 + 0.003f * std::sin(2 * PI * 5.5f * t)); },
            [](float t) { return 0.3f * std::min(1.0f, t / 0.02f) * std::exp(-t / 0.45f); }, {1, 0.3f, 0.1f});
  return s;
}

// ---------------------------------------------------------------------------------------------
// Music instruments: two drum kits of eight and three variants each of bass, lead and
// accompaniment. A pitched sample sounds its instrument's reference note at rate 1 (bass C3,
// accompaniment C4, lead C5, so the note letter "q" is a C), starts within 3 ms and dies away
// or fades out, so a note cut or ended anywhere never clicks. Levels leave room for five tracks
// and the effects at the default volumes.
// ---------------------------------------------------------------------------------------------
constexpr float BASS_REF = 130.81f;       // C3
constexpr float ACCOMPANY_REF = 261.63f;  // C4
constexpr float LEAD_REF = 523.25f;       // C5

// Harmonic amplitudes of a band-limited wave at `f`: every partial below 9 kHz.
std::vector<float> Harmonics(float f, const std::function<float(int)>& amp) {
  std::vector<float> h;
  for (int n = 1; n * f < 9000.0f && n <= 40; n++) h.push_back(amp(n));
  return h;
}
std::vector<float> SawHarmonics(float f) { return Harmonics(f, [](int n) { return 1.0f / n; }); }
std::vector<float> SquareHarmonics(float f) { return Harmonics(f, [](int n) { return n % 2 ? 1.0f / n : 0.0f; }); }

// A fade to silence over the last `len` seconds (for sounds that do not die away by themselves).
void FadeTail(Sound& s, float len) {
  size_t n = std::min(s.N(), size_t(len * RATE));
  for (size_t i = 0; i < n; i++) s.s[s.N() - 1 - i] *= float(i) / float(n);
}
// A one-pole low-pass sweeping from `from` to `to` Hz with time constant `tau` (a filter envelope).
void SweepLowPass(Sound& s, float from, float to, float tau) {
  float y = 0;
  for (size_t i = 0; i < s.N(); i++) {
    float t = float(i) / RATE;
    float fc = to + (from - to) * std::exp(-t / tau);
    float a = 1 - std::exp(-2 * PI * fc / RATE);
    y += a * (s.s[i] - y);
    s.s[i] = y;
  }
}
float Vibrato(float t, float depth, float delay) { return 1 + depth * std::min(1.0f, t / delay) * std::sin(2 * PI * 5.5f * t); }

Sound MakeDrum(int kit, int n) {
  const bool b = kit == 2;  // kit B: electronic, dry and deep; kit A: a bright acoustic-like set
  switch (n) {
    case 1: {  // kick
      Sound s(b ? 0.6f : 0.35f);
      if (b) AddTone(s, 0, 0.6f, [](float t) { return 48 + 110 * std::exp(-t / 0.03f); }, [](float t) { return Env(t, 0.001f, 0.22f); });
      else {
        AddTone(s, 0, 0.35f, [](float t) { return 58 + 130 * std::exp(-t / 0.018f); }, [](float t) { return Env(t, 0.001f, 0.09f); });
        AddNoise(s, 0, 0.02f, 101, [](float) { return 3500.0f; }, [](float t) { return 0.5f * Env(t, 0.0005f, 0.005f); });
      }
      return s;
    }
    case 2: {  // snare
      Sound s(0.3f);
      AddTone(s, 0, 0.12f, [=](float t) { return (b ? 240 : 190) + 60 * std::exp(-t / 0.01f); }, [](float t) { return 0.7f * Env(t, 0.001f, 0.04f); });
      AddNoise(s, 0, 0.3f, b ? 202 : 102, [=](float) { return b ? 6000.0f : 7500.0f; }, [=](float t) { return 1.2f * Env(t, 0.001f, b ? 0.05f : 0.08f); }, 0.5f);
      return s;
    }
    case 3: {  // closed hat
      Sound s(0.09f);
      if (b) AddPartials(s, 0, 410, {{{7.1f, 0.3f, 0.02f}}, {{10.3f, 0.3f, 0.018f}}, {{13.7f, 0.3f, 0.015f}}, {{17.9f, 0.25f, 0.012f}}});
      AddNoise(s, 0, 0.09f, b ? 203 : 103, [](float) { return 6000.0f; }, [=](float t) { return (b ? 0.5f : 0.9f) * Env(t, 0.0005f, 0.018f); }, 0.3f);
      SweepLowPass(s, 6500, 6500, 1);  // soft on the ear: little left above 8 kHz
      return s;
    }
    case 4: {  // open hat
      Sound s(0.45f);
      if (b) AddPartials(s, 0, 410, {{{7.1f, 0.25f, 0.15f}}, {{10.3f, 0.25f, 0.13f}}, {{13.7f, 0.25f, 0.11f}}, {{17.9f, 0.2f, 0.1f}}});
      AddNoise(s, 0, 0.45f, b ? 204 : 104, [](float) { return 5500.0f; }, [=](float t) { return (b ? 0.45f : 0.8f) * Env(t, 0.001f, 0.14f); }, 0.3f);
      SweepLowPass(s, 6000, 6000, 1);
      return s;
    }
    case 5: {  // clap: three quick bursts and a tail
      Sound s(0.35f);
      for (int k = 0; k < 3; k++)
        AddNoise(s, 0.011f * k, 0.02f, (b ? 205 : 105) + k, [=](float) { return b ? 1600.0f : 2200.0f; }, [](float t) { return 1.4f * Env(t, 0.0005f, 0.006f); }, 0.25f);
      AddNoise(s, 0.033f, 0.3f, b ? 215 : 115, [=](float) { return b ? 1500.0f : 2100.0f; }, [](float t) { return 1.1f * Env(t, 0.001f, 0.07f); }, 0.25f);
      return s;
    }
    case 6:    // low tom
    case 7: {  // high tom
      float f = (n == 6 ? 95.0f : 150.0f) * (b ? 0.8f : 1.0f);
      Sound s(0.5f);
      AddTone(s, 0, 0.5f, [=](float t) { return f * (1 + (b ? 0.9f : 0.4f) * std::exp(-t / 0.05f)); }, [=](float t) { return Env(t, 0.001f, b ? 0.18f : 0.14f); }, {1, b ? 0.0f : 0.15f});
      if (!b) AddNoise(s, 0, 0.05f, 106 + n, [](float) { return 2500.0f; }, [](float t) { return 0.3f * Env(t, 0.0005f, 0.015f); });
      return s;
    }
    default: {  // cymbal
      Sound s(1.4f);
      AddPartials(s, 0, b ? 330 : 290, {{{5.23f, 0.12f, 0.5f}}, {{7.71f, 0.12f, 0.45f}}, {{11.3f, 0.1f, 0.4f}}, {{14.9f, 0.06f, 0.25f}}, {{19.7f, 0.03f, 0.15f}}});
      AddNoise(s, 0, 1.4f, b ? 208 : 108, [](float) { return 4500.0f; }, [=](float t) { return (b ? 0.5f : 0.7f) * Env(t, 0.002f, b ? 0.3f : 0.45f); }, 0.3f);
      SweepLowPass(s, 9000, 3500, 0.3f);  // a dark wash that closes as it fades, not a hiss
      FadeTail(s, 0.2f);
      return s;
    }
  }
}

Sound MakeBass(int n) {
  const float f = BASS_REF;
  Sound s(1.0f);
  switch (n) {
    case 1:  // round finger bass: sine and a little second and third harmonic
      AddTone(s, 0, 1.0f, [=](float) { return f; }, [](float t) { return Env(t, 0.004f, 0.45f); }, {1, 0.35f, 0.12f});
      break;
    case 2:  // growling saw through a closing filter
      AddTone(s, 0, 1.0f, [=](float) { return f; }, [](float t) { return Env(t, 0.003f, 0.6f); }, SawHarmonics(f));
      SweepLowPass(s, 2500, 300, 0.08f);
      break;
    default:  // hollow pulse with a slap at the start
      AddTone(s, 0, 1.0f, [=](float) { return f; }, [](float t) { return Env(t, 0.003f, 0.5f); }, SquareHarmonics(f));
      AddTone(s, 0, 0.05f, [=](float) { return 4 * f; }, [](float t) { return 0.3f * Env(t, 0.001f, 0.012f); });
      SweepLowPass(s, 4000, 900, 0.05f);
      break;
  }
  FadeTail(s, 0.1f);
  return s;
}

Sound MakeLead(int n) {
  const float f = LEAD_REF;
  Sound s(1.1f);
  switch (n) {
    case 1:  // chip square with a delayed vibrato
      AddTone(s, 0, 1.1f, [=](float t) { return f * Vibrato(t, 0.006f, 0.25f); }, [](float t) { return std::min(1.0f, t / 0.003f) * (0.55f + 0.45f * std::exp(-t / 0.15f)); },
              Harmonics(f, [](int k) { return k % 2 ? 1.0f / k : 0.08f / k; }));
      break;
    case 2:  // glassy bell: harmonic partials that die away at different speeds
      AddPartials(s, 0, f, {{{1.0f, 0.7f, 0.5f}}, {{2.0f, 0.3f, 0.25f}}, {{3.0f, 0.15f, 0.12f}}, {{4.0f, 0.1f, 0.06f}}, {{6.0f, 0.05f, 0.03f}}});
      break;
    default:  // breathy flute: near-sine with a puff of noise at the start
      AddTone(s, 0, 1.1f, [=](float t) { return f * Vibrato(t, 0.008f, 0.2f); }, [](float t) { return std::min(1.0f, t / 0.025f) * (0.7f + 0.3f * std::exp(-t / 0.3f)); }, {1, 0.15f, 0.05f});
      AddNoise(s, 0, 0.1f, 301, [=](float) { return 2.0f * f; }, [](float t) { return 0.25f * Env(t, 0.005f, 0.03f); }, 0.2f);
      break;
  }
  FadeTail(s, 0.15f);
  return s;
}

Sound MakeAccompany(int n) {
  const float f = ACCOMPANY_REF;
  Sound s(1.2f);
  switch (n) {
    case 1:  // electric piano: a soft fundamental with a quick bright tine
      AddPartials(s, 0, f, {{{1.0f, 0.8f, 0.7f}}, {{2.0f, 0.25f, 0.3f}}, {{3.0f, 0.12f, 0.12f}}, {{7.0f, 0.06f, 0.03f}}});
      break;
    case 2:  // plucked string: every harmonic, the high ones fading first
      for (int k = 1; k <= 16 && k * f < 9000; k++)
        AddTone(s, 0, 1.2f, [=](float) { return f * k; }, [=](float t) { return (0.8f / k) * Env(t, 0.002f, 0.5f / k + 0.05f); });
      break;
    default:  // soft organ: drawbars 1, 2, 3, 4 with a gentle swell
      AddTone(s, 0, 1.2f, [=](float) { return f; }, [](float t) { return std::min(1.0f, t / 0.02f) * std::exp(-t / 1.5f); }, {1, 0.5f, 0.3f, 0.2f});
      break;
  }
  FadeTail(s, 0.15f);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Review pictures: a contact sheet of every cell, and a mock-up of a level in play
// ---------------------------------------------------------------------------------------------
// Draws `src` with its top-left at (x, y), scaled (nearest) and optionally mirrored, tinted by
// multiplication; pixels below half alpha are skipped, as the engine's masked images are.
void Blit(Image& dst, const Image& src, float x, float y, float scale = 1, bool flip = false, RGBA tint = {1, 1, 1, 1}) {
  int w = int(std::lround(src.w * scale)), h = int(std::lround(src.h * scale));
  Image tmp(w, h);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) {
      int sx = int(i / scale), sy = int(j / scale);
      if (flip) sx = src.w - 1 - sx;
      RGBA c = src.Get(sx, sy);
      if (c.a < 0.5f) continue;
      tmp.Set(i, j, c);
    }
  dst.Over(tmp, int(std::lround(x)), int(std::lround(y)), tint);
}
void FillRect(Image& img, int x, int y, int w, int h, RGBA c) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++) {
      if (i < 0 || j < 0 || i >= img.w || j >= img.h) continue;
      RGBA d = img.Get(i, j);
      img.Set(i, j, {c.r * c.a + d.r * (1 - c.a), c.g * c.a + d.g * (1 - c.a), c.b * c.a + d.b * (1 - c.a), 1});
    }
}
Image Resample(const Image& src, int w, int h) {  // area average
  Image out(w, h);
  float kx = float(src.w) / w, ky = float(src.h) / h;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      RGBA acc;
      int n = 0;
      for (int j = int(y * ky); j < int((y + 1) * ky); j++)
        for (int i = int(x * kx); i < int((x + 1) * kx); i++) {
          RGBA c = src.Get(i, j);
          acc.r += c.r, acc.g += c.g, acc.b += c.b, acc.a += c.a, n++;
        }
      if (n) out.Set(x, y, {acc.r / n, acc.g / n, acc.b / n, acc.a / n});
    }
  return out;
}

struct Assets {
  Strip icons{16, 16, 8, 8}, badges{64, 64, 4, 4}, bg{64, 64, 8, 8}, plonko{64, 64, 10, 10}, hats{64, 64, 10, 10},
      bits{256, 128, 4, 2}, boom{8, 8, 8, 8};
  Image engineLogo, siteLogo, gameLogo, grid, spurt, ahat;
};

Image ContactSheet(const Assets& a) {
  const int W = 1720;
  Image sheet(W, 9000);
  FillRect(sheet, 0, 0, W, sheet.h, Hex(0x20242E));
  int y = 12;
  auto checker = [&](int x0, int y0, int w, int h, bool dark) {
    for (int j = 0; j < h; j++)
      for (int i = 0; i < w; i++) {
        bool odd = ((i / 8) + (j / 8)) % 2;
        sheet.Set(x0 + i, y0 + j, dark ? (odd ? Hex(0x343848) : Hex(0x2A2D3A)) : (odd ? Hex(0x8A8F9C) : Hex(0x6E7380)));
      }
  };
  auto section = [&](const std::string& title) {
    TinyText(sheet, 12, y, title, 3, Hex(0xFFD23C));
    y += 24;
  };
  auto strip = [&](const std::string& title, const Strip& s, float zoom, bool dark, int count,
                   const std::function<void(int, int, int)>& extra = nullptr) {
    section(title);
    int cw = int(s.cw * zoom), ch = int(s.ch * zoom), gap = 8;
    int per = std::max(1, (W - 24) / (cw + gap));
    for (int i = 0; i < count; i++) {
      int x = 12 + (i % per) * (cw + gap), yy = y + (i / per) * (ch + 18);
      checker(x, yy, cw, ch, dark);
      if (extra) extra(i, x, yy);
      else Blit(sheet, s.Cell(i), float(x), float(yy), zoom);
      TinyText(sheet, x, yy + ch + 3, std::to_string(i), 2, Hex(0xE0E6F0));
    }
    y += ((count + per - 1) / per) * (ch + 18) + 14;
  };
  auto single = [&](const std::string& title, const Image& img, float zoom, bool dark) {
    section(title);
    checker(12, y, int(img.w * zoom), int(img.h * zoom), dark);
    Blit(sheet, img, 12, float(y), zoom);
    y += int(img.h * zoom) + 16;
  };
  strip("COMMON ICONS.PNG  16X16 X 64  (SHOWN X3)", a.icons, 3, false, 64);
  strip("COMMON BADGES.PNG  64X64 X 16", a.badges, 1, true, 16);
  section("COMMON LOGO.PNG  AND  KELVARO.PNG");
  checker(12, y, a.engineLogo.w, a.engineLogo.h, true);
  Blit(sheet, a.engineLogo, 12, float(y));
  checker(40 + a.engineLogo.w, y, a.siteLogo.w, a.siteLogo.h, true);
  Blit(sheet, a.siteLogo, float(40 + a.engineLogo.w), float(y));
  y += a.engineLogo.h + 16;
  strip("247 BG.PNG  64X64 X 64", a.bg, 1, true, 64);
  strip("247 PLONKO.PNG  64X64 X 100", a.plonko, 1, true, 100);
  strip("247 PLONKOHAT.PNG  64X64 X 100", a.hats, 1, true, 100);
  strip("PLONKO WITH PLONKOHAT TINTED IN THE SEVEN HAT COLOURS", a.plonko, 1, true, 48, [&](int i, int x, int yy) {
    Blit(sheet, a.plonko.Cell(i), float(x), float(yy));
    Blit(sheet, a.hats.Cell(i), float(x), float(yy), 1, false, HAT_TINTS[1 + i % 7]);
  });
  // Going down a hole as the game draws it: hole under, walker, hole over (every 6th step).
  strip("SINKING INTO A HOLE  STP 30 TO 120 (HOLE UNDER  WALKER  HOLE OVER)", a.plonko, 1, true, 16, [&](int i, int x, int yy) {
    int stp = 30 + i * 6;
    if (stp < 61) Blit(sheet, a.bg.Cell(std::min((stp - 30) / 2 + 48, 52)), float(x), float(yy));
    if (stp < 100) Blit(sheet, a.plonko.Cell(std::min(stp / 3, 19)), float(x), float(yy));
    if (stp > 40) Blit(sheet, a.bg.Cell(std::min(108 - stp / 2, 52)), float(x), float(yy));
  });
  strip("247 BOOM.PNG  8X8 X 64  (SHOWN X4)", a.boom, 4, true, 64);
  strip("247 BITS.PNG  256X128 X 8", a.bits, 1, true, 8);
  single("247 LOGO.PNG", a.gameLogo, 1, true);
  section("247 GRID.PNG (X2)   SPURT.PNG (X4 WHITE AND RED)   AHAT.PNG (X4 IN THE HAT COLOURS)");
  checker(12, y, 512, 512, true);
  Blit(sheet, a.grid, 12, float(y), 2, false, {0.35f, 0.3f, 0.5f, 1});
  checker(540, y, 64, 64, true);
  Blit(sheet, a.spurt, 540, float(y), 4);
  checker(612, y, 64, 64, true);
  Blit(sheet, a.spurt, 612, float(y), 4, false, {1, 0, 0, 1});
  for (int k = 1; k <= 7; k++) {
    checker(540 + (k - 1) * 72, y + 80, 64, 64, true);
    Blit(sheet, a.ahat, float(540 + (k - 1) * 72), float(y + 80), 4, false, HAT_TINTS[k]);
  }
  y += 512 + 16;
  Image out(W, y);
  out.Copy(sheet, 0, 0);
  return out;
}

// A level in play on the 1280 x 960 screen, as the game lays it out.
Image Mockup(const Assets& a) {
  const int W = 1280, H = 960, GX = 32, GY = 32;
  Image scr(W, H);
  FillRect(scr, 0, 0, W, H, Hex(0x000000));
  RGBA tint{70 / 255.0f, 56 / 255.0f, 104 / 255.0f, 1};
  for (int j = 0; j < 3; j++)
    for (int i = 0; i < 3; i++) Blit(scr, a.grid, i * 512.0f - 100, j * 512.0f - 60, 2, false, tint);
  for (int k = 4; k >= 0; k--) FillRect(scr, GX - k, GY - k, 896 + 2 * k, 896 + 2 * k, Mul(tint, float(k / 2)));
  const char* level[14] = {
      "..............",  //
      "..............",  //
      "..............",  //
      "######....R...",  //
      "######..######",  //
      "######..######",  //
      "..............",  //
      ".......=......",  //
      "..........G...",  //
      "####....######",  //
      "####....######",  //
      "............O.",  //
      "..B.....######",  //
      "##############",
  };
  auto solid = [&](int x, int y) {
    if (x < 0 || y < 0 || x > 13 || y > 13) return true;
    char c = level[y][x];
    return c == '#' || c == '=';
  };
  for (int x = 0; x < 14; x++)
    for (int y = 0; y < 14; y++) {
      int v = (x + y * 15) % 16;
      char c = level[y][x];
      float px = float(x * 64 + GX), py = float(y * 64 + GY);
      if (c == '#') Blit(scr, a.bg.Cell(solid(x, y - 1) ? v : v + 32), px, py);
      if (c == '=') Blit(scr, a.bg.Cell(v + 16), px, py);
      if (c == 'O') Blit(scr, a.bg.Cell(48), px, py);
      int hat = c == 'R' ? 1 : c == 'G' ? 3 : c == 'B' ? 5 : 0;
      if (hat) Blit(scr, a.ahat, px + 24, py + 50 - 8, 1, false, HAT_TINTS[hat]);
    }
  struct W8 {
    float x, y;
    int frame, d, hat;
  };
  const W8 walkers[] = {{1 * 64 + 10, 2 * 64, 2, 1, 0},  {4 * 64 + 24, 2 * 64, 40, 1, 2}, {6 * 64 + 20, 3 * 64 + 30, 20, 1, 3},
                        {9 * 64, 8 * 64, 0, -1, 7},       {2 * 64 + 40, 8 * 64, 4, -1, 0}, {10 * 64, 11 * 64, 13, 1, 0},
                        {5 * 64, 12 * 64 - 30, 32, 1, 3}, {12 * 64, 11 * 64, 17, 1, 0}};
  for (auto& w : walkers) {
    Blit(scr, a.plonko.Cell(w.frame), w.x + GX, w.y + GY, 1, w.d < 0);
    if (w.hat) Blit(scr, a.hats.Cell(w.frame), w.x + GX, w.y + GY, 1, w.d < 0, HAT_TINTS[w.hat]);
  }
  // The last walker is sinking into the hole: the open rim is drawn over it.
  Blit(scr, a.bg.Cell(52), 12 * 64.0f + GX, 11 * 64.0f + GY);
  // Side panel: instructions and the hat stock.
  FillRect(scr, W - 260, 10, 240, 120, {0, 0, 0, 0.5f});
  TinyText(scr, W - 240, 30, "GUIDE THE PLONKO", 2, pal::WHITE);
  TinyText(scr, W - 240, 55, "TOWARDS THE HOLE", 2, pal::WHITE);
  TinyText(scr, W - 240, 80, "BY TICKLING IT", 2, pal::WHITE);
  const int stock[8] = {0, 2, 3, 4, 1, 0, 0, 2};
  const char* names[8] = {"", "MISC HAT", "HARD HAT", "RUBBER HAT", "MISC HAT", "", "", "SAFETY HAT"};
  const RGBA pure[8] = {{}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}, {0, 1, 1, 1}, {0, 0, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}};
  for (int i = 1; i <= 7; i++) {
    if (stock[i] <= 0) continue;
    FillRect(scr, W - 260, i * 100, 240, 90, {0, 0, 0, 0.5f});
    TinyText(scr, W - 240, i * 100 + 8, names[i], 2, pal::WHITE);
    for (int j = 1; j <= stock[i]; j++) {
      RGBA t = pure[i];
      t.a = j == 1 && i == 3 ? 1.0f : 0.5f;
      Blit(scr, a.bg.Cell(56), float(W - 32 - 36 * j), float(i * 100 + 50), 0.5f, false, t);
    }
  }
  // The pointer: the tickling hand over a walker, and a hat being dragged.
  Blit(scr, a.plonko.Cell(90), 2 * 64 + 40 + GX + 32 - 35.0f, 8 * 64 + GY + 30 - 4.0f);
  float mx = 1050, my = 820;
  Blit(scr, a.plonko.Cell(91), mx - 14, my - 41);
  Blit(scr, a.hats.Cell(0), mx - 33, my - 14, 1, false, HAT_TINTS[2]);
  Blit(scr, a.bits.Cell(0), W - 260 + 120 - 128.0f, 840 - 64.0f - 160);
  return scr;
}

// ---------------------------------------------------------------------------------------------
// main
// ---------------------------------------------------------------------------------------------
bool Save(const std::string& path, const Image& img) {
  if (WritePng(path, img)) return true;
  std::fprintf(stderr, "gen_assets: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string root = "assets/Files", sheetPath, mockPath, iconsPath;
  for (int i = 1; i < argc; i++) {
    std::string arg = argv[i];
    if (arg == "--sheet" && i + 1 < argc) sheetPath = argv[++i];
    else if (arg == "--mockup" && i + 1 < argc) mockPath = argv[++i];
    else if (arg == "--icons" && i + 1 < argc) iconsPath = argv[++i];
    else if (arg.size() && arg[0] != '-') root = arg;
    else {
      std::fprintf(stderr, "usage: gen_assets [root] [--sheet file.png] [--mockup file.png] [--icons folder]\n");
      return 2;
    }
  }
  const std::string common = root + "/Common/", game = root + "/247/";
  Assets a;
  a.icons = MakeIcons();
  a.badges = MakeBadges();
  a.engineLogo = MakeEngineLogo();
  a.siteLogo = MakeSiteLogo();
  a.bg = MakeBg();
  MakePlonko(a.plonko, a.hats);
  a.grid = MakeGrid();
  Image boom = MakeBoom();
  a.boom.img = boom;
  a.spurt = MakeSpurt();
  a.gameLogo = MakeGameLogo();
  a.bits = MakeBits();
  a.ahat = HatIcon(16, 0.6f, 7.6f, 10.2f, 1.0f);

  bool ok = true;
  ok &= Save(common + "icons.png", a.icons.img);
    ok &= Save(common + "logo.png", a.engineLogo);
  ok &= Save(common + "Kelvaro.png", a.siteLogo);
  ok &= Save(game + "bg.png", a.bg.img);
  ok &= Save(game + "plonko.png", a.plonko.img);
  ok &= Save(game + "plonkohat.png", a.hats.img);
  ok &= Save(game + "grid.png", a.grid);
  ok &= Save(game + "boom.png", boom);
  ok &= Save(game + "spurt.png", a.spurt);
  ok &= Save(game + "logo.png", a.gameLogo);
  ok &= Save(game + "bits.png", a.bits.img);
  ok &= Save(game + "badges.png", a.badges.img);
  ok &= Save(game + "ahat.png", a.ahat);

  // Levels, as K-weighted loudness of the sound at full volume over the part that sounds. At the
  // default volumes (a quarter of full) the music sits near -23 LUFS and every effect about 7 LU
  // above it, each effect as loud as the others.
  constexpr float EFFECT_LUFS = -4.3f;
  std::printf("%-14s %8s %8s %8s\n", "sound", "seconds", "peak dB", "LUFS");
  auto write = [&](const std::string& path, Sound s, float lufs, float ceiling) {
    Edges(s);
    Level(s, lufs, ceiling);
    Loudness l = Measure(s.s);
    std::printf("%-14s %8.3f %8.1f %8.1f\n", std::filesystem::path(path).filename().c_str(), double(s.N()) / RATE,
                20 * std::log10(l.peak), SoundingLufs(s.s));
    if (!WriteWav(path, s)) {
      std::fprintf(stderr, "gen_assets: cannot write %s\n", path.c_str());
      ok = false;
    }
  };
  write(common + "badgeget.wav", MakeJingle(), EFFECT_LUFS, EFFECT_CEILING);
  for (int n = 1; n <= 11; n++) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.wav", n);
    write(game + name, MakeEffect(n), EFFECT_LUFS, EFFECT_CEILING);
  }
  // The music's samples, each instrument's variants alike. Drums by role: the kick carries the
  // beat; hats and the cymbal sit well under it.
  const float drumLufs[9] = {0, -16.5f, -18.0f, -25.5f, -25.5f, -19.0f, -18.5f, -18.5f, -26.5f};
  for (int kit = 1; kit <= 2; kit++)
    for (int n = 1; n <= 8; n++)
      write(game + "music/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav", MakeDrum(kit, n), drumLufs[n], MUSIC_CEILING);
  for (int n = 1; n <= 3; n++) {
    write(game + "music/bass" + std::to_string(n) + ".wav", MakeBass(n), -17.5f, MUSIC_CEILING);
    write(game + "music/lead" + std::to_string(n) + ".wav", MakeLead(n), -18.5f, MUSIC_CEILING);
    write(game + "music/accompany" + std::to_string(n) + ".wav", MakeAccompany(n), -14.0f, MUSIC_CEILING);
  }
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    if (iconsPath.empty()) break;
    const std::string folder = iconsPath + "/" + std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(folder);
    ok &= Save(folder + "/plonko-elongo.png", MakeDesktopIcon(size));
  }
  if (!sheetPath.empty()) ok &= Save(sheetPath, ContactSheet(a));
  if (!mockPath.empty()) {
    Image m = Mockup(a);
    ok &= Save(mockPath, m);
    std::string small = mockPath.substr(0, mockPath.size() - 4) + "_800x600.png";
    ok &= Save(small, Resample(m, 800, 600));
  }
  return ok ? 0 : 1;
}
