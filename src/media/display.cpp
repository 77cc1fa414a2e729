// The display: opening and closing it on the chosen back end, the logical screen, clearing and
// presenting. Owns the GfxState; GfxInit / GfxShutdown are called by MediaInit / MediaShutdown.
#include <SDL.h>

#include <algorithm>

#include "media/display_state.h"
#include "media/draw_state.h"
#include "media/internal.h"
#include "media/platform.h"

namespace {

GfxState gGfx;

void ReleaseOnRenderer(TexSource& t) {
  if (!gGfx.renderer) return;
  FlushIfUsing(t);  // its pending quads are drawn while the texture still exists
  gGfx.renderer->Release(t);
}

void FlushOnOverflow(RenderBatch& batch) {
  if (gGfx.renderer && !batch.Empty()) gGfx.renderer->Draw(batch);
  batch.Reset();
}

}  // namespace

GfxState& Gfx() { return gGfx; }

void FlushBatch() {
  if (gGfx.batch.Empty()) return;
  if (gGfx.renderer) gGfx.renderer->Draw(gGfx.batch);
  gGfx.batch.Reset();
}

void FlushIfUsing(const TexSource& t) {
  if (gGfx.batch.Uses(&t)) FlushBatch();
}

void GfxInit(MediaBackend backend) {
  CloseDisplay();
  gGfx.backend = backend;
  gGfx.choice = DISPLAY_OPENGL;
  gGfx.clearR = gGfx.clearG = gGfx.clearB = 0;
  gGfx.batch.Reset();
  gGfx.batch.SetFlushHook(FlushOnOverflow);
  SetTexReleaseHook(ReleaseOnRenderer);
  ResetDrawStateDefaults();
}

void GfxShutdown() { CloseDisplay(); }

void SelectDisplayDriver(int choice) {
  if (choice >= DISPLAY_OPENGL && choice <= DISPLAY_DX7) gGfx.choice = choice;
}

int DisplayDriverInUse() { return gGfx.open ? gGfx.openChoice : gGfx.choice; }

bool OpenDisplay(int w, int h, int depth, int hz) {
  CloseDisplay();
  if (w <= 0 || h <= 0) return false;
  if (gGfx.backend == MEDIA_HEADLESS) {
    if (HeadlessDisplayRefused()) return false;
  } else {
    WindowSpec spec{w, h, depth != 0, hz, gGfx.caption};
    gGfx.renderer = gGfx.choice == DISPLAY_OPENGL ? OpenGlRenderer(spec)
                                                  : OpenSdlRenderer(spec, gGfx.choice == DISPLAY_DX7);
    if (!gGfx.renderer) return false;
  }
  gGfx.open = true;
  gGfx.openChoice = gGfx.choice;
  gGfx.realW = w;
  gGfx.realH = h;
  SetVirtualResolution(w, h);
  ApplyPointer();  // a pointer wish made before the window existed
  return true;
}

void CloseDisplay() {
  gGfx.batch.Reset();
  if (gGfx.renderer) {
    // Textures belong to the renderer's context: drop them all while it still exists.
    ForEachTexSource([](TexSource& t, void*) { gGfx.renderer->Release(t); }, nullptr);
    gGfx.renderer.reset();
  }
  gGfx.open = false;
  gGfx.realW = gGfx.realH = 0;
}

bool DisplayIsOpen() { return gGfx.open; }

SDL_Window* CurrentSdlWindow() { return gGfx.renderer ? gGfx.renderer->Window() : nullptr; }

void SetCaption(const std::string& caption) {
  gGfx.caption = caption;
  if (SDL_Window* w = CurrentSdlWindow()) SDL_SetWindowTitle(w, caption.c_str());
}

int RealWidth() { return gGfx.realW; }
int RealHeight() { return gGfx.realH; }

void SetVirtualResolution(int w, int h) {
  if (w <= 0 || h <= 0) return;
  // Pending quads were placed with the old ratios; they stay as they are.
  gGfx.virtW = w;
  gGfx.virtH = h;
  gGfx.vx = gGfx.realW > 0 ? static_cast<float>(gGfx.realW) / static_cast<float>(w) : 1.0f;
  gGfx.vy = gGfx.realH > 0 ? static_cast<float>(gGfx.realH) / static_cast<float>(h) : 1.0f;
}

int VirtualWidth() { return gGfx.virtW; }
int VirtualHeight() { return gGfx.virtH; }

void Flip(int sync) {
  if (gGfx.backend == MEDIA_HEADLESS) {
    HeadlessRecordDraw(RecordWithState(DrawRecord::FLIP));
    HeadlessEndFrame();
    return;
  }
  if (gGfx.renderer) {
    FlushBatch();
    gGfx.renderer->Present(sync);
  }
  PollSystem();
}

void SetClearColour(int r, int g, int b) {
  gGfx.clearR = std::clamp(r, 0, 255);
  gGfx.clearG = std::clamp(g, 0, 255);
  gGfx.clearB = std::clamp(b, 0, 255);
}

void ClearScreen() {
  if (gGfx.backend == MEDIA_HEADLESS) {
    // A clear's colour is the clear colour, not the drawing colour.
    DrawRecord rec = RecordWithState(DrawRecord::CLEAR);
    rec.r = gGfx.clearR;
    rec.g = gGfx.clearG;
    rec.b = gGfx.clearB;
    HeadlessRecordDraw(rec);
    return;
  }
  if (!gGfx.renderer) return;
  gGfx.batch.Reset();  // everything pending would be covered anyway
  gGfx.renderer->Clear(gGfx.clearR, gGfx.clearG, gGfx.clearB);
}
