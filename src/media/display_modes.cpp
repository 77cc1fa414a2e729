// The display modes the platform reports (headless: the scripted list).
#include <SDL.h>

#include "media/display_state.h"
#include "media/internal.h"

std::vector<DisplayMode> ListDisplayModes() {
  if (GfxHeadless()) return HeadlessModes();
  std::vector<DisplayMode> modes;
  if (!EnsureSdl(SDL_INIT_VIDEO)) return modes;
  const int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) != 0) continue;
    modes.push_back(DisplayMode{m.w, m.h, static_cast<int>(SDL_BITSPERPIXEL(m.format)), m.refresh_rate});
  }
  return modes;
}

bool DisplayModeExists(int w, int h, int depth, int hz) {
  for (const DisplayMode& m : ListDisplayModes())
    if (m.w == w && m.h == h && m.depth == depth && (hz == 0 || m.hz == hz)) return true;
  return false;
}
