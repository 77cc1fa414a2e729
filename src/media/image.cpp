// Loading, creating and freeing images; their sizes and handle points.
#include "media/image.h"

#include <algorithm>
#include <cstring>

#include "media/display_state.h"
#include "media/draw_state.h"
#include "media/png_io.h"

namespace {

constexpr int PACK_WIDTH = 4096;  // widest packed picture before frames wrap onto a new row

// Pure black becomes transparent in masked images whose file has no alpha of its own.
void MaskBlack(PngPicture& pic) {
  for (size_t i = 0; i < pic.rgba.size(); i += 4)
    if (pic.rgba[i] == 0 && pic.rgba[i + 1] == 0 && pic.rgba[i + 2] == 0) pic.rgba[i + 3] = 0;
}

bool LoadPicture(const std::string& path, int flags, PngPicture& pic) {
  if (!ReadPng(path, pic)) return false;
  if ((flags & IMAGE_MASKED) && !pic.hadAlpha) MaskBlack(pic);
  return true;
}

}  // namespace

void Image::SetFrame(int f, const uint8_t* src, int srcStrideBytes) {
  const int tw = tex.w;
  const int x0 = FrameX(f) - 1, y0 = FrameY(f) - 1;
  uint8_t* base = tex.pixels.data();
  auto px = [&](int x, int y) { return base + (static_cast<size_t>(y) * static_cast<size_t>(tw) + static_cast<size_t>(x)) * 4; };
  for (int y = 0; y < h; ++y) std::memcpy(px(x0 + 1, y0 + 1 + y), src + static_cast<size_t>(y) * static_cast<size_t>(srcStrideBytes), static_cast<size_t>(w) * 4);
  for (int y = 1; y <= h; ++y) {
    std::memcpy(px(x0, y0 + y), px(x0 + 1, y0 + y), 4);
    std::memcpy(px(x0 + w + 1, y0 + y), px(x0 + w, y0 + y), 4);
  }
  std::memcpy(px(x0, y0), px(x0, y0 + 1), static_cast<size_t>(w + 2) * 4);
  std::memcpy(px(x0, y0 + h + 1), px(x0, y0 + h), static_cast<size_t>(w + 2) * 4);
  FindInk(f);
  tex.Touch();
}

void Image::FindInk(int f) {
  int x0 = w, y0 = h, x1 = 0, y1 = 0;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = &tex.pixels[(static_cast<size_t>(FrameY(f) + y) * static_cast<size_t>(tex.w) + static_cast<size_t>(FrameX(f))) * 4];
    for (int x = 0; x < w; ++x)
      if (row[x * 4 + 3] != 0) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x + 1);
        y0 = std::min(y0, y);
        y1 = y + 1;
      }
  }
  if (tex.filtered && x1 > x0) {  // bilinear sampling reaches one texel further
    x0 = std::max(0, x0 - 1);
    y0 = std::max(0, y0 - 1);
    x1 = std::min(w, x1 + 1);
    y1 = std::min(h, y1 + 1);
  }
  rects[static_cast<size_t>(f)].ink = Rect(f, x0, y0, x1, y1);
}

Image::FrameRect Image::Rect(int f, int x0, int y0, int x1, int y1) const {
  const float fx = static_cast<float>(FrameX(f)), fy = static_cast<float>(FrameY(f));
  const float tw = static_cast<float>(tex.w), th = static_cast<float>(tex.h);
  return FrameRect{x0, y0, x1, y1, (fx + static_cast<float>(x0)) / tw, (fy + static_cast<float>(y0)) / th,
                   (fx + static_cast<float>(x1)) / tw, (fy + static_cast<float>(y1)) / th};
}

