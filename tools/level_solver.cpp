// Level solver: searches the walker rules for the plans that win a level with the fewest actions
// and with the fewest hats, and prints each plan with the pointer script that plays it (the
// solution file format, which the replay tool and the replay test play). Run from the
// repository root; levels are read from assets/Plonko_Levels.
//
//   level_solver <Soft|Hard> <level> [<max actions> [<out.solution>]]
//       solves one level (3 actions by default); writes the script of the shortest plan (of
//       the one with the fewest hats, when it is as short) to the file
//   level_solver all [<max actions>]
//       one line per level of both images: hats handed out, the fewest actions and the fewest
//       hats found, and the search's time
//   level_solver table [<Soft|Hard|all> [<deepest par searched> [<level>]]]
//       the designer's review of each level at its declared par: walkers, hats handed out, the
//       narrowest window of a plan at par (frames one action may move alone and still win, and
//       where it opens), the frame it is won on, whether a level left alone ends, whether a win
//       one action longer than par needs fewer hats, and the search's time
//
// A plan is printed as "<frame> t <walker>" (tickle) and "<frame> h <hat> <walker>" (hat),
// walkers counted from 0 in the level's order.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "game/cells.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_notes.h"
#include "game/level_solver.h"
#include "game/plan_script.h"
#include "game/solution_file.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

bool Load(const std::string& mode, int level, RulesLevel& out) {
  WalkerCount = 0;
  SavedCount = 0;
  for (int c = 1; c <= HAT_COLOURS; ++c) HatStock[c] = 0;
  ClearWalkers();
  if (DecodeLevel("assets/Plonko_Levels/" + mode + ".png", level) != LEVEL_OK || WalkerCount == 0) return false;
  return CaptureLevel(out);
}

int StockHats(const RulesLevel& s) {
  int n = 0;
  for (int c = 1; c <= HAT_COLOURS; ++c) n += s.board.stock[c];
  return n;
}

std::string PlanText(const std::vector<PlayerAction>& plan) {
  std::string out;
  for (const PlayerAction& a : plan) {
    if (!out.empty()) out += ", ";
    out += std::to_string(a.frame) + (a.hat ? " h " + std::to_string(a.hat) + " " : " t ") + std::to_string(a.walker);
  }
  return out.empty() ? "(no action)" : out;
}

void WriteScript(std::FILE* out, const std::vector<SolutionEvent>& events) {
  for (const SolutionEvent& e : events) {
    if (e.kind == SolutionEvent::MOVE) std::fprintf(out, "%d move %d %d\n", e.frame, e.x, e.y);
    if (e.kind == SolutionEvent::PRESS) std::fprintf(out, "%d press\n", e.frame);
    if (e.kind == SolutionEvent::RELEASE) std::fprintf(out, "%d release\n", e.frame);
  }
}

struct Timed {
  SolverResult result;
  double ms = 0;
};

Timed Solve(const RulesLevel& s, int maxActions) {
  SolverLimits limits;
  limits.maxActions = maxActions;
  const auto t0 = std::chrono::steady_clock::now();
  Timed t{SolveLevel(s, limits), 0};
  t.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  return t;
}

int SolveOne(const std::string& mode, int level, int maxActions, const char* outPath) {
  RulesLevel s;
  if (!Load(mode, level, s)) {
    std::fprintf(stderr, "level_solver: no level %s %d (or more than %d walkers)\n", mode.c_str(), level,
                 RULES_MAX_WALKERS);
    return 2;
  }
  const Timed t = Solve(s, maxActions);
  std::printf("%s %d: %d walkers, %d hats handed out; searched %lld states in %.0f ms\n", mode.c_str(), level,
              s.count, StockHats(s), static_cast<long long>(t.result.states), t.ms);
  if (!t.result.shortest.found) {
    std::printf("no win with up to %d actions\n", maxActions);
    return 1;
  }
  const SolverPlan& a = t.result.shortest;
  const SolverPlan& h = t.result.leastHats;
  std::printf("fewest actions: %zu (%d hats), won at frame %d: %s\n", a.actions.size(), a.hats, a.frame,
              PlanText(a.actions).c_str());
  std::printf("fewest hats: %d (%zu actions), won at frame %d: %s\n", h.hats, h.actions.size(), h.frame,
              PlanText(h.actions).c_str());
  // The recorded solution should be at par on both counts when one plan is, and playable by a
  // person: a plan as short, with as few hats, that still wins with each action a little off.
  SolverPlan best = h.actions.size() == a.actions.size() ? h : a;
  SolverLimits robust;
  robust.maxActions = static_cast<int>(best.actions.size());
  robust.robust = true;
  const SolverPlan steady = FindPlan(s, robust, best.hats, nullptr);
  if (steady.found) best = steady;
  else std::printf("no plan at par still wins with its actions %d frames off\n", SLACK_FRAMES);
  const std::vector<SolutionEvent> events = PlanEvents(s, best.actions);
  std::printf("pointer script of %s:\n", PlanText(best.actions).c_str());
  WriteScript(stdout, events);
  if (outPath) {
    std::FILE* f = std::fopen(outPath, "w");
    if (!f) return 2;
    std::fprintf(f, "; %s level %d, found by the level solver: %s\n", mode.c_str(), level, PlanText(best.actions).c_str());
    WriteScript(f, events);
    std::fclose(f);
  }
  return 0;
}

