// The title loop: stripes, credits, settings hint, score panel, start prompt, difficulty and
// start level, logo.
#include "engine/title.h"

#include <algorithm>
#include <string>

#include "common/level_reach.h"
#include "common/score_table.h"
#include "common/settings.h"
#include "common/sound_channels.h"
#include "engine/closing.h"
#include "engine/display.h"
#include "engine/engine_state.h"
#include "engine/score_panel.h"
#include "engine/title_layout.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/help_screen.h"
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

// The difficulty rows, "1 Inch" (GameMode 0) first, and the start-level control beside them.
constexpr int MODE_COUNT = 2;
const char* const DIFFICULTY_NAMES[MODE_COUNT] = {"1 Inch", "Hard"};

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
  const int top = ScreenH - CREDITS_ABOVE_BOTTOM;
  DrawRect(static_cast<float>(CREDITS_LEFT - d), static_cast<float>(top), static_cast<float>(pw), CREDITS_H);
  SetDrawColour(255, 255, 255, 1);
  for (int k = 1; k <= CreditCount; ++k)
    DrawTextAt(pw / 2 + 5 - d, top + CREDITS_TEXT_TOP + (k - 1) * CREDIT_LINE, CreditLines[k], 1, 0);
}

void DrawSettingsHint() {
  int phase = ((Millis() % 800) + 800) % 800;
  if (Settings[Width] == 800 && phase < 400) SetDrawColour(255, 255, 0);
  else SetDrawColour(255, 255, 255);
  DrawTextAt(SETTINGS_HINT.x, SETTINGS_HINT.y, "Hit [Tab] for settings", 0, 0);
}

// The title's songs, one key each: the song file, its seed and its tempo.
struct TitleSong {
  int key;
  const char* name;
  int seed, tempo;
};
constexpr TitleSong TITLE_SONGS[] = {
    {KEY_M, "BrevoPlat", 17, 125},
    {KEY_N, "Mario", 1, 125},
    {KEY_B, "Pipeline", 64, 125},
};

void MusicTestKeys() {
  for (const TitleSong& song : TITLE_SONGS)
    if (KeyHit(song.key)) LoadSong(song.name, song.seed, song.tempo);
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
    if (MouseIn(cx + START_BOX.x, cy + START_BOX.y, START_BOX.w, START_BOX.h)) {
      SetDrawColour(255, 255, 255);
      if (StartHeld == 1 && StartBlocked == 0 && SettingsPanelClosed()) StartGame(false);
    }
    SetFont(CommonFonts[7]);
    DrawTextAt(cx, cy, "Click Here to Start", 1, 1);
    StartHeld = ScreenMouseDown(1) ? 1 : 0;
  }
  if (StartHeld == 0) StartBlocked = 0;
}

// The two difficulties in rows, "1 Inch" first; chosen while button 1 is held over a row.
void DifficultyChoice(int s) {
  const int x = ScreenW / 2 + DIFFICULTY_ROWS.x, y = ScreenH / 2 + DIFFICULTY_ROWS.y - s;
  SetFont(CommonFonts[8]);
  for (int mode = 0; mode < MODE_COUNT; ++mode) {
    const int rowY = y + mode * CHOICE_ROW;
    SetDrawColour(255, 255, 255, GameMode == mode ? 1.0f : 0.5f);
    DrawTextAt(x, rowY, DIFFICULTY_NAMES[mode], 0, 0);
    if (MouseIn(x, rowY, CHOICE_W, CHOICE_H) && ScreenMouseDown(1)) GameMode = mode;
  }
}

// A difficulty chosen anew starts at its furthest reachable level; a start level out of reach
// (its records pruned) comes back into it. Gives the furthest reachable level.
int FitStartLevel() {
  const int reach = ReachableLevel(ScoreList, GameMode);
  if (StartLevelMode != GameMode) {
    Level = reach - 1;
    StartLevelMode = GameMode;
  }
  Level = std::clamp(Level, 0, reach - 1);
  return reach;
}

