// Contracts between the sound files of the media layer: the loaded sound object, and the voice
// interface that each audio driver implements (OpenAL, the SDL software mixer, and the silent
// driver that only keeps time). The public Sound operations (audio.cpp) keep channels as handles
// and drive one of these drivers at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "media/audio_octaves.h"
#include "media/internal.h"
#include "media/wav.h"

// A loaded WAV, samples held in memory, with its octave copies for fast playback.
struct SoundObject final : MediaObject {
  WavData wav;
  WavData octaves[SOUND_OCTAVES - 1];  // copies 1.. (audio_octaves.h), made at load
  bool loop = false;
  ~SoundObject() override;  // tells the driver, which must stop reading the samples first
  ObjectKind Kind() const override { return ObjectKind::SOUND; }
  int64_t Bytes() const override {
    size_t n = wav.samples.size();
    for (const WavData& o : octaves) n += o.samples.size();
    return static_cast<int64_t>(n * sizeof(int16_t));
  }
  // The samples to play at copy `k` (0 is the sound itself).
  const WavData& Octave(int k) const { return k <= 0 ? wav : octaves[(k < SOUND_OCTAVES ? k : SOUND_OCTAVES - 1) - 1]; }
  double DurationMs() const { return wav.rate > 0 ? static_cast<double>(wav.Frames()) * 1000.0 / wav.rate : 0; }
};

// A driver's voice: its slot and the serial the slot had when the voice started, so a voice
// whose slot has since been reused is recognised as gone.
struct VoiceRef {
  int slot = -1;
  uint32_t serial = 0;
  bool Valid() const { return slot >= 0; }
};

struct VoiceParams {
  float volume = 1;  // 0..1
  float pan = 0;     // -1..1
  float rate = 1;    // speed multiplier, within [MIN_RATE, MAX_RATE]
};
constexpr float MIN_RATE = 1.0f / 64;
constexpr float MAX_RATE = 64.0f;

// Voices are started, changed and queried from the main thread only.
class AudioDriver {
 public:
  virtual ~AudioDriver() = default;
  // Starts the sound on a free voice (stealing the oldest when none is free); paused when `cued`.
  // An invalid VoiceRef when the driver cannot play it.
  virtual VoiceRef Start(const SoundObject& sound, const VoiceParams& params, bool cued) = 0;
  virtual void Stop(VoiceRef v) = 0;
  virtual void SetPaused(VoiceRef v, bool paused) = 0;
  virtual void SetParams(VoiceRef v, const VoiceParams& params) = 0;
  // True from Start until the sound has been heard to its end (never for a loop) or stopped;
  // a paused or cued voice counts as playing.
  virtual bool Playing(VoiceRef v) = 0;
  // Resume or stop for the moment `dueMs` on Millis(); drivers that cannot place a sound in time
  // act at once.
  virtual void StartAt(VoiceRef v, int dueMs) {
    (void)dueMs;
    SetPaused(v, false);
  }
  virtual void StopAt(VoiceRef v, int dueMs) {
    (void)dueMs;
    Stop(v);
  }
  // The sound is being destroyed: no voice may read its samples after this returns.
  virtual void ForgetSound(const SoundObject& sound) = 0;
};

// A sound placed in time (a music step) sounds this long after its moment, on both real
// drivers: more than a frame (the step is noticed up to a frame late) plus a buffer of the
// device's timing jitter or mixing update.
constexpr int PLACED_LATENCY_MS = 40;

constexpr int MAX_VOICES = 256;  // above the 241 channel slots the game uses at once

// The silent driver: voices keep their state and their timing on Millis(), nothing is heard.
std::unique_ptr<AudioDriver> MakeSilentDriver();
// The real drivers; nullptr when no output device opens.
std::unique_ptr<AudioDriver> OpenOpenALDriver();
std::unique_ptr<AudioDriver> OpenSdlMixerDriver();
// True when OpenAL opens an output device (the current driver's, or a probe device).
bool OpenALDeviceWorks();

// Test hook: lets the real drivers accept the host's silent devices (SDL's "dummy" and "disk"
// drivers, OpenAL Soft's "No Output"), so the drivers can be exercised on a machine without
// sound. Off by default: a device that outputs nothing is no device.
void AudioAcceptSilentDevices(bool accept);
bool AudioSilentDevicesAccepted();

