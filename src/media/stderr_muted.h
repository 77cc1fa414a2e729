// Silences the process's standard error while a third-party library probes for devices: with no
// sound card, ALSA and OpenAL Soft print a screenful of errors although running silent is fine.
#pragma once

class StderrMuted {
 public:
  StderrMuted();
  ~StderrMuted();
  StderrMuted(const StderrMuted&) = delete;
  StderrMuted& operator=(const StderrMuted&) = delete;

 private:
  int saved_ = -1;  // the original standard error, restored on destruction
};
