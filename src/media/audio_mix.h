// The software mixer's arithmetic, free of any device so that it can be tested directly: voices
// read 16-bit samples at their own speed (linear interpolation), are weighted by volume and pan,
// summed in float, and the sum passed through a limiter into 16-bit stereo output.
//
// Pan law: a mono sound is panned with equal power (left = cos, right = sin of (pan + 1) * pi/4),
// so it keeps its loudness across the field and sits at -3 dB per side when centred, as OpenAL
// places a mono source. A stereo sound is balanced linearly: the far side fades out, the near
// side stays at full level, and at pan 0 both keep their level.
#pragma once

#include <cstdint>

struct MixVoice {
  const int16_t* samples = nullptr;  // interleaved, `channels` per frame; not owned
  int64_t frames = 0;
  int channels = 1;    // 1 or 2
  double pos = 0;      // read position in source frames
  double step = 1;     // source frames per output frame: source rate * speed / device rate
  float left = 1;      // gains after volume and pan (see MixGains)
  float right = 1;
  bool loop = false;
  bool paused = false;
  bool active = false;  // false once a sound without loop has been read to its end
  // A stopped voice fades out instead of ending on the spot (a jump to zero clicks): its gain
  // falls by fadeStep per output frame and the voice ends at zero. fadeStep 0: not stopping.
  float fade = 1;
  float fadeStep = 0;
  // Pausing and resuming a voice that is heard ramp its level the same way: down to zero, where
  // the voice pauses, and up again from where it stood.
  int64_t wait = 0;      // output frames of silence before the voice starts (a note placed in time)
  int64_t stopWait = 0;  // output frames before a stop's fade begins
  float level = 1;
  float levelStep = 0;
  bool pauseAtZero = false;
};

// Output frames over which a stopped voice fades out at `deviceRate` (5 ms).
int MixFadeFrames(int deviceRate);
// Starts the fade-out of a voice, after `delayFrames` more output frames: it stays active, and
// heard, until the fade ends. A voice not yet heard ends at once.
void MixStop(MixVoice& v, int deviceRate, int64_t delayFrames = 0);

// Pauses (fading out over 5 ms, then holding) or resumes (fading back in when it had been faded;
// a cued voice starts at once, its own attack intact) a voice.
void MixPause(MixVoice& v, bool paused, int deviceRate);

// The left and right gains for a voice of `channels` at `volume` (0..1) and `pan` (-1..1).
void MixGains(int channels, float volume, float pan, float& left, float& right);

// Source frames per output frame for a sound of `sourceRate` played `speed` times as fast on a
// device running at `deviceRate`.
double MixStep(int sourceRate, float speed, int deviceRate);

// The limiter on the summed output: a gain that drops at once to keep any frame under LIMIT_CEILING
// (-1 dBFS), holds, then recovers over LIMIT_RELEASE_S, so voices piled far above full scale come out
// as the same waves made quieter, never with flat tops; a mix below the ceiling is untouched.
constexpr float LIMIT_CEILING = 0.891f;
constexpr float LIMIT_RELEASE_S = 0.1f;
constexpr float LIMIT_HOLD_S = 0.025f;  // longer than a period of the lowest note: no ripple
struct MixLimiter {
  float gain = 1;
  int rate = 44100;  // output frames per second, for the hold and the release
  int held = 0;      // frames left before the gain may recover
};
// One stereo frame in units of full scale, through the limiter.
void MixLimit(MixLimiter& lim, float& left, float& right);

// Mixes every active, unpaused voice into `out` (`frames` interleaved stereo frames, overwritten),
// advancing each voice; a voice that runs off its end without loop becomes inactive. The sum goes
// through `limiter`, whose gain carries over from call to call. Allocates nothing, so it may run
// in the audio callback.
void MixVoices(MixVoice* voices, int count, int16_t* out, int frames, MixLimiter& limiter);
