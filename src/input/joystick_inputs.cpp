// The joystick input tables.
#include "input/joystick_inputs.h"

#include "media/media.h"

const AxisInput AXES[6] = {
    {JoyY, &JoystickPort::cy, "Y"}, {JoyX, &JoystickPort::cx, "X"}, {JoyZ, &JoystickPort::cz, "Z"},
    {JoyU, &JoystickPort::cu, "U"}, {JoyV, &JoystickPort::cv, "V"}, {JoyR, &JoystickPort::cr, "R"},
};

// The bands overlap, so a diagonal makes two directions active at once.
const HatInput HAT_INPUTS[4] = {
    // sub                exact  lo    hi    name
    {FIRST_HAT_SUB + 0, 0.0f, 0.8f, 0.2f, "Up"},  // wraps round 0
    {FIRST_HAT_SUB + 5, 0.25f, 0.1f, 0.4f, "Right"},
    {FIRST_HAT_SUB + 8, 0.5f, 0.3f, 0.7f, "Down"},
    {FIRST_HAT_SUB + 3, 0.75f, 0.6f, 0.9f, "Left"},
};
