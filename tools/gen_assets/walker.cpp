#include "gen_assets/walker.h"

#include "gen_assets/palette.h"

namespace art {

namespace {

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

}  // namespace

Shape HatShape(float& domeTop) {
  domeTop = -10.5f;
  Shape dome = Intersect(Ellipse(0.4f, 1.6f, 9.8f, 11.5f), HalfPlaneAbove(2.4f));
  Shape brim = RoundBox(-11.0f, 0.6f, 14.0f, 4.4f, 1.9f);
  return Union(dome, brim);
}

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

Image HatIcon(int size, float scale, float cx, float cy, float ink) {
  Canvas c(size, size, 6);
  DrawHatLocal(c, ScaleXf(scale, scale).Then(Translate(cx, cy)), ink);
  return c.Resolve();
}

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

}  // namespace art
