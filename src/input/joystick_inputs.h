// The joystick part of the input code space, shared by the active test, the capture, the key
// names and the binding boxes: the axis order of the sub-codes, the hat directions and the buttons.
#pragma once

#include "input/input_state.h"

constexpr int PORT_CODE_BASE = 250;  // code = 250 + 50 * port + sub-code
constexpr int CODES_PER_PORT = 50;
constexpr int FIRST_JOY_CODE = 300;
constexpr float AXIS_THRESHOLD = 0.3f;  // an axis counts once it leaves its rest position by this
constexpr int AXIS_SUBS = 12;        // sub-codes 0..11: six axes, two directions each
constexpr int FIRST_HAT_SUB = 20;    // hat directions among 20..29
constexpr int FIRST_BUTTON_SUB = 30; // button b is sub-code 30 + b

// Axis sub-codes 2k (toward negative) and 2k + 1 (toward positive), k in this order: Y X Z U V R.
struct AxisInput {
  float (*read)(int mediaPort);
  float JoystickPort::*centre;
  const char* name;  // shown with "-" or "+"
};
extern const AxisInput AXES[6];

// Hat directions: active within (lo, hi), or outside [hi, lo] when lo > hi (up wraps round 0);
// captured only at the exact quarter turn.
struct HatInput {
  int sub;
  float exact;
  float lo, hi;
  const char* name;
};
extern const HatInput HAT_INPUTS[4];

// What a joystick code's sub-code (code mod 50) stands for. The unused sub-codes 12..19 read as
// buttons, as they always have.
enum JoystickInputKind { JOY_AXIS, JOY_HAT, JOY_BUTTON };
constexpr int JoystickSub(int code) { return (code % CODES_PER_PORT + CODES_PER_PORT) % CODES_PER_PORT; }
constexpr JoystickInputKind JoystickKind(int sub) {
  return sub < AXIS_SUBS ? JOY_AXIS : (sub >= FIRST_HAT_SUB && sub < FIRST_BUTTON_SUB ? JOY_HAT : JOY_BUTTON);
}
