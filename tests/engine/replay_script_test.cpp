// A replay's script points, written for the 1280 x 960 layout, land on the same board cell or
// panel icon in every layout.
#include <gtest/gtest.h>

#include "engine/replay.h"

namespace {

TEST(ReplayScript, PointsFollowTheBoardAndThePanel) {
  struct Case {
    int x, y;            // in the script
    int screenW;         // the layout's width
    float gridX, gridY;  // its board origin
    int wantX, wantY;
  } cases[] = {
      // script     layout              on screen
      {452, 448, 1280, 32, 32, 452, 448},    // 4:3: as written
      {452, 448, 1600, 64, 2, 484, 418},     // widescreen: the board moved
      {927, 900, 1440, 64, 2, 959, 870},     // the board's last column
      {1100, 250, 1600, 64, 2, 1420, 250},   // a hat icon: the panel keeps to the right edge
      {928, 150, 1440, 64, 2, 1088, 150},    // the panel's side of the board's edge
  };
  for (const Case& c : cases) {
    int x = c.x, y = c.y;
    ScriptToScreen(x, y, c.screenW, c.gridX, c.gridY);
    EXPECT_EQ(x, c.wantX) << c.x << "," << c.y << " at " << c.screenW;
    EXPECT_EQ(y, c.wantY) << c.x << "," << c.y << " at " << c.screenW;
  }
}

}  // namespace
