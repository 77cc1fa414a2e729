// Test support: SDL virtual joysticks (see sdl_test_joystick.h). Keeps its own open handle per pad,
// identified by SDL's instance id, since SDL's device indices shift when pads come and go.
#include "media/sdl_test_joystick.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "media/internal.h"

namespace {

std::map<int, SDL_Joystick*> gTestPads;  // instance id -> this helper's handle

// The helper's handle, or nullptr when the pad is unknown or SDL was shut down since (a test that
// did not detach before MediaInit): a handle from before SDL_Quit must never be touched.
SDL_Joystick* FindTestJoystick(int id) {
  auto it = gTestPads.find(id);
  if (it == gTestPads.end()) return nullptr;
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0 || SDL_JoystickFromInstanceID(id) != it->second) {
    gTestPads.erase(it);
    return nullptr;
  }
  return it->second;
}

}  // namespace

int AttachTestJoystick(const std::string& name, int axes, int buttons, int hats) {
  if (!EnsureSdl(SDL_INIT_JOYSTICK)) return -1;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = static_cast<Uint16>(std::clamp(axes, 0, 16));
  desc.nbuttons = static_cast<Uint16>(std::clamp(buttons, 0, 64));
  desc.nhats = static_cast<Uint16>(std::clamp(hats, 0, 4));
  desc.name = name.c_str();
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return -1;
  SDL_Joystick* joy = SDL_JoystickOpen(index);
  if (!joy) {
    SDL_JoystickDetachVirtual(index);
    return -1;
  }
  const int id = SDL_JoystickInstanceID(joy);
  gTestPads[id] = joy;
  return id;
}

void DetachTestJoystick(int id) {
  SDL_Joystick* joy = FindTestJoystick(id);
  if (!joy) return;
  SDL_JoystickClose(joy);
  gTestPads.erase(id);
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id) {
      SDL_JoystickDetachVirtual(i);
      break;
    }
  }
  SDL_JoystickUpdate();
}

void SetTestJoystickAxis(int id, int axis, float value) {
  SDL_Joystick* joy = FindTestJoystick(id);
  if (!joy) return;
  // The inverse of the layer's reading: -1 .. 1 onto -32768 .. 32767.
  const double raw = std::lround((std::clamp(value, -1.0f, 1.0f) + 1.0) * 32767.5 - 32768.0);
  SDL_JoystickSetVirtualAxis(joy, axis, static_cast<Sint16>(std::clamp(raw, -32768.0, 32767.0)));
  SDL_JoystickUpdate();
}

void SetTestJoystickHat(int id, int hat, int bits) {
  SDL_Joystick* joy = FindTestJoystick(id);
  if (!joy) return;
  SDL_JoystickSetVirtualHat(joy, hat, static_cast<Uint8>(bits & 15));
  SDL_JoystickUpdate();
}

void SetTestJoystickButton(int id, int button, bool down) {
  SDL_Joystick* joy = FindTestJoystick(id);
  if (!joy) return;
  SDL_JoystickSetVirtualButton(joy, button, down ? SDL_PRESSED : SDL_RELEASED);
  SDL_JoystickUpdate();
}
