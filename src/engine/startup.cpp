// Start-up: identity, log header, settings, display and assets, in the order the log records.
#include "engine/startup.h"

#include <cstdio>
#include <cstdlib>

#include "common/common_assets.h"
#include "common/folders.h"
#include "common/log.h"
#include "common/score_table.h"
#include "common/settings.h"
#include "engine/asset_report.h"
#include "engine/closing.h"
#include "engine/display.h"
#include "engine/engine_state.h"
#include "engine/setup_file.h"
#include "frame/engine_hooks.h"
#include "frame/frame_state.h"
#include "input/input.h"
#include "media/media.h"

namespace {

const char* const HYPHENS = "----------------------------";  // 28

const char* const CREDITS[] = {
    "A Game by Corvane",
    "corvane.example  -  plonko.example",
    "",
    "Game",
    "Made with C++ and SDL",
    "using Corvane's Framework",
    "",
    "Graphics",
    "Font : Clear Sans by Intel",
    "Font : RocknRoll One by Fontworks",
    "Font : Leckerli One by Gesine Todt",
    "All other graphics by Corvane",
    "",
    "Sound",
    "Title Music by Corvane",
    "Sound Effects by Corvane",
};

}  // namespace

void FillCredits() {
  CreditCount = 0;
  for (const char* line : CREDITS) CreditLines[++CreditCount] = line;
}

void InstallEngineHooks() {
  CloseHook = ClosingSequence;
  SaveSetupHook = WriteSetup;
  ApplyDisplayHook = ApplyDisplay;
  SetLoadFailHook(ReportAsset);
}

void StartUp() {
  ResetEngineState();
  InstallEngineHooks();
  GameTitle = "#" + IntText(WeekNumber) + " : " + "Plonko" + " " + "Elongo";
  SetCaption(GameTitle);
  FillCredits();

  HidePointer();  // the frame layer draws its own
  FrameStart = Millis();
  DrawLimit[KIND_SPRITE] = DrawLimit[KIND_GLOW] = 50000;
  PauseState = 0;
  PlayerName = "Player";

  ScanJoysticks();
  SetDefaultBindings();
  SetDefaultSettings();

  // Without Files/ the run folder itself takes its place: nothing is ever written above it.
  const std::string dataFolder = CurrentDir();
  ChangeDir("Files/");
  FilesFolder = CurrentDir();
  PlayerFolder = ChoosePlayerFolder(dataFolder, FilesFolder, PlayerDataHome(std::getenv("XDG_DATA_HOME"), HomeFolder()));
  if (!PlayerFolder.empty() && !MakeFolders(PlayerPath(GameFolder())))
    std::fprintf(stderr, "plonko-elongo: cannot create %s\n", PlayerPath(GameFolder()).c_str());
  LogStream = OpenWrite(PlayerPath("Debug.txt"));
  // A folder nobody may write: the game runs, and says once that it keeps no log.
  if (LogStream == 0) std::fprintf(stderr, "%s: cannot write %s; no log this run\n", GameTitle.c_str(), PlayerPath("Debug.txt").c_str());
  LogLine("Corvane's Tolluvar Engine");
  LogLine(HYPHENS);
  LogLine("Week #" + IntText(WeekNumber));
  LogLine(HYPHENS);
  LogLine(GameTitle);
  LogLine(HYPHENS);
  LogLine("");
  LogLine("Loading");
  if (!PlayerFolder.empty()) {
    LogLine("\tGame data : " + dataFolder);
    LogLine("\tPlayer folder : " + PlayerFolder);
  }

  FillAudioDriverNames();
  // Setup.ini is the player's: read where it is written.
  if (!InFolder(PlayerPath(""), ReadSetup)) ReadSetup();
  LogLine("Grabbing Previous Scores");
  LogLine("");
  ChangeDir(GameFolder());

  const int shownUntil = MsLater(Millis(), 2500);
  ApplyDisplay();
  ControlMode = 1;
  PlayerCount = 4;
  BadgeCount = 16;
  PauseState = 0;
  LogLine("Finished Loading");

  // The start-up screen stays at least 2.5 s however fast the loading was; the window keeps
  // answering meanwhile.
  for (int left = MsBetween(Millis(), shownUntil); left > 0 && !TerminateSignalled(); left = MsBetween(Millis(), shownUntil)) {
    PollSystem();
    Delay(left < 10 ? left : 10);
  }
  SlideStep = 0;
  StartHeld = StartBlocked = ReturnedFromGame = 0;
}
