// The pause menu: the input latch, navigation with wrapping, Escape choosing the highlighted
// item, the still decoration and the reseed on the way out.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>
#include <set>
#include <stdexcept>

#include "frame/end_frame.h"
#include "frame/pause_menu.h"
#include "frame_fixture.h"

namespace {

constexpr int UP = 38, DOWN = 40, SPACE = 32, ESCAPE = 27, RETURN = 13;

class PauseMenuTest : public FrameTest {
 protected:
  // Runs the menu with keys scripted by menu frame (0 = the frame the menu opened in); returns
  // its result and sets frames_ to how many frames it took. While the menu waits without drawing,
  // the player lets go of every key LET_GO_MS after the last frame; letGo_ gets the frames shown
  // by then, one entry each time. lastFrameMs_ is the clock as the last frame began.
  int Run(std::function<void(int n)> script) {
    const int start = HeadlessFrameCount();
    lastFrameMs_ = Millis();
    letGo_.clear();
    HeadlessOnFrame([=, this](int frame) {
      if (frame - start > 1000) throw std::runtime_error("the menu did not end");
      lastFrameMs_ = Millis();
      script(frame - start);
    });
    HeadlessOnSleep([=, this](int clock) {
      if (clock - lastFrameMs_ > 60000) throw std::runtime_error("the menu waits for ever");
      if (clock - lastFrameMs_ < LET_GO_MS) return;
      bool held = false;
      for (int k : {UP, DOWN, SPACE, ESCAPE}) held = held || KeyDown(k);
      if (!held) return;
      for (int k : {UP, DOWN, SPACE, ESCAPE}) HeadlessKeyUp(k);
      letGo_.push_back(HeadlessFrameCount() - start);
    });
    const int result = PauseMenu();
    frames_ = HeadlessFrameCount() - start;
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
    for (int k : {UP, DOWN, SPACE, ESCAPE}) HeadlessKeyUp(k);  // a script may end with a key held
    return result;
  }
  // Holds the keys from frame `from` up to (not including) frame `to`.
  static void Hold(int n, int from, int to, std::initializer_list<int> keys) {
    for (int k : keys) {
      if (n == from) HeadlessKeyDown(k);
      if (n == to) HeadlessKeyUp(k);
    }
  }
  // The item drawn yellow in the last frame.
  static std::string Highlighted() {
    std::string out;
    for (const DrawRecord& d : Draws(DrawRecord::TEXT))
      if ((d.text == "Continue" || d.text == "Quit") && d.b == 0) out = d.text;
    return out;
  }
  static constexpr int LET_GO_MS = 100;
  int frames_ = 0;
  int lastFrameMs_ = 0;
  std::vector<int> letGo_;
};

// Rule: moves and choices act on presses; up and down wrap; Escape chooses what is highlighted.
TEST_F(PauseMenuTest, NavigationAndChoosing) {
  struct Case {
    const char* what;
    std::function<void(int)> script;
    int result;
    const char* highlighted;  // at the end
  };
  const Case cases[] = {
      {"Escape on Continue", [](int n) { Hold(n, 2, 4, {ESCAPE}); }, 1, "Continue"},
      {"down, then Escape quits", [](int n) { Hold(n, 2, 4, {DOWN}); Hold(n, 6, 8, {ESCAPE}); }, 99, "Quit"},
      {"up on Continue wraps to Quit", [](int n) { Hold(n, 2, 4, {UP}); Hold(n, 6, 8, {SPACE}); }, 99, "Quit"},
      {"down on Quit wraps to Continue",
       [](int n) { Hold(n, 2, 4, {DOWN}); Hold(n, 6, 8, {DOWN}); Hold(n, 10, 12, {SPACE}); }, 1, "Continue"},
      {"held down moves once", [](int n) { Hold(n, 2, 30, {DOWN}); Hold(n, 32, 34, {SPACE}); }, 99, "Quit"},
      {"up and down together: up only", [](int n) { Hold(n, 2, 4, {UP, DOWN}); Hold(n, 6, 8, {ESCAPE}); }, 99, "Quit"},
      {"a choice held on from a move waits for release",
       [](int n) { Hold(n, 2, 8, {DOWN}); Hold(n, 4, 12, {SPACE}); Hold(n, 14, 16, {SPACE}); }, 99, "Quit"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.script), c.result) << c.what;
    EXPECT_EQ(Highlighted(), c.highlighted) << c.what;
  }
}