uint32_t Image::PixelArgb(int f, int x, int y) const {
  const uint8_t* p = &tex.pixels[(static_cast<size_t>(FrameY(f) + y) * static_cast<size_t>(tex.w) + static_cast<size_t>(FrameX(f) + x)) * 4];
  return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

std::unique_ptr<Image> NewImage(int w, int h, int frames, int flags) {
  if (w <= 0 || h <= 0 || frames <= 0 || w > PNG_MAX_SIDE || h > PNG_MAX_SIDE) return nullptr;
  const int cols = std::clamp(PACK_WIDTH / (w + 2), 1, frames);
  const int rows = (frames + cols - 1) / cols;
  const int64_t tw = int64_t{cols} * (w + 2), th = int64_t{rows} * (h + 2);
  if (th > PNG_MAX_SIDE + 2 || tw * th * 4 > PNG_MAX_BYTES) return nullptr;
  auto img = std::make_unique<Image>();
  img->w = w;
  img->h = h;
  img->frames = frames;
  img->cols = cols;
  img->flags = flags;
  img->tex.w = static_cast<int>(tw);
  img->tex.h = static_cast<int>(th);
  img->tex.filtered = (flags & IMAGE_FILTERED) != 0;
  img->tex.pixels.assign(static_cast<size_t>(tw * th * 4), 0);
  img->rects.resize(static_cast<size_t>(frames));  // clear: no ink yet
  for (int f = 0; f < frames; ++f) img->rects[static_cast<size_t>(f)].whole = img->Rect(f, 0, 0, w, h);
  if (CurrentDrawState().autoMid) {
    img->hx = static_cast<float>(w) / 2;
    img->hy = static_cast<float>(h) / 2;
  }
  return img;
}

int LoadImage(const std::string& path, int flags) {
  PngPicture pic;
  if (!LoadPicture(path, flags, pic)) return LoadFailed(path);
  auto img = NewImage(pic.w, pic.h, 1, flags);
  if (!img) return LoadFailed(path);
  img->SetFrame(0, pic.rgba.data(), pic.w * 4);
  return RegisterObject(std::move(img));
}

int LoadAnimImage(const std::string& path, int cw, int ch, int first, int count, int flags) {
  if (cw <= 0 || ch <= 0 || first < 0 || count <= 0) return 0;
  PngPicture pic;
  if (!LoadPicture(path, flags, pic)) return LoadFailed(path);
  const int across = pic.w / cw, down = pic.h / ch;
  // Too few cells: a cut or wrong file, which the caller must hear of like a missing one.
  if (int64_t{first} + count > int64_t{across} * down) return LoadFailed(path);
  auto img = NewImage(cw, ch, count, flags);
  if (!img) return LoadFailed(path);
  for (int k = 0; k < count; ++k) {
    const int cell = first + k;
    const uint8_t* src = pic.rgba.data() + (static_cast<size_t>(cell / across) * static_cast<size_t>(ch) * static_cast<size_t>(pic.w) +
                                            static_cast<size_t>(cell % across) * static_cast<size_t>(cw)) * 4;
    img->SetFrame(k, src, pic.w * 4);
  }
  return RegisterObject(std::move(img));
}

int LoadPixelImage(const std::string& path) {
  PngPicture pic;
  if (!LoadPicture(path, 0, pic)) return LoadFailed(path);
  auto img = NewImage(pic.w, pic.h, 1, 0);
  if (!img) return LoadFailed(path);
  img->readable = true;
  img->SetFrame(0, pic.rgba.data(), pic.w * 4);
  return RegisterObject(std::move(img));
}

int CreateImage(int w, int h, int frames, int flags) {
  auto img = NewImage(w, h, frames, flags);
  return img ? RegisterObject(std::move(img)) : 0;
}

void FreeImage(int image) {
  Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  if (!img) return;
  FlushIfUsing(img->tex);
  if (LookupObject(img->lockedPixmap, ObjectKind::PIXMAP)) ReleaseObject(img->lockedPixmap);
  ReleaseObject(image);
}

int ImageWidth(int image) {
  const Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  return img ? img->w : 0;
}

int ImageHeight(int image) {
  const Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  return img ? img->h : 0;
}

int ImageFrames(int image) {
  const Image* img = Lookup<Image>(image, ObjectKind::IMAGE);
  return img ? img->frames : 0;
}

void SetImageHandle(int image, float x, float y) {
  if (Image* img = Lookup<Image>(image, ObjectKind::IMAGE)) {
    img->hx = x;
    img->hy = y;
  }
}

void AutoMidHandle(bool on) { CurrentDrawState().autoMid = on; }
