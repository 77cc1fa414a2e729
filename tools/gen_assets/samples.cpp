#include "gen_assets/makers.h"

namespace art {

namespace {

// Music instruments: two drum kits of eight and three variants each of bass, lead and
// accompaniment. A pitched sample sounds its instrument's reference note at rate 1 (bass C3,
// accompaniment C4, lead C5, so the note letter "q" is a C), starts within 3 ms and dies away
// or fades out, so a note cut or ended anywhere never clicks. Levels leave room for five tracks
// and the effects at the default volumes.
constexpr float BASS_REF = 130.81f;       // C3
constexpr float ACCOMPANY_REF = 261.63f;  // C4
constexpr float LEAD_REF = 523.25f;       // C5

// Harmonic amplitudes of a band-limited wave at `f`: every partial below 9 kHz.
std::vector<float> Harmonics(float f, const std::function<float(int)>& amp) {
  std::vector<float> h;
  for (int n = 1; n * f < 9000.0f && n <= 40; n++) h.push_back(amp(n));
  return h;
}
std::vector<float> SawHarmonics(float f) { return Harmonics(f, [](int n) { return 1.0f / n; }); }
std::vector<float> SquareHarmonics(float f) { return Harmonics(f, [](int n) { return n % 2 ? 1.0f / n : 0.0f; }); }

// A fade to silence over the last `len` seconds (for sounds that do not die away by themselves).
void FadeTail(Sound& s, float len) {
  size_t n = std::min(s.N(), size_t(len * RATE));
  for (size_t i = 0; i < n; i++) s.s[s.N() - 1 - i] *= float(i) / float(n);
}
// A one-pole low-pass sweeping from `from` to `to` Hz with time constant `tau` (a filter envelope).
void SweepLowPass(Sound& s, float from, float to, float tau) {
  float y = 0;
  for (size_t i = 0; i < s.N(); i++) {
    float t = float(i) / RATE;
    float fc = to + (from - to) * std::exp(-t / tau);
    float a = 1 - std::exp(-2 * PI * fc / RATE);
    y += a * (s.s[i] - y);
    s.s[i] = y;
  }
}
float Vibrato(float t, float depth, float delay) { return 1 + depth * std::min(1.0f, t / delay) * std::sin(2 * PI * 5.5f * t); }

}  // namespace

Sound MakeDrum(int kit, int n) {
  const bool b = kit == 2;  // kit B: electronic, dry and deep; kit A: a bright acoustic-like set
  switch (n) {
    case 1: {  // kick
      Sound s(b ? 0.6f : 0.35f);
      if (b) AddTone(s, 0, 0.6f, [](float t) { return 48 + 110 * std::exp(-t / 0.03f); }, [](float t) { return Env(t, 0.001f, 0.22f); });
      else {
        AddTone(s, 0, 0.35f, [](float t) { return 58 + 130 * std::exp(-t / 0.018f); }, [](float t) { return Env(t, 0.001f, 0.09f); });
        AddNoise(s, 0, 0.02f, 101, [](float) { return 3500.0f; }, [](float t) { return 0.5f * Env(t, 0.0005f, 0.005f); });
      }
      return s;
    }
    case 2: {  // snare
      Sound s(0.3f);
      AddTone(s, 0, 0.12f, [=](float t) { return (b ? 240 : 190) + 60 * std::exp(-t / 0.01f); }, [](float t) { return 0.7f * Env(t, 0.001f, 0.04f); });
      AddNoise(s, 0, 0.3f, b ? 202 : 102, [=](float) { return b ? 6000.0f : 7500.0f; }, [=](float t) { return 1.2f * Env(t, 0.001f, b ? 0.05f : 0.08f); }, 0.5f);
      return s;
    }
    case 3: {  // closed hat
      Sound s(0.09f);
      if (b) AddPartials(s, 0, 410, {{{7.1f, 0.3f, 0.02f}}, {{10.3f, 0.3f, 0.018f}}, {{13.7f, 0.3f, 0.015f}}, {{17.9f, 0.25f, 0.012f}}});
      AddNoise(s, 0, 0.09f, b ? 203 : 103, [](float) { return 6000.0f; }, [=](float t) { return (b ? 0.5f : 0.9f) * Env(t, 0.0005f, 0.018f); }, 0.3f);
      SweepLowPass(s, 6500, 6500, 1);  // soft on the ear: little left above 8 kHz
      return s;
    }
    case 4: {  // open hat
      Sound s(0.45f);
      if (b) AddPartials(s, 0, 410, {{{7.1f, 0.25f, 0.15f}}, {{10.3f, 0.25f, 0.13f}}, {{13.7f, 0.25f, 0.11f}}, {{17.9f, 0.2f, 0.1f}}});
      AddNoise(s, 0, 0.45f, b ? 204 : 104, [](float) { return 5500.0f; }, [=](float t) { return (b ? 0.45f : 0.8f) * Env(t, 0.001f, 0.14f); }, 0.3f);
      SweepLowPass(s, 6000, 6000, 1);
      return s;
    }
    case 5: {  // clap: three quick bursts and a tail
      Sound s(0.35f);
      for (int k = 0; k < 3; k++)
        AddNoise(s, 0.011f * k, 0.02f, (b ? 205 : 105) + k, [=](float) { return b ? 1600.0f : 2200.0f; }, [](float t) { return 1.4f * Env(t, 0.0005f, 0.006f); }, 0.25f);
      AddNoise(s, 0.033f, 0.3f, b ? 215 : 115, [=](float) { return b ? 1500.0f : 2100.0f; }, [](float t) { return 1.1f * Env(t, 0.001f, 0.07f); }, 0.25f);
      return s;
    }
    case 6:    // low tom
    case 7: {  // high tom
      float f = (n == 6 ? 95.0f : 150.0f) * (b ? 0.8f : 1.0f);
      Sound s(0.5f);
      AddTone(s, 0, 0.5f, [=](float t) { return f * (1 + (b ? 0.9f : 0.4f) * std::exp(-t / 0.05f)); }, [=](float t) { return Env(t, 0.001f, b ? 0.18f : 0.14f); }, {1, b ? 0.0f : 0.15f});
      if (!b) AddNoise(s, 0, 0.05f, 106 + n, [](float) { return 2500.0f; }, [](float t) { return 0.3f * Env(t, 0.0005f, 0.015f); });
      return s;
    }
    default: {  // cymbal
      Sound s(1.4f);
      AddPartials(s, 0, b ? 330 : 290, {{{5.23f, 0.12f, 0.5f}}, {{7.71f, 0.12f, 0.45f}}, {{11.3f, 0.1f, 0.4f}}, {{14.9f, 0.06f, 0.25f}}, {{19.7f, 0.03f, 0.15f}}});
      AddNoise(s, 0, 1.4f, b ? 208 : 108, [](float) { return 4500.0f; }, [=](float t) { return (b ? 0.5f : 0.7f) * Env(t, 0.002f, b ? 0.3f : 0.45f); }, 0.3f);
      SweepLowPass(s, 9000, 3500, 0.3f);  // a dark wash that closes as it fades, not a hiss
      FadeTail(s, 0.2f);
      return s;
    }
  }
}

Sound MakeBass(int n) {
  const float f = BASS_REF;
  Sound s(1.0f);
  switch (n) {
    case 1:  // round finger bass: sine and a little second and third harmonic
      AddTone(s, 0, 1.0f, [=](float) { return f; }, [](float t) { return Env(t, 0.004f, 0.45f); }, {1, 0.35f, 0.12f});
      break;
    case 2:  // growling saw through a closing filter
      AddTone(s, 0, 1.0f, [=](float) { return f; }, [](float t) { return Env(t, 0.003f, 0.6f); }, SawHarmonics(f));
      SweepLowPass(s, 2500, 300, 0.08f);
      break;
    default:  // hollow pulse with a slap at the start
      AddTone(s, 0, 1.0f, [=](float) { return f; }, [](float t) { return Env(t, 0.003f, 0.5f); }, SquareHarmonics(f));
      AddTone(s, 0, 0.05f, [=](float) { return 4 * f; }, [](float t) { return 0.3f * Env(t, 0.001f, 0.012f); });
      SweepLowPass(s, 4000, 900, 0.05f);
      break;
  }
  FadeTail(s, 0.1f);
  return s;
}

Sound MakeLead(int n) {
  const float f = LEAD_REF;
  Sound s(1.1f);
  switch (n) {
    case 1:  // chip square with a delayed vibrato
      AddTone(s, 0, 1.1f, [=](float t) { return f * Vibrato(t, 0.006f, 0.25f); }, [](float t) { return std::min(1.0f, t / 0.003f) * (0.55f + 0.45f * std::exp(-t / 0.15f)); },
              Harmonics(f, [](int k) { return k % 2 ? 1.0f / k : 0.08f / k; }));
      break;
    case 2:  // glassy bell: harmonic partials that die away at different speeds
      AddPartials(s, 0, f, {{{1.0f, 0.7f, 0.5f}}, {{2.0f, 0.3f, 0.25f}}, {{3.0f, 0.15f, 0.12f}}, {{4.0f, 0.1f, 0.06f}}, {{6.0f, 0.05f, 0.03f}}});
      break;
    default:  // breathy flute: near-sine with a puff of noise at the start
      AddTone(s, 0, 1.1f, [=](float t) { return f * Vibrato(t, 0.008f, 0.2f); }, [](float t) { return std::min(1.0f, t / 0.025f) * (0.7f + 0.3f * std::exp(-t / 0.3f)); }, {1, 0.15f, 0.05f});
      AddNoise(s, 0, 0.1f, 301, [=](float) { return 2.0f * f; }, [](float t) { return 0.25f * Env(t, 0.005f, 0.03f); }, 0.2f);
      break;
  }
  FadeTail(s, 0.15f);
  return s;
}

Sound MakeAccompany(int n) {
  const float f = ACCOMPANY_REF;
  Sound s(1.2f);
  switch (n) {
    case 1:  // electric piano: a soft fundamental with a quick bright tine
      AddPartials(s, 0, f, {{{1.0f, 0.8f, 0.7f}}, {{2.0f, 0.25f, 0.3f}}, {{3.0f, 0.12f, 0.12f}}, {{7.0f, 0.06f, 0.03f}}});
      break;
    case 2:  // plucked string: every harmonic, the high ones fading first
      for (int k = 1; k <= 16 && k * f < 9000; k++)
        AddTone(s, 0, 1.2f, [=](float) { return f * k; }, [=](float t) { return (0.8f / k) * Env(t, 0.002f, 0.5f / k + 0.05f); });
      break;
    default:  // soft organ: drawbars 1, 2, 3, 4 with a gentle swell
      AddTone(s, 0, 1.2f, [=](float) { return f; }, [](float t) { return std::min(1.0f, t / 0.02f) * std::exp(-t / 1.5f); }, {1, 0.5f, 0.3f, 0.2f});
      break;
  }
  FadeTail(s, 0.15f);
  return s;
}

}  // namespace art
