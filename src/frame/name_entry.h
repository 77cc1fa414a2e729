// Name entry: the full-screen prompt in which the player types the name filed with a new score.
#pragma once

// Edits PlayerName in place (engine/score_table.h) in its own frame loop. Held end keys (Escape,
// Return, mouse button 1) must be released before the entry starts; any of them then ends it,
// keeping the name as typed (an empty name too). At most one typed character is taken per frame.
void EnterName();
