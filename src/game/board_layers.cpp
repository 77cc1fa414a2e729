// The board's tiles and the instruction boxes of the first "Soft" levels.
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/cells.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/hats.h"
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

void DrawInstructions() {
  if (LevelName != "Soft") return;
  for (const Instructions& box : INSTRUCTIONS) {
    if (box.level != LevelNumber) continue;
    SetDrawColour(0, 0, 0, 0.5f);
    DrawRect(static_cast<float>(ScreenW - 260), 10, 240, 120);
    SetDrawColour(255, 255, 255, 1);
    SelectFont(2, 3);
    for (int i = 0; i < 4; ++i) DrawTextAt(ScreenW - 140, 30 + 25 * i, box.lines[i], 1, 1);
  }
}
