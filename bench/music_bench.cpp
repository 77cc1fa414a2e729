// The music's cost: MusicTick per frame while a shipped song plays on the headless back end; the
// software mixer's CPU per second of 44.1 kHz stereo with the five music tracks (at note rates
// of the songs' range, through their octave copies) and 16 effects at once; the samples' memory;
// and an hour of music on the fake clock, after which the channel handles and the resident
// memory must be what they were after the first minute.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/sound_channels.h"
#include "media/audio_mix.h"
#include "media/audio_octaves.h"
#include "media/headless.h"
#include "media/internal.h"
#include "media/media.h"
#include "media/wav.h"
#include "music/playback.h"
#include "music/song_state.h"

namespace {

const std::string GAME = std::string(BENCH_SOURCE_DIR) + "/assets/Files/247";

void StartSong(const char* song, int seed) {
  MediaInit(MEDIA_HEADLESS);
  SetDefaultSettings();
  ResetSongState();
  for (int& c : SoundChannels) c = 0;
  ChangeDir(GAME);
  LoadMusicSamples();
  LoadSong(song, seed, 125);
}

// One frame of 60: the clock moves 16 or 17 ms and the tick plays the step that fell due.
void BM_MusicTickPerFrame(benchmark::State& state) {
  StartSong("Pipeline", 64);
  int frame = 0;
  for (auto _ : state) {
    HeadlessAdvanceClock(++frame % 3 == 0 ? 16 : 17);
    MusicTick();
    if (frame % 600 == 0) {
      state.PauseTiming();
      HeadlessClearSounds();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_MusicTickPerFrame);

WavData Load(const std::string& file) {
  WavData w;
  LoadWavFile(GAME + "/music/" + file, w);
  return w;
}

// Five music voices (drums A and B, bass, lead, accompaniment) and 16 effects, all sounding for
// the whole second, mixed in the device's 512-frame buffers.
void BM_MixOneSecondMusicAndEffects(benchmark::State& state) {
  struct Source {
    WavData w[SOUND_OCTAVES];
    float rate;
  };
  std::vector<Source> sources;
  auto add = [&](const std::string& file, float rate) {
    Source s;
    s.w[0] = Load(file);
    for (int k = 1; k < SOUND_OCTAVES; ++k) s.w[k] = HalfRate(s.w[k - 1]);
    s.rate = rate;
    sources.push_back(std::move(s));
  };
  add("d1-8.wav", 1), add("d2-4.wav", 1), add("bass2.wav", 0.5f), add("lead1.wav", 2.5f), add("accompany2.wav", 1.26f);
  for (int e = 1; e <= 16; ++e) {
    WavData w;
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.wav", (e - 1) % 11 + 1);
    LoadWavFile(GAME + name, w);
    Source s;
    s.w[0] = w;
    s.rate = 1;
    sources.push_back(std::move(s));
  }
  std::vector<MixVoice> voices(sources.size());
  std::vector<int16_t> out(2 * 512);
  for (auto _ : state) {
    for (size_t i = 0; i < sources.size(); ++i) {
      const WavData& w = sources[i].w[OctaveFor(sources[i].rate)];
      MixVoice& v = voices[i];
      v = MixVoice{};
      v.samples = w.samples.data();
      v.frames = w.Frames();
      v.step = MixStep(w.rate, sources[i].rate, 44100);
      MixGains(1, 0.25f, i % 2 ? 0.3f : -0.3f, v.left, v.right);
      v.loop = true;  // every voice sounds for the whole second
      v.active = true;
    }
    MixLimiter limiter;
    for (int done = 0; done < 44100; done += 512) {
      MixVoices(voices.data(), static_cast<int>(voices.size()), out.data(), 512, limiter);
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(BM_MixOneSecondMusicAndEffects)->Unit(benchmark::kMicrosecond);

long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * 4;
}

int Channels() {
  int n = 0;
  ForEachObject(ObjectKind::CHANNEL, [](int, MediaObject&, void* c) { ++*static_cast<int*>(c); }, &n);
  return n;
}

// The samples' memory (with their octave copies), and an hour of BrevoPlat at 60 frames a second:
// channels and resident memory after the first minute and after the hour.
void BM_AnHourOfMusic(benchmark::State& state) {
  for (auto _ : state) {
    StartSong("BrevoPlat", 17);
    state.counters["sample_kb"] = static_cast<double>(ObjectBytes()) / 1024.0;
    int frame = 0;
    auto run = [&](int minutes) {
      for (int f = 0; f < minutes * 3600; ++f) {
        HeadlessAdvanceClock(++frame % 3 == 0 ? 16 : 17);
        MusicTick();
        if (frame % 600 == 0) HeadlessClearSounds();
      }
    };
    run(1);
    state.counters["channels_1min"] = Channels();
    state.counters["rss_kb_1min"] = static_cast<double>(ResidentKb());
    run(59);
    state.counters["channels_1h"] = Channels();
    state.counters["rss_kb_1h"] = static_cast<double>(ResidentKb());
  }
}
BENCHMARK(BM_AnHourOfMusic)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
