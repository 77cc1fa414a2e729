// Waiting for held inputs to be released.
#include "frame/input_wait.h"

#include "media/media.h"

namespace {

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
