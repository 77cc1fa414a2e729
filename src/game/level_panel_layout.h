// The side panel's level box below the hat boxes: the score, the level and its par. x from the
// screen's right edge, in the hat boxes' column; y from the screen's top. The lowest hat box ends
// at y HAT_BOXES_BOTTOM and the lowest screen is 900 high, so the box fits in every layout. The
// box's drawing and its tests read this table.
#pragma once

#include "frame/layout.h"

constexpr int HAT_BOXES_BOTTOM = 790;
constexpr Area LEVEL_BOX{-260, 800, 240, 90};
// The middles of its three lines, from the box's top.
constexpr int LEVEL_BOX_SCORE_Y = 18;
constexpr int LEVEL_BOX_LEVEL_Y = 50;
constexpr int LEVEL_BOX_PAR_Y = 76;
constexpr int LEVEL_BOX_TEXT_ROOM = LEVEL_BOX.w - 8;  // a text wider than this is made smaller
