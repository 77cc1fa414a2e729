// Packing rasterised glyphs into a font's atlas picture.
#include <algorithm>

#include "media/font.h"

void BuildFontAtlas(Font& font, const std::vector<GlyphBitmap>& bitmaps, bool filtered) {
  int widest = 1, area = 0;
  for (const GlyphBitmap& b : bitmaps) {
    widest = std::max(widest, b.w + 1);
    area += (b.w + 1) * (b.h + 1);
  }
  int atlasW = 64;
  while (atlasW < widest || atlasW * atlasW < area) atlasW *= 2;

  // First pass places the glyphs on shelves; the second copies them once the height is known.
  int x = 1, y = 1, shelf = 0;
  for (const GlyphBitmap& b : bitmaps) {
    Glyph& g = font.glyphs[b.code & 0xFF];
    g.w = b.w;
    g.h = b.h;
    g.left = b.left;
    g.top = b.top;
    g.advance = b.advance;
    if (b.w == 0 || b.h == 0) continue;
    if (x + b.w + 1 > atlasW) {
      x = 1;
      y += shelf + 1;
      shelf = 0;
    }
    g.x = x;
    g.y = y;
    x += b.w + 1;
    shelf = std::max(shelf, b.h);
  }
  const int atlasH = y + shelf + 1;
  TexSource& t = font.tex;
  t.w = atlasW;
  t.h = atlasH;
  t.filtered = filtered;
  t.coverage = true;
  t.pixels.assign(static_cast<size_t>(atlasW) * static_cast<size_t>(atlasH), 0);
  for (const GlyphBitmap& b : bitmaps) {
    const Glyph& g = font.glyphs[b.code & 0xFF];
    for (int row = 0; row < b.h; ++row)
      for (int col = 0; col < b.w; ++col)
        t.pixels[static_cast<size_t>(g.y + row) * static_cast<size_t>(atlasW) + static_cast<size_t>(g.x + col)] =
            b.coverage[static_cast<size_t>(row) * static_cast<size_t>(b.w) + static_cast<size_t>(col)];
  }
  t.Touch();
}
