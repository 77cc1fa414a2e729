// Both real audio drivers, writing what they play to a file (OpenAL Soft's "wave" back end, SDL's
// "disk" driver): a note cut off while it sounds fades out instead of dropping to zero, so the
// captured wave never jumps (a jump is a click); a pause and a resume fade too; voices piled far
// above full scale are limited, not clipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "media/headless.h"
#include "media/internal.h"
#include "media/media.h"
#include "media/wav_fixture.h"

namespace {

namespace fs = std::filesystem;

fs::path CaptureDir() {
  static const fs::path dir = TestFolder("audio_capture");
  return dir;
}

// The drivers read these once, when they first start: set for the whole program.
class FileDevices : public testing::Environment {
 public:
  void SetUp() override {
    const fs::path conf = CaptureDir() / "alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\nsample-type = int16\n"
                        << "dither = false\n[wave]\nfile = " << (CaptureDir() / "openal.wav").string() << "\n";
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (CaptureDir() / "sdl.raw").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(CaptureDir()); }
};
testing::Environment* const FILE_DEVICES = testing::AddGlobalTestEnvironment(new FileDevices);

// Left-channel samples of a capture (a WAV from its "data" chunk on, or raw).
std::vector<int16_t> Left(const fs::path& path, bool wav) {
  std::ifstream f(path, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  size_t at = 0;
  if (wav) {
    const size_t d = bytes.find("data", 12);
    if (d == std::string::npos) return {};
    at = d + 8;
  }
  std::vector<int16_t> out;
  for (size_t i = at; i + 4 <= bytes.size(); i += 4) {
    int16_t v;
    std::memcpy(&v, bytes.data() + i, 2);
    out.push_back(v);
  }
  return out;
}

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Driver {
  const char* name;
  const char* file;
  bool wav;
};

class CutNote : public testing::TestWithParam<Driver> {};

// A steady tone with a gentle attack, cut after 150 ms by a stop: the largest step between two
// captured samples stays that of the tone itself, far below the cut-off level.
TEST_P(CutNote, StoppedNoteFadesInsteadOfClicking) {
  const Driver& d = GetParam();
  MediaInit(MEDIA_HEADLESS);
  AudioInit(MEDIA_REAL);
  if (!SelectAudioDriver(d.name)) GTEST_SKIP() << d.name << " has no file device here";
  // A 1 s note at a steady 12000, rising from zero over its first 2000 frames.
  std::vector<int16_t> note(44100, 12000);
  for (int i = 0; i < 2000; ++i) note[static_cast<size_t>(i)] = static_cast<int16_t>(6 * i);
  const std::string path = WriteFile(CaptureDir() / "note.wav", Riff(Cat({Chunk("fmt ", Fmt(1, 44100, 16)), Chunk("data", Pcm16(note))})));
  const int sound = LoadSound(path, 0);
  ASSERT_NE(sound, 0);
  const int ch = CueSound(sound);
  SetChannelVolume(ch, 1);
  ResumeChannel(ch);
  Wait(150);
  StopChannel(ch);
  EXPECT_FALSE(ChannelPlaying(ch));
  Wait(300);
  MediaInit(MEDIA_HEADLESS);  // closes the device: the capture is complete

  const std::vector<int16_t> left = Left(CaptureDir() / d.file, d.wav);
  int peak = 0, jump = 0;
  for (size_t i = 1; i < left.size(); ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(left[i])));
    jump = std::max(jump, std::abs(left[i] - left[i - 1]));
  }
  EXPECT_GT(peak, 5000) << "the note was heard";
  EXPECT_LT(jump, 200) << "a click: the wave jumped by " << jump;
  EXPECT_EQ(left.back(), 0) << "and it ended";
}

