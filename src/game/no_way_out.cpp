// Telling the player when a level can no longer end by itself or by any action left.
#include "frame/frame_state.h"
#include "frame/end_frame.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_state.h"

void WatchForNoWayOut() {
  if (NoWayOutWatched != LevelLoads) {
    NoWayOutWatch.Reset();
    NoWayOutWatched = LevelLoads;
  }
  // A tickle sets the latch; a hat taken, carried or dropped keeps it set or DraggedHat non-zero.
  const bool acted = ClickLatch || DraggedHat != 0;
  NoWayOut = NoWayOutWatch.Look(LevelBoard, Walkers, acted);
  if (NoWayOut && NoWayOutTold != LevelLoads) {
    AddMessage(NO_WAY_OUT_TEXT, 0);
    NoWayOutTold = LevelLoads;
  }
}
