// The cells of "icons.png" (16 x 16 each, eight to a row, 64 in all), named once for the code
// that draws them, for gen_assets that makes them and for the asset test that checks them.
// Options shown by one button sit in consecutive cells: the button draws first cell + value.
#pragma once

enum IconCell : int {
  ICON_STAR = 0,             // the engine test's sprite
  ICON_TICK = 1,             // spare: made, not drawn by the program yet
  ICON_CROSS = 2,            // spare
  ICON_KEY = 3,              // binding box of a key or mouse button: a key cap
  ICON_ARROW_LEFT = 4,       // spare
  ICON_ARROW_RIGHT = 5,      // spare
  ICON_HEART = 6,            // spare
  ICON_GRAPH_POINT = 7,      // a point of the score panel's graph
  ICON_JOY_HAT = 8,          // binding boxes of joystick inputs
  ICON_JOY_AXIS = 9,
  ICON_JOY_BUTTON = 10,
  ICON_SCREEN_4_3 = 11,      // the "Resolution" button, by the widescreen flag: 4:3, then wide
  ICON_SCREEN_WIDE = 12,
  ICON_WINDOWED = 13,        // the display button: window, then full screen
  ICON_FULLSCREEN = 14,
  ICON_QUALITY_BEST = 18,    // three, two or one bar lit: the display choice and the frame skip
  ICON_QUALITY_FEWER = 19,
  ICON_QUALITY_BACKUP = 20,
  ICON_TRACK_LEFT = 21,      // the volume sliders
  ICON_TRACK_RIGHT = 22,
  ICON_KNOB = 23,
  ICON_SPEAKER_LOUD = 24,    // the audio drivers in the media layer's order, one cell each
  ICON_SPEAKER = 25,
  ICON_SPEAKER_SOFT = 26,
  ICON_HEADPHONES = 27,
  ICON_NOTE = 28,
  ICON_SOUND_CHIP = 29,
  ICON_POINTER = 63,         // the drawn pointer: tip at the cell's top-left corner
};

inline constexpr int ICON_CELLS = 64;

// Every cell that gen_assets draws; the other cells of the strip stay clear.
inline constexpr IconCell ICONS_MADE[] = {
    ICON_STAR,           ICON_TICK,           ICON_CROSS,          ICON_KEY,        ICON_ARROW_LEFT,
    ICON_ARROW_RIGHT,    ICON_HEART,          ICON_GRAPH_POINT,    ICON_JOY_HAT,    ICON_JOY_AXIS,
    ICON_JOY_BUTTON,     ICON_SCREEN_4_3,     ICON_SCREEN_WIDE,    ICON_WINDOWED,   ICON_FULLSCREEN,
    ICON_QUALITY_BEST,   ICON_QUALITY_FEWER,  ICON_QUALITY_BACKUP, ICON_TRACK_LEFT, ICON_TRACK_RIGHT,
    ICON_KNOB,           ICON_SPEAKER_LOUD,   ICON_SPEAKER,        ICON_SPEAKER_SOFT, ICON_HEADPHONES,
    ICON_NOTE,           ICON_SOUND_CHIP,     ICON_POINTER,
};
