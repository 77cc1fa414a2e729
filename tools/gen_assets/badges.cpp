// The badges, one medal per cell in the order of the game's badge table.
#include "gen_assets/makers.h"
#include "gen_assets/palette.h"
#include "gen_assets/walker.h"
#include "gen_assets/letters.h"

namespace art {

namespace {

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

}  // namespace

Strip MakeBadges() {
  Strip s(64, 64, 4, 4);
  for (int n = 0; n < 16; n++) s.Put(n, Badge(n));
  return s;
}

}  // namespace art
