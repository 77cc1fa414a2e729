// The committed run-time assets: every image, sound and font that the engine and the game load is
// present with the cell size and count it is loaded with, the cells that the game draws are not
// empty, everything loads through the media layer as the program loads it, hats are neutral so
// the game's tint colours them, sounds are 16-bit PCM that neither clips nor runs long, and the
// generator reproduces the committed files byte for byte.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/icon_cells.h"
#include "media/media.h"
#include "media/wav.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;
const fs::path FILES = fs::path(TEST_SOURCE_DIR) / "assets" / "Files";

std::vector<uint8_t> ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}
uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]; }
uint16_t Le16(const uint8_t* p) { return uint16_t(p[1] << 8 | p[0]); }

// A minimal reader for the generator's PNGs (8-bit RGBA, not interlaced). Empty on anything else.
struct Rgba {
  int w = 0, h = 0;
  std::vector<uint8_t> px;
  const uint8_t* At(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }
};
Rgba ReadPng(const fs::path& p) {
  std::vector<uint8_t> b = ReadAll(p);
  static const uint8_t SIG[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (b.size() < 8 || !std::equal(SIG, SIG + 8, b.begin())) return {};
  Rgba img;
  std::vector<uint8_t> z;
  for (size_t at = 8; at + 12 <= b.size();) {
    uint32_t len = Be32(&b[at]);
    std::string type(b.begin() + long(at) + 4, b.begin() + long(at) + 8);
    if (at + 12 + len > b.size()) return {};
    const uint8_t* d = &b[at + 8];
    if (type == "IHDR") {
      if (d[8] != 8 || d[9] != 6 || d[12] != 0) return {};
      img.w = int(Be32(d)), img.h = int(Be32(d + 4));
    }
    if (type == "IDAT") z.insert(z.end(), d, d + len);
    at += 12 + len;
  }
  const size_t stride = size_t(img.w) * 4;
  std::vector<uint8_t> raw((stride + 1) * img.h);
  uLongf rawLen = uLongf(raw.size());
  if (img.w <= 0 || uncompress(raw.data(), &rawLen, z.data(), uLong(z.size())) != Z_OK || rawLen != raw.size()) return {};
  img.px.assign(stride * img.h, 0);
  for (int y = 0; y < img.h; y++) {
    const uint8_t* in = &raw[y * (stride + 1)];
    uint8_t* out = &img.px[y * stride];
    const uint8_t* up = y ? out - stride : nullptr;
    for (size_t i = 0; i < stride; i++) {
      int a = i >= 4 ? out[i - 4] : 0, u = up ? up[i] : 0, c = (i >= 4 && up) ? up[i - 4] : 0;
      int pred = 0;
      switch (in[0]) {
        case 1: pred = a; break;
        case 2: pred = u; break;
        case 3: pred = (a + u) / 2; break;
        case 4: {
          int pa = std::abs(u - c), pb = std::abs(a - c), pc = std::abs(a + u - 2 * c);
          pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? u : c);
          break;
        }
        default: break;
      }
      out[i] = uint8_t(in[1 + i] + pred);
    }
  }
  return img;
}
// Opaque pixels (alpha at least half: what a masked image draws) of one cell.
int DrawnPixels(const Rgba& img, int cw, int ch, int cell) {
  int cols = img.w / cw, x0 = (cell % cols) * cw, y0 = (cell / cols) * ch, n = 0;
  for (int y = y0; y < y0 + ch; y++)
    for (int x = x0; x < x0 + cw; x++) n += img.At(x, y)[3] >= 128;
  return n;
}

