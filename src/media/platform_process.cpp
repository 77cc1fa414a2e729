// Ending the process, the terminate signals, and the memory statistics of the debug overlay.
#include <signal.h>

#include <cstdlib>

#include "media/internal.h"

namespace {

EndHook gEndHook = nullptr;  // set by tests; lives until replaced
volatile sig_atomic_t gTerminate = 0;  // a terminate signal arrived; wiped by every MediaInit

constexpr int TERMINATE_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// Only notes the request: the game saves and ends from its own loop. A second signal means the
// game did not get there, and ends the process at once.
void OnTerminate(int sig) {
  if (gTerminate) {
    signal(sig, SIG_DFL);
    raise(sig);
    return;
  }
  gTerminate = 1;
}

}  // namespace

void InstallTerminateHandlers() {
  gTerminate = 0;
  struct sigaction sa {};
  sa.sa_handler = OnTerminate;
  sigemptyset(&sa.sa_mask);
  for (int sig : TERMINATE_SIGNALS) sigaction(sig, &sa, nullptr);
}

bool TerminateSignalled() { return gTerminate != 0; }

void SetEndHook(EndHook hook) { gEndHook = hook; }

void EndProcess(int code) {
  // A test's hook usually throws to unwind back into the test; one that returns still ends here.
  if (gEndHook) gEndHook(code);
  MediaShutdown();
  std::exit(code);
}

// Objects are released as soon as they are freed, so a collection pass never finds any pending.
int CollectMemory() { return 0; }

int64_t MemoryInUse() { return ObjectBytes(); }
