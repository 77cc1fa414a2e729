// The engine test: growing swarms of small rotated sprites until the frame rate drops, then the
// draw budgets from the largest swarm that kept it.
#include "frame/engine_test.h"

#include "common/common_assets.h"
#include "common/icon_cells.h"
#include "common/log.h"
#include "common/settings.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/stripes.h"
#include "media/media.h"

namespace {

constexpr int FIRST_STAGE = 500;  // warm-up: its result is never used
constexpr int STAGE_STEP = 500;
constexpr int LAST_STAGE = 20000;
constexpr int FRAMES_PER_STAGE = 8;
constexpr int FPS_MARGIN = 2;
constexpr int SLOW_TARGET = 30;

// Budgets kept even on a machine that failed the test.
constexpr int FLOOR_SPRITES = 1000, FLOOR_GLOW = 500, FLOOR_PARTICLES = 250;

void DrawStageFrame(int spriteScale) {
  BeginFrame(1);
  ResetDrawState();
  DrawStripes();
  ResetDrawState();
  SetDrawScale(1.5f);
  DrawImage(EngineLogo, 0.3f * ScreenW, 0.3f * ScreenH, 0);
  DrawImage(SiteLogo, 0.7f * ScreenW, 0.7f * ScreenH, 0);
  SetDrawScale(1);
  // Straight to the media layer: the test measures raw drawing, so no budget and no frame-skip.
  for (int j = 0; j <= TestCount; ++j) {
    SetDrawRotation(static_cast<float>(Rand(1, 360)));
    SetDrawColour(0, 0, 0);
    SetDrawScale(static_cast<float>(spriteScale));
    const int x = Rand(1, ScreenW);
    const int y = Rand(1, ScreenH);
    DrawImage(IconsSharp, static_cast<float>(x), static_cast<float>(y), ICON_STAR);
  }
  EndFrame(0);
}

void LogResults(int target) {
  LogLine("");
  LogLine("Engine Test Results");
  LogLine("");
  LogLine("\tMaximum Sprites Allowed for " + IntText(target) + " Frames Per Second");
  LogLine("\tMain sprites : " + IntText(DrawLimit[KIND_SPRITE]));
  LogLine("\tGlowy Sprites : " + IntText(DrawLimit[KIND_GLOW]));
  LogLine("\tParticles : " + IntText(DrawLimit[KIND_PARTICLE]));
  LogLine("");
}

}  // namespace

void EngineTest(int target, int spriteScale) {
  OverlayOn = 0;
  if (Settings[ESS] == 1) target = SLOW_TARGET;
  TargetFps = target;
  DrawLimit[KIND_SPRITE] = 500;
  DrawLimit[KIND_GLOW] = 500;
  DrawLimit[KIND_PARTICLE] = 250;
  TestBest = 0;
  LogLine("Starting Engine Test");
  LogLine("Aiming for " + IntText(target) + "," + IntText(spriteScale));

  for (TestCount = FIRST_STAGE; TestCount <= LAST_STAGE; TestCount += STAGE_STEP) {
    for (int f = 0; f < FRAMES_PER_STAGE; ++f) DrawStageFrame(spriteScale);
    const int fps = FpsShown;
    if (TestCount > FIRST_STAGE) {
      // A rate exactly at the margin both counts as kept and ends the test.
      if (fps >= target - FPS_MARGIN) TestBest = TestCount;
      if (fps <= target - FPS_MARGIN) TestCount = LAST_STAGE;
    }
  }
  LogLine("Test Complete");

  DrawLimit[KIND_SPRITE] = static_cast<int>(TestBest * 0.4);
  DrawLimit[KIND_GLOW] = static_cast<int>(TestBest * 0.4);
  DrawLimit[KIND_PARTICLE] = static_cast<int>(TestBest * 0.2);
  LogResults(target);  // the measured figures, before the floors below

  if (DrawLimit[KIND_SPRITE] < FLOOR_SPRITES) {
    DrawLimit[KIND_SPRITE] = FLOOR_SPRITES;
    TargetFps = SLOW_TARGET;
    Settings[ESS] = 1;  // only ever switched on: a machine that failed once starts slow next time
  }
  if (DrawLimit[KIND_GLOW] < FLOOR_GLOW) DrawLimit[KIND_GLOW] = FLOOR_GLOW;
  if (DrawLimit[KIND_PARTICLE] < FLOOR_PARTICLES) DrawLimit[KIND_PARTICLE] = FLOOR_PARTICLES;
  if (TargetFps == SLOW_TARGET) LogLine("Settings Overwritten, Set to Default Lower Limits at 30fps.");
  LogLine("");
  OverlayOn = 0;
}
