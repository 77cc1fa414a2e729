// The hint's search from the start of every level, at the game's bound (par + 2 actions) and
// budget (1 s of CPU): one benchmark per level, with the states searched, whether it answered
// (found: a win; none: no win in the bound; neither: out of budget) and the actions of its win.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_hint.h"
#include "game/level_notes.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

bool LoadRules(const std::string& mode, int level, RulesLevel& out) {
  WalkerCount = 0;
  SavedCount = 0;
  for (int& h : HatStock) h = 0;
  ClearWalkers();
  const std::string image = std::string(BENCH_SOURCE_DIR) + "/assets/Plonko_Levels/" + mode + ".png";
  return DecodeLevel(image, level) == LEVEL_OK && WalkerCount > 0 && CaptureLevel(out);
}

void HintFromStart(benchmark::State& state, std::string mode, int level, LevelPar par) {
  RulesLevel start;
  if (!LoadRules(mode, level, start)) {
    state.SkipWithError("level does not load");
    return;
  }
  HintBudget budget;
  budget.maxActions = HintActions(par);
  budget.cpuSeconds = HINT_CPU_SECONDS;
  Hint h;
  for (auto _ : state) {
    h = FindHint(start, 0, budget);
    benchmark::DoNotOptimize(h.plan.data());
  }
  state.counters["states"] = static_cast<double>(h.states);
  state.counters["found"] = h.kind == HINT_WIN;
  state.counters["none"] = h.kind == HINT_NO_WIN;
  state.counters["actions"] = static_cast<double>(h.plan.size());
  state.counters["par"] = par.actions;
}

void RegisterLevels() {
  MediaInit(MEDIA_HEADLESS);
  for (const char* mode : {"Soft", "Hard"}) {
    std::vector<LevelNote> notes;
    ReadLevelNotes(std::string(BENCH_SOURCE_DIR) + "/assets/levels/" + mode + ".txt", notes);
    RulesLevel s;
    for (int n = 1; LoadRules(mode, n, s); ++n) {
      const LevelPar par = n <= static_cast<int>(notes.size()) ? notes[static_cast<size_t>(n - 1)].par : LevelPar{};
      benchmark::RegisterBenchmark((std::string("HintFromStart/") + mode + "_" + std::to_string(n)).c_str(),
                                   HintFromStart, std::string(mode), n, par)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1)
          ->MeasureProcessCPUTime();
    }
  }
}

}  // namespace

// The levels are registered once the program's globals exist.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterLevels();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