// Pausing a note in the middle and resuming it later fades it out and in again: no click either
// way, and the note is heard again after the resume.
TEST_P(CutNote, PausedAndResumedNoteFadesInsteadOfClicking) {
  const Driver& d = GetParam();
  MediaInit(MEDIA_HEADLESS);
  AudioInit(MEDIA_REAL);
  if (!SelectAudioDriver(d.name)) GTEST_SKIP() << d.name << " has no file device here";
  std::vector<int16_t> note(44100 * 2, 12000);
  for (int i = 0; i < 2000; ++i) note[static_cast<size_t>(i)] = static_cast<int16_t>(6 * i);
  const std::string path = WriteFile(CaptureDir() / "long.wav", Riff(Cat({Chunk("fmt ", Fmt(1, 44100, 16)), Chunk("data", Pcm16(note))})));
  const int ch = CueSound(LoadSound(path, 0));
  SetChannelVolume(ch, 1);
  ResumeChannel(ch);
  Wait(150);
  PauseChannel(ch);
  Wait(200);
  EXPECT_TRUE(ChannelPlaying(ch)) << "a paused note still counts as playing";
  ResumeChannel(ch);
  Wait(150);
  MediaInit(MEDIA_HEADLESS);

  const std::vector<int16_t> left = Left(CaptureDir() / d.file, d.wav);
  int jump = 0, sounding = 0;
  size_t quiet = 0, longestQuiet = 0;
  for (size_t i = 1; i < left.size(); ++i) {
    jump = std::max(jump, std::abs(left[i] - left[i - 1]));
    if (std::abs(static_cast<int>(left[i])) > 5000) {
      ++sounding;
      quiet = 0;
    } else if (sounding > 0) {
      longestQuiet = std::max(longestQuiet, ++quiet);
    }
  }
  EXPECT_LT(jump, 200) << "a click: the wave jumped by " << jump;
  EXPECT_GT(longestQuiet, 44100u / 10) << "the pause was heard as a silence";
  EXPECT_GT(sounding, 44100 / 5) << "the note was heard before and after the pause";
}

