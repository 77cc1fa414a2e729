// Where the settings panel puts its parts, in logical units: x from the screen's left edge (the
// audio column's from its own left edge), y from the panel's top, to which the slide offset MenuY
// is added. The panel's drawing, its hit tests and the tests all read this table.
#pragma once

#include "frame/layout.h"
#include "input/input_state.h"

constexpr int PANEL_HEIGHT = 300;

// Option buttons: a 16 x 16 icon drawn at scale 2, the text OPTION_TEXT_X right of the button's
// left edge; the button answers over the icon and its first line of text.
constexpr int OPTION_ICON = 32;
constexpr int OPTION_TEXT_X = 38;

// The display column.
constexpr Spot GRAPHICS_TITLE{20, 4};
constexpr Spot FULLSCREEN_BUTTON{20, 30};
constexpr Spot RESOLUTION_BUTTON{20, 70};
constexpr int RESOLUTION_ZONE_W = 200;  // arrows and clicks step the mode while over this band
constexpr int RESOLUTION_ZONE_H = 70;
constexpr Spot MODE_TEXT{20, 108};
constexpr Spot SIZE_CLASS_TEXT{80, 128};
constexpr Spot FRAME_SKIP_BUTTON{20, 146};
constexpr Spot DISPLAY_CHOICE_BUTTON{20, 184};
constexpr Spot APPLY_BUTTON{20, 260};

// The binding boxes: a block of eight boxes per player, 48 x 48 each, placed from the block's
// top-left corner.
constexpr int BINDING_BOX = 48;
constexpr Spot PLAYER_BLOCKS[5] = {{0, 0}, {250, 10}, {250, 160}, {650, 10}, {650, 160}};  // players 1 to 4
struct BindingPlace {
  int control;
  Spot at;
};
constexpr BindingPlace BINDING_PLACES[8] = {
    {CONTROL_UP, {50, 0}},        {CONTROL_LEFT, {0, 50}},     {CONTROL_RIGHT, {100, 50}},
    {CONTROL_DOWN, {50, 50}},     {CONTROL_ACTION4, {190, 0}}, {CONTROL_ACTION3, {155, 30}},
    {CONTROL_ACTION2, {225, 30}}, {CONTROL_ACTION1, {190, 60}},
};

// The audio column, AUDIO_COLUMN_W from the screen's right edge.
constexpr int AUDIO_COLUMN_W = 280;
constexpr Spot AUDIO_DRIVER_BUTTON{0, 20};
constexpr Spot RESTART_NOTE{0, 50};
constexpr Spot MASTER_SLIDER{0, 70};
constexpr Spot SOUND_SLIDER{0, 120};
constexpr Spot MUSIC_SLIDER{0, 170};
constexpr int SLIDER_W = 100;  // a slider answers over (x - 2, y - 4, 100, 24): value 0 at x - 2
constexpr int SLIDER_H = 24;
constexpr Spot JOYSTICK_LIST{0, 230};
constexpr int JOYSTICK_ROW = 15;

// A point well inside an option button or a binding box at `spot`, on the panel fully down at
// `menuY` (its icon's middle), with the audio column's left edge at `columnX` where it applies.
constexpr Spot OnButton(Spot spot, int menuY, int columnX = 0) {
  return {columnX + spot.x + OPTION_ICON / 2, menuY + spot.y + OPTION_ICON / 2};
}
