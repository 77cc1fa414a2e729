// Sounds and channels on the headless back end: the driver list, every call's safety with bad
// handles, the silent driver's playing time on the fake clock, and the record of every call.
#include <gtest/gtest.h>

#include <cmath>

#include "media/headless.h"
#include "media/internal.h"
#include "media/media.h"
#include "wav_fixture.h"

namespace {

class Audio : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    dir_ = TestFolder("audio");
    second_ = Sound(ConstantWav(1000, 1000), "second.wav");    // 1000 ms
    tenth_ = Sound(ConstantWav(800, 8000), "tenth.wav");       // 100 ms
    loop_ = Sound(ConstantWav(100, 1000), "loop.wav", SOUND_LOOP);
    HeadlessClearSounds();
  }
  void TearDown() override {
    MediaInit(MEDIA_HEADLESS);
    std::filesystem::remove_all(dir_);
  }

  int Sound(const Bytes& wav, const char* name, int flags = 0) {
    return LoadSound(WriteFile(dir_ / name, wav), flags);
  }
  // ChannelPlaying at `ms` on the clock from now (the clock only moves forward).
  bool PlayingAfter(int channel, int ms) {
    HeadlessAdvanceClock(ms);
    return ChannelPlaying(channel);
  }

  std::filesystem::path dir_;
  int second_ = 0, tenth_ = 0, loop_ = 0;
};

TEST_F(Audio, DriverListAnswersWithoutADevice) {
  EXPECT_EQ(AudioDriverList(), (std::vector<std::string>{"OpenAL", "FreeAudio SDL"}));
  struct Case {
    const char* name;
    bool exists;
  } cases[] = {
      {"OpenAL", true},      {"FreeAudio SDL", true}, {"openal", false}, {"OpenAL ", false},
      {"FreeAudio", false},  {"", false},             {"DirectSound", false},
  };
  for (const Case& c : cases) EXPECT_EQ(AudioDriverExists(c.name), c.exists) << '"' << c.name << '"';
}

TEST_F(Audio, SelectingADriverOnTheHeadlessBackEnd) {
  EXPECT_EQ(AudioDriverInUse(), "");  // silent until the program picks one
  EXPECT_FALSE(OpenALInstalled());
  HeadlessSetOpenALInstalled(true);
  EXPECT_TRUE(OpenALInstalled());

  EXPECT_TRUE(SelectAudioDriver("FreeAudio SDL"));
  EXPECT_EQ(AudioDriverInUse(), "FreeAudio SDL");
  int ch = PlaySound(second_);
  EXPECT_FALSE(SelectAudioDriver("Nonsense"));
  EXPECT_EQ(AudioDriverInUse(), "FreeAudio SDL");
  EXPECT_TRUE(SelectAudioDriver("FreeAudio SDL"));  // the same driver: its channels live on
  EXPECT_TRUE(ChannelPlaying(ch));

  EXPECT_TRUE(SelectAudioDriver("OpenAL"));
  EXPECT_EQ(AudioDriverInUse(), "OpenAL");
  EXPECT_FALSE(ChannelPlaying(ch)) << "a channel of the closed driver is dead";
  EXPECT_EQ(PlaySound(second_, ch), 0);
  EXPECT_FALSE(ChannelPlaying(ch));
  int fresh = PlaySound(second_);
  EXPECT_NE(fresh, 0);
  EXPECT_TRUE(ChannelPlaying(fresh));
}

// Every call with 0, negative, unknown, freed, dead and wrong-kind handles: nothing happens.
TEST_F(Audio, EveryCallToleratesBadHandles) {
  int freedChannel = AllocChannel();
  ReleaseObject(freedChannel);
  int deadChannel = PlaySound(loop_);
  SelectAudioDriver("OpenAL");
  int freedSound = Sound(ConstantWav(10, 1000), "freed.wav");
  FreeSound(freedSound);
  int live = PlaySound(loop_);

  for (int bad : {0, -7, 999999, freedChannel, deadChannel, loop_}) {
    SCOPED_TRACE(bad);
    StopChannel(bad);
    PauseChannel(bad);
    ResumeChannel(bad);
    SetChannelVolume(bad, 0.5f);
    SetChannelPan(bad, -1);
    SetChannelRate(bad, 2);
    EXPECT_FALSE(ChannelPlaying(bad));
    if (bad != 0) {
      EXPECT_EQ(PlaySound(loop_, bad), 0);
      EXPECT_EQ(CueSound(loop_, bad), 0);
      EXPECT_FALSE(ChannelPlaying(bad));
    }
  }
  for (int badSound : {0, -1, freedSound, live, 424242}) {
    SCOPED_TRACE(badSound);
    EXPECT_EQ(PlaySound(badSound), 0);
    EXPECT_EQ(CueSound(badSound), 0);
    EXPECT_EQ(PlaySound(badSound, live), 0);
    FreeSound(badSound);
  }
  EXPECT_TRUE(ChannelPlaying(live)) << "FreeSound of a channel handle must not free it";
  EXPECT_TRUE(ChannelPlaying(PlaySound(loop_)));
}

