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
#include "game/level_play.h"
#include "game/sfx.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

void ChooseGridOrigin() {
  const bool wide = Settings[Widescreen] == 1;
  GridX = wide ? 64.0f : 32.0f;
  GridY = wide ? 2.0f : 32.0f;
}

constexpr int KEY_Z = 90, KEY_LCTRL = 162, KEY_RCTRL = 163;

}  // namespace

// Walkers as their last stepped frame showed them, in the level's order; one that left in that
// frame is still drawn once (its hole closing). A held level draws them as they stood.
void DrawWalkers() {
  const bool held = LevelHeld();
  for (int i = 0; i < LevelState.count; ++i) {
    const bool shown = ShownWalkers >> i & 1;
    if (!WalkerLive(i) && !(shown && !held)) continue;
    const Walker& w = LevelState.walkers[i];
    WalkerFrame frame;
    if (shown) frame = ShownFrames[i];
    else WalkerCorner(w, frame.sx, frame.sy);
    if (held) frame.hovered = false;
    DrawWalker(w, frame);
  }
}

namespace {

// The fast-forward marker at the board's top right corner.
void DrawFastForward() {
  if (!FastForwarding()) return;
  SelectFont(2, 3);
  SetDrawColour(255, 255, 255, 0.9f);
  DrawTextAt(static_cast<int>(GridX) + BOARD_PIXELS - 40, static_cast<int>(GridY) + 24, ">>", 1, 1);
}

// Backspace or Ctrl+Z takes back the level's last action.
void UndoKeys() {
  const bool back = KeyHit(KEY_BACKSPACE) > 0;
  const bool z = KeyHit(KEY_Z) > 0 && (KeyDown(KEY_LCTRL) || KeyDown(KEY_RCTRL));
  if ((back || z) && !LevelHeld()) UndoAction();
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
  SeedStream(EffectsRandom, Millis());
  SeedStream(ParticlesRandom, Millis() * 7 + 1);

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

bool FastForwarding() { return KeyDown(KEY_SPACE) && !LevelHeld(); }

void AdvanceGame() {
  // In the order the layers once moved and drew: debris and hat pops before the level's frame,
  // spurts after it (a splat sprays in its own frame).
  if (!LevelHeld()) {
    MoveDebris();
    MoveHatPops();
    PlayLevelFrame();
    MoveSpurts();
  }
  ClickLatch = ClickLatch || DraggedHat != 0;  // no walker is tickled by the press that carries a hat
  LevelProgress();
  WatchForNoWayOut();
  // A press used by a walker or the panel stays used until the button is let go.
  if (!ScreenMouseDown(1)) ClickLatch = false;
}

void DrawGameScene() {
  DrawBackground(GridX, GridY);
  ResetDrawState();
  DrawBoardTiles();
  ResetDrawState();
  DrawDebris();
  DrawWalkers();
  ResetDrawState();
  DrawInstructions();
  HatPanel();
  ResetDrawState();
  LevelPanel();
  ResetDrawState();
  DrawHatPops();
  ResetDrawState();
  PointerAndDrag();
  ResetDrawState();
  DrawSpurts();
  ResetDrawState();
  DrawBanner();
  ResetDrawState();
  DrawFastForward();
  ResetDrawState();
}

void DrawGameFrame() {
  BeginFrame(1);
  ResetDrawState();
  ChooseGridOrigin();
  UndoKeys();
  const int steps = FastForwarding() ? FAST_FORWARD_STEPS : 1;
  // Each effect sounds at most once in a fast-forwarded frame.
  SfxOncePerFrame = steps > 1;
  SfxPlayedMask = 0;
  for (int k = 0; k < steps; ++k) {
    AdvanceGame();
    // The floating numbers age once after each level frame: EndFrame ages them after the last.
    if (k + 1 < steps && !LevelHeld()) AgeScorePopups();
  }
  SfxOncePerFrame = false;
  if (!LevelHeld()) MoveBackground();
  DrawGameScene();
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
