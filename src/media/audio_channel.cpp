// Sounds and channels. A channel is a handle that keeps its volume, pan and rate across the
// sounds played on it and plays one sound at a time, through one voice of the current driver.
// A channel made under another driver (before a driver switch or a restart of the audio) is
// dead: every call on it does nothing. Every call also tolerates 0, stale handles and handles of
// other kinds; on the headless back end each call is recorded as it was made.
#include <cmath>

#include "media/audio_state.h"

namespace {

struct ChannelObject final : MediaObject {
  uint32_t session = 0;
  VoiceRef voice;
  VoiceParams params;
  ~ChannelObject() override;
  ObjectKind Kind() const override { return ObjectKind::CHANNEL; }
};

// The driver, when a channel of `session` may use it.
AudioDriver* DriverFor(uint32_t session) {
  AudioState& a = Audio();
  return a.driver && session == a.session ? a.driver.get() : nullptr;
}

ChannelObject::~ChannelObject() {
  if (AudioDriver* d = DriverFor(session)) d->Stop(voice);
}

// A live channel of the current driver, or nullptr.
ChannelObject* LiveChannel(int channel) {
  auto* ch = Lookup<ChannelObject>(channel, ObjectKind::CHANNEL);
  return ch && DriverFor(ch->session) ? ch : nullptr;
}

int NewChannel() {
  auto ch = std::make_unique<ChannelObject>();
  ch->session = Audio().session;
  return RegisterObject(std::move(ch));
}

// NaN leaves the old value; anything else is clamped to the range.
float Limit(float v, float lo, float hi, float old) {
  if (std::isnan(v)) return old;
  return v < lo ? lo : (v > hi ? hi : v);
}

// Play and cue: the sound replaces whatever the channel played. 0 when nothing was started.
int StartSound(int sound, int channel, bool cued) {
  auto* s = Lookup<SoundObject>(sound, ObjectKind::SOUND);
  AudioDriver* driver = DriverFor(Audio().session);
  if (!s || !driver) return 0;
  if (channel == 0) channel = NewChannel();
  ChannelObject* ch = LiveChannel(channel);
  if (!ch) return 0;
  driver->Stop(ch->voice);
  // An empty sound is over before it starts.
  ch->voice = s->wav.Frames() > 0 ? driver->Start(*s, ch->params, cued) : VoiceRef{};
  return channel;
}

}  // namespace

SoundObject::~SoundObject() {
  if (AudioDriver* d = Audio().driver.get()) d->ForgetSound(*this);
}

// ---------------------------------------------------------------------------------------------
// Sounds
// ---------------------------------------------------------------------------------------------
int LoadSound(const std::string& path, int flags) {
  auto s = std::make_unique<SoundObject>();
  int handle = 0;
  if (LoadWavFile(path, s->wav)) {
    s->loop = (flags & SOUND_LOOP) != 0;
    for (int k = 1; k < SOUND_OCTAVES; ++k) s->octaves[k - 1] = HalfRate(s->Octave(k - 1));
    handle = RegisterObject(std::move(s));
  } else {
    LoadFailed(path);
  }
  RecordSoundCall(SoundRecord::LOAD, handle, 0, 0);
  return handle;
}

void FreeSound(int sound) {
  if (Lookup<SoundObject>(sound, ObjectKind::SOUND)) ReleaseObject(sound);
}

// ---------------------------------------------------------------------------------------------
// Channels
// ---------------------------------------------------------------------------------------------
int AllocChannel() {
  int channel = NewChannel();
  RecordSoundCall(SoundRecord::ALLOC, 0, channel, 0);
  return channel;
}

int ReuseChannel(int channel) {
  if (LiveChannel(channel)) {
    if (ChannelPlaying(channel)) StopChannel(channel);
    return channel;
  }
  if (Lookup<ChannelObject>(channel, ObjectKind::CHANNEL)) ReleaseObject(channel);
  return AllocChannel();
}

int PlaySound(int sound, int channel) {
  int used = StartSound(sound, channel, false);
  RecordSoundCall(SoundRecord::PLAY, sound, used, 0);
  return used;
}

int CueSound(int sound, int channel) {
  int used = StartSound(sound, channel, true);
  RecordSoundCall(SoundRecord::CUE, sound, used, 0);
  return used;
}

void StopChannel(int channel) {
  RecordSoundCall(SoundRecord::STOP, 0, channel, 0);
  if (ChannelObject* ch = LiveChannel(channel)) {
    Audio().driver->Stop(ch->voice);
    ch->voice = VoiceRef{};
  }
}

void ResumeChannelAt(int channel, int dueMs) {
  RecordSoundCall(SoundRecord::RESUME, 0, channel, 0, true, dueMs);
  if (ChannelObject* ch = LiveChannel(channel)) Audio().driver->StartAt(ch->voice, dueMs);
}

void StopChannelAt(int channel, int dueMs) {
  RecordSoundCall(SoundRecord::STOP, 0, channel, 0, true, dueMs);
  if (ChannelObject* ch = LiveChannel(channel)) {
    Audio().driver->StopAt(ch->voice, dueMs);
    ch->voice = VoiceRef{};
  }
}

void FreeChannel(int channel) {
  if (!Lookup<ChannelObject>(channel, ObjectKind::CHANNEL)) return;
  StopChannel(channel);
  ReleaseObject(channel);  // the channel's destructor leaves the driver's fade to run its course
}

void PauseChannel(int channel) {
  RecordSoundCall(SoundRecord::PAUSE, 0, channel, 0);
  if (ChannelObject* ch = LiveChannel(channel)) Audio().driver->SetPaused(ch->voice, true);
}

void ResumeChannel(int channel) {
  RecordSoundCall(SoundRecord::RESUME, 0, channel, 0);
  if (ChannelObject* ch = LiveChannel(channel)) Audio().driver->SetPaused(ch->voice, false);
}

void SetChannelVolume(int channel, float volume) {
  RecordSoundCall(SoundRecord::VOLUME, 0, channel, volume);
  if (ChannelObject* ch = LiveChannel(channel)) {
    ch->params.volume = Limit(volume, 0, 1, ch->params.volume);
    Audio().driver->SetParams(ch->voice, ch->params);
  }
}

void SetChannelPan(int channel, float pan) {
  RecordSoundCall(SoundRecord::PAN, 0, channel, pan);
  if (ChannelObject* ch = LiveChannel(channel)) {
    ch->params.pan = Limit(pan, -1, 1, ch->params.pan);
    Audio().driver->SetParams(ch->voice, ch->params);
  }
}

void SetChannelRate(int channel, float rate) {
  RecordSoundCall(SoundRecord::RATE, 0, channel, rate);
  if (ChannelObject* ch = LiveChannel(channel)) {
    ch->params.rate = Limit(rate, MIN_RATE, MAX_RATE, ch->params.rate);
    Audio().driver->SetParams(ch->voice, ch->params);
  }
}

bool ChannelPlaying(int channel) {
  ChannelObject* ch = LiveChannel(channel);
  return ch && Audio().driver->Playing(ch->voice);
}
