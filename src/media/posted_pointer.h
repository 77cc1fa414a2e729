// Pointer events posted into the window system's queue, as a mouse would send them: the game's
// --replay plays a recorded pointer script through the real event pump this way, and the tests'
// virtual mouse (sdl_test_input.h) is built on it. Positions are window pixels.
#pragma once

// SDL's button numbers: 1 left, 2 middle, 3 right.
void PostPointerButton(int sdlButton, bool down, int x, int y);
void PostPointerMotion(int x, int y);
