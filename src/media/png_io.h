// PNG reading and writing (libpng). Reading refuses damaged, truncated and absurdly large files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int PNG_MAX_SIDE = 16384;
constexpr int64_t PNG_MAX_BYTES = int64_t{256} << 20;  // decoded RGBA
// A file read is held to less: its header alone decides the size of the buffer, so a tiny damaged
// file must not make the game ask for (and clear) hundreds of megabytes. The game's largest image
// is under 2 MB decoded.
constexpr int64_t PNG_MAX_READ_BYTES = int64_t{16} << 20;

struct PngPicture {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;  // w * h * 4, rows top first
  bool hadAlpha = false;      // the file carried alpha (an alpha channel or tRNS)
};

// False (and out untouched) when the file is missing, not a PNG, damaged, truncated or too large.
bool ReadPng(const std::string& path, PngPicture& out);
// The one PNG writer of the game and its tools. Writes ARGB pixels (alpha in the top byte) as an
// RGBA PNG at zlib level 0..9, through a temporary file beside `path` that is renamed over it, so
// no reader ever sees half a file.
bool WritePngArgb(const std::string& path, const uint32_t* argb, int w, int h, int level);
// The same from RGBA bytes, rows top first.
bool WritePngRgba(const std::string& path, const uint8_t* rgba, int w, int h, int level);
