// Test support: SDL virtual joysticks, so tests above the media layer (which see no SDL) can drive
// the real joystick path after MediaInit(MEDIA_REAL). Needs no display.
#pragma once

#include <string>

// SDL's hat bits, combined for diagonals (TEST_HAT_UP | TEST_HAT_RIGHT).
enum TestHatBits { TEST_HAT_CENTRED = 0, TEST_HAT_UP = 1, TEST_HAT_RIGHT = 2, TEST_HAT_DOWN = 4, TEST_HAT_LEFT = 8 };

// Plugs in a pad; it becomes the last joystick port. Returns its id, or -1 when SDL refuses.
int AttachTestJoystick(const std::string& name, int axes, int buttons, int hats);
void DetachTestJoystick(int id);
// Each change is visible to the next read at once.
void SetTestJoystickAxis(int id, int axis, float value);  // -1..1
void SetTestJoystickHat(int id, int hat, int bits);       // TestHatBits
void SetTestJoystickButton(int id, int button, bool down);
