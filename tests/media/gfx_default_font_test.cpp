// The built-in font: every printable ASCII character has its own visible glyph.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "media/font.h"

namespace {

std::vector<uint8_t> GlyphAlpha(const Font& f, int code) {
  const Glyph& g = f.glyphs[code];
  std::vector<uint8_t> a;
  for (int y = 0; y < g.h; ++y)
    for (int x = 0; x < g.w; ++x) a.push_back(f.tex.pixels[size_t(g.y + y) * size_t(f.tex.w) + size_t(g.x + x)]);
  return a;
}

TEST(GfxDefaultFont, EveryPrintableCharacterHasItsOwnInk) {
  const Font& f = DefaultFont();
  EXPECT_GT(f.lineHeight, 0);
  std::map<std::vector<uint8_t>, char> seen;
  for (int code = 33; code <= 126; ++code) {
    const std::vector<uint8_t> a = GlyphAlpha(f, code);
    int ink = 0;
    for (uint8_t v : a) ink += v > 0;
    EXPECT_GT(ink, 0) << char(code);
    auto [it, fresh] = seen.emplace(a, char(code));
    EXPECT_TRUE(fresh) << char(code) << " looks like " << it->second;
    EXPECT_EQ(f.glyphs[code].advance, f.glyphs['A'].advance) << char(code);
  }
  EXPECT_GT(f.glyphs[' '].advance, 0);
  EXPECT_EQ(f.glyphs['\n'].advance, 0);  // control characters take no room
  EXPECT_EQ(GlyphAlpha(f, 0xE9), GlyphAlpha(f, '?'));  // Latin-1 letters beyond ASCII show as '?'
}

}  // namespace
