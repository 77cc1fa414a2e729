// How far the stored games got, per difficulty: the furthest level ever won (a record's Best[n]
// is 1 when level n was won in that game), and the start levels the title offers from it.
#pragma once

#include "common/score_table.h"
#include "media/list.h"

constexpr int LEVELS_PER_MODE = 30;  // levels of one difficulty, and of a record's Best table

// The highest n (1..30) with Best[n] = 1 in a record of `mode`, whatever its start level; 0 when
// no level of that difficulty was ever won.
int FurthestWon(List<Scores>& list, int mode);
// The furthest start level the title offers: one past the furthest won, at most 30.
int ReachableLevel(List<Scores>& list, int mode);
