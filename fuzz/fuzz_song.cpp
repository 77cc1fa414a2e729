// Song files through the real line reader, then the pattern builder over what was read: any file
// reads without harm, its pools stay within their limits, and patterns hold only playable values.
#include <unistd.h>

#include <cmath>
#include <cstdint>

#include "fuzz_file.h"
#include "media/media.h"
#include "music/pattern.h"
#include "music/song_file.h"
#include "music/song_state.h"

// The song state lives with the player, which this program leaves out (it plays no sound).
SongStateData& SongState() {
  static auto* state = new SongStateData();
  return *state;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inFolder = ::chdir(fuzz::ScratchFolder().c_str()) == 0;
  fuzz::Check(inFolder, "the scratch folder is current");
  fuzz::PutFile("music/Fuzz.ini", data, size);
  ReadSong("Fuzz");
  SongStateData& song = SongState();
  for (const SongSection& s : song.sections) {
    fuzz::Check(s.count >= 0 && s.count <= MAX_SONG_LINES, "a pool within its limit");
    for (int i = 1; i <= s.count; ++i) fuzz::Check(s.lines[i].size() <= MAX_SONG_LINE_CHARS, "a line within its limit");
  }

  // A song starts as the player starts it: fresh sequencer, then a few phrases' worth of patterns.
  song.seed = size > 0 ? data[0] : 0;
  song.bar = -1;
  song.patternCount = -1;
  song.chordLine.clear();
  HighestBass = HighestLead = HighestAccompany = INSTRUMENT_VARIANTS;
  for (int p = 0; p < 6; ++p) {
    NextPattern();
    for (int t = 0; t < TRACKS; ++t)
      for (int s = 0; s < PATTERN_STEPS; ++s) {
        const float v = song.pattern[t][s];
        fuzz::Check(std::isfinite(v) && v >= 0.0f && v <= 10.0f, "a playable pattern value");
      }
  }
  return 0;
}
