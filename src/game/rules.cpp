// The walker states, one small step each, chosen through one table by Walker::anim. A state
// hands over by setting anim (and stp for the next state); the pose it shows is worked out after
// its own changes, so a state that ends shows the next state's first frame.
#include "game/rules.h"

#include <algorithm>
#include <cstdlib>

#include "game/cells.h"
#include "game/hats.h"
#include "game/sfx.h"
#include "game/walker.h"

namespace {

constexpr int FALL_SPEED = 6;    // pixels per frame, up and down: 11 frames a row
constexpr int HOP_SPEED = 4;     // pixels per frame forward after a bounce
constexpr int SAFE_DROP = 3;     // rows a walker survives falling
constexpr int LAST_CELL = GRID_SIZE - 1;  // last column and row
constexpr int EDGE_OFFSET = 32;  // ox at which a walker looks for floor ahead
constexpr int STEP_OFF_START = 40;

struct Step {
  Board& b;
  Walker& w;
  Pose& pose;
  RuleEvents* events;
  void Emit(int kind, int a = 0, int c = 0) const {
    if (events) events->Add(kind, a, c);
  }
};

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

void CountDown(const Step& s) {
  Walker& w = s.w;
  if (w.anim == WS_WAIT && w.tick > 0) {
    --w.tick;
    if (w.tick % 60 == 0) s.Emit(RULE_COUNTDOWN, w.tick / 60);
    if (w.tick == 0) {
      w.anim = WS_WALK;
      if (w.hat == HAT_SAFETY) w.hat = 0;
    }
  }
  if (w.anim != WS_WAIT) w.tick = 0;
}

void TestEdge(const Step& s) {
  Walker& w = s.w;
  if (w.anim != WS_WALK || w.oy != 0) return;
  if (!(w.ox == EDGE_OFFSET && w.d == 1) && !(w.ox == -EDGE_OFFSET && w.d == -1)) return;
  const bool inside = w.d == 1 ? w.x < LAST_CELL : w.x > 0;
  if (inside && w.y < LAST_CELL && !IsSolid(s.b, w.x + w.d, w.y + 1)) {
    w.anim = WS_STEP_OFF;
    w.fell = w.y;
    w.stp = STEP_OFF_START;
    s.Emit(RULE_SOUND, SFX_STEP_OFF);
  }
}

void Wait(const Step&) {}

void Walk(const Step& s) {
  Walker& w = s.w;
  if (w.hat == HAT_SAFETY) {  // Safety Hat: wait again, but finish this frame's step
    w.anim = WS_WAIT;
    w.tick = WALKER_WAIT_FRAMES;
  }
  w.ox += w.d;
  if (++w.stp < 0 || w.stp > 17) w.stp = 0;
  s.pose.f = w.stp / 3;
  CrossCell(w);

  // Turn 24 pixels short of a wall, so the sprite never overlaps it. A Hard Hat bangs instead,
  // unless the wall is the board's edge.
  if (w.ox > 23 && w.d == 1 && IsSolid(s.b, w.x + 1, w.y)) {
    w.d = -1;
    if (w.hat == HAT_HARD && w.x < LAST_CELL) {
      w.d = 1;
      w.stp = 160;
      w.anim = WS_BANG;
    }
  }
  if (w.ox < -23 && w.d == -1 && IsSolid(s.b, w.x - 1, w.y)) {
    w.d = 1;
    if (w.hat == HAT_HARD && w.x > 0) {
      w.d = -1;
      w.stp = 160;
      w.anim = WS_BANG;
    }
  }

  if (!InGrid(w.x, w.y)) return;
  const int32_t cell = CellAt(s.b, w.x, w.y);
  if (cell > CELL_PICKUP) {
    s.Emit(RULE_SOUND, SFX_PICKUP);
    if (cell - CELL_PICKUP <= HAT_COLOURS) ++s.b.stock[cell - CELL_PICKUP];
    SetCell(s.b, w.x, w.y, CELL_AIR);
  }
  if (CellAt(s.b, w.x, w.y) == CELL_HOLE) {
    SetCell(s.b, w.x, w.y, CELL_AIR);  // each hole takes one walker
    w.ox = 0;
    w.oy = 0;
    w.anim = WS_EXIT;
    w.stp = 30;
  }
}

void StepOff(const Step& s) {
  Walker& w = s.w;
  ++w.stp;
  if (w.stp > 32 && w.stp < 53) w.ox += w.d;
  if (w.stp == 54) {
    w.ox = 0;
    w.x += w.d;
  }
  if (w.stp == 55) w.anim = WS_FALL;
  s.pose.f = w.stp / 4;
}

// Landing is judged only when the walker reaches the top of a cell; the bottom row is floor.
void Fall(const Step& s) {
  Walker& w = s.w;
  w.stp = 60;
  s.pose.f = 20;
  w.ox = 0;
  w.oy += FALL_SPEED;
  if (w.oy <= 63) return;
  w.oy = 0;
  w.y += 1;
  if (!(w.y >= LAST_CELL || IsSolid(s.b, w.x, w.y + 1))) return;

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
  s.Emit(RULE_SOUND, LANDING_SOUND[w.anim - WS_LAND]);
}

void Land(const Step& s) {
  Walker& w = s.w;
  if (++w.stp == 75) {
    w.stp = 0;
    w.anim = WS_WALK;
  }
  s.pose.f = w.stp / 3;
}

void Splat(const Step& s) {
  Walker& w = s.w;
  ++w.stp;
  s.Emit(RULE_SPLAT);
  if (w.stp == 59) w.anim = WS_FINISHED;  // lost: the saved count stays
  s.pose.f = w.stp / 3;
}

void Bounce(const Step& s) {
  Walker& w = s.w;
  if (++w.stp > 105) w.stp = 95;
  w.oy -= FALL_SPEED;
  if (w.oy < -63) {
    w.stp = 105;
    w.oy = 0;
    w.y -= 1;
  }
  if (w.y == w.fell) {
    w.anim = WS_HOP;
    if (!IsSolid(s.b, w.x + w.d, w.y + 1)) {
      w.anim = WS_TEETER;
      w.stp = 30;
    }
  }
  s.pose.f = w.stp / 3;
}

void Hop(const Step& s) {
  Walker& w = s.w;
  ++w.stp;
  w.oy = 0;
  w.ox += HOP_SPEED * w.d;
  if (w.ox < -63 || w.ox > 63) {
    w.ox = 0;
    w.x += w.d;
  }
  if (w.stp == 119) w.anim = WS_WALK;
  s.pose.f = w.stp / 3;
}

// Falls again from the bounce row; fell keeps the row of the first fall, so the next landing is
// judged by the whole drop.
void Teeter(const Step& s) {
  Walker& w = s.w;
  if (++w.stp == 47) {
    w.anim = WS_FALL;
    w.stp = 60;
  }
  s.pose.f = w.stp / 3;
}

// The shaking pose while it strikes (stp over 167) is drawn at random by the game, not here.
void Bang(const Step& s) {
  Walker& w = s.w;
  ++w.stp;
  if (w.stp == 166) s.Emit(RULE_SOUND, SFX_STRIKE);
  if (w.stp == 185) {
    SetCell(s.b, w.x + w.d, w.y, CELL_AIR);
    w.hat = 0;  // a Hard Hat breaks one block
    s.Emit(RULE_DEBRIS, w.x + w.d, w.y);
  }
  if (w.stp == 190) {
    w.anim = WS_WALK;
    w.stp = 0;
  }
  s.pose.f = w.stp / 4;
}

// The hole opens (bg.png tiles 48..52) behind the walker while it sinks; the drawing covers it
// with the closing tiles.
void Exit(const Step& s) {
  Walker& w = s.w;
  if (w.stp == 50) s.Emit(RULE_SOUND, SFX_EXIT);
  if (w.stp > 50) s.Emit(RULE_SPARKLE);
  ++w.stp;
  s.pose.f = std::min(w.stp / 3, 19);
  if (w.stp < 61) s.pose.openingTile = std::min((w.stp - 30) / 2 + 48, 52);
  if (w.stp == 120) {
    w.anim = WS_FINISHED;
    ++s.b.saved;
  }
}

using StateStep = void (*)(const Step&);
constexpr StateStep STATES[] = {Wait, Walk, StepOff, Fall, Land, Splat, Bounce, Hop, Teeter, Bang, Exit};
constexpr int STATE_COUNT = sizeof(STATES) / sizeof(STATES[0]);

}  // namespace

void TickleWalker(Walker& w) {
  if (w.anim == WS_WAIT) {
    w.anim = WS_WALK;
    if (w.hat == HAT_SAFETY) w.hat = 0;  // a Safety Hat comes off when the wait is cut short
  } else if (w.anim == WS_WALK) {
    w.d = -w.d;
  }
}

void GiveHat(Walker& w, int hat) { w.hat = hat; }

void StepRules(Board& b, Walker& w, Pose& pose, RuleEvents* events) {
  const Step s{b, w, pose, events};
  CountDown(s);
  TestEdge(s);
  pose = Pose{};
  if (w.anim >= 0 && w.anim < STATE_COUNT) STATES[w.anim](s);
}