int SolveAll(int maxActions) {
  std::printf("level    walkers hats | fewest actions (hats) | fewest hats (actions) | states    ms\n");
  for (const char* mode : {"Soft", "Hard"}) {
    for (int level = 1;; ++level) {
      RulesLevel s;
      if (!Load(mode, level, s)) break;
      const Timed t = Solve(s, maxActions);
      const SolverResult& r = t.result;
      char shortest[32] = "-", least[32] = "-";
      if (r.shortest.found) {
        std::snprintf(shortest, sizeof shortest, "%zu (%d)", r.shortest.actions.size(), r.shortest.hats);
        std::snprintf(least, sizeof least, "%d (%zu)", r.leastHats.hats, r.leastHats.actions.size());
      }
      std::printf("%s %2d  %7d %4d | %21s | %21s | %9lld %6.0f\n", mode, level, s.count, StockHats(s), shortest,
                  least, static_cast<long long>(r.states), t.ms);
      std::fflush(stdout);
    }
  }
  return 0;
}

int HandedOut(const RulesLevel& s) {
  int n = StockHats(s);
  for (int32_t cell : s.board.grid) n += cell > CELL_PICKUP;
  return n;
}

// Frames around a plan's action in which it alone may come and still win: [lo, hi].
struct Window {
  int lo = 0, hi = 0;
  int Width() const { return hi - lo + 1; }
};
constexpr int WINDOW_REACH = 900;  // frames searched each side of an action

Window ActionWindow(const RulesLevel& s, std::vector<PlayerAction> plan, size_t i, int maxFrames) {
  const int at = plan[i].frame;
  auto wins = [&](int frame) {
    if (frame < 0) return false;
    plan[i].frame = frame;
    std::vector<PlayerAction> ordered = plan;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const PlayerAction& a, const PlayerAction& b) { return a.frame < b.frame; });
    return PlayRules(s, ordered, maxFrames).verdict == WON;
  };
  Window w{at, at};
  while (w.lo > at - WINDOW_REACH && wins(w.lo - 1)) --w.lo;
  while (w.hi < at + WINDOW_REACH && wins(w.hi + 1)) ++w.hi;
  return w;
}

// The plan a solution file plays, by the game's own aim: a press on the board tickles the first
// walker under the pointer, a press right of it takes a hat from the panel row under the
// pointer, which goes on the last walker under the pointer when it is let go.
std::vector<PlayerAction> SolutionPlan(const RulesLevel& start, const Solution& sol) {
  constexpr int BOARD_RIGHT = 32 + 14 * 64, PANEL_ROW = 100, PANEL_ICON_Y = 66;
  std::vector<PlayerAction> out;
  RulesLevel s = start;
  int x = 0, y = 0, hat = 0, frame = 0;
  auto under = [&](bool last) {
    int found = -1;
    for (int i = 0; i < s.count; ++i) {
      if (!(s.live >> i & 1)) continue;
      int wx = 0, wy = 0;
      WalkerMiddle(s.walkers[i], wx, wy);
      if (std::abs(wx - x) < 20 && std::abs(wy - y) < 32) {
        found = i;
        if (!last) break;
      }
    }
    return found;
  };
  size_t played = 0;  // actions already stepped
  for (const SolutionEvent& e : sol.events) {
    for (; frame < e.frame; ++frame) {
      const size_t first = played;
      while (played < out.size() && out[played].frame <= frame) ++played;
      StepLevel(s, out.data() + first, static_cast<int>(played - first));
    }
    if (e.kind == SolutionEvent::MOVE) x = e.x, y = e.y;
    if (e.kind == SolutionEvent::PRESS) {
      if (x >= BOARD_RIGHT) hat = (y - PANEL_ICON_Y + PANEL_ROW / 2) / PANEL_ROW;
      else if (under(false) >= 0) out.push_back({e.frame, under(false), 0});
    }
    if (e.kind == SolutionEvent::RELEASE && hat > 0) {
      if (under(true) >= 0) out.push_back({e.frame, under(true), hat});
      hat = 0;
    }
  }
  return out;
}