// The start level (Level + 1) beside the chosen difficulty: "<" and ">" answer a click or the
// Left and Right keys, from 1 to one past the furthest level won in that difficulty.
void StartLevelChoice(int s) {
  const int reach = FitStartLevel();
  const bool held = ScreenMouseDown(1);
  const bool click = held && StartLevelHeld == 0;
  StartLevelHeld = held ? 1 : 0;

  // It slides in from below with the start prompt, which it keeps clear of, where sliding down
  // with the difficulties it would cross the logo's "1 inch" rising past it.
  const int x = ScreenW / 2 + LEVEL_CONTROL_X, y = ScreenH / 2 + DIFFICULTY_ROWS.y + s + GameMode * CHOICE_ROW;
  const int moreX = x + ARROW_W + NUMBER_W;
  int step = 0;
  // The open settings panel reads the arrow keys itself.
  if (SettingsPanelClosed()) {
    step = KeyHit(KEY_RIGHT) - KeyHit(KEY_LEFT);
    if (click && MouseIn(x, y, ARROW_W, CHOICE_H)) --step;
    if (click && MouseIn(moreX, y, ARROW_W, CHOICE_H)) ++step;
  }
  Level = std::clamp(Level + step, 0, reach - 1);

  SelectFont(2, 3);
  SetDrawColour(255, 255, 255, 0.7f);
  DrawTextAt(x + ARROW_W + NUMBER_W / 2, y - 2, "Level", 1, 2);
  SetFont(CommonFonts[8]);
  SetDrawColour(255, 255, 255, Level > 0 ? 1.0f : 0.25f);
  DrawTextAt(x + ARROW_W / 2, y + CHOICE_H / 2, "<", 1, 1);
  SetDrawColour(255, 255, 255, 1);
  DrawTextAt(x + ARROW_W + NUMBER_W / 2, y + CHOICE_H / 2, std::to_string(Level + 1), 1, 1);
  SetDrawColour(255, 255, 255, Level < reach - 1 ? 1.0f : 0.25f);
  DrawTextAt(moreX + ARROW_W / 2, y + CHOICE_H / 2, ">", 1, 1);
}

void DrawLogo(int s) {
  SetDrawColour(255, 255, 255, 1);
  DrawImage(GameLogo, static_cast<float>(ScreenW / 2 + TITLE_LOGO.x), static_cast<float>(ScreenH / 2 + TITLE_LOGO.y - s), 0);
  SelectFont(2, 3);
  DrawTextAt(ScreenW / 2 + LOGO_CAPTION.x, ScreenH / 2 + LOGO_CAPTION.y + s, "1 inch", 1, 1);
}

}  // namespace

void StartGame(bool movePointer) {
  // A title song plays on into the game without its second drum kit, the one track a game start
  // silences; its channel is given back, so games and songs in turn do not pile up handles.
  int& drums = SoundChannels[SECOND_DRUMS_SLOT];
  if (drums && ChannelPlaying(drums)) {
    FreeChannel(drums);
    drums = 0;
  }
  PauseState = 1;
  if (movePointer) MoveMouse(RealWidth(), RealHeight());
  GameStartMs = Millis();
  PlayGame();
  PauseState = 0;
  ReturnedFromGame = 1;
  StartBlocked = 1;
  SlideStep = 0;
  StartLevelMode = -1;  // a level won in this game may reach further
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
  FitStartLevel();  // before the panel, which shows the games of this start level
  ShowResults(10 * SlideStep, GameMode, Level, GameFlags);
  MusicTestKeys();
  StartPrompt(s);
  DifficultyChoice(s);
  StartLevelChoice(s);
  DrawLogo(s);

  EndFrame(1);
  if (KeyHit(KEY_F1) > 0) ShowHelp();

  // An Escape still held from leaving a game must be released before it quits.
  if (!KeyDown(KEY_ESCAPE)) ReturnedFromGame = 0;
  return ReturnedFromGame == 0 && KeyDown(KEY_ESCAPE);
}

void TitleLoop() {
  while (!TitleFrame()) {
  }
  ClosingSequence();
}
