// The software mixer's arithmetic, without a device: pan law and volume, resampling speed and
// interpolation, looping, pause, summing and limiting to 16 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "media/audio_mix.h"

namespace {

MixVoice Voice(const std::vector<int16_t>& samples, int channels = 1, double step = 1, float gain = 1) {
  MixVoice v;
  v.samples = samples.data();
  v.channels = channels;
  v.frames = static_cast<int64_t>(samples.size()) / channels;
  v.step = step;
  v.left = v.right = gain;
  v.active = true;
  return v;
}

std::vector<int16_t> Mix(std::vector<MixVoice>& voices, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(2 * frames), 1234);  // garbage: must be overwritten
  MixLimiter limiter;
  MixVoices(voices.data(), static_cast<int>(voices.size()), out.data(), frames, limiter);
  return out;
}

// Frames from the start of `out` in which either side is non-zero.
int SoundingFrames(const std::vector<int16_t>& out) {
  int n = 0;
  while (static_cast<size_t>(2 * n) < out.size() && (out[2 * n] != 0 || out[2 * n + 1] != 0)) ++n;
  return n;
}

TEST(Mixer, GainsFollowVolumeAndPanLaw) {
  const float H = std::sqrt(0.5f);
  struct Case {
    int channels;
    float volume, pan;
    float left, right;
  } cases[] = {
      // ch vol   pan    left    right      mono: equal power; stereo: linear balance
      {1, 1.0f, 0.0f, H, H},
      {1, 1.0f, -1.0f, 1, 0},
      {1, 1.0f, 1.0f, 0, 1},
      {1, 0.5f, -1.0f, 0.5f, 0},
      {1, 1.0f, 0.5f, 0.38268343f, 0.92387953f},
      {1, 0.0f, 0.0f, 0, 0},
      {1, 3.0f, -7.0f, 1, 0},  // out of range: clamped
      {1, NAN, 0.0f, 0, 0},
      {2, 1.0f, 0.0f, 1, 1},
      {2, 1.0f, 0.5f, 0.5f, 1},
      {2, 1.0f, -1.0f, 1, 0},
      {2, 0.5f, 1.0f, 0, 0.5f},
  };
  for (const Case& c : cases) {
    float l = -1, r = -1;
    MixGains(c.channels, c.volume, c.pan, l, r);
    EXPECT_NEAR(l, c.left, 1e-5) << c.channels << " ch, volume " << c.volume << ", pan " << c.pan;
    EXPECT_NEAR(r, c.right, 1e-5) << c.channels << " ch, volume " << c.volume << ", pan " << c.pan;
    // equal power: a mono sound is as loud anywhere in the field
    if (c.channels == 1 && !std::isnan(c.volume) && c.volume <= 1) {
      EXPECT_NEAR(l * l + r * r, c.volume * c.volume, 1e-5);
    }
  }
}

TEST(Mixer, AppliesGainsPerSide) {
  struct Case {
    int channels;
    std::vector<int16_t> frame;  // one source frame, repeated
    float volume, pan;
    int16_t left, right;
  } cases[] = {
      {1, {10000}, 1.0f, 0.0f, 7071, 7071},
      {1, {10000}, 0.5f, -1.0f, 5000, 0},
      {1, {-10000}, 1.0f, 1.0f, 0, -10000},
      {2, {1000, -2000}, 1.0f, 0.0f, 1000, -2000},
      {2, {1000, -2000}, 0.5f, 0.5f, 250, -1000},
  };
  for (const Case& c : cases) {
    std::vector<int16_t> samples;
    for (int i = 0; i < 8; ++i) samples.insert(samples.end(), c.frame.begin(), c.frame.end());
    std::vector<MixVoice> voices{Voice(samples, c.channels)};
    MixGains(c.channels, c.volume, c.pan, voices[0].left, voices[0].right);
    std::vector<int16_t> out = Mix(voices, 8);
    for (int f = 0; f < 8; ++f) {
      EXPECT_EQ(out[2 * f], c.left) << "frame " << f;
      EXPECT_EQ(out[2 * f + 1], c.right) << "frame " << f;
    }
  }
}

