// EndFrame on the headless back end: pacing by sleeping, the frame-rate measure, frame-skip, the
// global keys, and the closing request.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <stdexcept>

#include "common/log.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame_fixture.h"

namespace {

constexpr int KEY_TAB = 9, KEY_ESCAPE = 27, KEY_F4 = 115, KEY_F11 = 122, KEY_F12 = 123;
constexpr int KEY_LALT = 164, KEY_RALT = 165;

// Drives a pause menu that opens with Escape held: let go, press Escape again to take the
// highlighted "Continue", let go. Records the highest PauseState seen on any frame since.
void ScriptPauseMenuContinue(int* seenState) {
  // Escape is let go LET_GO_MS after the last frame, so only while the menu waits showing nothing.
  constexpr int LET_GO_MS = 50;
  auto lastFrameMs = std::make_shared<int>(Millis());
  auto frames = std::make_shared<int>(0);
  HeadlessOnFrame([=](int) {
    if (*frames > 600) throw std::runtime_error("the pause menu did not end");
    if (PauseState > *seenState) *seenState = PauseState;
    *lastFrameMs = Millis();
    if (++*frames == 3) HeadlessKeyDown(KEY_ESCAPE);
  });
  HeadlessOnSleep([=](int clock) {
    if (clock - *lastFrameMs >= LET_GO_MS) HeadlessKeyUp(KEY_ESCAPE);
  });
}

using EndFramePacing = FrameTest;

TEST_F(EndFramePacing, SleepsOutTheSlotInMillisecondSteps) {
  struct Case {
    int workMs;   // time the frame's own drawing took
    int flipMs;   // cost of the present
    int sleptMs;  // expected time spent in Delay
    int frameMs;  // expected FrameMs
  };
  const Case cases[] = {
      // work  flip  slept  FrameMs
      {0, 0, 15, 15},  // the wait ends at least 14.67 ms after FrameStart
      {10, 0, 5, 15},
      {14, 0, 1, 15},
      {15, 0, 1, 16},  // already late: still sleeps once
      {40, 0, 1, 41},
      {0, 5, 10, 15},   // the present comes first and uses up part of the slot
      {10, 10, 1, 21},  // a frame that overruns its slot sleeps once and is measured whole
  };
  for (const Case& c : cases) {
    HeadlessSetFlipCost(c.flipMs);
    FrameStart = Millis();
    const int64_t sleptBefore = HeadlessSleptMs();
    HeadlessAdvanceClock(c.workMs);
    EndFrame(0);
    EXPECT_EQ(HeadlessSleptMs() - sleptBefore, c.sleptMs) << "work " << c.workMs;
    EXPECT_EQ(FrameMs, c.frameMs) << "work " << c.workMs;
    EXPECT_EQ(FrameStart, Millis()) << "the next frame starts where this one ended";
  }
}

TEST_F(EndFramePacing, RateIsSmoothedWithTruncatingDivisions) {
  struct Case {
    int before;   // FpsSmooth before the frame
    int workMs;
    int after;    // (1000 / FrameMs + 2 * before) / 3
  };
  const Case cases[] = {
      // before  work  after
      {0, 0, 22},     // 1000/15 = 66 -> 66/3
      {66, 0, 66},
      {60, 19, 56},   // FrameMs 20: 1000/20 = 50 -> 170/3
      {30, 0, 42},    // 126/3
  };
  for (const Case& c : cases) {
    FpsSmooth = c.before;
    FrameStart = Millis();
    HeadlessAdvanceClock(c.workMs);
    EndFrame(0);
    EXPECT_EQ(FpsSmooth, c.after) << "from " << c.before;
    EXPECT_EQ(FpsShown, c.after);
  }
}

TEST_F(EndFramePacing, WaitSurvivesTheClockWrapping) {
  HeadlessSetClock(INT_MAX - 5);
  FrameStart = Millis();
  const int64_t sleptBefore = HeadlessSleptMs();
  EndFrame(0);
  EXPECT_EQ(HeadlessSleptMs() - sleptBefore, 15) << "a wrap must neither end the wait early nor make it endless";
  EXPECT_EQ(FrameMs, 15);
  EXPECT_LT(FrameStart, 0) << "the clock did wrap";
}

TEST_F(EndFramePacing, ParityFlipsAndTheMouseIsSampledOncePerFrame) {
  HeadlessMouseMove(400, 300);  // real pixels on 800 x 600, logical 1280 x 960
  EndFrame(0);
  EXPECT_EQ(FrameParity, 1);
  EXPECT_EQ(FrameMouseX, 640);
  EXPECT_EQ(FrameMouseY, 480);
  HeadlessMouseMove(10, 599);
  EndFrame(0);
  EXPECT_EQ(FrameParity, 0);
  EXPECT_EQ(PrevMouseX, 640);
  EXPECT_EQ(PrevMouseY, 480);
  EXPECT_EQ(FrameMouseX, 16);
  EXPECT_EQ(FrameMouseY, 958) << "truncated: 958.4";
}

class FrameSkip : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Settings[ESS] = 1;
    sprite_ = CreateImage(8, 8, 1, 0);
  }
  // One frame of a screen: a budgeted sprite, then EndFrame.
  int Frame() {
    BeginFrame(1);
    DrawSprite(sprite_, 0, 0, 0);
    return EndFrame(0);
  }
  int sprite_ = 0;
};

