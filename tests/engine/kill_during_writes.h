// Proves a file is replaced atomically: a child process rewrites it in a loop, alternating two
// contents, and is killed (SIGKILL) at random moments until it has made a thousand saves; after
// every kill the file must hold one of the two contents in full, and the next save clears away
// the temporary file a kill left.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "engine_fixture.h"

// writer(0) and writer(1) write the two versions; the file must exist before the call.
inline void ExpectAtomicUnderKill(const std::filesystem::path& file, const std::function<void(int)>& writer,
                                  const std::string& versionA, const std::string& versionB) {
  constexpr long SAVES = 1000;
  // Saves finished by the children, counted in memory shared with them.
  void* shared = mmap(nullptr, sizeof(std::atomic<long>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* saves = new (shared) std::atomic<long>(0);
  std::mt19937 random(20261210);
  int kills = 0;
  while (saves->load() < SAVES || kills < 25) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0;; ++i) {
        writer(i & 1);
        saves->fetch_add(1);
      }
    }
    usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ++kills;
    std::string text = FileText(file);
    ASSERT_TRUE(text == versionA || text == versionB) << "kill " << kills << " left:\n" << text;
  }
  munmap(shared, sizeof(std::atomic<long>));
  writer(0);
  for (const auto& e : std::filesystem::directory_iterator(file.parent_path()))
    EXPECT_EQ(e.path().filename().string().find(file.filename().string() + ".tmp"), std::string::npos)
        << e.path() << " left after a save";
}
