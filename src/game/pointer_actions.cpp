// The pointer turned into the level's actions: the walkers under it, a tickle, the drop of a
// dragged hat; and a hat taken from the panel.
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "game/flow_state.h"
#include "game/level_play.h"
#include "game/panel_layout.h"
#include "game/sfx.h"
#include "media/media.h"

int PointerActions(PlayerAction* out) {
  int n = 0;
  HoveredWalkers = 0;
  int first = -1;
  for (int i = 0; i < LevelState.count; ++i) {
    if (!WalkerLive(i)) continue;
    int sx = 0, sy = 0;
    WalkerCorner(LevelState.walkers[i], sx, sy);
    if (!OverWalker(FrameMouseX, FrameMouseY, sx, sy)) continue;
    HoveredWalkers |= 1u << i;
    SelectedWalker = i;
    if (first < 0) first = i;
  }
  // A press is used by the first hovered walker in the level's order; the latch keeps the others
  // from reacting until the button is released.
  if (first >= 0 && ScreenMouseDown(1) && !ClickLatch) {
    PlaySfx(SFX_TICKLE);
    ClickLatch = true;
    out[n++] = {LevelFrame, first, 0};
  }
  if (DraggedHat == 0 || ScreenMouseDown(1)) return n;

  // The hat goes on after every walker's step, so it is aimed at where the selected walker will
  // stand then. A walker that has left, or leaves in this frame, takes no hat: it goes back to
  // the stock, as anywhere else, so dragging never loses a hat.
  bool onWalker = false;
  if (WalkerLive(SelectedWalker)) {
    RulesLevel next = LevelState;
    StepLevel(next, out, n);
    if (next.live >> SelectedWalker & 1) {
      int sx = 0, sy = 0;
      WalkerCorner(next.walkers[SelectedWalker], sx, sy);
      onWalker = OverWalker(FrameMouseX, FrameMouseY, sx, sy);
    }
  }
  ++HatStock[DraggedHat];  // the rules take it from the stock as it goes on
  if (onWalker) out[n++] = {LevelFrame, SelectedWalker, DraggedHat};
  else PlaySfx(SFX_RETURN_HAT);
  DraggedHat = 0;
  return n;
}

void TakeHatFromPanel() {
  // Any held button takes it, even a press that began elsewhere; one hat at a time.
  if (DraggedHat != 0 || !ScreenMouseDown(1)) return;
  for (int i = 1; i <= HAT_COLOURS; ++i) {
    for (int j = 1; j <= HatStock[i]; ++j) {
      int cx = 0, cy = 0;
      StockIconCorner(i, j, cx, cy);
      if (!OverStockIcon(FrameMouseX, FrameMouseY, cx, cy)) continue;
      --HatStock[i];
      DraggedHat = i;
      PlaySfx(SFX_TAKE_HAT);
      return;
    }
  }
}
