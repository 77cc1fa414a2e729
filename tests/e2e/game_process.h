// Starts the built game of a copied run folder as a child process, from the root folder (not its
// own, so it must find its data by itself), with software OpenGL and no sound device, its output
// kept in output.txt beside it. `unset` names environment variables the child runs without.
// Gives the child's pid (-1 when fork fails).
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

inline pid_t LaunchGame(const std::filesystem::path& root, const std::vector<std::string>& unset = {}) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir("/") != 0) _exit(126);
  for (const std::string& name : unset) unsetenv(name.c_str());
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string out = (root / "output.txt").string();
  if (!freopen(out.c_str(), "w", stdout) || !freopen(out.c_str(), "a", stderr)) _exit(126);
  const std::string exe = (root / "plonko-elongo").string();
  execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}
