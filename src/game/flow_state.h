// The game flow's globals: which level is played, how the game ends, the level banner and the
// dragged hat. Reset by every PlayGame (StartGameState); Score, Badges and LevelBest are the
// shared results that the score record copies.
#pragma once

#include <string>

#include "game/loop_watch.h"

constexpr int END_GAME = 99;          // EndCode that ends the game (the only one)
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
inline int DraggedHat = 0;              // colour index of the hat being dragged, 0 none

// --- Shared results: zeroed when a game starts; the game awards nothing, so they stay 0. ---
inline int Score = 0;
inline int Badges = 0;
inline int LevelBest[LEVEL_RESULTS + 1] = {};  // used from 1

// --- No way out: the watch starts afresh with every level load (LevelLoads); NoWayOut is its
// --- verdict in the last frame, NoWayOutTold the load whose attempt has had the message. ---
inline constexpr const char* NO_WAY_OUT_TEXT = "No way out: press R to try again";
inline LoopWatch NoWayOutWatch;
inline bool NoWayOut = false;
inline int NoWayOutWatched = -1;  // LevelLoads the watch is looking at
inline int NoWayOutTold = -1;     // LevelLoads when the message was last shown
