// Name entry: red-to-blue stripes, "Enter Your Name" and the name with a blinking cursor.
#include "frame/name_entry.h"

#include "common/common_assets.h"
#include "common/score_table.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/input_wait.h"
#include "frame/settings_menu.h"
#include "media/media.h"

namespace {

constexpr int CURSOR_PERIOD_MS = 600;  // "_" for the first half, " " for the second
constexpr int NAME_MARGIN = 40;  // logical units kept clear at each side of the name

// Latin-1 characters the fonts draw: no control codes (0 to 31, 127 to 159).
bool Printable(int ch) { return (ch >= 32 && ch <= 126) || (ch >= 160 && ch <= 255); }

void DrawNameBackground() {
  SetDrawRotation(-45);
  float v = 50.0f;
  for (int y = 0; y <= ScreenH; y += 10) {
    v += 0.5f;
    SetDrawColour(100 - v, 0, v);
    DrawRect(-100, static_cast<float>(3 * y), static_cast<float>(ScreenW + 1800), 30);
  }
  ResetDrawState();
}

void EditName() {
  const int ch = GetChar();
  if (Printable(ch) && PlayerName.size() < MAX_NAME_CHARS) PlayerName += static_cast<char>(ch);
  if (KeyHit(KEY_BACKSPACE) > 0 && !PlayerName.empty()) PlayerName.pop_back();
}

void DrawPrompt() {
  SetDrawColour(0, 255, 0);
  SetFont(CommonFonts[6]);
  DrawTextAt(ScreenW / 2, ScreenH / 2 - 100, "Enter Your Name", 1, 1);
  SetFont(CommonFonts[5]);
  // A long name shrinks to stay on the screen; the cursor is counted, so it stays on it too.
  const float k = FitScale(PlayerName + "_", ScreenW - 2 * NAME_MARGIN);
  // Measured without the cursor, so the name does not jump as the cursor blinks.
  const int width = TextWidth(PlayerName), height = TextHeight(PlayerName);
  const float x = k < 1 ? static_cast<float>(ScreenW / 2) - k * static_cast<float>(width) / 2
                        : static_cast<float>(ScreenW / 2 - width / 2);
  const float y = k < 1 ? static_cast<float>(ScreenH / 2) - k * static_cast<float>(height) / 2
                        : static_cast<float>(ScreenH / 2 - height / 2);
  const int phase = ((Millis() % CURSOR_PERIOD_MS) + CURSOR_PERIOD_MS) % CURSOR_PERIOD_MS;
  SetDrawScale(k);
  DrawText(PlayerName + (phase < CURSOR_PERIOD_MS / 2 ? "_" : " "), x, y);
  SetDrawScale(1);
}

}  // namespace

void EnterName() {
  FlushKeys();
  FlushMouse();
  WaitForRelease(true, true);
  bool done = false;
  while (!done) {
    BeginFrame(1);
    ResetDrawState();
    DrawNameBackground();
    EditName();
    DrawPrompt();
    done = KeyHit(KEY_RETURN) > 0 || ScreenMouseDown(1) || KeyDown(KEY_ESCAPE);
    EndFrame(1);
  }
  SeedRnd(Millis());
  WaitForRelease(true, true);
}
