// Pointer events posted into SDL's queue (see posted_pointer.h).
#include "media/posted_pointer.h"

#include <SDL.h>

#include <cstdint>

#include "media/internal.h"

namespace {

void PostPointerEvent(SDL_Event& ev) {
  if (!EnsureSdl(SDL_INIT_EVENTS)) return;
  SDL_PushEvent(&ev);
}

}  // namespace

void PostPointerButton(int sdlButton, bool down, int x, int y) {
  SDL_Event ev{};
  ev.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  ev.button.button = static_cast<Uint8>(sdlButton);
  ev.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  ev.button.clicks = 1;
  ev.button.x = x;
  ev.button.y = y;
  PostPointerEvent(ev);
}

void PostPointerMotion(int x, int y) {
  SDL_Event ev{};
  ev.type = SDL_MOUSEMOTION;
  ev.motion.x = x;
  ev.motion.y = y;
  PostPointerEvent(ev);
}

void PostGameKey(int code, bool down) {
  SDL_Event ev{};
  ev.type = SDL_USEREVENT;
  ev.user.code = POSTED_KEY_MARK;
  ev.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(code));
  ev.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(down ? 1 : 0));
  PostPointerEvent(ev);
}
