// Start-up through the headless back end: the whole Debug.txt of a run without Setup.ini (start-up,
// then Escape on the title and the closing sequence), and the 2.5 s hold of the start-up screen.
#include "common/log.h"
#include "engine/closing.h"
#include "engine/startup.h"
#include "engine/title.h"
#include "engine_fixture.h"

namespace {

class StartupTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ChangeDir(root_.string());  // the program's own folder, as main leaves it
    // Slow flips end the engine test after two stages (a few hundred milliseconds of fake time).
    HeadlessSetFlipCost(40);
  }
  // Escape on the title, then the closing sequence, ended by closing the thank-you window.
  int QuitFromTitle() {
    HeadlessKeyDown(27);
    while (!TitleFrame()) {
    }
    HeadlessOnFrame([](int) { HeadlessRequestClose(); });
    try {
      ClosingSequence();
    } catch (const ProcessEnded& e) {
      return e.code;
    }
    return -1;
  }
};

TEST_F(StartupTest, DebugLogOfARunWithoutSetupFile) {
  StartUp();
  EXPECT_EQ(QuitFromTitle(), 0);

  const std::vector<std::string> head = {
      "Corvane's Tolluvar Engine",
      "----------------------------",
      "Week #247",
      "----------------------------",
      "#247 : Plonko Elongo",
      "----------------------------",
      "",
      "Loading",
      "Setting Audio Driver",
      "Set Audio Driver",
      "",
      "\tRequested Resolution : 800x600",
      "\tSetup Loaded",
      "",
      "Grabbing Previous Scores",
      "",
      "",
      "-=-=-=-=-=-=-=-=-=-=-=-=-=-",
      "Applying Graphical Settings",
      "\tUsing OpenGL Driver",
      "\tResolution : 800x600,0",
      "",
      "Loading : Common Objects",
      "",
      "Switching to Default Folder",
      "",
      "\tDefault Fonts",
      "\tDefault Icons",
      "\tLogos",
      "\tBadgeGet",
      "",
      "Switching to Game Folder",
      "",
      "Loading Sound effects",
      "Sounds loaded",
      "",
      "Starting Engine Test",
      "Aiming for 60,2",
      "Test Complete",
      "",
      "Engine Test Results",
      "",
  };
  const std::vector<std::string> tail = {
      "-=-=-=-=-=-=-=-=-=-=-=-=-=-", "Finished Loading", "Closing Up", "", "Bye!", "", "Play again, soon!!",
  };
  std::vector<std::string> log = WithoutMissingFiles(FileLines(Files() / "Debug.txt"));
  ASSERT_GE(log.size(), head.size() + tail.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + static_cast<long>(head.size())), head);
  EXPECT_EQ(std::vector<std::string>(log.end() - static_cast<long>(tail.size()), log.end()), tail);
  // The engine test's own lines lie between the two.
  EXPECT_NE(std::find(log.begin(), log.end(), "\tMain sprites : 0"), log.end());

  // The closing sequence stored the settings and an (empty) score table.
  EXPECT_EQ(FileLines(Files() / "Setup.ini").front(), "[Graphics]");
  EXPECT_TRUE(std::filesystem::exists(Game() / "scores.dat"));
}

TEST_F(StartupTest, StartUpEndsAsTheGlobalsSay) {
  StartUp();
  EXPECT_EQ(GameTitle, "#247 : Plonko Elongo");
  EXPECT_EQ(CreditCount, 16);
  EXPECT_EQ(CreditLines[1], "A Game by Corvane");
  EXPECT_EQ(CreditLines[6], "using Corvane's Framework");
  EXPECT_EQ(CreditLines[16], "Sound Effects by Corvane");
  // The font credits name the faces we ship and their makers, as their licence file says them.
  const std::string licence = FileText(std::string(TEST_SOURCE_DIR) + "/assets/Files/Common/FONTS-LICENSE.txt");
  int fontCredits = 0;
  for (int k = 1; k <= CreditCount; ++k) {
    const std::string& line = CreditLines[k];
    if (line.rfind("Font : ", 0) != 0) continue;
    ++fontCredits;
    const size_t by = line.find(" by ");
    ASSERT_NE(by, std::string::npos) << line;
    const std::string face = line.substr(7, by - 7), maker = line.substr(by + 4);
    EXPECT_NE(licence.find("The face \"" + face + "\" by " + maker + "."), std::string::npos) << line;
  }
  EXPECT_EQ(fontCredits, 3);
  EXPECT_EQ(ControlMode, 1);
  EXPECT_EQ(PlayerCount, 4);
  EXPECT_EQ(BadgeCount, 16);
  EXPECT_EQ(PauseState, 0);
  EXPECT_EQ(PlayerName, "Player");
  EXPECT_EQ(SlideStep, 0);
  EXPECT_EQ(CurrentDir(), Game().string());
  EXPECT_TRUE(DisplayIsOpen());
}

TEST_F(StartupTest, StartUpScreenStaysAtLeastTwoAndAHalfSeconds) {
  struct Case {
    int flipCost;  // ms per presented frame: how long loading takes
    bool slow;     // loading alone takes longer than 2.5 s
  } cases[] = {
      // flip cost   loading slower than the hold
      {40, false},
      {400, true},
  };
  for (const Case& c : cases) {
    MediaInit(MEDIA_HEADLESS);
    SetEndHook(&ThrowOnEnd);
    ResetEngineState();
    DisplayOpen = 0;
    HeadlessSetFlipCost(c.flipCost);
    ChangeDir(root_.string());
    int lastFlip = 0;
    HeadlessOnFrame([&](int) { lastFlip = Millis(); });
    int start = Millis();
    StartUp();
    HeadlessOnFrame(nullptr);
    int total = Millis() - start;
    EXPECT_GE(total, 2500) << c.flipCost;
    if (c.slow) {
      EXPECT_LT(Millis() - lastFlip, 20) << "no extra wait after a slow load";
    } else {
      // The fake clock only moves when slept, so getting here at all shows the hold sleeps.
      EXPECT_LT(total, 2520) << "the hold ends on time";
    }
    if (LogStream) CloseFile(LogStream);
    LogStream = 0;
  }
}

}  // namespace
