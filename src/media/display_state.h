// The display's state, shared by the display, drawing, image and pixmap files: the back end in
// use, the real and logical sizes and the frame batch. Reset by GfxInit; the renderer and its
// textures live from OpenDisplay to CloseDisplay.
#pragma once

#include <memory>
#include <string>

#include "media/internal.h"
#include "media/render_backend.h"
#include "media/render_batch.h"

struct GfxState {
  MediaBackend backend = MEDIA_HEADLESS;
  int choice = DISPLAY_OPENGL;  // takes effect at the next OpenDisplay
  int openChoice = DISPLAY_OPENGL;
  // Sprites drawn as their ink's rectangle only. Not on SDL's software renderer: it works texture
  // coordinates out from the corners it is given, so a smaller quad would move the ink's edges.
  bool inkQuads = true;
  // Alpha-blended paint that hides what is under it drawn without blending (the same pixels, far
  // fewer operations for a software rasteriser). Only the GL renderer: SDL's masked mode needs a
  // second texture per picture.
  bool unblendedCover = true;
  bool open = false;
  int realW = 0, realH = 0;  // pixels
  int virtW = 0, virtH = 0;  // logical units
  float vx = 1, vy = 1;      // real / logical, per axis
  std::string caption;
  int clearR = 0, clearG = 0, clearB = 0;
  std::unique_ptr<RenderBackend> renderer;  // real back end only
  RenderBatch batch;
};

GfxState& Gfx();
// True when draws go to the headless recorder instead of a renderer.
inline bool GfxHeadless() { return Gfx().backend == MEDIA_HEADLESS; }
// Draws the pending quads on the open renderer and empties the batch.
void FlushBatch();
// Flushes when a pending command uses t (before its pixels change or it is freed).
void FlushIfUsing(const TexSource& t);
