// Line picks, stretch modes and the building of patterns.
#include <set>

#include "music/pattern.h"
#include "music/song_file.h"
#include "music_fixture.h"

namespace {

using Patterns = MusicTest;

// Rule: FALSE never stretches, no STRETCH line always once, RANDOM once or not at all, RANDOM+
// not at all, once or twice, DOUBLE always twice; a stretch puts a space after every character.
TEST_F(Patterns, StretchOfEachMode) {
  struct Case {
    const char* stretch;
    std::set<size_t> lengths;  // of the 3-character line "qwe"
  } cases[] = {
      {"STRETCH FALSE", {3}},      {"", {6}}, {"STRETCH RANDOM", {3, 6}}, {"STRETCH RANDOM+", {3, 6, 12}},
      {"STRETCH DOUBLE", {12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stretch);
    WriteSong("s", std::string("[BASS]\n") + c.stretch + "\n\"qwe\"\n");
    ReadSong("s");
    std::set<size_t> seen;
    for (int seed = 1; seed <= 60; ++seed) {
      SongState().seed = seed;
      const std::string line = PickLine(SECTION_BASS, 13);
      seen.insert(line.size());
      if (line.size() == 6) {
        EXPECT_EQ(line, "q w e ");
      }
      if (line.size() == 12) {
        EXPECT_EQ(line, "q   w   e   ");
      }
    }
    EXPECT_EQ(seen, c.lengths);
  }
  EXPECT_EQ(StretchLine(""), "");
}

// Rule: the pick depends only on the seed, bar, pattern count and k; an empty section gives an
// empty line.
TEST_F(Patterns, PicksAreRepeatableAndEmptySectionsSilent) {
  std::string text = "[MELODY]\n";
  for (int i = 1; i <= 20; ++i) text += "\"" + std::string(static_cast<size_t>(i), 'q') + "\"\n";
  WriteSong("s", text);
  ReadSong("s");
  SongState().seed = 5;
  SongState().bar = 2;
  SongState().patternCount = 7;
  const std::string first = PickLine(SECTION_MELODY, 19);
  std::set<std::string> others;
  for (int k = 0; k < 30; ++k) others.insert(PickLine(SECTION_MELODY, k));
  EXPECT_EQ(PickLine(SECTION_MELODY, 19), first);
  EXPECT_GT(others.size(), 5u) << "k changes the pick";
  EXPECT_EQ(PickLine(SECTION_BASS, 13), "");
  EXPECT_EQ(PickChordLine(13), "");
}

// A drum line "1 2 " without STRETCH plays sample 1 on step 0 and 2 on step 4, every 8 steps,
// on both drum tracks; drum lines restart with every pattern.
TEST_F(Patterns, DrumLineRepeatsEveryEightSteps) {
  WriteSong("s", "[DRUMS]\n\"1 2 \"\n[CHORDS]\n\"qqqqqqqq\"\n");
  LoadSong("s", 3, 125);
  for (int pattern = 0; pattern < 3; ++pattern) {
    for (int s = 0; s < PATTERN_STEPS; ++s) {
      const float want = s % 8 == 0 ? 1.0f : (s % 8 == 4 ? 2.0f : 0.0f);
      EXPECT_EQ(SongState().pattern[0][s], want) << "step " << s;
      EXPECT_EQ(SongState().pattern[1][s], want) << "step " << s;
    }
    NextPattern();
  }
}

// With STRETCH FALSE a 128-character bass line covers a phrase of two bars (8 chord letters):
// the second bar goes on where the first stopped, and the next phrase starts it again.
TEST_F(Patterns, LongBassLineRunsOverTwoBars) {
  std::string line;
  const std::string letters = "qwertyui";
  for (int i = 0; i < 128; ++i) line += (i % 3 == 2) ? ' ' : letters[static_cast<size_t>(i / 16)];
  WriteSong("s", "[CHORDS]\n\"qqrrttqq\"\n[BASS]\nSTRETCH FALSE\n\"" + line + "\"\n");
  LoadSong("s", 9, 125);
  for (int pattern = 0; pattern < 4; ++pattern) {
    const int bar = SongState().bar;
    EXPECT_EQ(bar, pattern % 2 + 1);
    for (int s = 0; s < PATTERN_STEPS; ++s) {
      const char c = line[static_cast<size_t>(s + (bar - 1) * PATTERN_STEPS)];
      EXPECT_FLOAT_EQ(SongState().pattern[2][s], c == ' ' ? 0.0f : NoteRatio(c)) << "bar " << bar << " step " << s;
    }
    NextPattern();
  }
}

// Rule: the chord line's length sets the phrase: 8 letters give two bars (a new phrase every
// second pattern), fewer than 4 or none give a new phrase every pattern; lines and variants
// change only at a new phrase.
TEST_F(Patterns, PhraseLengthFollowsTheChordLine) {
  struct Case {
    const char* chords;
    std::vector<int> bars;
  } cases[] = {
      {"\"qqrrttqq\"", {1, 2, 1, 2, 1, 2}},
      {"\"qqrrttqqqqrrttqq\"", {1, 2, 3, 4, 1, 2}},
      {"\"qrt\"", {1, 1, 1, 1, 1, 1}},
      {"", {1, 1, 1, 1, 1, 1}},
  };
  WriteSamples(3);
  LoadMusicSamples();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chords);
    WriteSong("s", std::string("[CHORDS]\n") + c.chords + "\n[MELODY]\n\"qwe\"\n\"rty\"\n\"uio\"\n\"p\"\n");
    LoadSong("s", 21, 125);
    std::vector<int> bars;
    std::string melody = SongState().trackLines[3];
    for (size_t i = 0; i < c.bars.size(); ++i) {
      bars.push_back(SongState().bar);
      if (SongState().bar > 1) {
        EXPECT_EQ(SongState().trackLines[3], melody) << "lines stay within a phrase";
      }
      melody = SongState().trackLines[3];
      EXPECT_GE(SongState().leadVariant, 1);
      EXPECT_LE(SongState().leadVariant, 3);
      NextPattern();
    }
    EXPECT_EQ(bars, c.bars);
  }
}

// Rule: at every new phrase at least one drum track and one of bass and melody play.
TEST_F(Patterns, EveryPhraseKeepsADrumTrackAndBassOrMelody) {
  WriteSong("s", "[CHORDS]\n\"qqqq\"\n");
  for (int seed = 1; seed <= 40; ++seed) {
    LoadSong("s", seed, 125);
    for (int phrase = 0; phrase < 20; ++phrase) {
      const SongStateData& song = SongState();
      EXPECT_TRUE(song.muted[0] == 0 || song.muted[1] == 0) << seed;
      EXPECT_TRUE(song.muted[2] == 0 || song.muted[3] == 0) << seed;
      NextPattern();
    }
  }
}

}  // namespace
