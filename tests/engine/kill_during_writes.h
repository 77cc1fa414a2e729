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
#include <chrono>
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
  double perSave = 0.002;  // seconds, measured as the saves go (a sanitizer build is far slower)
  while (saves->load() < SAVES || kills < 25) {
    const long before = saves->load();
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0;; ++i) {
        writer(i & 1);
        saves->fetch_add(1);
      }
    }
    // A random number of whole saves, then a random moment of the next one.
    const auto start = std::chrono::steady_clock::now();
    const long whole = std::uniform_int_distribution<long>(0, 60)(random);
    while (saves->load() < before + whole && waitpid(pid, nullptr, WNOHANG) == 0) usleep(100);
    usleep(static_cast<useconds_t>(std::uniform_real_distribution<double>(0, 1.5 * perSave)(random) * 1e6));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ++kills;
    const long done = saves->load() - before;
    if (done > 0) perSave = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / done;
    std::string text = FileText(file);
    ASSERT_TRUE(text == versionA || text == versionB) << "kill " << kills << " left:\n" << text;
  }
  munmap(shared, sizeof(std::atomic<long>));
  writer(0);
  for (const auto& e : std::filesystem::directory_iterator(file.parent_path()))
    EXPECT_EQ(e.path().filename().string().find(file.filename().string() + ".tmp"), std::string::npos)
        << e.path() << " left after a save";
}
