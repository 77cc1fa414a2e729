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

void ResetSaveReports() {
  shown.clear();
  failing.clear();
}