// Rule: a choose button held when the menu opens does nothing until it has been released, and
// the Escape press that opened the menu does not close it: the menu shows nothing until Escape is
// let go. Escape that chooses is let go before the menu returns, and nothing more is shown.
TEST_F(PauseMenuTest, InputsHeldAtOpeningAreIgnored) {
  HeadlessKeyDown(SPACE);
  EXPECT_EQ(Run([](int n) { if (n == 20) HeadlessKeyUp(SPACE); Hold(n, 25, 27, {SPACE}); }), 1);
  EXPECT_EQ(frames_, 26) << "chosen in the frame Space came down again";

  HeadlessKeyDown(ESCAPE);
  const int opened = Millis();
  EXPECT_EQ(Run([](int n) { Hold(n, 5, 7, {DOWN}); Hold(n, 10, 12, {ESCAPE}); }), 99);
  EXPECT_EQ(letGo_, (std::vector<int>{0, 10})) << "nothing shown before the first Escape was let go; "
                                                  "nothing more after the second came down";
  EXPECT_EQ(frames_, 10);
  EXPECT_GE(Millis() - opened, 2 * LET_GO_MS) << "the waits take the time the player holds the keys";
}

// Rule: the decoration is drawn from a fixed seed, so it stands still: 140 title lines behind the
// box and 40 in front of the items, the same in every frame; afterwards the generator runs on
// from a clock seed.
TEST_F(PauseMenuTest, DecorationStandsStillAndTheClockReseeds) {
  HeadlessClearDraws();
  EXPECT_EQ(Run([](int n) { Hold(n, 3, 5, {ESCAPE}); }), 1);
  std::map<int, std::vector<DrawRecord>> titles;
  std::map<int, int> boxIndex, itemIndex;
  const auto& draws = HeadlessDraws();
  for (size_t i = 0; i < draws.size(); ++i) {
    const DrawRecord& d = draws[i];
    if (d.kind == DrawRecord::TEXT && d.text == GameTitle) titles[d.frame].push_back(d);
    if (d.kind == DrawRecord::RECT && d.alpha == 0.5f && !boxIndex.count(d.frame)) boxIndex[d.frame] = static_cast<int>(titles[d.frame].size());
    if (d.kind == DrawRecord::TEXT && d.text == "Quit") itemIndex[d.frame] = static_cast<int>(titles[d.frame].size());
  }
  ASSERT_GE(titles.size(), 3u);
  const std::vector<DrawRecord>& first = titles.begin()->second;
  ASSERT_EQ(first.size(), 180u);
  for (auto& [frame, lines] : titles) {
    ASSERT_EQ(lines.size(), 180u) << frame;
    EXPECT_EQ(boxIndex[frame], 140) << frame;
    EXPECT_EQ(itemIndex[frame], 140) << frame;
    for (size_t k = 0; k < lines.size(); ++k) {
      EXPECT_EQ(lines[k].x, first[k].x);
      EXPECT_EQ(lines[k].y, first[k].y);
      EXPECT_EQ(std::make_tuple(lines[k].r, lines[k].g, lines[k].b), std::make_tuple(first[k].r, first[k].g, first[k].b));
      EXPECT_FLOAT_EQ(lines[k].alpha, 0.4f);
    }
  }
  std::set<int> colours;
  for (const DrawRecord& d : first) colours.insert(d.r * 65536 + d.g * 256 + d.b);
  EXPECT_GT(colours.size(), 20u) << "colours are drawn at random";

  // Seeded with the clock in the menu's last frame slot, before the wait for Escape to be let go.
  const int after = RndSeed();
  EXPECT_GE(after, lastFrameMs_);
  EXPECT_LT(after, lastFrameMs_ + LET_GO_MS);
}

