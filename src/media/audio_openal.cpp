// The "OpenAL" driver (OpenAL Soft). Each voice is an AL source; each sound gets an AL buffer per
// octave copy (audio_octaves.h) the first time it is played at a speed of that octave, kept until
// the sound is freed or the driver closes. Pan places a mono source on a half circle in front of
// the listener (OpenAL pans it with equal power); OpenAL does not place multi-channel buffers, so
// a stereo sound ignores pan here. Rate is AL_PITCH.
//
// A sound placed in time (a music step) is heard PLACED_LATENCY_MS after its moment, through a
// fixed map from Millis() to the device's own clock of mixed output: the source starts at once
// behind a buffer of silence that lasts until that point, so its first sample lands on it to the
// sample, where a plain play would start at the device's next mixing update. A placed stop is
// made by a watcher thread within a couple of milliseconds of its point (OpenAL Soft fades the
// gain over its next mixing update).
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <utility>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "media/audio_driver.h"
#include "media/stderr_muted.h"

namespace {

constexpr double HALF_PI = 1.57079632679489661923;
// A stopped source is first faded: OpenAL Soft ramps a gain change over its next mixing update
// (about 20 ms), where an immediate stop would cut the wave off with a click. The source is stopped
// for good, and free for another sound, once this has passed.
constexpr int STOP_FADE_MS = 50;
// The device OpenAL Soft falls back to when no real back end answers: it outputs nothing.
constexpr const char* SILENT_DEVICE = "No Output";
constexpr int64_t NS_PER_MS = 1000000;

// Opens the default output device; nullptr when there is none worth the name.
ALCdevice* OpenDevice() {
  ALCdevice* device = nullptr;
  {
    StderrMuted quiet;
    device = alcOpenDevice(nullptr);
  }
  if (!device) return nullptr;
  if (!AudioSilentDevicesAccepted() && alcIsExtensionPresent(device, "ALC_ENUMERATE_ALL_EXT")) {
    const ALCchar* name = alcGetString(device, ALC_ALL_DEVICES_SPECIFIER);
    if (name && std::strcmp(name, SILENT_DEVICE) == 0) {
      alcCloseDevice(device);
      return nullptr;
    }
  }
  return device;
}

struct Source {
  ALuint id = 0;  // 0 until first used
  const SoundObject* sound = nullptr;
  uint32_t serial = 0;
  uint64_t started = 0;  // start order, to steal the oldest voice
  bool cued = false;     // attached but never started: AL reports it as stopped (AL_INITIAL)
  int octave = 0;        // the copy of the sound its buffer holds
  bool fading = false;   // stopped by its channel, gain ramping to 0 until fadeEnd (Millis)
  int fadeEnd = 0;
  bool pausing = false;  // paused by its channel: gain ramping to 0, paused once fadeEnd passed
  float gain = 1;        // the channel's volume, given back on resume
  float pitch = 1;       // AL_PITCH
  ALuint silence = 0;    // its own buffer of silence, queued before a placed start
  bool stopDue = false;  // a placed stop waits for stopAt (the device clock, ns)
  int64_t stopAt = 0;
};

bool Passed(int at) { return static_cast<int32_t>(static_cast<uint32_t>(Millis()) - static_cast<uint32_t>(at)) >= 0; }

class OpenALDriver final : public AudioDriver {
 public:
  ~OpenALDriver() override {
    if (watcher_.joinable()) {
      quit_ = true;
      watcher_.join();
    }
    if (!context_) {
      if (device_) alcCloseDevice(device_);
      return;
    }
    alcMakeContextCurrent(context_);
    for (Source& s : sources_)
      if (s.id) {
        alSourceStop(s.id);
        alDeleteSources(1, &s.id);
        if (s.silence) alDeleteBuffers(1, &s.silence);
      }
    for (auto& [sound, buffer] : buffers_) alDeleteBuffers(1, &buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
  }

  bool Open() {
    device_ = OpenDevice();
    if (!device_) return false;
    // OpenAL Soft's limiter on the summed output: effects piled onto loud music bend smoothly
    // under full scale instead of clipping; it leaves a mix well below full scale untouched.
    const ALCint attributes[] = {ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0};
    const bool limiter = alcIsExtensionPresent(device_, "ALC_SOFT_output_limiter");
    context_ = alcCreateContext(device_, limiter ? attributes : nullptr);
    if (!context_ || !alcMakeContextCurrent(context_)) return false;
    alDistanceModel(AL_NONE);  // pan only: no attenuation by distance
    if (alcIsExtensionPresent(device_, "ALC_SOFT_device_clock"))
      deviceClock_ = reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(device_, "alcGetInteger64vSOFT"));
    if (deviceClock_) watcher_ = std::thread([this] { Watch(); });
    return true;
  }

