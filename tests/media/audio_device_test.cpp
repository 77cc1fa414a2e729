// The real audio start-up: with no sound device (this machine, CI) the driver list still
// answers, every call is safe and channels keep silent time; and both real drivers, run on the
// host's silent devices (SDL's "dummy" driver, OpenAL Soft's "No Output"), play, pause, loop,
// stop and let go of freed sounds while their mixing threads run.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "media/audio_driver.h"
#include "media/headless.h"
#include "media/internal.h"
#include "media/media.h"
#include "media/stderr_muted.h"
#include "wav_fixture.h"

namespace {

// Waits (real time, bounded) for a channel to finish; true when it did.
bool EndsWithin(int channel, int ms) {
  for (int waited = 0; waited < ms; waited += 5) {
    if (!ChannelPlaying(channel)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return !ChannelPlaying(channel);
}

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Points SDL audio and OpenAL Soft at their silent devices for the whole program: OpenAL reads
// this only once, when it first starts. The drivers refuse such devices unless a test accepts
// them, so the no-device behaviour is unchanged.
class SilentDevices : public testing::Environment {
 public:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
  }
};
testing::Environment* const SILENT_DEVICES = testing::AddGlobalTestEnvironment(new SilentDevices);

// Device probing is quiet: what a library prints meanwhile is dropped, and standard error works
// again afterwards.
TEST(AudioDevice, ProbingMutesStandardErrorOnlyMeanwhile) {
  testing::internal::CaptureStderr();
  {
    StderrMuted quiet;
    std::fprintf(stderr, "ALSA lib: cannot find card");
  }
  std::fprintf(stderr, "after");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "after");
}

TEST(AudioNoDevice, RealStartUpAnswersAndStaysSafe) {
  MediaInit(MEDIA_HEADLESS);  // the fake clock times a silent channel
  auto dir = TestFolder("audio_real");
  AudioInit(MEDIA_REAL);
  EXPECT_EQ(AudioDriverList(), (std::vector<std::string>{"OpenAL", "FreeAudio SDL"}));
  std::string first = AudioDriverInUse();
  if (OpenALInstalled()) {
    EXPECT_EQ(first, "OpenAL") << "the first driver that works is the default";
  }

  int second = LoadSound(WriteFile(dir / "second.wav", ConstantWav(1000, 1000, 0)), 0);
  ASSERT_NE(second, 0);
  int ch = PlaySound(second);
  ASSERT_NE(ch, 0);
  if (first.empty()) {  // no device: the silent driver keeps time
    HeadlessAdvanceClock(999);
    EXPECT_TRUE(ChannelPlaying(ch));
    HeadlessAdvanceClock(1);
    EXPECT_FALSE(ChannelPlaying(ch));
  }
  for (const std::string& name : AudioDriverList()) {
    SCOPED_TRACE(name);
    bool opened = SelectAudioDriver(name);
    EXPECT_EQ(AudioDriverInUse(), opened ? name : "");
    if (name == "OpenAL") {
      EXPECT_EQ(opened, OpenALInstalled());
    }
    StopChannel(ch);  // a channel of the previous driver: dead, harmless
    SetChannelRate(ch, 2);
    EXPECT_FALSE(ChannelPlaying(ch));
    ch = CueSound(second);
    ASSERT_NE(ch, 0);
    SetChannelVolume(ch, 0.5f);
    SetChannelPan(ch, 0.5f);
    ResumeChannel(ch);
    EXPECT_TRUE(ChannelPlaying(ch));
  }
  MediaInit(MEDIA_HEADLESS);
  std::filesystem::remove_all(dir);
}

class AudioSilentDevice : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    AudioAcceptSilentDevices(true);
    AudioInit(MEDIA_REAL);
    dir_ = TestFolder("audio_device");
    if (!SelectAudioDriver(GetParam())) GTEST_SKIP() << GetParam() << " has no silent device here";
    short_ = LoadSound(WriteFile(dir_ / "short.wav", ConstantWav(400, 8000, 1000)), 0);  // 50 ms
    loop_ = LoadSound(WriteFile(dir_ / "loop.wav", ConstantWav(400, 8000, 1000)), SOUND_LOOP);
    stereo_ = LoadSound(WriteFile(dir_ / "stereo.wav",
                                  Riff(Cat({Chunk("fmt ", Fmt(2, 22050, 8)), Chunk("data", Bytes(2205, 200))}))),
                        0);
    ASSERT_TRUE(short_ && loop_ && stereo_);
  }
  void TearDown() override {
    AudioAcceptSilentDevices(false);
    MediaInit(MEDIA_HEADLESS);
    std::filesystem::remove_all(dir_);
  }

  std::filesystem::path dir_;
  int short_ = 0, loop_ = 0, stereo_ = 0;
};

TEST_P(AudioSilentDevice, PlaysPausesLoopsAndStops) {
  EXPECT_EQ(AudioDriverInUse(), GetParam());
  int ch = PlaySound(short_);
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_TRUE(EndsWithin(ch, 5000));

  // cued and paused sounds hold, whatever time passes, until resumed
  int cued = CueSound(short_);
  int paused = PlaySound(stereo_);
  PauseChannel(paused);
  int looping = PlaySound(loop_);
  SetChannelRate(looping, 4);
  SetChannelPan(looping, -1);
  SetChannelVolume(looping, 0.1f);
  Wait(200);
  EXPECT_TRUE(ChannelPlaying(cued));
  EXPECT_TRUE(ChannelPlaying(paused));
  EXPECT_TRUE(ChannelPlaying(looping));
  SetChannelRate(cued, 2);
  ResumeChannel(cued);
  ResumeChannel(paused);
  EXPECT_TRUE(EndsWithin(cued, 5000));
  EXPECT_TRUE(EndsWithin(paused, 5000));
  EXPECT_TRUE(ChannelPlaying(looping));
  StopChannel(looping);
  EXPECT_FALSE(ChannelPlaying(looping));
}

TEST_P(AudioSilentDevice, ManyVoicesFreedSoundsAndDriverSwitch) {
  int last = 0;
  for (int i = 0; i < 3 * MAX_VOICES / 2; ++i) last = PlaySound(i % 2 ? loop_ : stereo_);
  EXPECT_TRUE(ChannelPlaying(last)) << "the newest sound takes a voice from the oldest";
  int ch = PlaySound(loop_);
  FreeSound(loop_);  // the mixer must stop reading it at once
  EXPECT_FALSE(ChannelPlaying(ch));
  Wait(50);
  int other = PlaySound(stereo_);
  EXPECT_TRUE(ChannelPlaying(other));
  const char* next = std::string(GetParam()) == "OpenAL" ? "FreeAudio SDL" : "OpenAL";
  SelectAudioDriver(next);  // channels of the closed driver die while playing
  EXPECT_FALSE(ChannelPlaying(other));
  StopChannel(other);
  FreeSound(stereo_);
}

INSTANTIATE_TEST_SUITE_P(Drivers, AudioSilentDevice, testing::Values("OpenAL", "FreeAudio SDL"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param) == "OpenAL" ? "OpenAL" : "SdlMixer";
                         });

}  // namespace