// Whether the level, left alone, ends: every walker gone (saved or lost) within the time limit.
// Where the walkers left pace is put in `left` ("w<i> (x,y)").
bool EndsAlone(RulesLevel s, int maxFrames, std::string& left) {
  for (int f = 0; f < maxFrames && s.live; ++f) StepLevel(s, nullptr, 0);
  for (int i = 0; i < s.count; ++i)
    if (s.live >> i & 1)
      left += " w" + std::to_string(i) + " (" + std::to_string(s.walkers[i].x) + "," + std::to_string(s.walkers[i].y) + ")";
  return s.live == 0;
}

constexpr int64_t TABLE_STATES = 3000000;  // the search one action past par gives up here

int Table(const std::string& only, int deepest, int onlyLevel) {
  std::printf("level   | walkers | par a/h | out | window (at)      | won at | alone | fewer hats at par+1      | ms     | idea\n");
  for (const char* mode : {"Soft", "Hard"}) {
    if (only != "all" && only != mode) continue;
    std::vector<LevelNote> notes;
    ReadLevelNotes(std::string("assets/levels/") + mode + ".txt", notes);
    for (int level = 1;; ++level) {
      RulesLevel s;
      if (!Load(mode, level, s)) break;
      if (onlyLevel > 0 && level != onlyLevel) continue;
      const LevelNote note = level <= static_cast<int>(notes.size()) ? notes[static_cast<size_t>(level - 1)] : LevelNote{};
      SolverLimits limits;
      std::string left;
      const bool ends = EndsAlone(s, limits.maxFrames, left);
      if (!ends) std::fprintf(stderr, "%s %d left alone, paces:%s\n", mode, level, left.c_str());
      char window[40] = "-", wonAt[16] = "-", fewer[40] = "-", ms[24] = "-";
      Solution sol;
      std::string error;
      std::string file = std::string("assets/levels/") + mode + "_" + std::to_string(level) + ".solution";
      file[14] = static_cast<char>(std::tolower(static_cast<unsigned char>(file[14])));
      if (ReadSolution(file, sol, error)) {
        const std::vector<PlayerAction> plan = SolutionPlan(s, sol);
        const RulesOutcome won = PlayRules(s, plan, limits.maxFrames);
        if (won.verdict == WON) {
          std::snprintf(wonAt, sizeof wonAt, "%d", won.frame);
          Window narrow{0, 1 << 20};
          for (size_t i = 0; i < plan.size(); ++i) {
            const Window w = ActionWindow(s, plan, i, limits.maxFrames);
            if (w.Width() < narrow.Width()) narrow = w;
          }
          if (!plan.empty()) std::snprintf(window, sizeof window, "%4d (%d-%d)", narrow.Width(), narrow.lo, narrow.hi);
        } else {
          std::snprintf(window, sizeof window, "LOST");
          std::fprintf(stderr, "%s %d: the solution read as %s does not win under the rules\n", mode, level,
                       PlanText(plan).c_str());
        }
      }
      if (note.par.set && note.par.actions <= deepest) {
        limits.maxActions = note.par.actions;
        const auto t0 = std::chrono::steady_clock::now();
        const SolverPlan plan = FindPlan(s, limits, note.par.hats, nullptr);
        std::snprintf(ms, sizeof ms, "%.0f%s", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count(),
                      plan.found ? "" : " NONE");
        if (note.par.hats > 0 && note.par.actions + 1 <= deepest) {
          limits.maxActions = note.par.actions + 1;
          const auto t1 = std::chrono::steady_clock::now();
          int64_t states = 0;
          limits.maxStates = TABLE_STATES;
          const SolverPlan fewerHats = FindPlan(s, limits, note.par.hats - 1, &states);
          std::snprintf(fewer, sizeof fewer, "%s %.0fms %lldk", fewerHats.found ? "YES" : fewerHats.cut ? "cut" : "no",
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1).count(),
                        static_cast<long long>(states / 1000));
        }
      }
      std::printf("%s %2d | %7d | %3d/%-3d | %3d | %-16s | %6s | %-5s | %-24s | %-6s | %s\n", mode, level, s.count,
                  note.par.actions, note.par.hats, HandedOut(s), window, wonAt, ends ? "ends" : "paces", fewer, ms,
                  note.title.c_str());
      std::fflush(stdout);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: level_solver <Soft|Hard> <level> [<max actions> [<out.solution>]]\n"
                 "       level_solver all [<max actions>]\n"
                 "       level_solver table [<Soft|Hard|all> [<deepest par searched> [<level>]]]\n");
    return 2;
  }
  MediaInit(MEDIA_HEADLESS);
  const std::string cmd = argv[1];
  if (cmd == "all") return SolveAll(argc > 2 ? std::atoi(argv[2]) : 3);
  if (cmd == "table") return Table(argc > 2 ? argv[2] : "all", argc > 3 ? std::atoi(argv[3]) : 4, argc > 4 ? std::atoi(argv[4]) : 0);
  if (argc < 3) return 2;
  return SolveOne(cmd, std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 3, argc > 4 ? argv[4] : nullptr);
}
