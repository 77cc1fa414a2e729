// Where the title puts its parts, in logical units from the middle of the screen (ScreenW / 2,
// ScreenH / 2), before each part's slide offset. The title's drawing, its hit tests and the tests
// all read this table.
#pragma once

#include "frame/layout.h"

constexpr Spot SETTINGS_HINT{4, 4};  // from the screen's top-left corner
constexpr Spot TITLE_LOGO{0, -140};  // the logo's centre; rises with the slide
constexpr Spot LOGO_CAPTION{196, -155};  // "1 inch", centred; sinks with the slide

// "Click Here to Start" and its box, centred on the middle; slides in from below.
constexpr Area START_BOX{-200, -40, 400, 80};

// The difficulty rows, "1 Inch" first; they slide in from above.
constexpr Spot DIFFICULTY_ROWS{-100, 200};  // the first row's top-left
constexpr int CHOICE_W = 200, CHOICE_H = 40;  // a row's hit box
constexpr int CHOICE_ROW = 50;                // from one row to the next

// The start-level control on the chosen difficulty's row: "<", the number, ">". Right of the
// start prompt's text (about 250 wide), so the two never meet as they slide past each other, and
// left of the score panel (ScreenW - 330 at the least) in every layout. Slides in from below.
constexpr int LEVEL_CONTROL_X = 140;
constexpr int ARROW_W = 30, NUMBER_W = 60;

// The credits' box on the left, ScreenH - CREDITS_ABOVE_BOTTOM from the top.
constexpr int CREDITS_LEFT = 10;
constexpr int CREDITS_ABOVE_BOTTOM = 430;
constexpr int CREDITS_H = 422;
constexpr int CREDIT_LINE = 20;
constexpr int CREDITS_TEXT_TOP = 2;  // the first line's top, below the box's

// The middles of the difficulty row `mode` and of the start-level arrows beside it, with the
// title slid fully in, on a logical screen of w x h.
constexpr Spot DifficultyRowSpot(int w, int h, int mode) {
  return {w / 2 + DIFFICULTY_ROWS.x + CHOICE_W / 2, h / 2 + DIFFICULTY_ROWS.y + mode * CHOICE_ROW + CHOICE_H / 2};
}
constexpr Spot LessArrowSpot(int w, int h, int mode) {
  return {w / 2 + LEVEL_CONTROL_X + ARROW_W / 2, h / 2 + DIFFICULTY_ROWS.y + mode * CHOICE_ROW + CHOICE_H / 2};
}
constexpr Spot MoreArrowSpot(int w, int h, int mode) {
  return {w / 2 + LEVEL_CONTROL_X + ARROW_W + NUMBER_W + ARROW_W / 2, h / 2 + DIFFICULTY_ROWS.y + mode * CHOICE_ROW + CHOICE_H / 2};
}
