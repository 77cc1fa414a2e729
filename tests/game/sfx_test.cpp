// The sound-effect player: the channel ring 20..255, limits, volume, and silence.
#include <gtest/gtest.h>

#include <set>

#include "common/sound_channels.h"
#include "game/sfx.h"
#include "game_fixture.h"

namespace {

class Sfx : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (int slot = FIRST_EFFECT_SLOT; slot <= LAST_EFFECT_SLOT; ++slot) {
      StopChannel(SoundChannels[slot]);
      SoundChannels[slot] = 0;
    }
    EffectRing = FIRST_EFFECT_SLOT;
    HeadlessClearSounds();
  }
  static std::vector<SoundRecord> Of(SoundRecord::Kind kind) {
    std::vector<SoundRecord> out;
    for (const SoundRecord& r : HeadlessSounds())
      if (r.kind == kind) out.push_back(r);
    return out;
  }
};

// Rule: effects take slots 21..255 and then 20 onwards; a 237th effect while all 236 still play
// stops the one in the slot it reuses (the oldest), and every other slot keeps its channel.
TEST_F(Sfx, RingCyclesThroughSlots20To255AndStopsTheOldest) {
  PlaySfx(SFX_LAND);
  EXPECT_EQ(EffectRing, 21);
  for (int i = 2; i <= 235; ++i) PlaySfx(SFX_LAND);
  EXPECT_EQ(EffectRing, 255);
  PlaySfx(SFX_LAND);
  EXPECT_EQ(EffectRing, 20);
  EXPECT_TRUE(Of(SoundRecord::STOP).empty());
  for (int slot = 5; slot < FIRST_EFFECT_SLOT; ++slot) EXPECT_EQ(SoundChannels[slot], 0) << slot;

  const int oldest = SoundChannels[21];
  const int second = SoundChannels[22];
  ASSERT_TRUE(ChannelPlaying(oldest));
  HeadlessClearSounds();
  PlaySfx(SFX_SPLAT);
  EXPECT_EQ(EffectRing, 21);
  const std::vector<SoundRecord> stops = Of(SoundRecord::STOP);
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].channel, oldest);
  EXPECT_TRUE(Of(SoundRecord::ALLOC).empty()) << "the slot's channel is reused";
  EXPECT_EQ(SoundChannels[21], oldest);
  EXPECT_TRUE(ChannelPlaying(SoundChannels[21]));
  EXPECT_TRUE(ChannelPlaying(second));
}

// Thousands of effects, each cutting off the oldest: the ring never holds more than its 236
// channels, and the handle table does not grow.
TEST_F(Sfx, RingStaysFlatOverThousandsOfEffects) {
  for (int i = 0; i < 236; ++i) PlaySfx(SFX_LAND);
  const std::set<int> firstRound(SoundChannels + FIRST_EFFECT_SLOT, SoundChannels + LAST_EFFECT_SLOT + 1);
  HeadlessClearSounds();
  for (int i = 0; i < 20000; ++i) {
    PlaySfx(i % 2 ? SFX_LAND : SFX_SPLAT);
    if (i % 1000 == 0) HeadlessClearSounds();
  }
  HeadlessClearSounds();
  for (int i = 0; i < 500; ++i) PlaySfx(SFX_TICKLE);
  EXPECT_TRUE(Of(SoundRecord::ALLOC).empty());
  std::set<int> channels(SoundChannels + FIRST_EFFECT_SLOT, SoundChannels + LAST_EFFECT_SLOT + 1);
  EXPECT_EQ(channels.size(), 236u);
  EXPECT_EQ(channels, firstRound) << "the channels of the first round, and no other";
}

// A slot whose effect has finished keeps its channel and plays the next effect on it.
TEST_F(Sfx, FinishedChannelIsReused) {
  PlaySfx(SFX_TICKLE);
  const int channel = SoundChannels[21];
  ASSERT_NE(channel, 0);
  EffectRing = 20;
  HeadlessAdvanceClock(5000);
  ASSERT_FALSE(ChannelPlaying(channel));
  HeadlessClearSounds();
  PlaySfx(SFX_TICKLE);
  EXPECT_EQ(SoundChannels[21], channel);
  EXPECT_TRUE(Of(SoundRecord::STOP).empty());
  EXPECT_TRUE(Of(SoundRecord::ALLOC).empty());
  ASSERT_EQ(Of(SoundRecord::CUE).size(), 1u);
  EXPECT_EQ(Of(SoundRecord::CUE)[0].channel, channel);
}

// Rule: the effect is cued paused, then volume (master x sound / 10000 x volume), pan and rate
// are set, each within its limits, and it is resumed.
TEST_F(Sfx, SettingsAndLimitsApplyBeforeItIsHeard) {
  struct Case {
    int master, sound;
    float rate, volume, pan;
    float heard, rate2, pan2, asked;
  } cases[] = {
      // master sound rate  volume pan   heard  rate2 pan2  asked
      {100, 100, 1, 1, 0, 1, 1, 0, 1},
      {50, 80, 1, 1, 0, 0.4f, 1, 0, 1},
      {50, 50, 1, 0.5f, 0.5f, 0.125f, 1, 0.5f, 0.5f},
      {100, 100, 10, 2, -3, 1, 4, -1, 1},
      {100, 100, 0.1f, -1, 3, 0, 0.25f, 1, 0},
      {500, 100, 1, 1, 0, 1, 1, 0, 1},
  };
  for (const Case& c : cases) {
    SetUp();
    Settings[Master] = c.master;
    Settings[Sound] = c.sound;
    PlaySfx(SFX_PICKUP, c.rate, c.volume, c.pan);
    std::vector<SoundRecord::Kind> kinds;
    for (const SoundRecord& r : HeadlessSounds()) kinds.push_back(r.kind);
    EXPECT_EQ(kinds, (std::vector<SoundRecord::Kind>{SoundRecord::ALLOC, SoundRecord::CUE, SoundRecord::VOLUME,
                                                     SoundRecord::PAN, SoundRecord::RATE, SoundRecord::RESUME}));
    EXPECT_FLOAT_EQ(Of(SoundRecord::VOLUME)[0].value, c.heard) << c.master << " " << c.sound << " " << c.volume;
    EXPECT_FLOAT_EQ(Of(SoundRecord::RATE)[0].value, c.rate2);
    EXPECT_FLOAT_EQ(Of(SoundRecord::PAN)[0].value, c.pan2);
    EXPECT_FLOAT_EQ(EffectVolume[21], c.asked);
    EXPECT_EQ(Of(SoundRecord::CUE)[0].sound, SoundEffects[SFX_PICKUP]);
  }
}

// Rule: at sound volume 0 (or below), or for an empty or unknown bank slot, nothing is played
// and the ring stays where it was.
TEST_F(Sfx, SilentAtVolumeZeroAndForEmptySlots) {
  struct Case {
    int sound, index;
  } cases[] = {{0, SFX_LAND}, {-5, SFX_LAND}, {100, 150}, {100, 0}, {100, -1}, {100, 100000}};
  for (const Case& c : cases) {
    SetUp();
    Settings[Sound] = c.sound;
    PlaySfx(c.index);
    EXPECT_TRUE(HeadlessSounds().empty()) << c.sound << " " << c.index;
    EXPECT_EQ(EffectRing, FIRST_EFFECT_SLOT);
    EXPECT_EQ(SoundChannels[21], 0);
  }
}

}  // namespace
