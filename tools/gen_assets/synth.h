// Sounds: 44.1 kHz mono, 16-bit. Each effect is built from sine partials, sweeps and filtered
// noise, given clean edges, then levelled so that every effect is as loud as every other over the
// part that sounds (K-weighted), with the peak kept at or below -1 dBFS.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gen_assets/raster.h"

namespace art {

constexpr int RATE = 44100;
struct Sound {
  std::vector<float> s;
  explicit Sound(float seconds) : s(size_t(seconds * RATE), 0.0f) {}
  size_t N() const { return s.size(); }
};
float Env(float t, float attack, float decay);
// A tone whose frequency follows f(t), with harmonics, added from t0 with envelope e(t).
void AddTone(Sound& snd, float t0, float len, const std::function<float(float)>& freq,
             const std::function<float(float)>& env, std::vector<float> harmonics = {1});
// Inharmonic partials (bells, metal): ratio, amplitude and decay per partial.
void AddPartials(Sound& snd, float t0, float base, std::vector<std::array<float, 3>> parts);
// Noise through a resonant low-pass whose cutoff follows cut(t).
void AddNoise(Sound& snd, float t0, float len, uint64_t seed, const std::function<float(float)>& cut,
              const std::function<float(float)>& env, float q = 0.7f);

struct Loudness {
  float peak, rms, windowRms;
};
Loudness Measure(const std::vector<float>& s);
// Edges: a raised-cosine ramp over the first 3 ms, so no sound starts with a step, and a
// squared-cosine fade over the last 40 ms, so every sound ends below -60 dB whatever its tail.
constexpr float EDGE_IN_S = 0.003f, EDGE_OUT_S = 0.04f;
void Edges(Sound& snd);
float SoundingLufs(const std::vector<float>& s);

// Brings a sound to `lufs` with its peak at most `ceiling`: a gain, and where the peaks would pass
// the ceiling a look-ahead limiter (gain falls over 2 ms before a peak, recovers over 40 ms), so
// loud short sounds keep their punch without clipping. A few rounds, since limiting takes away
// some of the loudness the gain gave.
constexpr float EFFECT_CEILING = 0.89f;  // -1 dBFS
constexpr float MUSIC_CEILING = 0.5f;    // -6 dBFS: the five tracks' sum keeps headroom
void Level(Sound& snd, float lufs, float ceiling);

bool WriteWav(const std::string& path, const Sound& snd);

float Note(float semitonesFromA4);

}  // namespace art
