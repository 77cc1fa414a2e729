#include "frame/stripes.h"

#include "frame/draw.h"
#include "frame/frame_state.h"
#include "media/media.h"

void DrawStripes() {
  float b = 50.0f;
  SetDrawRotation(-45);
  for (int i = 0; i <= ScreenH; i += 10) {
    b += 0.5f;
    SetDrawColour(0, 0, b);
    DrawRect(-100, static_cast<float>(3 * i), static_cast<float>(ScreenW + 1800), 30);
  }
}
