// The song renderer shared by render_song and sound_meter: plays a song through the game's own
// music player on the headless back end (fake clock, 60 frames a second, default volumes) and
// mixes what it plays with the game's software mixer, keeping each note and each step's times.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/sound_channels.h"
#include "media/audio_mix.h"
#include "media/audio_octaves.h"
#include "media/headless.h"
#include "media/media.h"
#include "media/wav.h"
#include "music/playback.h"
#include "music/song_file.h"
#include "music/song_state.h"

namespace song_render {

constexpr int OUT_RATE = 44100;
constexpr int TRACK_COUNT = 5;
// The note each instrument's sample sounds at rate 1 (the asset generator's references), as MIDI
// numbers: bass C3, accompaniment C4, lead C5.
constexpr double REF_NOTE[TRACK_COUNT] = {0, 0, 48, 72, 60};

struct Sample {
  WavData octave[SOUND_OCTAVES];
};

struct Channel {
  const Sample* sample = nullptr;
  int octave = 0;
  MixVoice voice;
  float volume = 1, pan = 0, rate = 1;
};

struct Note {
  int track;
  double startMs, endMs;
  double pitch;  // MIDI number, or drum sample 1..8
};

struct Renderer {
  std::map<int, Sample> samples;  // by sound handle
  std::map<int, Channel> channels;
  std::vector<MixVoice> fading;
  std::vector<int16_t> out;  // interleaved stereo
  std::vector<Note> notes;
  MixLimiter limiter;
  int startMs = 0;      // Millis() when the song started: render time 0
  double heardMs = -1;  // when the last note resumed begins to sound, in render time

  // A sound placed in time (a music step) is heard its moment plus PLACED_MS later, as our mixer
  // places it; the rest at once. The render time of hearing, and the frames to wait for it.
  static constexpr double PLACED_MS = 40;
  double HeardAt(const SoundRecord& r, double ms) const {
    return r.timed ? std::max(ms, double(r.due - startMs) + PLACED_MS) : ms;
  }
  static int64_t FramesFrom(double ms, double at) { return static_cast<int64_t>(std::lround((at - ms) * OUT_RATE / 1000.0)); }

  void Apply(Channel& c) {
    MixGains(1, c.volume, c.pan, c.voice.left, c.voice.right);
    if (!c.sample) return;
    const int octave = OctaveFor(c.rate);
    if (octave != c.octave) {
      c.voice.pos = std::ldexp(c.voice.pos, c.octave - octave);
      c.octave = octave;
    }
    const WavData& w = c.sample->octave[c.octave];
    c.voice.samples = w.samples.data();
    c.voice.frames = w.Frames();
    c.voice.step = MixStep(w.rate, c.rate, OUT_RATE);
  }

  int TrackOf(int channel) const {
    for (int t = 0; t < TRACK_COUNT; ++t)
      if (SoundChannels[t] == channel) return t;
    return -1;
  }

  void Event(const SoundRecord& r, double ms) {
    Channel& c = channels[r.channel];
    switch (r.kind) {
      case SoundRecord::STOP:
        if (c.voice.active) {
          MixStop(c.voice, OUT_RATE, FramesFrom(ms, HeardAt(r, ms)));
          fading.push_back(c.voice);
          c.voice.active = false;
        }
        break;
      case SoundRecord::CUE: {
        auto it = samples.find(r.sound);
        if (it == samples.end()) break;
        c.sample = &it->second;
        c.octave = 0;
        c.voice = MixVoice{};
        c.voice.active = true;
        c.voice.paused = true;
        Apply(c);
        const int t = TrackOf(r.channel);
        if (t >= 0) notes.push_back({t, ms, ms + 1e9, t < 2 ? 0.0 : 0.0});
        break;
      }
      case SoundRecord::VOLUME: c.volume = r.value; Apply(c); break;
      case SoundRecord::PAN: c.pan = r.value; Apply(c); break;
      case SoundRecord::RATE: c.rate = r.value; Apply(c); break;
      case SoundRecord::RESUME: {
        c.voice.paused = false;
        const double frameMs = ms;
        ms = HeardAt(r, frameMs);
        c.voice.wait = FramesFrom(frameMs, ms);
        heardMs = ms;
        const int t = TrackOf(r.channel);
        if (t < 0 || notes.empty() || notes.back().track != t) break;
        Note& n = notes.back();
        n.startMs = ms;
        const double len = c.sample ? 1000.0 * double(c.sample->octave[0].Frames()) / c.sample->octave[0].rate : 0;
        if (t < 2) {
          for (int v = 1; v <= 8; ++v)
            if (MusicSamples[(t == 0 ? 0 : 10) + v] != 0 && samples.count(MusicSamples[(t == 0 ? 0 : 10) + v]) &&
                c.sample == &samples[MusicSamples[(t == 0 ? 0 : 10) + v]])
              n.pitch = v;
          n.endMs = ms + len;
        } else {
          n.pitch = REF_NOTE[t] + 12.0 * std::log2(std::max(1e-6f, c.rate));
          n.endMs = ms + len / c.rate;
        }
        // The previous note of the track ends here.
        for (auto it = notes.rbegin() + 1; it != notes.rend(); ++it)
          if (it->track == t) {
            it->endMs = std::min(it->endMs, ms);
            break;
          }
        break;
      }
      default: break;
    }
  }

