// The level as the game plays it: LevelState (game/game_state.h) stepped one rules frame at a
// time with the actions the pointer made, what each frame showed kept for the drawing, and an
// undo that plays the attempt again from its start without its last action.
#pragma once

#include <cstdint>

#include "game/level_rules.h"
#include "game/walker.h"

constexpr int FAST_FORWARD_STEPS = 8;  // rules frames per presented frame while Space is held
constexpr int MAX_FRAME_ACTIONS = 4;   // actions the pointer makes in one frame (a tickle, a hat)

// --- What the last stepped frame showed, by walker index: emptied by every level load. ---
inline WalkerFrame ShownFrames[RULES_MAX_WALKERS];
inline uint32_t ShownWalkers = 0;    // walkers stepped in that frame (drawn, also one that left in it)
inline uint32_t HoveredWalkers = 0;  // walkers under the pointer as the frame began

// One rules frame of LevelState with the frame's actions (StepLevel), plus what the game shows
// and counts of it: sounds, countdowns, particles, hat pops, points, the actions in ActionLog.
void StepGameLevel(const PlayerAction* actions, int n);

// The pointer of this frame as actions, in the game's order: the walkers under it (the last one
// becomes SelectedWalker), a tickle of the first when a fresh press is down, and the drop of a
// dragged hat where the selected walker will be after this frame's step. Returns the count.
int PointerActions(PlayerAction* out);
// After the step: button 1 held over a panel icon takes that hat, when none is carried.
void TakeHatFromPanel();
// One level frame: the pointer's actions, the step, the panel.
void PlayLevelFrame();

// A new attempt: LevelStart is LevelState, LevelFrame 0, no actions, nothing shown or selected.
// Every level load calls it.
void BeginLevelRecord();
// Takes back the last action of ActionLog: LevelState is played again from LevelStart with the
// earlier actions, up to the frame of the undone one. False when there is none.
bool UndoAction();
// LevelState after `frames` frames from `start` with the logged actions before that frame.
RulesLevel Replayed(const RulesLevel& start, const std::vector<PlayerAction>& log, int frames);
