// scores.dat: the record and Best lines, the reading rules, the order, the reload that keeps this
// run's games, names with "|", and the atomic replacement.
#include <climits>
#include <cstdint>

#include "common/score_table.h"
#include "engine_fixture.h"
#include "kill_during_writes.h"

namespace {

class ScoreTableTest : public EngineTest {
 protected:
  std::vector<Scores> List() {
    std::vector<Scores> out;
    ScoreList.ForEach([&](Scores& s) { out.push_back(s); });
    return out;
  }
  void Load(const std::string& text) {
    WriteFile(Game() / "scores.dat", text);
    LoadScores();
  }
};

Scores Record(int64_t score, const std::string& name, int64_t timestamp) {
  Scores s;
  s.Score = score;
  s.Name = name;
  s.Timestamp = timestamp;
  return s;
}

const std::string ZEROS = "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0";

TEST_F(ScoreTableTest, RecordIsWrittenAsTwoLines) {
  Scores s = Record(0, "Player", 63460269909);
  s.Quit = 1;
  EXPECT_EQ(ScoreRecordLine(s), "0|Player|0|63460269909|0|0|0|1");
  EXPECT_EQ(ScoreBestLine(s), ZEROS);
  s.Best[1] = 5;
  s.Best[30] = -1;
  s.Score = -12;
  EXPECT_EQ(ScoreRecordLine(s), "-12|Player|0|63460269909|0|0|0|1");
  EXPECT_EQ(ScoreBestLine(s), "5" + ZEROS.substr(1, ZEROS.size() - 2) + "-1");
}

TEST_F(ScoreTableTest, SaveAndLoadGiveTheSameRecordsNewestFirst) {
  Scores a = Record(1500, "Ann", 300);
  a.Badges = 5;
  a.Level = 2;
  a.GameMode = 1;
  a.GameFlags = 3;
  a.Quit = 1;
  for (int i = 1; i <= 30; ++i) a.Best[i] = i * 7;
  Scores b = Record(INT64_MAX, "pipe|in|name", 900);
  Scores c = Record(-42, "100% sure %7C", INT64_MIN);
  Scores d = Record(7, "", 600);  // an empty name survives too
  for (const Scores& s : {a, b, c, d}) ScoreList.Append(s);
  ASSERT_TRUE(SaveScores());
  ScoreList.Clear();
  LoadScores();

  std::vector<Scores> got = List();
  ASSERT_EQ(got.size(), 4u);
  const Scores* order[] = {&b, &d, &a, &c};  // newest first
  for (size_t i = 0; i < 4; ++i) {
    const Scores& want = *order[i];
    EXPECT_EQ(got[i].Name, want.Name);
    EXPECT_EQ(got[i].Score, want.Score);
    EXPECT_EQ(got[i].Timestamp, want.Timestamp);
    EXPECT_EQ(got[i].Badges, want.Badges);
    EXPECT_EQ(got[i].Level, want.Level);
    EXPECT_EQ(got[i].GameMode, want.GameMode);
    EXPECT_EQ(got[i].GameFlags, want.GameFlags);
    EXPECT_EQ(got[i].Quit, want.Quit);
    for (int k = 1; k <= 30; ++k) EXPECT_EQ(got[i].Best[k], want.Best[k]) << want.Name << " Best " << k;
  }
  EXPECT_EQ(PlayerName, "pipe|in|name");  // the newest record's name
  // The file itself keeps eight fields per record line although a name held "|".
  std::vector<std::string> lines = FileLines(Game() / "scores.dat");
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "9223372036854775807|pipe%7Cin%7Cname|0|900|0|0|0|0");
  EXPECT_EQ(lines[6], "-42|100%25 sure %257C|0|-9223372036854775808|0|0|0|0");
}

