// Waiting for held inputs to be released.
#include "frame/input_wait.h"

#include "frame/settings_menu.h"
#include "media/media.h"

namespace {

bool StillHeld(bool andReturn, bool andMouse) {
  return KeyDown(KEY_ESCAPE) || (andReturn && KeyDown(KEY_RETURN)) || (andMouse && ScreenMouseDown(1));
}

}  // namespace

void WaitForRelease(bool andReturn, bool andMouse) {
  PollSystem();
  while (StillHeld(andReturn, andMouse)) {
    Delay(1);
    PollSystem();
  }
}
