// The board's pictures: ground and hole tiles, the debris block, the background tile, the spurt.
#include "gen_assets/makers.h"
#include "gen_assets/palette.h"
#include "gen_assets/walker.h"
#include "gen_assets/letters.h"

namespace art {

namespace {

// Ground tiles. The board picks variant v = (x + 15 y) mod 16 for the cell at column x, row y,
// so a cell's right neighbour shows v + 1 and the cell below shows v - 1. The texture is one
// picture T(X, Y) that repeats under the shifts (64, 64) and (1024, 0); variant v shows the
// square at (64 v, 0). Every pair of neighbouring cells then meets without a seam.
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

}  // namespace

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

}  // namespace art
