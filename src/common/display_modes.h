// The usable display modes: rebuilt by every display set-up, read by the settings menu's
// "Resolution" button.
#pragma once

struct ModeSize {
  int w = 0, h = 0;
};
inline constexpr int MAX_DISPLAY_MODES = 2500;
inline ModeSize DisplayModes[MAX_DISPLAY_MODES];  // used from 1
inline int ModeCount = 0;
