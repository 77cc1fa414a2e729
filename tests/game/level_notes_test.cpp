// The level notes the game reads from the shipped level sources: titles, pars and hint lines,
// from a damaged source too, and the shipped sources themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/level_notes.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

std::vector<LevelNote> NotesOf(const std::string& text) {
  const fs::path file = TestFolder("level_notes") / "Soft.txt";
  std::ofstream(file, std::ios::binary) << text;
  std::vector<LevelNote> notes;
  EXPECT_TRUE(ReadLevelNotes(file.string(), notes));
  return notes;
}

TEST(LevelNotes, TitleParAndHintsBelongToTheirLevel) {
  const auto notes = NotesOf(
      "; comment\n"
      "par hats=9 actions=9\n"  // before any level: belongs to none
      "hint nobody's\n"
      "level 1: tickle it\n"
      "par hats=0 actions=1\n"
      "hint Guide the Plonko\n"
      "hint   towards the hole  \r\n"
      "..O...>.......\n"
      "level two: no number\n"
      "par hats=x actions=1\n"  // malformed: no par
      "level 3:\n"
      "hint " + std::string(500, 'w') + "\n");
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0].title, "tickle it");
  EXPECT_TRUE(notes[0].par.set);
  EXPECT_EQ(notes[0].par.actions, 1);
  EXPECT_EQ(notes[0].hint, (std::vector<std::string>{"Guide the Plonko", "towards the hole"}));
  EXPECT_EQ(notes[1].title, "two: no number");
  EXPECT_FALSE(notes[1].par.set);
  EXPECT_EQ(notes[2].title, "");
  ASSERT_EQ(notes[2].hint.size(), 1u);
  EXPECT_EQ(notes[2].hint[0].size(), static_cast<size_t>(MAX_NOTE_CHARS));
}

TEST(LevelNotes, DamagedOrMissingSourcesGiveEmptyNotes) {
  std::vector<LevelNote> notes(3);
  EXPECT_FALSE(ReadLevelNotes((TestFolder("level_notes_missing") / "none.txt").string(), notes));
  EXPECT_TRUE(notes.empty());
  // Binary rubbish and a flood of hints: read, bounded, no crash.
  std::string junk(4096, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 37);
  std::string flood = "level 1\n";
  for (int i = 0; i < 100; ++i) flood += "hint line\n";
  const auto read = NotesOf(junk + "\n" + flood);
  ASSERT_FALSE(read.empty());
  EXPECT_EQ(read.back().hint.size(), static_cast<size_t>(MAX_HINT_LINES));
  EXPECT_EQ(NoteOf(0).title, "");
  EXPECT_EQ(NoteOf(100000).hint.size(), 0u);
}

// The sources as shipped: thirty levels each, every one titled and with its par.
TEST(LevelNotes, ShippedSourcesTitleAndParEveryLevel) {
  for (const char* mode : {"Soft", "Hard"}) {
    std::vector<LevelNote> notes;
    ASSERT_TRUE(ReadLevelNotes((fs::path(GAME_DIR) / "Plonko_Levels" / (std::string(mode) + ".txt")).string(), notes))
        << mode << " is not beside its image in the run folder";
    ASSERT_EQ(notes.size(), 30u) << mode;
    for (size_t i = 0; i < notes.size(); ++i) {
      EXPECT_FALSE(notes[i].title.empty()) << mode << " " << i + 1;
      EXPECT_TRUE(notes[i].par.set) << mode << " " << i + 1;
    }
  }
}

}  // namespace
