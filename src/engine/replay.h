// Watching a solution: `plonko-elongo --replay FILE` plays a level's pointer script (the
// .solution format, game/solution_file.h) in the game's window at its normal pace, prints one
// line on standard output and ends, leaving Setup.ini and scores.dat as they were:
//   replay: <Soft|Hard> <n> won|lost|unfinished, score <points>, badges <bits>, frames <frames>
#pragma once

#include <string>

#include "game/solution_file.h"

// Exit codes: won, lost or unfinished, and a file that is missing or damaged (or names no level).
constexpr int REPLAY_WON = 0, REPLAY_NOT_WON = 1, REPLAY_BAD_FILE = 2;
// Longest replay: three minutes of level frames, the most a solution may take.
constexpr int REPLAY_MAX_FRAMES = 10800;

// Reads the script before anything changes the current folder. False, with the reason on
// standard error, when it cannot be used.
bool ReadReplay(const std::string& path, Solution& out);

// A point of a script, written for the 1280 x 960 layout (board at 32, 32, panel from the right
// edge), moved to the same place on a screen `screenW` wide with its board at (gridX, gridY).
void ScriptToScreen(int& x, int& y, int screenW, float gridX, float gridY);

// The result line printed at the end of a replay.
std::string ReplayLine(const std::string& levelName, int level, const char* outcome, int score, int badges, int frames);

// Plays the script from its level after start-up (PlayerFilesKept set before it) and ends the process with the exit code above.
[[noreturn]] void RunReplay(const Solution& s);
