// The pieces of a replay that run no game: where a script's point lies on this screen, and the
// line printed at the end.
#include "engine/replay.h"

namespace {

constexpr int SCRIPT_W = 1280;                           // the layout scripts are written for
constexpr int SCRIPT_GRID = 32;                          // its board origin, on both axes
constexpr int SCRIPT_BOARD_END = SCRIPT_GRID + 14 * 64;  // right of this: the side panel

}  // namespace

void ScriptToScreen(int& x, int& y, int screenW, float gridX, float gridY) {
  if (x >= SCRIPT_BOARD_END) {
    x += screenW - SCRIPT_W;  // the panel keeps its distance from the right edge and its rows
    return;
  }
  x += static_cast<int>(gridX) - SCRIPT_GRID;
  y += static_cast<int>(gridY) - SCRIPT_GRID;
}

std::string ReplayLine(const std::string& levelName, int level, const char* outcome, int score, int badges, int frames) {
  return "replay: " + levelName + " " + std::to_string(level) + " " + outcome + ", score " + std::to_string(score) +
         ", badges " + std::to_string(badges) + ", frames " + std::to_string(frames) + "\n";
}

