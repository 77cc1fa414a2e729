// The only way the program ends: save the settings and scores, write the last log lines, show
// the thank-you window until any input, exit with code 0.
#pragma once

[[noreturn]] void ClosingSequence();

// True while any input that ends the thank-you screen is held: a key or bound joystick input,
// mouse button 1 or 2, Alt+F4.
bool ClosingInputHeld();
// One poll of the thank-you screen's wait; true when it is over. Input held when the screen
// appeared must be let go first (`armed` records that it was): a key still down while the new
// window takes the focus is reported pressed again, and would close the screen at once. A window
// close request ends the wait at any time.
bool ClosingWaitDone(bool& armed);
