// The WAV reader: the supported PCM formats decode to the right samples whatever the chunk
// layout, and every damaged or unsupported file is refused without reading past its end.
#include <gtest/gtest.h>

#include "media/wav.h"
#include "wav_fixture.h"

namespace {

bool Parse(const Bytes& b, WavData& out) { return ParseWav(b.data(), b.size(), out); }
Bytes DropLast(Bytes b, size_t n) {
  b.resize(b.size() - n);
  return b;
}

TEST(Wav, DecodesEachPcmFormat) {
  struct Case {
    const char* name;
    int channels, bits, rate;
    Bytes data;
    std::vector<int16_t> samples;  // expected, interleaved
  } cases[] = {
      // 8-bit is unsigned around 128 and widens to 16 bits
      {"8-bit mono", 1, 8, 8000, {0, 128, 255}, {-32768, 0, 32512}},
      {"8-bit stereo", 2, 8, 11025, {0, 255, 128, 129}, {-32768, 32512, 0, 256}},
      {"16-bit mono", 1, 16, 22050, Pcm16({1, -1, 32767, -32768}), {1, -1, 32767, -32768}},
      {"16-bit stereo", 2, 16, 44100, Pcm16({100, -100, 200, -200}), {100, -100, 200, -200}},
      {"16-bit 48 kHz", 1, 16, 48000, Pcm16({7}), {7}},
      // a partial frame at the end is dropped
      {"16-bit stereo, 1.5 frames", 2, 16, 8000, Cat({Pcm16({5, 6}), Pcm16({7})}), {5, 6}},
      {"8-bit mono, empty", 1, 8, 8000, {}, {}},
  };
  for (const Case& c : cases) {
    WavData w;
    ASSERT_TRUE(Parse(Riff(Cat({Chunk("fmt ", Fmt(c.channels, c.rate, c.bits)), Chunk("data", c.data)})), w))
        << c.name;
    EXPECT_EQ(w.channels, c.channels) << c.name;
    EXPECT_EQ(w.rate, c.rate) << c.name;
    EXPECT_EQ(w.samples, c.samples) << c.name;
    EXPECT_EQ(w.Frames(), static_cast<int64_t>(c.samples.size()) / c.channels) << c.name;
  }
}

TEST(Wav, AcceptsEveryChunkLayout) {
  const Bytes fmt = Chunk("fmt ", Fmt(1, 8000, 16));
  // 7 bytes: a partial frame to drop, and a pad byte after it
  const Bytes data = Chunk("data", Cat({Pcm16({10, 20, 30}), Bytes{0x55}}));
  const Bytes list = Chunk("LIST", {'a', 'b', 'c'});     // unknown, odd size
  struct Case {
    const char* name;
    Bytes file;
  } cases[] = {
      {"plain", Riff(Cat({fmt, data}))},
      {"unknown chunk first", Riff(Cat({list, fmt, data}))},
      {"unknown chunk between", Riff(Cat({fmt, Chunk("fact", {1, 0, 0, 0}), data}))},
      {"data before fmt", Riff(Cat({data, fmt}))},
      {"extensible PCM", Riff(Cat({Chunk("fmt ", FmtExtensible(1, 8000, 16, 1)), data}))},
      {"fmt with extra bytes", Riff(Cat({Chunk("fmt ", Cat({Fmt(1, 8000, 16), Bytes{0, 0}})), data}))},
      {"junk after the RIFF", Cat({Riff(Cat({fmt, data})), Bytes{'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0xFF}})},
      {"pad byte missing at the end", DropLast(Riff(Cat({fmt, data})), 1)},
  };
  for (const Case& c : cases) {
    WavData w;
    ASSERT_TRUE(Parse(c.file, w)) << c.name;
    EXPECT_EQ(w.samples, (std::vector<int16_t>{10, 20, 30})) << c.name;
  }
}

TEST(Wav, RefusesDamagedAndUnsupportedFiles) {
  const Bytes fmt = Chunk("fmt ", Fmt(1, 8000, 16));
  const Bytes data = Chunk("data", Pcm16({1, 2, 3, 4}));
  const Bytes good = Riff(Cat({fmt, data}));
  const std::string text = "This is a text file, certainly not a sound.";
  struct Case {
    const char* name;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"text", Bytes(text.begin(), text.end())},
      {"RIFF of another kind", Cat({Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, fmt, data})},
      {"header only", Bytes(good.begin(), good.begin() + 12)},
      {"cut inside fmt", Bytes(good.begin(), good.begin() + 24)},
      {"cut inside data", Bytes(good.begin(), good.end() - 3)},
      {"no data", Riff(fmt)},
      {"no fmt", Riff(data)},
      {"fmt size absurd", Riff(Cat({Chunk("fmt ", Fmt(1, 8000, 16), 0xFFFFFFF0), data}))},
      {"data size absurd", Riff(Cat({fmt, Chunk("data", Pcm16({1, 2}), 0xFFFFFFF0)}))},
      {"unknown chunk size absurd", Riff(Cat({Chunk("LIST", {1, 2}, 0x7FFFFFFF), fmt, data}))},
      {"RIFF size absurd, data cut", Riff(Cat({fmt, Chunk("data", Pcm16({1, 2}), 400)}), 0xFFFFFFFF)},
      {"fmt too short", Riff(Cat({Chunk("fmt ", DropLast(Fmt(1, 8000, 16), 2)), data}))},
      {"float samples", Riff(Cat({Chunk("fmt ", Fmt(1, 8000, 32, 3)), data}))},
      {"ADPCM", Riff(Cat({Chunk("fmt ", Fmt(1, 8000, 4, 2, 256)), data}))},
      {"24-bit", Riff(Cat({Chunk("fmt ", Fmt(1, 8000, 24)), data}))},
      {"no channels", Riff(Cat({Chunk("fmt ", Fmt(0, 8000, 16)), data}))},
      {"four channels", Riff(Cat({Chunk("fmt ", Fmt(4, 8000, 16)), data}))},
      {"block align wrong", Riff(Cat({Chunk("fmt ", Fmt(1, 8000, 16, 1, 3)), data}))},
      {"rate 0", Riff(Cat({Chunk("fmt ", Fmt(1, 0, 16)), data}))},
      {"rate absurd", Riff(Cat({Chunk("fmt ", Fmt(1, 100000000, 16)), data}))},
      {"extensible float", Riff(Cat({Chunk("fmt ", FmtExtensible(1, 8000, 16, 3)), data}))},
  };
  for (const Case& c : cases) {
    WavData w;
    w.rate = 123;
    EXPECT_FALSE(Parse(c.file, w)) << c.name;
    EXPECT_EQ(w.rate, 123) << c.name << ": a refused file leaves the output alone";
  }
  WavData w;
  EXPECT_FALSE(ParseWav(nullptr, 100, w));
}

// Every prefix and thousands of corrupted copies of a file: the reader must never crash or read
// out of bounds (the sanitizer build watches), and a file it accepts can only have shrunk.
TEST(Wav, SurvivesTruncationAndCorruption) {
  const Bytes file = Riff(Cat({Chunk("LIST", {'x', 'y', 'z'}), Chunk("fmt ", Fmt(2, 8000, 16)),
                              Chunk("data", Pcm16({1, 2, 3, 4, 5, 6, 7, 8}))}));
  for (size_t n = 0; n <= file.size(); ++n) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    WavData w;
    EXPECT_EQ(Parse(cut, w), n == file.size()) << "cut at " << n;
  }
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 5000; ++round) {
    Bytes bad = file;
    for (int k = 0; k < 3; ++k) bad[(next() >> 8) % bad.size()] = static_cast<uint8_t>(next() >> 16);
    WavData w;
    if (Parse(bad, w)) {
      EXPECT_LE(w.samples.size(), bad.size());
    }
  }
}

TEST(Wav, LoadsOnlyRegularReadableFiles) {
  auto dir = TestFolder("wav");
  WavData w;
  EXPECT_TRUE(LoadWavFile(WriteFile(dir / "good.wav", ConstantWav(10, 8000)), w));
  EXPECT_EQ(w.Frames(), 10);
  struct Case {
    const char* name;
    std::string path;
  } cases[] = {
      {"missing", (dir / "missing.wav").string()},
      {"folder", dir.string()},
      {"empty name", ""},
      {"damaged", WriteFile(dir / "bad.wav", {'R', 'I', 'F', 'F', 1, 2})},
  };
  for (const Case& c : cases) EXPECT_FALSE(LoadWavFile(c.path, w)) << c.name;
  std::filesystem::remove_all(dir);
}

}  // namespace
