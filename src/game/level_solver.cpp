// The level solver's depth-first search, one pass per bound on actions (and on hats).
#include "game/level_solver.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <iterator>

#include "game/cells.h"
#include "game/hats.h"
#include "game/panel_layout.h"
#include "game/plan_script.h"
#include "game/walker.h"

namespace {

constexpr size_t TABLE_FIRST = size_t{1} << 14;  // slots at first; doubles when 3/4 full
constexpr size_t TABLE_MOST = size_t{1} << 23;   // 8M slots of 16 bytes; then it stops adding

uint64_t Mix(uint64_t h, uint64_t v) {
  h = (h ^ v) * 0x9E3779B97F4A7C15ull;
  return h ^ (h >> 29);
}

// Every field that the rules read; the frame is left out, so a state met again later is known.
uint64_t StateKey(const RulesLevel& s) {
  uint64_t h = s.live;
  constexpr size_t CELLS = sizeof(s.board.grid) / sizeof(s.board.grid[0]);
  for (size_t i = 0; i + 1 < CELLS; i += 2)
    h = Mix(h, static_cast<uint32_t>(s.board.grid[i]) | static_cast<uint64_t>(static_cast<uint32_t>(s.board.grid[i + 1])) << 32);
  for (int c = 1; c <= HAT_COLOURS; ++c) h = Mix(h, static_cast<uint64_t>(s.board.stock[c]));
  h = Mix(h, static_cast<uint64_t>(s.board.saved));
  for (int i = 0; i < s.count; ++i) {
    if (!(s.live >> i & 1)) continue;
    const Walker& w = s.walkers[i];
    const int32_t f[] = {w.x, w.y, w.ox, w.oy, w.d, w.fell, w.anim, w.stp, w.hat, w.tick};
    for (int32_t v : f) h = Mix(h, static_cast<uint32_t>(v));
  }
  return h;
}

// A walking walker at the start of a cell; or, for a plan a person must play, a few frames into
// it, so an action a little early still finds it walking.
bool CellStart(const Walker& w, int into) { return w.anim == WS_WALK && w.ox == into * w.d && w.oy == 0; }
// Each second of a wait, a few frames after the second starts: the pointer needs a frame to
// reach the walker before the first press of a level.
bool WaitChoice(const Walker& w) { return w.anim == WS_WAIT && w.tick % WAIT_GRAIN == WAIT_GRAIN - 4; }

// A walker pacing between two walls over solid floor with no hole between them. With no action
// left and no Hard Hat worn, nothing can open its way, so the level is lost.
bool Trapped(const Board& b, const Walker& w) {
  if (w.anim != WS_WALK || w.oy != 0 || w.hat == HAT_HARD) return false;
  int lo = w.x, hi = w.x;
  while (!IsSolid(b, lo - 1, w.y)) --lo;
  while (!IsSolid(b, hi + 1, w.y)) ++hi;
  for (int x = lo; x <= hi; ++x)
    if (CellAt(b, x, w.y) == CELL_HOLE || !IsSolid(b, x, w.y + 1)) return false;
  return true;
}

bool NoWayLeft(const RulesLevel& s) {
  for (int i = 0; i < s.count; ++i)
    if (s.live >> i & 1 && s.walkers[i].hat == HAT_HARD) return false;
  for (int i = 0; i < s.count; ++i)
    if (s.live >> i & 1 && Trapped(s.board, s.walkers[i])) return true;
  return false;
}

// A hat with no rule of its own matters only as a way to take a worn hat off.
bool HatCanMatter(const Walker& w, int h) {
  if (w.hat == h) return false;
  return h == HAT_HARD || h == HAT_RUBBER || h == HAT_SAFETY || w.hat != 0;
}

// No other walker under the pointer aimed at walker i's middle, so the press or drop finds it.
bool Reachable(const RulesLevel& s, int i) {
  const Walker& a = s.walkers[i];
  const int ax = a.x * CELL_PIXELS + a.ox, ay = a.y * CELL_PIXELS + a.oy;
  for (int j = 0; j < s.count; ++j) {
    if (j == i || !(s.live >> j & 1)) continue;
    const Walker& b = s.walkers[j];
    const int bx = b.x * CELL_PIXELS + b.ox, by = b.y * CELL_PIXELS + b.oy;
    if (std::abs(ax - bx) < HOVER_HALF_W && std::abs(ay - by) < HOVER_HALF_H) return false;
  }
  return true;
}

// States searched, by key: open addressing, linear probing. Key 0 marks an empty slot.
class SeenTable {
 public:
  SeenTable() : slots_(TABLE_FIRST) {}
  // True when the state was met no later with at least as many actions left; records it.
  bool Seen(uint64_t key, int budget, int frame) {
    key |= 1;
    Slot& s = Find(key);
    if (s.key == key) {
      if (s.budget >= budget && s.frame <= frame) return true;
      s.budget = std::max(s.budget, budget);
      s.frame = std::min(s.frame, frame);
      return false;
    }
    if (used_ * 4 >= slots_.size() * 3) {
      if (slots_.size() >= TABLE_MOST) return false;
      Grow();
      return Seen(key, budget, frame);
    }
    s = {key, budget, frame};
    ++used_;
    return false;
  }

