// CPU cost of the score history panel on one title frame, on the headless back end (drawing is
// only recorded). Two frames matter: the first one after scores.dat was read, when 1,000 matching
// records are walked and all but the 50 newest and the 25 best are pruned; and every frame after
// it, with the pruned list beside a long history of another difficulty that the panel never
// prunes. Both must stay far below 0.2 ms, so a big scores.dat never slows the title.
#include <benchmark/benchmark.h>

#include <vector>

#include "common/score_table.h"
#include "engine/engine_state.h"
#include "engine/score_panel.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "media/headless.h"
#include "media/media.h"
#include "headless_screen.h"

namespace {

constexpr int MATCHING = 1000;
constexpr int OTHER_KIND = 10000;

void SetUpPanel() {
  OpenHeadlessScreen();
  IconsFiltered = CreateImage(16, 16, 64, 0);
  BadgeStrip = CreateImage(64, 64, 16, 0);
  BadgeCount = 16;
  // Most points drawn (scrolled half way), the pointer on a graph point, a best row chosen.
  ResultsScroll = 500;
  ResultsSelected = 1003;
  FrameMouseX = 1100;
  FrameMouseY = 900;
}

// Records newest first, with varied scores, names and badges; mode 0 unless told otherwise.
std::vector<Scores> MakeRecords(int count, int mode) {
  std::vector<Scores> out;
  for (int i = 0; i < count; ++i) {
    Scores s;
    s.Score = (static_cast<int64_t>(i) * 7919) % 100000;
    s.Timestamp = 2000000000000 - i;
    s.Badges = i * 37;
    s.Name = "Player number " + std::to_string(i);
    s.Best[30] = i % 2;
    s.GameMode = mode;
    out.push_back(s);
  }
  return out;
}

void Fill(const std::vector<Scores>& records) {
  for (const Scores& s : records) ScoreList.Append(s);
}

void PanelFrame() {
  BeginFrame(1);
  ShowResults(320, 0, 0, 0);
  HeadlessClearDraws();
}

void BM_ShowResultsFirstFrame(benchmark::State& state) {
  SetUpPanel();
  const std::vector<Scores> records = MakeRecords(MATCHING, 0);
  for (auto _ : state) {
    state.PauseTiming();
    ScoreList.Clear();
    Fill(records);
    state.ResumeTiming();
    PanelFrame();
  }
  state.counters["kept"] = ScoreList.Count();
  ScoreList.Clear();
  MediaShutdown();
}
BENCHMARK(BM_ShowResultsFirstFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ShowResultsLaterFrames(benchmark::State& state) {
  SetUpPanel();
  ScoreList.Clear();
  Fill(MakeRecords(MATCHING, 0));
  Fill(MakeRecords(OTHER_KIND, 1));
  SortScores();
  PanelFrame();  // the prune
  for (auto _ : state) PanelFrame();
  state.counters["records"] = ScoreList.Count();
  ScoreList.Clear();
  MediaShutdown();
}
BENCHMARK(BM_ShowResultsLaterFrames)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
