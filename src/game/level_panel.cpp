// The box below the hat boxes: the game's score, the level and its par. The last hat box ends at
// y 790, and the lowest screen is 900 high, so the box fits 800..890 in every layout.
#include <string>

#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_state.h"
#include "game/level_notes.h"
#include "media/media.h"

namespace {

constexpr int BOX_INSET = 260;  // as the hat boxes: x = W - 260, 240 wide
constexpr int BOX_WIDTH = 240;
constexpr int BOX_TOP = 800;
constexpr int BOX_HEIGHT = 90;

constexpr int TEXT_ROOM = BOX_WIDTH - 8;
constexpr int MIN_STEP = 2;  // 18 pixels

// A smaller size, down to the smallest that reads well, and then a smaller scale keep a long text
// inside the box; centred on (x, y).
void FittedText(int x, int y, const std::string& text, int step) {
  for (; step > MIN_STEP; --step) {
    SelectFont(2, step);
    if (TextWidth(text) <= TEXT_ROOM) break;
  }
  SelectFont(2, step);
  const int w = TextWidth(text), h = TextHeight(text);
  const float k = w > TEXT_ROOM ? static_cast<float>(TEXT_ROOM) / static_cast<float>(w) : 1.0f;
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
  const int cx = ScreenW - BOX_INSET + BOX_WIDTH / 2;
  SetDrawScale(1);
  SetDrawColour(0, 0, 0, 0.5f);
  DrawRect(static_cast<float>(ScreenW - BOX_INSET), BOX_TOP, BOX_WIDTH, BOX_HEIGHT);
  SetDrawColour(255, 255, 0, 1);
  FittedText(cx, BOX_TOP + 18, "Score: " + IntText(Score), 4);
  SetDrawColour(255, 255, 255, 1);
  FittedText(cx, BOX_TOP + 50, LevelName + " " + IntText(LevelNumber) + " / " + IntText(LevelsInImage), 3);
  FittedText(cx, BOX_TOP + 76, ParText(NoteOf(LevelNumber).par), 3);
}
