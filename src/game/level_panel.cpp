// The box below the hat boxes: the game's score, the level and its par (game/level_panel_layout.h).
#include <string>

#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_state.h"
#include "game/level_notes.h"
#include "game/level_panel_layout.h"
#include "media/media.h"

namespace {

constexpr int MIN_STEP = 2;  // 18 pixels

// A smaller size, down to the smallest that reads well, and then a smaller scale keep a long text
// inside the box; centred on (x, y).
void FittedText(int x, int y, const std::string& text, int step) {
  for (; step > MIN_STEP; --step) {
    SelectFont(2, step);
    if (TextWidth(text) <= LEVEL_BOX_TEXT_ROOM) break;
  }
  SelectFont(2, step);
  const int w = TextWidth(text), h = TextHeight(text);
  const float k = w > LEVEL_BOX_TEXT_ROOM ? static_cast<float>(LEVEL_BOX_TEXT_ROOM) / static_cast<float>(w) : 1.0f;
  SetDrawScale(k);
  DrawText(text, static_cast<float>(x) - static_cast<float>(w) * k / 2, static_cast<float>(y) - static_cast<float>(h) * k / 2);
  SetDrawScale(1);
}

std::string Counted(int n, const char* one, const char* many) { return IntText(n) + " " + (n == 1 ? one : many); }

std::string ParText(const LevelPar& par) {
  if (!par.set) return "Par: -";
  return "Par: " + Counted(par.hats, "hat", "hats") + ", " + Counted(par.actions, "action", "actions");
}

}  // namespace

void LevelPanel() {
  const Area& box = LEVEL_BOX;
  const int left = ScreenW + box.x, cx = left + box.w / 2;
  SetDrawScale(1);
  SetDrawColour(0, 0, 0, 0.5f);
  DrawRect(static_cast<float>(left), static_cast<float>(box.y), static_cast<float>(box.w), static_cast<float>(box.h));
  SetDrawColour(255, 255, 0, 1);
  FittedText(cx, box.y + LEVEL_BOX_SCORE_Y, "Score: " + IntText(Score), 4);
  SetDrawColour(255, 255, 255, 1);
  FittedText(cx, box.y + LEVEL_BOX_LEVEL_Y, LevelName + " " + IntText(LevelNumber) + " / " + IntText(LevelsInImage), 3);
  FittedText(cx, box.y + LEVEL_BOX_PAR_Y, ParText(NoteOf(LevelNumber).par), 3);
}
