// Start-of-run values of the game flow's globals.
#include "game/flow_state.h"

void ResetFlowState() {
  LevelName = "Soft";
  LevelNumber = 1;
  EndCode = 0;
  BannerTimer = 0;
  BannerFrame = BANNER_WON;
  DraggedHat = 0;
  LevelActions = LevelHatsGiven = LevelHatsHanded = LevelFrames = 0;
  LevelTries = 1;
  LevelsWon = ParWins = CleanRun = SavedInGame = 0;
  Score = Badges = 0;
  for (int& b : LevelBest) b = 0;
  NoWayOutWatch.Reset();
  NoWayOut = false;
  NoWayOutWatched = NoWayOutTold = -1;
}
