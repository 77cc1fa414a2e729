// Setup.ini: the reading rules line by line, the audio driver choice, the written format, a round
// trip and the atomic replacement.
#include <climits>

#include "common/log.h"
#include "engine/setup_file.h"
#include "engine_fixture.h"
#include "kill_during_writes.h"

namespace {

class SetupFileTest : public EngineTest {
 protected:
  // Writes Files/Setup.ini and reads it the way start-up does (Files/ current, the log open).
  void ReadFile(const std::string& text) {
    WriteFile(Files() / "Setup.ini", text);
    ChangeDir(Files().string());
    LogStream = OpenWrite("Debug.txt");
    ReadSetup();
    CloseFile(LogStream);
    LogStream = 0;
    ChangeDir(Game().string());
  }
  std::vector<std::string> Log() { return FileLines(Files() / "Debug.txt"); }
};

TEST_F(SetupFileTest, EachLineSetsItsEntry) {
  struct Case {
    const char* line;
    int index;
    int expected;
  } cases[] = {
      // line                              entry        value after reading
      {"fullscreen=on", Fullscreen, 1},
      {"FULLSCREEN = True", Fullscreen, 1},
      {"Fullscreen = False", Fullscreen, 0},
      {"Fullscreen", Fullscreen, 0},
      {"GFXENGINE=dx7", GfxEngine, 2},
      {"GFX Engine = DX9", GfxEngine, 1},
      {"gfx engine = Dx7", GfxEngine, 2},
      {"GFX Engine = OpenGL", GfxEngine, 0},
      {"Width=-1024", Width, 1024},
      {"  height =  720  ", Height, 720},
      {"Width=abc", Width, 0},
      {"Width=1280x", Width, 1280},
      {"Width=-2147483648", Width, INT_MAX},
      {"Height=99999999999999999999999999", Height, INT_MAX},
      {"Height=-99999999999999999999999999", Height, INT_MAX},
      {"ESS=0", ESS, 1},
      {"ess", ESS, 0},                    // no "=": not a setting
      {"Key", Fullscreen, 0},
      {"Master = 75", Master, 75},
      {"sound=-3", Sound, 3},
      {"MUSIC = 0", Music, 0},
      {"Music", Music, 50},
      {"[Graphics]", Width, 800},
      {"; Width=1024", Width, 800},
      {"Widths=1024", Width, 800},
  };
  for (const Case& c : cases) {
    SetDefaultSettings();
    SetDefaultBindings();
    ReadSetupLine(c.line);
    EXPECT_EQ(Settings[c.index], c.expected) << c.line;
    EXPECT_EQ(ControlBindings[0], 38) << c.line;
  }
}

TEST_F(SetupFileTest, KeyLinesBindWithinTheTable) {
  struct Case {
    const char* line;
    int index;
    int expected;
  } cases[] = {
      // line              binding index (-1: none)   code after reading
      {"Key=0,87", 0, 87},
      {"key = 99 , 300", 99, 300},
      {"KEY=-5,-90", 5, 90},
      {"Key=12,0", 12, 0},
      {"Key=-2147483648,7", -1, 0},  // clamps to an index beyond the table: ignored
      {"Key=100,87", -1, 0},
      {"Key=,55", 0, 55},
  };
  for (const Case& c : cases) {
    for (int& b : ControlBindings) b = 0;
    ReadSetupLine(c.line);
    int bound = 0;
    for (int b : ControlBindings) bound += b != 0;
    if (c.index < 0) {
      EXPECT_EQ(bound, 0) << c.line;
    } else {
      EXPECT_EQ(ControlBindings[c.index], c.expected) << c.line;
      EXPECT_LE(bound, 1) << c.line;
    }
  }
}

TEST_F(SetupFileTest, ReadingLogsTheLinesThatChangeSomething) {
  ReadFile("Fullscreen = False\r\nfullscreen=on\r\nGFX Engine = OpenGL\r\nGFXENGINE=DX9\r\nESS=0\r\nWidth=1024\r\nHeight=768\r\n");
  std::vector<std::string> expected = {
      "\tReading Setup File",
      "\tSetting to Fullscreen",
      "\tDirectX 9 Mode",
      "\tAssuming Emergency Slow System values.",
      "Setting Audio Driver",
      "Set Audio Driver",
      "",
      "\tRequested Resolution : 1024x768",
      "\tSetup Loaded",
      "",
  };
  EXPECT_EQ(Log(), expected);
}

TEST_F(SetupFileTest, WithoutAFileTheDefaultsStandAndNothingIsLoggedForIt) {
  ChangeDir(Files().string());
  LogStream = OpenWrite("Debug.txt");
  ReadSetup();
  CloseFile(LogStream);
  LogStream = 0;
  std::vector<std::string> expected = {"Setting Audio Driver", "Set Audio Driver", "", "\tRequested Resolution : 800x600",
                                       "\tSetup Loaded", ""};
  EXPECT_EQ(Log(), expected);
  EXPECT_EQ(Settings[Width], 800);
  EXPECT_EQ(Settings[Master], 50);
  EXPECT_EQ(ControlBindings[10], 90);
}

TEST_F(SetupFileTest, EmptyFileReadsAsOneEmptyLine) {
  ReadFile("");
  EXPECT_EQ(Log().front(), "\tReading Setup File");
  EXPECT_EQ(Settings[Width], 800);
}

TEST_F(SetupFileTest, AudioDriverChoice) {
  struct Case {
    std::vector<std::string> drivers;
    const char* file;
    int expected;
  } cases[] = {
      // drivers offered                                    file line                      index chosen
      {{"OpenAL", "FreeAudio SDL"}, "", 0},
      {{"Null", "FreeAudio SDL", "OpenAL Soft"}, "", 1},    // first OPENAL or FREE
      {{"Null", "openal", "FreeAudio"}, "", 1},             // prefixes in any case
      {{"A", "DirectSound", "OpenAL", "DirectX"}, "", 3},   // the last DIRECT wins
      {{"DirectSound", "OpenAL"}, "", 0},
      {{"A", "B"}, "", 0},
      {{"OpenAL", "FreeAudio SDL"}, "AudioDriver = FreeAudio SDL", 1},
      {{"OpenAL", "FreeAudio SDL"}, "audiodriver = freeaudio sdl", 0},  // names are case-sensitive
      {{"Null", "FreeAudio SDL"}, "AudioDriver = Gone", 0},             // a seen line skips the default
      {{}, "", 0},
  };
  for (const Case& c : cases) {
    SetDefaultSettings();
    AudioDriverNames = c.drivers;
    ReadFile(c.file);
    EXPECT_EQ(Settings[AudioDriver], c.expected) << c.file << " / " << c.drivers.size() << " drivers";
  }
}

TEST_F(SetupFileTest, OpenALIsSelectedOnlyWhenInstalled) {
  ASSERT_TRUE(AudioDriverExists("OpenAL"));
  ASSERT_TRUE(AudioDriverExists("FreeAudio SDL"));
  SelectAudioDriver("FreeAudio SDL");
  std::string before = AudioDriverInUse();
  HeadlessSetOpenALInstalled(false);
  ReadFile("AudioDriver = OpenAL");
  EXPECT_EQ(AudioDriverInUse(), before);
  HeadlessSetOpenALInstalled(true);
  ReadFile("AudioDriver = OpenAL");
  if (!before.empty()) {
    EXPECT_EQ(AudioDriverInUse(), "OpenAL");
  }
}

TEST_F(SetupFileTest, DefaultsAreWrittenAsTheTwentyThreeLines) {
  std::vector<std::string> names = AudioDriverList();
  ASSERT_EQ(names.size(), 2u);
  ASSERT_TRUE(WriteSetup());
  std::vector<std::string> expected = {
      "[Graphics]", "Fullscreen = False", "GFX Engine = OpenGL", "Width=800", "Height=600", "",
      "[Audio]", "Master = 50", "Sound = 50", "Music = 50", "AudioDriver = " + names[0],
      "; AudioDriver = " + names[0], "; AudioDriver = " + names[1], "", "[Controls]",
      "Key=0,38", "Key=3,37", "Key=5,39", "Key=8,40", "Key=10,90", "Key=11,88", "Key=12,67", "Key=13,86",
  };
  EXPECT_EQ(FileLines(Files() / "Setup.ini"), expected);
  std::string text = FileText(Files() / "Setup.ini");
  EXPECT_EQ(text.substr(0, 12), "[Graphics]\r\n");  // lines end with CR LF
  EXPECT_EQ(CurrentDir(), Game().string());           // the game folder is current again
}

TEST_F(SetupFileTest, WrittenLinesFollowTheSettings) {
  struct Case {
    int index;
    int value;
    const char* present;  // a line that must appear ("" none)
    const char* absent;   // a line that must not
  } cases[] = {
      // entry       value  line written                      line left out
      {Fullscreen, 1, "Fullscreen = True", "Fullscreen = False"},
      {Fullscreen, 2, "", "Fullscreen = True"},
      {GfxEngine, 1, "GFX Engine = DX9", "GFX Engine = OpenGL"},
      {GfxEngine, 2, "GFX Engine = DX7", "GFX Engine = OpenGL"},
      {GfxEngine, 3, "", "GFX Engine = DX7"},
      {ESS, 1, "ESS=1 ; This is a slow system, and things must run a wee bit slower for it.  Awww..", ""},
      {AudioDriver, 7, "AudioDriver = ", ""},  // no such driver: an empty name, never a crash
  };
  for (const Case& c : cases) {
    SetDefaultSettings();
    Settings[c.index] = c.value;
    std::vector<std::string> lines = SetupLines();
    auto has = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
    if (*c.present) {
      EXPECT_TRUE(has(c.present)) << c.present;
    }
    if (*c.absent) {
      EXPECT_FALSE(has(c.absent)) << c.absent;
    }
    if (c.index == ESS) {
      EXPECT_EQ(lines[5], c.present);  // right after Height
    }
    if (c.index == Fullscreen && c.value == 2) {
      EXPECT_FALSE(has("Fullscreen = False"));
    }
  }
}

TEST_F(SetupFileTest, WrittenFileReadsBackTheSameSettings) {
  Settings[Fullscreen] = 1;
  Settings[GfxEngine] = 2;
  Settings[Width] = 1920;
  Settings[Height] = 1080;
  Settings[ESS] = 1;
  Settings[Master] = 100;
  Settings[Sound] = 0;
  Settings[Music] = 7;
  Settings[AudioDriver] = 1;
  ControlBindings[10] = 0;    // unbound: not written, so the default comes back
  ControlBindings[25] = 351;  // player 2 bound to a pad
  ControlBindings[99] = 255;
  ASSERT_TRUE(WriteSetup());

  int saved[SETTINGS_SIZE];
  std::copy(std::begin(Settings), std::end(Settings), saved);
  SetDefaultSettings();
  SetDefaultBindings();
  ReadFile(FileText(Files() / "Setup.ini"));
  for (int i : {Fullscreen, GfxEngine, Width, Height, ESS, Master, Sound, Music, AudioDriver})
    EXPECT_EQ(Settings[i], saved[i]) << "entry " << i;
  EXPECT_EQ(ControlBindings[10], 90);
  EXPECT_EQ(ControlBindings[25], 351);
  EXPECT_EQ(ControlBindings[99], 255);
  EXPECT_EQ(ControlBindings[0], 38);
}

TEST_F(SetupFileTest, ReplacementIsAtomicWhenKilledMidWrite) {
  auto version = [](int v) {
    SetDefaultSettings();
    Settings[Width] = v ? 1024 : 800;
    for (int i = 20; i < 100; ++i) ControlBindings[i] = v ? 300 + i : 0;  // a longer file
  };
  version(0);
  ASSERT_TRUE(WriteSetup());
  std::string a = FileText(Files() / "Setup.ini");
  version(1);
  ASSERT_TRUE(WriteSetup());
  std::string b = FileText(Files() / "Setup.ini");
  ASSERT_NE(a, b);
  ExpectAtomicUnderKill(Files() / "Setup.ini", [&](int v) { version(v); WriteSetup(); }, a, b);
}

}  // namespace
