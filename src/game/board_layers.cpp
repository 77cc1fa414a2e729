// The board's tiles and the instruction box: a "Soft" level's hint lines, a "Hard" level's title,
// or the word that the level can no longer end.
#include <iterator>
#include <string>
#include <vector>

#include "frame/draw.h"
#include "frame/frame_state.h"
#include "frame/text_fit.h"
#include "game/cells.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/hats.h"
#include "game/level_notes.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

constexpr int TILE_FAMILY = 16;  // bg.png frames per ground family
constexpr int HOLE_TILE = 48;
constexpr int PICKUP_DX = 24, PICKUP_DY = 50;  // ahat.png's place in its cell

// The box of one teaching level: four lines, centred.
struct Instructions {
  int level;
  const char* lines[4];
};
constexpr Instructions INSTRUCTIONS[] = {
    {1, {"Guide the Plonko", "towards the hole", "by tickling it", "to turn it around."}},
    {2, {"Place the Rubber Hat", "onto the head of the", "plonko, to help it", "get over the gap."}},
};

// The instruction box at the top of the side panel, over hat box 1 (never handed out).
constexpr int INSTR_INSET = 260, INSTR_TOP = 10, INSTR_W = 240, INSTR_H = 120;
constexpr int INSTR_TEXT_W = INSTR_W - 8;
constexpr int INSTR_FONT_FACE = 2, INSTR_FONT_STEP = 3;
constexpr int INSTR_LINES = 4;  // at the full line gap
constexpr int INSTR_LINE_GAP = 25;
constexpr int INSTR_MIDDLE_2 = 135;  // twice the y of the lines' middle

const char* const NO_WAY_OUT_LINES[2] = {"No way out:", "press R to try again"};

}  // namespace

void DrawBoardTiles() {
  for (int x = 0; x < GRID_SIZE; ++x) {
    for (int y = 0; y < GRID_SIZE; ++y) {
      // Neighbouring cells take different tiles of the family, so the ground does not repeat.
      const int v = (x + y * 15) % TILE_FAMILY;
      const int px = static_cast<int>(static_cast<float>(x * CELL_PIXELS) + GridX);
      const int py = static_cast<int>(static_cast<float>(y * CELL_PIXELS) + GridY);
      const int32_t kind = CellAt(x, y);
      if (kind >= CELL_GROUND && kind <= CELL_SURFACE) DrawSprite(BgImage, px, py, v + TILE_FAMILY * (kind - 1));
      else if (kind == CELL_HOLE) DrawSprite(BgImage, px, py, HOLE_TILE);
      else if (kind > CELL_PICKUP) {
        const Rgb& c = Hat(kind - CELL_PICKUP).pure;
        SetDrawColour(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b));
        DrawSprite(AHatImage, px + PICKUP_DX, py + PICKUP_DY, 0);
        SetDrawColour(255, 255, 255);
      }
    }
  }
}

std::vector<std::string> InstructionLines() {
  if (NoWayOut) return {NO_WAY_OUT_LINES[0], NO_WAY_OUT_LINES[1]};
  const LevelNote& note = NoteOf(LevelNumber);
  const bool soft = LevelName == "Soft";
  std::vector<std::string> lines;
  if (soft) {
    lines = note.hint;
    // The first two lessons show even without the shipped notes (no title, no hint).
    for (const Instructions& box : INSTRUCTIONS)
      if (lines.empty() && note.title.empty() && box.level == LevelNumber) lines.assign(std::begin(box.lines), std::end(box.lines));
  } else if (!note.title.empty()) {
    lines = {note.title};
  }
  // The first lessons stay up; other boxes show while the level's walkers wait to set off.
  const bool lesson = soft && (LevelNumber == 1 || LevelNumber == 2);
  bool waiting = false;
  Walkers.ForEach([&](Walker& w) { waiting = waiting || w.anim == WS_WAIT; });
  if (!lesson && !waiting) lines.clear();
  return lines;
}

void DrawInstructions() {
  std::vector<std::string> lines = InstructionLines();
  if (lines.empty()) return;
  SetDrawColour(0, 0, 0, 0.5f);
  DrawRect(static_cast<float>(ScreenW - INSTR_INSET), INSTR_TOP, INSTR_W, INSTR_H);
  // A hint is written a line each; a title is one line to wrap. Either way the largest font that
  // keeps every line inside the box, and no more lines than the box holds.
  if (lines.size() == 1) {
    for (int step = INSTR_FONT_STEP; step >= 0; --step) {
      SelectFont(INSTR_FONT_FACE, step);
      std::vector<std::string> wrapped = WrapWords(lines[0], INSTR_TEXT_W);
      if ((static_cast<int>(wrapped.size()) <= INSTR_LINES && WidestLine(wrapped) <= INSTR_TEXT_W) || step == 0) {
        lines = wrapped;
        break;
      }
    }
  } else {
    FitFontStep(INSTR_FONT_FACE, static_cast<int>(lines.size()) > INSTR_LINES ? INSTR_FONT_STEP - 1 : INSTR_FONT_STEP, lines, INSTR_TEXT_W);
  }
  if (NoWayOut) SetDrawColour(255, 255, 80, 1);
  else SetDrawColour(255, 255, 255, 1);
  // Four lines sit 25 apart from y = 30; more lines close up to stay inside the box.
  const int n = static_cast<int>(lines.size());
  const int gap = n <= INSTR_LINES ? INSTR_LINE_GAP : (INSTR_H - 10) / n;
  for (int i = 0; i < n; ++i)
    DrawTextAt(ScreenW - 140, (INSTR_MIDDLE_2 + gap * (2 * i - (n - 1))) / 2, lines[static_cast<size_t>(i)], 1, 1);
}
