// The one PNG writer, from either pixel layout: what it writes reads back as it was given, the two
// layouts of one picture give the same file, and a write that cannot be done leaves nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/png_io.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PictureCase {
  const char* name;
  int w, h;
  std::vector<uint32_t> argb;  // w * h
};

class PngWrite : public testing::TestWithParam<PictureCase> {
 protected:
  void SetUp() override { dir_ = TestFolder("png_write"); }
  fs::path dir_;
};

TEST_P(PngWrite, EachLayoutReadsBackAsGivenAndBothWriteTheSameFile) {
  const PictureCase& c = GetParam();
  std::vector<uint8_t> rgba;
  for (uint32_t p : c.argb)
    rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p),
                             static_cast<uint8_t>(p >> 24)});
  const fs::path fromArgb = dir_ / "argb.png", fromRgba = dir_ / "rgba.png";
  ASSERT_TRUE(WritePngArgb(fromArgb.string(), c.argb.data(), c.w, c.h, 9));
  ASSERT_TRUE(WritePngRgba(fromRgba.string(), rgba.data(), c.w, c.h, 9));
  EXPECT_EQ(Bytes(fromArgb), Bytes(fromRgba));
  for (const fs::path& p : {fromArgb, fromRgba}) {
    PngPicture back;
    ASSERT_TRUE(ReadPng(p.string(), back)) << p;
    EXPECT_EQ(back.w, c.w);
    EXPECT_EQ(back.h, c.h);
    EXPECT_EQ(back.rgba, rgba) << p;
    EXPECT_TRUE(back.hadAlpha);
  }
  EXPECT_FALSE(fs::exists(dir_ / "argb.png.tmp"));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PngWrite,
                         testing::Values(PictureCase{"OnePixel", 1, 1, {0x80FF2040u}},
                                         PictureCase{"WideRow", 4, 1, {0xFF000000u, 0x00FFFFFFu, 0x7F102030u, 0xFFFFFFFFu}},
                                         PictureCase{"RowsTopFirst", 2, 3,
                                                     {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0x00000000u, 0x01020304u,
                                                      0xFEFDFCFBu}}),
                         [](const testing::TestParamInfo<PictureCase>& i) { return std::string(i.param.name); });

// Refused writes: nothing to write, no room, or no folder. None leaves a file or a temporary one.
TEST(PngWriteRefused, NothingIsLeftBehind) {
  const fs::path dir = TestFolder("png_refused");
  const uint32_t argb[1] = {0xFFFFFFFFu};
  const uint8_t rgba[4] = {255, 255, 255, 255};
  const std::string inside = (dir / "x.png").string(), nowhere = (dir / "missing" / "x.png").string();
  EXPECT_FALSE(WritePngArgb(inside, nullptr, 1, 1, 9));
  EXPECT_FALSE(WritePngRgba(inside, nullptr, 1, 1, 9));
  EXPECT_FALSE(WritePngArgb(inside, argb, 0, 1, 9));
  EXPECT_FALSE(WritePngRgba(inside, rgba, 1, -1, 9));
  EXPECT_FALSE(WritePngArgb(nowhere, argb, 1, 1, 9));
  EXPECT_FALSE(WritePngRgba("", rgba, 1, 1, 9));
  EXPECT_TRUE(fs::is_empty(dir));
}

}  // namespace
