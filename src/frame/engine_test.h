// Measures how many sprites per frame the machine draws at the target rate and sets the draw
// budgets (DrawLimit 1..3), TargetFps and possibly frame-skip from it. Runs whenever the display
// mode has been applied.
#pragma once

void EngineTest(int target, int spriteScale);
