// Failed loads of the game's own files: logged once each, the first one shown.
#include "engine/asset_report.h"

#include <set>

#include "common/folders.h"
#include "common/log.h"
#include "frame/end_frame.h"
#include "media/media.h"

namespace {

std::set<std::string> reported;  // files named in this run, by their name in the run folder

// The file's path below the run folder (the folder that holds Files/), so that the player finds
// it: "Files/Common/icons.png". A path outside it stays whole.
std::string RunFolderName(const std::string& path) {
  const std::string full = !path.empty() && path[0] == '/' ? path : CurrentDir() + "/" + path;
  const std::string files = FilesPath("");
  if (files.empty() || files[0] != '/') return full;
  const std::string run = files.substr(0, files.find_last_of('/') + 1);
  return full.compare(0, run.size(), run) == 0 ? full.substr(run.size()) : full;
}

}  // namespace

std::string AssetFailedText(const std::string& name, bool missing) {
  return name + (missing ? " is missing" : " is damaged") + ": the game goes on without it";
}

std::string AssetFailedLog(const std::string& name, bool missing) {
  return std::string(missing ? "\tMissing file " : "\tDamaged file ") + name;
}

void ReportAsset(const std::string& path) {
  const std::string name = RunFolderName(path);
  if (!reported.insert(name).second) return;
  const bool missing = FileType(path) != PATH_FILE;
  LogLine(AssetFailedLog(name, missing));
  if (reported.size() == 1) AddMessage(AssetFailedText(name, missing), 1);
}

void ResetAssetReports() { reported.clear(); }