// Sixteen loud effects at full volume at once would sum to far above full scale: the output is
// limited, not clipped (no flat tops at full scale; a sine's own top spans 3 samples within
// 0.2 % of its peak at this pitch), while one voice below -3 dBFS comes out
// as it went in (a clean sine: its peak to RMS ratio stays that of a sine).
TEST_P(CutNote, PiledUpVoicesAreLimitedAndQuietOnesUntouched) {
  const Driver& d = GetParam();
  struct Case {
    int voices;
    int16_t amplitude;
    bool loud;
  } cases[] = {{16, 30000, true}, {1, 12000, false}};
  for (const Case& c : cases) {
    MediaInit(MEDIA_HEADLESS);
    AudioInit(MEDIA_REAL);
    if (!SelectAudioDriver(d.name)) GTEST_SKIP() << d.name << " has no file device here";
    std::vector<int16_t> tone(44100);
    for (size_t i = 0; i < tone.size(); ++i) {
      const double ramp = std::min({1.0, static_cast<double>(i) / 441, static_cast<double>(tone.size() - i) / 441});
      tone[i] = static_cast<int16_t>(std::lround(c.amplitude * ramp * std::sin(2 * 3.14159265358979 * 441 * static_cast<double>(i) / 44100)));
    }
    const std::string path = WriteFile(CaptureDir() / "loud.wav", Riff(Cat({Chunk("fmt ", Fmt(1, 44100, 16)), Chunk("data", Pcm16(tone))})));
    const int sound = LoadSound(path, 0);
    std::vector<int> channels;
    for (int v = 0; v < c.voices; ++v) channels.push_back(CueSound(sound));
    for (int ch : channels) SetChannelVolume(ch, 1);
    for (int ch : channels) ResumeChannel(ch);  // one after the other, within a millisecond or so
    Wait(700);
    MediaInit(MEDIA_HEADLESS);
    const std::vector<int16_t> left = Left(CaptureDir() / d.file, d.wav);
    // The steady middle of the note: the middle quarter second of what was heard (a tenth of the
    // note's level or more), away from its ramps and from the limiter's first catch.
    size_t first = left.size(), last = 0;
    for (size_t i = 0; i < left.size(); ++i)
      if (std::abs(static_cast<int>(left[i])) > c.amplitude / 10) first = std::min(first, i), last = i;
    ASSERT_GT(last, first + 22050) << "the note was heard";
    const size_t from = (first + last) / 2 - 5512, to = from + 11025;
    int run = 0, longest = 0, peak = 0;
    double sum = 0;
    for (size_t i = from; i < to; ++i) {
      const int a = std::abs(static_cast<int>(left[i]));
      peak = std::max(peak, a);
      sum += static_cast<double>(a) * a;
      run = a >= 32700 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    const double rms = std::sqrt(sum / static_cast<double>(std::max<size_t>(1, to - from)));
    if (c.loud) {
      EXPECT_GT(peak, 20000) << c.voices << " voices";
      EXPECT_LE(longest, 4) << "clipped: " << longest << " samples in a row at full scale";
    } else {
      EXPECT_GT(peak, 3000);
      EXPECT_NEAR(peak / rms, std::sqrt(2.0), 0.03) << "the quiet sine was bent";
    }
  }
}

// The game's own sounds at the loudest settings (master and sound 100, music 100): five music
// notes at full volume, as the player plays them, and sixteen effects on top at once. The sum is
// held at full scale by the limiter, not clipped.
TEST_P(CutNote, SixteenGameEffectsOverFullMusicAreLimited) {
  const Driver& d = GetParam();
  MediaInit(MEDIA_HEADLESS);
  AudioInit(MEDIA_REAL);
  if (!SelectAudioDriver(d.name)) GTEST_SKIP() << d.name << " has no file device here";
  const std::string game = std::string(TEST_SOURCE_DIR) + "/assets/Files/247/";
  struct Note {
    const char* file;
    float volume, pan;
  } const music[] = {{"music/d1-1.wav", 1, 0.3f}, {"music/d2-2.wav", 1, -0.3f}, {"music/bass1.wav", 1, -0.3f},
                     {"music/lead1.wav", 1, 0}, {"music/accompany2.wav", 0.5f, 0.3f}};
  std::vector<int> channels;
  for (const Note& n : music) {
    const int ch = CueSound(LoadSound(game + n.file, 0));
    SetChannelPan(ch, n.pan);
    SetChannelVolume(ch, n.volume);
    channels.push_back(ch);
  }
  for (int k = 0; k < 16; ++k) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.wav", k % 11 + 1);
    const int ch = CueSound(LoadSound(game + name, 0));
    ASSERT_NE(ch, 0) << name;
    SetChannelVolume(ch, 1);
    channels.push_back(ch);
  }
  for (int ch : channels) ResumeChannel(ch);
  Wait(1200);
  MediaInit(MEDIA_HEADLESS);
  const std::vector<int16_t> left = Left(CaptureDir() / d.file, d.wav);
  int peak = 0, run = 0, longest = 0;
  for (int16_t v : left) {
    const int a = std::abs(static_cast<int>(v));
    peak = std::max(peak, a);
    run = a >= 32700 ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_GT(peak, 16000) << "the pile was heard";
  // As for the sines above: no flat top longer than a sine's own. OpenAL Soft's limiter holds
  // its ceiling at full scale and lets a transient's top touch it for a few samples; our mixer
  // keeps the sum under -1 dBFS.
  EXPECT_LE(longest, 4) << "clipped: " << longest << " samples in a row at full scale";
  if (!d.wav) {
    EXPECT_LT(peak, 29300) << "over -1 dBFS";
  }
}

// Notes pitched up must not fold their high partials back down (aliasing): a tone at 8 kHz played
// at rate 4 would sound at 32 kHz, above what the output can carry; it must vanish, not come
// back at 44.1 - 32 = 12.1 kHz. A tone at 1 kHz at rate 4 is heard, at 4 kHz.
TEST_P(CutNote, FastNotesDoNotAlias) {
  const Driver& d = GetParam();
  struct Case {
    double hz;
    bool heard;
  } cases[] = {{8000, false}, {1000, true}};
  for (const Case& c : cases) {
    MediaInit(MEDIA_HEADLESS);
    AudioInit(MEDIA_REAL);
    if (!SelectAudioDriver(d.name)) GTEST_SKIP() << d.name << " has no file device here";
    std::vector<int16_t> tone(44100 * 2);
    for (size_t i = 0; i < tone.size(); ++i) {
      const double fade = std::min({1.0, static_cast<double>(i) / 2000, static_cast<double>(tone.size() - i) / 2000});
      tone[i] = static_cast<int16_t>(std::lround(12000 * fade * std::sin(2 * 3.14159265358979 * c.hz * static_cast<double>(i) / 44100)));
    }
    const std::string path = WriteFile(CaptureDir() / "tone.wav", Riff(Cat({Chunk("fmt ", Fmt(1, 44100, 16)), Chunk("data", Pcm16(tone))})));
    const int ch = CueSound(LoadSound(path, 0));
    SetChannelRate(ch, 4);
    SetChannelVolume(ch, 1);
    ResumeChannel(ch);
    Wait(600);  // the note lasts 500 ms at rate 4
    MediaInit(MEDIA_HEADLESS);
    const std::vector<int16_t> left = Left(CaptureDir() / d.file, d.wav);
    double sum = 0;
    for (int16_t v : left) sum += static_cast<double>(v) * v;
    const double rms = std::sqrt(sum / static_cast<double>(std::max<size_t>(1, left.size())));
    if (c.heard) {
      EXPECT_GT(rms, 1000) << c.hz << " Hz";
    } else {
      EXPECT_LT(rms, 60) << c.hz << " Hz x 4 came back as an alias";
    }
  }
}

// Plays a 2 kHz click on every step of a 62 ms step clock for `steps` steps, the steps noticed on
// 60 fps frames (up to 17 ms after they fall due) as the music player notices them, each note
// cutting the one before as a music track does; gives the first sample of each click heard.
// The game's clock is driven from real time here, as it runs in the game.
std::vector<size_t> CapturedSteps(const Driver& d, int steps) {
  std::vector<int16_t> click(441);
  for (size_t i = 0; i < click.size(); ++i) {
    const double ramp = std::min({1.0, static_cast<double>(i) / 20, static_cast<double>(click.size() - i) / 20});
    click[i] = static_cast<int16_t>(std::lround(20000 * ramp * std::sin(2 * 3.14159265358979 * 2000 * static_cast<double>(i) / 44100)));
  }
  const std::string path = WriteFile(CaptureDir() / "click.wav", Riff(Cat({Chunk("fmt ", Fmt(1, 44100, 16)), Chunk("data", Pcm16(click))})));
  const int sound = LoadSound(path, 0);
  EXPECT_NE(sound, 0);
  constexpr int STEP_MS = 62;
  const auto t0 = std::chrono::steady_clock::now();
  auto clock = [&] {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    HeadlessSetClock(static_cast<int>(ms) + 1000);
    return Millis();
  };
  int channel = 0, nextTick = clock() + 100, played = 0;
  for (int frame = 0; played < steps; ++frame) {
    Wait(frame % 3 == 0 ? 16 : 17);  // 60 frames a second
    if (clock() <= nextTick) continue;
    const int due = nextTick;
    nextTick += STEP_MS;  // one step a frame, as the music player does
    if (channel != 0 && ChannelPlaying(channel)) StopChannelAt(channel, due);
    channel = ReuseChannel(channel);
    CueSound(sound, channel);
    SetChannelVolume(channel, 1);
    ResumeChannelAt(channel, due);
    ++played;
  }
  Wait(200);
  MediaInit(MEDIA_HEADLESS);

  const std::vector<int16_t> left = Left(CaptureDir() / d.file, d.wav);
  std::vector<size_t> onsets;
  size_t lastLoud = 0;  // a click is 441 samples long, the steps 2734 apart
  for (size_t i = 0; i < left.size(); ++i) {
    if (std::abs(static_cast<int>(left[i])) <= 3000) continue;
    if (onsets.empty() || i - lastLoud > 1000) onsets.push_back(i);
    lastLoud = i;
  }
  return onsets;
}

constexpr double STEP_FRAMES = 62 * 44.1;

// Music steps are placed by our mixer at their own moment: the clicks come out 62 ms apart to
// within 1 ms, not 50 or 67.
TEST(PlacedNotes, StepsSoundOnTimeThroughTheSdlMixer) {
  // The file device sleeps a whole number of milliseconds per buffer: 11 for 11.6 ms of sound
  // would make it run 5 % faster than the clock. 12 lets it run a little slow, as a sound card
  // may, which the placement must carry.
  setenv("SDL_DISKAUDIODELAY", "12", 1);
  MediaInit(MEDIA_HEADLESS);
  AudioInit(MEDIA_REAL);
  unsetenv("SDL_DISKAUDIODELAY");
  if (!SelectAudioDriver("FreeAudio SDL")) GTEST_SKIP() << "no SDL file device here";
  constexpr int STEPS = 24;
  const std::vector<size_t> onsets = CapturedSteps(Driver{"FreeAudio SDL", "sdl.raw", false}, STEPS);
  ASSERT_EQ(onsets.size(), static_cast<size_t>(STEPS));
  int off = 0;
  for (size_t k = 1; k < onsets.size(); ++k) {
    const double gap = static_cast<double>(onsets[k] - onsets[k - 1]);
    if (std::fabs(gap - STEP_FRAMES) > 44.1) ++off;
  }
  // One step may be moved if the test itself stalls past the mixer's latency (its clock map is
  // then set again); more means the notes follow the frames.
  EXPECT_LE(off, 1) << off << " of " << onsets.size() - 1 << " steps more than 1 ms off 62 ms";
}

// Through OpenAL Soft the steps are placed on the device's clock of mixed output: each note
// starts behind silence that ends at its moment, so the steps come out 62 ms apart to within
// 1 ms, not on the device's next mixing update (46, 70 or 93 ms apart on its 23-ms updates).
TEST(PlacedNotes, StepsSoundOnTimeThroughOpenAl) {
  MediaInit(MEDIA_HEADLESS);
  AudioInit(MEDIA_REAL);
  if (!SelectAudioDriver("OpenAL")) GTEST_SKIP() << "no OpenAL file device here";
  constexpr int STEPS = 24;
  const std::vector<size_t> onsets = CapturedSteps(Driver{"OpenAL", "openal.wav", true}, STEPS);
  ASSERT_EQ(onsets.size(), static_cast<size_t>(STEPS));
  int off = 0;
  std::string gaps;
  for (size_t k = 1; k < onsets.size(); ++k) {
    const double gap = static_cast<double>(onsets[k] - onsets[k - 1]);
    gaps += std::to_string(gap / 44.1).substr(0, 5) + " ";
    if (std::fabs(gap - STEP_FRAMES) > 44.1) ++off;
  }
  EXPECT_LE(off, 1) << off << " steps more than 1 ms off 62 ms; gaps (ms): " << gaps;
}

INSTANTIATE_TEST_SUITE_P(Drivers, CutNote,
                         testing::Values(Driver{"OpenAL", "openal.wav", true}, Driver{"FreeAudio SDL", "sdl.raw", false}),
                         [](const testing::TestParamInfo<Driver>& p) { return p.param.wav ? std::string("OpenAL") : std::string("SdlDisk"); });

}  // namespace
