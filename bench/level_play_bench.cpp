// The level's time controls: one presented frame at fast-forward (eight level frames of state,
// then the drawing) on the level with the most Plonkos, and an undo (the attempt played again
// from its start) at three minutes into that level, the longest a level may take.
#include <benchmark/benchmark.h>

#include <string>

#include "common/settings.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/effects.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_play.h"
#include "media/headless.h"
#include "media/media.h"
#include "headless_screen.h"

namespace {

constexpr int LONGEST_FRAMES = 10800;

// Loads the level with the most walkers of both images.
void LoadHeaviest() {
  const std::string folder = std::string(BENCH_SOURCE_DIR) + "/assets/Plonko_Levels/";
  std::string best;
  int bestLevel = 0, most = 0;
  for (const char* mode : {"Soft", "Hard"})
    for (int n = 1; DecodeLevel(folder + mode + ".png", n) == LEVEL_OK; ++n) {
      if (WalkerCount > most) {
        most = WalkerCount;
        best = mode;
        bestLevel = n;
      }
      ClearWalkers();
    }
  DecodeLevel(folder + best + ".png", bestLevel);
  BeginLevelRecord();
}

void SetUpGame() {
  OpenHeadlessScreen();
  Settings[ESS] = 0;
  BgImage = CreateImage(64, 64, 64, 0);
  PlonkoImage = CreateImage(64, 64, 100, 0);
  PlonkoHatImage = CreateImage(64, 64, 100, 0);
  BoomImage = CreateImage(8, 8, 64, 0);
  SpurtImage = CreateImage(16, 16, 1, 0);
  AHatImage = CreateImage(16, 16, 1, 0);
  GridImage = CreateImage(256, 256, 1, 0);
  BitsImage = CreateImage(256, 128, 8, 0);
  ResetGameState();
  LoadHeaviest();
  InitBackground();
  BannerTimer = 0;
  LevelName = "Soft";
  LevelNumber = 1;
}

void BM_FastForwardFrame(benchmark::State& state) {
  SetUpGame();
  const RulesLevel start = LevelState;
  for (auto _ : state) {
    if (LevelFrame > 2000) {  // the walkers keep moving: start over before they are all gone
      LevelState = start;
      BeginLevelRecord();
    }
    BeginFrame(1);
    for (int k = 0; k < FAST_FORWARD_STEPS; ++k) {
      MoveDebris();
      MoveHatPops();
      PlayLevelFrame();
      MoveSpurts();
    }
    DrawGameScene();
    HeadlessClearDraws();
    HeadlessClearSounds();
  }
  state.counters["walkers"] = WalkerCount;
  MediaShutdown();
}
BENCHMARK(BM_FastForwardFrame)->Unit(benchmark::kMicrosecond);

void BM_UndoAtThreeMinutes(benchmark::State& state) {
  SetUpGame();
  const RulesLevel start = LevelState;
  for (auto _ : state) {
    LevelState = start;
    BeginLevelRecord();
    ActionLog.push_back({LONGEST_FRAMES, 0, 0});
    UndoAction();
    benchmark::DoNotOptimize(LevelState);
  }
  state.counters["frames"] = LONGEST_FRAMES;
  MediaShutdown();
}
BENCHMARK(BM_UndoAtThreeMinutes)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
