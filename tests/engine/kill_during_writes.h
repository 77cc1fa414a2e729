// Proves a file is replaced atomically: a child process rewrites it in a loop, alternating two
// contents, and is killed at varying moments; after every kill the file must hold one of the two
// contents in full.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "engine_fixture.h"

// writer(0) and writer(1) write the two versions; the file must exist before the call.
inline void ExpectAtomicUnderKill(const std::filesystem::path& file, const std::function<void(int)>& writer,
                                  const std::string& versionA, const std::string& versionB) {
  for (int round = 0; round < 25; ++round) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0;; ++i) writer(i & 1);
    }
    usleep(static_cast<useconds_t>(2000 + 700 * round));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    std::string text = FileText(file);
    ASSERT_TRUE(text == versionA || text == versionB) << "round " << round << " left:\n" << text;
  }
}
