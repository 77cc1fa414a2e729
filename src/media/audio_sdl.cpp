// The "FreeAudio SDL" driver: our own software mixer (audio_mix.h) in an SDL audio callback.
// The voice table is shared with the callback thread: the main thread changes it only while
// holding the device lock, and the callback (which SDL runs under that lock) allocates nothing.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "media/audio_driver.h"
#include "media/stderr_muted.h"
#include "media/audio_mix.h"

namespace {

constexpr int WANT_RATE = 44100;
constexpr int WANT_FRAMES = 512;  // about 12 ms

// What the main thread keeps beside each mixer voice.
struct VoiceOwner {
  const SoundObject* sound = nullptr;
  uint32_t serial = 0;
  uint64_t started = 0;  // start order, to steal the oldest voice
  int octave = 0;        // the copy of the sound the voice reads
};

class SdlMixerDriver final : public AudioDriver {
 public:
  ~SdlMixerDriver() override {
    if (device_) SDL_CloseAudioDevice(device_);  // waits for a running callback to return
  }

  bool Open() {
    StderrMuted quiet;  // SDL's ALSA probe is as talkative as OpenAL's
    if (!EnsureSdl(SDL_INIT_AUDIO)) return false;
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver) return false;
    // A driver that plays to no speaker is no device; but the file-writing "disk" driver, when
    // the environment names it, is how a machine without sound records what the game plays.
    const char* asked = std::getenv("SDL_AUDIODRIVER");
    const bool diskAsked = asked && std::strcmp(asked, "disk") == 0 && std::strcmp(driver, "disk") == 0;
    if (!AudioSilentDevicesAccepted() && !diskAsked &&
        (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "disk") == 0))
      return false;
    SDL_AudioSpec want{}, have{};
    want.freq = WANT_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = WANT_FRAMES;
    want.callback = &SdlMixerDriver::Callback;
    want.userdata = this;
    // Any rate the device prefers is fine (we resample); the format and layout SDL converts.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device_ == 0 || have.freq <= 0) return false;
    rate_ = have.freq;
    limiter_.rate = rate_;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  VoiceRef Start(const SoundObject& sound, const VoiceParams& params, bool cued) override {
    Lock lock(device_);
    int slot = FreeSlot();
    VoiceOwner& o = owners_[static_cast<size_t>(slot)];
    o.sound = &sound;
    o.serial += 1;
    o.started = ++starts_;
    MixVoice& m = mix_[static_cast<size_t>(slot)];
    m = MixVoice{};
    o.octave = 0;
    m.samples = sound.wav.samples.data();
    m.frames = sound.wav.Frames();
    m.channels = sound.wav.channels;
    m.loop = sound.loop;
    m.paused = cued;
    Apply(slot, params);
    m.active = true;
    return VoiceRef{slot, o.serial};
  }

  void Stop(VoiceRef ref) override {
    Lock lock(device_);
    if (MixVoice* m = Find(ref)) MixStop(*m, rate_);
  }

  void SetPaused(VoiceRef ref, bool paused) override {
    Lock lock(device_);
    if (MixVoice* m = Find(ref)) MixPause(*m, paused, rate_);
  }

  void SetParams(VoiceRef ref, const VoiceParams& params) override {
    Lock lock(device_);
    if (Find(ref)) Apply(ref.slot, params);
  }

  void StartAt(VoiceRef ref, int dueMs) override {
    Lock lock(device_);
    if (MixVoice* m = Find(ref)) {
      m->wait = FrameOf(dueMs) - mixed_;
      MixPause(*m, false, rate_);
    }
  }

  void StopAt(VoiceRef ref, int dueMs) override {
    Lock lock(device_);
    if (MixVoice* m = Find(ref)) MixStop(*m, rate_, FrameOf(dueMs) - mixed_);
  }

  bool Playing(VoiceRef ref) override {
    Lock lock(device_);
    return Find(ref) != nullptr;
  }

  void ForgetSound(const SoundObject& sound) override {
    Lock lock(device_);
    for (size_t i = 0; i < owners_.size(); ++i)
      if (owners_[i].sound == &sound) {
        owners_[i].sound = nullptr;
        mix_[i].active = false;
        mix_[i].samples = nullptr;
      }
  }

