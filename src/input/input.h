// Control bindings, joystick scan, the "is this input held" test, input capture for the controls
// page, and the names shown for input codes. State lives in input/input_state.h.
#pragma once

#include <string>
#include <vector>

// Player 1: arrows for the directions, Z X C V for the four actions; every other entry 0.
void SetDefaultBindings();

// Counts the joysticks (at most 4) and records each one's name, buttons, axis rest positions and
// whether its hat is usable. Called once at start-up.
void ScanJoysticks();

// 1 while the input of `code` is held. Codes 1..9 and 255 (mouse buttons, Backspace, Tab) never
// act as controls; an absent port or an unknown sub-code is never active.
int BindingActive(int code);
// BindingActive of player's entry; 0 for a control or player outside the table.
int ControlActive(int control, int player);

// Every input held now, whatever its use: mouse buttons and keys (codes 1..255), then each
// joystick's first held input (its CaptureInput code).
std::vector<int> HeldInputs();
// The code of an input held now (keys first, then joysticks), or 0. Nothing is captured while F11
// or F12 is down, hats only at exact quarter turns, buttons only up to 18.
int CaptureInput();

// The controls page's edit rule for ControlBindings[index]: a captured code above 8 replaces the
// entry, 8 (Backspace) clears it, 1..7 and 0 change nothing. Indices outside the table are ignored.
void EditBinding(int index, int code);

// The text shown for a code: the key-name table, else the joystick sub-code name ("Y-", "Up", a
// button number). 0 reads "Unbound".
std::string KeyName(int code);
