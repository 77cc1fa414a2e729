// The WAV reader, on bytes in memory and through the file path the game loads sounds by. A
// sound it accepts never holds more samples than the file has bytes.
#include <cstdint>

#include "fuzz_file.h"
#include "media/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WavData mem;
  const bool ok = ParseWav(data, size, mem);
  if (ok) {
    fuzz::Check(mem.channels == 1 || mem.channels == 2, "mono or stereo");
    fuzz::Check(mem.samples.size() <= size, "no more samples than bytes");
    fuzz::Check(mem.samples.size() % static_cast<size_t>(mem.channels) == 0, "whole frames");
  }
  WavData file;
  fuzz::Check(LoadWavFile(fuzz::PutFile("sound.wav", data, size), file) == ok, "file and memory agree");
  if (ok) fuzz::Check(file.samples == mem.samples && file.rate == mem.rate, "file and memory agree");
  return 0;
}
