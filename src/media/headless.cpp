// The headless back end's clock, frames, display modes and records. Everything here is wiped by
// HeadlessReset (each MediaInit(MEDIA_HEADLESS)); the clock then starts at START_CLOCK.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

#include "media/internal.h"
#include "media/platform.h"

namespace {

// Away from zero, so code that takes differences or treats 0 as "never" is exercised honestly.
constexpr uint32_t START_CLOCK = 100000;

std::vector<DisplayMode> DefaultModes() {
  return {
      {640, 480, 16, 60},   {640, 480, 32, 60},   {800, 600, 16, 60},    {800, 600, 32, 60},
      {1024, 768, 32, 60},  {1280, 960, 32, 60},  {1280, 1024, 32, 60},  {1600, 900, 32, 60},
      {1680, 1050, 32, 60}, {1920, 1080, 32, 60},
  };
}

struct HeadlessState {
  uint32_t clock = START_CLOCK;  // ms; wraps like a 32-bit tick counter
  int flipCost = 0;              // ms added by each Flip
  int drawCostMicros = 0;        // µs added per drawn primitive at the next Flip
  int64_t pendingMicros = 0;     // draw cost not yet turned into whole ms
  int64_t slept = 0;             // ms spent in Delay
  int frame = 0;                 // Flips so far
  std::vector<DisplayMode> modes = DefaultModes();
  DisplayMode desktop{1920, 1080, 32, 60};
  bool refuseDisplay = false;
  std::function<bool(int, int, int, int)> refuseWhen;
  bool noServer = false;
  std::vector<DrawRecord> draws;
  std::vector<SoundRecord> sounds;
};

HeadlessState gHeadless;

bool IsPrimitive(DrawRecord::Kind kind) {
  return kind == DrawRecord::IMAGE || kind == DrawRecord::RECT || kind == DrawRecord::LINE ||
         kind == DrawRecord::TEXT;
}

}  // namespace

void HeadlessReset() {
  gHeadless = HeadlessState{};
  HeadlessResetInput();
}

// ---------------------------------------------------------------------------------------------
// Clock
// ---------------------------------------------------------------------------------------------
void HeadlessSetClock(int ms) { gHeadless.clock = static_cast<uint32_t>(ms); }

void HeadlessAdvanceClock(int ms) {
  if (ms > 0) gHeadless.clock += static_cast<uint32_t>(ms);
}

void HeadlessSetFlipCost(int ms) { gHeadless.flipCost = ms > 0 ? ms : 0; }
void HeadlessSetDrawCostMicros(int micros) { gHeadless.drawCostMicros = micros > 0 ? micros : 0; }
int64_t HeadlessSleptMs() { return gHeadless.slept; }

int HeadlessMillis() { return static_cast<int32_t>(gHeadless.clock); }

void HeadlessDelay(int ms) {
  if (ms <= 0) return;
  gHeadless.clock += static_cast<uint32_t>(ms);
  gHeadless.slept += ms;
  HeadlessAfterSleep(HeadlessMillis());
}

// ---------------------------------------------------------------------------------------------
// Frames and display
// ---------------------------------------------------------------------------------------------
void HeadlessEndFrame() {
  HeadlessAdvanceClock(gHeadless.flipCost);
  const int64_t drawMs = gHeadless.pendingMicros / 1000;
  gHeadless.pendingMicros -= drawMs * 1000;
  gHeadless.clock += static_cast<uint32_t>(drawMs);
  ++gHeadless.frame;
  HeadlessStartFrame(gHeadless.frame);
}

int HeadlessFrameCount() { return gHeadless.frame; }

void HeadlessSetModes(const std::vector<DisplayMode>& modes) { gHeadless.modes = modes; }
const std::vector<DisplayMode>& HeadlessModes() { return gHeadless.modes; }
void HeadlessSetDesktop(DisplayMode mode) { gHeadless.desktop = mode; }
DisplayMode HeadlessDesktop() { return gHeadless.desktop; }
void HeadlessRefuseDisplay(bool refuse) { gHeadless.refuseDisplay = refuse; }
bool HeadlessDisplayRefused() { return gHeadless.refuseDisplay || gHeadless.noServer; }
void HeadlessRefuseDisplayWhen(std::function<bool(int w, int h, int depth, int choice)> refuse) {
  gHeadless.refuseWhen = std::move(refuse);
}
bool HeadlessRefuses(int w, int h, int depth, int choice) {
  return gHeadless.refuseWhen && gHeadless.refuseWhen(w, h, depth, choice);
}
void HeadlessRemoveDisplayServer(bool removed) { gHeadless.noServer = removed; }
bool HeadlessDisplayServer() { return !gHeadless.noServer; }

// ---------------------------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------------------------
constexpr std::size_t MAX_DRAW_RECORDS = 1u << 20;

void HeadlessRecordDraw(DrawRecord rec) {
  rec.frame = gHeadless.frame;
  if (IsPrimitive(rec.kind)) gHeadless.pendingMicros += gHeadless.drawCostMicros;
  // A loop that runs for minutes would otherwise exhaust memory; tests read recent frames.
  if (gHeadless.draws.size() >= MAX_DRAW_RECORDS)
    gHeadless.draws.erase(gHeadless.draws.begin(), gHeadless.draws.begin() + MAX_DRAW_RECORDS / 2);
  gHeadless.draws.push_back(std::move(rec));
}

const std::vector<DrawRecord>& HeadlessDraws() { return gHeadless.draws; }
void HeadlessClearDraws() { gHeadless.draws.clear(); }

void HeadlessRecordSound(SoundRecord rec) {
  rec.frame = gHeadless.frame;
  gHeadless.sounds.push_back(rec);
}

const std::vector<SoundRecord>& HeadlessSounds() { return gHeadless.sounds; }
void HeadlessClearSounds() { gHeadless.sounds.clear(); }
