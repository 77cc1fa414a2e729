// Test support: posts window-system events into SDL's queue as a keyboard, a mouse or the window
// manager would, so tests can run the real event pump (PollSystem after MediaInit(MEDIA_REAL))
// without a display. Scancodes are SDL's (see ScancodeFromName in media/platform.h).
#pragma once

#include <string>

// label: the layout's key symbol for the key (SDL's, e.g. 'a'); -1 takes the US layout's.
void PushTestKey(int scancode, bool down, bool numLock = true, bool repeat = false, int label = -1);
void PushTestText(const std::string& utf8);
// SDL's button numbers: 1 left, 2 middle, 3 right.
void PushTestMouseButton(int sdlButton, bool down, int x, int y);
void PushTestMouseMotion(int x, int y);
void PushTestQuit();         // a quit request (also what a terminate signal becomes)
void PushTestWindowClose();  // the window manager's close button
