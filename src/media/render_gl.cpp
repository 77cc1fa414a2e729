// Display choice 0: the own batched renderer on an OpenGL 3.3 core context. A ring of three
// streaming vertex buffers (one VAO each), one static index buffer of the quad pattern and three
// programs (textured, textured with the masked alpha test, and plain colour for untextured quads). A batch is one buffer upload and one
// glDrawElements per command; texture, blend and program are bound only when they change.
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstddef>
#include <vector>

#include "media/media.h"
#include "media/render_backend.h"

const char* const SPRITE_VERTEX_SHADER = R"(#version 330 core
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aUv;
uniform vec2 uToClip;
flat out vec4 vColour;  // one colour per quad: nothing to interpolate per pixel
out vec2 vUv;
void main() {
  gl_Position = vec4(aPos.x * uToClip.x - 1.0, 1.0 - aPos.y * uToClip.y, 0.0, 1.0);
  vColour = aColour;
  vUv = aUv;
}
)";

namespace {

const char* FRAGMENT_SHADER = R"(
flat in vec4 vColour;
in vec2 vUv;
uniform sampler2D uTex;
out vec4 oColour;
void main() {
#ifdef PLAIN
  oColour = vColour;
#else
  vec4 c = texture(uTex, vUv) * vColour;
#ifdef MASKED
  if (c.a < 0.5) discard;
#endif
  oColour = c;
#endif
}
)";

enum Program { PROGRAM_TEXTURED, PROGRAM_MASKED, PROGRAM_PLAIN, PROGRAMS };
const char* const PROGRAM_PREFIX[PROGRAMS] = {"#version 330 core\n", "#version 330 core\n#define MASKED 1\n",
                                              "#version 330 core\n#define PLAIN 1\n"};

GLuint Compile(GLenum kind, const char* prefix, const char* body) {
  GLuint s = glCreateShader(kind);
  const char* parts[2] = {prefix, body};
  glShaderSource(s, 2, parts, nullptr);
  glCompileShader(s);
  GLint ok = 0;
  glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024];
    glGetShaderInfoLog(s, sizeof log, nullptr, log);
    SDL_Log("shader: %s", log);
    glDeleteShader(s);
    return 0;
  }
  return s;
}

GLuint Link(int program) {
  GLuint vs = Compile(GL_VERTEX_SHADER, "", SPRITE_VERTEX_SHADER);
  GLuint fs = Compile(GL_FRAGMENT_SHADER, PROGRAM_PREFIX[program], FRAGMENT_SHADER);
  if (!vs || !fs) return 0;
  GLuint p = glCreateProgram();
  glAttachShader(p, vs);
  glAttachShader(p, fs);
  glLinkProgram(p);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(p, GL_LINK_STATUS, &ok);
  if (!ok) {
    glDeleteProgram(p);
    return 0;
  }
  return p;
}

class GlRenderer final : public RenderBackend {
 public:
  ~GlRenderer() override {
    if (ctx_) {
      for (GLuint p : programs_)
        if (p) glDeleteProgram(p);
      if (white_) glDeleteTextures(1, &white_);
      glDeleteBuffers(RING, vbo_);
      if (ebo_) glDeleteBuffers(1, &ebo_);
      glDeleteVertexArrays(RING, vao_);
      SDL_GL_DeleteContext(ctx_);
    }
    if (win_) SDL_DestroyWindow(win_);
  }

  bool Open(const WindowSpec& spec) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    win_ = CreateDisplayWindow(spec, SDL_WINDOW_OPENGL);
    if (!win_) return false;
    ctx_ = SDL_GL_CreateContext(win_);
    if (!ctx_ || SDL_GL_MakeCurrent(win_, ctx_) != 0) return false;
    defaultInterval_ = SDL_GL_GetSwapInterval();
    interval_ = defaultInterval_;
    SDL_GL_GetDrawableSize(win_, &w_, &h_);

    for (int k = 0; k < PROGRAMS; ++k) {
      const GLuint p = programs_[k] = Link(k);
      if (!p) return false;
      glUseProgram(p);
      glUniform2f(glGetUniformLocation(p, "uToClip"), 2.0f / static_cast<float>(w_), 2.0f / static_cast<float>(h_));
      if (k != PROGRAM_PLAIN) glUniform1i(glGetUniformLocation(p, "uTex"), 0);
    }
    glUseProgram(programs_[PROGRAM_TEXTURED]);

