// The pattern builder. The random generator is the program's shared one: seeding it from the
// song's seed and position makes the same song, seed and sample set always give the same music.
#include "music/pattern.h"

#include <cstdint>

#include "media/media.h"
#include "music/song_file.h"
#include "music/song_state.h"

namespace {

// seed x 1024 + offset, wrapped to 32 bits: a clock seed times 1024 overflows an int.
void SeedFromSong(int64_t offset) {
  const int64_t v = int64_t{SongState().seed} * 1024 + offset;
  SeedRnd(static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(v))));
}

// Steps 1 to 3 of a pick: the chosen line of `section`, unstretched.
std::string ChooseLine(int section, int k) {
  SongStateData& song = SongState();
  SeedFromSong(int64_t{song.bar} + song.patternCount + k);
  const int64_t discards = int64_t{song.patternCount} * 4 + k;
  for (int64_t i = 0; i < discards; ++i) Rand(0, 1000);
  const SongSection& s = song.sections[section];
  const int n = Rand(1, s.count);
  return n >= 1 && n <= s.count ? s.lines[n] : std::string();
}

// Value of a drum step: a digit gives its value, any other character 0.
float DrumValue(const std::string& line, int s) {
  if (line.empty()) return 0;
  const char c = line[static_cast<size_t>(s) % line.size()];
  return c >= '0' && c <= '9' ? static_cast<float>(c - '0') : 0.0f;
}

// Value of a pitched step: pitched lines run on across the bars of a phrase.
float NoteValue(const std::string& line, int s, int bar) {
  if (line.empty()) return 0;
  const int64_t pos = int64_t{s} + (int64_t{bar} - 1) * PATTERN_STEPS;
  const int64_t len = static_cast<int64_t>(line.size());
  const char c = line[static_cast<size_t>(((pos % len) + len) % len)];
  return c == ' ' ? 0.0f : NoteRatio(c);
}

void StartPhrase() {
  SongStateData& song = SongState();
  song.bassVariant = Rand(1, HighestBass);
  song.leadVariant = Rand(1, HighestLead);
  song.accompanyVariant = Rand(1, HighestAccompany);
  song.bar = 1;
  song.chordLine = PickChordLine(13);
  for (int t = 0; t < TRACK_FLAGS; ++t) {
    song.muted[t] = song.next[t];
    song.next[t] = Rand(0, 1);
    song.entry[t] = Rand(1, 2);
  }
  if (song.muted[0] != 0 && song.muted[1] == 1) song.muted[Rand(0, 1)] = 0;  // a drum track plays
  if (song.muted[2] != 0 && song.muted[3] != 0) song.muted[Rand(2, 3)] = 0;  // bass or melody plays
  song.trackLines[0] = PickLine(SECTION_DRUMS, 3);
  song.trackLines[1] = PickLine(SECTION_DRUMS, 7);
  song.trackLines[2] = PickLine(SECTION_BASS, 13);
  song.trackLines[3] = PickLine(SECTION_MELODY, 19);
  song.trackLines[4] = PickLine(SECTION_ACCOMPANY, 29);
}

}  // namespace

std::string StretchLine(const std::string& line) {
  std::string out;
  out.reserve(line.size() * 2);
  for (char c : line) {
    out.push_back(c);
    out.push_back(' ');
  }
  return out;
}

std::string PickLine(int section, int k) {
  std::string line = ChooseLine(section, k);
  const int mode = SongState().sections[section].stretch;
  const int r = Rand(0, 2);
  if ((mode > 0 && r > 0) || mode < 0) line = StretchLine(line);
  if ((mode == STRETCH_RANDOM_PLUS && r == 2) || mode == STRETCH_DOUBLE) line = StretchLine(line);
  return line;
}

std::string PickChordLine(int k) { return ChooseLine(SECTION_CHORDS, k); }

void NextPattern() {
  SongStateData& song = SongState();
  SeedFromSong(int64_t{song.bar} + song.patternCount);
  song.patternCount += 1;
  song.bar += 1;
  const int bars = static_cast<int>(song.chordLine.size() / 4);
  if (song.bar > bars || song.chordLine.empty()) StartPhrase();
  for (int s = 0; s < PATTERN_STEPS; ++s) {
    song.pattern[0][s] = DrumValue(song.trackLines[0], s);
    song.pattern[1][s] = DrumValue(song.trackLines[1], s);
    for (int t = 2; t < TRACKS; ++t) song.pattern[t][s] = NoteValue(song.trackLines[t], s, song.bar);
  }
}
