// The software mixer's cost: ten voices of a 22050 Hz mono sound, each at its own rate, mixed
// into one second of 44100 Hz stereo in the device's 512-frame buffers.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "media/audio_mix.h"

namespace {

constexpr int DEVICE_RATE = 44100;
constexpr int BUFFER_FRAMES = 512;

void BM_MixOneSecondTenVoices(benchmark::State& state) {
  const int voiceCount = static_cast<int>(state.range(0));
  std::vector<int16_t> samples(22050);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(8000 * std::sin(static_cast<double>(i) * 0.05));
  std::vector<MixVoice> voices(static_cast<size_t>(voiceCount));
  for (int k = 0; k < voiceCount; ++k) {
    MixVoice& v = voices[static_cast<size_t>(k)];
    v.samples = samples.data();
    v.frames = static_cast<int64_t>(samples.size());
    v.step = MixStep(22050, 0.75f + 0.1f * static_cast<float>(k), DEVICE_RATE);
    MixGains(1, 0.5f, -1.0f + 0.2f * static_cast<float>(k), v.left, v.right);
    v.loop = true;
    v.active = true;
  }
  std::vector<int16_t> out(2 * BUFFER_FRAMES);
  MixLimiter limiter;
  for (auto _ : state) {
    for (int done = 0; done < DEVICE_RATE; done += BUFFER_FRAMES) {
      MixVoices(voices.data(), voiceCount, out.data(), BUFFER_FRAMES, limiter);
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(BM_MixOneSecondTenVoices)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
