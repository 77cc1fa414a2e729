// The joystick part of the input code space, shared by the active test and the capture: the axis
// order of the sub-codes and the hat directions (input subsystem only).
#pragma once

#include "input/input_state.h"

constexpr int PORT_CODE_BASE = 250;  // code = 250 + 50 * port + sub-code
constexpr int CODES_PER_PORT = 50;
constexpr int FIRST_JOY_CODE = 300;
constexpr float AXIS_THRESHOLD = 0.3f;  // an axis counts once it leaves its rest position by this
constexpr int FIRST_BUTTON_SUB = 30;

// Axis sub-codes 2k (toward negative) and 2k + 1 (toward positive), k in this order: Y X Z U V R.
struct AxisInput {
  float (*read)(int mediaPort);
  float JoystickPort::*centre;
};
extern const AxisInput AXES[6];

// Hat directions: active within (lo, hi), or outside [hi, lo] when lo > hi (up wraps round 0);
// captured only at the exact quarter turn.
struct HatInput {
  int sub;
  float exact;
  float lo, hi;
};
extern const HatInput HAT_INPUTS[4];
