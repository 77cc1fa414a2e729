// The benchmark's reference renderers (render_reference.h).
#include "media/render_reference.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "media/internal.h"
#include "media/render_backend.h"
#include "media/render_batch.h"

namespace {

double Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// ---------------------------------------------------------------------------------------------
// SDL_Renderer, batched
// ---------------------------------------------------------------------------------------------
class SdlReference final : public ReferenceRenderer {
 public:
  explicit SdlReference(const BenchScene& s) : scene_(s) {}
  ~SdlReference() override {
    for (SDL_Texture* t : {white_, icon_, logoA_, logoB_})
      if (t) SDL_DestroyTexture(t);
    if (ren_) SDL_DestroyRenderer(ren_);
    if (win_) SDL_DestroyWindow(win_);
  }

  bool Open() {
    if (!EnsureSdl(SDL_INIT_VIDEO)) return false;
    SDL_GL_ResetAttributes();
    win_ = SDL_CreateWindow("reference: SDL_Renderer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, scene_.realW,
                            scene_.realH, SDL_WINDOW_OPENGL);
    if (!win_) return false;
    int index = -1;
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
      SDL_RendererInfo info;
      if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, "opengl") == 0) index = i;
    }
    // Batching is read when the renderer is made; without it SDL issues a draw call per sprite.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    ren_ = SDL_CreateRenderer(win_, index, SDL_RENDERER_ACCELERATED);
    if (!ren_) return false;
    const uint8_t white[4] = {255, 255, 255, 255};
    white_ = Make(1, 1, white);
    icon_ = Make(scene_.icon.w, scene_.icon.h, scene_.icon.rgba.data());
    logoA_ = Make(scene_.logoA.w, scene_.logoA.h, scene_.logoA.rgba.data());
    logoB_ = Make(scene_.logoB.w, scene_.logoB.h, scene_.logoB.rgba.data());
    SDL_SetTextureColorMod(icon_, 0, 0, 0);
    return white_ && icon_ && logoA_ && logoB_;
  }

  double MsPerFrame(int n, int frames) override {
    const float vx = float(scene_.realW) / float(scene_.screenW), vy = float(scene_.realH) / float(scene_.screenH);
    const double start = Now();
    for (int f = 0; f < frames; ++f) {
      SDL_SetRenderDrawColor(ren_, 0, 0, 0, 255);
      SDL_RenderClear(ren_);
      float blue = 50;
      const SDL_FPoint corner{0, 0};
      for (int i = 0; i <= scene_.screenH; i += 10) {
        blue += 0.5f;
        SDL_SetTextureColorMod(white_, 0, 0, Uint8(blue));
        SDL_FRect r{-100 * vx, float(3 * i) * vy, float(scene_.screenW + 1800) * vx, 30 * vy};
        SDL_RenderCopyExF(ren_, white_, nullptr, &r, -45, &corner, SDL_FLIP_NONE);
      }
      Logo(logoA_, scene_.logoA, 0.3f, 0.3f);
      Logo(logoB_, scene_.logoB, 0.7f, 0.7f);
      const float w = float(scene_.icon.w) * 2 * vx, h = float(scene_.icon.h) * 2 * vy;
      for (int j = 0; j < n; ++j) {
        SDL_FRect r{scene_.x[size_t(j)] * vx - w / 2, scene_.y[size_t(j)] * vy - h / 2, w, h};
        SDL_RenderCopyExF(ren_, icon_, nullptr, &r, scene_.rotation[size_t(j)], nullptr, SDL_FLIP_NONE);
      }
      SDL_RenderPresent(ren_);
    }
    return (Now() - start) / frames;
  }

  // SDL_Renderer makes its own context current when it draws.
  void Activate() override { SDL_RaiseWindow(win_); }

 private:
  SDL_Texture* Make(int w, int h, const uint8_t* rgba) {
    SDL_Texture* t = SDL_CreateTexture(ren_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, w, h);
    if (!t) return nullptr;
    SDL_UpdateTexture(t, nullptr, rgba, w * 4);
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);
    return t;
  }

  void Logo(SDL_Texture* t, const BenchScene::Picture& p, float fx, float fy) {
    const float vx = float(scene_.realW) / float(scene_.screenW), vy = float(scene_.realH) / float(scene_.screenH);
    const float w = float(p.w) * 1.5f * vx, h = float(p.h) * 1.5f * vy;
    SDL_FRect r{fx * float(scene_.screenW) * vx - w / 2, fy * float(scene_.screenH) * vy - h / 2, w, h};
    SDL_RenderCopyF(ren_, t, nullptr, &r);
  }

  const BenchScene& scene_;
  SDL_Window* win_ = nullptr;
  SDL_Renderer* ren_ = nullptr;
  SDL_Texture *white_ = nullptr, *icon_ = nullptr, *logoA_ = nullptr, *logoB_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Static GL buffer: one atlas, one buffer, one draw call per frame; sprites whole or trimmed to
