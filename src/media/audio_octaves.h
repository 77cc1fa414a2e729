// Pre-filtered copies of a sound, one per octave of playback speed. Copy k is the sound low-passed
// and decimated k times by two (its sample rate halved k times), so it holds nothing above a
// 2^(k+1)th of the original rate. A voice at speed r reads copy OctaveFor(r): every partial it
// plays stays below the output's Nyquist frequency, so notes pitched up by the music (rates up
// to about 6) do not fold their upper partials back down as aliasing, and the interpolation
// between source frames never reads faster than two frames per output frame of its copy.
#pragma once

#include "media/wav.h"

constexpr int SOUND_OCTAVES = 4;  // copy 0 (the sound itself) to 3: clean up to speed 8

// The copy to play at `rate`: 0 up to speed 1, 1 up to 2, 2 up to 4, 3 beyond.
int OctaveFor(float rate);
// The next copy: low-pass at a quarter of the sample rate (a windowed-sinc filter centred on
// each frame, so the copy keeps the timing of its source), every other frame, half the rate.
WavData HalfRate(const WavData& w);