// A one-second sound on the fake clock: it plays for its duration over the rate, and paused
// time does not count.
TEST_F(Audio, SilentChannelPlaysForTheSoundsDuration) {
  struct Case {
    float rate;
    int pauseAt, pauseFor;  // ms after the start; pauseFor 0: no pause
    int endsAt;             // ms after the start
  } cases[] = {
      // rate  pause at  for    ends
      {1.0f, 0, 0, 1000},
      {2.0f, 0, 0, 500},
      {0.5f, 0, 0, 2000},
      {1.0f, 200, 300, 1300},
      {2.0f, 100, 1000, 1500},
      {0.0f, 0, 0, 64000},  // below the slowest rate: clamped to 1/64
      {NAN, 0, 0, 1000},    // ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "rate " << c.rate << ", pause " << c.pauseAt << "+" << c.pauseFor);
    int ch = AllocChannel();
    SetChannelRate(ch, c.rate);
    ASSERT_EQ(PlaySound(second_, ch), ch);
    int t = 0;
    if (c.pauseFor > 0) {
      EXPECT_TRUE(PlayingAfter(ch, c.pauseAt));
      PauseChannel(ch);
      EXPECT_TRUE(PlayingAfter(ch, c.pauseFor)) << "a paused channel is still playing";
      ResumeChannel(ch);
      t = c.pauseAt + c.pauseFor;
    }
    EXPECT_TRUE(PlayingAfter(ch, c.endsAt - 1 - t));
    EXPECT_FALSE(PlayingAfter(ch, 1));
  }
}

TEST_F(Audio, RateChangeMidSoundCountsFromThen) {
  int ch = PlaySound(second_);
  EXPECT_TRUE(PlayingAfter(ch, 400));
  SetChannelRate(ch, 2);  // the remaining 600 ms of sound take 300 ms
  EXPECT_TRUE(PlayingAfter(ch, 299));
  EXPECT_FALSE(PlayingAfter(ch, 1));
}

TEST_F(Audio, LoopsPlayUntilStoppedAndCuesWaitForResume) {
  int looping = PlaySound(loop_);
  EXPECT_TRUE(PlayingAfter(looping, 60000));
  StopChannel(looping);
  EXPECT_FALSE(ChannelPlaying(looping));

  int cued = CueSound(tenth_);
  ASSERT_NE(cued, 0);
  SetChannelVolume(cued, 0.25f);
  EXPECT_TRUE(PlayingAfter(cued, 5000)) << "a cued sound waits, paused";
  ResumeChannel(cued);
  EXPECT_TRUE(PlayingAfter(cued, 99));
  EXPECT_FALSE(PlayingAfter(cued, 1));
}

TEST_F(Audio, ChannelKeepsItsSettingsAndPlaysOneSoundAtATime) {
  int ch = AllocChannel();
  SetChannelRate(ch, 2);
  EXPECT_EQ(PlaySound(second_, ch), ch);
  EXPECT_TRUE(PlayingAfter(ch, 100));
  EXPECT_EQ(PlaySound(tenth_, ch), ch);  // replaces the second-long sound, at the same rate
  EXPECT_TRUE(PlayingAfter(ch, 49));
  EXPECT_FALSE(PlayingAfter(ch, 1));
  // a stopped channel can play again
  EXPECT_EQ(PlaySound(tenth_, ch), ch);
  EXPECT_TRUE(ChannelPlaying(ch));
}

TEST_F(Audio, FreeingASoundStopsItsChannels) {
  int a = PlaySound(loop_);
  int b = CueSound(loop_);
  int other = PlaySound(second_);
  FreeSound(loop_);
  EXPECT_FALSE(ChannelPlaying(a));
  EXPECT_FALSE(ChannelPlaying(b));
  EXPECT_TRUE(ChannelPlaying(other));
  EXPECT_EQ(PlaySound(loop_, a), 0);
}

