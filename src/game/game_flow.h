// The pieces of one game, in the order PlayGame runs them. Split out so tests can run a frame or
// a layer on its own; the game itself only calls PlayGame (game/play_game.h).
#pragma once

#include <string>
#include <vector>

// Empties the effect and walker lists, zeroes the results, loads level Level + 1 (the title's
// start level) of GameMode's levels and starts the background. False when that level could not
// be loaded (no game to play).
bool StartGameState();

// One frame of play: the game's frames of state (eight while Space fast-forwards a level), every
// layer back to front, then EndFrame. Returns EndCode.
int GameFrame();
// Its two halves: the state and the layers, then EndFrame (where a pause menu's "Quit" sets
// EndCode). Between them the frame is drawn but not yet presented.
void DrawGameFrame();
int EndGameFrame();
// One frame of the game's state, nothing drawn: the level's frame (unless the settings panel
// holds it), the particles, the banner and the level tests, the click latch.
void AdvanceGame();
// Every layer of the frame, back to front, from the state as it stands; changes nothing of it.
void DrawGameScene();
// Space held in a level: the level runs FAST_FORWARD_STEPS frames per presented frame.
bool FastForwarding();

// The layers of a frame (GridX, GridY set).
void DrawBoardTiles();
// The walkers as their last level frame showed them (game/level_play.h).
void DrawWalkers();
// The instruction box: a "Soft" level's hint lines (the first two levels' lessons stay up; other
// hints show while a walker waits to set off), a "Hard" level's title while a walker waits, or
// "No way out:" / "press R to try again" while the level can no longer end.
void DrawInstructions();
// The lines the box would show now, before fitting (empty: no box).
std::vector<std::string> InstructionLines();
// The side panel: stock boxes and icons, the hovered icon bright.
void HatPanel();
// Below the hat boxes: the score, the level ("Soft 7 / 30") and its par.
void LevelPanel();
// The hand pointer, or the hand with the dragged hat.
void PointerAndDrag();
// The banner's count and the won / lost tests.
void LevelProgress();
// The banner, while it counts.
void DrawBanner();
// After the level tests: watches for a level whose walkers only repeat a loop (NoWayOut) and says
// so once per attempt as a message. A tickle or a hat handled this frame counts as an action.
void WatchForNoWayOut();

// "Game Over" over the last picture, 1500 ms, name entry and the score record (Quit 1).
void FinishGame();
// The record of the game just ended, appended to ScoreList, newest first.
void FileScore();
