// Temporary files under a folder: a save's "<name>.tmp<pid>_<n>", a screenshot's "<name>.tmp". One
// found after the program has ended was left behind.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

inline std::vector<std::string> TemporaryFiles(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  std::vector<std::string> found;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
    if (it->path().filename().string().find(".tmp") != std::string::npos) found.push_back(fs::relative(it->path(), root).string());
  return found;
}
