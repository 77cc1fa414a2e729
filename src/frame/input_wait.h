// Waiting, without drawing, until inputs that are still held have been let go.
#pragma once

// Returns once none of Escape, Return (when `andReturn`) and mouse button 1 (when `andMouse`) is
// held. The input is pumped in 1 ms sleeps and nothing is presented, so the screen keeps the frame
// shown last.
void WaitForRelease(bool andReturn, bool andMouse);
