// Drawing helpers: draw state, the frame bracket, budgeted sprites and the glow pass, aligned
// text and the mouse hit test.
#include "frame/draw.h"

#include <cstdint>

#include "common/common_assets.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "media/media.h"

namespace {

bool ValidKind(int kind) { return kind >= 1 && kind < DRAW_KINDS; }

// Counts one draw of `kind` when the budget allows it.
bool TakeBudget(int kind) {
  if (!ValidKind(kind) || DrawnCount[kind] >= DrawLimit[kind]) return false;
  ++DrawnCount[kind];
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Draw state
// ---------------------------------------------------------------------------------------------
void ResetDrawState() {
  SetRotation(0);
  SetScale(1, 1);
  SetColour(255, 255, 255);
  SetAlpha(1);
  SetBlend(BLEND_ALPHA);
}

float ClampFloat(float v, float lo, float hi) {
  if (v > hi) v = hi;
  if (v < lo) v = lo;
  return v;
}

void SetDrawColour(float r, float g, float b) {
  SetColour(static_cast<int>(ClampFloat(r, 0, 255)), static_cast<int>(ClampFloat(g, 0, 255)),
            static_cast<int>(ClampFloat(b, 0, 255)));
}

void SetDrawColour(float r, float g, float b, float a) {
  SetDrawColour(r, g, b);
  SetAlpha(ClampFloat(a, 0, 1));
}

void SetDrawScale(float sx) { SetScale(sx, sx); }
void SetDrawScale(float sx, float sy) { SetScale(sx, sy); }
void SetDrawRotation(float degrees) { SetRotation(degrees); }

// ---------------------------------------------------------------------------------------------
// Frame bracket
// ---------------------------------------------------------------------------------------------
void BeginFrame(int clear) {
  if (clear == 1) ClearScreen();
  for (int k = 1; k <= 10; ++k) DrawnCount[k] = 0;
}

// ---------------------------------------------------------------------------------------------
// Sprites
// ---------------------------------------------------------------------------------------------
void DrawSprite(int image, int x, int y, int frame, int kind) {
  if (!FramePresented()) return;
  if (!TakeBudget(kind)) return;
  float sx, sy;
  GetScale(sx, sy);
  DrawImage(image, x + ImageWidth(image) * sx / 2, y + ImageHeight(image) * sy / 2, frame);
}

void DrawGlowSprite(int image, int x, int y, int frame, int glowImage, float glowScale, float glowAlpha) {
  if (!FramePresented()) return;
  float sx, sy;
  GetScale(sx, sy);
  const float alpha = GetAlpha();
  const int blend = GetBlend();
  // Both passes centre on the main sprite's scaled middle, so the glow surrounds it evenly.
  const float cx = x + ImageWidth(image) * sx / 2;
  const float cy = y + ImageHeight(image) * sy / 2;
  if (TakeBudget(KIND_SPRITE)) DrawImage(image, cx, cy, frame);

  SetScale(sx * glowScale, sy * glowScale);
  SetAlpha(alpha * glowAlpha);
  SetBlend(BLEND_LIGHT);
  if (TakeBudget(KIND_GLOW)) DrawImage(glowImage != 0 ? glowImage : image, cx, cy, frame);

  SetScale(sx, sy);
  SetAlpha(alpha);
  SetBlend(blend);
}

// ---------------------------------------------------------------------------------------------
// Text and mouse
// ---------------------------------------------------------------------------------------------
void DrawTextAt(int x, int y, const std::string& txt, int hAlign, int vAlign) {
  if (hAlign == 1) x -= TextWidth(txt) / 2;
  if (hAlign == 2) x -= TextWidth(txt);
  if (vAlign == 1) y -= TextHeight(txt) / 2;
  if (vAlign == 2) y -= TextHeight(txt);
  DrawText(txt, static_cast<float>(x), static_cast<float>(y));
}

float FitScale(const std::string& txt, int maxWidth) {
  float sx, sy;
  GetScale(sx, sy);
  const float width = static_cast<float>(TextWidth(txt)) * sx;
  if (maxWidth <= 0 || width <= static_cast<float>(maxWidth)) return 1;
  return static_cast<float>(maxWidth) / width;
}

void DrawTextFit(int x, int y, const std::string& txt, int maxWidth, int hAlign, int vAlign) {
  const float k = FitScale(txt, maxWidth);
  if (k >= 1) {
    DrawTextAt(x, y, txt, hAlign, vAlign);
    return;
  }
  float sx, sy;
  GetScale(sx, sy);
  const float w = static_cast<float>(TextWidth(txt)) * sx * k, h = static_cast<float>(TextHeight(txt)) * sy * k;
  const float left = static_cast<float>(x) - (hAlign == 1 ? w / 2 : hAlign == 2 ? w : 0);
  const float top = static_cast<float>(y) - (vAlign == 1 ? h / 2 : vAlign == 2 ? h : 0);
  SetScale(sx * k, sy * k);
  DrawText(txt, left, top);
  SetScale(sx, sy);
}

int MouseIn(int x, int y, int w, int h) {
  // 64-bit sums: a huge width from a caller must not wrap round to a negative edge.
  const int64_t right = int64_t{x} + w, bottom = int64_t{y} + h;
  return FrameMouseX > x && FrameMouseY > y && FrameMouseX < right && FrameMouseY < bottom ? 1 : 0;
}

void SelectFont(int face, int step) {
  int f = (face >= 1 && face <= 3) ? face - 1 : 0;
  int s = (step >= 0 && step <= 8) ? step : 0;
  SetFont(FontTable[f * 10 + s]);
}
