// The octave copies of a sound (see audio_octaves.h).
#include "media/audio_octaves.h"

#include <cmath>

namespace {

constexpr int HALF_TAPS = 24;  // filter reaches 24 frames either side
constexpr double PI = 3.14159265358979323846;
constexpr double CUTOFF = 0.23;  // of the source rate: below the copy's Nyquist (0.25) with room

// Blackman-windowed sinc, normalised to unit gain at 0 Hz.
struct Kernel {
  double k[2 * HALF_TAPS + 1];
  Kernel() {
    double sum = 0;
    for (int i = -HALF_TAPS; i <= HALF_TAPS; ++i) {
      double x = 2 * CUTOFF * i;
      double sinc = i == 0 ? 1 : std::sin(PI * x) / (PI * x);
      double n = static_cast<double>(i + HALF_TAPS) / (2 * HALF_TAPS);
      double window = 0.42 - 0.5 * std::cos(2 * PI * n) + 0.08 * std::cos(4 * PI * n);
      k[i + HALF_TAPS] = sinc * window;
      sum += k[i + HALF_TAPS];
    }
    for (double& v : k) v /= sum;
  }
};

}  // namespace

int OctaveFor(float rate) {
  if (!(rate > 1.0001f)) return 0;
  if (rate <= 2.0001f) return 1;
  if (rate <= 4.0001f) return 2;
  return SOUND_OCTAVES - 1;
}

WavData HalfRate(const WavData& w) {
  static const Kernel kernel;
  WavData out;
  out.channels = w.channels;
  out.rate = w.rate / 2 > 0 ? w.rate / 2 : 1;
  const int64_t frames = w.Frames();
  const int64_t half = (frames + 1) / 2;
  out.samples.resize(static_cast<size_t>(half * w.channels));
  for (int64_t f = 0; f < half; ++f)
    for (int c = 0; c < w.channels; ++c) {
      double acc = 0;
      for (int i = -HALF_TAPS; i <= HALF_TAPS; ++i) {
        int64_t src = 2 * f + i;
        if (src < 0 || src >= frames) continue;  // silence beyond the ends
        acc += kernel.k[i + HALF_TAPS] * w.samples[static_cast<size_t>(src * w.channels + c)];
      }
      double v = std::lround(acc);
      out.samples[static_cast<size_t>(f * w.channels + c)] = static_cast<int16_t>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
    }
  return out;
}
