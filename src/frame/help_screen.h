// The help page that F1 opens on the title and in a level: the goal, the hats, the keys and the
// score rule. It sits in the frame floor so that both the title and the game can open it.
#pragma once

#include <string>
#include <vector>

// How points are earned, word for word as the game awards them (also in the README).
inline constexpr const char* SCORE_RULE_TEXT =
    "Each Plonko that goes down a hole: 100 points (Hard 200). A won level: 500 + 100 x its number, "
    "plus 200 for each hat left in the panel, plus 1000 when it is won with no more actions (tickles "
    "and hats given) than its par. The skip chord earns nothing.";

// Runs the page's own frame loop until F1, Escape or a click, then waits until Escape and the
// mouse button are let go and drops the keys hit meanwhile, so nothing reaches the screen below:
// the caller's screen (a level) does not run while the page shows. Escape closes the page
// instead of pausing; Tab, F11 and F12 work as on any screen.
void ShowHelp();

// One frame of the page, drawn and ended with EndFrame; true when it is to close. Tests drive it.
bool HelpFrame();

// The page's lines, for reading: each section's heading and its paragraphs, the key table as
// "<key>: <what it does>".
std::vector<std::string> HelpLines();
