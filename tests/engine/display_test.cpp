// Display set-up: the usable mode list, the logical screens, font sizes, SelectFont, the crash
// marker, the full-screen fallback, the second set-up, and a display that cannot open at all.
#include <filesystem>

#include "common/log.h"
#include "engine/display.h"
#include "engine_fixture.h"
#include "common/folders.h"
#include "frame/draw.h"
#include "frame/end_frame.h"

namespace {

// Runs ApplyDisplay where it is expected to end the process; the exit code, -1 when it returned.
int ApplyDisplayEndCode() {
  try {
    ApplyDisplay();
  } catch (const ProcessEnded& e) {
    return e.code;
  }
  return -1;
}

class DisplayTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // Slow flips end the engine test after two stages, so a set-up takes a handful of frames.
    HeadlessSetFlipCost(40);
    LogStream = OpenWrite((Files() / "Debug.txt").string());
  }
  std::vector<std::string> Log() {
    CloseFile(LogStream);
    LogStream = 0;
    return FileLines(Files() / "Debug.txt");
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

TEST_F(DisplayTest, ModeListKeepsUsableShapesOnce) {
  HeadlessSetModes({{800, 600, 16, 60}, {800, 600, 24, 60}, {800, 600, 32, 75}, {1280, 1024, 32, 60},
                    {1920, 1080, 32, 60}, {1680, 1050, 32, 60}, {1366, 768, 32, 60}, {1024, 768, 32, 60},
                    {1920, 1080, 16, 60}, {0, 0, 32, 60}});
  Settings[Width] = 1680;
  Settings[Height] = 1050;
  BuildModeList();
  // 1280x1024 (5:4) and an empty size are not usable; 1366x768 is 16:9 in integer arithmetic.
  std::vector<std::pair<int, int>> expected = {{800, 600}, {1920, 1080}, {1680, 1050}, {1366, 768}, {1024, 768}};
  ASSERT_EQ(ModeCount, static_cast<int>(expected.size()));
  for (int i = 1; i <= ModeCount; ++i) {
    EXPECT_EQ(DisplayModes[i].w, expected[static_cast<size_t>(i - 1)].first) << i;
    EXPECT_EQ(DisplayModes[i].h, expected[static_cast<size_t>(i - 1)].second) << i;
  }
  EXPECT_EQ(Settings[ModeIndex], 3);
  EXPECT_EQ(DisplayW, 1680);
  EXPECT_EQ(DisplayH, 1050);
}

TEST_F(DisplayTest, RequestedSizeThatIsNoUsableModeFallsBack) {
  struct Case {
    int w, h;
    int expectW, expectH;
  } cases[] = {
      // requested            open size
      {1280, 1024, 800, 600},  // listed, but 5:4
      {2147483647, 2147483647, 800, 600},
      {0, 0, 800, 600},
      {1920, 1080, 1920, 1080},
      {1234, 999, 1920, 1080},  // falls back to the previous display, not to 800x600
  };
  for (const Case& c : cases) {
    Settings[Width] = c.w;
    Settings[Height] = c.h;
    BuildModeList();
    EXPECT_EQ(DisplayW, c.expectW) << c.w << "x" << c.h;
    EXPECT_EQ(DisplayH, c.expectH) << c.w << "x" << c.h;
    EXPECT_EQ(DisplayModes[Settings[ModeIndex]].w, DisplayW) << "ModeIndex follows the open size";
  }
}

TEST_F(DisplayTest, LogicalScreenFollowsTheShape) {
  struct Case {
    int w, h;
    int screenW, screenH, wide;
    const char* log;
  } cases[] = {
      // display       logical       wide  log line
      {800, 600, 1280, 960, 0, ""},
      {1024, 768, 1280, 960, 0, ""},
      {1920, 1080, 1600, 900, 1, "\tWidescreen mode!"},
      {1280, 720, 1600, 900, 1, "\tWidescreen mode!"},
      {1680, 1050, 1440, 900, 1, "\tWidescreen mode B (10:16)!"},
      {1280, 800, 1440, 900, 1, "\tWidescreen mode B (10:16)!"},
      {1280, 1024, 1280, 960, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(ChooseLogicalScreen(c.w, c.h), c.log) << c.w << "x" << c.h;
    EXPECT_EQ(ScreenW, c.screenW) << c.w << "x" << c.h;
    EXPECT_EQ(ScreenH, c.screenH) << c.w << "x" << c.h;
    EXPECT_EQ(Settings[Widescreen], c.wide) << c.w << "x" << c.h;
  }
}

TEST_F(DisplayTest, FontSizesScaleWithTheDisplayWidth) {
  struct Case {
    int displayW;
    int font1, font2, font5, font10, step0, step8;
  } cases[] = {
      // width  font 1  font 2  font 5  font 10  table step 0  table step 8
      {1920, 24, 16, 96, 112, 8, 96},
      {900, 24, 16, 96, 112, 8, 96},
      {899, 28, 22, 115, 112, 9, 115},
      {800, 28, 22, 115, 112, 9, 115},
      {599, 36, 32, 144, 112, 12, 144},
      {640, 28, 22, 115, 112, 9, 115},
  };
  for (const Case& c : cases) {
    ChooseFontScales(c.displayW);
    EXPECT_EQ(CommonFontSize(1), c.font1) << c.displayW;
    EXPECT_EQ(CommonFontSize(2), c.font2) << c.displayW;
    EXPECT_EQ(CommonFontSize(5), c.font5) << c.displayW;
    EXPECT_EQ(CommonFontSize(10), c.font10) << c.displayW;
    EXPECT_EQ(FontTableSize(0), c.step0) << c.displayW;
    EXPECT_EQ(FontTableSize(8), c.step8) << c.displayW;
  }
  EXPECT_EQ(CommonFontSize(0), 0);
  EXPECT_EQ(CommonFontSize(14), 0);
}

TEST_F(DisplayTest, SelectFontClampsFaceAndStep) {
  const std::string font = std::string(TEST_SOURCE_DIR) + "/assets/Files/Common/SVBasicManual.ttf";
  for (int slot : {0, 5, 13, 20, 28}) FontTable[slot] = LoadFont(font, 10 + slot, 0);
  ASSERT_NE(FontTable[0], 0) << "font fixture missing: " << font;
  struct Case {
    int face, step, slot;
  } cases[] = {
      // face  step  slot selected
      {1, 0, 0},  {4, 9, 0}, {2, 3, 13}, {0, 5, 5}, {3, 8, 28}, {3, -1, 20}, {-7, 99, 0},
  };
  for (const Case& c : cases) {
    SelectFont(c.face, c.step);
    EXPECT_EQ(GetFont(), FontTable[c.slot]) << c.face << "," << c.step;
  }
  SelectFont(1, 1);  // an empty slot: the default font
  EXPECT_EQ(GetFont(), 0);
}

TEST_F(DisplayTest, OnlyTheFirstSetUpShowsTheStartUpScreen) {
  // On a wide screen the start-up screen's site logo (ScreenW - 0.4 ScreenH, 0.7 ScreenH) is not
  // where the engine test draws it (0.7 ScreenW, 0.7 ScreenH).
  std::filesystem::copy_file(std::string(TEST_SOURCE_DIR) + "/assets/Files/Common/Kelvaro.png",
                             Files() / "Common" / "Kelvaro.png");
  Settings[Width] = 1920;
  Settings[Height] = 1080;
  auto startupScreens = [] {
    int n = 0;
    for (const DrawRecord& d : HeadlessDraws())
      n += d.kind == DrawRecord::IMAGE && d.image == SiteLogo && d.x == 1240 && d.y == 630 && d.sx == 1.5f;
    return n;
  };
  ApplyDisplay();
  ASSERT_NE(SiteLogo, 0);
  EXPECT_EQ(startupScreens(), 1);
  EXPECT_EQ(DisplayOpen, 1);
  EXPECT_TRUE(DisplayIsOpen());
  EXPECT_EQ(RealWidth(), 1920);
  EXPECT_EQ(VirtualWidth(), 1600);
  EXPECT_FALSE(std::filesystem::exists(Game() / "crash.dat"));
  EXPECT_EQ(CurrentDir(), Game().string());

  HeadlessClearDraws();
  ApplyDisplay();
  EXPECT_EQ(startupScreens(), 0);
  std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Applying Graphical Settings"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "\tChanged Graphics Mode ingame."), 1);
}

TEST_F(DisplayTest, CrashMarkerExistsWhileOpeningAndSwitchesOpenGLToDX9) {
  struct Case {
    int choice;
    int expected;
    const char* log;
  } cases[] = {
      // chosen  used  log line
      {0, 1, "\tUsing DirectX 9 Driver"},
      {2, 2, "\tUsing DirectX 7 Driver"},
  };
  for (const Case& c : cases) {
    WriteFile(Game() / "crash.dat", "");
    Settings[GfxEngine] = c.choice;
    bool markerWhileOpen = false;
    HeadlessOnFrame([&](int) {
      if (!markerWhileOpen) markerWhileOpen = std::filesystem::exists(Game() / "crash.dat");
    });
    ApplyDisplay();
    HeadlessOnFrame(nullptr);
    EXPECT_EQ(Settings[GfxEngine], c.expected);
    EXPECT_EQ(DisplayDriverInUse(), c.expected);
    EXPECT_TRUE(markerWhileOpen);
    EXPECT_FALSE(std::filesystem::exists(Game() / "crash.dat"));
    EXPECT_TRUE(Has(Log(), c.log));
    LogStream = OpenWrite((Files() / "Debug.txt").string());
  }
}

// Rule: full screen takes the first of 32, 24 and 16 bits that the size has; a size with none of
// them covers the desktop at its own mode instead (the settings then hold that size), and only
// when the desktop is unknown or refused does a window open, the settings saying so.
TEST_F(DisplayTest, FullScreenNeedsADeepEnoughMode) {
  struct Case {
    int w, h;
    DisplayMode desktop;
    bool refuseDesktop;
    const char* log;
    const char* message;  // nullptr: none
    int openW, fullscreen;
  } cases[] = {
      // size       desktop                 refused  resolution log line
      {1024, 768, {1920, 1080, 32, 60}, false, "\tResolution : 1024x768,24", nullptr, 1024, 1},
      {800, 600, {1920, 1080, 32, 60}, false, "\tResolution : 800x600,32", nullptr, 800, 1},
      {1280, 960, {1920, 1080, 32, 60}, false, "\tResolution : 1920x1080,32",
       "No fullscreen mode at 1280x960: fullscreen at the desktop's 1920x1080.", 1920, 1},
      {1280, 960, {}, false, "\tResolution : 1280x960,0", "Can't set to fullscreen in this resolution.", 1280, 0},
      {1280, 960, {1920, 1080, 32, 60}, true, "\tFullscreen refused, trying a window",
       "Can't set to fullscreen in this resolution.", 1280, 0},
  };
  HeadlessSetModes({{800, 600, 16, 60}, {800, 600, 32, 60}, {1024, 768, 24, 60}, {1280, 960, 8, 60}});
  for (const Case& c : cases) {
    MessageList.Clear();
    HeadlessSetDesktop(c.desktop);
    HeadlessRefuseDisplayWhen([&](int, int, int depth, int) { return c.refuseDesktop && depth == DEPTH_DESKTOP; });
    Settings[Fullscreen] = 1;
    Settings[Width] = c.w;
    Settings[Height] = c.h;
    std::vector<std::string> shown;
    HeadlessOnFrame([&](int) {  // the engine test's frames age the messages; look at once
      MessageList.ForEach([&](Message& m) { shown.push_back(m.txt); });
    });
    ApplyDisplay();
    HeadlessOnFrame(nullptr);
    HeadlessRefuseDisplayWhen(nullptr);
    const bool messaged = c.message && std::find(shown.begin(), shown.end(), c.message) != shown.end();
    EXPECT_EQ(messaged, c.message != nullptr) << c.w << (c.message ? c.message : "");
    EXPECT_TRUE(Has(Log(), c.log)) << c.log;
    EXPECT_TRUE(DisplayIsOpen());
    EXPECT_EQ(RealWidth(), c.openW) << c.log;
    EXPECT_EQ(Settings[Width], c.openW) << c.log;
    EXPECT_EQ(Settings[Fullscreen], c.fullscreen) << "the settings hold what opened: " << c.log;
    LogStream = OpenWrite((Files() / "Debug.txt").string());
  }
}

TEST_F(DisplayTest, NoDisplayServerEndsTheRunSayingSoAndKeepsTheDriver) {
  HeadlessRemoveDisplayServer(true);
  const int code = ApplyDisplayEndCode();
  HeadlessRemoveDisplayServer(false);
  EXPECT_EQ(code, 1);
  // Nothing crashed: the next run, with a display, keeps the player's driver.
  EXPECT_FALSE(std::filesystem::exists(Game() / "crash.dat"));
  EXPECT_TRUE(Has(Log(), "\tNo display available"));
}

TEST_F(DisplayTest, ClosingDuringTheEngineTestLeavesNoCrashMarker) {
  // The first close request reaches a frame of the engine test, which runs the closing sequence;
  // the second closes the thank-you window.
  HeadlessRequestClose();
  HeadlessRequestClose();
  const int code = ApplyDisplayEndCode();
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(Has(Log(), "Starting Engine Test"));
  EXPECT_FALSE(std::filesystem::exists(Game() / "crash.dat"));
}

TEST_F(DisplayTest, NoDisplayAtAllEndsTheRunAndLeavesTheMarker) {
  HeadlessRefuseDisplay(true);
  const int code = ApplyDisplayEndCode();
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(std::filesystem::exists(Game() / "crash.dat"));  // the next run tries another driver
  EXPECT_TRUE(Has(Log(), "\tNo display could be opened"));
}

TEST_F(DisplayTest, StartUpScreenCuesTheJingleAtTheSoundVolume) {
  // A real sound for the jingle: the test's own one-sample WAV.
  std::string wav("RIFF", 4);
  auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) wav += static_cast<char>((v >> (8 * i)) & 0xFF); };
  auto u16 = [&](uint16_t v) { for (int i = 0; i < 2; ++i) wav += static_cast<char>((v >> (8 * i)) & 0xFF); };
  u32(38);
  wav += "WAVEfmt ";
  u32(16); u16(1); u16(1); u32(22050); u32(44100); u16(2); u16(16);
  wav += "data";
  u32(2); u16(0);
  WriteFile(Files() / "Common" / "badgeget.wav", wav);
  Settings[Sound] = 40;
  Settings[Master] = 50;
  ApplyDisplay();
  bool cued = false, volume = false;
  for (const SoundRecord& s : HeadlessSounds()) {
    cued |= s.kind == SoundRecord::CUE && s.sound == BadgeJingle;
    volume |= s.kind == SoundRecord::VOLUME && std::abs(s.value - 0.2f) < 1e-6f;
  }
  EXPECT_NE(BadgeJingle, 0);
  EXPECT_TRUE(cued);
  EXPECT_TRUE(volume);
}


