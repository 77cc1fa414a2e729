// Images: frames of equal size packed into one picture (a grid of cells, each with a one-pixel
// border copied from its edge so bilinear sampling never bleeds from a neighbour), a handle point,
// and for readable images a locked pixmap.
#pragma once

#include <cstdint>
#include <vector>

#include "media/internal.h"
#include "media/render_batch.h"

struct Image final : MediaObject {
  ObjectKind Kind() const override { return ObjectKind::IMAGE; }
  int64_t Bytes() const override { return static_cast<int64_t>(tex.pixels.size()); }

  int w = 0, h = 0, frames = 0;
  int cols = 1;        // frames per row of the packed picture
  float hx = 0, hy = 0;  // handle point
  int flags = 0;
  bool readable = false;
  int lockedPixmap = 0;
  TexSource tex;
  // A rectangle of a frame: [x0, x1) x [y0, y1) in the frame's texels (empty when x1 <= x0), and
  // the same in texture coordinates.
  struct FrameRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
  };
  // Per frame: the whole frame, and its ink (the texels with any alpha, one more around them when
  // filtered), worked out when the frame's pixels change.
  struct FrameRects {
    FrameRect whole, ink;
  };
  std::vector<FrameRects> rects;

  // Top-left pixel of frame f inside the packed picture.
  int FrameX(int f) const { return (f % cols) * (w + 2) + 1; }
  int FrameY(int f) const { return (f / cols) * (h + 2) + 1; }
  // Copies a w x h block of RGBA rows into frame f and refreshes its border and its ink.
  void SetFrame(int f, const uint8_t* src, int srcStrideBytes);
  void FindInk(int f);
  FrameRect Rect(int f, int x0, int y0, int x1, int y1) const;
  uint32_t PixelArgb(int f, int x, int y) const;
};

// A new empty image of `frames` frames of w x h (nullptr when the size is absurd). The handle is
// the frame centre when automatic mid-handling is on.
std::unique_ptr<Image> NewImage(int w, int h, int frames, int flags);
