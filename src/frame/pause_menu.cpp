// The pause menu: frozen frame, decoration, the two items and their navigation.
#include "frame/pause_menu.h"

#include <cmath>

#include "common/common_assets.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/input_wait.h"
#include "frame/settings_menu.h"
#include "input/input.h"
#include "input/input_state.h"
#include "media/media.h"

namespace {

constexpr int DECORATION_BACK = 140;   // title lines behind the menu box
constexpr int DECORATION_FRONT = 180;  // the rest, in front of it

constexpr int RESULT_CONTINUE = PAUSE_CONTINUE;
constexpr int RESULT_QUIT = PAUSE_QUIT;
constexpr int RESULT_OF[2] = {RESULT_CONTINUE, RESULT_QUIT};  // by item: "Continue", "Quit"

bool AnyPlayer(int control) {
  for (int player = 1; player <= 4; ++player)
    if (ControlActive(control, player)) return true;
  return false;
}
bool UpHeld() { return AnyPlayer(CONTROL_UP) || KeyDown(KEY_UP); }
bool DownHeld() { return AnyPlayer(CONTROL_DOWN) || KeyDown(KEY_DOWN); }
bool ChooseHeld() {
  return AnyPlayer(CONTROL_ACTION1) || AnyPlayer(CONTROL_ACTION2) || KeyDown(KEY_SPACE) || KeyDown(KEY_RETURN);
}
// A press begun on the settings panel belongs to the panel, not to the menu under it.
bool ClickHeld() { return ScreenMouseDown(1); }

// The rows the items answer the mouse in: the menu box's width, 60 high around each item.
float BoxLeft() { return 0.1f * static_cast<float>(ScreenW); }
int ItemsTop() { return static_cast<int>(0.375f * static_cast<float>(ScreenH)) + 60; }
constexpr int ITEM_PITCH = 60;
constexpr int ROW_ABOVE = 10;  // a row starts a little above its text
// The item under the pointer, -1 none.
int ItemUnderPointer() {
  for (int i = 0; i < 2; ++i)
    if (MouseIn(static_cast<int>(BoxLeft()), ItemsTop() + ITEM_PITCH * i - ROW_ABOVE, ScreenW / 6, ITEM_PITCH)) return i;
  return -1;
}

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
  const bool up = UpHeld(), down = DownHeld(), choose = ChooseHeld(), click = ClickHeld();
  // Up is tested first and sets the latch, so up and down together move up only.
  if (up && m.latch == 0) {
    --m.sel;
    m.latch = 1;
  }
  if (down && m.latch == 0) {
    ++m.sel;
    m.latch = 1;
  }
  // The pointer highlights the item it moves onto, and a click chooses the item under it; a
  // click beside the items is used up, so it cannot choose by sliding onto one.
  const int under = ItemUnderPointer();
  const bool moved = FrameMouseX != PrevMouseX || FrameMouseY != PrevMouseY;
  if (under >= 0 && (moved || click)) m.sel = under;
  if (click && m.latch == 0) {
    m.latch = 1;
    if (under >= 0) m.result = RESULT_OF[under];
  }
  if (!choose && !down && !up && !click) m.latch = 0;
  if (m.sel < 0) m.sel = 1;
  if (m.sel > 1) m.sel = 0;
}

void DrawItems(Menu& m) {
  const char* const items[2] = {"Continue", "Quit"};
  const float left = BoxLeft() + 10;
  const int top = ItemsTop();
  SetFont(CommonFonts[7]);
  for (int i = 0; i < 2; ++i) {
    const bool selected = m.sel == i;
    SetDrawColour(255, 255, selected ? 0 : 255, 1);
    DrawTextAt(static_cast<int>(left + (selected ? 20 : 0)), top + ITEM_PITCH * i, items[i], 0, 0);
    if (selected && ChooseHeld() && m.latch == 0 && m.result == 0) {
      m.latch = 1;
      m.result = RESULT_OF[i];
    }
  }
}

void MenuFrame(Menu& m, int frozen) {
  BeginFrame(1);
  ResetDrawState();
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
  DrawRect(BoxLeft(), 0.375f * static_cast<float>(ScreenH), static_cast<float>(ScreenW / 6),
           static_cast<float>(ScreenH / 4));

  Navigate(m);
  DrawItems(m);

  SetWobble(m);
  DrawDecoration(m, DECORATION_BACK + 1, DECORATION_FRONT);

  EndFrame(1);
  if (KeyDown(KEY_ESCAPE)) m.result = m.sel == 0 ? RESULT_CONTINUE : RESULT_QUIT;
}

// The frozen frame as it was, level and unturned, with nothing over it: what the frame that ran the
// menu presents, and what a "Game Over" after "Quit" is drawn over.
void RestoreFrozen(int frozen) {
  BeginFrame(1);
  ResetDrawState();
  const int w = RealWidth(), h = RealHeight();
  if (w > 0 && h > 0)
    SetDrawScale(static_cast<float>(ScreenW) / static_cast<float>(w), static_cast<float>(ScreenH) / static_cast<float>(h));
  DrawImage(frozen, static_cast<float>(ScreenW) / 2, static_cast<float>(ScreenH) / 2, 0);
  ResetDrawState();
}

}  // namespace

int PauseMenu() {
  WaitForRelease(false, false);  // the press that opened the menu must not close it
  const int frozen = CreateImage(RealWidth(), RealHeight(), 1, 0);
  GrabImage(frozen, 0, 0, 0);

  Menu m;
  while (m.result == 0) MenuFrame(m, frozen);

  RestoreFrozen(frozen);
  FreeImage(frozen);
  SeedRnd(Millis());
  WaitForRelease(false, false);
  return m.result;
}
