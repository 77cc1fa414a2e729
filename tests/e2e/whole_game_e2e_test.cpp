// A whole game in the real program under X, as a player plays it: start from the title, solve
// Soft level 1 with real clicks, see the won banner, quit through the pause menu, type a name,
// close the window; then scores.dat holds the game's record. The run folder is copied to a
// temporary folder; xdotool drives the mouse and keys, Xlib finds and grabs the window.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with the test framework's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "e2e/game_window.h"
#include "e2e/x11_close.h"

namespace fs = std::filesystem;

namespace {

// The 800 x 600 window shows the 1280 x 960 logical screen at 5/8.
int Win(int logical) { return logical * 5 / 8; }

std::vector<std::string> Lines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}



class WholeGameE2eTest : public GameWindowTest {
 protected:
  // The won banner ("Well done", a green plate) at the screen's centre: clearly green pixels
  // where the level has black air and brown ground.
  static bool BannerShown(const std::vector<uint32_t>& px) {
    if (px.size() != 800 * 600) return false;
    int green = 0;
    for (int y = 270; y < 330; ++y)
      for (int x = 320; x < 480; ++x) {
        const uint32_t c = px[static_cast<size_t>(y * 800 + x)];
        const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
        green += g > 120 && g > r + 40 && g > b + 40;
      }
    return green > 3000;  // grass in that box stays under 1000
  }

  // Name entry: red-to-blue stripes without green.
  static bool NameEntryShown(const std::vector<uint32_t>& px) {
    if (px.size() != 800 * 600) return false;
    size_t stripes = 0;
    for (uint32_t c : px) stripes += (c >> 8 & 0xFF) < 8 && (c & 0xFF) > 40;
    return stripes > px.size() / 2;
  }
  // Pixels that differ clearly between two pictures.
  static size_t Changed(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return a.size() + b.size();
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) {
      const uint32_t x = a[i], y = b[i];
      int d = 0;
      for (int s = 0; s < 24; s += 8) d += std::abs(static_cast<int>(x >> s & 0xFF) - static_cast<int>(y >> s & 0xFF));
      n += d > 48;
    }
    return n;
  }
  // Waits until the window shows a picture for which `shown` holds and that stays the same (to
  // within `moving` changed pixels) over a few frames; the picture, or an empty one on time-out.
  std::vector<uint32_t> WaitPicture(Window w, const std::function<bool(const std::vector<uint32_t>&)>& shown,
                                    double seconds, size_t moving = 2000) {
    std::vector<uint32_t> last, now;
    const bool ok = WaitFor([&] {
      now = Grab(w);
      const bool still = shown(now) && Changed(last, now) <= moving;
      last = now;
      if (!still) Sleep(250);
      return still;
    }, seconds);
    return ok ? now : std::vector<uint32_t>{};
  }

  // xdotool on our window: pointer in window pixels, held buttons and keys.
  void Move(Window w, int x, int y) { Shell("xdotool mousemove --window " + std::to_string(w) + " " + std::to_string(x) + " " + std::to_string(y)); }
  void Button(bool down) { Shell(std::string("xdotool ") + (down ? "mousedown" : "mouseup") + " 1"); }
  // Held for a moment: the game looks at held keys once per frame.
  void Key(Window w, const std::string& key, int holdMs = 300) {
    Focus(w);
    Shell("xdotool keydown --window " + std::to_string(w) + " " + key);
    Sleep(holdMs);
    Shell("xdotool keyup --window " + std::to_string(w) + " " + key);
    Sleep(100);
  }
  void AskToClose(Window w) { SendCloseRequest(dpy_, w); }

};

