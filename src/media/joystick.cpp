// Joysticks: the SDL devices in SDL's order as ports 0 .. JoyCount() - 1, or the headless back
// end's virtual pads. Every read checks its port and button, so any number is safe to pass.
#include <SDL.h>

#include <climits>
#include <vector>

#include "media/internal.h"
#include "media/platform.h"

namespace {

struct Pad {
  SDL_JoystickID id;
  SDL_Joystick* joy;
};

std::vector<Pad> gPads;        // open devices, in SDL's device order; closed by CloseJoysticks
uint64_t gLastUpdate = ~0ull;  // SDL tick of the last state refresh

// Hat positions as a fraction of a turn clockwise from up, indexed by SDL's hat bits
// (1 up, 2 right, 4 down, 8 left). Impossible combinations read as centred.
constexpr float HAT_TURN[16] = {
    -1.0f,   // centred
    0.0f,    // up
    0.25f,   // right
    0.125f,  // up right
    0.5f,    // down
    -1.0f,   // up down
    0.375f,  // right down
    -1.0f,   // up right down
    0.75f,   // left
    0.875f,  // up left
    -1.0f,   // right left
    -1.0f,   // up right left
    0.625f,  // down left
    -1.0f, -1.0f, -1.0f,
};

// Reopens the list when devices came or went, and refreshes the state at most once per
// millisecond: without the event pump (no display yet) the reads must still be current.
void Refresh() {
  if (!EnsureSdl(SDL_INIT_JOYSTICK)) return;
  const uint64_t now = SDL_GetTicks64();
  if (now != gLastUpdate) {
    gLastUpdate = now;
    SDL_JoystickUpdate();
  }
  const int n = SDL_NumJoysticks();
  bool same = n == static_cast<int>(gPads.size());
  for (int i = 0; same && i < n; ++i) same = SDL_JoystickGetDeviceInstanceID(i) == gPads[static_cast<size_t>(i)].id;
  if (same) return;  // the usual case: nothing plugged or unplugged
  std::vector<Pad> next;
  for (int i = 0; i < n; ++i) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
    if (id < 0) continue;
    bool kept = false;
    for (Pad& p : gPads) {
      if (p.joy && p.id == id) {
        next.push_back(p);
        p.joy = nullptr;
        kept = true;
        break;
      }
    }
    if (kept) continue;
    if (SDL_Joystick* joy = SDL_JoystickOpen(i)) next.push_back(Pad{id, joy});
  }
  for (Pad& p : gPads)
    if (p.joy) SDL_JoystickClose(p.joy);
  gPads = std::move(next);
}

SDL_Joystick* SdlPad(int port) {
  Refresh();
  if (port < 0 || port >= static_cast<int>(gPads.size())) return nullptr;
  return gPads[static_cast<size_t>(port)].joy;
}

const VirtualJoystick* VirtualPad(int port) {
  if (port < 0 || port >= JoyCount()) return nullptr;
  return &HeadlessJoystick(port);
}

bool Headless() { return MediaBackendInUse() == MEDIA_HEADLESS; }

// SDL's -32768..32767 stretched onto -1..1: the raw position minus the device minimum, times 2,
// over the device's span, minus 1.
float Axis(int port, int axis) {  // axis 0..5: x, y, z, r, u, v
  if (Headless()) {
    const VirtualJoystick* pad = VirtualPad(port);
    return pad ? pad->axis[axis] : 0.0f;
  }
  SDL_Joystick* joy = SdlPad(port);
  if (!joy || axis >= SDL_JoystickNumAxes(joy)) return 0.0f;
  const int raw = SDL_JoystickGetAxis(joy, axis);
  return static_cast<float>((raw + 32768) * 2.0 / 65535.0 - 1.0);
}

}  // namespace

void CloseJoysticks() {
  for (Pad& p : gPads)
    if (p.joy) SDL_JoystickClose(p.joy);
  gPads.clear();
}

int JoyCount() {
  if (Headless()) return HeadlessJoystickCount();
  Refresh();
  return static_cast<int>(gPads.size());
}

float JoyX(int port) { return Axis(port, 0); }
float JoyY(int port) { return Axis(port, 1); }
float JoyZ(int port) { return Axis(port, 2); }
float JoyR(int port) { return Axis(port, 3); }
float JoyU(int port) { return Axis(port, 4); }
float JoyV(int port) { return Axis(port, 5); }

float JoyHat(int port) {
  if (Headless()) {
    const VirtualJoystick* pad = VirtualPad(port);
    return pad ? pad->hat : -1.0f;
  }
  SDL_Joystick* joy = SdlPad(port);
  if (!joy || SDL_JoystickNumHats(joy) < 1) return -1.0f;
  return HAT_TURN[SDL_JoystickGetHat(joy, 0) & 15];
}

bool JoyDown(int button, int port) {
  if (button < 0) return false;
  if (Headless()) {
    const VirtualJoystick* pad = VirtualPad(port);
    return pad && button < pad->buttons && button < 32 && (pad->held >> button) & 1u;
  }
  SDL_Joystick* joy = SdlPad(port);
  return joy && button < SDL_JoystickNumButtons(joy) && SDL_JoystickGetButton(joy, button) != 0;
}

int JoyButtonCaps(int port) {
  int buttons = 0;
  if (Headless()) {
    const VirtualJoystick* pad = VirtualPad(port);
    buttons = pad ? pad->buttons : 0;
  } else if (SDL_Joystick* joy = SdlPad(port)) {
    buttons = SDL_JoystickNumButtons(joy);
  }
  if (buttons <= 0) return 0;
  // A mask of 31 or more bits no longer fits an int: every bit that does is set.
  if (buttons >= 31) return INT_MAX;
  return (1 << buttons) - 1;
}

std::string JoyName(int port) {
  if (Headless()) {
    const VirtualJoystick* pad = VirtualPad(port);
    return pad ? pad->name : std::string();
  }
  SDL_Joystick* joy = SdlPad(port);
  const char* name = joy ? SDL_JoystickName(joy) : nullptr;
  return name ? name : "";
}
