// The pieces of the screens' layout tables (frame/settings_layout.h, engine/score_panel_layout.h,
// engine/title_layout.h): a point and a rectangle in logical units.
#pragma once

struct Spot {
  int x, y;
};

struct Area {
  int x, y, w, h;
  constexpr Spot Middle() const { return {x + w / 2, y + h / 2}; }
};
