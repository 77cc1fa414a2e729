// The help page: its text, its layout (fitted to the logical screen in the current fonts) and
// its frame loop.
#include "frame/help_screen.h"

#include <algorithm>

#include "common/common_assets.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/input_wait.h"
#include "frame/settings_menu.h"
#include "frame/stripes.h"
#include "frame/text_fit.h"
#include "media/media.h"

namespace {

constexpr int HELP_FACE = 2;          // SelectFont face of the whole page
constexpr int HELP_TITLE_STEP = 6;
constexpr int HELP_HEADING_STEP = 4;
constexpr int HELP_BODY_STEP = 3;     // the largest tried; smaller ones when the page would not fit
constexpr int HELP_MARGIN = 24;       // inside the panel
constexpr int HELP_GAP = 10;          // before a section heading
constexpr int HELP_MAX_W = 1100;

struct HelpSection {
  const char* heading;
  std::vector<const char*> paragraphs;
};

const char* const HELP_TITLE = "How to play";
const char* const HELP_CLOSE_HINT = "F1, Escape or a click closes this page";

const std::vector<HelpSection>& HelpSections() {
  static const std::vector<HelpSection> sections = {
      {"The goal",
       {"Bring every Plonko down a hole; each hole takes one. Click a walking Plonko (tickle it) to turn it "
        "round. Click a waiting one to start it before its countdown ends: it sets off the way it faces, it "
        "does not turn. A fall of more than three rows kills a Plonko, and a lost Plonko restarts the level."}},
      {"The hats",
       {"Drag a hat from the panel on the right onto a Plonko. A Plonko wears one hat at a time: a new hat "
        "replaces the old one, which is lost. A hat lying on the board goes to the panel when a Plonko walks "
        "over it.",
        "Hard Hat: at the next wall the Plonko bangs one block away, then walks on (the board's edge does not "
        "break).",
        "Rubber Hat: the next landing becomes a bounce back up, even after a fall that would kill.",
        "Safety Hat: the Plonko stops and waits as at the start; when the wait ends, or when you click it, the "
        "hat comes off and it walks on."}},
  };
  return sections;
}

struct HelpKey {
  const char* key;
  const char* what;
};
const HelpKey HELP_KEYS[] = {
    {"R", "restart the level"},
    {"Escape", "pause menu in a level (Continue or Quit); on the title it quits"},
    {"Tab", "settings"},
    {"F11", "screenshot"},
    {"F12", "frame counter on or off"},
    {"F1", "this page"},
};
const char* const HELP_KEYS_HEADING = "The keys";
const char* const HELP_SCORE_HEADING = "The score";

// Lays the page out from the top of the panel at body font step `step`; draws when `draw`.
// Returns the height used.
int LayOutHelp(int left, int top, int width, int step, bool draw) {
  int y = top;
  auto heading = [&](const char* text) {
    y += HELP_GAP;
    SelectFont(HELP_FACE, std::min(HELP_HEADING_STEP, step + 1));
    if (draw) {
      SetDrawColour(255, 255, 80, 1);
      DrawTextAt(left, y, text, 0, 0);
    }
    y += TextHeight(text);
  };
  auto paragraph = [&](const std::string& text, int indent) {
    SelectFont(HELP_FACE, step);
    for (const std::string& line : WrapWords(text, width - indent)) {
      if (draw) {
        SetDrawColour(255, 255, 255, 1);
        DrawTextAt(left + indent, y, line, 0, 0);
      }
      y += TextHeight(line);
    }
    y += 4;
  };
  for (const HelpSection& s : HelpSections()) {
    heading(s.heading);
    for (const char* p : s.paragraphs) paragraph(p, 0);
  }
  heading(HELP_KEYS_HEADING);
  SelectFont(HELP_FACE, step);
  int keyColumn = 0;
  for (const HelpKey& k : HELP_KEYS) keyColumn = std::max(keyColumn, TextWidth(k.key));
  keyColumn += 24;
  for (const HelpKey& k : HELP_KEYS) {
    SelectFont(HELP_FACE, step);
    if (draw) {
      SetDrawColour(180, 255, 180, 1);
      DrawTextAt(left, y, k.key, 0, 0);
    }
    paragraph(k.what, keyColumn);
    y -= 4;
  }
  heading(HELP_SCORE_HEADING);
  paragraph(SCORE_RULE_TEXT, 0);
  return y - top;
}

void DrawHelpPage() {
  const int panelW = std::min(ScreenW - 80, HELP_MAX_W);
  const int left = (ScreenW - panelW) / 2;
  const int top = 20, bottom = ScreenH - 20;
  SetDrawColour(0, 0, 0, 0.75f);
  DrawRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(panelW), static_cast<float>(bottom - top));

