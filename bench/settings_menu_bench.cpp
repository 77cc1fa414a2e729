// CPU cost of one frame of the settings panel, fully open, on the headless back end (drawing is
// only recorded): with the four players' binding boxes (the pointer on one, so the input capture
// runs too) and without them, four joysticks listed, the real panel font. It must stay well under
// 1 ms, so that the open panel never costs the game its frame rate.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/common_assets.h"
#include "common/display_modes.h"
#include "common/settings.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "headless_screen.h"
#include "input/input.h"
#include "input/input_state.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

void SetUpPanel(int controlMode) {
  OpenHeadlessScreen();
  IconsFiltered = CreateImage(16, 16, 64, 0);
  IconsSharp = CreateImage(16, 16, 64, 0);
  CommonFonts[2] = LoadFont(std::string(BENCH_SOURCE_DIR) + "/assets/Files/Common/SVBasicManual.ttf", 16, FONT_SMOOTH);
  SetDefaultSettings();
  SetDefaultBindings();
  FillAudioDriverNames();
  std::vector<VirtualJoystick> pads(4);
  for (int i = 0; i < 4; ++i) pads[static_cast<size_t>(i)].name = "Bench Pad " + std::to_string(i + 1);
  HeadlessSetJoysticks(pads);
  ScanJoysticks();
  ModeCount = 2;
  DisplayModes[1] = {800, 600};
  DisplayModes[2] = {1024, 768};
  Settings[ModeIndex] = 1;
  ControlMode = controlMode;
  PlayerCount = 4;
  MenuOpen = 1;
  MenuY = 20;
  // On player 1's "up" box: with the boxes shown, the box captures the input held each frame.
  FrameMouseX = 320;
  FrameMouseY = 50;
}

void BM_SettingsMenuOpen(benchmark::State& state) {
  SetUpPanel(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BeginFrame(1);
    SettingsMenu();
    HeadlessClearDraws();
  }
  HeadlessSetJoysticks({});
  MediaShutdown();
}
// Argument: ControlMode (0 binding boxes shown, 1 not).
BENCHMARK(BM_SettingsMenuOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