 private:
  struct Slot {
    uint64_t key = 0;
    int32_t budget = 0, frame = 0;
  };
  Slot& Find(uint64_t key) {
    const size_t mask = slots_.size() - 1;
    size_t i = key & mask;
    while (slots_[i].key != 0 && slots_[i].key != key) i = (i + 1) & mask;
    return slots_[i];
  }
  void Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& s : old)
      if (s.key != 0) Find(s.key) = s;
  }
  std::vector<Slot> slots_;
  size_t used_ = 0;
};

// Still won with any one action up to SLACK_FRAMES early or late, and with all of them moved at
// once by a few fixed patterns: a person can play it.
bool Robust(const RulesLevel& start, const std::vector<PlayerAction>& plan, int maxFrames) {
  auto wins = [&](std::vector<PlayerAction> p) {
    std::stable_sort(p.begin(), p.end(), [](const PlayerAction& a, const PlayerAction& b) { return a.frame < b.frame; });
    return PlayRules(start, p, maxFrames).verdict == WON;
  };
  for (size_t k = 0; k < plan.size(); ++k)
    for (int shift = -SLACK_FRAMES; shift <= SLACK_FRAMES; ++shift) {
      std::vector<PlayerAction> p = plan;
      p[k].frame = std::max(0, p[k].frame + shift);
      if (shift != 0 && !wins(p)) return false;
    }
  uint32_t seed = 12345;
  for (int pattern = 0; pattern < 8; ++pattern) {
    std::vector<PlayerAction> p = plan;
    for (PlayerAction& a : p) {
      seed = seed * 1103515245u + 12345u;
      a.frame = std::max(0, a.frame + static_cast<int>(seed >> 16) % (2 * SLACK_FRAMES + 1) - SLACK_FRAMES);
    }
    if (!wins(p)) return false;
  }
  return true;
}

// The frame on which each walker last left a wait or a bang: from then on it walks from wherever
// it stood, which need not be the start of a cell (after a bang it is a few frames from the edge
// of a block it may have opened), so it can be acted on once just after. And the
// frame on which each hat colour last came into the panel: the pointer takes a hat there some
// frames before it drops it, so a hat just picked up cannot go on a walker at once.
struct Resumed {
  int frame[RULES_MAX_WALKERS];
  int stocked[HAT_COLOURS + 1];
};

uint32_t PausedMask(const RulesLevel& s) {
  uint32_t m = 0;
  for (int i = 0; i < s.count; ++i)
    if (s.live >> i & 1 && (s.walkers[i].anim == WS_WAIT || s.walkers[i].anim == WS_BANG)) m |= 1u << i;
  return m;
}

