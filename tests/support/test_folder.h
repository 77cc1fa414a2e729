// Scratch folders of the tests, under the system's temporary folder. Every folder made here is
// removed when the test program ends, whether its tests passed or failed, so that a run leaves
// nothing behind; `make check` fails when something is left. PLONKO_KEEP_TEST_FILES=1 keeps them
// for a look after a failure.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

inline bool KeepTestFiles() {
  const char* keep = std::getenv("PLONKO_KEEP_TEST_FILES");
  return keep && *keep && std::string(keep) != "0";
}

// Removes every folder made by TestFolder. Called at the end of the test program, and at exit for
// a program that ends through exit(); a forked child never removes its parent's folders.
inline void RemoveTestFolders();

namespace test_folder_detail {
struct Registry {
  pid_t owner = ::getpid();
  std::vector<std::filesystem::path> folders;
};
inline Registry& Folders() {
  static Registry* r = [] {
    std::atexit(&RemoveTestFolders);
    return new Registry;
  }();
  return *r;
}
}  // namespace test_folder_detail

inline void RemoveTestFolders() {
  auto& r = test_folder_detail::Folders();
  if (r.owner != ::getpid()) return;
  for (const auto& dir : r.folders) {
    if (KeepTestFiles()) {
      std::fprintf(stderr, "kept test files: %s\n", dir.c_str());
      continue;
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  r.folders.clear();
}

// A fresh, empty folder "plonko_<name>_<pid>_<random>" of the calling test program.
inline std::filesystem::path TestFolder(const std::string& name) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("plonko_" + name + "_" + std::to_string(::getpid()) + "_XXXXXX"))
          .string();
  if (!::mkdtemp(pattern.data())) {
    std::perror(pattern.c_str());
    std::abort();
  }
  test_folder_detail::Folders().folders.push_back(pattern);
  return pattern;
}