  // Starts a cued source so that it is heard at the moment `dueMs`: silence first, as long as
  // the time from the device's clock to the moment's place on it, in frames of the sound's own
  // rate at the source's pitch. At once when the device has no clock, the sound loops, or the
  // moment is already being mixed.
  void StartAt(VoiceRef ref, int dueMs) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ServiceStops();
    Source* s = Find(ref);
    if (!s || !s->cued || s->sound->loop || !deviceClock_) {
      SetPaused(ref, false);
      return;
    }
    const int64_t now = DeviceClock();
    const WavData& w = s->sound->Octave(s->octave);
    const int64_t frames = std::llround(static_cast<double>(PlaceOf(dueMs, now) - now) * 1e-9 * w.rate * s->pitch);
    if (frames <= 0) {
      SetPaused(ref, false);
      return;
    }
    if (!s->silence) alGenBuffers(1, &s->silence);
    ALint attached = 0;
    alGetSourcei(s->id, AL_BUFFER, &attached);
    const ALuint sound = static_cast<ALuint>(attached);
    alSourcei(s->id, AL_BUFFER, 0);  // the silence buffer may be filled only while unqueued
    const std::vector<int16_t> zeros(static_cast<size_t>(frames * w.channels), 0);
    alBufferData(s->silence, w.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, zeros.data(),
                 static_cast<ALsizei>(zeros.size() * sizeof(int16_t)), w.rate);
    const ALuint queue[2] = {s->silence, sound};
    alSourceQueueBuffers(s->id, 2, queue);
    s->cued = false;
    alSourcePlay(s->id);
  }

