// The frame layer's globals: pacing, the per-frame mouse sample, the layers that EndFrame draws over
// every screen (floating numbers, settings panel, overlay, pointer, messages), the logical screen,
// the draw budgets and the engine test's results. Everything here lives for the whole run; the
// comment of each group says when (if ever) it is reset.
#pragma once

#include <string>

#include "media/list.h"

// Puts every group below back to its start-of-run value and empties the lists (tests use it
// between runs).
void ResetFrameState();

// One on-screen message of the stack that EndFrame draws at the bottom-left.
struct Message {
  int tick = 0;     // frames shown so far
  std::string txt;  // the text
  int c = 0;        // caller's colour code; stored, not used for drawing
};

// A floating number, created by the game.
struct ScorePopup {
  int n = 0;             // value shown
  float x = 0, y = 0;    // logical position, playfield offset included
  int t = 120;           // frames left; alpha is t / 120
  int r = 255, g = 255, b = 255;
};

// Budget kinds of DrawnCount / DrawLimit (entries 1..19 are usable; 0 is never counted).
constexpr int DRAW_KINDS = 20;
constexpr int KIND_SPRITE = 1;
constexpr int KIND_GLOW = 2;
constexpr int KIND_PARTICLE = 3;

// --- Pacing: set at start-up, then by every EndFrame. ---
inline int FrameStart = 0;   // ms, clock reading at the end of the previous EndFrame
inline int FrameMs = 0;      // ms, duration of the last frame, present included
inline int FpsSmooth = 0;    // smoothed frames per second
inline int FpsShown = 0;     // copy of FpsSmooth for display and the engine test
inline int FrameParity = 0;  // 0/1, flips at the end of every EndFrame

// --- Global switches: never reset; toggled by keys and by the engine test. ---
inline int OverlayOn = 1;        // debug overlay (F12); the engine test turns it off
inline int MenuOpen = 0;         // settings panel wanted open (Tab)
inline int MenuY = -300;         // settings panel slide offset; hidden at -300
inline int PauseState = 0;       // 0 pausing not allowed, 1 allowed (in a game), 2 pause menu showing
inline int CollectionCount = 0;  // what the last memory collection pass reported

// --- Mouse sample: taken once per frame by EndFrame; logical units. ---
inline int FrameMouseX = 0, FrameMouseY = 0;
inline int PrevMouseX = 0, PrevMouseY = 0;
inline int LeftClicks = 0, RightClicks = 0;  // presses since the settings panel's last sample
// Who each mouse button's current press belongs to (1 left, 2 right, 3 middle): PRESS_NONE while
// the button is up; decided once as the press is first seen, kept until it is let go.
enum PressOwnerKind { PRESS_NONE = 0, PRESS_SCREEN = 1, PRESS_PANEL = 2 };
inline int PressOwner[4] = {};

// --- Layers over every screen: records live until they expire (messages 180 frames, popups t). ---
inline List<Message> MessageList;  // oldest first
inline int MessageY = 0;           // scratch: baseline of the message being drawn
inline List<ScorePopup> ScorePopupList;
inline float GridX = 0, GridY = 0;  // playfield offset set by the game; popups subtract it

// --- Logical screen: set by the display set-up each time the display opens. ---
inline int ScreenW = 1280, ScreenH = 960;

// --- Draw budgets: DrawnCount zeroed (1..10) by every BeginFrame; DrawLimit set at start-up and
// --- rewritten by the engine test each time the display is applied. ---
inline int DrawnCount[DRAW_KINDS] = {};
inline int DrawLimit[DRAW_KINDS] = {};

// --- Controls page: set once by start-up when the display has opened. ---
inline int ControlMode = 0;  // 1 mouse ("Click Here to Start"), 0 controls; 1 once the display opens
inline int PlayerCount = 0;  // players whose bindings the settings menu shows (4)

// --- Engine test results: rewritten by every EngineTest. ---
inline int TargetFps = 60;  // frames drawn per second the test settled on: 30 when it turned frame-skip on
inline int TestCount = 0;   // sprites per frame in the current stage
inline int TestBest = 0;    // largest stage that kept the rate
