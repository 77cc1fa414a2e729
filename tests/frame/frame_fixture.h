// A headless frame-layer world for tests: fresh media layer and frame globals, a throw-away run
// folder (Files/247/ current, the log in Files/Debug.txt), an 800 x 600 display with the 4:3
// logical screen, and a pointer strip.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/log.h"
#include "common/settings.h"
#include "engine/engine_state.h"
#include "engine/startup.h"
#include "frame/frame_state.h"
#include "media/headless.h"
#include "media/media.h"
#include "support/test_folder.h"

class FrameTest : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    ResetFrameState();
    ResetEngineState();
    InstallEngineHooks();  // the closing sequence and the settings writer, as start-up installs them
    SetDefaultSettings();
    GameTitle = "#247 : Plonko Elongo";

    home_ = CurrentDir();
    root_ = TestFolder("frame");
    std::filesystem::create_directories(root_ / "Files" / "247");
    ASSERT_TRUE(ChangeDir((root_ / "Files" / "247").string()));
    LogStream = OpenWrite("../Debug.txt");

    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    SetVirtualResolution(ScreenW, ScreenH);
    IconsFiltered = CreateImage(16, 16, 64, 0);
    DrawLimit[1] = DrawLimit[2] = DrawLimit[3] = 1000;
    OverlayOn = 0;
    FrameStart = Millis();
    HeadlessClearDraws();
  }

  void TearDown() override {
    SetEndHook(nullptr);
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
    CloseFile(LogStream);
    LogStream = 0;
    ChangeDir(home_);
    std::filesystem::remove_all(root_);
    ResetFrameState();
  }

  std::filesystem::path FilesDir() const { return root_ / "Files"; }

  std::vector<std::string> LogLines() const {
    std::ifstream in(FilesDir() / "Debug.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  // Draw records of one kind (and, when given, one text).
  static std::vector<DrawRecord> Draws(DrawRecord::Kind kind) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind == kind) out.push_back(d);
    return out;
  }
  static std::vector<DrawRecord> Texts(const std::string& text) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& d : Draws(DrawRecord::TEXT))
      if (d.text == text) out.push_back(d);
    return out;
  }

  std::string home_;
  std::filesystem::path root_;
};