    glGenVertexArrays(RING, vao_);
    glGenBuffers(RING, vbo_);
    glGenBuffers(1, &ebo_);
    const std::vector<uint32_t>& idx = QuadIndices32();
    for (int i = 0; i < RING; ++i) {
      glBindVertexArray(vao_[i]);
      glBindBuffer(GL_ARRAY_BUFFER, vbo_[i]);
      glBufferData(GL_ARRAY_BUFFER, VBO_BYTES, nullptr, GL_STREAM_DRAW);
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo_);
      if (i == 0)
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(idx.size() * sizeof(uint32_t)), idx.data(),
                     GL_STATIC_DRAW);
      const GLsizei stride = sizeof(Vertex);
      glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, x)));
      glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(offsetof(Vertex, r)));
      glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, u)));
      for (GLuint a = 0; a < 3; ++a) glEnableVertexAttribArray(a);
    }

    // A picture without pixels samples one white texel: drawn like an untextured quad.
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &white_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, white_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    SetSampling(false);
    boundTex_ = white_;

    glViewport(0, 0, w_, h_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    return glGetError() == GL_NO_ERROR;
  }

  SDL_Window* Window() const override { return win_; }

  void Activate() override {
    SDL_RaiseWindow(win_);
    SDL_GL_MakeCurrent(win_, ctx_);
  }

  void Clear(int r, int g, int b) override {
    glClearColor(static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  void Draw(const RenderBatch& batch) override {
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(batch.QuadCount()) * 4 * sizeof(Vertex);
    // A ring of buffers, each filled only after the frames since its last use were presented:
    // no fresh storage to allocate and fault in, and no wait for draws still reading it.
    ring_ = (ring_ + 1) % RING;
    glBindVertexArray(vao_[ring_]);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_[ring_]);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, batch.Vertices());
    for (const DrawCommand& c : batch.Commands()) {
      // Untextured quads need no texel: the plain program, whatever texture is bound.
      if (c.tex) BindTexture(c.tex);
      UseProgram(!c.tex ? PROGRAM_PLAIN : c.blend == BLEND_MASK ? PROGRAM_MASKED : PROGRAM_TEXTURED);
      SetBlend(c.blend);
      glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(c.quadCount * 6), GL_UNSIGNED_INT,
                     reinterpret_cast<void*>(static_cast<uintptr_t>(c.firstQuad) * 6 * sizeof(uint32_t)));
    }
  }

  void Present(int sync) override {
    const int want = sync == 0 ? 0 : (sync < 0 ? defaultInterval_ : 1);
    if (want != interval_ && SDL_GL_SetSwapInterval(want) == 0) interval_ = want;
    SDL_GL_SwapWindow(win_);
  }

  void ReadPixels(int x, int y, int w, int h, uint32_t* argb) override {
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(x, h_ - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (int row = 0; row < h; ++row) {
      const uint8_t* src = &rgba[static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w) * 4];
      uint32_t* dst = argb + static_cast<size_t>(row) * static_cast<size_t>(w);
      for (int i = 0; i < w; ++i, src += 4)
        dst[i] = 0xFF000000u | (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | src[2];
    }
  }

  void Release(TexSource& t) override {
    if (t.glTex) {
      GLuint id = t.glTex;
      if (boundTex_ == id) boundTex_ = 0;
      glDeleteTextures(1, &id);
    }
    t.glTex = 0;
    t.uploaded = 0;
  }

 private:
  static constexpr GLsizeiptr VBO_BYTES = static_cast<GLsizeiptr>(BATCH_MAX_QUADS) * 4 * sizeof(Vertex);

  static void SetSampling(bool filtered) {
    const GLint f = filtered ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, f);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, f);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }

  void BindTexture(const TexSource* src) {
    GLuint id = white_;
    if (src && src->w > 0 && src->h > 0) {
      TexSource& t = const_cast<TexSource&>(*src);
      if (!t.glTex) {
        glGenTextures(1, &t.glTex);
        t.uploaded = 0;
      }
      id = t.glTex;
      if (t.uploaded != t.version) {
        glBindTexture(GL_TEXTURE_2D, id);
        if (t.coverage) {
          // One byte per texel; the swizzle reads it as white at that alpha.
          static const GLint WHITE_ALPHA[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
          glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, t.w, t.h, 0, GL_RED, GL_UNSIGNED_BYTE, t.pixels.data());
          glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, WHITE_ALPHA);
        } else {
          glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t.w, t.h, 0, GL_RGBA, GL_UNSIGNED_BYTE, t.pixels.data());
        }
        SetSampling(t.filtered);
        t.uploaded = t.version;
        boundTex_ = id;
      }
    }
    if (id != boundTex_) {
      glBindTexture(GL_TEXTURE_2D, id);
      boundTex_ = id;
    }
  }

  void UseProgram(int program) {
    if (program == program_) return;
    glUseProgram(programs_[program]);
    program_ = program;
  }

  void SetBlend(int blend) {
    if (blend == blend_) return;
    blend_ = blend;
    if (blend == BLEND_MASK || blend == BLEND_SOLID) {
      glDisable(GL_BLEND);
      return;
    }
    glEnable(GL_BLEND);
    // The back buffer's own alpha is kept as the SDL_Renderer blend modes keep it.
    if (blend == BLEND_ALPHA)
      glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    else if (blend == BLEND_LIGHT)
      glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
    else
      glBlendFuncSeparate(GL_DST_COLOR, GL_ZERO, GL_ZERO, GL_ONE);
  }

  SDL_Window* win_ = nullptr;
  SDL_GLContext ctx_ = nullptr;
  int w_ = 0, h_ = 0;
  int defaultInterval_ = 0, interval_ = 0;
  GLuint programs_[PROGRAMS] = {};
  static constexpr int RING = 3;
  GLuint vao_[RING] = {}, vbo_[RING] = {};
  GLuint ebo_ = 0, white_ = 0;
  int ring_ = 0;
  GLuint boundTex_ = 0;
  int blend_ = -1;
  int program_ = PROGRAM_TEXTURED;
};

}  // namespace

std::unique_ptr<RenderBackend> OpenGlRenderer(const WindowSpec& spec) {
  auto r = std::make_unique<GlRenderer>();
  if (!r->Open(spec)) return nullptr;
  return r;
}
