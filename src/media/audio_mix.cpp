// The software mixer's arithmetic (see audio_mix.h).
#include "media/audio_mix.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int BLOCK_FRAMES = 256;  // float accumulator size on the stack
constexpr double QUARTER_PI = 0.78539816339744830962;

float Clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

// One sample of channel `c` at frame `i` and the following frame, for interpolation. The frame
// after the last is the first again when looping, else the last one held (no click to zero).
inline float Sample(const MixVoice& v, int64_t i, int c) {
  return static_cast<float>(v.samples[i * v.channels + c]);
}

// Adds up to `frames` frames of one voice into acc; returns when done or the voice ended.
void MixOne(MixVoice& v, float* acc, int frames) {
  for (int n = 0; n < frames; ++n) {
    if (v.wait > 0) {
      --v.wait;
      continue;
    }
    if (v.pos >= static_cast<double>(v.frames)) {
      if (!v.loop) {
        v.active = false;
        return;
      }
      v.pos = std::fmod(v.pos, static_cast<double>(v.frames));
    }
    int64_t i = static_cast<int64_t>(v.pos);
    int64_t j = i + 1 < v.frames ? i + 1 : (v.loop ? 0 : i);
    float t = static_cast<float>(v.pos - static_cast<double>(i));
    float l, r;
    if (v.channels == 2) {
      float a0 = Sample(v, i, 0), b0 = Sample(v, i, 1);
      l = a0 + (Sample(v, j, 0) - a0) * t;
      r = b0 + (Sample(v, j, 1) - b0) * t;
    } else {
      float a = Sample(v, i, 0);
      l = r = a + (Sample(v, j, 0) - a) * t;
    }
    if (v.levelStep != 0) {
      v.level += v.levelStep;
      if (v.level >= 1) {
        v.level = 1;
        v.levelStep = 0;
      } else if (v.level <= 0) {
        v.level = 0;
        v.levelStep = 0;
        if (v.pauseAtZero) {
          v.pauseAtZero = false;
          v.paused = true;
          return;
        }
      }
    }
    float fade = v.level;
    if (v.fadeStep > 0 && v.stopWait > 0) {
      --v.stopWait;
    } else if (v.fadeStep > 0) {
      v.fade -= v.fadeStep;
      if (v.fade <= 0) {
        v.active = false;
        return;
      }
      fade *= v.fade;
    }
    acc[2 * n] += l * v.left * fade;
    acc[2 * n + 1] += r * v.right * fade;
    v.pos += v.step;
  }
}

}  // namespace

void MixGains(int channels, float volume, float pan, float& left, float& right) {
  volume = std::isnan(volume) ? 0.0f : Clamp(volume, 0.0f, 1.0f);
  pan = std::isnan(pan) ? 0.0f : Clamp(pan, -1.0f, 1.0f);
  if (channels == 2) {
    left = volume * std::min(1.0f, 1.0f - pan);
    right = volume * std::min(1.0f, 1.0f + pan);
  } else {
    double angle = (pan + 1.0) * QUARTER_PI;
    left = volume * static_cast<float>(std::cos(angle));
    right = volume * static_cast<float>(std::sin(angle));
  }
}

double MixStep(int sourceRate, float speed, int deviceRate) {
  if (sourceRate <= 0 || deviceRate <= 0 || !(speed > 0)) return 0;
  return static_cast<double>(sourceRate) * speed / deviceRate;
}

int MixFadeFrames(int deviceRate) { return deviceRate > 0 ? std::max(1, deviceRate / 200) : 1; }

void MixStop(MixVoice& v, int deviceRate, int64_t delayFrames) {
  if (!v.active || v.fadeStep > 0) return;
  if (v.paused || v.wait > 0) {
    v.active = false;  // nothing is heard from it: no fade needed
    return;
  }
  v.fadeStep = 1.0f / static_cast<float>(MixFadeFrames(deviceRate));
  v.stopWait = delayFrames > 0 ? delayFrames : 0;
}

void MixPause(MixVoice& v, bool paused, int deviceRate) {
  const float step = 1.0f / static_cast<float>(MixFadeFrames(deviceRate));
  if (paused) {
    if (v.paused || !v.active) return;
    v.levelStep = -step;
    v.pauseAtZero = true;
    return;
  }
  v.paused = false;
  v.pauseAtZero = false;
  v.levelStep = v.level < 1 ? step : 0;
}

void MixLimit(MixLimiter& lim, float& left, float& right) {
  const float a = std::max(std::fabs(left), std::fabs(right));
  if (a * lim.gain > LIMIT_CEILING) {
    lim.gain = LIMIT_CEILING / a;
    lim.held = static_cast<int>(LIMIT_HOLD_S * static_cast<float>(lim.rate));
  } else if (lim.held > 0) {
    --lim.held;
  } else if (lim.gain < 1) {
    lim.gain = std::min(1.0f, lim.gain + (1 - lim.gain) / (LIMIT_RELEASE_S * static_cast<float>(std::max(1, lim.rate))));
    lim.gain = std::min(lim.gain, a > 0 ? LIMIT_CEILING / a : 1.0f);
  }
  left *= lim.gain;
  right *= lim.gain;
}

void MixVoices(MixVoice* voices, int count, int16_t* out, int frames, MixLimiter& limiter) {
  float acc[2 * BLOCK_FRAMES];
  for (int done = 0; done < frames; done += BLOCK_FRAMES) {
    int n = std::min(BLOCK_FRAMES, frames - done);
    std::fill(acc, acc + 2 * n, 0.0f);
    for (int k = 0; k < count; ++k) {
      MixVoice& v = voices[k];
      if (!v.active || v.paused) continue;
      if (!v.samples || v.frames <= 0) {
        v.active = false;  // an empty sound ends at once, looping or not
        continue;
      }
      MixOne(v, acc, n);
    }
    int16_t* dst = out + 2 * done;
    for (int f = 0; f < n; ++f) {
      float l = acc[2 * f] / 32768.0f, r = acc[2 * f + 1] / 32768.0f;
      MixLimit(limiter, l, r);
      dst[2 * f] = static_cast<int16_t>(std::lrint(Clamp(32768.0f * l, -32768.0f, 32767.0f)));
      dst[2 * f + 1] = static_cast<int16_t>(std::lrint(Clamp(32768.0f * r, -32768.0f, 32767.0f)));
    }
  }
}
