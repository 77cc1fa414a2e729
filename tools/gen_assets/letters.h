// Fonts of our own: a 3 x 5 bitmap font for the contact sheet's labels, and a rounded stroke
// alphabet (cap height 10 units) for the logos and banners.
#pragma once

#include <string>

#include "gen_assets/raster.h"

namespace art {

void TinyText(Image& img, int x, int y, const std::string& s, int scale, RGBA c);
struct TextStyle {
  float size = 10;          // cap height in drawing units
  float weight = 2.4f;      // stroke thickness in glyph units
  float tracking = 2.9f;    // gap between letters in glyph units
  float stretchY = 1;       // vertical stretch of the letters
  float wobble = 0;         // playful per-letter rise and tilt, in glyph units / degrees
  uint64_t seed = 1;
};
// The text as one shape, its top-left corner at (x, y).
Shape TextShape(const std::string& s, float x, float y, const TextStyle& st);
float TextWidth(const std::string& s, const TextStyle& st);

}  // namespace art
