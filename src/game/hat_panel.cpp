// The hat side panel and the hand pointer: the stock boxes and icons, the hand, and the hat it
// carries. Taking and dropping hats is the pointer's (game/pointer_actions.cpp).
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "game/effects.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/game_tally.h"
#include "game/hats.h"
#include "game/panel_layout.h"
#include "game/rules.h"
#include "game/sfx.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

constexpr int TEXT_INSET = 8;      // kept clear inside each side of a box
constexpr int ICON_TILE = 56;      // bg.png frame of a stock icon (32 x 32 at scale 0.5)
constexpr int ICONS_SHOWN = 8;     // further icons can be taken but are not drawn
constexpr int HAND_FRAME = 90;     // plonko.png: the tickling hand
constexpr int HOLDING_FRAME = 91;  // plonko.png: the hand holding a hat

void SetPure(int index, float alpha) {
  const Rgb& c = Hat(index).pure;
  SetDrawColour(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b), alpha);
}

void StockBox(int i) {
  const int top = i * PANEL_ROW;
  SetDrawColour(0, 0, 0, 0.5f);
  DrawRect(static_cast<float>(ScreenW - PANEL_INSET), static_cast<float>(top), PANEL_WIDTH, PANEL_BOX_H);
  SetDrawColour(255, 255, 255, 1);
  SelectFont(2, 3);
  DrawTextFit(ScreenW - PANEL_MIDDLE, top + 12, Hat(i).name, PANEL_WIDTH - 2 * TEXT_INSET, 1, 1);
  DrawTextFit(ScreenW - PANEL_MIDDLE, top + 38, Hat(i).description, PANEL_WIDTH - 2 * TEXT_INSET, 1, 1);
}

void StockIcons(int i) {
  SetDrawScale(0.5f);
  SetPure(i, 0.5f);
  for (int j = 1; j <= HatStock[i]; ++j) {
    int cx = 0, cy = 0;
    StockIconCorner(i, j, cx, cy);
    if (OverStockIcon(FrameMouseX, FrameMouseY, cx, cy))
      SetDrawColour(static_cast<float>(Hat(i).pure.r), static_cast<float>(Hat(i).pure.g),
                    static_cast<float>(Hat(i).pure.b), 1);
    if (j <= ICONS_SHOWN) DrawSprite(BgImage, cx, cy, ICON_TILE);
    SetDrawColour(static_cast<float>(Hat(i).pure.r), static_cast<float>(Hat(i).pure.g),
                  static_cast<float>(Hat(i).pure.b), 0.5f);
  }
}

}  // namespace

void HatPanel() {
  for (int i = 1; i <= HAT_COLOURS; ++i) {
    SetDrawScale(1);
    if (HatStock[i] > 0) StockBox(i);
    StockIcons(i);
  }
}

void PointerAndDrag() {
  SetDrawScale(1);
  if (DraggedHat == 0) {
    DrawSprite(PlonkoImage, FrameMouseX - 35, FrameMouseY - 4, HAND_FRAME);
    return;
  }
  DrawSprite(PlonkoImage, FrameMouseX - 14, FrameMouseY - 41, HOLDING_FRAME);
  SetPure(DraggedHat, GetAlpha());
  DrawSprite(PlonkoHatImage, FrameMouseX - 33, FrameMouseY - 14, 0);
}
