// Drawing state: colour, alpha, blend, rotation and scale, global and persistent until changed.
#include "media/draw_state.h"

#include <algorithm>
#include <cmath>

namespace {
DrawState gState;
}  // namespace

DrawState& CurrentDrawState() { return gState; }
void ResetDrawStateDefaults() { gState = DrawState{}; }

DrawRecord RecordWithState(DrawRecord::Kind kind) {
  DrawRecord rec{};
  rec.kind = kind;
  rec.r = gState.r;
  rec.g = gState.g;
  rec.b = gState.b;
  rec.alpha = gState.alpha;
  rec.blend = gState.blend;
  rec.rotation = gState.rotation;
  rec.sx = gState.sx;
  rec.sy = gState.sy;
  return rec;
}

void SetColour(int r, int g, int b) {
  gState.r = std::clamp(r, 0, 255);
  gState.g = std::clamp(g, 0, 255);
  gState.b = std::clamp(b, 0, 255);
}

void GetColour(int& r, int& g, int& b) {
  r = gState.r;
  g = gState.g;
  b = gState.b;
}

void SetAlpha(float a) {
  if (std::isnan(a)) a = 0;
  gState.alpha = std::clamp(a, 0.0f, 1.0f);
  gState.alpha8 = static_cast<uint8_t>(std::lround(gState.alpha * 255.0f));
}

float GetAlpha() { return gState.alpha; }

void SetBlend(int mode) {
  if (mode < BLEND_MASK || mode > BLEND_SHADE || mode == gState.blend) return;
  gState.blend = mode;
}

int GetBlend() { return gState.blend; }

void SetRotation(float degrees) {
  gState.rotation = degrees;
  // Reduced first, so right angles give exact 0 / 1 (sprites at 90 degrees stay pixel-aligned).
  // Float maths throughout: sprites turned one by one call this once each.
  float d = std::fmod(degrees, 360.0f);
  if (d < 0) d += 360.0f;
  if (d == 0 || d == 90 || d == 180 || d == 270) {
    static constexpr float COS[4] = {1, 0, -1, 0};
    static constexpr float SIN[4] = {0, 1, 0, -1};
    int q = static_cast<int>(d / 90.0f);
    gState.cosr = COS[q];
    gState.sinr = SIN[q];
    return;
  }
  const float rad = d * (3.14159265358979323846f / 180.0f);
  gState.cosr = std::cos(rad);
  gState.sinr = std::sin(rad);
}

float GetRotation() { return gState.rotation; }

void SetScale(float sx, float sy) {
  gState.sx = sx;
  gState.sy = sy;
}

void GetScale(float& sx, float& sy) {
  sx = gState.sx;
  sy = gState.sy;
}
