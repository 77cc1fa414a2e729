// Ending the process, and the memory statistics of the debug overlay.
#include <cstdlib>

#include "media/internal.h"

namespace {

EndHook gEndHook = nullptr;  // set by tests; lives until replaced

}  // namespace

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
