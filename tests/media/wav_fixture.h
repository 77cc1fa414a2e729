// WAV files built byte by byte for the sound tests: chunks, a format body, PCM payloads, and a
// temporary folder to write them into.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/test_folder.h"

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A chunk: id, the body's size (or `claimed` when given), the body and its pad byte.
inline Bytes Chunk(const char* id, const Bytes& body, int64_t claimed = -1) {
  Bytes b(id, id + 4);
  Put32(b, claimed >= 0 ? static_cast<uint32_t>(claimed) : static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() & 1) b.push_back(0);
  return b;
}

// A "fmt " body: format code, channels, rate, byte rate, block align, bits.
inline Bytes Fmt(int channels, int rate, int bits, int format = 1, int blockAlign = -1) {
  Bytes b;
  Put16(b, static_cast<uint32_t>(format));
  Put16(b, static_cast<uint32_t>(channels));
  Put32(b, static_cast<uint32_t>(rate));
  int align = blockAlign >= 0 ? blockAlign : channels * bits / 8;
  Put32(b, static_cast<uint32_t>(rate * align));
  Put16(b, static_cast<uint32_t>(align));
  Put16(b, static_cast<uint32_t>(bits));
  return b;
}

// A WAVE_FORMAT_EXTENSIBLE body whose sub-format GUID carries `subFormat`.
inline Bytes FmtExtensible(int channels, int rate, int bits, int subFormat) {
  Bytes b = Fmt(channels, rate, bits, 0xFFFE);
  Put16(b, 22);  // extension size
  Put16(b, static_cast<uint32_t>(bits));
  Put32(b, channels == 2 ? 3u : 4u);  // speaker mask
  Put16(b, static_cast<uint32_t>(subFormat));
  const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
  b.insert(b.end(), tail, tail + 14);
  return b;
}

inline Bytes Pcm16(const std::vector<int16_t>& samples) {
  Bytes b;
  for (int16_t s : samples) Put16(b, static_cast<uint16_t>(s));
  return b;
}

// "RIFF", the size of what follows (or `claimed`), "WAVE", then the chunks.
inline Bytes Riff(const Bytes& chunks, int64_t claimed = -1) {
  Bytes b{'R', 'I', 'F', 'F'};
  Put32(b, claimed >= 0 ? static_cast<uint32_t>(claimed) : static_cast<uint32_t>(chunks.size() + 4));
  b.insert(b.end(), {'W', 'A', 'V', 'E'});
  b.insert(b.end(), chunks.begin(), chunks.end());
  return b;
}

// A 16-bit mono WAV of `frames` frames of one constant value at `rate`.
inline Bytes ConstantWav(int frames, int rate, int16_t value = 8000) {
  return Riff(Cat({Chunk("fmt ", Fmt(1, rate, 16)), Chunk("data", Pcm16(std::vector<int16_t>(frames, value)))}));
}

inline std::string WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path.string();
}
