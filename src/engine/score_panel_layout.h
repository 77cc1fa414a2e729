// Where the title's score panel puts its parts, in logical units: x from the panel's reference
// edge L (ScreenW - slide), y from the graph's bottom line (ScreenH - SCORE_BASE_ABOVE_BOTTOM),
// except the thank-you box's y, from the screen's top. The panel's drawing, its hit tests and the
// tests all read this table.
#pragma once

#include "frame/layout.h"

constexpr int SCORE_BASE_ABOVE_BOTTOM = 10;
constexpr Area SCORE_BACKGROUND{-8, -422, 322, 422};

// The graph: one point per game, newest at the right, over the bottom GRAPH_H units.
constexpr int GRAPH_H = 150;
constexpr int NEWEST_POINT_X = 306;   // before scrolling
constexpr int POINT_STEP = 18;        // units between two games
constexpr int GRAPH_LEFT = -14;       // points at or left of this are not drawn
constexpr int POINT_HALF_W = 9;       // a point answers over the 19 units around it
constexpr Area OLDER_ZONE{-12, -GRAPH_H, 32, GRAPH_H};   // hovering scrolls to older games
constexpr Area NEWER_ZONE{270, -GRAPH_H, 62, GRAPH_H};   // and back to newer ones

// The best list: row k (from 1) at BEST_FIRST_ROW_Y + BEST_ROW_PITCH * (k - 1).
constexpr int BEST_ROW_X = -6;
constexpr int BEST_FIRST_ROW_Y = -426;
constexpr int BEST_ROW_PITCH = 17;
constexpr int BEST_ROW_HIT_H = 18;
constexpr int COLUMN_W = 320;         // a best row, and the details box's text
constexpr int SCORE_RIGHT_X = 314;    // right edge of the scores

// The chosen game's details.
constexpr Area DETAILS_BOX{-12, -566, 330, 140};
constexpr Spot DETAILS_NAME{-6, -562};
constexpr Spot DETAILS_SCORE{SCORE_RIGHT_X, -541};  // right-aligned
constexpr Spot DETAILS_COMPLETE{-6, -516};
constexpr Spot DETAILS_BADGES{-4, -476};            // badge n (from 1) BADGE_PITCH * (n - 1) right
constexpr int BADGE_PITCH = 20;
constexpr Spot DETAILS_DATE{-6, -430};              // bottom-aligned

constexpr Area THANKS_BOX{-12, 0, 330, 200};

// The middle of best row k and the graph point of the n-th newest game (from 1), for the panel
// at reference edge l and bottom line base, scrolled by scroll.
constexpr Spot BestRowSpot(int l, int base, int k) {
  return {l + BEST_ROW_X + COLUMN_W / 2, base + BEST_FIRST_ROW_Y + BEST_ROW_PITCH * (k - 1) + BEST_ROW_HIT_H / 2};
}
constexpr int GraphPointX(int l, int scroll, int n) { return l + scroll + NEWEST_POINT_X - POINT_STEP * (n - 1); }
