#include "common/folders.h"

#include "media/media.h"

std::string FilesPath(const std::string& below) {
  const std::string base = FilesFolder.empty() ? ".." : FilesFolder;
  return below.empty() ? base : base + "/" + below;
}

bool InFolder(const std::string& path, const std::function<void()>& work) {
  const std::string home = CurrentDir();
  if (!ChangeDir(path)) return false;
  work();
  ChangeDir(home);
  return true;
}
