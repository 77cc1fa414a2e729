// The only way the program ends: save the settings and scores, write the last log lines, show
// the thank-you window until any input, exit with code 0.
#pragma once

[[noreturn]] void ClosingSequence();

// True while any input that ends the thank-you screen is held: a key or bound joystick input,
// mouse button 1 or 2, Alt+F4.
bool ClosingInputHeld();
// The thank-you screen's wait. Input held when the screen appears must be let go first. The key
// that quit is the hard case: the old window's keyboard state is dropped with it, so a key still
// held comes back as a new press when the new window takes the focus or when the key's
// auto-repeat starts (about 0.5 to 0.7 s after it went down). Input held at any time during the
// first CLOSING_SETTLE_MS therefore counts as carried over.
inline constexpr int CLOSING_SETTLE_MS = 1000;
struct ClosingWait {
  int shownAt = 0;     // clock when the screen was presented
  bool armed = false;  // nothing held since settling: the next held input ends the wait
};
// One poll; true when the wait is over. A window close request ends it at any time.
bool ClosingWaitDone(ClosingWait& wait);