// "Apply" in the settings panel of a running game: the display opens again at the chosen mode, or,
// when the platform refuses it, at the mode that worked last.
class SettingsApply : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    FilesFolder = Files().string();
    ApplyDisplay();  // the start-up display: an 800 x 600 window
    ASSERT_EQ(RealWidth(), 800);
    MenuOpen = 1;
    MenuY = 20;
    for (int& o : PressOwner) o = PRESS_NONE;
  }
  void TearDown() override {
    HeadlessOnFrame(nullptr);
    FilesFolder.clear();
    DisplayTest::TearDown();
  }
  // A left click at a logical point of the 800 x 600 window's 1280 x 960 screen; messages are
  // collected as the engine test's frames show them.
  void ClickAt(int x, int y) {
    HeadlessMouseMove(x * 800 / 1280 + 1, y * 600 / 960 + 1);
    EndFrame(0);
    HeadlessMouseDown(1);
    HeadlessMouseUp(1);
    HeadlessOnFrame([this](int) { MessageList.ForEach([this](Message& m) { messages_.push_back(m.txt); }); });
    EndFrame(0);
    HeadlessOnFrame(nullptr);
  }
  void ClickApply() { ClickAt(20, 280); }
  bool Messaged(const std::string& text) const { return std::find(messages_.begin(), messages_.end(), text) != messages_.end(); }
  std::vector<std::string> messages_;
};

