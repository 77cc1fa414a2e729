// The score history panel at the right edge of the title screen.
#pragma once

// slide is 10 x SlideStep; mode, level and flags select the records shown. Draws, and prunes
// ScoreList of old records that are neither recent nor among the best.
void ShowResults(int slide, int mode, int level, int flags);
