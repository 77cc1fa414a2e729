// scores.dat: any file reads without harm; a file found damaged is kept byte for byte under
// another name; and the list it gives survives a save and a load record for record (names with
// "|", "%", control characters or bytes above 127 included), reading back undamaged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/score_table.h"
#include "fuzz_file.h"
#include "media/media.h"

namespace {

std::vector<Scores> Records() {
  std::vector<Scores> out;
  ScoreList.ForEach([&](Scores& s) { out.push_back(s); });
  return out;
}

bool Same(const Scores& a, const Scores& b) {
  return a.Score == b.Score && a.Timestamp == b.Timestamp && a.Badges == b.Badges && a.Name == b.Name &&
         std::memcmp(a.Best, b.Best, sizeof a.Best) == 0 && a.Level == b.Level && a.GameMode == b.GameMode &&
         a.GameFlags == b.GameFlags && a.Quit == b.Quit;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inFolder = ::chdir(fuzz::ScratchFolder().c_str()) == 0;
  fuzz::Check(inFolder, "the scratch folder is current");
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::remove("scores.dat.damaged");
  ResetScoreFileState();
  fuzz::PutFile("scores.dat", data, size);
  ScoreList.Clear();
  PlayerName = "Player";
  LoadScores();
  const std::vector<Scores> loaded = Records();
  fuzz::Check(!ScoresLocked, "a readable file is never locked");
  if (!ScoresSetAside.empty()) fuzz::Check(FileText(ScoresSetAside) == input, "a damaged file is kept whole");

  fuzz::Check(SaveScores(), "the scores are saved");
  ScoreList.Clear();
  ScoresSetAside.clear();
  LoadScores();
  const std::vector<Scores> again = Records();
  fuzz::Check(ScoresSetAside.empty() && !ScoresLocked, "a written file reads back undamaged");
  fuzz::Check(again.size() == loaded.size(), "every record survives a save and a load");
  for (size_t i = 0; i < loaded.size(); ++i) fuzz::Check(Same(loaded[i], again[i]), "a record reads back the same");
  return 0;
}
