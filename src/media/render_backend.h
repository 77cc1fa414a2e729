// The contract between the display and its three drawing back ends (display choice 0: the own
// OpenGL 3.3 renderer; 1 and 2: SDL_Renderer with its "opengl" and "software" drivers). Each back
// end owns one window; it draws a whole RenderBatch at a time, with the vertices already in real
// pixels, and turns TexSources into textures on first use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/render_batch.h"

struct SDL_Window;

struct WindowSpec {
  int w = 0, h = 0;
  bool fullscreen = false;
  bool desktop = false;  // full screen over the desktop at its own mode (no mode change)
  int hz = 0;
  std::string caption;
};

class RenderBackend {
 public:
  virtual ~RenderBackend() = default;
  virtual SDL_Window* Window() const = 0;
  virtual void Clear(int r, int g, int b) = 0;
  virtual void Draw(const RenderBatch& batch) = 0;
  // sync 0: no vertical sync; -1: the platform's default; any other value: wait for it.
  virtual void Present(int sync) = 0;
  // Real pixels of the back buffer, top row first, as ARGB with alpha 255. The rectangle lies
  // inside the buffer.
  virtual void ReadPixels(int x, int y, int w, int h, uint32_t* argb) = 0;
  // Drops the texture made from t, if any.
  virtual void Release(TexSource& t) = 0;
  // Raises the window and makes its context current: the sprite benchmark keeps other windows
  // open beside the display and lets them take turns.
  virtual void Activate() = 0;
};

// Each gives nullptr when the platform refuses the window, the mode or the context.
std::unique_ptr<RenderBackend> OpenGlRenderer(const WindowSpec& spec);
std::unique_ptr<RenderBackend> OpenSdlRenderer(const WindowSpec& spec, bool software);

// A window for a back end (extra SDL_WINDOW_* flags), full screen at the requested mode when asked.
SDL_Window* CreateDisplayWindow(const WindowSpec& spec, uint32_t flags);

// The vertex stage every GL sprite path shares: vertices in real pixels, turned to clip space.
extern const char* const SPRITE_VERTEX_SHADER;