TEST_F(SettingsApply, ApplyOpensTheChosenModeAndRerunsTheEngineTest) {
  ClickAt(40, 110);  // "Resolution": the mode after 800 x 600
  EXPECT_EQ(Settings[Width], 1024);
  ClickApply();
  EXPECT_EQ(MenuOpen, 0);
  EXPECT_EQ(RealWidth(), 1024);
  EXPECT_EQ(RealHeight(), 768);
  EXPECT_EQ(VirtualWidth(), 1280);
  const std::vector<std::string> setup = FileLines(Files() / "Setup.ini");
  EXPECT_TRUE(Has(setup, "Width=1024"));
  EXPECT_TRUE(Has(setup, "Height=768"));
  const std::vector<std::string> log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Starting Engine Test"), 2);
  EXPECT_TRUE(Has(log, "\tChanged Graphics Mode ingame."));
}

TEST_F(SettingsApply, ARefusedModeGoesBackToTheLastWorkingOne) {
  struct Case {
    const char* what;
    int fullscreen, driver, w, h;                  // what the panel asks for
    std::function<bool(int, int, int, int)> refuse;  // what the platform refuses
    const char* setupLine;                         // a line of Setup.ini that proves the working value
  };
  const Case cases[] = {
      // what                 full  driver  size         refused                                          Setup.ini
      {"too large", 0, 0, 1920, 1080, [](int w, int, int, int) { return w > 1280; }, "Width=800"},
      {"full screen refused", 1, 0, 800, 600, [](int, int, int depth, int) { return depth != 0; }, "Fullscreen = False"},
      {"driver fails", 0, 2, 800, 600, [](int, int, int, int choice) { return choice == 2; }, "GFX Engine = OpenGL"},
  };
  for (const Case& c : cases) {
    messages_.clear();
    HeadlessRefuseDisplayWhen(c.refuse);
    MenuOpen = 1;
    MenuY = 20;
    Settings[Fullscreen] = c.fullscreen;
    Settings[GfxEngine] = c.driver;
    Settings[Width] = c.w;
    Settings[Height] = c.h;
    ClickApply();
    HeadlessRefuseDisplayWhen(nullptr);
    EXPECT_TRUE(DisplayIsOpen()) << c.what;
    EXPECT_EQ(RealWidth(), 800) << c.what;
    EXPECT_EQ(DisplayDriverInUse(), 0) << c.what;
    EXPECT_EQ(Settings[Width], 800) << c.what;
    EXPECT_EQ(Settings[Fullscreen], 0) << c.what;
    EXPECT_EQ(Settings[GfxEngine], 0) << c.what;
    EXPECT_TRUE(Messaged("Display mode refused: back to 800x600.")) << c.what;
    EXPECT_TRUE(Has(FileLines(Files() / "Setup.ini"), c.setupLine)) << c.what;
    EXPECT_TRUE(Has(Log(), "\tDisplay refused, going back to 800x600,0")) << c.what;
    LogStream = OpenWrite((Files() / "Debug.txt").string());
  }
}

