// A tiny PNG writer for level fixtures: 8-bit RGBA, one stored (uncompressed) deflate block per
// 65535 bytes, so the tests need no image library of their own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct TestImage {
  int w = 16, h = 16;
  std::vector<uint32_t> argb;  // row-major, 0xAARRGGBB
  TestImage(int width, int height) : w(width), h(height), argb(static_cast<size_t>(width * height), 0xFF000000u) {}
  void Set(int x, int y, int r, int g, int b) {
    argb[static_cast<size_t>(y * w + x)] = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
  }
};

namespace png_fixture {

inline uint32_t Crc(const std::vector<uint8_t>& data, size_t from) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = from; i < data.size(); ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return c ^ 0xFFFFFFFFu;
}

inline void Be32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

inline void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  Be32(out, static_cast<uint32_t>(body.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  Be32(out, Crc(out, start));
}

}  // namespace png_fixture

// claimW / claimH, when given, replace the size written in the header (a lying file).
inline std::vector<uint8_t> EncodePng(const TestImage& img, uint32_t claimW = 0, uint32_t claimH = 0) {
  using namespace png_fixture;
  std::vector<uint8_t> raw;
  for (int y = 0; y < img.h; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < img.w; ++x) {
      const uint32_t p = img.argb[static_cast<size_t>(y * img.w + x)];
      raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
  }
  std::vector<uint8_t> z{0x78, 0x01};
  for (size_t pos = 0; pos == 0 || pos < raw.size(); pos += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    z.push_back(pos + n >= raw.size() ? 1 : 0);
    z.insert(z.end(), {uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
    z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + n));
  }
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  Be32(z, b << 16 | a);

  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  Be32(ihdr, claimW ? claimW : static_cast<uint32_t>(img.w));
  Be32(ihdr, claimH ? claimH : static_cast<uint32_t>(img.h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return out;
}

inline void WritePng(const std::string& path, const TestImage& img) {
  const std::vector<uint8_t> bytes = EncodePng(img);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