TEST_F(Audio, LoadingRefusesBadFilesAndCountsSampleMemory) {
  int64_t before = MemoryInUse();
  int s = Sound(ConstantWav(500, 8000), "half.wav");
  ASSERT_NE(s, 0);
  EXPECT_EQ(MemoryInUse() - before, (500 + 250 + 125 + 63) * 2) << "the samples and their octave copies";
  FreeSound(s);
  EXPECT_EQ(MemoryInUse(), before);
  EXPECT_EQ(LoadSound((dir_ / "missing.wav").string(), 0), 0);
  EXPECT_EQ(Sound({'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0xFF, 'W', 'A', 'V', 'E'}, "cut.wav"), 0);
  EXPECT_EQ(LoadSound(dir_.string(), 0), 0);
  // an empty sound loads, and is over as soon as it starts
  int empty = Sound(ConstantWav(0, 8000), "empty.wav", SOUND_LOOP);
  ASSERT_NE(empty, 0);
  int ch = PlaySound(empty);
  EXPECT_NE(ch, 0);
  EXPECT_FALSE(ChannelPlaying(ch));
}

TEST_F(Audio, HeadlessRecordsEveryCallAsMade) {
  HeadlessAdvanceClock(16);
  Flip(0);
  int missing = LoadSound((dir_ / "missing.wav").string(), 0);
  int ch = AllocChannel();
  int cued = CueSound(tenth_, ch);
  SetChannelPan(ch, -0.3f);
  SetChannelRate(ch, 1.5f);
  SetChannelVolume(ch, 0.25f);
  ResumeChannel(ch);
  PauseChannel(ch);
  StopChannel(ch);
  int played = PlaySound(second_);
  int failed = PlaySound(missing);
  SetChannelVolume(0, 7);  // recorded as given, even on no channel
  using K = SoundRecord;
  struct Want {
    SoundRecord::Kind kind;
    int sound, channel;
    float value;
  } want[] = {
      {K::LOAD, 0, 0, 0},         {K::ALLOC, 0, ch, 0},          {K::CUE, tenth_, cued, 0},
      {K::PAN, 0, ch, -0.3f},     {K::RATE, 0, ch, 1.5f},        {K::VOLUME, 0, ch, 0.25f},
      {K::RESUME, 0, ch, 0},      {K::PAUSE, 0, ch, 0},          {K::STOP, 0, ch, 0},
      {K::PLAY, second_, played, 0}, {K::PLAY, 0, failed, 0},   {K::VOLUME, 0, 0, 7},
  };
  EXPECT_EQ(cued, ch);
  EXPECT_EQ(failed, 0);
  const std::vector<SoundRecord>& got = HeadlessSounds();
  ASSERT_EQ(got.size(), std::size(want));
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].kind, want[i].kind);
    EXPECT_EQ(got[i].sound, want[i].sound);
    EXPECT_EQ(got[i].channel, want[i].channel);
    EXPECT_FLOAT_EQ(got[i].value, want[i].value);
    EXPECT_EQ(got[i].frame, 1);
  }
}

}  // namespace

namespace {

// A slot keeps one channel: a live one is stopped when it still plays and given back, one that
// has ended comes back untouched, and 0, stale or dead handles give way to a new channel (a dead
// one is released from the handle table).
TEST_F(Audio, ReuseChannelKeepsOneHandleASlot) {
  SelectAudioDriver("OpenAL");
  int ch = PlaySound(second_);
  HeadlessClearSounds();
  EXPECT_EQ(ReuseChannel(ch), ch);
  ASSERT_EQ(HeadlessSounds().size(), 1u);
  EXPECT_EQ(HeadlessSounds()[0].kind, SoundRecord::STOP);
  EXPECT_FALSE(ChannelPlaying(ch));

  PlaySound(tenth_, ch);
  HeadlessAdvanceClock(200);
  HeadlessClearSounds();
  EXPECT_EQ(ReuseChannel(ch), ch);
  EXPECT_TRUE(HeadlessSounds().empty()) << "an ended note needs no stop";

  const int fresh = ReuseChannel(0);
  EXPECT_NE(fresh, 0);
  EXPECT_NE(fresh, ch);
  EXPECT_NE(PlaySound(tenth_, fresh), 0);

  SelectAudioDriver("FreeAudio SDL");  // ch is now a dead channel of the closed driver
  const int replaced = ReuseChannel(ch);
  EXPECT_NE(replaced, ch);
  EXPECT_EQ(LookupObject(ch, ObjectKind::CHANNEL), nullptr) << "the dead channel is released";
  EXPECT_NE(PlaySound(tenth_, replaced), 0);
  EXPECT_NE(ReuseChannel(second_), second_) << "a sound handle is no channel";
  EXPECT_NE(LookupObject(second_, ObjectKind::SOUND), nullptr) << "and is left alone";
}

}  // namespace
