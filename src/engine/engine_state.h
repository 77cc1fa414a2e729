// The engine's globals: credits, the title screen's state and latches, and the display modes and
// size. Everything lives for the whole run; the comment of each group says when it is reset.
// ResetEngineState puts every group back to its start-of-run value, together with the shared
// identity and assets, the game's images, and the frame, input, game flow and score table state
// (start-up calls it first; every test fixture calls it). The level state has its own Reset.
#pragma once

#include <string>

#include "common/common_assets.h"
#include "common/display_modes.h"
#include "frame/frame_state.h"  // ControlMode and PlayerCount, which the settings menu reads

// --- Credits: filled by start-up. ---
inline constexpr int MAX_CREDITS = 100;
inline std::string CreditLines[MAX_CREDITS];  // used from 1
inline int CreditCount = 0;

// --- Title: reset at start-up; SlideStep, the latches and the panel selection after every game. ---
// The clock reading when the last game started: nothing in the program reads it; it is kept as the
// record of a start, which the title's tests watch for.
inline int GameStartMs = 0;
inline int SlideStep = 0;         // 0 to 32: title slide-in, +1 per frame
inline int StartHeld = 0;         // the start input was held on the previous title frame
inline int StartBlocked = 0;      // after a game: a start needs the input released first
inline int ReturnedFromGame = 0;  // after a game: Escape must be released before it quits
inline int BadgeCount = 0;        // badge cells shown per score record (16)
inline int ResultsScroll = 0;     // score panel graph scroll, 0 to 1000
inline int ResultsSelected = 0;   // score panel choice: n (graph) or 1000 + k (best table)
// The start level shown is Level + 1 (common/score_table.h). StartLevelMode is the difficulty it
// was set for: -1 (at start-up and after every game) puts it back to the furthest reachable.
inline int StartLevelMode = -1;
inline int StartLevelHeld = 0;    // button 1 was held on the previous title frame (a click is a new press)

// --- Display: the mode list is rebuilt by every display set-up; the size follows the open display. ---
inline int DisplayW = 800, DisplayH = 600;  // the size open (or about to open)
inline int DisplayOpen = 0;                 // 1 once the first display and start-up screen showed
// The display that opened last, which a refused change goes back to (set by every display set-up).
struct WorkingDisplay {
  int w = 800, h = 600;
  int fullscreen = 0;  // the Fullscreen setting it was opened with
  int depth = 0;       // 0 a window
  int driver = 0;      // display choice
};
inline WorkingDisplay LastWorking;

void ResetEngineState();
