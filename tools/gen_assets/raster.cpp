// The raster library's shapes, maps and paints.
#include "gen_assets/raster.h"

#include <filesystem>

#include "media/png_io.h"

namespace art {

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float Smooth(float e0, float e1, float v) {
  float t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

float Rad(float deg) { return deg * PI / 180.0f; }

RGBA Hex(uint32_t v, float a) {
  return {((v >> 16) & 255) / 255.0f, ((v >> 8) & 255) / 255.0f, (v & 255) / 255.0f, a};
}

RGBA Grey(float v, float a) { return {v, v, v, a}; }

RGBA Mix(RGBA x, RGBA y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

RGBA Mul(RGBA c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

RGBA Tint(RGBA c, RGBA t) { return {c.r * t.r, c.g * t.g, c.b * t.b, c.a}; }

float Hash01(int a, int b, int c) {
  uint64_t h = uint64_t(uint32_t(a)) * 0x9E3779B1u ^ uint64_t(uint32_t(b)) * 0x85EBCA77u ^
               uint64_t(uint32_t(c)) * 0xC2B2AE3Du;
  Rng r(h);
  return r.Uni();
}

bool WritePng(const std::string& path, const Image& img) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return WritePngRgba(path, img.px.data(), img.w, img.h, 9);
}

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

Paint Solid(RGBA c) {
  return [=](float, float) { return c; };
}

Paint VGrad(RGBA top, RGBA bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

std::vector<V2> Arc(float cx, float cy, float rx, float ry, float a0, float a1, int n) {
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

Shape Star(float cx, float cy, float r0, float r1, int points, float rot) {
  std::vector<V2> v;
  for (int i = 0; i < points * 2; i++) {
    float a = Rad(rot + i * 180.0f / points), r = i % 2 ? r1 : r0;
    v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return Polygon(v);
}

}  // namespace art
