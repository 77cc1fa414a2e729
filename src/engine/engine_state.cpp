// Start-of-run values of the engine's globals.
#include "engine/engine_state.h"

#include "common/folders.h"
#include "media/media.h"

std::string GameFolder() { return Right("000" + IntText(WeekNumber), 3) + "/"; }

void ResetEngineState() {
  GameTitle.clear();
  FilesFolder.clear();
  for (auto& line : CreditLines) line.clear();
  CreditCount = 0;
  LogStream = 0;

  ControlMode = GameMode = Level = GameFlags = GameStartMs = 0;
  SlideStep = StartHeld = StartBlocked = ReturnedFromGame = 0;
  PlayerCount = BadgeCount = ResultsScroll = ResultsSelected = 0;

  for (auto& m : DisplayModes) m = ModeSize{};
  ModeCount = 0;
  DisplayW = 800;
  DisplayH = 600;
  DisplayOpen = 0;

  for (int& f : CommonFonts) f = 0;
  for (int& f : FontTable) f = 0;
  FontScaleA = FontScaleB = 1.0f;
  IconsFiltered = IconsSharp = EngineLogo = SiteLogo = BadgeJingle = BadgeStrip = 0;
  for (int& s : SoundEffects) s = 0;
  BgImage = PlonkoImage = PlonkoHatImage = GridImage = BoomImage = SpurtImage = 0;
  GameLogo = BitsImage = AHatImage = 0;
}
