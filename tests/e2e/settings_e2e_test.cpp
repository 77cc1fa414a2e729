// The settings panel in the real program under X: Tab slides it down (its light green edge at the
// right row of the window); a right click on "Resolution" and "Apply" give a 1024 x 768 window,
// Setup.ini holds the new mode and the log shows the engine test run again; the Music slider
// dragged to its left end stores 0 once Tab has closed the panel; the game still answers after.
// Every wait polls for what the window shows or the files hold.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdio.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with the test framework's names.
#include <X11/Xlib.h>

#include "e2e/game_window.h"
#include "support/file_lines.h"

namespace fs = std::filesystem;

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}
int CountOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

class SettingsE2eTest : public GameWindowTest {
 protected:
  std::vector<std::string> Log() const { return FileLines(root_ / "Files" / "Debug.txt"); }
  std::vector<std::string> Setup() const { return FileLines(root_ / "Files" / "Setup.ini"); }

  // Pixels of rows y0..y1 (inclusive) of the grab for which the test holds.
  static int CountRows(const std::vector<uint32_t>& px, int w, int y0, int y1, const std::function<bool(int, int, int)>& test) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t c = px[static_cast<size_t>(y * w + x)];
        n += test(static_cast<int>(c >> 16 & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c & 0xFF));
      }
    return n;
  }
  static bool LightGreen(int r, int g, int b) { return r > 150 && r < 210 && g > 230 && b > 150 && b < 210; }
  // The panel's edge: two logical rows at 318 and 319 (MenuY 20), scaled to the window.
  bool EdgeShown(Window win, int w, int h) {
    const std::vector<uint32_t> px = Grab(win, false, w, h);
    if (px.empty()) return false;
    const int row = 319 * h / 960;
    return CountRows(px, w, row - 1, row, LightGreen) > w * 9 / 10 &&
           CountRows(px, w, row + 3, row + 6, LightGreen) < w / 10;  // nothing of it lower down: fully open
  }
  void Key(Window w, const std::string& key) {
    Focus(w);
    Shell("xdotool key --window " + std::to_string(w) + " " + key);
  }
  void Move(Window w, int x, int y) {
    Shell("xdotool mousemove --window " + std::to_string(w) + " " + std::to_string(x) + " " + std::to_string(y));
  }
  // A region's pixels, to see a part of the panel change.
  std::vector<uint32_t> Region(Window win, int w, int h, int x0, int y0, int x1, int y1) {
    const std::vector<uint32_t> px = Grab(win, false, w, h);
    std::vector<uint32_t> out;
    if (px.empty()) return out;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) out.push_back(px[static_cast<size_t>(y * w + x)]);
    return out;
  }
  // Moves the pointer, then waits until a frame has taken the new position: the panel reads the
  // pointer once a frame, so a click made before that would land where the pointer was. The region
  // (window pixels x0..x1, y0..y1) changes when the frame draws the hover (glow, highlight, pointer).
  bool Hover(Window win, int w, int h, int x, int y, int x0, int y0, int x1, int y1) {
    const std::vector<uint32_t> before = Region(win, w, h, x0, y0, x1, y1);
    Move(win, x, y);
    return WaitFor([&] { return Region(win, w, h, x0, y0, x1, y1) != before; }, 10);
  }
  // "Geometry: WxH" as xdotool reports it for the window.
  std::string Geometry(Window w) {
    std::string out;
    FILE* p = popen(("xdotool getwindowgeometry " + std::to_string(w) + " 2>/dev/null").c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    const size_t at = out.find("Geometry: ");
    return at == std::string::npos ? "" : out.substr(at + 10, out.find('\n', at) - at - 10);
  }
};

