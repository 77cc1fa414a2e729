// The SDL event pump: turns window-system events into the shared input state. Runs at each Flip
// of the real display and at each PollSystem.
#include <SDL.h>

#include <array>
#include <cstdint>

#include "media/internal.h"
#include "media/platform.h"
#include "media/posted_pointer.h"

namespace {

// The code each scancode went down as, so its release matches even if NumLock changed meanwhile.
std::array<int, SCANCODE_COUNT> gPressedAs{};

int MouseButtonFor(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

void OnKey(const SDL_KeyboardEvent& key) {
  const int scancode = static_cast<int>(key.keysym.scancode);
  if (scancode < 0 || scancode >= SCANCODE_COUNT) return;
  int& pressedAs = gPressedAs[static_cast<size_t>(scancode)];
  if (key.type == SDL_KEYUP) {
    if (pressedAs) InputKeyEvent(pressedAs, false, true);
    pressedAs = 0;
    return;
  }
  if (key.repeat && pressedAs) {
    InputKeyRepeat(pressedAs);
    return;
  }
  const int code = KeyCodeForKey(scancode, key.keysym.sym, (key.keysym.mod & KMOD_NUM) != 0);
  if (code == 0) return;
  pressedAs = code;
  InputKeyEvent(code, true, true);
}

void OnEvent(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_QUIT:
      InputCloseEvent();
      break;
    case SDL_WINDOWEVENT:
      if (ev.window.event == SDL_WINDOWEVENT_CLOSE) InputCloseEvent();
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      OnKey(ev.key);
      break;
    case SDL_TEXTINPUT:
      for (int ch : Latin1FromUtf8(ev.text.text)) InputCharEvent(ch);
      break;
    case SDL_MOUSEMOTION:
      InputMouseMoveEvent(ev.motion.x, ev.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      InputMouseMoveEvent(ev.button.x, ev.button.y);
      InputMouseButtonEvent(MouseButtonFor(ev.button.button), ev.type == SDL_MOUSEBUTTONDOWN, true);
      break;
    case SDL_USEREVENT:
      if (ev.user.code == POSTED_KEY_MARK) {
        const auto code = static_cast<int>(reinterpret_cast<intptr_t>(ev.user.data1));
        if (code > 0 && code < 256) InputKeyEvent(code, ev.user.data2 != nullptr, true);
      }
      break;
    default:
      break;
  }
}

}  // namespace

void PollSystem() {
  if (MediaBackendInUse() != MEDIA_REAL || SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  ApplyPointer();
  InputPumpStart();
  SDL_Event ev;
  while (SDL_PollEvent(&ev)) OnEvent(ev);
}
