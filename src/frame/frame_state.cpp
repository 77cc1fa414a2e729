// Start-of-run values of the frame layer's globals.
#include "frame/frame_state.h"

void ResetFrameState() {
  FrameStart = FrameMs = FpsSmooth = FpsShown = FrameParity = 0;
  OverlayOn = 1;
  MenuOpen = 0;
  MenuY = -300;
  PauseState = 0;
  CollectionCount = 0;
  FrameMouseX = FrameMouseY = PrevMouseX = PrevMouseY = 0;
  LeftClicks = RightClicks = 0;
  for (int& o : PressOwner) o = PRESS_NONE;
  MessageList.Clear();
  MessageY = 0;
  ScorePopupList.Clear();
  GridX = GridY = 0;
  ScreenW = 1280;
  ScreenH = 960;
  for (int& n : DrawnCount) n = 0;
  for (int& n : DrawLimit) n = 0;
  TargetFps = 60;
  ControlMode = PlayerCount = 0;
  TestCount = TestBest = 0;
}