TEST_F(ScoreTableTest, ReadingRules) {
  struct Case {
    const char* file;
    int count;
    const char* name;
    int64_t score, timestamp;
    int badges, level, mode, flags, quit, best1, best30;
  } cases[] = {
      // file text                                   records  first name  score  timestamp  badges level mode flags quit best1 best30
      {"-5|Bo|-3|-77|-1|-1|-2|-1\n-4|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|-9\n",
       1, "Bo", -5, -77, 3, 1, 1, 2, 1, 4, 9},
      {"12|  Al  |1|5|0|0|0|0\n", 1, "Al", 12, 5, 1, 0, 0, 0, 0, 0, 0},  // Best line missing: zeros
      {"junk\n\n3|Cy|0|1|0|0|0|0\n1|2|3\nmore junk\n", 1, "Cy", 3, 1, 0, 0, 0, 0, 0, 1, 0},
      {"9\n4|\n", 1, "", 4, 0, 0, 0, 0, 0, 0, 0, 0},               // fields after the name missing: 0
      {"5\n|\n", 1, "", 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {"1|Di\n", 1, "Di", 1, 0, 0, 0, 0, 0, 0, 0, 0},                 // fields past the end read 0
      {"99999999999999999999999|Ed|-2147483648|-99999999999999999999999|0|0|0|99999999999\n",
       1, "Ed", INT64_MAX, INT64_MIN, INT_MAX, 0, 0, 0, INT_MAX, 0, 0},
      {"a|b|c|d|e|f|g|h\n", 1, "b", 0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    ScoreList.Clear();
    Load(c.file);
    std::vector<Scores> got = List();
    ASSERT_EQ(static_cast<int>(got.size()), c.count) << c.file;
    const Scores& s = got[0];
    EXPECT_EQ(s.Name, c.name) << c.file;
    EXPECT_EQ(s.Score, c.score) << c.file;
    EXPECT_EQ(s.Timestamp, c.timestamp) << c.file;
    EXPECT_EQ(s.Badges, c.badges) << c.file;
    EXPECT_EQ(s.Level, c.level) << c.file;
    EXPECT_EQ(s.GameMode, c.mode) << c.file;
    EXPECT_EQ(s.GameFlags, c.flags) << c.file;
    EXPECT_EQ(s.Quit, c.quit) << c.file;
    EXPECT_EQ(s.Best[1], c.best1) << c.file;
    EXPECT_EQ(s.Best[30], c.best30) << c.file;
  }
}

TEST_F(ScoreTableTest, EmptyOrMissingFileLeavesTheNameAlone) {
  PlayerName = "Zed";
  ScoreList.Append(Record(1, "x", 1));
  LoadScores();  // no file: the list keeps what it had
  EXPECT_EQ(ScoreList.Count(), 1);
  ScoreList.Clear();
  Load("");
  EXPECT_EQ(ScoreList.Count(), 0);
  EXPECT_EQ(PlayerName, "Zed");
}

TEST_F(ScoreTableTest, ReloadKeepsTheGamesOfThisRun) {
  Load("10|Old|0|100|0|0|0|0\n" + ZEROS + "\n20|Older|0|50|0|0|0|0\n" + ZEROS + "\n");
  ASSERT_EQ(ScoreList.Count(), 2);
  PlayerName = "New";  // typed at name entry for this run's game
  Scores fresh = Record(30, "New", 200);
  ScoreList.Append(fresh);
  LoadScores();  // a display change reloads the file
  std::vector<Scores> got = List();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].Name, "New");
  EXPECT_EQ(got[1].Name, "Old");
  EXPECT_EQ(got[2].Name, "Older");
  EXPECT_EQ(PlayerName, "New");
  // Once saved, the record is part of the file: a reload does not double it.
  ASSERT_TRUE(SaveScores());
  LoadScores();
  EXPECT_EQ(ScoreList.Count(), 3);
}

