// Test support: posts SDL events (see sdl_test_input.h).
#include "media/sdl_test_input.h"

#include <SDL.h>

#include <cstring>

#include "media/internal.h"
#include "media/posted_pointer.h"

namespace {

void Push(SDL_Event& ev) {
  if (!EnsureSdl(SDL_INIT_EVENTS)) return;
  SDL_PushEvent(&ev);
}

}  // namespace

void PushTestKey(int scancode, bool down, bool numLock, bool repeat, int label) {
  SDL_Event ev{};
  ev.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  ev.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  ev.key.repeat = repeat ? 1 : 0;
  ev.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
  ev.key.keysym.sym = label >= 0 ? label : SDL_GetKeyFromScancode(ev.key.keysym.scancode);
  ev.key.keysym.mod = numLock ? KMOD_NUM : KMOD_NONE;
  Push(ev);
}

void PushTestText(const std::string& utf8) {
  if (!EnsureSdl(SDL_INIT_EVENTS)) return;
  // Without a window SDL has not switched text input on; a pushed event would be dropped.
  SDL_EventState(SDL_TEXTINPUT, SDL_ENABLE);
  SDL_Event ev{};
  ev.type = SDL_TEXTINPUT;
  std::strncpy(ev.text.text, utf8.c_str(), sizeof ev.text.text - 1);
  Push(ev);
}

void PushTestMouseButton(int sdlButton, bool down, int x, int y) { PostPointerButton(sdlButton, down, x, y); }

void PushTestMouseMotion(int x, int y) { PostPointerMotion(x, y); }

void PushTestQuit() {
  SDL_Event ev{};
  ev.type = SDL_QUIT;
  Push(ev);
}

void PushTestWindowClose() {
  SDL_Event ev{};
  ev.type = SDL_WINDOWEVENT;
  ev.window.event = SDL_WINDOWEVENT_CLOSE;
  Push(ev);
}
