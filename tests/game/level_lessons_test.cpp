// Where the shipped "Soft" levels teach: the first level whose board holds a new thing explains
// it in its instruction box. The places are found from the boards, so a level moved or added
// in the source moves the lesson with it.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game/level_notes.h"

namespace {

// A level's board and hats as its source gives them.
struct Board {
  std::vector<std::string> rows;
  int hats = 0;  // in the stock
};

std::vector<Board> ReadBoards(const std::string& path) {
  std::vector<Board> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first[0] == ';') continue;
    if (first == "level") out.emplace_back();
    else if (out.empty() || first == "par" || first == "hint") continue;
    else if (first == "hats") {
      std::string item;
      while (words >> item) out.back().hats += std::stoi(item.substr(item.find('=') + 1));
    } else {
      out.back().rows.push_back(line);
    }
  }
  return out;
}

int Count(const Board& b, const std::string& chars) {
  int n = 0;
  for (const std::string& r : b.rows)
    for (char c : r) n += chars.find(c) != std::string::npos;
  return n;
}

bool Solid(const Board& b, int x, int y) {
  if (x < 0 || x > 13 || y < 0 || y > 13) return true;
  return b.rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#';
}

// The rows a Plonko falls walking off each ledge of the board.
std::vector<int> Drops(const Board& b) {
  std::vector<int> out;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 14; ++x) {
      if (Solid(b, x, y) || !Solid(b, x, y + 1)) continue;
      for (int d : {-1, 1}) {
        const int nx = x + d;
        if (nx < 0 || nx > 13 || Solid(b, nx, y) || Solid(b, nx, y + 1)) continue;
        int land = y;
        while (land < 13 && !Solid(b, nx, land + 1)) ++land;
        out.push_back(land - y);
      }
    }
  return out;
}

bool HasDrop(const Board& b, int from, int to) {
  for (int d : Drops(b))
    if (d >= from && d <= to) return true;
  return false;
}

std::string Lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Rule: each thing is explained, in words of the explanation, on the first level whose board
// holds it.
TEST(LevelLessons, FirstLevelOfEachThingExplainsIt) {
  struct Lesson {
    const char* thing;
    std::function<bool(const Board&)> holds;
    std::vector<const char*> words;  // all in the hint, in any case
  };
  const Lesson lessons[] = {
      {"a hat lying on the board", [](const Board& b) { return Count(b, "123456") > 0; }, {"board", "panel"}},
      {"more than one Plonko: an early start", [](const Board& b) { return Count(b, "<>") > 1; },
       {"waiting", "start", "not turn"}},
      {"drops that are survived and drops that kill",
       [](const Board& b) { return HasDrop(b, 2, 3) && HasDrop(b, 4, 13); }, {"three rows", "kills"}},
      {"two hats for one Plonko: one at a time", [](const Board& b) { return b.hats + Count(b, "123456") > 1; },
       {"one hat at a time", "replaces"}},
  };
  const std::string source = std::string(TEST_SOURCE_DIR) + "/assets/levels/Soft.txt";
  const std::vector<Board> boards = ReadBoards(source);
  std::vector<LevelNote> notes;
  ASSERT_TRUE(ReadLevelNotes(source, notes));
  ASSERT_EQ(boards.size(), notes.size());
  for (const Lesson& l : lessons) {
    size_t first = 0;
    while (first < boards.size() && !l.holds(boards[first])) ++first;
    ASSERT_LT(first, boards.size()) << l.thing;
    std::string hint;
    for (const std::string& line : notes[first].hint) hint += " " + line;
    for (const char* w : l.words)
      EXPECT_NE(Lowered(hint).find(w), std::string::npos) << l.thing << ": level " << first + 1 << " says" << hint;
  }
}

// Rule: the first level that hands out a Safety Hat says that it makes a Plonko wait and comes
// off when the wait ends.
TEST(LevelLessons, FirstSafetyHatLevelExplainsIt) {
  const std::string source = std::string(TEST_SOURCE_DIR) + "/assets/levels/Soft.txt";
  std::ifstream in(source);
  std::string line;
  int level = 0, first = 0;
  while (std::getline(in, line) && first == 0) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "level") ++level;
    if (word == "hats" && (line.find("safety=") != std::string::npos || line.find("white=") != std::string::npos || line.find(" 7=") != std::string::npos)) first = level;
  }
  ASSERT_GT(first, 0);
  std::vector<LevelNote> notes;
  ASSERT_TRUE(ReadLevelNotes(source, notes));
  std::string hint;
  for (const std::string& l : notes[static_cast<size_t>(first - 1)].hint) hint += " " + l;
  for (const char* w : {"safety hat", "wait", "comes off"})
    EXPECT_NE(Lowered(hint).find(w), std::string::npos) << "level " << first << " says" << hint;
}

}  // namespace

namespace {

// Rule: every shipped level has something for its box, short enough to read there: a Soft level
// two to six hint lines of at most 24 characters (the box fits about 20 at its full font and
// takes a smaller one for six), a Hard level a title of at most 60 characters (three lines).
TEST(LevelLessons, EveryBoxHasShortWords) {
  std::vector<LevelNote> soft, hard;
  ASSERT_TRUE(ReadLevelNotes(std::string(TEST_SOURCE_DIR) + "/assets/levels/Soft.txt", soft));
  ASSERT_TRUE(ReadLevelNotes(std::string(TEST_SOURCE_DIR) + "/assets/levels/Hard.txt", hard));
  for (size_t i = 0; i < soft.size(); ++i) {
    EXPECT_GE(soft[i].hint.size(), 2u) << "Soft " << i + 1;
    EXPECT_LE(soft[i].hint.size(), 6u) << "Soft " << i + 1;
    for (const std::string& l : soft[i].hint) EXPECT_LE(l.size(), 24u) << "Soft " << i + 1 << ": " << l;
  }
  for (size_t i = 0; i < hard.size(); ++i) {
    EXPECT_FALSE(hard[i].title.empty()) << "Hard " << i + 1;
    EXPECT_LE(hard[i].title.size(), 60u) << "Hard " << i + 1 << ": " << hard[i].title;
  }
}

}  // namespace
