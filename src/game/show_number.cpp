// Floating numbers made by the game: the frame layer draws, ages and removes them.
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "game/effects.h"
#include "game/game_state.h"

namespace {

constexpr int NUMBER_LIFE = 120;  // frames
constexpr int COUNTDOWN_WHITE = 255;

}  // namespace

void ShowNumber(int n, int x, int y, int r, int g, int b) {
  ScorePopup p;
  p.n = n;
  p.x = static_cast<float>(x);
  p.y = static_cast<float>(y);
  p.t = NUMBER_LIFE;
  p.r = r;
  p.g = g;
  p.b = b;
  ScorePopupList.Append(p);
}

void ShowCountdown(int n, int x, int y) { ShowNumber(n, x, y, COUNTDOWN_WHITE, COUNTDOWN_WHITE, COUNTDOWN_WHITE); }

void ClearLevelEffects() {
  SpurtList.Clear();
  BoomList.Clear();
  HatPopList.Clear();
  ForgetShownEffects();
  ScorePopupList.ForEach([](ScorePopup& p) {
    if (p.r == COUNTDOWN_WHITE && p.g == COUNTDOWN_WHITE && p.b == COUNTDOWN_WHITE) ScorePopupList.Remove(&p);
  });
}

bool LevelHeld() { return SettingsPanelShowing(); }
