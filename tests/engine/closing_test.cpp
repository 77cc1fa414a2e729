// The closing sequence: files on disk before the thank-you window shows, the keyboard flushed
// first, every kind of input that ends it, the last log lines and exit code 0.
#include "engine/closing.h"

#include <signal.h>

#include "common/log.h"
#include "engine_fixture.h"

namespace {

class ClosingTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    LogStream = OpenWrite((Files() / "Debug.txt").string());
    ASSERT_TRUE(OpenDisplay(1024, 768, 0, 60));
  }
  // Runs the sequence; `onShown` runs when the thank-you frame is presented. Returns the exit code.
  int Run(std::function<void()> onShown) {
    HeadlessOnFrame([onShown](int) { onShown(); });
    int code = -1;
    try {
      ClosingSequence();
    } catch (const ProcessEnded& e) {
      code = e.code;
    }
    HeadlessOnFrame(nullptr);
    return code;
  }
};

TEST_F(ClosingTest, SavesBeforeShowingAndEndsWithCodeZero) {
  Settings[Width] = 1024;
  Settings[Height] = 768;
  Scores s;
  s.Score = 77;
  s.Name = "Ann";
  s.Timestamp = 5;
  ScoreList.Append(s);
  HeadlessKeyDown(27);   // the Escape that quit the title
  HeadlessKeyDown(65);
  HeadlessMouseDown(1);  // and a button held through it

  bool checked = false;
  int code = Run([&] {
    checked = true;
    EXPECT_EQ(RealWidth(), 640);
    EXPECT_EQ(RealHeight(), 480);
    std::vector<std::string> setup = FileLines(Files() / "Setup.ini");
    EXPECT_NE(std::find(setup.begin(), setup.end(), "Width=1024"), setup.end());
    std::vector<std::string> scores = FileLines(Game() / "scores.dat");
    ASSERT_EQ(scores.size(), 2u);
    EXPECT_EQ(scores[0], "77|Ann|0|5|0|0|0|0");
    std::vector<std::string> log = WithoutMissingFiles(FileLines(Files() / "Debug.txt"));
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log.back(), "Play again, soon!!");
    // What was held before is forgotten: the keyboard was flushed before the screen showed.
    EXPECT_FALSE(KeyDown(27));
    EXPECT_EQ(CaptureInput(), 0);
    EXPECT_TRUE(HeldInputs().empty());
    HeadlessRequestClose();  // closing the thank-you window ends it
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(DisplayIsOpen());
  EXPECT_EQ(LogStream, 0);
  std::vector<std::string> log = WithoutMissingFiles(FileLines(Files() / "Debug.txt"));
  std::vector<std::string> last(log.end() - 5, log.end());
  EXPECT_EQ(last, (std::vector<std::string>{"Closing Up", "", "Bye!", "", "Play again, soon!!"}));
}

TEST_F(ClosingTest, ThankYouScreenDrawsItsTextsOnce) {
  std::vector<DrawRecord> shown;
  Run([&] {
    shown = HeadlessDraws();
    HeadlessRequestClose();
  });
  struct Want {
    const char* text;
    float x, y;
    int r, g, b;
  } wants[] = {
      // text                                 x    y    colour
      {"Thanks for Playing", 2, 222, 0, 0, 0},
      {"Thanks for Playing", 0, 220, 255, 255, 255},
      {"Send Feedback!", 50, 274, 255, 255, 255},
      {"This Game is Free", 320, 4, 180, 255, 255},
      {"All I ask is that players send some feedback.", 270, 84, 180, 255, 255},
      {"saying thanks to their developers.", 270, 184, 180, 255, 255},
  };
  for (const Want& w : wants) {
    bool found = false;
    for (const DrawRecord& d : shown)
      found |= d.kind == DrawRecord::TEXT && d.text == w.text && d.x == w.x && d.y == w.y && d.r == w.r && d.g == w.g &&
               d.b == w.b;
    EXPECT_TRUE(found) << w.text << " at " << w.x << "," << w.y;
  }
  int flips = 0;
  for (const DrawRecord& d : HeadlessDraws()) flips += d.kind == DrawRecord::FLIP;
  EXPECT_EQ(flips, 1);  // presented once; the wait draws nothing
}

TEST_F(ClosingTest, OnlyInputsHeldWhenClosingBeganWaitToBeLetGo) {
  struct Case {
    const char* what;
    std::function<void()> press, release;
  } cases[] = {
      // input          press                                   release
      {"a key", [] { HeadlessKeyDown(65); }, [] { HeadlessKeyUp(65); }},
      {"left button", [] { HeadlessMouseDown(1); }, [] { HeadlessMouseUp(1); }},
      {"right button", [] { HeadlessMouseDown(2); }, [] { HeadlessMouseUp(2); }},
      {"Alt+F4", [] { HeadlessKeyDown(165); HeadlessKeyDown(115); }, [] { HeadlessKeyUp(115); HeadlessKeyUp(165); }},
      {"pad button", [] { HeadlessJoystick(0).held = 1u << 3; }, [] { HeadlessJoystick(0).held = 0; }},
  };
  HeadlessSetJoysticks({VirtualJoystick{}});
  ScanJoysticks();
  // The flush that follows the start of the wait in the closing sequence.
  auto flush = [] {
    FlushKeys();
    FlushMouse();
  };
  for (const Case& c : cases) {
    // Nothing held when closing began: the very first press ends the wait, however early.
    ClosingWait wait = StartClosingWait();
    flush();
    EXPECT_FALSE(ClosingWaitDone(wait)) << c.what;
    c.press();
    EXPECT_TRUE(ClosingWaitDone(wait)) << c.what;
    c.release();

    // Held when closing began and still held (reported again once the new window has the focus):
    // ignored until let go, however long it is held; the next press counts.
    c.press();
    wait = StartClosingWait();
    flush();
    HeadlessAdvanceClock(50);
    c.press();
    for (int i = 0; i < 3; ++i) {
      EXPECT_FALSE(ClosingWaitDone(wait)) << c.what;
      HeadlessAdvanceClock(CLOSING_CARRY_MS);
    }
    c.release();
    EXPECT_FALSE(ClosingWaitDone(wait)) << c.what;
    c.press();
    EXPECT_TRUE(ClosingWaitDone(wait)) << c.what;
    c.release();
  }
}

TEST_F(ClosingTest, AKeyLetGoBeforeItsReReportIsFreeAfterTheCarryTime) {
  HeadlessKeyDown(27);  // the Escape that quit the title
  ClosingWait wait = StartClosingWait();
  FlushKeys();
  HeadlessKeyUp(27);
  EXPECT_FALSE(ClosingWaitDone(wait));
  // Another key is not carried: it counts at once, within the carry time.
  HeadlessKeyDown(65);
  EXPECT_TRUE(ClosingWaitDone(wait));
  HeadlessKeyUp(65);
  ClosingWaitDone(wait);

  // Escape itself, pressed within the carry time, may still be its own re-report.
  HeadlessKeyDown(27);
  wait = StartClosingWait();
  FlushKeys();
  HeadlessAdvanceClock(CLOSING_CARRY_MS / 2);
  EXPECT_FALSE(ClosingWaitDone(wait));
  HeadlessAdvanceClock(CLOSING_CARRY_MS);
  EXPECT_FALSE(ClosingWaitDone(wait));  // never seen down again: free from now on
  HeadlessKeyDown(27);
  EXPECT_TRUE(ClosingWaitDone(wait));
}

TEST_F(ClosingTest, ATerminateSignalSavesAndEndsWithoutTheThankYouScreen) {
  Scores s;
  s.Score = 12;
  s.Name = "Sig";
  ScoreList.Append(s);
  raise(SIGTERM);
  ASSERT_TRUE(TerminateSignalled());
  int presented = 0;
  EXPECT_EQ(Run([&] { ++presented; }), 0);
  EXPECT_EQ(presented, 0);
  EXPECT_FALSE(DisplayIsOpen());
  EXPECT_FALSE(FileLines(Files() / "Setup.ini").empty());
  ASSERT_FALSE(FileLines(Game() / "scores.dat").empty());
  EXPECT_EQ(FileLines(Game() / "scores.dat")[0].substr(0, 7), "12|Sig|");
  EXPECT_EQ(FileLines(Files() / "Debug.txt").back(), "Play again, soon!!");
}

TEST_F(ClosingTest, AThankYouWindowThatCannotOpenIsSkipped) {
  HeadlessRefuseDisplay(true);
  EXPECT_EQ(Run([] {}), 0);  // returns instead of waiting for input that cannot come
  HeadlessRefuseDisplay(false);
}

TEST_F(ClosingTest, ClosingRemovesTheDisplayCrashMarker) {
  // The marker stands while the display opens and the engine test runs; closing then is the
  // player's choice, and the next start must keep the driver.
  WriteFile(Game() / "crash.dat", "");
  Run([] { HeadlessRequestClose(); });
  EXPECT_FALSE(std::filesystem::exists(Game() / "crash.dat"));
}

TEST_F(ClosingTest, CloseRequestEndsTheWaitEvenWhileAKeyIsHeld) {
  HeadlessKeyDown(27);
  ClosingWait wait = StartClosingWait();
  EXPECT_FALSE(ClosingWaitDone(wait));
  HeadlessRequestClose();
  EXPECT_TRUE(ClosingWaitDone(wait));
}

}  // namespace
