// Numbers read from files: the absolute value that the readers store, without the undefined
// behaviour of negating the most negative integer (it clamps to the largest one instead).
#pragma once

#include <climits>
#include <string>

#include "media/media.h"

inline int AbsInt(int v) { return v == INT_MIN ? INT_MAX : (v < 0 ? -v : v); }
// The text read as an integer (clamped to the int range), then its absolute value.
inline int ReadAbsInt(const std::string& s) { return AbsInt(ToInt(s)); }
