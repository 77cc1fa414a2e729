// A fresh run folder per test (Files/, Files/Common/, Files/247/ in a temporary directory, the
// game folder current), the headless back end reset, the engine's globals back to their
// start-of-run values, and a process-end hook that throws ProcessEnded back into the test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/log.h"
#include "common/score_table.h"
#include "common/settings.h"
#include "engine/engine_state.h"
#include "engine/startup.h"
#include "frame/frame_state.h"
#include "input/input.h"
#include "input/input_state.h"
#include "media/headless.h"
#include "media/media.h"
#include "support/file_lines.h"
#include "support/test_folder.h"

struct ProcessEnded {
  int code;
};

inline void ThrowOnEnd(int code) { throw ProcessEnded{code}; }


inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The log of a run folder without the game's files names each of them; what a test compares is the
// rest.
inline std::vector<std::string> WithoutMissingFiles(std::vector<std::string> log) {
  log.erase(std::remove_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("\tMissing file ", 0) == 0; }),
            log.end());
  return log;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

class EngineTest : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    SetEndHook(&ThrowOnEnd);
    InstallEngineHooks();
    home_ = std::filesystem::current_path();
    root_ = TestFolder("engine");
    std::filesystem::create_directories(root_ / "Files" / "Common");
    std::filesystem::create_directories(root_ / "Files" / "247");
    ChangeDir((root_ / "Files" / "247").string());

    ResetEngineState();
    SetDefaultSettings();
    SetDefaultBindings();
    FillAudioDriverNames();
    DrawLimit[1] = DrawLimit[2] = 50000;
  }

  void TearDown() override {
    if (LogStream) CloseFile(LogStream);
    LogStream = 0;
    SetEndHook(nullptr);
    std::filesystem::current_path(home_);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  std::filesystem::path Files() const { return root_ / "Files"; }
  std::filesystem::path Game() const { return root_ / "Files" / "247"; }

  std::filesystem::path home_;
  std::filesystem::path root_;
};
