// One game: the start, the frame loop with its layers in drawing order, and the end.
#include "game/play_game.h"

#include <string>
#include <vector>

#include "common/log.h"
#include "common/score_table.h"
#include "common/settings.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/help_screen.h"
#include "frame/settings_menu.h"
#include "game/effects.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_state.h"
#include "game/game_tally.h"
#include "game/level_file.h"
#include "game/level_notes.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

void ChooseGridOrigin() {
  const bool wide = Settings[Widescreen] == 1;
  GridX = wide ? 64.0f : 32.0f;
  GridY = wide ? 2.0f : 32.0f;
}

// What each walker showed in its last stepped frame, in list order: a held level draws them so.
std::vector<WalkerFrame> ShownFrames;

void StepEveryWalker() {
  if (LevelHeld()) {
    size_t i = 0;
    Walkers.ForEach([&i](Walker& w) {
      WalkerFrame frame;
      if (i < ShownFrames.size()) frame = ShownFrames[i];
      else WalkerCorner(w, frame.sx, frame.sy);
      frame.hovered = false;
      DrawWalker(w, frame);
      ++i;
    });
    return;
  }
  ShownFrames.clear();
  Walkers.ForEach([](Walker& w) {
    const WalkerFrame frame = UpdateWalker(w);
    DrawWalker(w, frame);
    if (w.anim == WS_FINISHED) RemoveWalker(w);
    else ShownFrames.push_back(frame);
  });
}

}  // namespace

bool StartGameState() {
  // Keys hit before the game (an "r" typed in the last name entry) must not act in its first frame.
  FlushKeys();
  SpurtList.Clear();
  ClearWalkers();
  HatPopList.Clear();
  BoomList.Clear();
  EndCode = 0;
  for (int& b : LevelBest) b = 0;
  SelectedWalker = nullptr;  // a selection from the last game would point at a freed walker

  LevelName = GameMode == 1 ? "Hard" : "Soft";
  // The title's start level: Level is one less, so a game from level 1 keeps Level 0.
  LevelNumber = Level >= 0 ? Level + 1 : 1;
  LoadLevelNotes(LevelName);
  const bool loaded = LoadLevel(LevelName, LevelNumber) == LEVEL_OK;
  StartGameTally();

  InitBackground();
  ScrollX = ScrollY = 0;
  BannerTimer = 0;
  BannerFrame = BANNER_WON;
  DraggedHat = 0;
  ClickLatch = false;
  return loaded;
}

void DrawGameFrame() {
  BeginFrame(1);
  ResetDrawState();
  ChooseGridOrigin();
  DrawBackground(GridX, GridY);
  ResetDrawState();
  DrawBoardTiles();
  ResetDrawState();
  UpdateDebris();
  StepEveryWalker();
  ResetDrawState();
  DrawInstructions();
  HatPanel();
  ResetDrawState();
  LevelPanel();
  ResetDrawState();
  UpdateHatPops();
  ResetDrawState();
  PointerAndDrag();
  ResetDrawState();
  UpdateSpurts();
  ResetDrawState();
  LevelProgress();
  WatchForNoWayOut();
  ResetDrawState();
  // A press used by a walker or the panel stays used until the button is let go.
  if (!ScreenMouseDown(1)) ClickLatch = false;
}

int EndGameFrame() {
  if (EndFrame(0) == END_GAME) EndCode = END_GAME;
  return EndCode;
}

int GameFrame() {
  DrawGameFrame();
  const int code = EndGameFrame();
  // The page runs its own frames: the level stands still until it closes.
  if (code == 0 && KeyHit(KEY_F1) > 0) ShowHelp();
  return code;
}

void PlayGame() {
  // Without its first level there is nothing to play or to score: back to the title, told why.
  if (!StartGameState()) {
    const std::string why = "Cannot start: no level " + std::to_string(LevelNumber) + " in Plonko_Levels/" + LevelName + ".png";
    LogLine("\t" + why);
    AddMessage(why, 1);
    return;
  }
  while (GameFrame() == 0) {
  }
  FinishGame();
}
