// Name entry: one typed character per frame, Backspace, the end keys and waiting for keys held
// when the screen opens.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/common_assets.h"
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
    ResetScoreTable();
    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    SetVirtualResolution(ScreenW, ScreenH);
    OverlayOn = 0;
  }
  void TearDown() override {
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
  }

  // Runs the entry with input scripted by frame (0 = the first frame it shows) and by the
  // milliseconds since it opened, the latter also while it waits, showing nothing, for held keys
  // to be let go; names_[k] is the name as frame k + 1 began.
  void Run(std::function<void(int n)> script, std::function<void(int ms)> timed = nullptr) {
    const int start = HeadlessFrameCount();
    const int opened = Millis();
    names_.clear();
    HeadlessOnFrame([=, this](int frame) {
      if (frame - start > 500) throw std::runtime_error("the entry did not end");
      names_.push_back(PlayerName);
      script(frame - start);
    });
    HeadlessOnSleep([=](int clock) {
      if (clock - opened > 60000) throw std::runtime_error("the entry waits for ever");
      if (timed) timed(clock - opened);
    });
    EnterName();
    frames_ = HeadlessFrameCount() - start;
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
  }
  static void Tap(int n, int at, int key) {
    if (n == at) HeadlessKeyDown(key);
    if (n == at + 1) HeadlessKeyUp(key);
  }

  std::vector<std::string> names_;
  int frames_ = 0;
};

// Rule: characters typed faster than the frame rate arrive one per frame; control codes (below
// 32, 127 to 159) are not added, nor anything past 32 characters; Backspace removes the last
// character and does nothing on an empty name.
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
      {"", {127, 0x85, 0x9F, 0xE9, 0xA0, '~'}, 0, "\xE9\xA0~"},
      {"abcdefghijklmnopqrstuvwxyz01234", {'5', '6'}, 0, "abcdefghijklmnopqrstuvwxyz012345"},
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
// can be confirmed. The entry shows nothing more after the frame of the end key, and returns only
// once that key is let go (held here for 100 ms, as a person holds a key).
TEST_F(NameEntryTest, AnyEndKeyConfirms) {
  const std::function<void(bool)> ends[] = {
      [](bool down) { down ? HeadlessKeyDown(RETURN) : HeadlessKeyUp(RETURN); },
      [](bool down) { down ? HeadlessKeyDown(ESCAPE) : HeadlessKeyUp(ESCAPE); },
      [](bool down) { down ? HeadlessMouseDown(1) : HeadlessMouseUp(1); },
  };
  for (const auto& end : ends) {
    PlayerName = "";
    int pressedAt = -1, framesAtRelease = -1;
    const int start = HeadlessFrameCount();
    Run(
        [&](int n) {
          if (n == 5) {
            end(true);
            pressedAt = Millis();
          }
        },
        [&](int) {
          if (pressedAt >= 0 && framesAtRelease < 0 && Millis() >= pressedAt + 100) {
            end(false);
            framesAtRelease = HeadlessFrameCount() - start;
          }
        });
    EXPECT_EQ(PlayerName, "");
    EXPECT_EQ(frames_, 6) << "frames 0 to 5 shown: it ends in the frame of the key";
    EXPECT_EQ(framesAtRelease, 6) << "no frame is shown while the key is held";
    EXPECT_GE(Millis(), pressedAt + 100) << "returns once the key is up";
  }
}

// Rule: input held when the screen opens is flushed, so the key or click that ended the game
// does not end the entry, nor does letting it go; the entry ends on its own end key and returns
// once that is let go, showing nothing more meanwhile.
TEST_F(NameEntryTest, IgnoresHeldKeysAndWaitsForItsOwnEndKey) {
  HeadlessKeyDown(RETURN);
  HeadlessMouseDown(1);
  PlayerName = "Al";
  const int start = HeadlessFrameCount();
  int pressedAt = -1, framesAtRelease = -1;
  Run(
      [&](int n) {
        if (n == 3) HeadlessKeyUp(RETURN);
        if (n == 6) HeadlessMouseUp(1);
        if (n == 8) HeadlessTypeChar('!');
        if (n == 12) {
          HeadlessKeyDown(RETURN);
          pressedAt = Millis();
        }
      },
      [&](int) {
        if (pressedAt >= 0 && framesAtRelease < 0 && Millis() >= pressedAt + 200) {
          HeadlessKeyUp(RETURN);
          framesAtRelease = HeadlessFrameCount() - start;
        }
      });
  EXPECT_EQ(PlayerName, "Al!");
  EXPECT_EQ(frames_, 13) << "ended in frame 12, by the new Return";
  EXPECT_EQ(framesAtRelease, 13) << "nothing shown while Return was held";
  EXPECT_GE(Millis(), pressedAt + 200) << "returns once Return is up";
}

// Rule: the name and its cursor stay on the screen, a long name drawn smaller, at the name font's
// size for the small (800 x 600) and the widescreen (1280 x 720) display; a name that fits is
// drawn at full size, centred without its cursor.
TEST_F(NameEntryTest, ALongNameStaysOnTheScreen) {
  struct Case {
    int displayW, displayH, screenW, screenH, fontSize;
    std::string name;
    bool full;  // drawn at full size
  };
  const std::string longest(32, 'W');
  const Case cases[] = {
      // display     logical      font 5  name          full size
      {800, 600, 1280, 960, 115, longest, false},
      {1280, 720, 1600, 900, 96, longest, false},
      {800, 600, 1280, 960, 115, "Player", true},
      {1280, 720, 1600, 900, 96, "", true},
  };
  const std::string face = std::string(TEST_SOURCE_DIR) + "/assets/Files/Common/Blue Highway.ttf";
  for (const Case& c : cases) {
    ASSERT_TRUE(OpenDisplay(c.displayW, c.displayH, 0, 60));
    ScreenW = c.screenW;
    ScreenH = c.screenH;
    SetVirtualResolution(ScreenW, ScreenH);
    CommonFonts[5] = LoadFont(face, c.fontSize, FONT_SMOOTH);
    ASSERT_NE(CommonFonts[5], 0);
    PlayerName = c.name;
    HeadlessClearDraws();
    Run([](int n) { Tap(n, 3, RETURN); });
    int drawn = 0;
    for (const DrawRecord& d : HeadlessDraws()) {
      if (d.kind != DrawRecord::TEXT || d.image != CommonFonts[5]) continue;
      ++drawn;
      SetFont(d.image);
      const float right = d.x + static_cast<float>(TextWidth(c.name + "_")) * d.sx;
      EXPECT_GE(d.x, 0.0f) << c.name << " on " << c.displayW;
      EXPECT_LE(right, static_cast<float>(ScreenW)) << c.name << " on " << c.displayW;
      EXPECT_EQ(d.sx == 1.0f, c.full) << c.name << " on " << c.displayW;
      if (c.full) {
        EXPECT_EQ(d.x, static_cast<float>(ScreenW / 2 - TextWidth(c.name) / 2)) << c.name;
      }
    }
    EXPECT_EQ(drawn, 4) << "frames 0 to 3";
    FreeFont(CommonFonts[5]);
    CommonFonts[5] = 0;
  }
}

}  // namespace