  void MixTo(double ms) {
    const size_t frames = static_cast<size_t>(ms * OUT_RATE / 1000.0);
    const size_t have = out.size() / 2;
    if (frames <= have) return;
    const int n = static_cast<int>(frames - have);
    std::vector<MixVoice> voices;
    for (auto& [h, c] : channels) voices.push_back(c.voice);
    for (MixVoice& v : fading) voices.push_back(v);
    std::vector<int16_t> block(2 * static_cast<size_t>(n));
    MixVoices(voices.data(), static_cast<int>(voices.size()), block.data(), n, limiter);
    size_t k = 0;
    for (auto& [h, c] : channels) c.voice = voices[k++];
    for (MixVoice& v : fading) v = voices[k++];
    fading.erase(std::remove_if(fading.begin(), fading.end(), [](const MixVoice& v) { return !v.active; }), fading.end());
    out.insert(out.end(), block.begin(), block.end());
  }
};


// The step grid: per step its time, when it fell due, chord ratio and whether a phrase or
// pattern begins.
struct StepMark {
  double ms;     // when its notes are heard (when it was played, for a step without notes)
  double dueMs;  // when it fell due on the step clock
  bool heard;    // a note started on it
  float chord;
  bool phrase, pattern;
};

struct Render {
  std::vector<int16_t> out;  // interleaved stereo at OUT_RATE
  std::vector<Note> notes;
  std::vector<StepMark> steps;
};

// Loads the samples of the game folder (already the current folder) into the renderer.
inline void LoadSamples(Renderer& r) {
  static const char* const KIT[2] = {"d1-", "d2-"};
  for (int i = 1; i < MUSIC_SAMPLE_SLOTS; ++i) {
    if (MusicSamples[i] == 0) continue;
    std::string file;
    const int n = i % 10;
    if (i < 20) file = std::string(KIT[i / 10]) + std::to_string(n);
    else file = std::string(i < 30 ? "bass" : (i < 40 ? "lead" : "accompany")) + std::to_string(n);
    Sample& s = r.samples[MusicSamples[i]];
    if (!LoadWavFile("music/" + file + ".wav", s.octave[0])) continue;
    for (int k = 1; k < SOUND_OCTAVES; ++k) s.octave[k] = HalfRate(s.octave[k - 1]);
  }
}

// Renders `seconds` of the song; the media layer must be up (headless) with the game folder
// current and the music samples loaded. Every step is kept.
inline Render RenderSong(const std::string& song, int seed, double seconds) {
  Renderer r;
  LoadSamples(r);
  HeadlessClearSounds();
  const int start = Millis();
  r.startMs = start;
  LoadSong(song, seed, 125);
  Render out;
  int lastStep = -1;
  for (int frame = 1;; ++frame) {
    const int now = start + static_cast<int>(std::lround(frame * 1000.0 / 60.0));
    HeadlessSetClock(now);
    const double ms = now - start;
    if (ms > seconds * 1000) break;
    r.MixTo(ms);
    MusicTick();
    const SongStateData& st = SongState();
    r.heardMs = -1;
    for (const SoundRecord& rec : HeadlessSounds()) r.Event(rec, ms);
    if (st.step != lastStep) {
      lastStep = st.step;
      const bool phraseStart = st.step == 0 && st.bar == 1;
      const size_t pos = static_cast<size_t>(st.step / 16 + (st.bar - 1) * 4);
      const float chord = pos < st.chordLine.size() ? NoteRatio(st.chordLine[pos]) : 0;
      out.steps.push_back({r.heardMs >= 0 ? r.heardMs : ms, double(st.nextTick - st.interval - start), r.heardMs >= 0, chord,
                           phraseStart, st.step == 0});
    }
    HeadlessClearSounds();
  }
  r.MixTo(seconds * 1000);
  out.out = std::move(r.out);
  out.notes = std::move(r.notes);
  return out;
}

}  // namespace song_render
