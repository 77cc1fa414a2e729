// The hat side panel and hat dragging: taking a hat from the stock, carrying it under the hand
// pointer and dropping it on the selected walker, or back into the stock.
#include <cstdlib>

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
#include "game/rules.h"
#include "game/sfx.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

constexpr int PANEL_INSET = 260;   // the panel's left edge is W - 260
constexpr int PANEL_WIDTH = 240;
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
  const int top = i * 100;
  SetDrawColour(0, 0, 0, 0.5f);
  DrawRect(static_cast<float>(ScreenW - PANEL_INSET), static_cast<float>(top), PANEL_WIDTH, 90);
  SetDrawColour(255, 255, 255, 1);
  SelectFont(2, 3);
  DrawTextFit(ScreenW - 140, top + 12, Hat(i).name, PANEL_WIDTH - 2 * TEXT_INSET, 1, 1);
  DrawTextFit(ScreenW - 140, top + 38, Hat(i).description, PANEL_WIDTH - 2 * TEXT_INSET, 1, 1);
}

void StockIcons(int i) {
  SetDrawScale(0.5f);
  SetPure(i, 0.5f);
  const int count = HatStock[i];  // a hat taken now still shows its icon this frame
  for (int j = 1; j <= count; ++j) {
    const int cx = ScreenW - 32 - 36 * j, cy = i * 100 + 50;
    if (std::abs(FrameMouseX - (cx + 16)) < 16 && std::abs(FrameMouseY - (cy + 16)) < 16) {
      SetDrawColour(static_cast<float>(Hat(i).pure.r), static_cast<float>(Hat(i).pure.g),
                    static_cast<float>(Hat(i).pure.b), 1);
      // Any held button takes it, even a press that began elsewhere; one hat at a time.
      if (DraggedHat == 0 && ScreenMouseDown(1) && !LevelHeld()) {
        --HatStock[i];
        DraggedHat = i;
        PlaySfx(SFX_TAKE_HAT);
      }
    }
    if (j <= ICONS_SHOWN) DrawSprite(BgImage, cx, cy, ICON_TILE);
    SetDrawColour(static_cast<float>(Hat(i).pure.r), static_cast<float>(Hat(i).pure.g),
                  static_cast<float>(Hat(i).pure.b), 0.5f);
  }
}

// On the selected walker it is worn (replacing any hat); anywhere else, and when no walker was
// ever hovered, it goes back to the stock, so dragging never loses a hat.
void DropHat() {
  int sx = 0, sy = 0;
  if (SelectedWalker) WalkerCorner(*SelectedWalker, sx, sy);
  const bool onWalker = SelectedWalker && std::abs(FrameMouseX - (sx + 32)) < 20 && std::abs(FrameMouseY - (sy + 32)) < 32;
  if (onWalker) {
    GiveHat(*SelectedWalker, DraggedHat);
    CountAction(true);
    EmitHatPop(static_cast<float>(sx + 32), static_cast<float>(sy + 8), DraggedHat);
    PlaySfx(SFX_DROP_HAT);
  } else {
    ++HatStock[DraggedHat];
    PlaySfx(SFX_RETURN_HAT);
  }
  DraggedHat = 0;
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
  ClickLatch = true;  // no walker is tickled by the press that carries a hat
  // Under the settings panel the hat stays in the hand: the level gives nothing until it runs.
  if (!ScreenMouseDown(1) && !LevelHeld()) DropHat();
  DrawSprite(PlonkoImage, FrameMouseX - 14, FrameMouseY - 41, HOLDING_FRAME);
  if (DraggedHat != 0) SetPure(DraggedHat, GetAlpha());
  DrawSprite(PlonkoHatImage, FrameMouseX - 33, FrameMouseY - 14, 0);
}