// How many output frames a sound lasts: its frames * device rate / (source rate * speed).
TEST(Mixer, SpeedAndRatesSetTheDuration) {
  struct Case {
    int frames, sourceRate;
    float speed;
    int deviceRate, outFrames;
  } cases[] = {
      // frames  src    speed  device  heard
      {100, 1000, 1.0f, 1000, 100},
      {100, 1000, 2.0f, 1000, 50},  // rate 2 halves the duration
      {100, 1000, 0.5f, 1000, 200},
      {100, 500, 1.0f, 1000, 200},
      {100, 2000, 1.0f, 1000, 50},
      {2000, 22050, 1.0f, 44100, 4000},  // spans many mixing blocks
      {2000, 22050, 2.0f, 44100, 2000},
      {3000, 48000, 1.0f, 44100, 2757},  // ceil(3000 * 44100 / 48000)
  };
  for (const Case& c : cases) {
    std::vector<int16_t> samples(static_cast<size_t>(c.frames), 1000);
    std::vector<MixVoice> voices{Voice(samples, 1, MixStep(c.sourceRate, c.speed, c.deviceRate))};
    std::vector<int16_t> out = Mix(voices, 3 * c.outFrames);
    EXPECT_EQ(SoundingFrames(out), c.outFrames) << c.frames << " frames at " << c.sourceRate << " x" << c.speed;
    EXPECT_FALSE(voices[0].active);
    // nothing after the end
    for (size_t i = 2 * static_cast<size_t>(c.outFrames); i < out.size(); ++i) ASSERT_EQ(out[i], 0);
  }
}

