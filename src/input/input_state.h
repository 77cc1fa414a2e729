// The input subsystem's globals: the control bindings and the joysticks found at start-up.
// ControlBindings lives for the whole run (defaults at start-up, then Setup.ini and the controls
// page change it); JoystickPorts is filled once by ScanJoysticks and never refreshed.
#pragma once

#include <string>

// Input codes: 0 unbound; 1..255 key codes (1, 2, 3 the mouse buttons); 300..499 joystick inputs,
// 250 + 50 * port + sub-code for ports 1..4.
constexpr int BINDING_COUNT = 101;
constexpr int CONTROLS_PER_PLAYER = 20;
constexpr int MAX_PORTS = 4;

// Controls used by the program (add (player - 1) * CONTROLS_PER_PLAYER).
constexpr int CONTROL_UP = 0;
constexpr int CONTROL_LEFT = 3;
constexpr int CONTROL_RIGHT = 5;
constexpr int CONTROL_DOWN = 8;
constexpr int CONTROL_ACTION1 = 10;  // the title's "Start"
constexpr int CONTROL_ACTION2 = 11;
constexpr int CONTROL_ACTION3 = 12;
constexpr int CONTROL_ACTION4 = 13;

inline int ControlBindings[BINDING_COUNT] = {};

// One joystick port as the start-up scan found it.
struct JoystickPort {
  int present = 0;   // 1 when the scan found a device here
  std::string name;  // device name
  int mask = 0;      // button capability mask, (1 << buttons) - 1
  float cx = 0, cy = 0, cz = 0, cr = 0, cu = 0, cv = 0;  // axis rest positions, -1..1
  int hat = 0;       // 1 when the hat read centred (-1) at start-up; otherwise ignored for good
  int use = 1;       // the settings panel's on/off switch for the pad (shown, not enforced)
};
inline JoystickPort JoystickPorts[MAX_PORTS + 1];  // ports 1..4; entry 0 unused
inline int JoystickCount = 0;                      // devices found, 0..4

// No bindings, no joysticks: the start-of-run values, before ScanJoysticks and SetDefaultBindings.
void ResetInputState();
