// A whole level under the walker rules, as a pure function of the level and the player's actions:
// the board and every walker by its stable index, stepped frame by frame without drawing, sound
// or particles. The solver searches with it; tests play plans with it.
#pragma once

#include <cstdint>
#include <vector>

#include "game/rules.h"

enum Verdict { PLAYING, WON, LOST };

// The level LoadLevel has just loaded (LevelState) as rules state. False when it has more
// walkers than the rules take.
bool CaptureLevel(RulesLevel& out);

// What one frame of the rules showed, by walker index, for the game to play and draw.
struct StepReport {
  uint32_t stepped = 0;  // bit i: walker i was live and stepped this frame
  uint32_t tickled = 0;  // bit i: a tickle started or turned walker i
  uint32_t hatsOn = 0;   // bit k: action k of the frame put its hat on
  Walker before[RULES_MAX_WALKERS];  // each stepped walker as the frame began (after a tickle)
  Pose pose[RULES_MAX_WALKERS];
  RuleEvents events[RULES_MAX_WALKERS];
};

// One frame, as the game orders it: walkers in index order, a tickle acting just before its
// walker's step, a hat going on after every walker has stepped (the drop of a dragged hat). The
// n actions of this frame (actions may be null when n is 0); an action whose walker has left, or
// whose hat is not in stock, does nothing. report, when not null, gets what the frame showed.
void StepLevel(RulesLevel& s, const PlayerAction* actions, int n, StepReport* report = nullptr);

// The game's judgement: WON once every walker went down a hole, LOST once all have gone with one
// lost, PLAYING otherwise.
Verdict LevelVerdict(const RulesLevel& s);
// The search's shortcut: as LevelVerdict, but LOST already when a walker splats.
Verdict SearchVerdict(const RulesLevel& s);

struct RulesOutcome {
  Verdict verdict = PLAYING;
  int frame = 0;  // the frame after which the verdict was known
};
// Plays the actions (in frame order) from the level's first frame until a verdict (SearchVerdict)
// or maxFrames frames.
RulesOutcome PlayRules(RulesLevel s, const std::vector<PlayerAction>& actions, int maxFrames);