TEST_F(FrameSkip, OddFramesAreNeitherDrawnNorPresented) {
  for (int i = 0; i < 6; ++i) Frame();
  EXPECT_EQ(Draws(DrawRecord::FLIP).size(), 3u);
  int sprites = 0;
  for (const DrawRecord& d : Draws(DrawRecord::IMAGE)) sprites += d.image == sprite_;
  EXPECT_EQ(sprites, 3);
  EXPECT_EQ(FrameParity, 0);
}

TEST_F(FrameSkip, F11OnASkippedFrameWaitsForTheNextPresentedFrame) {
  Frame();  // now on an odd, skipped frame
  ASSERT_FALSE(FramePresented());
  HeadlessKeyDown(KEY_F11);
  HeadlessKeyUp(KEY_F11);
  Frame();
  EXPECT_TRUE(MessageList.Empty()) << "no screenshot on a skipped frame";
  Frame();
  ASSERT_EQ(MessageList.Count(), 1);
  EXPECT_EQ(MessageList.First()->txt, "Saved Screenshot");
  Frame();
  Frame();
  EXPECT_EQ(MessageList.Count(), 1) << "one press, one screenshot";
}

TEST_F(FrameSkip, EscapeOnlyPausesOnPresentedFrames) {
  PauseState = 1;
  Frame();
  HeadlessKeyDown(KEY_ESCAPE);
  EXPECT_EQ(Frame(), 0) << "skipped frame";
  int seen = 0;
  ScriptPauseMenuContinue(&seen);
  EXPECT_EQ(Frame(), 1) << "the pause menu's choice is handed back";
  EXPECT_EQ(seen, 2) << "pausing is shut off while the menu runs";
  EXPECT_EQ(PauseState, 1);
}

using GlobalKeys = FrameTest;

TEST_F(GlobalKeys, EscapePausesOnlyWhilePausingIsAllowed) {
  HeadlessKeyDown(KEY_ESCAPE);
  for (int state : {0, 2}) {  // not in a game; the pause menu's own frames
    PauseState = state;
    const int frames = HeadlessFrameCount();
    EXPECT_EQ(EndFrame(0), 0) << "PauseState " << state;
    EXPECT_EQ(HeadlessFrameCount(), frames + 1) << "no menu ran for PauseState " << state;
    EXPECT_EQ(PauseState, state);
  }
  PauseState = 1;
  int seen = 0;
  ScriptPauseMenuContinue(&seen);
  EXPECT_EQ(EndFrame(0), 1);
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(PauseState, 1);
}

TEST_F(GlobalKeys, TabTogglesTheMenuAndWritesTheSettingsEachTime) {
  const auto setup = FilesDir() / "Setup.ini";
  for (int open : {1, 0, 1, 0}) {
    std::filesystem::remove(setup);
    HeadlessKeyDown(KEY_TAB);
    HeadlessKeyUp(KEY_TAB);
    EndFrame(0);
    EXPECT_EQ(MenuOpen, open);
    EXPECT_TRUE(std::filesystem::exists(setup)) << "written on " << (open ? "opening" : "closing");
  }
  std::filesystem::remove(setup);
  EndFrame(0);
  EXPECT_FALSE(std::filesystem::exists(setup)) << "no Tab, no write";
}

TEST_F(GlobalKeys, TheMenuSlidesInTenFramesAndShowsThePointer) {
  HeadlessKeyDown(KEY_TAB);
  for (int i = 0; i < 10; ++i) EndFrame(0);
  EXPECT_EQ(MenuY, 20);
  int pointers = 0;
  for (const DrawRecord& d : Draws(DrawRecord::IMAGE)) pointers += d.image == IconsFiltered && d.cell == 63;
  EXPECT_EQ(pointers, 10) << "the pointer shows while the menu is open";
  HeadlessKeyUp(KEY_TAB);
  HeadlessKeyDown(KEY_TAB);
  for (int i = 0; i < 10; ++i) EndFrame(0);
  EXPECT_EQ(MenuY, -300);
}

