// Small pictures and files written by the graphics tests into a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/png_io.h"
#include "support/test_folder.h"

namespace gfx_test {

inline std::string ScratchDir() {
  static const std::string dir = TestFolder("gfx").string();
  return dir;
}

inline std::string ScratchPath(const std::string& name) { return ScratchDir() + "/" + name; }

inline uint32_t Argb(int a, int r, int g, int b) {
  return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// A w x h PNG whose pixel (x, y) is colour(x, y) (ARGB).
template <class Fn>
std::string WritePicture(const std::string& name, int w, int h, Fn colour) {
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * size_t(w) + size_t(x)] = colour(x, y);
  std::string path = ScratchPath(name);
  EXPECT_TRUE(WritePngArgb(path, px.data(), w, h, 6));
  return path;
}

inline std::vector<char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string WriteBytes(const std::string& name, const std::vector<char>& bytes) {
  std::string path = ScratchPath(name);
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  return path;
}

inline uint32_t Crc32(const unsigned char* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

// A PNG signature and a well-formed IHDR (correct CRC) claiming w x h RGBA, with no pixel data.
inline std::string WriteHeaderOnlyPng(const std::string& name, uint32_t w, uint32_t h) {
  std::vector<unsigned char> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  auto be32 = [&](uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back((unsigned char)(v >> s));
  };
  be32(w);
  be32(h);
  for (unsigned char v : {8, 6, 0, 0, 0}) b.push_back(v);
  be32(Crc32(&b[12], 17));
  return WriteBytes(name, std::vector<char>(b.begin(), b.end()));
}

}  // namespace gfx_test
