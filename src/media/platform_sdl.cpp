// Start-up and shut-down of the media layer, and SDL's own start-up. Owns the choice of back end
// (kept until the next MediaInit) and which SDL subsystems this layer has started.
#include <SDL.h>

#include <string>

#include "media/internal.h"
#include "media/platform.h"

namespace {

MediaBackend gBackend = MEDIA_HEADLESS;  // chosen by MediaInit; headless until then
bool gInitialised = false;               // MediaInit ran and MediaShutdown has not

// Hints must be in place before the first subsystem starts.
void SetSdlHints() {
  // One user request to close must count once: SDL would otherwise follow the window's close
  // event with a quit event of its own.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Joysticks are polled like the host's joystick interface: readable without window focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // The layer handles terminate signals itself: they must end the game without waiting for a key.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

// With no display server SDL falls back to drivers that show nothing ("offscreen", "dummy"); a
// game window there could never be seen or closed. Such a driver counts only when the environment
// names it.
bool VisibleVideoDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return false;
  const std::string name = driver;
  if (name != "offscreen" && name != "dummy") return true;
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  return asked && name == asked;
}

}  // namespace

bool EnsureSdl(uint32_t subsystems) {
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SetSdlHints();
  const uint32_t missing = subsystems & ~SDL_WasInit(subsystems);
  if (missing == 0) return true;
  if (SDL_InitSubSystem(missing) != 0) return false;
  if ((missing & SDL_INIT_VIDEO) && !VisibleVideoDriver()) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  if (missing & SDL_INIT_JOYSTICK) {
    // The layer reads joystick state by polling; queued events would only pile up unread.
    SDL_JoystickEventState(SDL_IGNORE);
  }
  return true;
}

void MediaInit(MediaBackend backend) {
  if (gInitialised) MediaShutdown();
  gBackend = backend;
  gInitialised = true;
  InputReset();
  InstallTerminateHandlers();
  if (backend == MEDIA_HEADLESS) {
    HeadlessReset();
  } else {
    // Events, clock and joysticks work without a display: the game scans its pads before the
    // display opens. A refusal here leaves input empty; the display and audio report their own.
    EnsureSdl(SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_JOYSTICK);
  }
  GfxInit(backend);
  AudioInit(backend);
}

void MediaShutdown() {
  GfxShutdown();
  AudioShutdown();
  ReleaseAllObjects();
  CloseJoysticks();
  if (SDL_WasInit(SDL_INIT_EVERYTHING) != 0) SDL_Quit();
  InputReset();
  gInitialised = false;
}

MediaBackend MediaBackendInUse() { return gBackend; }
