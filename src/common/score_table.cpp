// scores.dat reading and writing.
#include "common/score_table.h"

#include <algorithm>

#include "common/field.h"
#include "common/folders.h"
#include "common/read_number.h"
#include "media/media.h"

namespace {

// A record line is cut here and a name at MAX_READ_NAME_CHARS, so that no file, however long its
// lines, makes the list grow without bound; a written record line is far shorter.
constexpr size_t MAX_LINE_CHARS = 1024;
constexpr long RECORD_BARS = 7;  // separators of a record line (a name's own "|" is escaped)
constexpr long BEST_BARS = 29;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int Scores::Compare(const Scores& other) const {
  // Compared, not subtracted: clamped timestamps from a file would overflow the difference.
  if (other.Timestamp > Timestamp) return 1;
  if (other.Timestamp < Timestamp) return -1;
  return 0;
}

std::string EncodeScoreName(const std::string& name) {
  static const char HEX[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    // Control codes would end or break the line; blanks at the ends would be trimmed on reading.
    const bool endBlank = c == ' ' && (i == 0 || i + 1 == name.size());
    if (c == '|' || c == '%' || c < 32 || c == 127 || endBlank) {
      out += '%';
      out += HEX[c >> 4];
      out += HEX[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string DecodeScoreName(const std::string& text) {
  // Any "%" not followed by two hex digits is kept as it is (names written without escapes).
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ScoreRecordLine(const Scores& s) {
  return IntText(s.Score) + "|" + EncodeScoreName(s.Name) + "|" + IntText(s.Badges) + "|" + IntText(s.Timestamp) +
         "|" + IntText(s.Level) + "|" + IntText(s.GameMode) + "|" + IntText(s.GameFlags) + "|" + IntText(s.Quit);
}

std::string ScoreBestLine(const Scores& s) {
  std::string line = IntText(s.Best[1]);
  for (int i = 2; i <= 30; ++i) line += "|" + IntText(s.Best[i]);
  return line;
}

void SortScores() {
  ScoreList.Sort([](const Scores& a, const Scores& b) { return a.Compare(b); });
}

// Renames a damaged scores.dat to the first free "scores.dat.damaged", "...damaged2" to 9;
// locks the list's saves when none can be made.
void SetAsideScores() {
  for (int n = 1; n <= 9; ++n) {
    const std::string name = "scores.dat.damaged" + (n == 1 ? std::string() : IntText(n));
    if (RenameFile(GameFilePath("scores.dat"), GameFilePath(name))) {
      ScoresSetAside = name;
      return;
    }
  }
  ScoresLocked = true;
}

void LoadScores() {
  const int64_t size = FileSize(GameFilePath("scores.dat"));
  if (size < 0) return;
  // Games played since start-up are not in the file yet; they stay.
  std::vector<Scores> kept;
  ScoreList.ForEach([&](Scores& s) {
    if (!s.fromFile) kept.push_back(s);
  });
  ScoreList.Clear();

  bool damaged = size > MAX_SCORES_BYTES;
  int in = damaged ? 0 : OpenRead(GameFilePath("scores.dat"));
  int count = 0;
  // A line the writer cannot have written (too long, or with another number of fields) marks the
  // file damaged; what can be read of it is read as before.
  auto readLine = [&](long bars) {
    std::string line = ReadLine(in, MAX_LINE_CHARS + 1);
    const long found = std::count(line.begin(), line.end(), '|');
    // Blank lines between records are harmless.
    if (line.size() > MAX_LINE_CHARS || (found != bars && (found > 0 || !Trim(line).empty()))) damaged = true;
    line.resize(std::min(line.size(), MAX_LINE_CHARS));
    return line;
  };
  while (in && !Eof(in)) {
    std::string line = readLine(RECORD_BARS);
    if (line.find('|') == std::string::npos) continue;
    ++count;
    Scores s;
    s.fromFile = true;
    s.Score = ToLong(Field(line, "|", 1));
    s.Name = Left(DecodeScoreName(Trim(Field(line, "|", 2))), static_cast<int>(MAX_READ_NAME_CHARS));
    if (count == 1 && kept.empty()) PlayerName = s.Name;
    s.Badges = ReadAbsInt(Field(line, "|", 3));
    s.Timestamp = ToLong(Field(line, "|", 4));
    s.Level = ReadAbsInt(Field(line, "|", 5));
    s.GameMode = ReadAbsInt(Field(line, "|", 6));
    s.GameFlags = ReadAbsInt(Field(line, "|", 7));
    s.Quit = ReadAbsInt(Field(line, "|", 8));
    damaged = damaged || Eof(in);                   // the Best line is missing
    const std::string best = readLine(BEST_BARS);  // empty at the end of the file
    for (int i = 1; i <= 30; ++i) s.Best[i] = ReadAbsInt(Field(best, "|", i));
    ScoreList.Append(std::move(s));
  }
  if (in) {
    CloseFile(in);
  } else if (!damaged) {
    ScoresLocked = true;  // there but unreadable: what it holds is unknown, so it is never replaced
  }
  for (auto& s : kept) ScoreList.Append(std::move(s));
  SortScores();
  if (damaged) SetAsideScores();
}

void ResetScoreTable() {
  ScoreList.Clear();
  PlayerName = "Player";
  GameMode = Level = GameFlags = 0;
  ResetScoreFileState();
}

void ResetScoreFileState() {
  ScoresSetAside.clear();
  ScoresLocked = false;
}

bool SaveScores() {
  SortScores();
  if (PlayerFilesKept) return true;
  if (ScoresLocked) return false;
  int out = OpenReplace(GameFilePath("scores.dat"));
  if (!out) return false;
  ScoreList.ForEach([&](Scores& s) {
    WriteLine(out, ScoreRecordLine(s));
    WriteLine(out, ScoreBestLine(s));
  });
  if (!CloseFile(out)) return false;
  ScoreList.ForEach([](Scores& s) { s.fromFile = true; });  // on disk now: a reload rereads them
  return true;
}
