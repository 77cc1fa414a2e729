// The walker states, one small step each, chosen through one table by Walker::anim. A state
// hands over by setting anim (and stp for the next state); the frame it shows is worked out
// after its own changes, so a state that ends shows the next state's first frame.
#include <algorithm>
#include <cstdlib>

#include "game/cells.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/hats.h"
#include "game/sfx.h"
#include "game/walker_states.h"
#include "frame/frame_state.h"
#include "media/media.h"

namespace {

constexpr int FALL_SPEED = 6;    // pixels per frame, up and down: 11 frames a row
constexpr int HOP_SPEED = 4;     // pixels per frame forward after a bounce
constexpr int SAFE_DROP = 3;     // rows a walker survives falling
constexpr int LAST_CELL = GRID_SIZE - 1;  // last column and row

// Moves the walker into the next cell once its offset passes the cell's edge.
void CrossCell(Walker& w) {
  if (w.ox < -63) {
    w.ox = 0;
    w.x -= 1;
  }
  if (w.ox > 63) {
    w.ox = 0;
    w.x += 1;
  }
}

void Wait(Walker&, WalkerFrame&) {}

void Walk(Walker& w, WalkerFrame& frame) {
  if (w.hat == HAT_SAFETY) {  // Safety Hat: wait again, but finish this frame's step
    w.anim = WS_WAIT;
    w.tick = WALKER_WAIT_FRAMES;
  }
  w.ox += w.d;
  if (++w.stp < 0 || w.stp > 17) w.stp = 0;
  frame.f = w.stp / 3;
  CrossCell(w);

  // Turn 24 pixels short of a wall, so the sprite never overlaps it. A Hard Hat bangs instead,
  // unless the wall is the board's edge.
  if (w.ox > 23 && w.d == 1 && IsSolid(w.x + 1, w.y)) {
    w.d = -1;
    if (w.hat == HAT_HARD && w.x < LAST_CELL) {
      w.d = 1;
      w.stp = 160;
      w.anim = WS_BANG;
    }
  }
  if (w.ox < -23 && w.d == -1 && IsSolid(w.x - 1, w.y)) {
    w.d = 1;
    if (w.hat == HAT_HARD && w.x > 0) {
      w.d = -1;
      w.stp = 160;
      w.anim = WS_BANG;
    }
  }

  if (!InGrid(w.x, w.y)) return;
  const int32_t cell = CellAt(w.x, w.y);
  if (cell > CELL_PICKUP) {
    PlaySfx(SFX_PICKUP);
    if (cell - CELL_PICKUP <= HAT_COLOURS) ++HatStock[cell - CELL_PICKUP];
    SetCell(w.x, w.y, CELL_AIR);
  }
  if (CellAt(w.x, w.y) == CELL_HOLE) {
    SetCell(w.x, w.y, CELL_AIR);  // each hole takes one walker
    w.ox = 0;
    w.oy = 0;
    w.anim = WS_EXIT;
    w.stp = 30;
  }
}

void StepOff(Walker& w, WalkerFrame& frame) {
  ++w.stp;
  if (w.stp > 32 && w.stp < 53) w.ox += w.d;
  if (w.stp == 54) {
    w.ox = 0;
    w.x += w.d;
  }
  if (w.stp == 55) w.anim = WS_FALL;
  frame.f = w.stp / 4;
}

// Landing is judged only when the walker reaches the top of a cell; the bottom row is floor.
void Fall(Walker& w, WalkerFrame& frame) {
  w.stp = 60;
  frame.f = 20;
  w.ox = 0;
  w.oy += FALL_SPEED;
  if (w.oy <= 63) return;
  w.oy = 0;
  w.y += 1;
  if (!(w.y >= LAST_CELL || IsSolid(w.x, w.y + 1))) return;

  w.anim = WS_LAND;
  w.stp = 60;
  if (std::abs(w.y - w.fell) > SAFE_DROP) {
    w.anim = WS_SPLAT;
    w.stp = 48;
  }
  if (w.hat == HAT_RUBBER) {  // Rubber Hat: bounces, whatever the height
    w.hat = 0;
    w.anim = WS_BOUNCE;
    w.stp = 90;
  }
  constexpr int LANDING_SOUND[] = {SFX_LAND, SFX_SPLAT, SFX_BOUNCE};  // by anim - WS_LAND
  PlaySfx(LANDING_SOUND[w.anim - WS_LAND]);
}

void Land(Walker& w, WalkerFrame& frame) {
  if (++w.stp == 75) {
    w.stp = 0;
    w.anim = WS_WALK;
  }
  frame.f = w.stp / 3;
}

void Splat(Walker& w, WalkerFrame& frame) {
  ++w.stp;
  EmitSplat(frame.sx, frame.sy);
  if (w.stp == 59) w.anim = WS_FINISHED;  // lost: SavedCount stays
  frame.f = w.stp / 3;
}

void Bounce(Walker& w, WalkerFrame& frame) {
  if (++w.stp > 105) w.stp = 95;
  w.oy -= FALL_SPEED;
  if (w.oy < -63) {
    w.stp = 105;
    w.oy = 0;
    w.y -= 1;
  }
  if (w.y == w.fell) {
    w.anim = WS_HOP;
    if (!IsSolid(w.x + w.d, w.y + 1)) {
      w.anim = WS_TEETER;
      w.stp = 30;
    }
  }
  frame.f = w.stp / 3;
}

void Hop(Walker& w, WalkerFrame& frame) {
  ++w.stp;
  w.oy = 0;
  w.ox += HOP_SPEED * w.d;
  if (w.ox < -63 || w.ox > 63) {
    w.ox = 0;
    w.x += w.d;
  }
  if (w.stp == 119) w.anim = WS_WALK;
  frame.f = w.stp / 3;
}

// Falls again from the bounce row; fell keeps the row of the first fall, so the next landing is
// judged by the whole drop.
void Teeter(Walker& w, WalkerFrame& frame) {
  if (++w.stp == 47) {
    w.anim = WS_FALL;
    w.stp = 60;
  }
  frame.f = w.stp / 3;
}

void Bang(Walker& w, WalkerFrame& frame) {
  ++w.stp;
  if (w.stp == 166) PlaySfx(SFX_STRIKE);
  if (w.stp == 185) {
    SetCell(w.x + w.d, w.y, CELL_AIR);
    w.hat = 0;  // a Hard Hat breaks one block
    EmitDebris(w.x + w.d, w.y, GridX, GridY);
  }
  if (w.stp == 190) {
    w.anim = WS_WALK;
    w.stp = 0;
  }
  frame.f = w.stp > 167 ? Rand(168, 174) / 4 : w.stp / 4;  // shakes as it strikes
}

// The hole opens (bg.png tiles 48..52) behind the walker while it sinks; the drawing covers it
// with the closing tiles.
void Exit(Walker& w, WalkerFrame& frame) {
  if (w.stp == 50) PlaySfx(SFX_EXIT);
  if (w.stp > 50) EmitExitSparkle(frame.sx, frame.sy);
  ++w.stp;
  frame.f = std::min(w.stp / 3, 19);
  if (w.stp < 61) frame.openingTile = std::min((w.stp - 30) / 2 + 48, 52);
  if (w.stp == 120) {
    w.anim = WS_FINISHED;
    ++SavedCount;
  }
}

using StateStep = void (*)(Walker&, WalkerFrame&);
constexpr StateStep STATES[] = {Wait, Walk, StepOff, Fall, Land, Splat, Bounce, Hop, Teeter, Bang, Exit};
constexpr int STATE_COUNT = sizeof(STATES) / sizeof(STATES[0]);

}  // namespace

void RunWalkerState(Walker& w, WalkerFrame& frame) {
  frame.f = 0;
  if (w.anim >= 0 && w.anim < STATE_COUNT) STATES[w.anim](w, frame);
}