std::vector<int> Range(int a, int b) {
  std::vector<int> v;
  for (int i = a; i <= b; i++) v.push_back(i);
  return v;
}
std::vector<int> Cat(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
// Walker frames that some state draws, and the pointer hands.
const std::vector<int> WALKER = Cat(Cat(Cat(Range(0, 5), Range(10, 24)), Range(30, 47)), {90, 91});
const std::vector<int> HATS = Cat(Cat(Range(0, 5), Range(10, 24)), Range(30, 47));

struct ImageCase {
  const char* file;
  int cw, ch, count;         // cell size and count as loaded; 0 x 0 for a whole image
  std::vector<int> drawn;    // cells that the program draws
};
const ImageCase IMAGES[] = {
    // file                 cell      count  cells drawn
    {"Common/icons.png", 16, 16, ICON_CELLS, std::vector<int>(std::begin(ICONS_MADE), std::end(ICONS_MADE))},
    {"Common/logo.png", 0, 0, 1, {0}},
    {"Common/Kelvaro.png", 0, 0, 1, {0}},
    {"247/bg.png", 64, 64, 64, Cat(Range(0, 52), {56})},
    {"247/plonko.png", 64, 64, 100, WALKER},
    {"247/plonkohat.png", 64, 64, 100, HATS},
    {"247/grid.png", 0, 0, 1, {0}},
    {"247/boom.png", 8, 8, 64, Range(0, 63)},
    {"247/spurt.png", 0, 0, 1, {0}},
    {"247/logo.png", 0, 0, 1, {0}},
    {"247/bits.png", 256, 128, 8, {0, 1}},
    {"247/badges.png", 64, 64, 16, Range(0, 15)},
    {"247/ahat.png", 16, 16, 1, {0}},
};

TEST(Assets, ImagesHaveTheirCellsAndTheDrawnCellsShowSomething) {
  for (const ImageCase& c : IMAGES) {
    SCOPED_TRACE(c.file);
    Rgba img = ReadPng(FILES / c.file);
    ASSERT_GT(img.w, 0) << "missing or not an 8-bit RGBA PNG";
    int cw = c.cw ? c.cw : img.w, ch = c.ch ? c.ch : img.h;
    ASSERT_EQ(img.w % cw, 0);
    ASSERT_EQ(img.h % ch, 0);
    EXPECT_EQ((img.w / cw) * (img.h / ch), c.count);
    for (int cell : c.drawn) EXPECT_GT(DrawnPixels(img, cw, ch, cell), 0) << "cell " << cell;
  }
}

TEST(Assets, IconCellsOutsideTheTableAreClear) {
  // A picture drawn into a cell that the icon table does not name would never be drawn.
  Rgba icons = ReadPng(FILES / "Common/icons.png");
  ASSERT_GT(icons.w, 0);
  for (int cell = 0; cell < ICON_CELLS; cell++) {
    if (std::find(std::begin(ICONS_MADE), std::end(ICONS_MADE), cell) != std::end(ICONS_MADE)) continue;
    int seen = 0;
    for (int y = cell / 8 * 16; y < cell / 8 * 16 + 16; y++)
      for (int x = cell % 8 * 16; x < cell % 8 * 16 + 16; x++) seen += icons.At(x, y)[3] != 0;
    EXPECT_EQ(seen, 0) << "cell " << cell;
  }
}

TEST(Assets, ShapesTheGameReliesOn) {
  // One 64 x 64 ground block makes the 64 debris pieces; the grid repeats every 256 pixels
  // (512 at the scale of 2 it is drawn at); the pickup hat is 16 x 16.
  EXPECT_EQ(ReadPng(FILES / "247/boom.png").w, 64);
  EXPECT_EQ(ReadPng(FILES / "247/boom.png").h, 64);
  Rgba grid = ReadPng(FILES / "247/grid.png");
  EXPECT_EQ(grid.w, 256);
  EXPECT_EQ(grid.h, 256);
  for (int y = 0; y < grid.h; y++)
    for (int x = 0; x < grid.w; x++) ASSERT_GE(grid.At(x, y)[3], 128) << "the background has no holes";
  EXPECT_EQ(ReadPng(FILES / "247/ahat.png").w, 16);
  // The game tints hats by multiplication, so every hat pixel is a neutral grey.
  for (const char* file : {"247/plonkohat.png", "247/ahat.png"}) {
    Rgba img = ReadPng(FILES / file);
    for (int y = 0; y < img.h; y++)
      for (int x = 0; x < img.w; x++) {
        const uint8_t* p = img.At(x, y);
        if (p[3] < 128) continue;
        ASSERT_TRUE(std::abs(p[0] - p[1]) <= 2 && std::abs(p[1] - p[2]) <= 2) << file << " at " << x << "," << y;
      }
  }
}

TEST(Assets, ImagesLoadThroughTheMediaLayerAsTheProgramLoadsThem) {
  for (const ImageCase& c : IMAGES) {
    SCOPED_TRACE(c.file);
    const std::string path = (FILES / c.file).string();
    int img = c.cw ? LoadAnimImage(path, c.cw, c.ch, 0, c.count, IMAGE_MASKED | IMAGE_FILTERED)
                   : LoadImage(path, IMAGE_MASKED | IMAGE_FILTERED);
    ASSERT_NE(img, 0);
    EXPECT_EQ(ImageFrames(img), c.count);
    if (c.cw) {
      EXPECT_EQ(ImageWidth(img), c.cw);
      EXPECT_EQ(ImageHeight(img), c.ch);
    }
    FreeImage(img);
  }
}

struct SoundCase {
  const char* file;
  double maxSeconds;
};
const SoundCase SOUNDS[] = {
    {"Common/badgeget.wav", 3.0}, {"247/001.wav", 1.0}, {"247/002.wav", 1.0}, {"247/003.wav", 1.0},
    {"247/004.wav", 1.0},         {"247/005.wav", 1.0}, {"247/006.wav", 1.0}, {"247/007.wav", 1.0},
    {"247/008.wav", 1.0},         {"247/009.wav", 1.0}, {"247/010.wav", 1.0}, {"247/011.wav", 1.0},
};

TEST(Assets, SoundsAre16BitPcmAudibleUnclippedShortAndLoad) {
  for (const SoundCase& c : SOUNDS) {
    SCOPED_TRACE(c.file);
    std::vector<uint8_t> b = ReadAll(FILES / c.file);
    ASSERT_GE(b.size(), 44u);
    ASSERT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    ASSERT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
    uint32_t rate = 0;
    const uint8_t* data = nullptr;
    size_t dataLen = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
      std::string id(b.begin() + long(at), b.begin() + long(at) + 4);
      uint32_t len = Le32(&b[at + 4]);
      ASSERT_LE(at + 8 + len, b.size());
      if (id == "fmt ") {
        EXPECT_EQ(Le16(&b[at + 8]), 1) << "PCM";
        EXPECT_EQ(Le16(&b[at + 22]), 16) << "bits per sample";
        EXPECT_EQ(Le16(&b[at + 10]), 1) << "mono";
        rate = Le32(&b[at + 12]);
      }
      if (id == "data") data = &b[at + 8], dataLen = len;
      at += 8 + len + (len & 1);
    }
    ASSERT_GT(rate, 0u);
    ASSERT_NE(data, nullptr);
    size_t n = dataLen / 2;
    EXPECT_LT(double(n) / rate, c.maxSeconds);
    int peak = 0;
    for (size_t i = 0; i < n; i++) peak = std::max(peak, std::abs(int(int16_t(Le16(data + 2 * i)))));
    EXPECT_LT(peak, 32000) << "clipped";
    EXPECT_GT(peak, 8000) << "too quiet";
    int sound = LoadSound((FILES / c.file).string(), 0);
    EXPECT_NE(sound, 0) << "the media layer reads it";
    FreeSound(sound);
  }
}

