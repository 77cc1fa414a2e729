// The hint's search on a thread of its own: the game hands it a copy of the level and goes on
// with its frames; the answer is picked up by a later frame. One search at a time: a new one, or
// a cancel (a level change), abandons the one running, whose answer is then never handed out.
#pragma once

#include "game/level_hint.h"

struct HintAnswer {
  Hint hint;
  int frame = 0;  // the frame of the state searched
  int ticket = 0; // StartHint's number for the search
};

// Starts a search from `state`, which has stepped `frame` frames; returns its ticket (from 1).
// The budget's cancel is the runner's own.
int StartHint(const RulesLevel& state, int frame, const HintBudget& budget);
// The answer of the latest search once it is in (once: it is then taken). Never waits.
bool TakeHint(HintAnswer& out);
// Abandons the search running or asked for, if any. Never waits.
void CancelHint();
// True while a search is asked for or running.
bool HintBusy();
// Waits until no search is running; true when an answer is waiting to be taken. For tools and
// tests: the game never waits on the runner.
bool WaitForHint();
// Ends the thread (at quit); a later StartHint starts it again.
void StopHintRunner();