TEST_F(ScoreTableTest, ExtremeTimestampsStillSortNewestFirst) {
  // The difference of these would overflow 64 bits.
  for (int64_t t : {INT64_MIN, int64_t{0}, INT64_MAX, int64_t{-1}}) ScoreList.Append(Record(0, "t", t));
  SortScores();
  std::vector<Scores> got = List();
  EXPECT_EQ(got[0].Timestamp, INT64_MAX);
  EXPECT_EQ(got[1].Timestamp, 0);
  EXPECT_EQ(got[2].Timestamp, -1);
  EXPECT_EQ(got[3].Timestamp, INT64_MIN);
  EXPECT_EQ(got[0].Compare(got[3]), -1);
  EXPECT_EQ(got[3].Compare(got[0]), 1);
  EXPECT_EQ(got[1].Compare(got[1]), 0);
}

// Rule: every name survives a save and a load: "|" and "%", control codes that would end or
// break the line, and blanks at the ends that reading would trim are escaped; other bytes,
// those above 127 included, are written as they are.
TEST_F(ScoreTableTest, NameEscapes) {
  struct Case {
    const char* name;
    const char* written;
  } cases[] = {
      // name       as written
      {"a|b", "a%7Cb"},
      {"%", "%25"},
      {"%7C", "%257C"},
      {"||", "%7C%7C"},
      {"plain", "plain"},
      {"a\nb\r\x01", "a%0Ab%0D%01"},
      {"\x7F", "%7F"},
      {" two words ", "%20two words%20"},
      {" ", "%20"},
      {"\xE9t\xE9 \xFF", "\xE9t\xE9 \xFF"},
  };
  ScoreList.Clear();
  int64_t when = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeScoreName(c.name), c.written);
    EXPECT_EQ(DecodeScoreName(c.written), c.name);
    ScoreList.Append(Record(1, c.name, --when));  // oldest last, as the list is sorted
  }
  ASSERT_TRUE(SaveScores());
  EXPECT_EQ(FileLines(Game() / "scores.dat").size(), 2 * std::size(cases)) << "no name breaks a line";
  ScoreList.Clear();
  LoadScores();
  ASSERT_EQ(ScoreList.Count(), static_cast<int>(std::size(cases)));
  size_t i = 0;
  ScoreList.ForEach([&](Scores& s) { EXPECT_EQ(s.Name, cases[i++].name); });
  // Text not written by the encoder reads as it stands.
  EXPECT_EQ(DecodeScoreName("50% off %zz %"), "50% off %zz %");
}

