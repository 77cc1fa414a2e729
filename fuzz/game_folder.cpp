// The game's folder name without the common assets behind it: the readers only need its text.
#include "common/common_assets.h"

std::string GameFolder() { return "247/"; }
