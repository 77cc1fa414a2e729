// Where things are for the pointer, defined once: the hat panel's rows and stock icons, and the
// box around a walker's sprite that the pointer hovers, tickles and drops a hat in.
#pragma once

#include <cstdlib>

#include "frame/frame_state.h"

constexpr int PANEL_INSET = 260;  // the panel's left edge is ScreenW - 260
constexpr int PANEL_WIDTH = 240;
constexpr int PANEL_ROW = 100;    // row i (hat colour 1..7) starts at y = i * 100
constexpr int PANEL_BOX_H = 90;
constexpr int PANEL_MIDDLE = 140;  // texts are centred at ScreenW - 140
constexpr int ICON_RIGHT = 32;     // icon j's corner is 32 + 36 j left of the screen's right edge
constexpr int ICON_STEP = 36;
constexpr int ICON_TOP = 50;       // below its row's top
constexpr int ICON_HALF = 16;      // icons are 32 x 32 (a 64-pixel tile at scale 0.5)

// A walker is under the pointer while the pointer is nearer its sprite's centre than this
// (exclusive).
constexpr int HOVER_HALF_W = 20;
constexpr int HOVER_HALF_H = 32;

// The corner of stock icon j (from 1) of hat row i on a screen `screenW` wide.
inline void StockIconCorner(int screenW, int i, int j, int& x, int& y) {
  x = screenW - ICON_RIGHT - ICON_STEP * j;
  y = i * PANEL_ROW + ICON_TOP;
}
inline void StockIconCorner(int i, int j, int& x, int& y) { StockIconCorner(ScreenW, i, j, x, y); }
inline bool OverStockIcon(int px, int py, int cx, int cy) {
  return std::abs(px - (cx + ICON_HALF)) < ICON_HALF && std::abs(py - (cy + ICON_HALF)) < ICON_HALF;
}

// Whether the pointer (px, py) is over the walker whose sprite corner is (sx, sy).
inline bool OverWalker(int px, int py, int sx, int sy) {
  return std::abs(px - (sx + 32)) < HOVER_HALF_W && std::abs(py - (sy + 32)) < HOVER_HALF_H;
}
