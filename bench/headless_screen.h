// The screen every game-side benchmark draws on: the headless back end, an 800 x 600 display
// showing the 1280 x 960 logical screen, and budgets no frame reaches.
#pragma once

#include "frame/draw.h"
#include "frame/frame_state.h"
#include "media/media.h"

inline void OpenHeadlessScreen() {
  MediaInit(MEDIA_HEADLESS);
  OpenDisplay(800, 600, 0, 60);
  SetVirtualResolution(1280, 960);
  ScreenW = 1280;
  ScreenH = 960;
  for (int k = 1; k < DRAW_KINDS; ++k) DrawLimit[k] = 100000;
}
