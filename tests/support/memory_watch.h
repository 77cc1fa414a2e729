// Resident memory of one life of the program, as /proc/<pid>/status tells it: VmRSS (now) and
// VmHWM (the highest it has been). The warm-up ends when the caller says so (once the life has
// been everywhere: first uses load glyphs, make buffers, build drawing paths). From then on its
// floor, the least resident size over each minute, must stay where the first minute put it:
// buffers taken and given back (a pause menu's picture of the screen, a screenshot) do not move
// it, memory kept for good does. The high-water mark is watched too, for the report: two such
// buffers held at once on a large display raise it without anything being kept. A new display
// starts a new warm-up.
#pragma once

#include <sys/types.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

struct MemorySample {
  double rss = 0;   // MB
  double peak = 0;  // MB, the high-water mark
};

// "self" for the calling process.
inline MemorySample ReadMemory(const std::string& pid) {
  MemorySample m;
  std::ifstream in("/proc/" + pid + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("VmRSS:", 0) == 0) m.rss = std::atof(line.c_str() + 6) / 1024.0;
    if (line.rfind("VmHWM:", 0) == 0) m.peak = std::atof(line.c_str() + 6) / 1024.0;
  }
  return m;
}

class MemoryWatch {
 public:
  void NewDisplay() { warm_ = false; }
  // One sample at `seconds` (any steady clock); `warmedUp` once the warm-up's conditions hold.
  void Sample(const MemorySample& m, bool warmedUp, double seconds) {
    if (m.rss <= 0) return;
    last_ = m;
    if (!warm_) {
      if (!warmedUp) return;
      warm_ = true;
      base_ = m;
      floor_ = -1;
      blockStart_ = seconds;
      blockMin_ = m.rss;
      if (atWarm_.rss == 0) atWarm_ = m;
      return;
    }
    peakRise_ = std::max(peakRise_, m.peak - base_.peak);
    blockMin_ = std::min(blockMin_, m.rss);
    if (seconds - blockStart_ >= FLOOR_SECONDS) {
      if (floor_ < 0) floor_ = blockMin_;
      growth_ = std::max(growth_, blockMin_ - floor_);
      blockStart_ = seconds;
      blockMin_ = m.rss;
    }
  }
  bool Warm() const { return warm_; }
  double Growth() const { return growth_; }       // MB the floor rose past a warm-up
  double PeakRise() const { return peakRise_; }   // MB the high-water mark rose past a warm-up
  MemorySample AtWarm() const { return atWarm_; }  // at the end of the first warm-up
  MemorySample Last() const { return last_; }

 private:
  static constexpr double FLOOR_SECONDS = 60;

  bool warm_ = false;
  MemorySample base_, atWarm_, last_;
  double growth_ = 0, peakRise_ = 0;
  double floor_ = -1, blockStart_ = 0, blockMin_ = 0;
};
