// Settings defaults and the audio driver name table.
#include "common/settings.h"

#include "media/media.h"

void SetDefaultSettings() {
  for (int& v : Settings) v = 0;
  Settings[Width] = 800;
  Settings[Height] = 600;
  Settings[Master] = 50;
  Settings[Sound] = 50;
  Settings[Music] = 50;
}

void FillAudioDriverNames() {
  AudioDriverNames = AudioDriverList();
  if (AudioDriverNames.size() > MAX_AUDIO_DRIVERS) AudioDriverNames.resize(MAX_AUDIO_DRIVERS);
}

std::string AudioDriverName(int index) {
  if (index < 0 || index >= static_cast<int>(AudioDriverNames.size())) return "";
  return AudioDriverNames[static_cast<size_t>(index)];
}