// Rule: in a mouse game the items answer the pointer too: moving onto an item highlights it, a
// click on an item chooses it, Return chooses the highlighted one like Space. A click beside the
// items does nothing (sliding onto an item with it held does not choose), and a button held when
// the menu opens must be let go first.
TEST_F(PauseMenuTest, MouseAndReturnChoose) {
  // Item centres on the 800 x 600 display (logical 1280 x 960: the items at y 420 and 480).
  constexpr int X = 125, CONTINUE_Y = 275, QUIT_Y = 313, BESIDE_X = 500;
  auto click = [](int n, int at) {
    if (n == at) HeadlessMouseDown(1);
    if (n == at + 2) HeadlessMouseUp(1);
  };
  auto move = [](int n, int at, int x, int y) {
    if (n == at) HeadlessMouseMove(x, y);
  };
  struct Case {
    const char* what;
    std::function<void(int)> script;
    int result;
    int frames;  // frames shown (Escape is read as the frame before it ends)
  };
  const Case cases[] = {
      {"click on Quit", [=](int n) { move(n, 1, X, QUIT_Y); click(n, 4); }, 99, 5},
      {"click on Continue", [=](int n) { move(n, 1, X, CONTINUE_Y); click(n, 4); }, 1, 5},
      {"Return on Continue", [](int n) { Hold(n, 3, 5, {RETURN}); }, 1, 4},
      {"down, then Return", [](int n) { Hold(n, 2, 4, {DOWN}); Hold(n, 6, 8, {RETURN}); }, 99, 7},
      {"pointer onto Quit, then Space", [=](int n) { move(n, 1, X, QUIT_Y); Hold(n, 5, 7, {SPACE}); }, 99, 6},
      {"click beside, slid onto Quit, let go; Escape",
       [=](int n) {
         move(n, 1, BESIDE_X, QUIT_Y);
         if (n == 3) HeadlessMouseDown(1);
         move(n, 5, X, QUIT_Y);
         if (n == 8) HeadlessMouseUp(1);
         move(n, 9, X, CONTINUE_Y);
         Hold(n, 12, 14, {ESCAPE});
       },
       1, 12},
  };
  for (const Case& c : cases) {
    HeadlessMouseMove(0, 0);
    EndFrame(1);  // the pointer sampled away from the menu
    EXPECT_EQ(Run(c.script), c.result) << c.what;
    EXPECT_EQ(frames_, c.frames) << c.what;
    HeadlessMouseUp(1);
    HeadlessKeyUp(RETURN);
  }
  // Held over Quit as the menu opens: nothing until it is let go and pressed again.
  HeadlessMouseMove(X, QUIT_Y);
  EndFrame(1);
  HeadlessMouseDown(1);
  EXPECT_EQ(Run([](int n) { if (n == 6) HeadlessMouseUp(1); if (n == 9) HeadlessMouseDown(1); }), 99);
  EXPECT_EQ(frames_, 10);
  HeadlessMouseUp(1);
}

// Rule: the menu leaves the frozen frame behind it level and unturned, with no item over it, so
// what follows (the next frame, or "Game Over") never shows the menu.
TEST_F(PauseMenuTest, LeavesTheFrozenFrameFlat) {
  HeadlessClearDraws();
  EXPECT_EQ(Run([](int n) { Hold(n, 3, 5, {DOWN}); Hold(n, 6, 8, {ESCAPE}); }), 99);
  std::vector<DrawRecord> last;
  for (const DrawRecord& d : HeadlessDraws()) {
    if (d.kind == DrawRecord::CLEAR) last.clear();
    if (d.kind == DrawRecord::IMAGE || d.kind == DrawRecord::TEXT) last.push_back(d);
  }
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].kind, DrawRecord::IMAGE);
  EXPECT_EQ(last[0].rotation, 0);
  EXPECT_FLOAT_EQ(last[0].sx, 1280.0f / 800.0f);
  EXPECT_FLOAT_EQ(last[0].sy, 960.0f / 600.0f);
  EXPECT_EQ(last[0].x, 640);
  EXPECT_EQ(last[0].y, 480);
}

}  // namespace
