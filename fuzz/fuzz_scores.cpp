// scores.dat: any file reads without harm, and the list it gives survives a save and a load
// record for record (names with "|", "%", control characters or bytes above 127 included).
#include <unistd.h>

#include <cstdint>
#include <cstring>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool inFolder = ::chdir(fuzz::ScratchFolder().c_str()) == 0;
  fuzz::Check(inFolder, "the scratch folder is current");
  fuzz::PutFile("scores.dat", data, size);
  ScoreList.Clear();
  PlayerName = "Player";
  LoadScores();
  const std::vector<Scores> loaded = Records();

  fuzz::Check(SaveScores(), "the scores are saved");
  ScoreList.Clear();
  LoadScores();
  const std::vector<Scores> again = Records();
  fuzz::Check(again.size() == loaded.size(), "every record survives a save and a load");
  for (size_t i = 0; i < loaded.size(); ++i) fuzz::Check(Same(loaded[i], again[i]), "a record reads back the same");
  return 0;
}
