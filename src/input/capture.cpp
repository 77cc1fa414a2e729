// Capture of the input held now, for the controls page's binding boxes.
#include "input/input.h"
#include "input/input_state.h"
#include "input/joystick_inputs.h"
#include "media/media.h"

namespace {

constexpr int MOUSE_BUTTONS = 3;     // codes 1..3
constexpr int MAX_CAPTURED_BUTTON = 19;  // buttons below this; a button code reads back as 0..18

// Codes 1..3 are the mouse buttons; the rest are keyboard keys.
bool CodeHeld(int code) { return code <= MOUSE_BUTTONS ? MouseDown(code) : KeyDown(code); }

int CaptureJoystick(int port) {
  const JoystickPort& pad = JoystickPorts[port];
  const int media = port - 1;
  const int base = PORT_CODE_BASE + CODES_PER_PORT * port;
  for (int k = 0; k < AXIS_SUBS / 2; ++k) {
    const float reading = AXES[k].read(media), centre = pad.*AXES[k].centre;
    if (reading < centre - AXIS_THRESHOLD) return base + 2 * k;
    if (reading > centre + AXIS_THRESHOLD) return base + 2 * k + 1;
  }
  if (pad.hat == 1) {
    // Only exact quarter turns: a diagonal would bind an ambiguous direction.
    const float h = JoyHat(media);
    for (const HatInput& dir : HAT_INPUTS)
      if (h == dir.exact) return base + dir.sub;
  }
  for (int i = 0; i < pad.mask && i < MAX_CAPTURED_BUTTON; ++i)
    if (JoyDown(i, media)) return base + FIRST_BUTTON_SUB + i;
  return 0;
}

}  // namespace

std::vector<int> HeldInputs() {
  std::vector<int> held;
  for (int code = 1; code <= 255; ++code)
    if (CodeHeld(code)) held.push_back(code);
  for (int port = 1; port <= JoystickCount && port <= MAX_PORTS; ++port) {
    if (JoystickPorts[port].present != 1) continue;
    if (const int code = CaptureJoystick(port)) held.push_back(code);
  }
  return held;
}

int CaptureInput() {
  // F11 and F12 are the screenshot and overlay keys: pressing them over a box must not bind them.
  if (KeyDown(KEY_F11) || KeyDown(KEY_F12)) return 0;
  for (int code = 1; code <= 255; ++code)
    if (CodeHeld(code)) return code;
  for (int port = 1; port <= JoystickCount && port <= MAX_PORTS; ++port) {
    if (JoystickPorts[port].present != 1) continue;
    if (const int code = CaptureJoystick(port)) return code;
  }
  return 0;
}
