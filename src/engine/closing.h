// The only way the program ends: save the settings and scores, write the last log lines, show
// the thank-you window until any input (skipped after a terminate signal or when the window
// cannot open), exit with code 0.
#pragma once

#include <vector>

[[noreturn]] void ClosingSequence();

// The thank-you screen's wait. Input held when the closing began must be let go before it counts.
// The key that quit is the hard case: the old window's keyboard state is dropped with it, so a
// key still held comes back as a new press when the new window takes the focus or when the key's
// auto-repeat starts (about 0.5 to 0.7 s after it went down). An input held at the start is
// therefore free again only once it is seen let go, or after CLOSING_CARRY_MS without being seen
// down. Every other input ends the wait at once.
inline constexpr int CLOSING_CARRY_MS = 1000;
struct CarriedInput {
  int code = 0;           // an input code (HeldInputs)
  bool seenDown = false;  // seen held since the wait began
};
struct ClosingWait {
  int shownAt = 0;                    // clock when the screen was presented
  std::vector<CarriedInput> carried;  // held at the start and not yet let go
};
// Records the inputs held now; call before the keyboard state is flushed.
ClosingWait StartClosingWait();
// One poll; true when the wait is over. A window close request or a terminate signal ends it at
// any time.
bool ClosingWaitDone(ClosingWait& wait);
