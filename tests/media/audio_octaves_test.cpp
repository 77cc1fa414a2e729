// The octave copies that keep fast notes free of aliasing: which copy each speed reads, and what
// the half-rate filter keeps and removes.
#include <gtest/gtest.h>

#include <cmath>

#include "media/audio_octaves.h"

namespace {

constexpr double PI = 3.14159265358979323846;

WavData Sine(double cyclesPerFrame, int frames, int rate = 44100) {
  WavData w;
  w.rate = rate;
  w.channels = 1;
  for (int i = 0; i < frames; ++i) w.samples.push_back(static_cast<int16_t>(std::lround(16000 * std::sin(2 * PI * cyclesPerFrame * i))));
  return w;
}

// RMS of the middle half (away from the filter's edges).
double MiddleRms(const WavData& w) {
  const size_t n = w.samples.size();
  double sum = 0;
  for (size_t i = n / 4; i < 3 * n / 4; ++i) sum += double(w.samples[i]) * w.samples[i];
  return std::sqrt(sum / double(n / 2));
}

TEST(Octaves, SpeedChoosesTheCopy) {
  struct Case {
    float rate;
    int octave;
  } cases[] = {{0.25f, 0}, {1.0f, 0}, {1.059f, 1}, {2.0f, 1}, {2.118f, 2}, {4.0f, 2}, {5.99f, 3}, {64.0f, 3}, {NAN, 0}};
  for (const Case& c : cases) EXPECT_EQ(OctaveFor(c.rate), c.octave) << c.rate;
}

// Below a quarter of the rate a tone passes (within 1 dB); above it, where the copy's Nyquist
// would fold it back, it is removed (below -40 dB). The copy has half the frames and the rate.
TEST(Octaves, HalfRateKeepsLowTonesAndRemovesHighOnes) {
  struct Case {
    double cycles;  // per source frame
    double minGain, maxGain;
  } cases[] = {{0.02, 0.89, 1.12}, {0.1, 0.89, 1.12}, {0.2, 0.89, 1.12}, {0.3, 0, 0.01}, {0.45, 0, 0.01}};
  for (const Case& c : cases) {
    const WavData in = Sine(c.cycles, 4000);
    const WavData out = HalfRate(in);
    EXPECT_EQ(out.rate, 22050);
    EXPECT_EQ(out.Frames(), 2000);
    const double gain = MiddleRms(out) / MiddleRms(in);
    EXPECT_GE(gain, c.minGain) << c.cycles;
    EXPECT_LE(gain, c.maxGain) << c.cycles;
  }
  WavData odd = Sine(0.01, 5);
  EXPECT_EQ(HalfRate(odd).Frames(), 3);
  EXPECT_EQ(HalfRate(WavData{}).Frames(), 0);
}

}  // namespace
