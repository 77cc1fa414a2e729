// The logos, the desktop icon and the won and lost banners.
#include "gen_assets/makers.h"
#include "gen_assets/palette.h"
#include "gen_assets/walker.h"
#include "gen_assets/letters.h"

namespace art {

namespace {

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

Shape Gear(float cx, float cy, float r, int teeth) {
  std::vector<V2> v;
  for (int i = 0; i < teeth * 4; i++) {
    float a = Rad(i * 90.0f / teeth + 45.0f / teeth), rr = (i % 4 < 2) ? r : r * 0.8f;
    v.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
  }
  return Subtract(Polygon(v), Circle(cx, cy, r * 0.32f));
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

}  // namespace

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

Strip MakeBits() {
  Strip s(256, 128, 4, 2);
  s.Put(0, Banner(true));
  s.Put(1, Banner(false));
  return s;
}

}  // namespace art
