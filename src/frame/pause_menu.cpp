// The pause menu: frozen frame, decoration, the two items and their navigation.
#include "frame/pause_menu.h"

#include <cmath>

#include "common/common_assets.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/input_wait.h"
#include "input/input.h"
#include "input/input_state.h"
#include "media/media.h"

namespace {

constexpr int DECORATION_BACK = 140;   // title lines behind the menu box
constexpr int DECORATION_FRONT = 180;  // the rest, in front of it

constexpr int RESULT_CONTINUE = 1;
constexpr int RESULT_QUIT = 99;

bool AnyPlayer(int control) {
  for (int player = 1; player <= 4; ++player)
    if (ControlActive(control, player)) return true;
  return false;
}
bool UpHeld() { return AnyPlayer(CONTROL_UP) || KeyDown(KEY_UP); }
bool DownHeld() { return AnyPlayer(CONTROL_DOWN) || KeyDown(KEY_DOWN); }
bool ChooseHeld() { return AnyPlayer(CONTROL_ACTION1) || AnyPlayer(CONTROL_ACTION2) || KeyDown(KEY_SPACE); }

struct Menu {
  float rot = 0;
  float phase = 0;
  int sel = 0;    // 0 "Continue", 1 "Quit"
  int latch = 1;  // an input must be released before the next one counts
  int result = 0;
};

void SetWobble(const Menu& m) {
  SetDrawScale(static_cast<float>(1.5 + 0.5 * SinDeg(m.phase)), static_cast<float>(1.5 + 0.5 * SinDeg(1.3 * m.phase)));
}

// Title lines k = first..last, continuing the random sequence where the last call left it.
void DrawDecoration(const Menu& m, int first, int last) {
  for (int k = first; k <= last; ++k) {
    SetDrawRotation(m.rot + 2.0f * static_cast<float>(k));
    const int a = Rand(1, 5), b = Rand(1, 5), c = Rand(1, 5);
    SetDrawColour(50.0f * a, 50.0f * b, 50.0f * c, 0.4f);
    const int x = Rand(0, ScreenW), y = Rand(0, ScreenH);
    DrawTextAt(x, y, GameTitle, 1, 1);
  }
}

void Navigate(Menu& m) {
  const bool up = UpHeld(), down = DownHeld(), choose = ChooseHeld();
  // Up is tested first and sets the latch, so up and down together move up only.
  if (up && m.latch == 0) {
    --m.sel;
    m.latch = 1;
  }
  if (down && m.latch == 0) {
    ++m.sel;
    m.latch = 1;
  }
  if (!choose && !down && !up) m.latch = 0;
  if (m.sel < 0) m.sel = 1;
  if (m.sel > 1) m.sel = 0;
}

void DrawItems(Menu& m) {
  const char* const items[2] = {"Continue", "Quit"};
  const int results[2] = {RESULT_CONTINUE, RESULT_QUIT};
  const float left = 0.1f * static_cast<float>(ScreenW) + 10;
  const int top = static_cast<int>(0.375f * static_cast<float>(ScreenH)) + 60;
  SetFont(CommonFonts[7]);
  for (int i = 0; i < 2; ++i) {
    const bool selected = m.sel == i;
    SetDrawColour(255, 255, selected ? 0 : 255, 1);
    DrawTextAt(static_cast<int>(left + (selected ? 20 : 0)), top + 60 * i, items[i], 0, 0);
    if (selected && ChooseHeld() && m.latch == 0) {
      m.latch = 1;
      m.result = results[i];
    }
  }
}

void MenuFrame(Menu& m, int frozen) {
  BeginFrame(1);
  ResetDrawState();
  SetDrawBlend(1);
  m.phase += 0.4f;
  SetWobble(m);
  m.rot += 0.1f;
  SetDrawRotation(m.rot);
  SetFont(CommonFonts[7]);
  DrawImage(frozen, static_cast<float>(ScreenW / 2), static_cast<float>(ScreenH / 2), 0);

  SeedRnd(PAUSE_DECORATION_SEED);
  DrawDecoration(m, 1, DECORATION_BACK);

  SetDrawRotation(0);
  SetDrawScale(1);
  SetDrawColour(0, 0, 0, 0.5f);
  DrawRect(0.1f * static_cast<float>(ScreenW), 0.375f * static_cast<float>(ScreenH), static_cast<float>(ScreenW / 6),
           static_cast<float>(ScreenH / 4));

  Navigate(m);
  DrawItems(m);

  SetWobble(m);
  DrawDecoration(m, DECORATION_BACK + 1, DECORATION_FRONT);

  EndFrame(TargetFps, 1, 1);
  if (KeyDown(KEY_ESCAPE)) m.result = m.sel == 0 ? RESULT_CONTINUE : RESULT_QUIT;
}

}  // namespace

int PauseMenu() {
  WaitForRelease(false, false);  // the press that opened the menu must not close it
  const int frozen = CreateImage(RealWidth(), RealHeight(), 1, 0);
  GrabImage(frozen, 0, 0, 0);

  Menu m;
  while (m.result == 0) MenuFrame(m, frozen);

  FreeImage(frozen);
  SeedRnd(Millis());
  WaitForRelease(false, false);
  return m.result;
}
