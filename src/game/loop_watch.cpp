// The loop watch: Brent's cycle test over each walker's turns, on an unchanged board.
#include "game/loop_watch.h"

#include <cstring>

#include "game/cells.h"
#include "game/hats.h"
#include "game/walker.h"

namespace {

// The record as the rules see it: while waiting or walking, stp only picks the animation frame.
Walker LoopKey(const Walker& w) {
  Walker k = w;
  if (k.anim == WS_WAIT || k.anim == WS_WALK) k.stp = 0;
  return k;
}

bool SameLoopRecord(const Walker& a, const Walker& b) {
  const Walker ka = LoopKey(a), kb = LoopKey(b);
  return std::memcmp(&ka, &kb, sizeof ka) == 0;
}

bool SameLoopBoard(const Board& a, const Board& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

bool WallWithinReach(const Board& b, const Walker& w) {
  for (int dir = -1; dir <= 1; dir += 2) {
    int x = w.x + dir;
    while (!IsSolid(b, x, w.y)) x += dir;
    if (InGrid(x, w.y)) return true;
  }
  return false;
}

void LoopWatch::Reset() {
  started_ = false;
  tracks_.clear();
}

void LoopWatch::Start(const Board& b, LiveWalkers& walkers) {
  started_ = true;
  board_ = b;
  tracks_.assign(static_cast<size_t>(walkers.Count()), Track{});
  size_t i = 0;
  walkers.ForEach([&](Walker& w) { tracks_[i++].d = w.d; });
}

bool LoopWatch::Look(const Board& b, LiveWalkers& walkers, bool acted) {
  if (acted || !started_ || !SameLoopBoard(b, board_) || tracks_.size() != static_cast<size_t>(walkers.Count())) {
    Start(b, walkers);
    return false;
  }
  bool all = !tracks_.empty();
  bool hardHatHelps = false;
  size_t i = 0;
  walkers.ForEach([&](Walker& w) {
    Track& t = tracks_[i++];
    if (!t.loops && w.d != t.d) {
      for (int k = 0; k < RECENT && k < t.turns; ++k) t.loops = t.loops || SameLoopRecord(w, t.recent[k]);
      t.recent[t.turns++ % RECENT] = w;
      if (t.loops || (t.marked && SameLoopRecord(w, t.mark))) {
        t.loops = true;
      } else if (!t.marked || ++t.since >= t.power) {
        t.mark = w;
        t.marked = true;
        if (t.since >= t.power) t.power *= 2;
        t.since = 0;
      }
    }
    t.d = w.d;
    all = all && t.loops;
    if (t.loops && b.stock[HAT_HARD] > 0 && WallWithinReach(b, w)) hardHatHelps = true;
  });
  return all && !hardHatHelps;
}
