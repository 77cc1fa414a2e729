// The closing sequence: files on disk before the thank-you window shows, the keyboard flushed
// first, every kind of input that ends it, the last log lines and exit code 0.
#include "engine/closing.h"
#include "engine/log.h"
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

TEST_F(ClosingTest, SavesBeforeShowingAndWaitsForFreshInput) {
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
    std::vector<std::string> log = FileLines(Files() / "Debug.txt");
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log.back(), "Play again, soon!!");
    // What was held before is forgotten: nothing counts as input yet.
    EXPECT_FALSE(KeyDown(27));
    EXPECT_EQ(CaptureInput(), 0);
    EXPECT_FALSE(ClosingInputSeen());
    HeadlessMouseDown(2);  // a fresh right click ends it
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(DisplayIsOpen());
  EXPECT_EQ(LogStream, 0);
  std::vector<std::string> log = FileLines(Files() / "Debug.txt");
  std::vector<std::string> last(log.end() - 5, log.end());
  EXPECT_EQ(last, (std::vector<std::string>{"Closing Up", "", "Bye!", "", "Play again, soon!!"}));
}

TEST_F(ClosingTest, AnyInputEndsTheThankYouScreen) {
  struct Case {
    const char* what;
    std::function<void()> input;
  } cases[] = {
      {"a key", [] { HeadlessKeyDown(65); }},
      {"left button", [] { HeadlessMouseDown(1); }},
      {"right button", [] { HeadlessMouseDown(2); }},
      {"Alt+F4", [] { HeadlessKeyDown(165); HeadlessKeyDown(115); }},
      {"window close", [] { HeadlessRequestClose(); }},
      {"pad button", [] {
         VirtualJoystick pad;
         pad.held = 1u << 3;
         HeadlessSetJoysticks({pad});
       }},
  };
  for (const Case& c : cases) {
    if (std::string(c.what) == "pad button") {
      HeadlessSetJoysticks({VirtualJoystick{}});
      ScanJoysticks();
    }
    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    LogStream = OpenWrite((Files() / "Debug.txt").string());
    EXPECT_EQ(Run(c.input), 0) << c.what;
    FlushKeys();
    FlushMouse();
  }
}

TEST_F(ClosingTest, NothingPressedIsNoInput) {
  FlushKeys();
  FlushMouse();
  EXPECT_FALSE(ClosingInputSeen());
  HeadlessKeyDown(165);  // Alt alone is a key press too
  EXPECT_TRUE(ClosingInputSeen());
}

}  // namespace