TEST_F(WholeGameE2eTest, SolveSoftOneQuitEnterNameClose) {
  Launch();
  ASSERT_TRUE(WaitFor([&] {
    for (const std::string& l : Lines(root_ / "Files" / "Debug.txt"))
      if (l == "Finished Loading") return true;
    return false;
  }, 60)) << "start-up did not finish";
  const Window w = WaitWindow(800, 600, 10);
  ASSERT_NE(w, 0u);
  // The start-up screen's hold, then the title's slide, until the title stands still.
  ASSERT_FALSE(WaitPicture(w, TitleShown, 60, 0).empty()) << "no title";

  // "Click Here to Start": the title starts a game on a press held over two frames; held until
  // the title is gone.
  Focus(w);
  Move(w, Win(640), Win(480));
  Sleep(300);
  Button(true);
  const bool started = WaitFor([&] { return !TitleShown(Grab(w)); }, 30);
  Button(false);
  ASSERT_TRUE(started) << "the title did not start a game";
  // The level is up (its Plonko waits for a tickle).
  const size_t ANY = 1u << 30;  // no need to stand still
  ASSERT_FALSE(WaitPicture(w, [](const std::vector<uint32_t>& px) { return !TitleShown(px); }, 30, ANY).empty())
      << "no level";

  // Soft 1: a tickle starts the waiting Plonko (it walks right, away from the hole); a press
  // held just ahead of it tickles it again as it walks in under the hand, which turns it round.
  Move(w, Win(448), Win(448));
  Sleep(300);
  Button(true);
  Sleep(200);
  Button(false);
  Move(w, Win(448 + 36), Win(448));
  Sleep(200);
  Button(true);  // held until the level is won: the held press tickles only once
  std::vector<uint32_t> shot;
  const bool won = WaitFor([&] {
    shot = Grab(w);
    return BannerShown(shot);
  }, 60);
  Button(false);
  Move(w, Win(1100), Win(900));
  ASSERT_TRUE(won) << "no won banner";
  Shell("import -window " + std::to_string(w) + " " + (root_ / "won_banner.png").string());
  if (const char* dir = std::getenv("E2E_SHOT_DIR")) fs::copy_file(root_ / "won_banner.png", fs::path(dir) / "won_banner.png", fs::copy_options::overwrite_existing);

  // Escape opens the pause menu (its title lines cover the frozen game); Down highlights "Quit";
  // Escape chooses it.
  const std::vector<uint32_t> playing = WaitPicture(w, [](const std::vector<uint32_t>& px) { return !BannerShown(px); }, 30, ANY);
  Key(w, "Escape");
  const std::vector<uint32_t> menu =
      WaitPicture(w, [&](const std::vector<uint32_t>& px) { return Changed(playing, px) > 20000; }, 30, ANY);
  ASSERT_FALSE(menu.empty()) << "no pause menu";
  Key(w, "Down", 200);
  ASSERT_FALSE(WaitPicture(w, [&](const std::vector<uint32_t>& px) { return Changed(menu, px) > 100; }, 30, ANY).empty())
      << "Down did not move the highlight";
  Key(w, "Escape");
  // "Game Over" for 1.5 s, then name entry.
  ASSERT_FALSE(WaitPicture(w, NameEntryShown, 30, ANY).empty()) << "no name entry";

  // The name offered is "Player" (no scores yet): clear it, type ours, each key once the last
  // one shows (the entry takes one character a frame).
  Focus(w);
  auto typed = [&](const std::function<void()>& key) {
    const std::vector<uint32_t> before = Grab(w);
    key();
    return WaitFor([&] { return Changed(before, Grab(w)) > 150; }, 10);
  };
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(typed([&] { Key(w, "BackSpace", 60); })) << "BackSpace " << i;
  for (const char* ch : {"Z", "e", "d"})
    ASSERT_TRUE(typed([&] { Shell("xdotool type --window " + std::to_string(w) + " " + ch); })) << ch;
  Key(w, "Return");
  ASSERT_FALSE(WaitPicture(w, TitleShown, 30, ANY).empty()) << "not back on the title";

  AskToClose(w);
  const Window thanks = WaitWindow(640, 480, 15);
  ASSERT_NE(thanks, 0u) << "no thank-you screen";
  AskToClose(thanks);  // a close request ends the thank-you screen at any time
  EXPECT_EQ(WaitExit(10), 0);

  const std::vector<std::string> scores = Lines(root_ / "Files" / "247" / "scores.dat");
  ASSERT_EQ(scores.size(), 2u);
  // Score|Name|Badges|Timestamp|Level|GameMode|GameFlags|Quit: the won level scored, earned the
  // first-win badge (bit 1), was a full Soft run and ended by quitting.
  std::vector<std::string> f;
  for (size_t at = 0, bar; ; at = bar + 1) {
    bar = scores[0].find('|', at);
    f.push_back(scores[0].substr(at, bar == std::string::npos ? std::string::npos : bar - at));
    if (bar == std::string::npos) break;
  }
  ASSERT_EQ(f.size(), 8u) << scores[0];
  EXPECT_GE(std::stoll(f[0]), 700) << "a saved Plonko and a won level 1 score at least 100 + 600";
  EXPECT_EQ(f[1], "Zed");
  EXPECT_EQ(std::stoi(f[2]) & 1, 1) << "the first-win badge";
  EXPECT_GT(std::stoll(f[3]), 0) << "a timestamp";
  EXPECT_EQ(f[4] + "|" + f[5] + "|" + f[6] + "|" + f[7], "0|0|0|1") << scores[0];
  // Level 1 was won in the game, and no other.
  EXPECT_EQ(scores[1], "1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
}

}  // namespace