// The music's samples: two drum kits of eight and three variants of each instrument.
std::vector<std::string> MusicSamples() {
  std::vector<std::string> files;
  for (int kit = 1; kit <= 2; ++kit)
    for (int n = 1; n <= 8; ++n) files.push_back("247/music/d" + std::to_string(kit) + "-" + std::to_string(n) + ".wav");
  for (const char* ins : {"bass", "lead", "accompany"})
    for (int n = 1; n <= 3; ++n) files.push_back(std::string("247/music/") + ins + std::to_string(n) + ".wav");
  return files;
}

// Each sample is 16-bit mono PCM under 1.5 s, peaks between -20 and -6 dBFS (five tracks and the
// effects add up without clipping), and begins and ends at silence (no click at either end).
TEST(Assets, MusicSamplesLeaveHeadroomAndStartAndEndClean) {
  for (const std::string& file : MusicSamples()) {
    SCOPED_TRACE(file);
    WavData w;
    ASSERT_TRUE(LoadWavFile((FILES / file).string(), w));
    EXPECT_EQ(w.channels, 1);
    EXPECT_LT(double(w.Frames()) / w.rate, 1.5);
    int peak = 0;
    for (int16_t v : w.samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_LE(peak, 16400) << "above -6 dBFS";
    EXPECT_GE(peak, 3300) << "below -20 dBFS";
    EXPECT_LT(std::abs(int(w.samples.front())), 100);
    EXPECT_LT(std::abs(int(w.samples.back())), 100);
    int sound = LoadSound((FILES / file).string(), 0);
    EXPECT_NE(sound, 0);
    FreeSound(sound);
  }
}

TEST(Assets, FontsAreTrueTypeUnderTheEngineNamesAndLoad) {
  for (const char* file : {"SVBasicManual.ttf", "Blue Highway.ttf", "Acknowledge TT QVT.ttf"}) {
    std::vector<uint8_t> b = ReadAll(FILES / "Common" / file);
    ASSERT_GE(b.size(), 4u) << file;
    EXPECT_EQ(Be32(b.data()), 0x00010000u) << file;
  }
  EXPECT_TRUE(fs::exists(FILES / "Common" / "FONTS-LICENSE.txt"));
  for (const char* file : {"SVBasicManual.ttf", "Blue Highway.ttf", "Acknowledge TT QVT.ttf"}) {
    int font = LoadFont((FILES / "Common" / file).string(), 24, FONT_SMOOTH);
    ASSERT_NE(font, 0) << file;
    SetFont(font);
    EXPECT_GT(TextWidth("Game Over 0123456789"), 100) << file;
    EXPECT_EQ(TextHeight("Game Over"), 24) << file;
    SetFont(0);
    FreeFont(font);
  }
}

TEST(Assets, TheGeneratorReproducesTheCommittedFiles) {
  const fs::path out = TestFolder("assets") / "out";
  const fs::path icons = TestFolder("assets") / "icons";
  std::string cmd = std::string("\"") + TOOLS_DIR + "/gen_assets\" \"" + out.string() + "\" --icons \"" + icons.string() +
                    "\" > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  int compared = 0;
  for (const auto& e : fs::recursive_directory_iterator(out)) {
    if (!e.is_regular_file()) continue;
    fs::path rel = fs::relative(e.path(), out);
    SCOPED_TRACE(rel.string());
    EXPECT_TRUE(ReadAll(e.path()) == ReadAll(FILES / rel)) << "differs from the committed file";
    compared++;
  }
  for (const ImageCase& c : IMAGES) EXPECT_TRUE(fs::exists(out / c.file)) << c.file;
  for (const SoundCase& c : SOUNDS) EXPECT_TRUE(fs::exists(out / c.file)) << c.file;
  for (const std::string& file : MusicSamples()) EXPECT_TRUE(fs::exists(out / file)) << file;
  EXPECT_EQ(compared, int(std::size(IMAGES) + std::size(SOUNDS) + MusicSamples().size()));
  // The desktop icons that the install ships, one per size.
  const fs::path committed = fs::path(TEST_SOURCE_DIR) / "assets" / "icons";
  int iconCount = 0;
  for (const auto& e : fs::recursive_directory_iterator(committed)) {
    if (!e.is_regular_file()) continue;
    const fs::path rel = fs::relative(e.path(), committed);
    EXPECT_TRUE(ReadAll(e.path()) == ReadAll(icons / rel)) << rel << " is not what the generator draws";
    iconCount++;
  }
  EXPECT_EQ(iconCount, 8);
}

}  // namespace
