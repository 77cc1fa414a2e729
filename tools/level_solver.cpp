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
//
// A plan is printed as "<frame> t <walker>" (tickle) and "<frame> h <hat> <walker>" (hat),
// walkers counted from 0 in the level's order.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_solver.h"
#include "game/plan_script.h"
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: level_solver <Soft|Hard> <level> [<max actions> [<out.solution>]]\n"
                 "       level_solver all [<max actions>]\n");
    return 2;
  }
  MediaInit(MEDIA_HEADLESS);
  const std::string cmd = argv[1];
  if (cmd == "all") return SolveAll(argc > 2 ? std::atoi(argv[2]) : 3);
  if (argc < 3) return 2;
  return SolveOne(cmd, std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 3, argc > 4 ? argv[4] : nullptr);
}
