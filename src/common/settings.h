// The user settings table and the audio driver names, shared by every subsystem.
// Defaults are set by the start-up sequence (SetDefaultSettings) before Setup.ini is read; the
// display set-up and the settings menu write the table while the program runs.
#pragma once

#include <string>
#include <vector>

// Indices into Settings (used from 1; entries not named here carry no setting).
enum SettingIndex {
  Fullscreen = 1,   // 1 full screen, 0 window
  Widescreen = 2,   // 1 when the open display is 16:9 or 16:10 (set by the display set-up only)
  GfxEngine = 3,    // display choice: 0 OpenGL, 1 "DX9", 2 "DX7"
  ModeIndex = 4,    // 1-based position of the open size in DisplayModes
  Width = 5,        // display size in pixels
  Height = 6,
  ESS = 7,          // frame-skip ("Emergency Slow System"): 1 on, 0 off
  Master = 11,      // volumes, 0 to 100
  Sound = 12,
  Music = 13,
  AudioDriver = 14  // 0-based index into AudioDriverNames
};

inline constexpr int SETTINGS_SIZE = 100;
inline constexpr int MAX_AUDIO_DRIVERS = 100;

// Lives for the whole run; zeroed and given its defaults once at start-up.
inline int Settings[SETTINGS_SIZE] = {};
// The media layer's audio driver names in its order, read once at start-up (at most 100).
inline std::vector<std::string> AudioDriverNames;

// Zeroes the table, then sets the defaults (800 x 600 window, OpenGL, volumes 50).
void SetDefaultSettings();
// Fills AudioDriverNames from the media layer.
void FillAudioDriverNames();
// The name stored for an audio driver index; empty when the index names no driver.
std::string AudioDriverName(int index);
