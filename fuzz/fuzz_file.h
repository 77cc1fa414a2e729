// The readers under fuzzing read real files, as the game does: each input is written into a
// scratch folder of this fuzzing process, which is removed when the process ends normally.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzz {

inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path dir = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("plonko_fuzz_" + std::to_string(::getpid()) + "_XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) std::abort();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchFolder(), ec);
    });
    return std::filesystem::path(pattern);
  }();
  return dir;
}

// Writes the input as `name` (folders made as needed) inside the scratch folder; gives its path.
inline std::string PutFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::filesystem::path path = ScratchFolder() / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  return path.string();
}

// Stops the run with a finding that is no sanitizer's business: a reader that lost data.
inline void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace fuzz