  // A stop for the moment `dueMs`: kept until the device clock reaches its place.
  void StopAt(VoiceRef ref, int dueMs) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ServiceStops();
    Source* s = Find(ref);
    if (!s || s->cued || !deviceClock_) {
      Stop(ref);
      return;
    }
    const int64_t now = DeviceClock();
    const int64_t at = PlaceOf(dueMs, now);
    if (at <= now) {
      Stop(ref);
      return;
    }
    s->stopDue = true;
    s->stopAt = at;
  }

  VoiceRef Start(const SoundObject& sound, const VoiceParams& params, bool cued) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const int octave = OctaveFor(params.rate);
    ALuint buffer = BufferFor(sound, octave);
    if (!buffer) return VoiceRef{};
    int slot = FreeSlot();
    if (slot < 0) return VoiceRef{};
    Source& s = sources_[static_cast<size_t>(slot)];
    alSourceStop(s.id);
    alSourcei(s.id, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(s.id, AL_LOOPING, sound.loop ? AL_TRUE : AL_FALSE);
    alSourcei(s.id, AL_SOURCE_RELATIVE, AL_TRUE);
    s.sound = &sound;
    s.serial += 1;
    s.started = ++starts_;
    s.cued = cued;
    s.fading = false;
    s.pausing = false;
    s.stopDue = false;
    s.octave = octave;
    Apply(s, params);
    if (!cued) alSourcePlay(s.id);
    return VoiceRef{slot, s.serial};
  }

  void Stop(VoiceRef ref) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Source* s = Find(ref);
    if (!s) return;
    Fade(*s);
  }

  // The stop itself: a fade to silence, then the source is free.
  void Fade(Source& src) {
    Source* s = &src;
    s->stopDue = false;
    s->pausing = false;
    if (s->cued || State(*s) != AL_PLAYING) {  // nothing heard: nothing to fade
      alSourceStop(s->id);
      s->cued = false;
      return;
    }
    alSourcef(s->id, AL_GAIN, 0.0f);
    s->fading = true;
    s->fadeEnd = MsLater(Millis(), STOP_FADE_MS);
  }

  // A pause, like a stop, first ramps the gain to zero and pauses the source once that has been
  // heard; a resume after a pause starts the source silent and ramps the gain back up.
  void SetPaused(VoiceRef ref, bool paused) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Source* s = Find(ref);
    if (!s) return;
    if (paused) {
      if (s->pausing || State(*s) != AL_PLAYING) return;
      alSourcef(s->id, AL_GAIN, 0.0f);
      s->pausing = true;
      s->fadeEnd = Millis() + STOP_FADE_MS;
    } else if (s->pausing) {
      s->pausing = false;
      alSourcef(s->id, AL_GAIN, s->gain);
    } else if (s->cued) {
      s->cued = false;
      alSourcePlay(s->id);
    } else if (State(*s) == AL_PAUSED) {
      alSourcePlay(s->id);
      alSourcef(s->id, AL_GAIN, s->gain);
    }
  }

  // A cued source takes the octave copy for its new speed (a buffer can change only before it
  // plays, and cued sources get their speed before they start).
  void SetParams(VoiceRef ref, const VoiceParams& params) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Source* s = Find(ref);
    if (!s) return;
    const int octave = OctaveFor(params.rate);
    if (s->cued && octave != s->octave) {
      if (ALuint buffer = BufferFor(*s->sound, octave)) {
        alSourcei(s->id, AL_BUFFER, static_cast<ALint>(buffer));
        s->octave = octave;
      }
    }
    Apply(*s, params);
  }

  bool Playing(VoiceRef ref) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    ServiceStops();
    return Find(ref) != nullptr;
  }

  void ForgetSound(const SoundObject& sound) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    for (Source& s : sources_)
      if (s.sound == &sound) {
        alSourceStop(s.id);
        alSourcei(s.id, AL_BUFFER, 0);  // a buffer still attached cannot be deleted
        s.sound = nullptr;
        s.cued = false;
        s.fading = false;
        s.pausing = false;
      }
    for (int k = 0; k < SOUND_OCTAVES; ++k) {
      auto it = buffers_.find({&sound, k});
      if (it == buffers_.end()) continue;
      alDeleteBuffers(1, &it->second);
      buffers_.erase(it);
    }
  }

 private:
  // The watcher: placed stops whose point has come, every couple of milliseconds.
  void Watch() {
    while (!quit_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      std::lock_guard<std::recursive_mutex> lock(mutex_);
      ServiceStops();
    }
  }

  int64_t DeviceClock() const {
    ALCint64SOFT ns = 0;
    deviceClock_(device_, ALC_DEVICE_CLOCK_SOFT, 1, &ns);
    return ns;
  }

  // The place of the moment `dueMs` on the device clock: a fixed map from Millis(), set at the
  // first placed sound PLACED_LATENCY_MS ahead of what has been mixed, and set again when a
  // moment falls before the clock or more than a second ahead of it (the clocks drifted apart,
  // or the program stalled).
  int64_t PlaceOf(int dueMs, int64_t now) {
    auto at = [&] { return anchorNs_ + static_cast<int64_t>(MsBetween(anchorMs_, dueMs)) * NS_PER_MS; };
    if (!anchored_ || at() < now || at() > now + 1000 * NS_PER_MS) {
      anchored_ = true;
      anchorMs_ = Millis();
      anchorNs_ = now + PLACED_LATENCY_MS * NS_PER_MS;
    }
    return at();
  }

  // Placed stops whose point the device clock has reached.
  void ServiceStops() {
    if (!deviceClock_) return;
    int64_t now = -1;
    for (Source& s : sources_) {
      if (!s.stopDue) continue;
      if (now < 0) now = DeviceClock();
      if (s.stopAt <= now) Fade(s);
    }
  }

  ALint State(const Source& s) const {
    ALint state = AL_STOPPED;
    alGetSourcei(s.id, AL_SOURCE_STATE, &state);
    return state;
  }

  // A fading source stays busy until its fade has been heard, then it is stopped.
  bool Busy(Source& s) {
    if (!s.sound) return false;
    if (s.fading) {
      if (MsBetween(s.fadeEnd, Millis()) < 0) return true;
      alSourceStop(s.id);
      s.fading = false;
      return false;
    }
    if (s.cued) return true;
    if (s.pausing) {
      if (!Passed(s.fadeEnd)) return true;
      s.pausing = false;
      if (State(s) == AL_PLAYING) alSourcePause(s.id);
      return true;
    }
    ALint state = State(s);
    return state == AL_PLAYING || state == AL_PAUSED;
  }

  Source* Find(VoiceRef ref) {
    if (ref.slot < 0 || ref.slot >= MAX_VOICES) return nullptr;
    Source& s = sources_[static_cast<size_t>(ref.slot)];
    // A source fading out, or waiting for its placed stop, is over for its channel.
    return s.id && s.serial == ref.serial && !s.fading && !s.stopDue && Busy(s) ? &s : nullptr;
  }

  void Apply(Source& s, const VoiceParams& p) {
    double angle = p.pan * HALF_PI;
    alSource3f(s.id, AL_POSITION, static_cast<ALfloat>(std::sin(angle)), 0.0f,
               static_cast<ALfloat>(-std::cos(angle)));
    s.gain = p.volume;
    // A paused source stays silent until its resume ramps it up.
    if (!s.pausing && State(s) != AL_PAUSED) alSourcef(s.id, AL_GAIN, p.volume);
    alSourcef(s.id, AL_PITCH, p.rate);
    s.pitch = p.rate;
  }

  // A source that is not busy, made on first need; else the oldest. -1 when AL gives none.
  int FreeSlot() {
    int oldest = -1;
    for (int i = 0; i < MAX_VOICES; ++i) {
      Source& s = sources_[static_cast<size_t>(i)];
      if (!s.id) {
        alGetError();
        alGenSources(1, &s.id);
        if (alGetError() != AL_NO_ERROR) {
          s.id = 0;  // the device's source limit: steal instead
          break;
        }
        return i;
      }
      if (!Busy(s)) return i;
      if (oldest < 0 || s.started < sources_[static_cast<size_t>(oldest)].started) oldest = i;
    }
    return oldest;
  }

  ALuint BufferFor(const SoundObject& sound, int octave) {
    auto it = buffers_.find({&sound, octave});
    if (it != buffers_.end()) return it->second;
    const WavData& w = sound.Octave(octave);
    ALuint buffer = 0;
    alGetError();
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return 0;
    alBufferData(buffer, w.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, w.samples.data(),
                 static_cast<ALsizei>(w.samples.size() * sizeof(int16_t)), w.rate);
    if (alGetError() != AL_NO_ERROR) {
      alDeleteBuffers(1, &buffer);
      return 0;
    }
    buffers_[{&sound, octave}] = buffer;
    return buffer;
  }

  ALCdevice* device_ = nullptr;
  ALCcontext* context_ = nullptr;
  std::array<Source, MAX_VOICES> sources_{};
  std::map<std::pair<const SoundObject*, int>, ALuint> buffers_;  // per sound and octave copy
  uint64_t starts_ = 0;
  LPALCGETINTEGER64VSOFT deviceClock_ = nullptr;
  bool anchored_ = false;
  int anchorMs_ = 0;
  int64_t anchorNs_ = 0;
  std::recursive_mutex mutex_;  // the sources, between the caller and the watcher
  std::thread watcher_;
  std::atomic<bool> quit_{false};
};

}  // namespace

std::unique_ptr<AudioDriver> OpenOpenALDriver() {
  auto driver = std::make_unique<OpenALDriver>();
  if (!driver->Open()) return nullptr;
  return driver;
}

bool OpenALDeviceWorks() {
  ALCdevice* device = OpenDevice();
  if (!device) return false;
  alcCloseDevice(device);
  return true;
}
