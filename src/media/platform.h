// Contracts between the platform files of the media layer (start-up, event pump, input state,
// key translation, joysticks, headless input). Free of SDL types, so the media layer's own tests
// can reach the translation helpers.
#pragma once

#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Key translation (keymap.cpp)
// ---------------------------------------------------------------------------------------------
// SDL scancodes run 0 .. SCANCODE_COUNT - 1.
constexpr int SCANCODE_COUNT = 512;
// The virtual-key code of an SDL scancode, 0 for keys the game does not know. With NumLock off
// the keypad digits and point give the navigation keys (keypad 5 gives Clear), as they do on
// the classic desktop. Out-of-range scancodes give 0.
int KeyCodeForScancode(int scancode, bool numLock);
// The code of a key as its label names it: letter and punctuation keys follow their label (an
// SDL key symbol, lower-case letters and ASCII punctuation); the digit row and keys without a
// character label keep KeyCodeForScancode's code, as does a label the numbering has no code for.
int KeyCodeForKey(int scancode, int label, bool numLock);
// The scancode of one of SDL's key names ("A", "Keypad 5", "Left Alt", ...), -1 when unknown.
int ScancodeFromName(const std::string& name);

// ---------------------------------------------------------------------------------------------
// Typed text (text_decode.cpp)
// ---------------------------------------------------------------------------------------------
// The Latin-1 characters of a UTF-8 text: code points 1..255 in order; others and malformed
// bytes are dropped.
std::vector<int> Latin1FromUtf8(const std::string& utf8);

// ---------------------------------------------------------------------------------------------
// Input state extras (input_state.cpp)
// ---------------------------------------------------------------------------------------------
// An auto-repeat of a held key: no new press, but Return and Backspace queue their character
// again, as typing does.
void InputKeyRepeat(int code);

// ---------------------------------------------------------------------------------------------
// Pointer (input_pointer.cpp)
// ---------------------------------------------------------------------------------------------
// Shows or hides SDL's pointer as last asked (a wish made before the display opened waits here).
void ApplyPointer();

// ---------------------------------------------------------------------------------------------
// Joysticks (joystick.cpp)
// ---------------------------------------------------------------------------------------------
// Closes every SDL joystick the layer opened (before SDL shuts down).
void CloseJoysticks();

// ---------------------------------------------------------------------------------------------
// Headless input (headless_input.cpp)
// ---------------------------------------------------------------------------------------------
void HeadlessResetInput();
int HeadlessJoystickCount();
// Applies the scheduled events of `frame` (and any earlier ones still pending), then calls the
// frame callback.
void HeadlessStartFrame(int frame);
// Calls the sleep callback with the fake clock (after a Delay has advanced it).
void HeadlessAfterSleep(int clock);
