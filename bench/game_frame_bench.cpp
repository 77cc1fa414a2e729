// CPU cost of one game frame on the headless back end: a board with walkers on the move plus the
// heaviest effects the game makes at once (eleven splats' worth of spurts, a block's 64 debris
// pieces, hat pops). Drawing is only recorded here, so this is the game logic's own share of a
// frame; it must stay far below the 16.7 ms of a frame so that drawing sets the pace.
#include <benchmark/benchmark.h>

#include "common/settings.h"
#include "engine/engine_state.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/cells.h"
#include "game/effects.h"
#include "game/game_flow.h"
#include "game/game_images.h"
#include "game/flow_state.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_play.h"
#include "game/walker.h"
#include "media/headless.h"
#include "media/media.h"
#include "headless_screen.h"

namespace {

constexpr int SPLATS = 11;  // 11 x 17 = 187 spurts
constexpr int WALKERS = 12;

void SetUpBoard() {
  OpenHeadlessScreen();
  Settings[ESS] = 0;
  BgImage = CreateImage(64, 64, 64, 0);
  PlonkoImage = CreateImage(64, 64, 100, 0);
  PlonkoHatImage = CreateImage(64, 64, 100, 0);
  BoomImage = CreateImage(8, 8, 64, 0);
  SpurtImage = CreateImage(16, 16, 1, 0);
  AHatImage = CreateImage(16, 16, 1, 0);
  GridImage = CreateImage(256, 256, 1, 0);
  // Three floors of ground with walls to turn at, so walkers keep walking for ever.
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
  InitBackground();
}

// Keeps the effect lists at their heaviest, as on the frame a splat, a bang and a pop coincide.
void TopUpEffects() {
  if (SpurtList.Count() < SPLATS * 17)
    for (int i = 0; i < SPLATS; ++i) EmitSplat(100 + 60 * i, 300);
  if (BoomList.Count() < 64) EmitDebris(6, 12, GridX, GridY);
  if (HatPopList.Count() < 4)
    for (int c = 1; c <= 4; ++c) EmitHatPop(200.0f * c, 400.0f, c);
}

// The frame's board, walkers and effects; with `panels` also the side panel: every hat box full
// and the score, level and par box below them, whose texts are made anew each frame.
void GameFrameBench(benchmark::State& state, bool panels) {
  SetUpBoard();
  for (int i = 1; i <= HAT_COLOURS; ++i) HatStock[i] = HAT_STOCK_CAP;
  LevelName = "Soft";
  LevelNumber = 7;
  Score = 123456;
  for (auto _ : state) {
    TopUpEffects();
    BeginFrame(1);
    ResetDrawState();
    MoveBackground();
    DrawBackground(GridX, GridY);
    DrawBoardTiles();
    MoveDebris();
    DrawDebris();
    MoveHatPops();
    PlayLevelFrame();
    DrawWalkers();
    if (panels) {
      ResetDrawState();
      HatPanel();
      ResetDrawState();
      LevelPanel();
    }
    DrawHatPops();
    MoveSpurts();
    DrawSpurts();
    HeadlessClearDraws();
    HeadlessClearSounds();
  }
  state.counters["spurts"] = SpurtList.Count();
  state.counters["walkers"] = Walkers.Count();
  MediaShutdown();
}

void BM_GameFrame(benchmark::State& state) { GameFrameBench(state, false); }
void BM_GameFrameWithPanels(benchmark::State& state) { GameFrameBench(state, true); }
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameFrameWithPanels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
