// Waiting for held inputs to be released.
#include "frame/input_wait.h"

#include "media/media.h"

namespace {

constexpr int KEY_RETURN = 13;
constexpr int KEY_ESCAPE = 27;

bool StillHeld(bool andReturn, bool andMouse) {
  return KeyDown(KEY_ESCAPE) || (andReturn && KeyDown(KEY_RETURN)) || (andMouse && MouseDown(1));
}

}  // namespace

void WaitForRelease(bool andReturn, bool andMouse) {
  PollSystem();
  while (StillHeld(andReturn, andMouse)) {
    Delay(1);
    PollSystem();
  }
}
