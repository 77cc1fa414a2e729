// The player on the fake clock: the step clock, phrases, early entries, monophonic tracks with
// one channel each, volumes, chord ratios, the shipped songs' repeatability, and the channel and
// memory use over an hour.
#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "media/internal.h"
#include "music/song_file.h"
#include "music_fixture.h"

namespace {

using Playback = MusicTest;

// A song where every track has a note on every step (drums sample 1, pitched letter "q").
const char* const BUSY_SONG =
    "[DRUMS]\nSTRETCH FALSE\n\"1\"\n[CHORDS]\n\"qqqqqqqq\"\n[BASS]\nSTRETCH FALSE\n\"q\"\n"
    "[MELODY]\nSTRETCH FALSE\n\"q\"\n[ACCOMPANY]\nSTRETCH FALSE\n\"q\"\n";

int Channels() {
  int n = 0;
  ForEachObject(ObjectKind::CHANNEL, [](int, MediaObject&, void* c) { ++*static_cast<int*>(c); }, &n);
  return n;
}

// With tempo 125 a step lasts 62 ms, the first comes 250 ms after the start, and a pattern of
// 64 steps lasts 3968 ms.
TEST_F(Playback, StepsOf62MsAndPatternsOf3968Ms) {
  WriteSong("s", BUSY_SONG);
  const int start = Millis();
  LoadSong("s", 1, 125);
  std::vector<int> stepTimes, patternTimes;
  int last = SongState().step;
  for (int ms = 0; ms < 9000; ++ms) {
    HeadlessAdvanceClock(1);
    MusicTick();
    if (SongState().step == last) continue;
    last = SongState().step;
    stepTimes.push_back(Millis() - start);
    if (last == 0) patternTimes.push_back(Millis() - start);
  }
  ASSERT_GT(stepTimes.size(), 100u);
  EXPECT_EQ(stepTimes[0], 251);  // due once the clock has passed the tick
  for (size_t i = 1; i < stepTimes.size(); ++i) ASSERT_EQ(stepTimes[i] - stepTimes[i - 1], 62) << i;
  ASSERT_GE(patternTimes.size(), 2u);
  EXPECT_EQ(patternTimes[1] - patternTimes[0], 3968);
}

// The step clock keeps its pace whenever the song starts: also when the clock wraps before the
// first step, or between two steps.
class PlaybackAcrossTheWrap : public MusicTest, public testing::WithParamInterface<int> {};

TEST_P(PlaybackAcrossTheWrap, StepsStayEvery62Ms) {
  WriteSong("s", BUSY_SONG);
  HeadlessSetClock(GetParam());
  const int start = Millis();
  LoadSong("s", 1, 125);
  std::vector<int> stepTimes;
  int last = SongState().step;
  for (int ms = 0; ms < 2000; ++ms) {
    HeadlessAdvanceClock(1);
    MusicTick();
    if (SongState().step == last) continue;
    last = SongState().step;
    stepTimes.push_back(MsBetween(start, Millis()));
  }
  ASSERT_GT(stepTimes.size(), 20u);
  EXPECT_EQ(stepTimes[0], 251);
  for (size_t i = 1; i < stepTimes.size(); ++i) ASSERT_EQ(stepTimes[i] - stepTimes[i - 1], 62) << i;
}

INSTANTIATE_TEST_SUITE_P(Starts, PlaybackAcrossTheWrap,
                         testing::Values(5000, INT_MAX - 100, INT_MAX - 1000, -1));

// At 20 and at 10 frames per second no step is skipped: each tick plays at most one step, so at
// 10 fps the music runs slow, one step per frame.
TEST_F(Playback, SlowFramesNeverSkipAStep) {
  struct Case {
    int frameMs;
    bool everyFrame;
  } cases[] = {{50, false}, {100, true}};
  for (const Case& c : cases) {
    SetUp();
    WriteSamples();
    LoadMusicSamples();
    WriteSong("s", BUSY_SONG);
    LoadSong("s", 1, 125);
    Unmute();
    notes.clear();
    HeadlessAdvanceClock(300);
    int expected = 0, steps = 0;
    for (int frame = 0; frame < 400; ++frame) {
      const int before = SongState().step;
      HeadlessAdvanceClock(c.frameMs);
      MusicTick();
      const int after = SongState().step;
      if (after == before) {
        EXPECT_FALSE(c.everyFrame) << "frame " << frame;
        continue;
      }
      ++steps;
      EXPECT_EQ(after, (before + 1) % PATTERN_STEPS) << "frame " << frame;
      EXPECT_EQ(after, expected);
      expected = (expected + 1) % PATTERN_STEPS;
    }
    Gather();
    EXPECT_EQ(static_cast<int>(OnTrack(0).size()), steps) << "a drum note for every step";
    if (c.everyFrame) {
      EXPECT_EQ(steps, 400);
    }
  }
}

// With an 8-letter chord line the bar runs 1, 2, 1, 2 and a new chord line is drawn every second
// pattern.
TEST_F(Playback, NewPhraseEverySecondPattern) {
  WriteSong("s", "[CHORDS]\n\"qqrrttqq\"\n\"rrqqttrr\"\n\"ttqqrrtt\"\n");
  LoadSong("s", 4, 125);
  std::vector<int> bars{SongState().bar};
  std::vector<std::string> chords{SongState().chordLine};
  HeadlessAdvanceClock(300);  // each Run below then ends just after a pattern starts
  for (int p = 0; p < 6; ++p) {
    Run(3968);
    bars.push_back(SongState().bar);
    chords.push_back(SongState().chordLine);
  }
  EXPECT_EQ(bars, (std::vector<int>{1, 2, 1, 2, 1, 2, 1}));
  EXPECT_EQ(SongState().patternCount, 6);
  for (size_t p = 1; p < chords.size(); p += 2) EXPECT_EQ(chords[p], chords[p - 1]) << "one chord line a phrase";
}

// A track muted in this phrase but due in the next comes in early: with entry 1 at step 48 of the
// last bar (the first half of the last chord), with entry 2 at step 56 (the last 8 steps).
TEST_F(Playback, MutedTrackEntersEarlyBeforeItsPhrase) {
  WriteSamples();
  LoadMusicSamples();
  WriteSong("s", BUSY_SONG);
  std::set<int> entriesSeen;
  for (int seed = 1; seed <= 60 && entriesSeen.size() < 2; ++seed) {
    notes.clear();
    LoadSong("s", seed, 125);
    const SongStateData& song = SongState();
    int track = -1;
    for (int t = 0; t < TRACKS; ++t)
      if (song.muted[t] == 1 && song.next[t] == 0 && !entriesSeen.count(song.entry[t])) track = t;
    if (track < 0) continue;
    const int entry = song.entry[track];
    entriesSeen.insert(entry);
    HeadlessAdvanceClock(250);
    Run(2 * 3968 - 16);  // up to the end of the first phrase (two bars)
    const std::vector<PlayedNote> heard = OnTrack(track);
    ASSERT_FALSE(heard.empty()) << "seed " << seed << " track " << track;
    EXPECT_EQ(static_cast<int>(heard.size()), entry == 1 ? 16 : 8) << "seed " << seed << " track " << track;
  }
  EXPECT_EQ(entriesSeen, (std::set<int>{1, 2}));
}

// Each track is monophonic on one channel: a note still sounding is stopped by the next one on
// its track, the channel is reused, and no track ever allocates a second channel.
TEST_F(Playback, NoteCutsThePreviousOneOnItsTrackAndReusesItsChannel) {
  WriteSamples();
  LoadMusicSamples();
  WriteSong("s", BUSY_SONG);
  LoadSong("s", 2, 125);
  Unmute();
  const int before = Channels();
  Run(3000);
  EXPECT_EQ(Channels(), before + TRACKS);
  for (int t = 0; t < TRACKS; ++t) {
    const std::vector<PlayedNote> heard = OnTrack(t);
    ASSERT_GT(heard.size(), 30u) << t;
    for (size_t i = 1; i < heard.size(); ++i) {
      EXPECT_EQ(heard[i].channel, heard[0].channel) << t;
      EXPECT_TRUE(heard[i].stoppedBefore) << "the 100 ms note still sounded: track " << t << " note " << i;
    }
  }
  // A note that has ended is replaced without a stop.
  WriteSong("slow", "[DRUMS]\nSTRETCH DOUBLE\n\"1   \"\n[CHORDS]\n\"qqqq\"\n");
  LoadSong("slow", 2, 125);
  Unmute();
  notes.clear();
  Run(3000);
  const std::vector<PlayedNote> drums = OnTrack(0);
  ASSERT_GT(drums.size(), 2u);
  for (const PlayedNote& n : drums) EXPECT_FALSE(n.stoppedBefore);
}

// Rule: volume = music x master / 10000 (accompaniment half that), read at every note; at music
// volume 0 every note still starts, at volume 0. Drums are panned +-0.3 with no rate, bass left,
// melody unpanned, accompaniment right.
TEST_F(Playback, VolumesPansAndRatesPerTrack) {
  WriteSamples();
  LoadMusicSamples();
  WriteSong("s", BUSY_SONG);
  struct Case {
    int music, master;
    float full;
  } cases[] = {{50, 50, 0.25f}, {100, 100, 1.0f}, {0, 100, 0.0f}, {80, 50, 0.4f}, {150, -3, 0.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.music);
    Settings[Music] = c.music;
    Settings[Master] = c.master;
    LoadSong("s", 2, 125);
    Unmute();
    notes.clear();
    Run(1000);
    for (int t = 0; t < TRACKS; ++t) {
      const std::vector<PlayedNote> heard = OnTrack(t);
      ASSERT_GE(heard.size(), 10u) << t;
      for (const PlayedNote& n : heard) {
        EXPECT_FLOAT_EQ(n.volume, t == 4 ? c.full / 2 : c.full) << t;
        EXPECT_EQ(n.rateSet, t >= 2) << t;
        EXPECT_EQ(n.panSet, t != 3) << t;
        if (n.panSet) {
          EXPECT_FLOAT_EQ(n.pan, (t == 0 || t == 4) ? 0.3f : -0.3f) << t;
        }
      }
    }
  }
}

// Rule: a pitched note plays at its letter's ratio times the chord letter's: melody "q" over
// chord "q" at rate 1, over "i" at 2; the drums and the bass samples follow the variants.
TEST_F(Playback, ChordLetterMultipliesTheRate) {
  WriteSamples();
  LoadMusicSamples();
  WriteSong("s", "[CHORDS]\n\"qqiiqqii\"\n[MELODY]\nSTRETCH FALSE\n\"q\"\n[BASS]\nSTRETCH FALSE\n\"t\"\n");
  LoadSong("s", 6, 125);
  Unmute();
  Run(250 + 63 * 62 + 10);  // the first pattern's 64 steps
  std::map<float, int> melody, bass;
  for (const PlayedNote& n : OnTrack(3)) melody[n.rate]++;
  for (const PlayedNote& n : OnTrack(2)) bass[n.rate]++;
  EXPECT_EQ(melody, (std::map<float, int>{{1.0f, 32}, {2.0f, 32}}));
  EXPECT_EQ(bass, (std::map<float, int>{{1.498f, 32}, {2.996f, 32}}));
  for (const PlayedNote& n : OnTrack(3)) EXPECT_EQ(n.sound, MusicSamples[30 + SongState().leadVariant]);
}

// A missing song starts nothing (and changes nothing of a song already playing but its pools);
// missing samples leave their tracks silent without harm.
TEST_F(Playback, MissingSongAndSamples) {
  LoadSong("nothing", 1, 125);
  EXPECT_FALSE(SongState().playing);
  Run(1000);
  EXPECT_TRUE(notes.empty());

  WriteSong("s", BUSY_SONG);  // and no samples at all
  LoadSong("s", 1, 125);
  Unmute();
  Run(1000);
  EXPECT_TRUE(SongState().playing);
  for (const PlayedNote& n : notes) EXPECT_EQ(n.sound, 0);
  LoadSong("nothing", 1, 125);
  EXPECT_TRUE(SongState().playing) << "the player plays on; its pools are empty";
  for (int s = 0; s < SECTIONS; ++s) EXPECT_EQ(SongState().sections[s].count, 0);
}

// Loading the samples again (every display change does) replaces them: nothing is added to the
// memory in use, and variants that are gone are no longer counted.
TEST_F(Playback, ReloadingSamplesReplacesThem) {
  WriteSamples(3);
  LoadMusicSamples();
  EXPECT_EQ(HighestLead, 3);
  const int64_t bytes = ObjectBytes();
  LoadMusicSamples();
  EXPECT_EQ(ObjectBytes(), bytes);
  std::filesystem::remove(dir_ / "music" / "lead3.wav");
  std::filesystem::remove(dir_ / "music" / "d2-4.wav");
  LoadMusicSamples();
  EXPECT_EQ(HighestLead, 2);
  EXPECT_EQ(MusicSamples[33], 0);
  EXPECT_EQ(MusicSamples[14], 0);
  EXPECT_LT(ObjectBytes(), bytes);
}

// The shipped songs with the shipped samples: the first 30 seconds of sound calls are the same
// in two runs with the same seed and differ with another seed.
class ShippedSongs : public MusicTest, public testing::WithParamInterface<std::pair<const char*, int>> {};

// 30 seconds of a song's sound calls; `perSecond` gets the notes started in each second.
std::vector<SoundRecord> Record(const std::string& song, int seed, std::vector<int>* perSecond = nullptr) {
  MediaInit(MEDIA_HEADLESS);
  ResetSongState();
  for (int& c : SoundChannels) c = 0;
  LoadMusicSamples();
  HeadlessSetClock(5000);
  HeadlessClearSounds();
  LoadSong(song, seed, 125);
  size_t counted = 0;
  for (int f = 0; f < 30 * 60; ++f) {
    HeadlessAdvanceClock(f % 3 == 0 ? 16 : 17);
    MusicTick();
    if (perSecond && f % 60 == 59) {
      const std::vector<SoundRecord>& all = HeadlessSounds();
      int notes = 0;
      for (; counted < all.size(); ++counted) notes += all[counted].kind == SoundRecord::CUE && all[counted].sound != 0;
      perSecond->push_back(notes);
    }
  }
  return HeadlessSounds();
}

bool Same(const std::vector<SoundRecord>& a, const std::vector<SoundRecord>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SoundRecord& x, const SoundRecord& y) {
    return x.kind == y.kind && x.sound == y.sound && x.channel == y.channel && x.value == y.value;
  });
}

