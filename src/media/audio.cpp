// Audio start-up and the driver list: "OpenAL" (OpenAL Soft) and "FreeAudio SDL" (our mixer on
// SDL audio), always both listed, with or without a device. Until a driver is selected the first
// one that opens a device plays; with none, the silent driver keeps channel time and nothing is
// heard. The headless back end uses the silent driver for every name and records every call.
#include <iterator>

#include "media/audio_state.h"

namespace {

struct DriverEntry {
  const char* name;
  std::unique_ptr<AudioDriver> (*open)();
};
const DriverEntry DRIVERS[] = {
    {"OpenAL", &OpenOpenALDriver},
    {"FreeAudio SDL", &OpenSdlMixerDriver},
};
constexpr const char* OPENAL_NAME = "OpenAL";

bool gAcceptSilentDevices = false;

const DriverEntry* FindDriver(const std::string& name) {
  for (const DriverEntry& d : DRIVERS)
    if (name == d.name) return &d;
  return nullptr;
}

// Closes the current driver first (two drivers may not share one device), then opens `d`;
// falls back to the silent driver. Channels of the closed driver become dead handles.
bool SwitchTo(const DriverEntry* d) {
  AudioState& a = Audio();
  a.driver.reset();
  a.inUse.clear();
  ++a.session;
  std::unique_ptr<AudioDriver> opened;
  if (d && a.backend == MEDIA_HEADLESS) {
    opened = MakeSilentDriver();
  } else if (d) {
    opened = d->open();
    if (d->open == &OpenOpenALDriver) a.openALWorks = opened ? 1 : 0;
  }
  if (opened) {
    a.driver = std::move(opened);
    a.inUse = d->name;
    return true;
  }
  a.driver = MakeSilentDriver();
  return false;
}

}  // namespace

AudioState& Audio() {
  static AudioState* state = new AudioState;
  return *state;
}

void RecordSoundCall(SoundRecord::Kind kind, int sound, int channel, float value, bool timed, int due) {
  const AudioState& a = Audio();
  if (!a.started || a.backend != MEDIA_HEADLESS) return;
  SoundRecord rec;
  rec.kind = kind;
  rec.sound = sound;
  rec.channel = channel;
  rec.value = value;
  rec.timed = timed;
  rec.due = due;
  HeadlessRecordSound(rec);
}

void AudioAcceptSilentDevices(bool accept) { gAcceptSilentDevices = accept; }
bool AudioSilentDevicesAccepted() { return gAcceptSilentDevices; }

// ---------------------------------------------------------------------------------------------
// Start and stop
// ---------------------------------------------------------------------------------------------
void AudioInit(MediaBackend backend) {
  AudioShutdown();
  AudioState& a = Audio();
  a.started = true;
  a.backend = backend;
  a.openALWorks = -1;
  a.headlessOpenAL = false;
  if (backend == MEDIA_HEADLESS) {
    SwitchTo(nullptr);  // silent, and no driver selected until the program picks one
    return;
  }
  for (const DriverEntry& d : DRIVERS)
    if (SwitchTo(&d)) return;
}

void AudioShutdown() {
  AudioState& a = Audio();
  a.driver.reset();
  a.inUse.clear();
  ++a.session;
  a.started = false;
}

void HeadlessSetOpenALInstalled(bool installed) { Audio().headlessOpenAL = installed; }

// ---------------------------------------------------------------------------------------------
// Drivers
// ---------------------------------------------------------------------------------------------
std::vector<std::string> AudioDriverList() {
  std::vector<std::string> names;
  for (const DriverEntry& d : DRIVERS) names.emplace_back(d.name);
  return names;
}

bool AudioDriverExists(const std::string& name) { return FindDriver(name) != nullptr; }

// Selecting the driver already in use keeps it, and its channels.
bool SelectAudioDriver(const std::string& name) {
  const DriverEntry* d = FindDriver(name);
  AudioState& a = Audio();
  if (!d || !a.started) return false;
  if (a.inUse == name) return true;
  return SwitchTo(d);
}

std::string AudioDriverInUse() { return Audio().inUse; }

bool OpenALInstalled() {
  AudioState& a = Audio();
  if (a.backend == MEDIA_HEADLESS) return a.headlessOpenAL;
  if (a.inUse == OPENAL_NAME) return true;
  if (a.openALWorks < 0) a.openALWorks = OpenALDeviceWorks() ? 1 : 0;
  return a.openALWorks == 1;
}
