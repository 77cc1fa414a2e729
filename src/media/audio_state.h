// The sound state shared by audio.cpp (start-up, drivers) and audio_channel.cpp (sounds and
// channels). Lives for the whole process; reset by AudioInit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/audio_driver.h"

struct AudioState {
  bool started = false;                 // between AudioInit and AudioShutdown
  MediaBackend backend = MEDIA_REAL;    // the headless one also records every call
  std::unique_ptr<AudioDriver> driver;  // the silent driver when no device plays; null when stopped
  std::string inUse;                    // the selected driver's name; "" while silent by default
  uint32_t session = 1;                 // changes with every driver: channels of another are dead
  int openALWorks = -1;                 // -1 not yet probed, else 0 / 1
  bool headlessOpenAL = false;          // what OpenALInstalled answers on the headless back end
};

// Never destroyed, so objects freed late in the process exit can still reach it.
AudioState& Audio();

// Adds a sound record when the headless back end is in use.
void RecordSoundCall(SoundRecord::Kind kind, int sound, int channel, float value, bool timed = false, int due = 0);
