// CPU cost of the loop watch in a game frame: the walkers' frame of rules alone, and the same
// with the watch's look after it; the difference is what the watch adds to every frame. The
// board is the game frame benchmark's: twelve walkers pacing on three floors for ever, so the
// watch compares records at every turn and keeps its verdict once it has one.
#include <benchmark/benchmark.h>

#include "game/cells.h"
#include "game/game_state.h"
#include "game/loop_watch.h"
#include "game/rules.h"
#include "game/walker.h"

namespace {

constexpr int WALKERS = 12;

void SetUpBoard() {
  for (int y = 0; y < GRID_SIZE; ++y)
    for (int x = 0; x < GRID_SIZE; ++x) {
      const bool floor = y == 4 || y == 8 || y == 12;
      const bool wall = (x == 0 || x == GRID_SIZE - 1) && (y == 3 || y == 7 || y == 11);
      SetCell(x, y, floor || wall ? CELL_SURFACE : CELL_AIR);
    }
  ClearWalkers();
  for (int i = 0; i < WALKERS; ++i) {
    Walker w;
    w.x = 1 + (i * 3) % 12;
    w.y = 3 + 4 * (i % 3);
    w.d = i % 2 ? 1 : -1;
    w.anim = WS_WALK;
    Walkers.Append(w);
  }
}

void StepRulesOnly() {
  Walkers.ForEach([](Walker& w) {
    Pose pose;
    StepRules(LevelBoard, w, pose, nullptr);
  });
}

void BM_WalkersOnly(benchmark::State& state) {
  SetUpBoard();
  for (auto _ : state) StepRulesOnly();
}
BENCHMARK(BM_WalkersOnly)->Unit(benchmark::kMicrosecond);

void BM_WalkersAndWatch(benchmark::State& state) {
  SetUpBoard();
  LoopWatch watch;
  int told = 0;
  for (auto _ : state) {
    StepRulesOnly();
    told += watch.Look(LevelBoard, Walkers, false);
  }
  state.counters["told_frames"] = told;
}
BENCHMARK(BM_WalkersAndWatch)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
