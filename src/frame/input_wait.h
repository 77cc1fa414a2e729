// Waiting, without drawing, until inputs that are still held have been let go.
#pragma once

// Returns once none of Escape, Return (when `andReturn`) and mouse button 1 (when `andMouse`) is
// held. The real back end is pumped in 1 ms sleeps and nothing is presented, so the back buffer
// keeps the frame drawn so far. The headless back end only changes its input at frame
// boundaries, so there each wait step ends a frame (it draws nothing).
void WaitForRelease(bool andReturn, bool andMouse);
