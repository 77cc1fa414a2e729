// The game flow's globals: which level is played, how the game ends, the level banner and the
// dragged hat, the tally of the level attempt and of the game. Reset by every PlayGame
// (StartGameState) and at start-up (ResetFlowState); Score, Badges and LevelBest are the shared
// results that the score record copies.
#pragma once

#include <string>

#include "frame/pause_menu.h"
#include "game/loop_watch.h"

constexpr int END_GAME = PAUSE_QUIT;  // EndCode that ends the game (the only one): Quit chosen
constexpr int BANNER_FRAMES = 120;    // frames the level banner stays
constexpr int BANNER_WON = 0;         // bits.png frame after a won level
constexpr int BANNER_RETRY = 1;       // after a lost or restarted level
constexpr int LEVEL_RESULTS = 30;     // LevelBest entries 1..30

// --- One game: set when PlayGame starts. ---
inline std::string LevelName = "Soft";  // "Soft" (GameMode 0) or "Hard" (GameMode 1)
inline int LevelNumber = 1;             // the level being played, from 1
inline int EndCode = 0;                 // 0 while playing; END_GAME ends the game
inline int BannerTimer = 0;             // frames left for the banner, 0 none
inline int BannerFrame = BANNER_WON;
inline bool BannerShowing = false;      // the banner counted a frame in the last level frame
inline int DraggedHat = 0;              // colour index of the hat being dragged, 0 none

// --- One attempt at a level: zeroed by every level load (a new level, a restart, a lost level).
inline int LevelActions = 0;    // tickles and hats given to a walker
inline int LevelHatsGiven = 0;  // of them, hats
inline int LevelHatsHanded = 0; // hats in the panel when the level loaded
inline int LevelFrames = 0;     // frames since the load
inline int LevelTries = 1;      // attempts at this level in a row, 1 the first (a reload adds one)
inline int LevelScoreFrom = 0;  // Score when the attempt began (an undo recounts from it)
inline int LevelSavedFrom = 0;  // SavedInGame when the attempt began

// --- The game so far, for the badges: zeroed when a game starts. ---
inline int LevelsWon = 0;   // levels won (every walker saved; the skip chord wins none)
inline int ParWins = 0;     // of them, won at par
inline int CleanRun = 0;    // levels won in a row with no restart, lost or skipped level between
inline int SavedInGame = 0; // Plonkos saved

// --- Shared results: zeroed when a game starts; the score record copies them. ---
inline int Score = 0;
inline int Badges = 0;  // bit n - 1 for badge n
inline int LevelBest[LEVEL_RESULTS + 1] = {};  // used from 1: 1 when that level was won in this game

// --- No way out: the watch starts afresh with every level load (LevelLoads); NoWayOut is its
// --- verdict in the last frame, NoWayOutTold the load whose attempt has had the message. ---
inline constexpr const char* NO_WAY_OUT_TEXT = "No way out: press R to try again";
inline LoopWatch NoWayOutWatch;
inline bool NoWayOut = false;
inline int NoWayOutWatched = -1;  // LevelLoads the watch is looking at
inline int NoWayOutTold = -1;     // LevelLoads when the message was last shown

// Puts every global above back to its start-of-run value.
void ResetFlowState();