TEST_F(GlobalKeys, ClicksAreCountedOncePerFrameForTheSettingsPanel) {
  for (int i = 0; i < 2; ++i) {
    HeadlessMouseDown(1);
    HeadlessMouseUp(1);
  }
  HeadlessMouseDown(2);
  EndFrame(0);
  EXPECT_EQ(LeftClicks, 2);
  EXPECT_EQ(RightClicks, 1);
  EndFrame(0);
  EXPECT_EQ(LeftClicks, 0) << "each sample takes the presses since the last one";
  EXPECT_EQ(RightClicks, 0) << "a held button is one press";
}

TEST_F(GlobalKeys, PointerSitsWithItsCornerOnTheMouseAndIsNotBudgeted) {
  HeadlessMouseMove(400, 300);
  DrawLimit[1] = 0;
  EndFrame(1);
  const auto images = Draws(DrawRecord::IMAGE);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].image, IconsFiltered);
  EXPECT_EQ(images[0].cell, 63);
  EXPECT_FLOAT_EQ(images[0].x, 652);
  EXPECT_FLOAT_EQ(images[0].y, 492);
  EXPECT_FLOAT_EQ(images[0].sx, 1.5f);
  HeadlessClearDraws();
  EndFrame(0);
  EXPECT_TRUE(Draws(DrawRecord::IMAGE).empty());
}

TEST_F(GlobalKeys, F12TogglesTheOverlay) {
  OverlayOn = 1;
  DrawnCount[1] = 7;
  DrawLimit[1] = 500;
  DrawnCount[2] = 2;
  DrawLimit[2] = 400;
  DrawLimit[3] = 250;
  FpsShown = 59;
  EndFrame(0);
  struct Line {
    const char* text;
    int y;
  };
  const Line lines[] = {
      // text                        y
      {"59", 2},
      {"Collection : 0", 40},
      {"Drawn Images : 7/500", 80},
      {"Drawn Glow : 2/400", 100},
      {"Drawn Particles : 0/250", 120},
      {"Hit F12 to remove this", 150},
  };
  for (const Line& l : lines) {
    const auto found = Texts(l.text);
    ASSERT_EQ(found.size(), 1u) << l.text;
    EXPECT_FLOAT_EQ(found[0].x, 2);
    EXPECT_FLOAT_EQ(found[0].y, l.y);
    EXPECT_FLOAT_EQ(found[0].sx, 1.5f);
  }
  bool memory = false;
  for (const DrawRecord& d : Draws(DrawRecord::TEXT)) memory |= d.text.rfind("Used Memory : ", 0) == 0 && d.y == 60;
  EXPECT_TRUE(memory);

  HeadlessKeyDown(KEY_F12);
  HeadlessClearDraws();
  EndFrame(0);
  EXPECT_EQ(OverlayOn, 0);
  EXPECT_TRUE(Texts("Hit F12 to remove this").empty());
  HeadlessKeyUp(KEY_F12);
  HeadlessKeyDown(KEY_F12);
  EndFrame(0);
  EXPECT_EQ(OverlayOn, 1);
}

// The closing sequence ends the process through the end hook; here the hook throws instead.
struct Ended {
  int code;
};
void ThrowEnded(int code) { throw Ended{code}; }

TEST_F(GlobalKeys, AltF4AndTheCloseRequestRunTheClosingSequence) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    bool closeRequest;
    bool closes;
  };
  const Case cases[] = {
      // what              keys held                 close request  closes
      {"left Alt+F4", {KEY_LALT, KEY_F4}, false, true},
      {"right Alt+F4", {KEY_RALT, KEY_F4}, false, true},
      {"window close", {}, true, true},
      {"F4 alone", {KEY_F4}, false, false},
      {"Alt alone", {KEY_LALT}, false, false},
  };
  for (const Case& c : cases) {
    SetUp();
    SetEndHook(ThrowEnded);
    // The thank-you screen waits for input; a close request ends it at once. Sent only on its own
    // frame (after EndFrame's present), so it cannot be what made EndFrame close.
    const int endFramePresent = HeadlessFrameCount() + 1;
    HeadlessOnFrame([endFramePresent](int frame) {
      if (frame > endFramePresent) HeadlessRequestClose();
    });
    for (int key : c.keys) HeadlessKeyDown(key);
    if (c.closeRequest) HeadlessRequestClose();
    bool ended = false;
    try {
      EndFrame(0);
    } catch (const Ended& e) {
      ended = true;
      EXPECT_EQ(e.code, 0) << c.what;
    }
    EXPECT_EQ(ended, c.closes) << c.what;
    if (c.closes) {
      EXPECT_TRUE(std::filesystem::exists(FilesDir() / "Setup.ini")) << c.what;
      const auto log = LogLines();
      ASSERT_FALSE(log.empty()) << c.what;
      EXPECT_EQ(log.back(), "Play again, soon!!") << c.what;
    }
    TearDown();
  }
}

}  // namespace
