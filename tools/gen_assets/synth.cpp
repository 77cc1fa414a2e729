// Sound building blocks, loudness measurement and levelling, and the WAV writer.
#include "gen_assets/synth.h"

#include <cstdio>
#include <filesystem>

namespace art {

namespace {

// Loudness as the game's meter reads it (K-weighted, LUFS), of a mono sound heard centred at
// full volume: gated over 50 ms blocks, those 10 LU below the blocks' mean left out, so that a
// short sound is measured over the part that sounds.
struct Biquad {
  double b0, b1, b2, a1, a2, z1 = 0, z2 = 0;
  double Run(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
};

}  // namespace

float Env(float t, float attack, float decay) {  // quick attack, exponential decay
  if (t < 0) return 0;
  return (t < attack ? t / attack : 1.0f) * std::exp(-(t - std::min(t, attack)) / decay);
}

void AddTone(Sound& snd, float t0, float len, const std::function<float(float)>& freq,
             const std::function<float(float)>& env, std::vector<float> harmonics) {
  double phase = 0;
  size_t i0 = size_t(t0 * RATE), n = size_t(len * RATE);
  for (size_t i = 0; i < n && i0 + i < snd.N(); i++) {
    float t = float(i) / RATE;
    phase += 2 * PI * freq(t) / RATE;
    float v = 0;
    for (size_t h = 0; h < harmonics.size(); h++) v += harmonics[h] * std::sin(float(phase * (h + 1)));
    snd.s[i0 + i] += v * env(t);
  }
}

void AddPartials(Sound& snd, float t0, float base, std::vector<std::array<float, 3>> parts) {
  for (auto& p : parts)
    AddTone(snd, t0, float(snd.N()) / RATE - t0, [=](float) { return base * p[0]; },
            [=](float t) { return p[1] * Env(t, 0.002f, p[2]); });
}

void AddNoise(Sound& snd, float t0, float len, uint64_t seed, const std::function<float(float)>& cut,
              const std::function<float(float)>& env, float q) {
  Rng r(seed);
  float lp = 0, bp = 0;
  size_t i0 = size_t(t0 * RATE), n = size_t(len * RATE);
  for (size_t i = 0; i < n && i0 + i < snd.N(); i++) {
    float t = float(i) / RATE;
    float f = 2 * std::sin(PI * std::min(cut(t), 8000.0f) / RATE);
    float x = r.Range(-1, 1);
    lp += f * bp;  // state-variable filter
    float hp = x - lp - q * bp;
    bp += f * hp;
    snd.s[i0 + i] += lp * env(t);
  }
}

Loudness Measure(const std::vector<float>& s) {
  Loudness l{0, 0, 0};
  double sum = 0;
  for (float v : s) l.peak = std::max(l.peak, std::fabs(v)), sum += double(v) * v;
  l.rms = float(std::sqrt(sum / std::max<size_t>(1, s.size())));
  size_t w = RATE / 20;
  double acc = 0;
  for (size_t i = 0; i < s.size(); i++) {
    acc += double(s[i]) * s[i];
    if (i >= w) acc -= double(s[i - w]) * s[i - w];
    l.windowRms = std::max(l.windowRms, float(std::sqrt(std::max(0.0, acc) / double(std::min(i + 1, w)))));
  }
  return l;
}

void Edges(Sound& snd) {
  const size_t in = std::min(snd.N(), size_t(EDGE_IN_S * RATE)), out = std::min(snd.N(), size_t(EDGE_OUT_S * RATE));
  for (size_t i = 0; i < in; i++) snd.s[i] *= 0.5f * (1 - std::cos(PI * float(i) / float(in)));
  for (size_t i = 0; i < out; i++) {
    const float g = 0.5f * (1 - std::cos(PI * float(i) / float(out)));
    snd.s[snd.N() - 1 - i] *= g * g;
  }
}

float SoundingLufs(const std::vector<float>& s) {
  const double pi = 3.14159265358979323846;
  const double k = std::tan(pi * 1681.974450955533 / RATE), vh = std::pow(10.0, 3.999843853973347 / 20), vb = std::pow(vh, 0.4996667741545416);
  const double q = 0.7071752369554196, a0 = 1 + k / q + k * k;
  Biquad shelf{(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
  const double k1 = std::tan(pi * 38.13547087602444 / RATE), q1 = 0.5003270373238773, c0 = 1 + k1 / q1 + k1 * k1;
  Biquad hp{1, -2, 1, 2 * (k1 * k1 - 1) / c0, (1 - k1 / q1 + k1 * k1) / c0};
  std::vector<double> p(s.size());
  for (size_t i = 0; i < s.size(); i++) {
    const double v = hp.Run(shelf.Run(s[i]));
    p[i] = v * v;
  }
  const size_t block = RATE / 20, hop = RATE / 100;
  std::vector<double> blocks;
  for (size_t at = 0; at < p.size(); at += hop) {
    const size_t end = std::min(p.size(), at + block);
    double sum = 0;
    for (size_t i = at; i < end; i++) sum += p[i];
    blocks.push_back(sum / double(block));
    if (end == p.size()) break;
  }
  auto lufs = [](double m) { return m > 0 ? -0.691 + 10 * std::log10(m) : -99.0; };
  double all = 0;
  for (double b : blocks) all += b;
  const double gate = lufs(all / double(std::max<size_t>(1, blocks.size()))) - 10;
  double sum = 0;
  int n = 0;
  for (double b : blocks)
    if (lufs(b) > gate) sum += b, n++;
  return float(lufs(n ? sum / n : 0));
}

void Level(Sound& snd, float lufs, float ceiling) {
  const std::vector<float> dry = snd.s;
  const size_t ahead = RATE / 500;
  const float release = std::exp(-1.0f / (0.04f * RATE));
  float gain = std::pow(10.0f, (lufs - SoundingLufs(dry)) / 20);
  for (int round = 0; round < 24; round++) {
    // Needed gain reduction per frame: the smallest over the look-ahead window, then smoothed.
    std::vector<float> need(dry.size(), 1.0f);
    for (size_t i = 0; i < dry.size(); i++) {
      const float a = std::fabs(dry[i]) * gain;
      if (a > ceiling) need[i] = ceiling / a;
    }
    std::vector<float> g(dry.size(), 1.0f);
    float env = 1;
    for (size_t i = dry.size(); i-- > 0;) {  // backwards: the gain is down before each peak
      env = std::min(need[i], env + (1 - env) * (1 - std::exp(-1.0f / float(ahead))));
      g[i] = env;
    }
    float held = 1;
    for (size_t i = 0; i < dry.size(); i++) {  // forwards: a slow recovery after each peak
      held = std::min(g[i], held * release + (1 - release));
      snd.s[i] = dry[i] * gain * held;
    }
    const float off = lufs - SoundingLufs(snd.s);
    if (std::fabs(off) < 0.05f) break;
    gain *= std::pow(10.0f, off / 20);
  }
  for (float& v : snd.s) v = std::clamp(v, -ceiling, ceiling);
}

bool WriteWav(const std::string& path, const Sound& snd) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  auto u32 = [&](uint32_t v) { uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; std::fwrite(b, 1, 4, f); };
  auto u16 = [&](uint16_t v) { uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)}; std::fwrite(b, 1, 2, f); };
  uint32_t bytes = uint32_t(snd.N() * 2);
  std::fwrite("RIFF", 1, 4, f), u32(36 + bytes), std::fwrite("WAVE", 1, 4, f);
  std::fwrite("fmt ", 1, 4, f), u32(16), u16(1), u16(1), u32(RATE), u32(RATE * 2), u16(2), u16(16);
  std::fwrite("data", 1, 4, f), u32(bytes);
  for (float v : snd.s) {
    long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    u16(uint16_t(int16_t(q)));
  }
  std::fclose(f);
  return true;
}

float Note(float semitonesFromA4) { return 440.0f * std::pow(2.0f, semitonesFromA4 / 12.0f); }

}  // namespace art
