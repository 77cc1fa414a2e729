// The title loop: stripes, credits, settings hint, score panel, start prompt, difficulty, logo.
#include "engine/title.h"

#include "common/score_table.h"
#include "common/settings.h"
#include "common/sound_channels.h"
#include "engine/closing.h"
#include "engine/display.h"
#include "engine/engine_state.h"
#include "engine/score_panel.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "frame/stripes.h"
#include "game/game_images.h"
#include "game/play_game.h"
#include "input/input.h"
#include "input/input_state.h"
#include "media/media.h"
#include "music/playback.h"

namespace {

// The controls that start a game, in the order they are tested.
constexpr int START_CONTROLS[8] = {CONTROL_ACTION1, CONTROL_ACTION2, CONTROL_ACTION3, CONTROL_ACTION4,
                                   CONTROL_UP,      CONTROL_DOWN,    CONTROL_LEFT,    CONTROL_RIGHT};

bool SettingsPanelClosed() { return MenuY < -250; }

bool AnyStartControl() {
  for (int player = 1; player <= 4; ++player)
    for (int control : START_CONTROLS)
      if (ControlActive(control, player)) return true;
  return false;
}

void DrawCredits() {
  int pw = 320, step = 10;
  if (DisplayW < 900) {
    pw = 416;
    step = 13;
  }
  int d = pw - SlideStep * step;
  SetDrawColour(0, 0, 0, 0.6f);
  DrawRect(static_cast<float>(10 - d), static_cast<float>(ScreenH - 430), static_cast<float>(pw), 422);
  SetDrawColour(255, 255, 255, 1);
  for (int k = 1; k <= CreditCount; ++k) DrawTextAt(pw / 2 + 5 - d, ScreenH - 428 + (k - 1) * 20, CreditLines[k], 1, 0);
}

void DrawSettingsHint() {
  int phase = ((Millis() % 800) + 800) % 800;
  if (Settings[Width] == 800 && phase < 400) SetDrawColour(255, 255, 0);
  else SetDrawColour(255, 255, 255);
  DrawTextAt(4, 4, "Hit [Tab] for settings", 0, 0);
}

void MusicTestKeys() {
  if (KeyHit(77)) LoadSong("BrevoPlat", 17, 125);
  if (KeyHit(78)) LoadSong("Mario", 1, 125);
  if (KeyHit(66)) LoadSong("Pipeline", 64, 125);
}

// The start prompt; s is the slide offset. A start needs the input held on the previous frame,
// after a game also released once since.
void StartPrompt(int s) {
  int cx = ScreenW / 2, cy = ScreenH / 2 + s;
  if (ControlMode == 0) {
    SetDrawColour(255, 255, 255);
    SetFont(CommonFonts[7]);
    DrawTextAt(cx, cy, "Press Start (" + KeyName(ControlBindings[CONTROL_ACTION1]) + ") To Begin", 1, 1);
    if (StartHeld == 1 && StartBlocked == 0 && SettingsPanelClosed()) StartGame(true);
    StartHeld = AnyStartControl() ? 1 : 0;
  }
  if (ControlMode == 1) {
    SetDrawColour(255, 150, 150);
    if (MouseIn(cx - 200, cy - 40, 400, 80)) {
      SetDrawColour(255, 255, 255);
      if (StartHeld == 1 && StartBlocked == 0 && SettingsPanelClosed()) StartGame(false);
    }
    SetFont(CommonFonts[7]);
    DrawTextAt(cx, cy, "Click Here to Start", 1, 1);
    StartHeld = ScreenMouseDown(1) ? 1 : 0;
  }
  if (StartHeld == 0) StartBlocked = 0;
}

void DifficultyChoice(int s) {
  int x = ScreenW / 2 - 100, y = ScreenH / 2 + 200 - s;
  SetFont(CommonFonts[8]);
  SetDrawColour(255, 255, 255, GameMode == 0 ? 1.0f : 0.5f);
  DrawTextAt(x, y, "1 Inch", 0, 0);
  if (MouseIn(x, y, 200, 40) && ScreenMouseDown(1)) GameMode = 0;
}

void DrawLogo(int s) {
  SetDrawColour(255, 255, 255, 1);
  DrawImage(GameLogo, static_cast<float>(ScreenW / 2), static_cast<float>(ScreenH / 2 - 140 - s), 0);
  SelectFont(2, 3);
  DrawTextAt(ScreenW / 2 + 196, ScreenH / 2 - 155 + s, "1 inch", 1, 1);
}

}  // namespace

void StartGame(bool movePointer) {
  if (SoundChannels[1] && ChannelPlaying(SoundChannels[1])) {
    FreeChannel(SoundChannels[1]);
    SoundChannels[1] = 0;
  }
  PauseState = 1;
  if (movePointer) MoveMouse(RealWidth(), RealHeight());
  GameStartMs = Millis();
  PlayGame();
  PauseState = 0;
  ReturnedFromGame = 1;
  StartBlocked = 1;
  SlideStep = 0;
  ResultsScroll = 0;
  ResultsSelected = 0;
}

bool TitleFrame() {
  BeginFrame(1);
  ResetDrawState();
  DrawStripes();
  ResetDrawState();

  if (SlideStep < 32) ++SlideStep;
  int s = 800 - 25 * SlideStep;

  DrawCredits();
  DrawSettingsHint();
  ShowResults(10 * SlideStep, GameMode, Level, GameFlags);
  MusicTestKeys();
  StartPrompt(s);
  DifficultyChoice(s);
  DrawLogo(s);

  EndFrame(TargetFps, 1, 1);

  // An Escape still held from leaving a game must be released before it quits.
  if (!KeyDown(KEY_ESCAPE)) ReturnedFromGame = 0;
  return ReturnedFromGame == 0 && KeyDown(KEY_ESCAPE);
}

void TitleLoop() {
  while (!TitleFrame()) {
  }
  ClosingSequence();
}
