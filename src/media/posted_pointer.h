// Pointer events posted into the window system's queue, as a mouse would send them: the game's
// --replay plays a recorded pointer script through the real event pump this way, and the tests'
// virtual mouse (sdl_test_input.h) is built on it. Positions are window pixels.
#pragma once

// SDL's button numbers: 1 left, 2 middle, 3 right.
void PostPointerButton(int sdlButton, bool down, int x, int y);
void PostPointerMotion(int x, int y);
// A key of the game's numbering (input codes 1..255) going down or up, in turn with the pointer's
// events: the --replay's key lines.
void PostGameKey(int code, bool down);
// The user event that carries a posted game key (its code field, the key in data1, down in data2).
constexpr int POSTED_KEY_MARK = 0x504B;