void NoteResumed(const RulesLevel& s, uint32_t pausedBefore, const int32_t* stockBefore, int frame, Resumed& r) {
  for (int i = 0; i < s.count; ++i)
    if (pausedBefore >> i & 1 && s.walkers[i].anim == WS_WALK) r.frame[i] = frame;
  for (int h = 1; h <= HAT_COLOURS; ++h)
    if (stockBefore[h] <= 0 && s.board.stock[h] > 0) r.stocked[h] = frame;
}

constexpr int64_t CLOCK_EVERY = 1024;  // decision points between two looks at the clock and the cancel

class Search {
 public:
  Search(const SolverLimits& limits, int hatCap, const SearchStart& at)
      : limits_(limits),
        hatCap_(hatCap),
        into_(limits.robust ? SLACK_FRAMES + 1 : 0),
        takeLead_(HAT_TAKE_LEAD + (limits.robust ? SLACK_FRAMES : 0)),
        at_(at),
        cpuEnd_(at.cpuSeconds > 0 ? ThreadCpuSeconds() + at.cpuSeconds : 0) {}

  // True when a plan of at most `budget` actions wins; the plan is then in plan_.
  bool Run(const RulesLevel& start, int budget) {
    plan_.clear();
    start_ = &start;
    Resumed r;
    for (int& f : r.frame) f = -1000;
    for (int& f : r.stocked) f = -1000;
    return From(start, at_.frame, budget, at_.firstAction - ACTION_GAP, r);
  }

  std::vector<PlayerAction> plan_;
  int wonFrame_ = 0;
  int64_t states_ = 0;
  bool stopped_ = false;  // gave up at limits_.maxStates, the CPU budget or the cancel

 private:
  bool OutOfBudget() {
    if (stopped_) return true;
    if (limits_.maxStates > 0 && states_ > limits_.maxStates) stopped_ = true;
    if (states_ % CLOCK_EVERY == 1) {  // the first look comes at once
      if (at_.cancel && at_.cancel->load(std::memory_order_relaxed)) stopped_ = true;
      if (cpuEnd_ > 0 && ThreadCpuSeconds() > cpuEnd_) stopped_ = true;
    }
    return stopped_;
  }

  // Visited: prunes a state met before no later and with at least as many actions left, and
  // every state once the search has given up.
  bool Visited(const RulesLevel& s, int frame, int budget) {
    ++states_;
    if (OutOfBudget()) return true;
    // Whether a plan can be played by a person depends on its earlier actions too, not only on
    // the state they led to: those searches keep no table.
    return !limits_.robust && table_.Seen(StateKey(s), budget, frame);
  }

  bool Try(const RulesLevel& s, int frame, int budget, const PlayerAction& a, Resumed r) {
    if (stopped_) return false;
    RulesLevel next = s;
    const uint32_t paused = PausedMask(next);
    StepLevel(next, &a, 1);
    NoteResumed(next, paused, s.board.stock, frame, r);
    plan_.push_back(a);
    if (Settled(next, frame) || From(next, frame + 1, budget - 1, frame, r)) return true;
    plan_.pop_back();
    return false;
  }

  // Won after the frame just stepped: remembers when.
  bool Settled(const RulesLevel& s, int frame) {
    if (SearchVerdict(s) != WON || !Accepted()) return false;
    wonFrame_ = frame;
    return true;
  }
  bool Accepted() const { return !limits_.robust || Robust(*start_, plan_, limits_.maxFrames); }

  // A walking walker that can be acted on now: at the start of a cell, or just after a wait or a bang.
  bool AtCell(const Walker& w, int i, int frame, const Resumed& r) const {
    return CellStart(w, into_) || (w.anim == WS_WALK && frame == r.frame[i] + 1 + into_);
  }

