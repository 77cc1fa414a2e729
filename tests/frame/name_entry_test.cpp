// Name entry: one typed character per frame, Backspace, the end keys and waiting for keys held
// when the screen opens.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/score_table.h"
#include "frame/frame_state.h"
#include "frame/name_entry.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

constexpr int BACKSPACE = 8, RETURN = 13, ESCAPE = 27;

class NameEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    ResetFrameState();
    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    SetVirtualResolution(ScreenW, ScreenH);
    OverlayOn = 0;
    PlayerName = "Player";
  }
  void TearDown() override { HeadlessOnFrame(nullptr); }

  // Runs the entry with input scripted by frame (0 = the frame it opened in); names_[k] is the
  // name as frame k + 1 began.
  void Run(std::function<void(int n)> script) {
    const int start = HeadlessFrameCount();
    names_.clear();
    HeadlessOnFrame([=, this](int frame) {
      if (frame - start > 500) throw std::runtime_error("the entry did not end");
      names_.push_back(PlayerName);
      script(frame - start);
    });
    EnterName();
    frames_ = HeadlessFrameCount() - start;
    HeadlessOnFrame(nullptr);
  }
  static void Tap(int n, int at, int key) {
    if (n == at) HeadlessKeyDown(key);
    if (n == at + 1) HeadlessKeyUp(key);
  }

  std::vector<std::string> names_;
  int frames_ = 0;
};

// Rule: characters typed faster than the frame rate arrive one per frame; codes below 32 are
// not added; Backspace removes the last character and does nothing on an empty name.
TEST_F(NameEntryTest, EditsOneCharacterPerFrame) {
  struct Case {
    const char* start;
    std::vector<int> typed;  // all in frame 1
    int backspaces;          // tapped on frames 10, 12, ...
    const char* result;
  };
  const Case cases[] = {
      // start     typed in one frame     backspaces  result
      {"", {'A', 'b', '|'}, 0, "Ab|"},
      {"Player", {'\t', 'x', 31}, 0, "Playerx"},
      {"A", {}, 1, ""},
      {"", {}, 2, ""},
      {"Ann", {}, 2, "A"},
  };
  for (const Case& c : cases) {
    PlayerName = c.start;
    Run([&](int n) {
      if (n == 1)
        for (int ch : c.typed) HeadlessTypeChar(ch);
      for (int k = 0; k < c.backspaces; ++k) Tap(n, 10 + 2 * k, BACKSPACE);
      Tap(n, 20, RETURN);
    });
    EXPECT_EQ(PlayerName, c.result) << c.start;
  }
  // The three characters of one frame show on three successive frames.
  PlayerName = "";
  Run([](int n) {
    if (n == 1)
      for (int ch : {'X', 'Y', 'Z'}) HeadlessTypeChar(ch);
    Tap(n, 10, RETURN);
  });
  ASSERT_GE(names_.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(names_.begin(), names_.begin() + 4),
            (std::vector<std::string>{"", "X", "XY", "XYZ"}));
}

// Rule: Return, Escape and a click all end the entry and keep the name as typed; an empty name
// can be confirmed.
TEST_F(NameEntryTest, AnyEndKeyConfirms) {
  const std::function<void(int)> ends[] = {
      [](int n) { Tap(n, 5, RETURN); },
      [](int n) { Tap(n, 5, ESCAPE); },
      [](int n) {
        if (n == 5) HeadlessMouseDown(1);
        if (n == 6) HeadlessMouseUp(1);
      },
  };
  for (const auto& end : ends) {
    PlayerName = "";
    Run(end);
    EXPECT_EQ(PlayerName, "");
    EXPECT_EQ(frames_, 6) << "ends in the frame of the key; returns in the frame it is released";
  }
}

// Rule: end keys held when the screen opens must be released first, so the key that ended the
// game does not end the entry; the entry also waits for its own end key to be released.
TEST_F(NameEntryTest, WaitsForHeldKeys) {
  HeadlessKeyDown(RETURN);
  HeadlessMouseDown(1);
  PlayerName = "Al";
  Run([](int n) {
    if (n == 3) HeadlessKeyUp(RETURN);
    if (n == 6) HeadlessMouseUp(1);
    if (n == 8) HeadlessTypeChar('!');
    if (n == 12) HeadlessKeyDown(RETURN);
    if (n == 20) HeadlessKeyUp(RETURN);
  });
  EXPECT_EQ(PlayerName, "Al!");
  EXPECT_EQ(frames_, 20) << "ended at frame 12, returned once Return was up";
}

}  // namespace
