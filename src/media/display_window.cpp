// The window every real back end draws into: a plain window, or full screen at the asked mode.
#include <SDL.h>

#include "media/internal.h"
#include "media/render_backend.h"

SDL_Window* CreateDisplayWindow(const WindowSpec& spec, uint32_t flags) {
  if (!EnsureSdl(SDL_INIT_VIDEO)) return nullptr;
  // A window larger than the screen would hide part of the game, its menus among it: refused.
  SDL_Rect desk;
  if (!spec.fullscreen && SDL_GetDisplayBounds(0, &desk) == 0 && (spec.w > desk.w || spec.h > desk.h)) return nullptr;
  if (spec.desktop) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_Window* win = SDL_CreateWindow(spec.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, spec.w,
                                     spec.h, flags | SDL_WINDOW_HIDDEN);
  if (!win) return nullptr;
  if (spec.fullscreen && !spec.desktop) {
    SDL_DisplayMode want{SDL_PIXELFORMAT_UNKNOWN, spec.w, spec.h, spec.hz, nullptr};
    SDL_DisplayMode got;
    if (!SDL_GetClosestDisplayMode(0, &want, &got) || got.w != spec.w || got.h != spec.h ||
        SDL_SetWindowDisplayMode(win, &got) != 0 || SDL_SetWindowFullscreen(win, SDL_WINDOW_FULLSCREEN) != 0) {
      SDL_DestroyWindow(win);
      return nullptr;
    }
  }
  SDL_ShowWindow(win);
  return win;
}
