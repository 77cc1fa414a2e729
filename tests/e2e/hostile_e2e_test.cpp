// The real game in hostile surroundings: a run folder it may not write to.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "e2e/game_window.h"
#include "e2e/x11_close.h"
#include "support/file_lines.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t NOBODY = 65534;

std::string Text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HostileE2eTest : public GameWindowTest {
 protected:
  void TearDown() override {
    // Writable again, so that the folder can be removed.
    for (const auto& e : fs::recursive_directory_iterator(root_))
      if (e.is_directory()) ::chmod(e.path().c_str(), 0755);
    ::chmod(root_.c_str(), 0755);
    GameWindowTest::TearDown();
  }
  // A key pressed and released in our window, with the keyboard focus on it.
  void PressKey(Window w, const char* key) {
    XRaiseWindow(dpy_, w);
    XSetInputFocus(dpy_, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy_, False);
    Shell(std::string("xdotool keydown ") + key);
    Sleep(300);
    Shell(std::string("xdotool keyup ") + key);
  }
};

// Rule: with nothing writable the game still runs and closes as usual; its settings and scores
// stay as they were, it says on standard error that it has no log, and no temporary file is left.
// (What it shows on screen is proved on the headless back end: the grab of a window drawn once,
// like the thank-you screen, comes back black under Xvfb.)
TEST_F(HostileE2eTest, AReadOnlyRunFolderKeepsItsFilesAndSaysSo) {
  const std::string setup = "[Graphics]\r\nWidth=800\r\nHeight=600\r\n";
  const std::string scores = "5|Ann|0|63460269909|0|0|0|1\r\n0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\r\n";
  std::ofstream(root_ / "Files" / "Setup.ini", std::ios::binary) << setup;
  std::ofstream(root_ / "Files" / "247" / "scores.dat", std::ios::binary) << scores;
  std::ofstream(root_ / "output.txt");  // the test's own record of the game's output
  ::chmod((root_ / "output.txt").c_str(), 0666);
  for (const auto& e : fs::recursive_directory_iterator(root_))
    if (e.is_directory()) ::chmod(e.path().c_str(), 0555);
  ::chmod(root_.c_str(), 0555);

  Launch(::geteuid() == 0 ? NOBODY : 0);
  const Window title = WaitWindow(800, 600, 60);
  ASSERT_NE(title, 0u) << Text(root_ / "output.txt");
  Sleep(4000);  // start-up's hold and the title's slide
  PressKey(title, "Tab");  // the settings panel opens and closes: two saves that fail
  Sleep(1000);
  PressKey(title, "Tab");
  Sleep(500);
  SendCloseRequest(dpy_, title);
  const Window thanks = WaitWindow(640, 480, 20);
  ASSERT_NE(thanks, 0u) << "the closing sequence must run";
  SendCloseRequest(dpy_, thanks);
  EXPECT_EQ(WaitExit(20), 0);

  EXPECT_EQ(Text(root_ / "Files" / "Setup.ini"), setup);
  EXPECT_EQ(Text(root_ / "Files" / "247" / "scores.dat"), scores);
  EXPECT_FALSE(fs::exists(root_ / "Files" / "Debug.txt"));
  EXPECT_NE(Text(root_ / "output.txt").find("Debug.txt; no log this run"), std::string::npos);
  for (const auto& e : fs::recursive_directory_iterator(root_))
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

}  // namespace
