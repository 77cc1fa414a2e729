// Music playback: the sample table, song start and the step clock. Each of the five tracks owns
// one channel slot (0 to 4) and one channel handle for the whole run: a new note reuses it, so
// hours of music leave the handle table as it was after the first minute.
#include "music/playback.h"

#include <algorithm>
#include <cstdint>

#include "common/settings.h"
#include "common/sound_channels.h"
#include "media/media.h"
#include "music/pattern.h"
#include "music/song_file.h"
#include "music/song_state.h"

namespace {

constexpr int START_DELAY_MS = 250;  // from LoadSong to the first step

// Sample table offsets of the tracks' instruments.
constexpr int KIT_A = 0, KIT_B = 10, BASS = 20, LEAD = 30, ACCOMPANY = 40;

std::string Num(int n) { return IntText(n); }

// The music's share of full volume, 0..1, from the settings at this moment.
float MusicVolume(int divisor) {
  const int product = std::clamp(Settings[Music], 0, 100) * std::clamp(Settings[Master], 0, 100);
  return static_cast<float>(product) / static_cast<float>(divisor);
}

// Plays one note on the track's slot: the previous note of the track stops (monophonic), the
// new one is cued, set up and started.
// The note belongs to the moment its step fell due, which the mixer keeps to the sample (the
// tick notices it up to a frame late); the previous note of the track ends at that moment too.
void PlayNote(int track, int sample, bool setPan, float pan, bool setRate, float rate, float volume) {
  int& channel = SoundChannels[track];
  const int due = static_cast<int>(static_cast<uint32_t>(SongState().nextTick) - static_cast<uint32_t>(SongState().interval));
  if (ChannelPlaying(channel)) StopChannelAt(channel, due);
  channel = ReuseChannel(channel);
  if (CueSound(sample, channel) == 0) return;  // a missing sample: the track is silent
  if (setPan) SetChannelPan(channel, pan);
  if (setRate) SetChannelRate(channel, rate);
  SetChannelVolume(channel, volume);
  ResumeChannelAt(channel, due);
}

// Phase of the phrase at the current step: 0 inside it, 1 in the first half of its last chord,
// 2 in its last 8 steps. Also gives the chord ratio.
int PhraseState(float& chordRatio) {
  const SongStateData& song = SongState();
  const int64_t len = static_cast<int64_t>(song.chordLine.size());
  int phase = int64_t{song.step / 8} + (int64_t{song.bar} - 1) * 8 >= 2 * len - 1 ? 2 : 0;
  const int64_t chordPos = song.step / 16 + (int64_t{song.bar} - 1) * 4;
  chordRatio = chordPos >= 0 && chordPos < len ? NoteRatio(song.chordLine[static_cast<size_t>(chordPos)]) : 0.0f;
  if (chordPos >= len - 1 && phase == 0) phase = 1;
  return phase;
}

// A muted track waits for its phrase, unless it comes in with the next one and its entry is due.
bool HeldBack(int t, int phase) {
  const SongStateData& song = SongState();
  if (song.muted[t] != 1) return false;
  return !(song.next[t] == 0 && ((phase == 1 && song.entry[t] == 1) || phase == 2));
}

void PlayStep() {
  SongStateData& song = SongState();
  float chord = 0;
  const int phase = PhraseState(chord);
  const float full = MusicVolume(100 * 100);
  const float half = MusicVolume(100 * 200);
  for (int t = 0; t < TRACKS; ++t) {
    if (HeldBack(t, phase)) continue;
    const float value = song.pattern[t][song.step];
    if (t < 2) {
      const int v = static_cast<int>(value);
      if (v < 1 || v > 8) continue;
      PlayNote(t, MusicSamples[(t == 0 ? KIT_A : KIT_B) + v], true, t == 0 ? song.pan : -song.pan, false, 1, full);
      continue;
    }
    if (value == 0) continue;
    const float rate = value * chord;
    if (t == 2) PlayNote(t, MusicSamples[BASS + song.bassVariant], true, -song.pan, true, rate, full);
    if (t == 3) PlayNote(t, MusicSamples[LEAD + song.leadVariant], false, 0, true, rate, full);
    if (t == 4) PlayNote(t, MusicSamples[ACCOMPANY + song.accompanyVariant], true, song.pan, true, rate, half);
  }
}

}  // namespace

SongStateData& SongState() {
  static SongStateData* song = new SongStateData;  // large, and read until the process ends
  return *song;
}

void ResetSongState() {
  SongState() = SongStateData{};
  for (int& s : MusicSamples) s = 0;
  HighestBass = HighestLead = HighestAccompany = 0;
}

// The display set-up loads the assets again after every change of mode: the samples of the
// previous load are freed first, so no reload adds to the memory in use.
void LoadMusicSamples() {
  for (int& s : MusicSamples) {
    FreeSound(s);
    s = 0;
  }
  HighestBass = HighestLead = HighestAccompany = 0;
  for (int n = 1; n <= 8; ++n) {
    MusicSamples[KIT_A + n] = LoadSound("music/d1-" + Num(n) + ".wav", 0);
    MusicSamples[KIT_B + n] = LoadSound("music/d2-" + Num(n) + ".wav", 0);
  }
  struct Instrument {
    const char* file;
    int base;
    int* highest;
  } const instruments[] = {{"bass", BASS, &HighestBass}, {"lead", LEAD, &HighestLead},
                           {"accompany", ACCOMPANY, &HighestAccompany}};
  auto path = [](const Instrument& ins, int n) { return "music/" + std::string(ins.file) + Num(n) + ".wav"; };
  for (const Instrument& ins : instruments) {
    for (int n = 1; n <= INSTRUMENT_VARIANTS; ++n) {
      if (FileType(path(ins, n)) != PATH_FILE) continue;
      *ins.highest = n;
      MusicSamples[ins.base + n] = LoadSound(path(ins, n), 0);
    }
    // Variants count from 1 up to the last one there: a gap below it, or no first one, is a
    // missing file (a damaged one has been named by its load).
    for (int n = 1; n <= std::max(1, *ins.highest); ++n)
      if (MusicSamples[ins.base + n] == 0) LoadFailed(path(ins, n));
  }
}

void LoadSong(const std::string& name, int seed, int tempo) {
  ReadSong(name);
  if (!SongFileExists(name)) return;
  SongStateData& song = SongState();
  SeedRnd(static_cast<int>(static_cast<uint32_t>(static_cast<int64_t>(seed) * 1024)));
  if (seed == -1) {
    seed = Millis();
    SeedRnd(static_cast<int>(static_cast<uint32_t>(static_cast<int64_t>(seed) * 1024)));
  }
  song.seed = seed;
  song.pan = 0.3f;
  song.chordLine.clear();
  song.patternCount = song.bar = song.step = -1;
  song.interval = std::max(1, tempo / 2);
  for (int t = 0; t < TRACK_FLAGS; ++t) song.next[t] = Rand(0, 1);
  NextPattern();
  song.nextTick = MsLater(Millis(), START_DELAY_MS);
  song.playing = true;
}

void MusicTick() {
  SongStateData& song = SongState();
  if (!song.playing) return;
  if (MsBetween(Millis(), song.nextTick) >= 0) return;
  song.nextTick = MsLater(song.nextTick, song.interval);
  if (++song.step >= PATTERN_STEPS) {
    song.step = 0;
    NextPattern();
  }
  PlayStep();
}
