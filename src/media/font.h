// Fonts: Latin-1 glyphs 32..255 rasterised once into one atlas picture (white, coverage in alpha),
// with integer advances so text widths are whole pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "media/internal.h"
#include "media/render_batch.h"

struct Glyph {
  int x = 0, y = 0, w = 0, h = 0;  // rectangle in the atlas (w or h 0: nothing to draw)
  int left = 0, top = 0;           // offset of the bitmap from the pen, top measured from the line top
  int advance = 0;
};

struct Font final : MediaObject {
  ObjectKind Kind() const override { return ObjectKind::FONT; }
  int64_t Bytes() const override { return static_cast<int64_t>(tex.pixels.size()); }
  Glyph glyphs[256];
  int lineHeight = 0;
  TexSource tex;
};

// One rasterised glyph before packing: 8-bit coverage, w x h.
struct GlyphBitmap {
  int code = 0;
  int w = 0, h = 0;
  int left = 0, top = 0, advance = 0;
  std::vector<uint8_t> coverage;
};

// Packs the bitmaps into the font's atlas (rows of glyphs, one clear pixel between neighbours).
void BuildFontAtlas(Font& font, const std::vector<GlyphBitmap>& bitmaps, bool filtered);

// The built-in font (font 0), made from bitmap data in code.
Font& DefaultFont();
// The current font, or the built-in one when none (or a stale one) is selected.
Font& CurrentFont();
