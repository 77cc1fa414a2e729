// The end of every frame: floating numbers, global keys, the settings panel, the debug overlay,
// the pointer, the mouse sample, the message stack, the present, pacing to 60 frames per second
// (sleeping in 1 ms steps until at least 14.67 ms after the previous frame ended), the music step
// and the frame-rate measure.
#pragma once

#include <string>

// The pace is always 60 frames per second (frame-skip draws every other one). showPointer 1 draws
// the pointer (it is drawn anyway while the settings panel is open).
// Returns the pause menu's choice when it ran during this call (PAUSE_CONTINUE or PAUSE_QUIT), else 0.
// Alt+F4 or a window-close request runs the closing sequence, which does not return.
int EndFrame(int showPointer);

// True when the current frame is drawn and presented: frame-skip off, or on and FrameParity 0.
bool FramePresented();

// Appends a message (tick 0) to the stack; it is highlighted for 59 frames and lives 180.
void AddMessage(const std::string& txt, int c);

// Draws and ages the floating numbers; removes each on its last frame. Called first by EndFrame.
void DrawScorePopups();
// One frame of the floating numbers' rise and fade, nothing drawn (a level run faster than the
// frames shown).
void AgeScorePopups();
