// Display choices 1 ("DX9": SDL_Renderer's "opengl" driver) and 2 ("DX7": its "software" driver).
// Both draw the frame batch through SDL_RenderGeometry, one call per command, with the same
// vertices as the GL renderer. The masked blend mode has no alpha test here, so a masked draw uses
// a copy of the texture whose alpha is thresholded to 0 or 255, drawn with blending.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "media/media.h"
#include "media/render_backend.h"

static_assert(sizeof(SDL_Vertex) == sizeof(Vertex), "Vertex must match SDL_Vertex");
static_assert(offsetof(SDL_Vertex, color) == offsetof(Vertex, r), "Vertex must match SDL_Vertex");
static_assert(offsetof(SDL_Vertex, tex_coord) == offsetof(Vertex, u), "Vertex must match SDL_Vertex");

namespace {

int DriverIndex(const char* name) {
  const int n = SDL_GetNumRenderDrivers();
  for (int i = 0; i < n; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, name) == 0) return i;
  }
  return -1;
}

SDL_BlendMode SdlBlend(int blend, bool textured) {
  switch (blend) {
    case BLEND_MASK: return textured ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE;
    case BLEND_ALPHA: return SDL_BLENDMODE_BLEND;
    case BLEND_LIGHT: return SDL_BLENDMODE_ADD;  // dst + src * srcA
    case BLEND_SHADE: return SDL_BLENDMODE_MOD;  // dst * src
    default: return SDL_BLENDMODE_NONE;
  }
}

class SdlRenderer final : public RenderBackend {
 public:
  ~SdlRenderer() override {
    if (white_) SDL_DestroyTexture(white_);
    if (ren_) SDL_DestroyRenderer(ren_);
    if (win_) SDL_DestroyWindow(win_);
  }

  bool Open(const WindowSpec& spec, bool software) {
    const int index = DriverIndex(software ? "software" : "opengl");
    if (index < 0) return false;
    software_ = software;
    SDL_GL_ResetAttributes();
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    win_ = CreateDisplayWindow(spec, software ? 0 : SDL_WINDOW_OPENGL);
    if (!win_) return false;
    ren_ = SDL_CreateRenderer(win_, index, software ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED);
    if (!ren_) return false;
    SDL_GetRendererOutputSize(ren_, &w_, &h_);
    white_ = SDL_CreateTexture(ren_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, 1, 1);
    const uint8_t white[4] = {255, 255, 255, 255};
    return white_ && SDL_UpdateTexture(white_, nullptr, white, 4) == 0;
  }

  SDL_Window* Window() const override { return win_; }

  // SDL_Renderer makes its own context current when it draws.
  void Activate() override { SDL_RaiseWindow(win_); }

