// The joystick input tables.
#include "input/joystick_inputs.h"

#include "media/media.h"

const AxisInput AXES[6] = {
    {JoyY, &JoystickPort::cy}, {JoyX, &JoystickPort::cx}, {JoyZ, &JoystickPort::cz},
    {JoyU, &JoystickPort::cu}, {JoyV, &JoystickPort::cv}, {JoyR, &JoystickPort::cr},
};

// The bands overlap, so a diagonal makes two directions active at once.
const HatInput HAT_INPUTS[4] = {
    // sub  exact   lo     hi
    {20, 0.0f, 0.8f, 0.2f},   // up (wraps round 0)
    {25, 0.25f, 0.1f, 0.4f},  // right
    {28, 0.5f, 0.3f, 0.7f},   // down
    {23, 0.75f, 0.6f, 0.9f},  // left
};
