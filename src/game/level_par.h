// A level's par, declared in its source (assets/levels/*.txt) by a line
//   par hats=<n> actions=<n>
// after its "level" line: the hats a win must use and the fewest actions that win it. The level
// tool accepts the line (the image does not hold it); the solver test holds each level to it.
#pragma once

#include <string>
#include <vector>

struct LevelPar {
  bool set = false;  // the level has a par line
  int hats = 0;
  int actions = 0;
};

// Reads "hats=<n> actions=<n>" (either order, each once, 0..99). False when it is not.
bool ParsePar(const std::string& items, LevelPar& out);

// The par of every level of a source, by level from 0. False, with `error` saying which line and
// why, when the file cannot be read or a par line is malformed, repeated or before any level.
bool ReadLevelPars(const std::string& path, std::vector<LevelPar>& out, std::string& error);
