// Start-of-run values of the engine's globals.
#include "engine/engine_state.h"
#include "engine/asset_report.h"
#include "engine/save_report.h"

#include "common/log.h"
#include "common/score_table.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "input/input_state.h"
#include "game/game_images.h"
#include "game/game_state.h"

void ResetEngineState() {
  ResetCommonAssets();
  ResetGameImages();
  ResetGameState();
  ResetFrameState();
  ResetInputState();
  ResetFlowState();
  ResetScoreTable();
  for (auto& line : CreditLines) line.clear();
  CreditCount = 0;
  LogStream = 0;

  ControlMode = GameStartMs = 0;
  SlideStep = StartHeld = StartBlocked = ReturnedFromGame = 0;
  PlayerCount = BadgeCount = ResultsScroll = ResultsSelected = 0;
  StartLevelMode = -1;
  StartLevelHeld = 0;

  for (auto& m : DisplayModes) m = ModeSize{};
  ModeCount = 0;
  DisplayW = 800;
  DisplayH = 600;
  DisplayOpen = 0;
  LastWorking = WorkingDisplay{};
  ResetSaveReports();
  ResetAssetReports();
}