TEST_F(SettingsApply, NoDisplayAtAllSavesTheSettingsAndThisRunsGamesBeforeEnding) {
  Scores game;
  game.Name = "Tester";
  game.Score = 1234;
  game.Timestamp = 5;
  ScoreList.Append(game);
  Settings[Width] = 1024;
  Settings[Height] = 768;
  HeadlessRefuseDisplay(true);
  int code = -1;
  try {
    ClickApply();
  } catch (const ProcessEnded& e) {
    code = e.code;
  }
  HeadlessRefuseDisplay(false);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(Has(FileLines(Files() / "Setup.ini"), "Width=800")) << "the size that worked, not the refused one";
  EXPECT_NE(FileText(Game() / "scores.dat").find("Tester"), std::string::npos);
}

// Rule: "Apply" with full screen at a size the screen has no mode for covers the desktop, and
// Setup.ini and the panel say so; refused, a window of the asked size opens and Setup.ini says
// "Fullscreen = False", so the panel never shows a full screen that is not there.
TEST_F(SettingsApply, FullScreenWithoutItsModeStoresWhatOpened) {
  struct Case {
    const char* what;
    bool refuseDesktop;
    int openW, openH;
    std::vector<std::string> setup;  // lines of Setup.ini
  };
  const Case cases[] = {
      {"the desktop's size", false, 1920, 1080, {"Fullscreen = True", "Width=1920", "Height=1080"}},
      {"the desktop refused: a window", true, 1024, 768, {"Fullscreen = False", "Width=1024", "Height=768"}},
  };
  HeadlessSetModes({{800, 600, 0, 0}, {1024, 768, 0, 0}, {1920, 1080, 32, 60}});
  for (const Case& c : cases) {
    Settings[Fullscreen] = 0;  // each case from the 800 x 600 window the clicks are aimed in
    Settings[Width] = 800;
    Settings[Height] = 600;
    ApplyDisplay();
    HeadlessRefuseDisplayWhen([&](int, int, int depth, int) { return c.refuseDesktop && depth == DEPTH_DESKTOP; });
    MenuOpen = 1;
    MenuY = 20;
    Settings[Fullscreen] = 1;
    Settings[Width] = 1024;
    Settings[Height] = 768;
    ClickApply();
    HeadlessRefuseDisplayWhen(nullptr);
    EXPECT_EQ(RealWidth(), c.openW) << c.what;
    EXPECT_EQ(RealHeight(), c.openH) << c.what;
    EXPECT_EQ(Settings[Fullscreen], c.refuseDesktop ? 0 : 1) << c.what;
    EXPECT_EQ(DisplayModes[Settings[ModeIndex]].w, c.openW) << c.what << ": the panel's size is the open one";
    const std::vector<std::string> setup = FileLines(Files() / "Setup.ini");
    for (const std::string& line : c.setup) EXPECT_TRUE(Has(setup, line)) << c.what << ": " << line;
  }
}

}  // namespace
