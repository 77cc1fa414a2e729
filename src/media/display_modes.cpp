// The display modes the platform reports (headless: the scripted list).
#include <SDL.h>

#include <algorithm>

#include "media/display_state.h"
#include "media/internal.h"

namespace {

// Window sizes offered beside the screen's own modes: many screens (a virtual X server, a desktop
// that only reports its native mode) list a single size, which would leave nothing to choose.
constexpr DisplayMode WINDOW_SIZES[] = {
    {2560, 1600, 0, 0}, {2560, 1440, 0, 0}, {1920, 1200, 0, 0}, {1920, 1080, 0, 0}, {1680, 1050, 0, 0},
    {1600, 1200, 0, 0}, {1600, 900, 0, 0},  {1440, 900, 0, 0},  {1400, 1050, 0, 0}, {1366, 768, 0, 0},
    {1280, 960, 0, 0},  {1280, 800, 0, 0},  {1280, 720, 0, 0},  {1152, 864, 0, 0},  {1024, 768, 0, 0},
    {800, 600, 0, 0},   {640, 480, 0, 0},
};

}  // namespace

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
  // Window-only sizes (depth 0: no full-screen mode) that fit on the desktop and are not listed.
  SDL_Rect desk;
  if (SDL_GetDisplayBounds(0, &desk) == 0) {
    for (const DisplayMode& w : WINDOW_SIZES) {
      const bool listed = std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& m) { return m.w == w.w && m.h == w.h; });
      if (!listed && w.w <= desk.w && w.h <= desk.h) modes.push_back(w);
    }
  }
  // Largest first, as the platform lists its own, so the sizes run in one order.
  std::stable_sort(modes.begin(), modes.end(),
                   [](const DisplayMode& a, const DisplayMode& b) { return a.w != b.w ? a.w > b.w : a.h > b.h; });
  return modes;
}

DisplayMode DesktopMode() {
  if (GfxHeadless()) return HeadlessDesktop();
  SDL_DisplayMode m;
  if (!EnsureSdl(SDL_INIT_VIDEO) || SDL_GetDesktopDisplayMode(0, &m) != 0) return DisplayMode{};
  return DisplayMode{m.w, m.h, static_cast<int>(SDL_BITSPERPIXEL(m.format)), m.refresh_rate};
}

bool DisplayModeExists(int w, int h, int depth, int hz) {
  for (const DisplayMode& m : ListDisplayModes())
    if (m.w == w && m.h == h && m.depth == depth && (hz == 0 || m.hz == hz)) return true;
  return false;
}
