// The system mouse pointer: moving it and showing or hiding it over the window.
#include <SDL.h>

#include "media/internal.h"
#include "media/platform.h"

namespace {

bool gPointerShown = true;  // the wish; applied whenever SDL's video is up

}  // namespace

void ApplyPointer() {
  if (MediaBackendInUse() != MEDIA_REAL || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  const int want = gPointerShown ? SDL_ENABLE : SDL_DISABLE;
  if (SDL_ShowCursor(SDL_QUERY) != want) SDL_ShowCursor(want);
}

void MoveMouse(int x, int y) {
  // The state moves at once, so the next read sees the new place before SDL reports the motion.
  InputMouseMoveEvent(x, y);
  if (MediaBackendInUse() != MEDIA_REAL) return;
  if (SDL_Window* window = CurrentSdlWindow()) SDL_WarpMouseInWindow(window, x, y);
}

// A call before the display opens is remembered and applied by the event pump.
void ShowPointer() {
  gPointerShown = true;
  ApplyPointer();
}

void HidePointer() {
  gPointerShown = false;
  ApplyPointer();
}
