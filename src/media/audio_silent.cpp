// The silent audio driver: used with no sound device and by the headless back end. Nothing is
// heard, but every voice keeps its state, and a voice plays for its sound's duration divided by
// its rate, measured on Millis() (the fake clock when headless); paused time does not count and
// a looping voice plays until stopped.
#include <array>
#include <cstdint>

#include "media/audio_driver.h"

namespace {

struct SilentVoice {
  const SoundObject* sound = nullptr;  // nullptr: slot free
  uint32_t serial = 0;
  double durationMs = 0;  // of the sound at its recorded speed
  double heardMs = 0;     // sound time heard so far, at recorded speed
  int lastMs = 0;         // Millis() when heardMs was last brought up to date
  float rate = 1;
  bool paused = false;
  bool loop = false;
  uint64_t started = 0;  // start order, to steal the oldest voice
};

class SilentDriver final : public AudioDriver {
 public:
  VoiceRef Start(const SoundObject& sound, const VoiceParams& params, bool cued) override {
    int slot = FreeSlot();
    SilentVoice& v = voices_[static_cast<size_t>(slot)];
    uint32_t serial = v.serial + 1;
    v = SilentVoice{};
    v.sound = &sound;
    v.serial = serial;
    v.durationMs = sound.DurationMs();
    v.lastMs = Millis();
    v.rate = params.rate;
    v.paused = cued;
    v.loop = sound.loop;
    v.started = ++starts_;
    return VoiceRef{slot, serial};
  }

  void Stop(VoiceRef ref) override {
    if (SilentVoice* v = Find(ref)) v->sound = nullptr;
  }

  void SetPaused(VoiceRef ref, bool paused) override {
    if (SilentVoice* v = Find(ref)) {
      Advance(*v);
      v->paused = paused;
    }
  }

  void SetParams(VoiceRef ref, const VoiceParams& params) override {
    if (SilentVoice* v = Find(ref)) {
      Advance(*v);  // time so far counts at the old rate
      v->rate = params.rate;
    }
  }

  bool Playing(VoiceRef ref) override { return Find(ref) != nullptr; }

  void ForgetSound(const SoundObject& sound) override {
    for (SilentVoice& v : voices_)
      if (v.sound == &sound) v.sound = nullptr;
  }

 private:
  // Brings the heard time up to Millis(); a clock that went backwards adds nothing.
  static void Advance(SilentVoice& v) {
    int now = Millis();
    const int elapsed = MsBetween(v.lastMs, now);
    v.lastMs = now;
    if (!v.paused && elapsed > 0) v.heardMs += static_cast<double>(elapsed) * v.rate;
  }

  // The live voice behind a reference, after ending it when its sound has run out.
  SilentVoice* Find(VoiceRef ref) {
    if (ref.slot < 0 || ref.slot >= MAX_VOICES) return nullptr;
    SilentVoice& v = voices_[static_cast<size_t>(ref.slot)];
    if (!v.sound || v.serial != ref.serial) return nullptr;
    Advance(v);
    if ((!v.loop || v.durationMs <= 0) && v.heardMs >= v.durationMs) v.sound = nullptr;
    return v.sound ? &v : nullptr;
  }

  int FreeSlot() {
    int oldest = 0;
    for (int i = 0; i < MAX_VOICES; ++i) {
      SilentVoice& v = voices_[static_cast<size_t>(i)];
      if (!v.sound || !Find(VoiceRef{i, v.serial})) return i;
      if (v.started < voices_[static_cast<size_t>(oldest)].started) oldest = i;
    }
    return oldest;
  }

  std::array<SilentVoice, MAX_VOICES> voices_{};
  uint64_t starts_ = 0;
};

}  // namespace

std::unique_ptr<AudioDriver> MakeSilentDriver() { return std::make_unique<SilentDriver>(); }
