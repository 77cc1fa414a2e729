// Level solutions: scripted pointer input for one level, by frame, stored beside the level
// sources as <difficulty>_<level>.solution (soft_1.solution is "Soft" level 1).
//
// Text, one event a line; blank lines and lines starting with ';' are ignored:
//   <frame> move <x> <y>   the pointer moves to (x, y), logical units of the 1280 x 960 layout
//   <frame> press          mouse button 1 goes down
//   <frame> release        mouse button 1 comes up
//   <frame> key <name> down|up   a key goes down or up, by the game's own key name ("R",
//                          "Space", "Page Up", as the controls menu shows them)
// Frames count from the level's first frame (0), the frame after the one that loaded it (the
// first frame of the game for level 1). Events come in frame order. A pointer position is read
// by the game at the end of the frame it arrives in, so a press that should land on a walker
// comes at least one frame after the move.
#pragma once

#include <string>
#include <vector>

struct SolutionEvent {
  enum Kind { MOVE, PRESS, RELEASE, KEY } kind = MOVE;
  int frame = 0;
  int x = 0, y = 0;  // MOVE only
  int key = 0;       // KEY only: the input code
  bool down = false; // KEY only
};

// The input code of a key named as the game names it (1..255), 0 for a name it does not give.
int KeyCodeNamed(const std::string& name);

struct Solution {
  std::string levelName;  // "Soft" or "Hard"
  int level = 0;
  std::vector<SolutionEvent> events;
};

// Reads a solution file. False, with `error` saying which line and why, when the file is
// missing, its name does not say the level, or a line is not an event in frame order.
bool ReadSolution(const std::string& path, Solution& out, std::string& error);
// "Soft" and 3 from ".../soft_3.solution"; false when the name has another shape.
bool SolutionLevel(const std::string& path, std::string& levelName, int& level);
