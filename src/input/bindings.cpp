// The binding table: defaults, the "held now" test and the controls page's edit rule.
#include "input/input.h"
#include "input/input_state.h"
#include "input/joystick_inputs.h"
#include "media/media.h"

namespace {

struct DefaultBinding {
  int control, code;
};
constexpr DefaultBinding PLAYER1_DEFAULTS[] = {
    // control          code
    {CONTROL_UP, 38},       // Up arrow
    {CONTROL_LEFT, 37},     // Left arrow
    {CONTROL_RIGHT, 39},    // Right arrow
    {CONTROL_DOWN, 40},     // Down arrow
    {CONTROL_ACTION1, 90},  // Z
    {CONTROL_ACTION2, 88},  // X
    {CONTROL_ACTION3, 67},  // C
    {CONTROL_ACTION4, 86},  // V
};

bool HatActive(const HatInput& dir, float h) {
  if (h < 0) return false;  // centred
  if (dir.lo > dir.hi) return h > dir.lo || h < dir.hi;
  return h > dir.lo && h < dir.hi;
}

int JoystickActive(int code) {
  const int port = (code - PORT_CODE_BASE) / CODES_PER_PORT;
  if (port < 1 || port > MAX_PORTS) return 0;
  const JoystickPort& pad = JoystickPorts[port];
  if (pad.present != 1) return 0;
  const int media = port - 1;
  const int sub = JoystickSub(code);

  if (JoystickKind(sub) == JOY_AXIS) {
    const AxisInput& axis = AXES[sub / 2];
    const float reading = axis.read(media), centre = pad.*axis.centre;
    return (sub % 2 == 0 ? reading < centre - AXIS_THRESHOLD : reading > centre + AXIS_THRESHOLD) ? 1 : 0;
  }
  for (const HatInput& dir : HAT_INPUTS)
    if (sub == dir.sub) return pad.hat == 1 && HatActive(dir, JoyHat(media)) ? 1 : 0;
  if (sub >= FIRST_BUTTON_SUB) return JoyDown(sub - FIRST_BUTTON_SUB, media) ? 1 : 0;
  return 0;
}

}  // namespace

void SetDefaultBindings() {
  for (int& code : ControlBindings) code = 0;
  for (const DefaultBinding& d : PLAYER1_DEFAULTS) ControlBindings[d.control] = d.code;
}

int BindingActive(int code) {
  // Mouse buttons (1..3), Backspace, Tab and 255 never act as controls.
  if (code >= 10 && code <= 254) return KeyDown(code) ? 1 : 0;
  if (code < FIRST_JOY_CODE) return 0;
  return JoystickActive(code);
}

int ControlActive(int control, int player) {
  if (control < 0 || control >= CONTROLS_PER_PLAYER || player < 1 || player > MAX_PORTS) return 0;
  return BindingActive(ControlBindings[(player - 1) * CONTROLS_PER_PLAYER + control]);
}

void EditBinding(int index, int code) {
  if (index < 0 || index >= BINDING_COUNT) return;
  if (code > KEY_BACKSPACE) ControlBindings[index] = code;
  if (code == KEY_BACKSPACE) ControlBindings[index] = 0;
}
