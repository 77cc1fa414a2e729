// Level images through the real PNG path and the level decoder: any file either decodes or is
// refused, and a decoded block keeps its cells, walkers and hat stock within the game's rules.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_file.h"
#include "game/cells.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "media/media.h"

// This program opens no display, so nothing is ever batched for drawing.
void FlushIfUsing(const struct TexSource&) {}
// Nor plays, so a level load has no effects of a last level to clear.
void ClearLevelEffects() {}
// Nor steps a level, so there is no attempt to record: the decoder is what is tested here.
void BeginLevelRecord() {}

namespace {

// The input with every whole chunk's checksum made right, so that mutations reach the decoder
// instead of stopping at the first checksum.
std::vector<uint8_t> WithGoodChecksums(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out(data, data + size);
  for (size_t pos = 8; pos + 12 <= size;) {
    const uint64_t len = uint64_t{out[pos]} << 24 | uint64_t{out[pos + 1]} << 16 | uint64_t{out[pos + 2]} << 8 | out[pos + 3];
    if (len > size - pos - 12) break;
    const uLong crc = crc32(0, out.data() + pos + 4, static_cast<uInt>(len + 4));
    for (int i = 0; i < 4; ++i) out[pos + 8 + len + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    pos += 12 + len;
  }
  return out;
}

void Decode(const uint8_t* data, size_t size) {
  const std::string path = fuzz::PutFile("Soft.png", data, size);
  const int image = LoadPixelImage(path);
  const int blocks = image ? ImageHeight(image) / LEVEL_BLOCK : 0;
  if (image) FreeImage(image);
  // The first blocks, the last one and the one past the end, which must be refused.
  for (int level : {1, 2, blocks, blocks + 1}) {
    if (level < 1) continue;
    Walkers.Clear();
    WalkerCount = 0;
    for (int c = 1; c <= HAT_COLOURS; ++c) HatStock[c] = 0;
    const int result = DecodeLevel(path, level);
    if (level > blocks) {
      fuzz::Check(result == LEVEL_FAILED, "a block past the end is refused");
      continue;
    }
    fuzz::Check(result == LEVEL_OK, "a block of a readable image decodes");
    fuzz::Check(WalkerCount == Walkers.Count() && WalkerCount <= GRID_SIZE * GRID_SIZE, "one walker per cell at most");
    for (int c = 1; c <= HAT_COLOURS; ++c)
      fuzz::Check(HatStock[c] >= 0 && HatStock[c] <= HAT_STOCK_CAP, "hat stock within its cap");
    for (int y = 0; y < GRID_SIZE; ++y)
      for (int x = 0; x < GRID_SIZE; ++x) {
        const int v = Grid[y * GRID_STRIDE + x];
        fuzz::Check(v == 0 || v == 1 || v == 3 || v == 4 || (v >= 11 && v <= 16), "a cell of a decodable kind");
      }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Decode(data, size);
  const std::vector<uint8_t> fixed = WithGoodChecksums(data, size);
  if (!std::equal(fixed.begin(), fixed.end(), data)) Decode(fixed.data(), fixed.size());
  return 0;
}
