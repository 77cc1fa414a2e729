// Pixmaps in memory: LockImage / UnlockImage of readable images, ReadPixel, SavePixmapPNG. Kept
// apart from the back-buffer grabs, so that the level reader needs no display.
#include <string>

#include "media/image.h"
#include "media/media.h"
#include "media/pixmap.h"
#include "media/png_io.h"

int LockImage(int image) {
  Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  if (!img || !img->readable) return 0;
  if (LookupObject(img->lockedPixmap, ObjectKind::PIXMAP)) return img->lockedPixmap;
  auto pm = std::make_unique<Pixmap>();
  pm->w = img->w;
  pm->h = img->h;
  pm->argb.resize(static_cast<size_t>(img->w) * static_cast<size_t>(img->h));
  for (int y = 0; y < img->h; ++y)
    for (int x = 0; x < img->w; ++x) pm->argb[static_cast<size_t>(y) * static_cast<size_t>(img->w) + static_cast<size_t>(x)] = img->PixelArgb(0, x, y);
  img->lockedPixmap = RegisterObject(std::move(pm));
  return img->lockedPixmap;
}

void UnlockImage(int image) {
  Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  if (!img || !img->lockedPixmap) return;
  if (LookupObject(img->lockedPixmap, ObjectKind::PIXMAP)) ReleaseObject(img->lockedPixmap);
  img->lockedPixmap = 0;
}

int PixmapWidth(int pixmap) {
  const Pixmap* pm = Lookup<Pixmap>(pixmap, ObjectKind::PIXMAP);
  return pm ? pm->w : 0;
}

int PixmapHeight(int pixmap) {
  const Pixmap* pm = Lookup<Pixmap>(pixmap, ObjectKind::PIXMAP);
  return pm ? pm->h : 0;
}

uint32_t ReadPixel(int pixmap, int x, int y) {
  const Pixmap* pm = Lookup<Pixmap>(pixmap, ObjectKind::PIXMAP);
  if (!pm || x < 0 || y < 0 || x >= pm->w || y >= pm->h) return 0;
  return pm->argb[static_cast<size_t>(y) * static_cast<size_t>(pm->w) + static_cast<size_t>(x)];
}

int SavePixmapPNG(int pixmap, const std::string& path, int level) {
  const Pixmap* pm = Lookup<Pixmap>(pixmap, ObjectKind::PIXMAP);
  if (!pm) return 0;
  return WritePngArgb(path, pm->argb.data(), pm->w, pm->h, level) ? 1 : 0;
}

void FreePixmap(int pixmap) {
  if (Lookup<Pixmap>(pixmap, ObjectKind::PIXMAP)) ReleaseObject(pixmap);
}
