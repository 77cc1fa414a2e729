// Start-of-run values of the input subsystem's globals.
#include "input/input_state.h"

void ResetInputState() {
  for (int& code : ControlBindings) code = 0;
  for (JoystickPort& port : JoystickPorts) port = JoystickPort{};
  JoystickCount = 0;
}
