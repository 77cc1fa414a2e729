// The pattern builder: every 64 steps the song's pools are drawn from with the shared random
// generator, seeded from the song's seed and position, and turned into five tracks of 64 values.
#pragma once

#include <string>

// Each character followed by one space: every note lasts twice as long.
std::string StretchLine(const std::string& line);
// A line of `section` chosen from the song's seed and position and `k`, stretched by the
// section's mode.
std::string PickLine(int section, int k);
// A chord line, chosen like PickLine from the chord section, never stretched.
std::string PickChordLine(int k);
// Builds the next pattern into SongState(), starting a new phrase when the last one is over.
void NextPattern();
