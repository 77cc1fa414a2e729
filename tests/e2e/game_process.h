// Starts the built game of a copied run folder as a child process, from the root folder (not its
// own, so it must find its data by itself), with software OpenGL and no sound device, its output
// kept in output.txt beside it. `unset` names environment variables the child runs without, `set`
// gives others; a `user` other than 0 runs it as that user (root passes every permission check).
// Gives the child's pid (-1 when fork fails).
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Copies the built run folder to `to` as a fresh install has it: what a game run there wrote
// (settings, log, scores, markers, screenshots) is left behind, so a person playing the build does
// not change what the tests see.
inline void CopyRunFolder(const std::filesystem::path& to) {
  namespace fs = std::filesystem;
  fs::copy(GAME_DIR, to, fs::copy_options::recursive);
  for (const fs::path& written : {to / "Files" / "Setup.ini", to / "Files" / "Debug.txt", to / "Files" / "247" / "scores.dat",
                                  to / "Files" / "247" / "crash.dat", to / "output.txt"})
    fs::remove(written);
  for (const auto& e : fs::directory_iterator(to / "Files"))
    if (e.path().extension() == ".png") fs::remove(e.path());
}

inline pid_t LaunchGame(const std::filesystem::path& root, const std::vector<std::string>& unset = {}, uid_t user = 0,
                        const std::vector<std::pair<std::string, std::string>>& set = {}) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir("/") != 0) _exit(126);
  for (const std::string& name : unset) unsetenv(name.c_str());
  for (const auto& [name, value] : set) setenv(name.c_str(), value.c_str(), 1);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string out = (root / "output.txt").string();
  if (!freopen(out.c_str(), "w", stdout) || !freopen(out.c_str(), "a", stderr)) _exit(126);
  if (user != 0 && (setgid(user) != 0 || setuid(user) != 0)) _exit(126);
  const std::string exe = (root / "plonko-elongo").string();
  execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}