TEST(Mixer, InterpolatesBetweenSamples) {
  struct Case {
    std::vector<int16_t> samples;
    double step;
    bool loop;
    std::vector<int16_t> heard;  // left side
  } cases[] = {
      // half speed: midpoints; the last frame holds rather than clicking to zero
      {{0, 1000, 2000, 3000}, 0.5, false, {0, 500, 1000, 1500, 2000, 2500, 3000, 3000, 0, 0}},
      // looping at 1.5: the frame after the last is the first again
      {{100, 200, 300, 400}, 1.5, true, {100, 250, 400, 150, 300, 250, 200, 350, 100, 250}},
      {{100, 200, 300, 400}, 1.0, true, {100, 200, 300, 400, 100, 200, 300, 400, 100, 200}},
      // faster than the source: samples are skipped
      {{0, 10, 20, 30, 40, 50}, 2.0, false, {0, 20, 40, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<MixVoice> voices{Voice(c.samples, 1, c.step)};
    voices[0].loop = c.loop;
    std::vector<int16_t> out = Mix(voices, static_cast<int>(c.heard.size()));
    for (size_t f = 0; f < c.heard.size(); ++f) EXPECT_EQ(out[2 * f], c.heard[f]) << "frame " << f;
    EXPECT_EQ(voices[0].active, c.loop);
  }
}

TEST(Mixer, LoopingVoicePlaysOnAcrossBuffers) {
  std::vector<int16_t> samples{1, 2, 3};
  std::vector<MixVoice> voices{Voice(samples)};
  voices[0].loop = true;
  for (int call = 0; call < 50; ++call) {
    std::vector<int16_t> out = Mix(voices, 1000);
    EXPECT_EQ(out[0], static_cast<int16_t>(1 + (call * 1000) % 3)) << "buffer " << call;
  }
  EXPECT_TRUE(voices[0].active);
}

// Voices add up exactly below the limiter's ceiling (-1 dBFS); a sum above it is brought down
// to the ceiling and never clips, keeping its sign.
TEST(Mixer, SumsVoicesAndLimitsAboveTheCeiling) {
  struct Case {
    int16_t a, b;
    int lo, hi;  // every output sample lies in [lo, hi]
  } cases[] = {
      {1000, 2000, 3000, 3000},
      {20000, 9000, 29000, 29000},  // just below the ceiling: untouched
      {-20000, -9000, -29000, -29000},
      {30000, 30000, 29100, 29200},  // far above: held at the ceiling
      {-30000, -30000, -29200, -29100},
      {32767, -32768, -1, -1},
  };
  for (const Case& c : cases) {
    std::vector<int16_t> a(16, c.a), b(16, c.b);
    std::vector<MixVoice> voices{Voice(a), Voice(b)};
    std::vector<int16_t> out = Mix(voices, 16);
    for (int16_t s : out) {
      EXPECT_GE(s, c.lo) << c.a << " + " << c.b;
      EXPECT_LE(s, c.hi) << c.a << " + " << c.b;
    }
  }
}

// Sixteen loud sines at once: the limited output is the same sine, smaller (no flat tops), and
// once the pile-up ends the gain comes back over the release time.
TEST(Mixer, LimiterKeepsTheWaveShapeAndRecovers) {
  MixLimiter lim;
  float peak = 0, firstGain = 0;
  for (int i = 0; i < 4410; ++i) {
    const float x = 16 * 0.9f * std::sin(2 * 3.14159265f * 441 * static_cast<float>(i) / 44100);
    float l = x, r = x;
    MixLimit(lim, l, r);
    ASSERT_LE(std::fabs(l), LIMIT_CEILING + 1e-6f) << i;
    peak = std::max(peak, std::fabs(l));
    if (i == 100) firstGain = lim.gain;
  }
  EXPECT_NEAR(peak, LIMIT_CEILING, 0.01f);
  EXPECT_NEAR(lim.gain, firstGain, 1e-3f * firstGain) << "the gain holds while the pile-up lasts: no pumping within the wave";
  for (int i = 0; i < 44100; ++i) {
    float l = 0.1f, r = 0.1f;
    MixLimit(lim, l, r);
  }
  EXPECT_GT(lim.gain, 0.99f) << "back to unity after the release";
  float l = 0.5f, r = -0.5f;
  MixLimit(lim, l, r);
  EXPECT_EQ(l, 0.5f * lim.gain);
}

TEST(Mixer, PausedAndFinishedVoicesAreSilentAndKeepTheirPlace) {
  std::vector<int16_t> ramp{10, 20, 30, 40, 50, 60};
  std::vector<int16_t> empty;
  std::vector<MixVoice> voices{Voice(ramp), Voice(empty), Voice(ramp)};
  voices[1].loop = true;     // an empty loop must end, not spin
  voices[2].active = false;  // finished earlier
  voices[0].paused = true;
  std::vector<int16_t> out = Mix(voices, 4);
  EXPECT_EQ(SoundingFrames(out), 0);
  EXPECT_EQ(voices[0].pos, 0);
  EXPECT_TRUE(voices[0].active);
  EXPECT_FALSE(voices[1].active);
  voices[0].paused = false;
  out = Mix(voices, 2);
  EXPECT_EQ(out[0], 10);
  EXPECT_EQ(out[2], 20);
  voices[0].paused = true;
  Mix(voices, 3);
  voices[0].paused = false;
  out = Mix(voices, 1);
  EXPECT_EQ(out[0], 30);  // resumes where it paused
}

}  // namespace

namespace {

// A stopped voice fades out over 5 ms instead of jumping to zero (which clicks), then ends; a
// paused one has nothing to fade and ends at once.
TEST(Mixer, StoppedVoiceFadesOutThenEnds) {
  std::vector<int16_t> level(44100, 10000);
  std::vector<MixVoice> voices{Voice(level)};
  Mix(voices, 100);
  MixStop(voices[0], 44100);
  EXPECT_TRUE(voices[0].active);
  std::vector<int16_t> out = Mix(voices, 400);
  const int fade = MixFadeFrames(44100);
  EXPECT_EQ(fade, 220);
  for (int f = 1; f < fade; ++f) {
    ASSERT_LE(out[2 * f], out[2 * (f - 1)]) << f;
    ASSERT_LE(out[2 * (f - 1)] - out[2 * f], 10000 / fade + 2) << "no step larger than the ramp's at " << f;
  }
  EXPECT_GT(out[0], 9900);
  EXPECT_EQ(SoundingFrames(out), fade - 1);
  EXPECT_FALSE(voices[0].active);

  std::vector<MixVoice> paused{Voice(level)};
  paused[0].paused = true;
  MixStop(paused[0], 44100);
  EXPECT_FALSE(paused[0].active);
}

// Pausing a voice that is heard fades it out over 5 ms before it holds, and resuming fades it in
// again from where it stood; a cued voice (paused before it was heard) starts at full level.
TEST(Mixer, PauseAndResumeFadeInsteadOfCutting) {
  std::vector<int16_t> level(44100, 10000);
  const int fade = MixFadeFrames(44100);
  std::vector<MixVoice> voices{Voice(level)};
  Mix(voices, 100);
  MixPause(voices[0], true, 44100);
  EXPECT_FALSE(voices[0].paused) << "heard until its fade is done";
  std::vector<int16_t> out = Mix(voices, 400);
  for (int f = 1; f < 400; ++f) ASSERT_LE(std::abs(out[2 * f] - out[2 * (f - 1)]), 10000 / fade + 2) << "pause step at " << f;
  EXPECT_EQ(SoundingFrames(out), fade - 1);
  EXPECT_TRUE(voices[0].paused);
  EXPECT_TRUE(voices[0].active);
  const double heldAt = voices[0].pos;
  Mix(voices, 100);
  EXPECT_EQ(voices[0].pos, heldAt) << "a paused voice keeps its place";

  MixPause(voices[0], false, 44100);
  out = Mix(voices, 400);
  EXPECT_LT(out[0], 200);
  for (int f = 1; f < 400; ++f) ASSERT_LE(std::abs(out[2 * f] - out[2 * (f - 1)]), 10000 / fade + 2) << "resume step at " << f;
  EXPECT_EQ(out[2 * 399], 10000);

  // Paused again half-way through its fade-out: resumed from the level it had reached.
  MixPause(voices[0], true, 44100);
  Mix(voices, fade / 2);
  MixPause(voices[0], false, 44100);
  out = Mix(voices, 2);
  EXPECT_NEAR(out[0], 5000, 200);
  EXPECT_GT(out[2], out[0]);

  std::vector<MixVoice> cued{Voice(level)};
  cued[0].paused = true;
  MixPause(cued[0], false, 44100);
  out = Mix(cued, 2);
  EXPECT_EQ(out[0], 10000) << "a cued voice keeps its own attack";
}

// A note placed in time waits its frames in silence and then starts exactly there, whatever the
// buffer boundaries; a stop placed at the same moment lets the old note sound until then.
TEST(Mixer, PlacedStartsAndStopsLandOnTheirFrame) {
  std::vector<int16_t> level(44100, 10000);
  struct Case {
    int64_t wait;
    int buffer;
  } cases[] = {{0, 64}, {1, 64}, {100, 64}, {1000, 256}, {2734, 512}};
  for (const Case& c : cases) {
    std::vector<MixVoice> voices{Voice(level), Voice(level)};
    voices[1].wait = c.wait;
    MixStop(voices[0], 44100, c.wait);
    std::vector<int16_t> out;
    for (int done = 0; done < 4000; done += c.buffer) {
      std::vector<int16_t> part = Mix(voices, c.buffer);
      out.insert(out.end(), part.begin(), part.end());
    }
    for (int64_t f = 0; f < c.wait; ++f) ASSERT_EQ(out[static_cast<size_t>(2 * f)], 10000) << "old note until the moment, wait " << c.wait;
    EXPECT_EQ(out[static_cast<size_t>(2 * (c.wait + MixFadeFrames(44100)))], 10000) << "new note from the moment, wait " << c.wait;
    if (c.wait > 0) {
      std::vector<MixVoice> alone{Voice(level)};
      alone[0].wait = c.wait;
      std::vector<int16_t> solo = Mix(alone, static_cast<int>(c.wait) + 1);
      EXPECT_EQ(solo[static_cast<size_t>(2 * (c.wait - 1))], 0);
      EXPECT_EQ(solo[static_cast<size_t>(2 * c.wait)], 10000);
    }
  }
}

}  // namespace
