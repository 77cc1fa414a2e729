// The score and the badges as a game earns them, where they happen: a Plonko going down its hole,
// a level won. Also the count of actions and hats that the par bonus and the badges read.
#pragma once

// Zeroes the game's score, badges and tally; once when a game starts.
void StartGameTally();
// After every level load: zeroes the attempt's tally. `again` when the same level was reloaded
// (a restart or a lost level), which adds a try and breaks the run of clean wins.
void BeginLevelTally(bool again);
// One frame of the level played (the level's time, for the badges).
void CountLevelFrame();
// A player's action on a walker: a tickle that starts or turns it, or a hat given to it.
void CountAction(bool hat);
// After an undo: the attempt's actions, hats given, score and Plonkos saved as ActionLog and
// LevelState now have them (badges earned stay earned).
void RecountLevelTally();
// A Plonko has gone down its hole: its points, floating up from the hole; (sx, sy) is the corner
// of its sprite on the screen.
void ScoreSavedWalker(int sx, int sy);
// Every walker of the level saved: the level's points (shown under the banner) and badges, before
// the next level loads.
void ScoreWonLevel();
// The skip chord passed a level: it earns nothing and ends the run of clean wins.
void SkipLevel();
