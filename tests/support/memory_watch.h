// Resident memory of one life of the program, as /proc/<pid>/status tells it: VmRSS (now) and
// VmHWM (the highest it has been). The warm-up ends when the caller says so (once the life has
// been everywhere: first uses load glyphs, make buffers, build drawing paths); from then on the
// high-water mark is compared with the one at the end of the warm-up, so that memory taken and
// given back counts for nothing and memory that keeps reaching new heights shows. A new display
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
  // One sample; `warmedUp` once the warm-up's conditions hold.
  void Sample(const MemorySample& m, bool warmedUp) {
    if (m.rss <= 0) return;
    last_ = m;
    if (!warm_) {
      if (!warmedUp) return;
      warm_ = true;
      base_ = m;
      if (atWarm_.rss == 0) atWarm_ = m;
      return;
    }
    growth_ = std::max(growth_, m.peak - base_.peak);
  }
  bool Warm() const { return warm_; }
  double Growth() const { return growth_; }     // MB the high-water mark rose past a warm-up
  MemorySample AtWarm() const { return atWarm_; }  // at the end of the first warm-up
  MemorySample Last() const { return last_; }

 private:
  bool warm_ = false;
  MemorySample base_, atWarm_, last_;
  double growth_ = 0;
};