  bool From(RulesLevel s, int frame, int budget, int lastAction, Resumed r) {
    const int hatsUsed = PlanHats(plan_);
    for (; frame < limits_.maxFrames; ++frame) {
      bool choice = false;
      for (int i = 0; i < s.count && !choice; ++i)
        choice = s.live >> i & 1 && (AtCell(s.walkers[i], i, frame, r) || WaitChoice(s.walkers[i]));
      if (choice) {
        if (Visited(s, frame, budget)) return false;
        if (budget == 0 && NoWayLeft(s)) return false;
        if (budget > 0 && frame - lastAction >= ACTION_GAP) {
          for (int i = 0; i < s.count; ++i) {
            if (!(s.live >> i & 1)) continue;
            const Walker& w = s.walkers[i];
            const bool start = AtCell(w, i, frame, r);
            if (!(start || WaitChoice(w)) || !Reachable(s, i)) continue;
            if (Try(s, frame, budget, {frame, i, 0}, r)) return true;
            if (!start || hatsUsed >= hatCap_) continue;
            for (int h = 1; h <= HAT_COLOURS; ++h)
              if (HatCanMatter(w, h) && s.board.stock[h] > 0 && frame - r.stocked[h] >= takeLead_ &&
                  Try(s, frame, budget, {frame, i, h}, r))
                return true;
          }
        }
      }
      const uint32_t paused = PausedMask(s);
      int32_t stock[HAT_COLOURS + 1];
      std::copy(std::begin(s.board.stock), std::end(s.board.stock), stock);
      StepLevel(s, nullptr, 0);
      NoteResumed(s, paused, stock, frame, r);
      const Verdict v = SearchVerdict(s);
      if (v == LOST) return false;
      if (v == WON) {
        wonFrame_ = frame;
        return Accepted();
      }
    }
    return false;
  }

  SolverLimits limits_;
  int hatCap_;
  int into_;      // pixels into a cell where a walking walker can be acted on
  int takeLead_;  // frames a hat must have been in the panel before it can be dropped
  const RulesLevel* start_ = nullptr;
  SearchStart at_;
  double cpuEnd_;  // thread CPU time at which to give up; 0 for never
  SeenTable table_;
};

}  // namespace

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

int PlanHats(const std::vector<PlayerAction>& plan) {
  int n = 0;
  for (const PlayerAction& a : plan) n += a.hat > 0;
  return n;
}

SolverPlan FindPlanFrom(const RulesLevel& state, const SolverLimits& limits, int maxHats, const SearchStart& at,
                        int64_t* states, bool* gaveUp) {
  Search search(limits, maxHats, at);
  const bool won = search.Run(state, limits.maxActions);
  if (states) *states += search.states_;
  if (gaveUp) *gaveUp = search.stopped_ && !won;
  if (!won) {
    SolverPlan none;
    none.cut = search.stopped_;
    return none;
  }
  return {true, search.plan_, PlanHats(search.plan_), search.wonFrame_};
}

SolverPlan FindPlan(const RulesLevel& start, const SolverLimits& limits, int maxHats, int64_t* states) {
  return FindPlanFrom(start, limits, maxHats, SearchStart{}, states, nullptr);
}

SolverResult SolveLevel(const RulesLevel& start, const SolverLimits& limits) {
  SolverResult out;
  for (int d = 0; d <= limits.maxActions && !out.shortest.found; ++d) {
    SolverLimits depth = limits;
    depth.maxActions = d;
    out.shortest = FindPlan(start, depth, NO_HAT_CAP, &out.states);
  }
  if (!out.shortest.found) return out;
  // Fewer hats: the shortest plan's count is a start; each pass asks for one hat fewer.
  out.leastHats = out.shortest;
  while (out.leastHats.hats > 0) {
    const SolverPlan better = FindPlan(start, limits, out.leastHats.hats - 1, &out.states);
    if (!better.found) break;
    out.leastHats = better;
  }
  return out;
}
