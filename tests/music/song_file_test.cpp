// Reading song files: headers, STRETCH lines, pattern lines and their limits, damaged files, and
// the note letter table.
#include <cmath>
#include <fstream>

#include "music/song_file.h"
#include "music_fixture.h"

namespace {

using SongFile = MusicTest;

const SongSection& Section(int s) { return SongState().sections[s]; }

// Rule: a header is the line upper-cased without "]"; only the five known ones change the
// section, so lines under an unknown header still go to the section before it; lines before any
// header are dropped; quotes are removed and inner spaces kept.
TEST_F(SongFile, HeadersChooseTheSectionAndUnknownOnesChangeNothing) {
  WriteSong("s",
            "\"orphan\"\n"
            "  [drums]  \n"
            "\"1 2 \"\n"
            "[Bass]\n"
            "\"q  x\"\n"
            "[SOLO]\n"
            "\"after unknown\"\n"
            "# a comment\n"
            "not quoted\n"
            "[MELODY\n"
            "\"a\"b\"\n"
            "[ACCOMPANY]]\n"
            "\"\"\n"
            "[chords]\n"
            "\t\"qqrr\"\r\n");
  ReadSong("s");
  EXPECT_EQ(Section(SECTION_DRUMS).count, 1);
  EXPECT_EQ(Section(SECTION_DRUMS).lines[1], "1 2 ");
  ASSERT_EQ(Section(SECTION_BASS).count, 2);
  EXPECT_EQ(Section(SECTION_BASS).lines[1], "q  x");
  EXPECT_EQ(Section(SECTION_BASS).lines[2], "after unknown");
  EXPECT_EQ(Section(SECTION_MELODY).lines[1], "ab");
  ASSERT_EQ(Section(SECTION_ACCOMPANY).count, 1);
  EXPECT_EQ(Section(SECTION_ACCOMPANY).lines[1], "");
  EXPECT_EQ(Section(SECTION_CHORDS).lines[1], "qqrr");
}

// Rule: STRETCH lines (any case) set the current section's mode by their last word, tested as
// FALSE, RANDOM, RANDOM+, DOUBLE; any other word, or no section yet, changes nothing.
TEST_F(SongFile, StretchLinesSetTheMode) {
  struct Case {
    const char* lines;
    int mode;
  } cases[] = {
      // lines under [BASS]                     mode
      {"", STRETCH_NONE},
      {"STRETCH FALSE", STRETCH_FALSE},
      {"stretch random", STRETCH_RANDOM},
      {"Stretch = random+", STRETCH_RANDOM_PLUS},
      {"STRETCH DOUBLE", STRETCH_DOUBLE},
      {"STRETCH DOUBLE\nSTRETCH SOMETIMES", STRETCH_DOUBLE},
      {"STRETCH TRIPLE", STRETCH_NONE},
      {"STRETCHFALSE", STRETCH_FALSE},
      {"STRETCH RANDOM\nSTRETCH FALSE", STRETCH_FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    WriteSong("s", std::string("STRETCH DOUBLE\n[BASS]\n") + c.lines + "\n\"q\"\n[MELODY]\n");
    ReadSong("s");
    EXPECT_EQ(Section(SECTION_BASS).stretch, c.mode);
    EXPECT_EQ(Section(SECTION_MELODY).stretch, STRETCH_NONE);
    EXPECT_EQ(Section(SECTION_DRUMS).stretch, STRETCH_NONE) << "a STRETCH line before any header";
  }
}

// A missing file empties every section and resets the modes; so does a file read after a song.
TEST_F(SongFile, MissingFileLeavesEverySectionEmpty) {
  WriteSong("s", "[DRUMS]\nSTRETCH FALSE\n\"1\"\n[BASS]\n\"q\"\n");
  ReadSong("s");
  ASSERT_EQ(Section(SECTION_DRUMS).count, 1);
  ReadSong("nothing here");
  for (int s = 0; s < SECTIONS; ++s) {
    EXPECT_EQ(Section(s).count, 0) << s;
    EXPECT_EQ(Section(s).stretch, STRETCH_NONE) << s;
  }
}

// Rule: at most 998 lines a section; the rest are dropped, and the other sections still fill.
TEST_F(SongFile, LinesBeyond998AreDropped) {
  std::string text = "[BASS]\n";
  for (int i = 1; i <= 1200; ++i) text += "\"" + std::to_string(i) + "\"\n";
  text += "[MELODY]\n\"m\"\n";
  WriteSong("s", text);
  ReadSong("s");
  EXPECT_EQ(Section(SECTION_BASS).count, MAX_SONG_LINES);
  EXPECT_EQ(Section(SECTION_BASS).lines[998], "998");
  EXPECT_EQ(Section(SECTION_MELODY).count, 1);
}

// Damaged files: a line of 20 MB, binary bytes with zeros, a million lines. Each reads without
// crashing, keeps every line within the length limit and the line count within 998.
TEST_F(SongFile, AbsurdFilesReadWithinLimits) {
  {
    std::ofstream f(dir_ / "music" / "long.ini", std::ios::binary);
    f << "[BASS]\n\"" << std::string(20 << 20, 'q') << "\"\n\"after\"\n";
  }
  ReadSong("long");
  ASSERT_EQ(Section(SECTION_BASS).count, 2);
  EXPECT_EQ(Section(SECTION_BASS).lines[1].size(), static_cast<size_t>(MAX_SONG_LINE_CHARS - 1));
  EXPECT_EQ(Section(SECTION_BASS).lines[2], "after");

  {
    std::ofstream f(dir_ / "music" / "binary.ini", std::ios::binary);
    f << "[DRUMS]\n";
    uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
      x = x * 1664525u + 1013904223u;
      f.put(static_cast<char>(x >> 24));
    }
  }
  ReadSong("binary");
  for (int s = 0; s < SECTIONS; ++s) {
    EXPECT_LE(Section(s).count, MAX_SONG_LINES);
    for (int i = 1; i <= Section(s).count; ++i) EXPECT_LE(Section(s).lines[i].size(), static_cast<size_t>(MAX_SONG_LINE_CHARS));
  }

  {
    std::ofstream f(dir_ / "music" / "million.ini", std::ios::binary);
    f << "[MELODY]\n";
    for (int i = 0; i < 1000000; ++i) f << "\"qwe\"\n";
    f << "[BASS]\n\"last\"\n";
  }
  ReadSong("million");
  EXPECT_EQ(Section(SECTION_MELODY).count, MAX_SONG_LINES);
  EXPECT_EQ(Section(SECTION_BASS).lines[1], "last");
}

// The letters: "q" is the sample's pitch, "i" an octave up, each key a semitone; case does not
// matter; "z", every other character and the empty text are rests.
TEST(NoteLetters, RatiosRestsAndCase) {
  struct Case {
    std::string letter;
    float ratio;
  } cases[] = {
      {"q", 1.0f}, {"Q", 1.0f}, {"i", 2.0f}, {"I", 2.0f}, {"s", 0.5295f}, {"]", 2.996f}, {"5", 1.414f},
      {"z", 0.0f}, {"Z", 0.0f}, {"", 0.0f},  {" ", 0.0f}, {"a", 0.0f},    {"1", 0.0f},   {"qz", 1.0f},
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(NoteRatio(c.letter), c.ratio) << "'" << c.letter << "'";

  // Both octaves, in key order: every step a semitone (within the table's rounding).
  const std::string keys = "sxdcvgbhnjmq2w3er5t6y7ui9o0p[=]";
  for (size_t k = 1; k < keys.size(); ++k) {
    const double step = 12 * std::log2(NoteRatio(keys[k]) / NoteRatio(keys[k - 1]));
    EXPECT_NEAR(step, 1.0, 0.01) << keys[k - 1] << " to " << keys[k];
  }
}

}  // namespace
