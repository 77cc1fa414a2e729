#include "common/folders.h"

#include "common/common_assets.h"
#include "media/media.h"

namespace {

const char* const PACKAGE_NAME = "plonko-elongo";

// The folder above `path` ("" above the root).
std::string FolderAbove(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// An installed tree keeps its data in <prefix>/share/plonko-elongo.
bool InstalledTree(const std::string& dataFolder) {
  const std::string end = std::string("/share/") + PACKAGE_NAME;
  return dataFolder.size() >= end.size() && dataFolder.compare(dataFolder.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string FilesPath(const std::string& below) {
  const std::string base = FilesFolder.empty() ? ".." : FilesFolder;
  return below.empty() ? base : base + "/" + below;
}

std::string PlayerPath(const std::string& below) {
  if (PlayerFolder.empty()) return FilesPath(below);
  return below.empty() ? PlayerFolder : PlayerFolder + "/" + below;
}

std::string GameFilePath(const std::string& name) {
  return PlayerFolder.empty() ? name : PlayerFolder + "/" + GameFolder() + name;
}

bool InFolder(const std::string& path, const std::function<void()>& work) {
  const std::string home = CurrentDir();
  if (!ChangeDir(path)) return false;
  work();
  ChangeDir(home);
  return true;
}

std::string DataFolder(const std::string& appDir) {
  if (FileType(appDir + "/Files") == PATH_FOLDER) return appDir;
  const std::string installed = FolderAbove(appDir) + "/share/" + PACKAGE_NAME;
  if (FileType(installed + "/Files") == PATH_FOLDER) return installed;
  return appDir;
}

std::string PlayerDataHome(const char* xdgDataHome, const std::string& home) {
  // Relative values are invalid by the XDG rules and are ignored.
  if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/" + PACKAGE_NAME;
  if (home.empty()) return "";
  return home + "/.local/share/" + PACKAGE_NAME;
}

std::string ChoosePlayerFolder(const std::string& dataFolder, const std::string& filesFolder, const std::string& playerHome) {
  if (!InstalledTree(dataFolder) && FolderWritable(filesFolder) &&
      (FileType(filesFolder + "/" + GameFolder()) != PATH_FOLDER || FolderWritable(filesFolder + "/" + GameFolder())))
    return "";
  if (playerHome.empty()) return "";
  return playerHome + "/Files";
}
