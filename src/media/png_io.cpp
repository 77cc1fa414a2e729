// libpng glue. Errors come back through longjmp into the small functions that hold nothing but
// plain pointers, so no C++ object lives across a setjmp.
#include "media/png_io.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

struct ReadJob {
  FILE* file;
  PngPicture* pic;
  std::vector<png_bytep>* rows;
};

// Returns false on any libpng error. Everything it allocates is owned by the job's objects.
bool ReadInto(png_structp png, png_infop info, ReadJob* job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, job->file);
  png_set_user_limits(png, PNG_MAX_SIDE, PNG_MAX_SIDE);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  if (w == 0 || h == 0 || w > PNG_MAX_SIDE || h > PNG_MAX_SIDE || int64_t{w} * h * 4 > PNG_MAX_READ_BYTES) return false;
  const int colour = png_get_color_type(png, info);
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  job->pic->hadAlpha = trns || (colour & PNG_COLOR_MASK_ALPHA) != 0;
  png_set_expand(png);  // palette, low-bit grey and tRNS to 8-bit RGB(A)
  png_set_strip_16(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (!trns && (colour & PNG_COLOR_MASK_ALPHA) == 0) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{w} * 4) return false;
  job->pic->w = static_cast<int>(w);
  job->pic->h = static_cast<int>(h);
  job->pic->rgba.resize(size_t{w} * h * 4);
  job->rows->resize(h);
  for (png_uint_32 y = 0; y < h; ++y) (*job->rows)[y] = job->pic->rgba.data() + size_t{y} * w * 4;
  png_read_image(png, job->rows->data());
  png_read_end(png, nullptr);
  return true;
}

struct WriteJob {
  FILE* file;
  const uint32_t* argb;  // the pixels: ARGB words, or else
  const uint8_t* rgba;   // RGBA bytes, written as they are
  int w, h, level;
  std::vector<png_byte>* row;
};

// The row y as libpng wants it: RGBA bytes.
png_const_bytep RgbaRow(const WriteJob& job, int y) {
  const size_t first = static_cast<size_t>(y) * static_cast<size_t>(job.w);
  if (job.rgba) return job.rgba + first * 4;
  std::vector<png_byte>& row = *job.row;
  for (int x = 0; x < job.w; ++x) {
    const uint32_t p = job.argb[first + static_cast<size_t>(x)];
    png_byte* d = &row[static_cast<size_t>(x) * 4];
    d[0] = static_cast<png_byte>(p >> 16);
    d[1] = static_cast<png_byte>(p >> 8);
    d[2] = static_cast<png_byte>(p);
    d[3] = static_cast<png_byte>(p >> 24);
  }
  return row.data();
}

bool WriteFrom(png_structp png, png_infop info, WriteJob* job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, job->file);
  png_set_compression_level(png, job->level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(job->w), static_cast<png_uint_32>(job->h), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < job->h; ++y) png_write_row(png, RgbaRow(*job, y));
  png_write_end(png, nullptr);
  return true;
}

bool WritePngFile(const std::string& path, WriteJob job) {
  if ((!job.argb && !job.rgba) || job.w <= 0 || job.h <= 0 || path.empty()) return false;
  const std::string tmp = path + ".tmp";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(job.w) * 4);
  bool ok = false;
  if (png && info) {
    job.file = f;
    job.level = std::clamp(job.level, 0, 9);
    job.row = &row;
    ok = WriteFrom(png, info, &job);
  }
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  ok = std::fflush(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
  std::remove(tmp.c_str());
  return false;
}

// Only plain files: a FIFO in an image's place would block the open, a folder reads as nonsense.
FILE* OpenPlainFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  FILE* f = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? ::fdopen(fd, "rb") : nullptr;
  if (!f) ::close(fd);
  return f;
}

}  // namespace

bool ReadPng(const std::string& path, PngPicture& out) {
  FILE* f = OpenPlainFile(path);
  if (!f) return false;
  png_byte sig[8];
  if (std::fread(sig, 1, 8, f) != 8 || png_sig_cmp(sig, 0, 8) != 0) {
    std::fclose(f);
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  PngPicture pic;
  std::vector<png_bytep> rows;
  bool ok = false;
  if (png && info) {
    png_set_sig_bytes(png, 8);
    ReadJob job{f, &pic, &rows};
    ok = ReadInto(png, info, &job);
  }
  png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
  std::fclose(f);
  if (ok) out = std::move(pic);
  return ok;
}

bool WritePngArgb(const std::string& path, const uint32_t* argb, int w, int h, int level) {
  return WritePngFile(path, WriteJob{nullptr, argb, nullptr, w, h, level, nullptr});
}

bool WritePngRgba(const std::string& path, const uint8_t* rgba, int w, int h, int level) {
  return WritePngFile(path, WriteJob{nullptr, nullptr, rgba, w, h, level, nullptr});
}