  SelectFont(HELP_FACE, HELP_TITLE_STEP);
  SetDrawColour(255, 255, 255, 1);
  DrawTextAt(ScreenW / 2, top + HELP_MARGIN / 2, HELP_TITLE, 1, 0);
  const int bodyTop = top + HELP_MARGIN / 2 + TextHeight(HELP_TITLE);
  SelectFont(HELP_FACE, 2);
  const int hintH = TextHeight(HELP_CLOSE_HINT);
  const int room = bottom - HELP_MARGIN - hintH - bodyTop;

  // The largest body font whose page fits above the closing hint.
  int step = HELP_BODY_STEP;
  while (step > 0 && LayOutHelp(left + HELP_MARGIN, bodyTop, panelW - 2 * HELP_MARGIN, step, false) > room) --step;
  LayOutHelp(left + HELP_MARGIN, bodyTop, panelW - 2 * HELP_MARGIN, step, true);

  SelectFont(HELP_FACE, 2);
  SetDrawColour(200, 200, 200, 1);
  DrawTextAt(ScreenW / 2, bottom - HELP_MARGIN / 2, HELP_CLOSE_HINT, 1, 2);
}

// A new press of button 1 on the page. A click let go within one frame shows only in the
// settings panel's count of presses, which counts when the panel is out of the way.
bool HelpClicked(bool& wasDown) {
  const bool down = ScreenMouseDown(1);
  const bool pressed = down && !wasDown;
  wasDown = down;
  return pressed || (LeftClicks > 0 && MenuY <= -300);
}

bool HelpMouseWasDown = false;  // button 1 in the page's last frame: only a new press closes it

}  // namespace

std::vector<std::string> HelpLines() {
  std::vector<std::string> out;
  for (const HelpSection& s : HelpSections()) {
    out.emplace_back(s.heading);
    for (const char* p : s.paragraphs) out.emplace_back(p);
  }
  out.emplace_back(HELP_KEYS_HEADING);
  for (const HelpKey& k : HELP_KEYS) out.push_back(std::string(k.key) + ": " + k.what);
  out.emplace_back(HELP_SCORE_HEADING);
  out.emplace_back(SCORE_RULE_TEXT);
  return out;
}

bool HelpFrame() {
  BeginFrame(1);
  ResetDrawState();
  DrawStripes();
  ResetDrawState();
  DrawHelpPage();
  ResetDrawState();
  EndFrame(1);
  const bool f1 = KeyHit(KEY_F1) > 0;
  const bool escape = KeyHit(KEY_ESCAPE) > 0;
  const bool click = HelpClicked(HelpMouseWasDown);
  return f1 || escape || click;
}

void ShowHelp() {
  // Escape closes the page here: the pause menu must not open under it.
  const int pauseState = PauseState;
  PauseState = 0;
  KeyHit(KEY_F1);
  KeyHit(KEY_ESCAPE);
  HelpMouseWasDown = ScreenMouseDown(1);  // a press held as the page opens does not close it
  while (!HelpFrame()) {
  }
  // What closed the page must not act on the screen below (Escape quits the title, a click
  // tickles), nor any key hit while it showed (R restarts the level).
  WaitForRelease(false, true);
  FlushKeys();
  PauseState = pauseState;
}
