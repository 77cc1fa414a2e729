// Pixmaps: ARGB pictures in memory (grabbed back buffers, locked readable images).
#pragma once

#include <cstdint>
#include <vector>

#include "media/internal.h"

struct Pixmap final : MediaObject {
  ObjectKind Kind() const override { return ObjectKind::PIXMAP; }
  int64_t Bytes() const override { return static_cast<int64_t>(argb.size() * sizeof(uint32_t)); }
  int w = 0, h = 0;
  std::vector<uint32_t> argb;  // rows top first, alpha in the top byte
};