TEST_P(ShippedSongs, SameSeedSameMusicOtherSeedOtherMusic) {
  const auto [song, seed] = GetParam();
  ASSERT_TRUE(ChangeDir(std::string(TEST_SOURCE_DIR) + "/assets/Files/247"));
  std::vector<int> perSecond;
  const std::vector<SoundRecord> first = Record(song, seed, &perSecond);
  const std::vector<SoundRecord> again = Record(song, seed);
  const std::vector<SoundRecord> other = Record(song, seed + 1);
  int cues = 0;
  for (const SoundRecord& r : first) cues += r.kind == SoundRecord::CUE && r.sound != 0;
  EXPECT_GT(cues, 100) << "30 seconds of music";
  // Calm, but never silent: notes start in every second.
  for (size_t s = 0; s < perSecond.size(); ++s) EXPECT_GE(perSecond[s], 2) << "second " << s;
  EXPECT_TRUE(Same(first, again));
  EXPECT_FALSE(Same(first, other));
}

INSTANTIATE_TEST_SUITE_P(Songs, ShippedSongs,
                         testing::Values(std::make_pair("BrevoPlat", 17), std::make_pair("Mario", 1),
                                         std::make_pair("Pipeline", 64)));

// An hour of music on the fake clock: after the first minute the channel handles and the
// objects' memory stay exactly where they were.
TEST_P(ShippedSongs, AnHourLeavesChannelsAndMemoryFlat) {
  const auto [song, seed] = GetParam();
  ASSERT_TRUE(ChangeDir(std::string(TEST_SOURCE_DIR) + "/assets/Files/247"));
  LoadMusicSamples();
  LoadSong(song, seed, 125);
  auto runMinutes = [&](int minutes) {
    for (int f = 0; f < minutes * 60 * 60; ++f) {
      HeadlessAdvanceClock(f % 3 == 0 ? 16 : 17);
      MusicTick();
      if (f % 600 == 0) HeadlessClearSounds();
    }
    HeadlessClearSounds();
  };
  // A phrase lasts about half a minute and may keep a track silent: after five minutes every
  // track has played.
  runMinutes(5);
  const int channels = Channels();
  const int64_t bytes = ObjectBytes();
  EXPECT_LE(channels, TRACKS);
  runMinutes(55);
  EXPECT_EQ(Channels(), channels);
  EXPECT_EQ(ObjectBytes(), bytes);
  EXPECT_GT(SongState().patternCount, 900);
}

}  // namespace
