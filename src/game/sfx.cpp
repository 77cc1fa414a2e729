// Sound effects cycle through channel slots 20..255 of SoundChannels, so up to 236 overlap and a
// new one cuts off only the oldest.
#include "game/sfx.h"

#include <algorithm>

#include "common/common_assets.h"
#include "common/settings.h"
#include "common/sound_channels.h"
#include "frame/draw.h"
#include "game/game_state.h"
#include "media/media.h"

void PlaySfx(int index, float rate, float volume, float pan) {
  if (Settings[Sound] <= 0) return;
  if (index < 1 || index >= SOUND_EFFECT_SLOTS || SoundEffects[index] == 0) return;
  if (SfxOncePerFrame) {
    const uint64_t bit = uint64_t{1} << (index % 64);
    if (SfxPlayedMask & bit) return;
    SfxPlayedMask |= bit;
  }

  if (++EffectRing > LAST_EFFECT_SLOT) EffectRing = FIRST_EFFECT_SLOT;
  volume = ClampFloat(volume, 0, 1);
  rate = ClampFloat(rate, 0.25f, 4);
  pan = ClampFloat(pan, -1, 1);

  // The slot keeps one channel for good: a new handle for every reuse would grow the handle
  // table by one for each effect that cuts off another.
  int& channel = SoundChannels[EffectRing];
  channel = ReuseChannel(channel);
  CueSound(SoundEffects[index], channel);
  // The settings' product is whole (0..10000); dividing it as a whole number would silence every
  // effect below full master and sound volume, so the scaling is fractional.
  const int settingsProduct = std::clamp(Settings[Master], 0, 100) * std::clamp(Settings[Sound], 0, 100);
  SetChannelVolume(channel, static_cast<float>(settingsProduct) / 100.0f / 100.0f * volume);
  EffectVolume[EffectRing] = volume;
  SetChannelPan(channel, pan);
  SetChannelRate(channel, rate);
  ResumeChannel(channel);
}

void ReportMissingSfx() {
  for (int i = SFX_PICKUP; i <= SFX_RETURN_HAT; ++i)
    if (SoundEffects[i] == 0) LoadFailed(Right("00" + IntText(i), 3) + ".wav");
}
