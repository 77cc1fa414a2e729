// A whole level under the walker rules, as a pure function of the level and the player's actions:
// the board and every walker by its stable index, stepped frame by frame without drawing, sound
// or particles. The solver searches with it; tests play plans with it.
#pragma once

#include <cstdint>
#include <vector>

#include "game/rules.h"

constexpr int RULES_MAX_WALKERS = 16;  // walkers a level may have for the solver

struct RulesLevel {
  Board board;
  Walker walkers[RULES_MAX_WALKERS];
  int count = 0;      // walkers the level created
  uint32_t live = 0;  // bit i: walker i is still in the level
};

enum Verdict { PLAYING, WON, LOST };

// The level LoadLevel has just loaded (LevelBoard, Walkers) as rules state. False when it has
// more walkers than the solver takes.
bool CaptureLevel(RulesLevel& out);

// One frame, as the game orders it: walkers in index order, a tickle acting just before its
// walker's step, a hat going on after every walker has stepped (the drop of a dragged hat). The
// n actions of this frame (actions may be null when n is 0); an action whose walker has left, or
// whose hat is not in stock, does nothing.
void StepLevel(RulesLevel& s, const PlayerAction* actions, int n);

// WON once every walker went down a hole, LOST as soon as one has splatted or all have gone
// with one lost, PLAYING otherwise.
Verdict Judge(const RulesLevel& s);

struct RulesOutcome {
  Verdict verdict = PLAYING;
  int frame = 0;  // the frame after which the verdict was known
};
// Plays the actions (in frame order) from the level's first frame until a verdict or maxFrames frames.
RulesOutcome PlayRules(RulesLevel s, const std::vector<PlayerAction>& actions, int maxFrames);