// Rule: a line of any length costs bounded memory: it is cut at 1024 characters (the fields
// past the cut read as missing), a name at MAX_READ_NAME_CHARS, and the next record still reads whole.
TEST_F(ScoreTableTest, HugeLinesAreCut) {
  const std::string best = "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30";
  WriteFile(Game() / "scores.dat", "5|" + std::string(3'000'000, 'N') + "|0|2|0|0|0|0\r\n" + best + "\r\n" +
                                       "7|Bo|0|1|0|0|0|0\r\n" + best + std::string(100'000, '|') + "\r\n");
  LoadScores();
  ASSERT_EQ(ScoreList.Count(), 2);
  std::vector<Scores> got;
  ScoreList.ForEach([&](Scores& s) { got.push_back(s); });
  EXPECT_EQ(got[0].Name, "Bo");
  EXPECT_EQ(got[0].Score, 7);
  EXPECT_EQ(got[0].Best[30], 30);
  EXPECT_EQ(got[1].Name, std::string(MAX_READ_NAME_CHARS, 'N'));
  EXPECT_EQ(got[1].Timestamp, 0) << "cut off with the rest of the line";
  EXPECT_EQ(got[1].Best[30], 30);
}

TEST_F(ScoreTableTest, ReplacementIsAtomicWhenKilledMidWrite) {
  auto version = [](int v) {
    ScoreList.Clear();
    for (int i = 0; i < (v ? 60 : 5); ++i) ScoreList.Append(Record(i, "Name" + std::to_string(i), i));
  };
  version(0);
  ASSERT_TRUE(SaveScores());
  std::string a = FileText(Game() / "scores.dat");
  version(1);
  ASSERT_TRUE(SaveScores());
  std::string b = FileText(Game() / "scores.dat");
  ExpectAtomicUnderKill(Game() / "scores.dat", [&](int v) { version(v); SaveScores(); }, a, b);
}

}  // namespace

namespace {

// Rule: a file the writer cannot have written is never written over: what can be read of it is
// read, and the file itself is kept whole as "scores.dat.damaged"; a file as written (blank lines
// aside) stays where it is. Either way the list then saves, and reads back undamaged.
TEST_F(ScoreTableTest, ADamagedFileIsSetAsideWhole) {
  const std::string good = "5|Ann|0|9|0|0|0|1\r\n" + ZEROS + "\r\n";
  const struct Case {
    std::string file;
    int records;
    bool damaged;
  } cases[] = {
      // file                                                records  set aside
      {good, 1, false},
      {good + "\r\n  \r\n", 1, false},                               // blank lines are harmless
      {"junk\r\n" + good, 1, true},                                  // a line that is no record
      {good + "7|Bo|0|8|0|0|0|0\r\n", 2, true},                      // the last Best line missing
      {good.substr(0, good.size() - 9), 1, true},                    // the file cut short
      {"5|Ann|0|9|0|0|0|1|2\r\n" + ZEROS + "\r\n", 1, true},         // a field too many
      {"5|" + std::string(2000, 'A') + "|0|9|0|0|0|1\r\n" + ZEROS + "\r\n", 1, true},  // a line too long
      {good + std::string("\0\0\x01\x02|", 5) + "\r\n", 2, true},   // bytes of a damaged disk
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file.substr(0, 40)));
    std::filesystem::remove(Game() / "scores.dat.damaged");
    ResetScoreFileState();
    ScoreList.Clear();
    Load(c.file);
    EXPECT_EQ(ScoreList.Count(), c.records);
    EXPECT_EQ(ScoresSetAside, c.damaged ? "scores.dat.damaged" : "");
    EXPECT_EQ(FileText(Game() / (c.damaged ? "scores.dat.damaged" : "scores.dat")), c.file);
    EXPECT_EQ(std::filesystem::exists(Game() / "scores.dat"), !c.damaged);
    ASSERT_TRUE(SaveScores());
    ScoresSetAside.clear();
    ScoreList.Clear();
    LoadScores();
    EXPECT_EQ(ScoreList.Count(), c.records);
    EXPECT_TRUE(ScoresSetAside.empty()) << "a written file reads back undamaged";
  }
}

// Rule: a file far larger than any list is not read at all, only set aside; each damaged file gets
// the next free name, and when none is free the list is never saved over the file.
TEST_F(ScoreTableTest, AnOversizedFileIsSetAsideUnreadAndNeverOverwritten) {
  const uintmax_t huge = uintmax_t{300} << 20;
  auto writeHuge = [&] {
    WriteFile(Game() / "scores.dat", "5|Ann|0|9|0|0|0|1\r\n");
    std::filesystem::resize_file(Game() / "scores.dat", huge);  // sparse: no disk taken
  };
  writeHuge();
  LoadScores();
  EXPECT_EQ(ScoreList.Count(), 0);
  EXPECT_EQ(ScoresSetAside, "scores.dat.damaged");
  EXPECT_EQ(std::filesystem::file_size(Game() / "scores.dat.damaged"), huge);

  for (int n = 2; n <= 9; ++n) {
    writeHuge();
    LoadScores();
    EXPECT_EQ(ScoresSetAside, "scores.dat.damaged" + std::to_string(n));
  }
  writeHuge();
  ScoresSetAside.clear();
  ScoreList.Append(Record(3, "Cy", 4));
  LoadScores();
  EXPECT_TRUE(ScoresSetAside.empty());
  EXPECT_TRUE(ScoresLocked);
  EXPECT_FALSE(SaveScores());
  EXPECT_EQ(std::filesystem::file_size(Game() / "scores.dat"), huge);
  EXPECT_EQ(ScoreList.Count(), 1) << "this run's game is kept in the list";
}

}  // namespace
