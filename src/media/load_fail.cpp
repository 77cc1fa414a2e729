// The hook that hears of every image, font or sound that could not be loaded.
#include "media/media.h"

namespace {

LoadFailHook gLoadFailHook = nullptr;

}  // namespace

void SetLoadFailHook(LoadFailHook hook) { gLoadFailHook = hook; }

int LoadFailed(const std::string& path) {
  if (gLoadFailHook && !path.empty()) gLoadFailHook(path);
  return 0;
}
