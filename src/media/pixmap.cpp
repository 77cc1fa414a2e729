// Back-buffer grabs: GrabPixmap and GrabImage. The pixels of pixmaps and locked images are in
// pixmap_pixels.cpp.
#include "media/pixmap.h"

#include <algorithm>
#include <cmath>

#include "media/display_state.h"
#include "media/draw_state.h"
#include "media/image.h"
#include "media/png_io.h"

namespace {

// Reads real pixels (x, y, w, h) of the back buffer into out; the part outside it stays black.
void ReadBackBuffer(int x, int y, int w, int h, std::vector<uint32_t>& out) {
  out.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0xFF000000u);
  GfxState& g = Gfx();
  if (!g.renderer) return;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, g.realW), y1 = std::min(y + h, g.realH);
  if (x1 <= x0 || y1 <= y0) return;
  FlushBatch();
  std::vector<uint32_t> part(static_cast<size_t>(x1 - x0) * static_cast<size_t>(y1 - y0));
  g.renderer->ReadPixels(x0, y0, x1 - x0, y1 - y0, part.data());
  for (int row = y0; row < y1; ++row)
    std::copy_n(&part[static_cast<size_t>(row - y0) * static_cast<size_t>(x1 - x0)], x1 - x0,
                &out[static_cast<size_t>(row - y) * static_cast<size_t>(w) + static_cast<size_t>(x0 - x)]);
}

}  // namespace

int GrabPixmap(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0 || w > PNG_MAX_SIDE || h > PNG_MAX_SIDE) return 0;
  auto pm = std::make_unique<Pixmap>();
  pm->w = w;
  pm->h = h;
  if (GfxHeadless()) {
    DrawRecord rec = RecordWithState(DrawRecord::GRAB);
    rec.x = static_cast<float>(x);
    rec.y = static_cast<float>(y);
    rec.w = static_cast<float>(w);
    rec.h = static_cast<float>(h);
    HeadlessRecordDraw(rec);
    pm->argb.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0xFF000000u);  // nothing is rendered
  } else {
    if (!Gfx().renderer) return 0;
    ReadBackBuffer(x, y, w, h, pm->argb);
  }
  return RegisterObject(std::move(pm));
}

void GrabImage(int image, int x, int y, int frame) {
  Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  if (!img || frame < 0 || frame >= img->frames) return;
  if (GfxHeadless()) {
    DrawRecord rec = RecordWithState(DrawRecord::GRAB);
    rec.image = image;
    rec.cell = frame;
    rec.x = static_cast<float>(x);
    rec.y = static_cast<float>(y);
    rec.w = static_cast<float>(img->w);
    rec.h = static_cast<float>(img->h);
    HeadlessRecordDraw(rec);
    return;
  }
  GfxState& g = Gfx();
  if (!g.renderer) return;
  // The frame takes real pixels one for one, from the real point under the logical (x, y).
  const int rx = static_cast<int>(std::lround(static_cast<float>(x) * g.vx));
  const int ry = static_cast<int>(std::lround(static_cast<float>(y) * g.vy));
  std::vector<uint32_t> argb;
  ReadBackBuffer(rx, ry, img->w, img->h, argb);
  FlushIfUsing(img->tex);
  std::vector<uint8_t> rgba(argb.size() * 4);
  for (size_t i = 0; i < argb.size(); ++i) {
    rgba[i * 4 + 0] = static_cast<uint8_t>(argb[i] >> 16);
    rgba[i * 4 + 1] = static_cast<uint8_t>(argb[i] >> 8);
    rgba[i * 4 + 2] = static_cast<uint8_t>(argb[i]);
    rgba[i * 4 + 3] = 255;
  }
  img->SetFrame(frame, rgba.data(), img->w * 4);
}