  void Clear(int r, int g, int b) override {
    SDL_SetRenderDrawColor(ren_, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b), 255);
    SDL_RenderClear(ren_);
  }

  void Draw(const RenderBatch& batch) override {
    const auto* verts = reinterpret_cast<const SDL_Vertex*>(batch.Vertices());
    if (software_) verts = Snapped(batch);
    const int* indices = QuadIndicesInt().data();
    for (const DrawCommand& c : batch.Commands()) {
      // Untextured quads take a white texel, as on the GL renderer: the software driver ignores
      // the draw blend mode for the rectangles it recognises in geometry.
      const bool textured = c.tex && c.tex->w > 0 && c.tex->h > 0;
      SDL_Texture* tex = textured ? Texture(const_cast<TexSource&>(*c.tex), c.blend == BLEND_MASK) : white_;
      if (!tex) continue;
      SDL_SetTextureBlendMode(tex, SdlBlend(c.blend, textured));
      SDL_RenderGeometry(ren_, tex, verts + static_cast<size_t>(c.firstQuad) * 4, static_cast<int>(c.quadCount * 4),
                         indices, static_cast<int>(c.quadCount * 6));
    }
  }

  void Present(int sync) override {
    const int want = sync > 0 ? 1 : 0;  // the renderer was made without vsync: its default
    if (want != vsync_ && SDL_RenderSetVSync(ren_, want) == 0) vsync_ = want;
    SDL_RenderPresent(ren_);
  }

  void ReadPixels(int x, int y, int w, int h, uint32_t* argb) override {
    SDL_Rect r{x, y, w, h};
    SDL_RenderReadPixels(ren_, &r, SDL_PIXELFORMAT_ARGB8888, argb, w * 4);
    for (size_t i = 0, n = static_cast<size_t>(w) * static_cast<size_t>(h); i < n; ++i) argb[i] |= 0xFF000000u;
  }

  void Release(TexSource& t) override {
    if (t.sdlTex) SDL_DestroyTexture(static_cast<SDL_Texture*>(t.sdlTex));
    if (t.sdlMaskTex) SDL_DestroyTexture(static_cast<SDL_Texture*>(t.sdlMaskTex));
    t.sdlTex = t.sdlMaskTex = nullptr;
    t.uploaded = t.maskUploaded = 0;
  }

 private:
  // The software driver draws axis-aligned quads as whole-pixel rectangles, truncating position
  // and size apart, which leaves gaps between neighbours and moves edges off the GL renderer's.
  // Snapping every corner to the pixel edge that GL's pixel-centre rule would use makes both cover
  // the same pixels: a centre on a left edge is inside, and (GL's y running upwards) a centre on a
  // bottom edge of ours is inside too.
  const SDL_Vertex* Snapped(const RenderBatch& batch) {
    const size_t n = static_cast<size_t>(batch.QuadCount()) * 4;
    snapped_.resize(std::max(snapped_.size(), n));
    const Vertex* src = batch.Vertices();
    for (size_t i = 0; i < n; ++i) {
      SDL_Vertex& d = snapped_[i];
      d.position.x = std::ceil(src[i].x - 0.5f);
      d.position.y = std::floor(src[i].y + 0.5f);
      d.color = SDL_Color{src[i].r, src[i].g, src[i].b, src[i].a};
      d.tex_coord.x = src[i].u;
      d.tex_coord.y = src[i].v;
    }
    return snapped_.data();
  }

  SDL_Texture* Texture(TexSource& t, bool masked) {
    void*& slot = masked ? t.sdlMaskTex : t.sdlTex;
    uint32_t& have = masked ? t.maskUploaded : t.uploaded;
    if (!slot) {
      slot = SDL_CreateTexture(ren_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, t.w, t.h);
      if (!slot) return nullptr;
      SDL_SetTextureScaleMode(static_cast<SDL_Texture*>(slot), t.filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
      have = 0;
    }
    auto* tex = static_cast<SDL_Texture*>(slot);
    if (have != t.version) {
      const uint8_t* rgba = t.Rgba(scratch_);
      if (masked) {
        if (rgba != scratch_.data()) scratch_.assign(t.pixels.begin(), t.pixels.end());
        for (size_t i = 3; i < scratch_.size(); i += 4) scratch_[i] = scratch_[i] < 128 ? 0 : 255;
        rgba = scratch_.data();
      }
      SDL_UpdateTexture(tex, nullptr, rgba, t.w * 4);
      have = t.version;
    }
    return tex;
  }

  SDL_Window* win_ = nullptr;
  SDL_Renderer* ren_ = nullptr;
  SDL_Texture* white_ = nullptr;
  int w_ = 0, h_ = 0;
  int vsync_ = -1;
  bool software_ = false;
  std::vector<uint8_t> scratch_;
  std::vector<SDL_Vertex> snapped_;
};

}  // namespace

std::unique_ptr<RenderBackend> OpenSdlRenderer(const WindowSpec& spec, bool software) {
  auto r = std::make_unique<SdlRenderer>();
  if (!r->Open(spec, software)) return nullptr;
  return r;
}
