// The start-up joystick scan.
#include "input/input.h"
#include "input/input_state.h"
#include "input/joystick_inputs.h"
#include "media/media.h"

void ScanJoysticks() {
  JoystickCount = JoyCount();
  if (JoystickCount > MAX_PORTS) JoystickCount = MAX_PORTS;
  if (JoystickCount < 0) JoystickCount = 0;
  for (int p = 1; p <= MAX_PORTS; ++p) JoystickPorts[p] = JoystickPort{};
  for (int p = 1; p <= JoystickCount; ++p) {
    JoystickPort& pad = JoystickPorts[p];
    const int media = p - 1;
    pad.mask = JoyButtonCaps(media);
    pad.name = JoyName(media);
    // Dead zones are measured from where each axis rests now, not from 0.
    for (const AxisInput& axis : AXES) pad.*axis.centre = axis.read(media);
    pad.present = 1;
    // A hat that is not centred at start-up is taken for broken and ignored for good.
    pad.hat = JoyHat(media) == -1.0f ? 1 : 0;
  }
}
