// The walker rules: one frame of one walker over a Board, with no drawing, sound or particles, so
// that the game and the level solver run one set of rules. What a player would see and hear of
// the frame comes back as RuleEvents, which the game plays and the solver ignores. Nothing here
// reads the pointer, the clock or the random generator.
#pragma once

#include "game/game_state.h"

// What a frame of the rules shows or sounds, in the order it happened.
enum RuleEventKind {
  RULE_SOUND,      // a: sound effect (SFX_*)
  RULE_COUNTDOWN,  // a: the number of seconds the waiting countdown shows
  RULE_SPLAT,      // the walker splats this frame (spurts from its corner)
  RULE_DEBRIS,     // a, b: the cell of the block broken this frame
  RULE_SPARKLE     // the walker sinks into its hole (sparkle from its corner)
};
struct RuleEvent {
  int kind = RULE_SOUND;
  int a = 0, b = 0;
};
struct RuleEvents {
  static constexpr int MAX = 8;  // a frame of one walker makes at most three
  int count = 0;
  RuleEvent at[MAX];
  void Add(int kind, int a = 0, int b = 0) {
    if (count < MAX) at[count++] = {kind, a, b};
  }
};

// The animation frame a walker's state picked for this frame.
struct Pose {
  int f = 0;             // frame of plonko.png and plonkohat.png
  int openingTile = -1;  // bg.png frame of the hole opening behind the walker, -1 none
};

// A tickle: a waiting walker starts (and a Safety Hat comes off); a walking one turns round; any
// other state ignores it. It acts before the walker's frame of rules.
void TickleWalker(Walker& w);
// The hat goes on, replacing any hat worn. The caller takes it from the stock.
void GiveHat(Walker& w, int hat);

// One frame of a walker, after any tickle: the waiting countdown, the test for stepping off an
// edge, then its state's step. May leave anim at WS_FINISHED. events may be null.
void StepRules(Board& b, Walker& w, Pose& pose, RuleEvents* events);
