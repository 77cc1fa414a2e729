// The drawing state shared by the media layer's drawing files: the current colour, alpha, blend,
// rotation (with its sine and cosine cached when set), scale, font and automatic mid-handling.
// Reset by GfxInit; otherwise persistent until changed.
#pragma once

#include <cstdint>

#include "media/headless.h"
#include "media/media.h"

struct DrawState {
  int r = 255, g = 255, b = 255;
  float alpha = 1;
  uint8_t alpha8 = 255;  // alpha as a vertex byte, kept with it
  int blend = BLEND_MASK;
  float rotation = 0;  // degrees
  float cosr = 1, sinr = 0;
  float sx = 1, sy = 1;
  int font = 0;  // 0: the built-in font
  bool autoMid = false;
};

DrawState& CurrentDrawState();
void ResetDrawStateDefaults();
// A headless record of the given kind carrying the whole current drawing state.
DrawRecord RecordWithState(DrawRecord::Kind kind);
