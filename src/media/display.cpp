// The display: opening and closing it on the chosen back end, the logical screen, clearing and
// presenting. Owns the GfxState; GfxInit / GfxShutdown are called by MediaInit / MediaShutdown.
#include <SDL.h>

#include <algorithm>

#include "media/display_state.h"
#include "media/draw_state.h"
#include "media/internal.h"
#include "media/platform.h"

namespace {

void ReleaseOnRenderer(TexSource& t) {
  GfxState& g = Gfx();
  if (!g.renderer) return;
  FlushIfUsing(t);  // its pending quads are drawn while the texture still exists
  g.renderer->Release(t);
}

void FlushOnOverflow(RenderBatch& batch) {
  GfxState& g = Gfx();
  if (g.renderer && !batch.Empty()) g.renderer->Draw(batch);
  batch.Reset();
}

}  // namespace

GfxState& Gfx() {
  // Never destroyed: at exit, objects of the handle table may still release their textures here.
  static auto* state = new GfxState();
  return *state;
}

void FlushBatch() {
  GfxState& g = Gfx();
  if (g.batch.Empty()) return;
  if (g.renderer) g.renderer->Draw(g.batch);
  g.batch.Reset();
}

void FlushIfUsing(const TexSource& t) {
  if (Gfx().batch.Uses(&t)) FlushBatch();
}

void GfxInit(MediaBackend backend) {
  GfxState& g = Gfx();
  CloseDisplay();
  g.backend = backend;
  g.choice = DISPLAY_OPENGL;
  g.clearR = g.clearG = g.clearB = 0;
  g.batch.Reset();
  g.batch.SetFlushHook(FlushOnOverflow);
  SetTexReleaseHook(ReleaseOnRenderer);
  ResetDrawStateDefaults();
}

void GfxShutdown() { CloseDisplay(); }

void SelectDisplayDriver(int choice) {
  if (choice >= DISPLAY_OPENGL && choice <= DISPLAY_DX7) Gfx().choice = choice;
}

int DisplayDriverInUse() {
  const GfxState& g = Gfx();
  return g.open ? g.openChoice : g.choice;
}

bool OpenDisplay(int w, int h, int depth, int hz) {
  GfxState& g = Gfx();
  CloseDisplay();
  if (w <= 0 || h <= 0) return false;
  if (g.backend == MEDIA_HEADLESS) {
    if (HeadlessDisplayRefused() || HeadlessRefuses(w, h, depth, g.choice)) return false;
  } else {
    WindowSpec spec{w, h, depth != 0, depth == DEPTH_DESKTOP, hz, g.caption};
    g.renderer = g.choice == DISPLAY_OPENGL ? OpenGlRenderer(spec)
                                                  : OpenSdlRenderer(spec, g.choice == DISPLAY_DX7);
    if (!g.renderer) return false;
  }
  g.open = true;
  g.openChoice = g.choice;
  g.inkQuads = g.choice != DISPLAY_DX7;
  g.unblendedCover = g.choice == DISPLAY_OPENGL;
  g.realW = w;
  g.realH = h;
  SetVirtualResolution(w, h);
  ApplyPointer();  // a pointer wish made before the window existed
  return true;
}

void CloseDisplay() {
  GfxState& g = Gfx();
  g.batch.Reset();
  if (g.renderer) {
    // Textures belong to the renderer's context: drop them all while it still exists.
    ForEachTexSource([](TexSource& t, void* r) { static_cast<RenderBackend*>(r)->Release(t); }, g.renderer.get());
    g.renderer.reset();
  }
  g.open = false;
  g.realW = g.realH = 0;
}

bool DisplayIsOpen() { return Gfx().open; }

bool DisplayServerAvailable() {
  if (Gfx().backend == MEDIA_HEADLESS) return HeadlessDisplayServer();
  return EnsureSdl(SDL_INIT_VIDEO);
}

SDL_Window* CurrentSdlWindow() {
  const GfxState& g = Gfx();
  return g.renderer ? g.renderer->Window() : nullptr;
}

void SetCaption(const std::string& caption) {
  Gfx().caption = caption;
  if (SDL_Window* w = CurrentSdlWindow()) SDL_SetWindowTitle(w, caption.c_str());
}

int RealWidth() { return Gfx().realW; }
int RealHeight() { return Gfx().realH; }

void SetVirtualResolution(int w, int h) {
  GfxState& g = Gfx();
  if (w <= 0 || h <= 0) return;
  // Pending quads were placed with the old ratios; they stay as they are.
  g.virtW = w;
  g.virtH = h;
  g.vx = g.realW > 0 ? static_cast<float>(g.realW) / static_cast<float>(w) : 1.0f;
  g.vy = g.realH > 0 ? static_cast<float>(g.realH) / static_cast<float>(h) : 1.0f;
}

int VirtualWidth() { return Gfx().virtW; }
int VirtualHeight() { return Gfx().virtH; }

void Flip(int sync) {
  GfxState& g = Gfx();
  if (g.backend == MEDIA_HEADLESS) {
    HeadlessRecordDraw(RecordWithState(DrawRecord::FLIP));
    HeadlessEndFrame();
    return;
  }
  if (g.renderer) {
    FlushBatch();
    g.renderer->Present(sync);
  }
  PollSystem();
}

void SetClearColour(int r, int g, int b) {
  GfxState& s = Gfx();
  s.clearR = std::clamp(r, 0, 255);
  s.clearG = std::clamp(g, 0, 255);
  s.clearB = std::clamp(b, 0, 255);
}

void ClearScreen() {
  GfxState& g = Gfx();
  if (g.backend == MEDIA_HEADLESS) {
    // A clear's colour is the clear colour, not the drawing colour.
    DrawRecord rec = RecordWithState(DrawRecord::CLEAR);
    rec.r = g.clearR;
    rec.g = g.clearG;
    rec.b = g.clearB;
    HeadlessRecordDraw(rec);
    return;
  }
  if (!g.renderer) return;
  g.batch.Reset();  // everything pending would be covered anyway
  g.renderer->Clear(g.clearR, g.clearG, g.clearB);
}
