// The WAV reader (see wav.h). Unknown chunks (LIST, fact, cue, ...) are skipped; the format chunk
// may come after the data chunk; a partial frame at the end of the data is dropped.
#include "media/wav.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr int MIN_SAMPLE_RATE = 1000;
constexpr int MAX_SAMPLE_RATE = 384000;
constexpr uint16_t FORMAT_PCM = 1;
constexpr uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
// The tail of the sub-format GUID shared by every WAVE_FORMAT_EXTENSIBLE format code.
constexpr uint8_t GUID_TAIL[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
bool Tag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

struct Format {
  int channels = 0, rate = 0, bits = 0, blockAlign = 0;
};

// Checks a format chunk's body; false for anything but 8/16-bit mono/stereo integer PCM.
bool ReadFormat(const uint8_t* p, uint32_t size, Format& f) {
  if (size < 16) return false;
  uint16_t tag = Le16(p);
  if (tag == FORMAT_EXTENSIBLE) {
    if (size < 40 || Le16(p + 16) < 22) return false;
    const uint8_t* guid = p + 24;
    if (Le16(guid) != FORMAT_PCM || std::memcmp(guid + 2, GUID_TAIL, 14) != 0)
      return false;
  } else if (tag != FORMAT_PCM) {
    return false;
  }
  f.channels = Le16(p + 2);
  uint32_t rate = Le32(p + 4);
  f.blockAlign = Le16(p + 12);
  f.bits = Le16(p + 14);
  if (f.channels != 1 && f.channels != 2) return false;
  if (f.bits != 8 && f.bits != 16) return false;
  if (rate < static_cast<uint32_t>(MIN_SAMPLE_RATE) || rate > static_cast<uint32_t>(MAX_SAMPLE_RATE)) return false;
  if (f.blockAlign != f.channels * f.bits / 8) return false;
  f.rate = static_cast<int>(rate);
  return true;
}

}  // namespace

bool ParseWav(const uint8_t* bytes, size_t size, WavData& out) {
  if (!bytes || size < 12 || !Tag(bytes, "RIFF") || !Tag(bytes + 8, "WAVE")) return false;
  // A RIFF size beyond the bytes present is a truncated file: the chunk checks below catch it.
  uint64_t end = std::min<uint64_t>(size, 8ULL + Le32(bytes + 4));
  Format fmt;
  bool haveFmt = false;
  const uint8_t* data = nullptr;
  uint32_t dataSize = 0;
  for (uint64_t off = 12; off + 8 <= end;) {
    const uint8_t* chunk = bytes + off;
    uint32_t chunkSize = Le32(chunk + 4);
    uint64_t body = off + 8;
    if (chunkSize > end - body) return false;
    if (Tag(chunk, "fmt ") && !haveFmt) {
      if (!ReadFormat(bytes + body, chunkSize, fmt)) return false;
      haveFmt = true;
    } else if (Tag(chunk, "data") && !data) {
      data = bytes + body;
      dataSize = chunkSize;
    }
    off = body + chunkSize + (chunkSize & 1u);  // chunks are padded to even sizes
  }
  if (!haveFmt || !data) return false;

  size_t frames = dataSize / static_cast<uint32_t>(fmt.blockAlign);
  std::vector<int16_t> samples(frames * static_cast<size_t>(fmt.channels));
  if (fmt.bits == 8) {
    for (size_t i = 0; i < samples.size(); ++i)  // 8-bit PCM is unsigned, centred on 128
      samples[i] = static_cast<int16_t>((data[i] - 128) * 256);
  } else {
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(Le16(data + 2 * i));
  }
  out.rate = fmt.rate;
  out.channels = fmt.channels;
  out.samples = std::move(samples);
  return true;
}

bool LoadWavFile(const std::string& path, WavData& out) {
  std::error_code ec;
  // Only regular files: opening a FIFO would block, and a folder reads as nonsense.
  if (!std::filesystem::is_regular_file(path, ec) || ec) return false;
  uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size < 12 || size > static_cast<uintmax_t>(MAX_WAV_FILE_BYTES)) return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return ParseWav(bytes.data(), got, out);
}