 private:
  struct Lock {
    explicit Lock(SDL_AudioDeviceID d) : dev(d) { SDL_LockAudioDevice(dev); }
    ~Lock() { SDL_UnlockAudioDevice(dev); }
    SDL_AudioDeviceID dev;
  };

  static void SDLCALL Callback(void* user, Uint8* stream, int len) {
    auto* self = static_cast<SdlMixerDriver*>(user);
    self->Mix(reinterpret_cast<int16_t*>(stream), len / static_cast<int>(2 * sizeof(int16_t)));
  }

  // Runs on the audio thread, under the device lock.
  void Mix(int16_t* out, int frames) {
    MixVoices(mix_.data(), MAX_VOICES, out, frames, limiter_);
    mixed_ += frames;
  }

  // The output frame at which the moment `dueMs` is heard: a fixed map from Millis() to the
  // output stream, set at the first placed sound, so that placed sounds keep their spacing to
  // the sample. Set again when a moment falls before what has already been mixed or more than a
  // second ahead (the two clocks drift apart, or the program stalled); never before mixed_.
  int64_t FrameOf(int dueMs) {
    auto at = [&] {
      const int32_t ms = static_cast<int32_t>(static_cast<uint32_t>(dueMs) - static_cast<uint32_t>(anchorMs_));
      return anchorFrame_ + static_cast<int64_t>(ms) * rate_ / 1000;
    };
    if (!anchored_ || at() < mixed_ || at() > mixed_ + rate_) {
      anchored_ = true;
      anchorMs_ = Millis();
      anchorFrame_ = mixed_ + static_cast<int64_t>(PLACED_LATENCY_MS) * rate_ / 1000;
    }
    return std::max(mixed_, at());
  }

  // Volume, pan and speed; a new speed may move the voice to another octave copy, at the same
  // point of the sound.
  void Apply(int slot, const VoiceParams& p) {
    MixVoice& m = mix_[static_cast<size_t>(slot)];
    VoiceOwner& o = owners_[static_cast<size_t>(slot)];
    MixGains(m.channels, p.volume, p.pan, m.left, m.right);
    const int octave = OctaveFor(p.rate);
    if (octave != o.octave) {
      m.pos = std::ldexp(m.pos, o.octave - octave);
      o.octave = octave;
      const WavData& w = o.sound->Octave(octave);
      m.samples = w.samples.data();
      m.frames = w.Frames();
    }
    m.step = MixStep(o.sound->Octave(o.octave).rate, p.rate, rate_);
  }

  MixVoice* Find(VoiceRef ref) {
    if (ref.slot < 0 || ref.slot >= MAX_VOICES) return nullptr;
    MixVoice& m = mix_[static_cast<size_t>(ref.slot)];
    // A voice fading out after a stop is over for its channel.
    return owners_[static_cast<size_t>(ref.slot)].serial == ref.serial && m.active && m.fadeStep == 0 ? &m : nullptr;
  }

  int FreeSlot() const {
    int oldest = 0;
    for (int i = 0; i < MAX_VOICES; ++i) {
      if (!mix_[static_cast<size_t>(i)].active) return i;
      if (owners_[static_cast<size_t>(i)].started < owners_[static_cast<size_t>(oldest)].started) oldest = i;
    }
    return oldest;
  }

  SDL_AudioDeviceID device_ = 0;
  int rate_ = WANT_RATE;
  std::array<MixVoice, MAX_VOICES> mix_{};      // read and advanced by the callback
  MixLimiter limiter_;                          // the callback's
  int64_t mixed_ = 0;                           // output frames mixed so far
  bool anchored_ = false;                       // the map of FrameOf
  int anchorMs_ = 0;
  int64_t anchorFrame_ = 0;
  std::array<VoiceOwner, MAX_VOICES> owners_{};  // main thread only
  uint64_t starts_ = 0;
};

}  // namespace

std::unique_ptr<AudioDriver> OpenSdlMixerDriver() {
  auto driver = std::make_unique<SdlMixerDriver>();
  if (!driver->Open()) return nullptr;
  return driver;
}
