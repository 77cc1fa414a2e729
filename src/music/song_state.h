// The music player's globals: the sample table, the song read from its file and the state of the
// sequencer that turns it into patterns. Everything lives for the whole run; the pools and modes
// change only when a song is read, the rest when a song starts (LoadSong) and as it plays.
#pragma once

#include <string>

// Sections of a song file, in the order used everywhere.
constexpr int SECTION_DRUMS = 0;
constexpr int SECTION_CHORDS = 1;
constexpr int SECTION_BASS = 2;
constexpr int SECTION_MELODY = 3;
constexpr int SECTION_ACCOMPANY = 4;
constexpr int SECTIONS = 5;

constexpr int MAX_SONG_LINES = 998;      // per section; later lines are dropped
constexpr int MAX_SONG_LINE_CHARS = 4096;  // of one line of the file; the rest of it is skipped
constexpr int PATTERN_STEPS = 64;
constexpr int TRACKS = 5;
constexpr int TRACK_FLAGS = 20;  // muted / next / entry are kept for 20 tracks; 0 to 4 are used

// Stretch modes of a section.
constexpr int STRETCH_NONE = -1;  // no STRETCH line: every line stretched once
constexpr int STRETCH_FALSE = 0;
constexpr int STRETCH_RANDOM = 1;
constexpr int STRETCH_RANDOM_PLUS = 2;
constexpr int STRETCH_DOUBLE = -2;

// Sample table: 1-8 drum kit A, 11-18 kit B, 21-28 bass, 31-38 lead, 41-48 accompaniment.
constexpr int MUSIC_SAMPLE_SLOTS = 50;
constexpr int INSTRUMENT_VARIANTS = 8;
inline int MusicSamples[MUSIC_SAMPLE_SLOTS] = {};
// Highest variant whose file exists, for bass, lead and accompaniment (0 when none).
inline int HighestBass = 0, HighestLead = 0, HighestAccompany = 0;

struct SongSection {
  std::string lines[MAX_SONG_LINES + 1];  // used from 1
  int count = 0;
  int stretch = STRETCH_NONE;
};

struct SongStateData {
  int seed = 0;
  int step = -1;          // step within the current pattern, -1 before the first
  int bar = -1;           // bar within the phrase, from 1
  int patternCount = -1;  // patterns built since the song started, minus one
  int interval = 62;      // ms per step
  int nextTick = 0;       // Millis() when the next step falls due
  bool playing = false;
  float pan = 0.3f;       // pan magnitude of the side tracks
  std::string chordLine;
  int bassVariant = 1, leadVariant = 1, accompanyVariant = 1;
  SongSection sections[SECTIONS];
  std::string trackLines[TRACKS];  // drums A, drums B, bass, melody, accompaniment
  float pattern[TRACKS][PATTERN_STEPS] = {};
  int muted[TRACK_FLAGS] = {}, next[TRACK_FLAGS] = {}, entry[TRACK_FLAGS] = {};
};

// The one song state of the program.
SongStateData& SongState();
// Stops the player and forgets the song and the samples' table (tests use it between runs).
void ResetSongState();
