// Setup.ini through the real line reader: any file reads without harm, and what the writer then
// writes reads back as the same settings and bindings.
#include <cstdint>
#include <cstring>
#include <string>

#include <unistd.h>

#include "common/folders.h"
#include "common/settings.h"
#include "engine/setup_file.h"
#include "fuzz_file.h"
#include "input/input_state.h"
#include "media/media.h"

// The sound layer is left out of this program: three named drivers, every one selectable.
std::vector<std::string> AudioDriverList() { return {"OpenAL Soft", "FreeAudio SDL", "Silent"}; }
bool AudioDriverExists(const std::string& name) {
  for (const std::string& n : AudioDriverList())
    if (n == name) return true;
  return false;
}
bool SelectAudioDriver(const std::string& name) { return AudioDriverExists(name); }
bool OpenALInstalled() { return true; }
// The on-screen report is left out too: here a failed save is a finding.
void ReportSave(const std::string&, bool saved) { fuzz::Check(saved, "Setup.ini is saved"); }

namespace {

// As start-up has them before the file is read.
void Defaults() {
  SetDefaultSettings();
  for (int& code : ControlBindings) code = 0;
  const int keys[][2] = {{0, 38}, {3, 37}, {5, 39}, {8, 40}, {10, 90}, {11, 88}, {12, 67}, {13, 86}};
  for (const auto& k : keys) ControlBindings[k[0]] = k[1];
  AudioDriverNames = AudioDriverList();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Setup.ini sits in the files folder, which is current while it is read.
  static const bool inFolder = ::chdir(fuzz::ScratchFolder().c_str()) == 0;
  fuzz::Check(inFolder, "the scratch folder is current");
  FilesFolder = fuzz::ScratchFolder().string();
  Defaults();
  fuzz::PutFile("Setup.ini", data, size);
  ReadSetup();

  int settings[SETTINGS_SIZE];
  std::memcpy(settings, Settings, sizeof settings);
  int bindings[BINDING_COUNT];
  std::memcpy(bindings, ControlBindings, sizeof bindings);

  fuzz::Check(WriteSetup(), "Setup.ini is written");
  Defaults();
  ReadSetup();

  for (int entry : {Fullscreen, GfxEngine, Width, Height, ESS, Master, Sound, Music, AudioDriver})
    fuzz::Check(Settings[entry] == settings[entry], "a setting survives a write and a read");
  for (int i = 0; i <= 99; ++i)
    if (bindings[i] > 0) fuzz::Check(ControlBindings[i] == bindings[i], "a binding survives a write and a read");
  return 0;
}