// their ink
// ---------------------------------------------------------------------------------------------
const char* STATIC_FS = R"(#version 330 core
flat in vec4 vColour;
in vec2 vUv;
uniform sampler2D uTex;
out vec4 oColour;
void main() { oColour = texture(uTex, vUv) * vColour; }
)";

class StaticReference final : public ReferenceRenderer {
 public:
  StaticReference(const BenchScene& s, bool trimmed) : scene_(s), trimmed_(trimmed) {}
  ~StaticReference() override {
    if (ctx_) {
      glDeleteProgram(program_);
      glDeleteTextures(1, &tex_);
      glDeleteBuffers(1, &vbo_);
      glDeleteBuffers(1, &ebo_);
      glDeleteVertexArrays(1, &vao_);
      SDL_GL_DeleteContext(ctx_);
    }
    if (win_) SDL_DestroyWindow(win_);
  }

  bool Open() {
    if (!EnsureSdl(SDL_INIT_VIDEO)) return false;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    win_ = SDL_CreateWindow(trimmed_ ? "reference: static buffer, trimmed" : "reference: static buffer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, scene_.realW,
                            scene_.realH, SDL_WINDOW_OPENGL);
    if (!win_) return false;
    ctx_ = SDL_GL_CreateContext(win_);
    if (!ctx_) return false;
    SDL_GL_SetSwapInterval(0);
    program_ = glCreateProgram();
    for (auto [kind, src] : {std::pair{GL_VERTEX_SHADER, SPRITE_VERTEX_SHADER}, std::pair{GL_FRAGMENT_SHADER, STATIC_FS}}) {
      GLuint s = glCreateShader(kind);
      glShaderSource(s, 1, &src, nullptr);
      glCompileShader(s);
      glAttachShader(program_, s);
      glDeleteShader(s);
    }
    glLinkProgram(program_);
    glUseProgram(program_);
    glUniform2f(glGetUniformLocation(program_, "uToClip"), 2.0f / float(scene_.realW), 2.0f / float(scene_.realH));
    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &vbo_);
    glGenBuffers(1, &ebo_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo_);
    const auto& idx = QuadIndices32();
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(idx.size() * 4), idx.data(), GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, x)));
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, r)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, u)));
    for (GLuint i = 0; i < 3; ++i) glEnableVertexAttribArray(i);
    BuildAtlas();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, scene_.realW, scene_.realH);
    return glGetError() == GL_NO_ERROR;
  }

  double MsPerFrame(int n, int frames) override {
    Upload(n);
    const double start = Now();
    for (int f = 0; f < frames; ++f) {
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      glDrawElements(GL_TRIANGLES, GLsizei(quads_ * 6), GL_UNSIGNED_INT, nullptr);
      SDL_GL_SwapWindow(win_);
    }
    return (Now() - start) / frames;
  }

  void Activate() override {
    SDL_RaiseWindow(win_);
    SDL_GL_MakeCurrent(win_, ctx_);
  }

 private:
  // Atlas rows: the icon, a white texel, then the two logos side by side.
  void BuildAtlas() {
    atlasW_ = scene_.logoA.w + scene_.logoB.w + 2;
    atlasH_ = 20 + std::max(scene_.logoA.h, scene_.logoB.h);
    std::vector<uint8_t> px(size_t(atlasW_) * size_t(atlasH_) * 4, 0);
    auto blit = [&](const BenchScene::Picture& p, int x0, int y0) {
      for (int y = 0; y < p.h; ++y)
        std::memcpy(&px[(size_t(y0 + y) * size_t(atlasW_) + size_t(x0)) * 4], &p.rgba[size_t(y) * size_t(p.w) * 4],
                    size_t(p.w) * 4);
    };
    blit(scene_.icon, 0, 0);
    std::memset(&px[size_t(18) * 4], 255, 4);
    blit(scene_.logoA, 0, 20);
    blit(scene_.logoB, scene_.logoA.w + 2, 20);
    glGenTextures(1, &tex_);
    glBindTexture(GL_TEXTURE_2D, tex_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, atlasW_, atlasH_, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }

  void Upload(int n) {
    const float vx = float(scene_.realW) / float(scene_.screenW), vy = float(scene_.realH) / float(scene_.screenH);
    const float aw = float(atlasW_), ah = float(atlasH_);
    std::vector<Vertex> v;
    auto quad = [&](const QuadGeom& g, const QuadPaint& p) {
      v.resize(v.size() + 4);
      TessellateQuad(&v[v.size() - 4], g, p);
    };
    QuadGeom g;
    g.vx = vx;
    g.vy = vy;
    g.cosr = std::cos(-45 * 3.14159265f / 180);
    g.sinr = std::sin(-45 * 3.14159265f / 180);
    QuadPaint white;
    white.r = white.g = 0;
    white.u0 = white.u1 = 18.5f / aw;
    white.v0 = white.v1 = 0.5f / ah;
    float blue = 50;
    for (int i = 0; i <= scene_.screenH; i += 10) {
      blue += 0.5f;
      white.b = uint8_t(blue);
      g.x = -100;
      g.y = float(3 * i);
      g.w = float(scene_.screenW + 1800);
      g.h = 30;
      quad(g, white);
    }
    g.cosr = 1;
    g.sinr = 0;
    int logoX = 0;
    for (const auto& [pic, fx] : {std::pair{&scene_.logoA, 0.3f}, std::pair{&scene_.logoB, 0.7f}}) {
      QuadGeom l = g;
      l.x = fx * float(scene_.screenW);
      l.y = fx * float(scene_.screenH);
      l.w = float(pic->w);
      l.h = float(pic->h);
      l.hx = l.w / 2;
      l.hy = l.h / 2;
      l.sx = l.sy = 1.5f;
      QuadPaint p;
      p.u0 = float(logoX) / aw;
      p.u1 = float(logoX + pic->w) / aw;
      p.v0 = 20 / ah;
      p.v1 = float(20 + pic->h) / ah;
      quad(l, p);
      logoX += pic->w + 2;
    }
    // The icon sits at the atlas's top-left corner; its handle is its middle.
    int x0 = 0, y0 = 0, x1 = scene_.icon.w, y1 = scene_.icon.h;
    if (trimmed_) InkOf(scene_.icon, x0, y0, x1, y1);
    QuadPaint black;
    black.r = black.g = black.b = 0;
    black.u0 = float(x0) / aw;
    black.v0 = float(y0) / ah;
    black.u1 = float(x1) / aw;
    black.v1 = float(y1) / ah;
    for (int j = 0; j < n; ++j) {
      QuadGeom s = g;
      s.x = scene_.x[size_t(j)];
      s.y = scene_.y[size_t(j)];
      s.w = float(x1 - x0);
      s.h = float(y1 - y0);
      s.hx = float(scene_.icon.w) / 2 - float(x0);
      s.hy = float(scene_.icon.h) / 2 - float(y0);
      s.sx = s.sy = 2;
      const float rad = scene_.rotation[size_t(j)] * 3.14159265f / 180;
      s.cosr = std::cos(rad);
      s.sinr = std::sin(rad);
      quad(s, black);
    }
    quads_ = uint32_t(v.size() / 4);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(v.size() * sizeof(Vertex)), v.data(), GL_STATIC_DRAW);
  }

  // The rectangle [x0, x1) x [y0, y1) of the texels with any alpha (unchanged when there are none).
  static void InkOf(const BenchScene::Picture& p, int& x0, int& y0, int& x1, int& y1) {
    int ax0 = p.w, ay0 = p.h, ax1 = 0, ay1 = 0;
    for (int y = 0; y < p.h; ++y)
      for (int x = 0; x < p.w; ++x)
        if (p.rgba[(size_t(y) * size_t(p.w) + size_t(x)) * 4 + 3] != 0) {
          ax0 = std::min(ax0, x);
          ay0 = std::min(ay0, y);
          ax1 = std::max(ax1, x + 1);
          ay1 = y + 1;
        }
    if (ax1 <= ax0) return;
    x0 = ax0;
    y0 = ay0;
    x1 = ax1;
    y1 = ay1;
  }

  const BenchScene& scene_;
  const bool trimmed_;
  SDL_Window* win_ = nullptr;
  SDL_GLContext ctx_ = nullptr;
  GLuint program_ = 0, vao_ = 0, vbo_ = 0, ebo_ = 0, tex_ = 0;
  int atlasW_ = 0, atlasH_ = 0;
  uint32_t quads_ = 0;
};

}  // namespace

std::unique_ptr<ReferenceRenderer> OpenReferenceRenderer(ReferenceKind kind, const BenchScene& scene) {
  if (kind == REFERENCE_SDL_RENDERER) {
    auto r = std::make_unique<SdlReference>(scene);
    return r->Open() ? std::move(r) : nullptr;
  }
  auto r = std::make_unique<StaticReference>(scene, kind == REFERENCE_STATIC_TRIMMED);
  return r->Open() ? std::move(r) : nullptr;
}
