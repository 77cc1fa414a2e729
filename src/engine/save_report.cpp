// Failed saves: logged each time, shown on screen once per file and run.
#include "engine/save_report.h"

#include <set>

#include "common/log.h"
#include "common/score_table.h"
#include "frame/end_frame.h"
#include "media/file_error.h"
#include "media/media.h"

namespace {

std::set<std::string> shown;    // files whose failure the player has been told of in this run
std::set<std::string> failing;  // files whose latest save failed

}  // namespace

std::string SaveFailedText(const std::string& file) { return "Could not save " + file + ": the old one is kept"; }

void ReportSave(const std::string& file, bool saved) {
  if (saved) {
    failing.erase(file);
    return;
  }
  failing.insert(file);
  LogLine("\tCould not save " + file + " (" + ReplaceError() + "); the old file is kept");
  if (shown.insert(file).second) AddMessage(SaveFailedText(file), 1);
}

std::vector<std::string> FailingSaves() { return {failing.begin(), failing.end()}; }

bool SaveScoreFile() {
  const bool saved = SaveScores();
  ReportSave("scores.dat", saved);
  return saved;
}

void ReportScoreFile() {
  if (!ScoresSetAside.empty()) {
    LogLine("\tscores.dat is damaged; kept as " + ScoresSetAside + ", and a new one begun");
    AddMessage("scores.dat was damaged: it is kept as " + ScoresSetAside, 1);
    ScoresSetAside.clear();
  } else if (ScoresLocked && shown.insert("scores.dat locked").second) {
    LogLine("\tscores.dat cannot be read; it is left as it is, and no scores are saved this run");
    AddMessage("scores.dat cannot be read: no scores are saved this run", 1);
  }
}

void ResetSaveReports() {
  ResetScoreFileState();
  shown.clear();
  failing.clear();
}
