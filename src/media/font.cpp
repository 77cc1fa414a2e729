// TrueType fonts through FreeType: LoadFont, FreeFont, SetFont / GetFont, TextWidth / TextHeight.
#include "media/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cmath>
#include <fstream>
#include <iterator>

#include "media/display_state.h"
#include "media/draw_state.h"

namespace {

constexpr int MAX_FONT_SIZE = 512;                   // pixels
constexpr std::streamoff MAX_FONT_FILE = 16 << 20;  // bytes; the largest font shipped is 5.5 MB

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return lib;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size <= 0 || size > MAX_FONT_FILE) return false;
  bytes.resize(static_cast<size_t>(size));
  in.seekg(0);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

// The slot's bitmap as 8-bit coverage (mono bitmaps become 0 / 255).
void CopyCoverage(const FT_Bitmap& bm, GlyphBitmap& out) {
  out.w = static_cast<int>(bm.width);
  out.h = static_cast<int>(bm.rows);
  out.coverage.assign(static_cast<size_t>(out.w) * static_cast<size_t>(out.h), 0);
  for (int y = 0; y < out.h; ++y) {
    const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
    for (int x = 0; x < out.w; ++x) {
      uint8_t v = 0;
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
        v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
        v = static_cast<uint8_t>(bm.num_grays == 256 ? row[x] : row[x] * 255 / std::max(1, bm.num_grays - 1));
      out.coverage[static_cast<size_t>(y) * static_cast<size_t>(out.w) + static_cast<size_t>(x)] = v;
    }
  }
}

uint32_t Big32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// False when a table of the font's directory runs past the end of the file: a cut copy, which
// FreeType would still open and draw with glyphs silently missing.
bool TablesInside(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 12 || Big32(bytes.data()) == 0x74746366) return true;  // "ttcf": not checked here
  const size_t tables = size_t{bytes[4]} << 8 | bytes[5];
  if (12 + 16 * tables > bytes.size()) return false;
  for (size_t i = 0; i < tables; ++i) {
    const uint8_t* rec = bytes.data() + 12 + 16 * i;
    if (uint64_t{Big32(rec + 8)} + Big32(rec + 12) > bytes.size()) return false;
  }
  return true;
}

// Codes 32 to 255 as bitmaps (empty where the font has no glyph). False when a glyph the font
// lists cannot be drawn.
bool Rasterise(FT_Face face, int style, int ascent, std::vector<GlyphBitmap>& out) {
  const bool smooth = (style & FONT_SMOOTH) != 0;
  if (style & FONT_ITALIC) {
    FT_Matrix shear{0x10000, 0x3800, 0, 0x10000};  // about 12 degrees of slant
    FT_Set_Transform(face, &shear, nullptr);
  }
  const FT_Int32 load = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | (smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
  for (int code = 32; code < 256; ++code) {
    GlyphBitmap b;
    b.code = code;
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    // A glyph the font lists but cannot draw: the file is cut or damaged.
    if (FT_Load_Glyph(face, index, load) != 0) {
      if (index != 0) return false;
      out.push_back(b);
      continue;
    }
    FT_GlyphSlot slot = face->glyph;
    if (style & FONT_BOLD) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) {
      if (index != 0) return false;
      out.push_back(b);
      continue;
    }
    CopyCoverage(slot->bitmap, b);
    b.left = slot->bitmap_left;
    b.top = ascent - slot->bitmap_top;
    b.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.push_back(std::move(b));
  }
  return true;
}

}  // namespace

Font& CurrentFont() {
  Font* f = Lookup<Font>(CurrentDrawState().font, ObjectKind::FONT);
  return f ? *f : DefaultFont();
}

int LoadFont(const std::string& path, int size, int style) {
  if (size <= 0 || size > MAX_FONT_SIZE || !Library()) return 0;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes) || !TablesInside(bytes)) return LoadFailed(path);
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(Library(), bytes.data(), static_cast<FT_Long>(bytes.size()), 0, &face) != 0) return LoadFailed(path);
  auto font = std::make_unique<Font>();
  // The size is the height of a line, ascender to descender, as the layout counts it; the em
  // square is smaller than that.
  FT_Size_RequestRec cell{FT_SIZE_REQUEST_TYPE_REAL_DIM, 0, static_cast<FT_Long>(size) * 64, 0, 0};
  bool ok = (face->face_flags & FT_FACE_FLAG_SCALABLE) && FT_Request_Size(face, &cell) == 0;
  if (ok) {
    const FT_Size_Metrics& m = face->size->metrics;
    const int ascent = static_cast<int>((m.ascender + 32) >> 6);
    font->lineHeight = size;
    std::vector<GlyphBitmap> bitmaps;
    ok = Rasterise(face, style, ascent, bitmaps);
    if (ok) BuildFontAtlas(*font, bitmaps, (style & FONT_SMOOTH) != 0);
  }
  FT_Done_Face(face);
  return ok ? RegisterObject(std::move(font)) : LoadFailed(path);
}

void FreeFont(int font) {
  Font* f = Lookup<Font>(font, ObjectKind::FONT);
  if (!f) return;
  FlushIfUsing(f->tex);
  ReleaseObject(font);
  if (CurrentDrawState().font == font) CurrentDrawState().font = 0;
}

void SetFont(int font) { CurrentDrawState().font = Lookup<Font>(font, ObjectKind::FONT) ? font : 0; }

int GetFont() { return CurrentDrawState().font; }

int TextWidth(const std::string& text) {
  const Font& f = CurrentFont();
  int w = 0;
  for (unsigned char c : text) w += f.glyphs[c].advance;
  return w;
}

int TextHeight(const std::string&) { return CurrentFont().lineHeight; }
