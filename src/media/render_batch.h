// The CPU side of every drawing back end: pictures kept in memory (TexSource), the tessellator that
// turns a sprite, rectangle, line or glyph into one quad of four vertices in real pixels, and the
// frame-wide batch of vertices with its command list. A new command starts only when the texture,
// the blend mode or the primitive kind changes, so a frame of sprites of one image is one command.
//
// No platform header here: the tests exercise the maths and the batching directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One vertex, laid out exactly like SDL_Vertex (position, RGBA bytes, texture coordinate) so that
// the GL renderer and SDL_RenderGeometry read the same array.
struct Vertex {
  float x, y;
  uint8_t r, g, b, a;
  float u, v;
};
static_assert(sizeof(Vertex) == 20, "Vertex must match SDL_Vertex");

// How a picture's alpha is spread: every texel opaque, every texel opaque or clear, or anything.
enum TexAlpha { TEX_ALPHA_OPAQUE, TEX_ALPHA_BINARY, TEX_ALPHA_VARIED };

// A picture in memory (RGBA bytes, row by row) that the back ends turn into textures on first use.
// The back end fields belong to the back end that is open; they are dropped when it closes.
struct TexSource {
  TexSource();
  ~TexSource();
  TexSource(const TexSource&) = delete;
  TexSource& operator=(const TexSource&) = delete;

  int w = 0, h = 0;
  std::vector<uint8_t> pixels;  // w * h RGBA quadruples, or w * h alpha bytes when `coverage`
  bool coverage = false;        // white at the stored alpha (glyph atlases: a quarter of the memory)
  bool filtered = false;        // bilinear sampling, else nearest
  uint32_t version = 1;       // bumped whenever rgba changes; the texture is uploaded again

  // Back end state: an id or pointer per texture, and the version it holds.
  uint32_t glTex = 0;
  void* sdlTex = nullptr;
  void* sdlMaskTex = nullptr;  // alpha thresholded to 0 / 255 for the masked blend mode
  uint32_t uploaded = 0;
  uint32_t maskUploaded = 0;
  mutable int alphaKind = TEX_ALPHA_VARIED;  // Alpha()'s answer for version alphaChecked
  mutable uint32_t alphaChecked = 0;

  void Touch() { ++version; }
  // The picture's TexAlpha, worked out again only after a change.
  int Alpha() const;
  // The picture as RGBA bytes: the pixels themselves, or the coverage expanded into `scratch`.
  const uint8_t* Rgba(std::vector<uint8_t>& scratch) const;
};

// Calls fn for every live TexSource (the back end drops its textures when the display closes).
void ForEachTexSource(void (*fn)(TexSource& t, void* ctx), void* ctx);
// Called by ~TexSource so the open back end can release its texture (set by the display).
using TexReleaseHook = void (*)(TexSource& t);
void SetTexReleaseHook(TexReleaseHook hook);

enum PrimKind { PRIM_QUADS = 0 };

struct DrawCommand {
  const TexSource* tex;  // nullptr: untextured (rectangles, lines)
  int blend;             // BlendMode
  int kind;              // PrimKind
  uint32_t firstQuad;
  uint32_t quadCount;
};

// Everything the tessellator needs for one quad, in logical units. The quad's corners are
// (-hx, -hy) .. (w - hx, h - hy) about its handle, scaled by (sx, sy), rotated (cosr, sinr; screen y
// down, so positive angles turn clockwise), moved to (x, y) and scaled to real pixels by (vx, vy).
struct QuadGeom {
  float x = 0, y = 0;
  float w = 0, h = 0;
  float hx = 0, hy = 0;
  float sx = 1, sy = 1;
  float cosr = 1, sinr = 0;
  float vx = 1, vy = 1;
};
struct QuadPaint {
  uint8_t r = 255, g = 255, b = 255, a = 255;
  float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};
// Writes the corners in the order top-left, top-right, bottom-right, bottom-left (before rotation).
inline void TessellateQuad(Vertex* out, const QuadGeom& g, const QuadPaint& p) {
  const float lx0 = -g.hx * g.sx, ly0 = -g.hy * g.sy;
  const float lx1 = (g.w - g.hx) * g.sx, ly1 = (g.h - g.hy) * g.sy;
  const float c = g.cosr, s = g.sinr;
  const float ox = g.x * g.vx, oy = g.y * g.vy;
  auto put = [&](Vertex& v, float lx, float ly, float u, float t) {
    v.x = ox + (lx * c - ly * s) * g.vx;
    v.y = oy + (lx * s + ly * c) * g.vy;
    v.r = p.r;
    v.g = p.g;
    v.b = p.b;
    v.a = p.a;
    v.u = u;
    v.v = t;
  };
  put(out[0], lx0, ly0, p.u0, p.v0);
  put(out[1], lx1, ly0, p.u1, p.v0);
  put(out[2], lx1, ly1, p.u1, p.v1);
  put(out[3], lx0, ly1, p.u0, p.v1);
}

// The index pattern of quad k: 4k + (0, 1, 2, 2, 3, 0). Built once for the largest batch.
constexpr uint32_t BATCH_MAX_QUADS = 32768;
const std::vector<uint32_t>& QuadIndices32();
const std::vector<int>& QuadIndicesInt();

// The frame-wide batch. Storage is reserved once; Reset keeps it, so a warmed-up frame allocates
// nothing. When the batch is full, the flush hook is called (it draws and resets the batch).
class RenderBatch {
 public:
  using FlushHook = void (*)(RenderBatch& batch);
  RenderBatch();

  void SetFlushHook(FlushHook hook) { flush_ = hook; }
  // Four vertices to fill for a new quad with this texture and blend mode.
  Vertex* AddQuad(const TexSource* tex, int blend, int kind = PRIM_QUADS) {
    if (quads_ == BATCH_MAX_QUADS) Overflow();
    if (cmds_.empty() || cmds_.back().tex != tex || cmds_.back().blend != blend || cmds_.back().kind != kind)
      cmds_.push_back(DrawCommand{tex, blend, kind, quads_, 0});
    ++cmds_.back().quadCount;
    return &verts_[static_cast<size_t>(quads_++) * 4];
  }
  void Reset() {
    quads_ = 0;
    cmds_.clear();
  }
  bool Empty() const { return quads_ == 0; }
  uint32_t QuadCount() const { return quads_; }
  const Vertex* Vertices() const { return verts_.data(); }
  const std::vector<DrawCommand>& Commands() const { return cmds_; }
  // True when a pending command draws with this texture.
  bool Uses(const TexSource* tex) const;

 private:
  void Overflow();

  std::vector<Vertex> verts_;
  std::vector<DrawCommand> cmds_;
  uint32_t quads_ = 0;
  FlushHook flush_ = nullptr;
};
