// Our own RIFF/WAVE reader: uncompressed PCM, 8- or 16-bit, mono or stereo. Every size in the
// file is checked against the bytes actually present, so a damaged file is refused, never read
// past its end, and never makes the reader allocate more than the file itself holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct WavData {
  int rate = 0;                  // frames per second
  int channels = 0;              // 1 or 2
  std::vector<int16_t> samples;  // interleaved; 8-bit data is widened to 16 bits
  int64_t Frames() const { return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0; }
};

// Largest WAV file we read into memory (about 90 seconds of CD-quality stereo; the game's sounds
// last a few seconds): a file beyond it is refused before any of it is read.
constexpr int64_t MAX_WAV_FILE_BYTES = 16LL * 1024 * 1024;

// Decodes a whole WAV file held in memory. False (and `out` untouched) when the bytes are not a
// PCM WAV of a supported format, or any chunk runs past the end of the bytes.
bool ParseWav(const uint8_t* bytes, size_t size, WavData& out);
// Reads and decodes a file. False when it is missing, not a regular file, larger than
// MAX_WAV_FILE_BYTES or not a supported WAV.
bool LoadWavFile(const std::string& path, WavData& out);