TEST_F(SettingsE2eTest, TabResolutionApplyAndTheMusicSlider) {
  Launch();
  ASSERT_TRUE(WaitFor([&] { return Contains(Log(), "Finished Loading"); }, 60)) << "start-up did not finish";
  Window w = WaitWindow(800, 600, 10);
  ASSERT_NE(w, 0u);
  Move(w, 400, 500);  // below the panel's reach

  // Tab slides the panel down: its edge at logical rows 318-319, window row 199 of 600.
  Key(w, "Tab");
  ASSERT_TRUE(WaitFor([&] { return EdgeShown(w, 800, 600); }, 30)) << "no panel edge at row 199";

  // A right click on "Resolution" chooses the mode before 800 x 600 in the list: 1024 x 768. The
  // size text under the button (logical 20..160, 108..124) changes when the frame has taken it.
  const std::vector<uint32_t> sizeText = Region(w, 800, 600, 12, 67, 100, 78);
  ASSERT_TRUE(Hover(w, 800, 600, 25, 68, 12, 56, 34, 77)) << "the button's icon did not glow";
  Shell("xdotool click 3");
  ASSERT_TRUE(WaitFor([&] { return Region(w, 800, 600, 12, 67, 100, 78) != sizeText; }, 10)) << "the size did not change";

  // "Apply" at logical (20, 280), highlighted while the pointer is on it.
  ASSERT_TRUE(Hover(w, 800, 600, 15, 176, 10, 172, 40, 187)) << "\"Apply\" was not highlighted";
  Shell("xdotool click 1");
  ASSERT_TRUE(WaitFor([&] { return CountOf(Log(), "Engine Test Results") == 2; }, 60)) << "the engine test did not run again";
  Window big = WaitWindow(1024, 768, 20);
  ASSERT_NE(big, 0u) << "no 1024x768 window";
  EXPECT_EQ(Geometry(big), "1024x768");
  const std::vector<std::string> setup = Setup();
  EXPECT_TRUE(Contains(setup, "Width=1024"));
  EXPECT_TRUE(Contains(setup, "Height=768"));
  EXPECT_TRUE(Contains(Log(), "\tChanged Graphics Mode ingame."));

  // The Music slider (logical x 1000, row 190; the knob at 1050 for 50) dragged to its left end,
  // on the 1024 x 768 window (4/5 of the logical screen). The panel has closed after "Apply".
  // Each display set-up ends its log block with a rule: four once the second one has finished.
  ASSERT_TRUE(WaitFor([&] { return CountOf(Log(), "-=-=-=-=-=-=-=-=-=-=-=-=-=-") == 4 && !EdgeShown(big, 1024, 768); }, 30));
  Move(big, 500, 700);
  Key(big, "Tab");
  ASSERT_TRUE(WaitFor([&] { return EdgeShown(big, 1024, 768); }, 30)) << "no panel edge on the new window";
  if (const char* dir = std::getenv("E2E_SHOT_DIR")) Shell("import -window " + std::to_string(big) + " " + dir + "/settings_1024.png");
  const int rowY = 198 * 4 / 5;
  Move(big, 1050 * 4 / 5, rowY);
  Shell("xdotool mousedown 1");
  // The knob (red) reaches the left end: logical x 990..1012 on the slider's rows.
  auto knobAtLeft = [&] {
    const std::vector<uint32_t> px = Region(big, 1024, 768, 990 * 4 / 5, 182 * 4 / 5, 1012 * 4 / 5, 214 * 4 / 5);
    return std::count_if(px.begin(), px.end(), [](uint32_t c) { return (c >> 16 & 0xFF) > 200 && (c >> 8 & 0xFF) < 130; }) > 20;
  };
  for (int x = 1040; x >= 1001; x -= 13) Move(big, x * 4 / 5, rowY);
  Move(big, 1001 * 4 / 5 + 1, rowY);  // logical 1001: value 3, which snaps to 0
  const bool atLeft = WaitFor(knobAtLeft, 10);
  Shell("xdotool mouseup 1");
  ASSERT_TRUE(atLeft) << "the knob did not follow the drag";
  Move(big, 500, 700);
  Key(big, "Tab");  // closing writes Setup.ini
  EXPECT_TRUE(WaitFor([&] { return Contains(Setup(), "Music = 0"); }, 10)) << "Music not stored as 0";

  // Still answering: Escape on the title runs the closing sequence, whose thank-you window shows.
  Move(big, 500, 700);
  Focus(big);
  Shell("xdotool keydown --window " + std::to_string(big) + " Escape");  // read as held, once a frame
  EXPECT_NE(WaitWindow(640, 480, 20), 0u) << "no thank-you window: the game stopped answering";
  Shell("xdotool keyup --window " + std::to_string(big) + " Escape");
  kill(pid_, SIGTERM);
  EXPECT_EQ(WaitExit(10), 0);
}

}  // namespace
