// Display set-up and asset loading.
#include "engine/display.h"

#include <cstdint>
#include <cstdio>

#include "common/folders.h"
#include "common/log.h"
#include "common/score_table.h"
#include "common/settings.h"
#include "common/sound_channels.h"
#include "engine/engine_state.h"
#include "engine/save_report.h"
#include "engine/setup_file.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/engine_test.h"
#include "frame/frame_state.h"
#include "frame/stripes.h"
#include "game/game_images.h"
#include "game/sfx.h"
#include "media/media.h"
#include "music/playback.h"

namespace {

const char* const RULE = "-=-=-=-=-=-=-=-=-=-=-=-=-=-";
const char* const DRIVER_LOG[3] = {"\tUsing OpenGL Driver", "\tUsing DirectX 9 Driver", "\tUsing DirectX 7 Driver"};
const char* const DRIVER_NAME[3] = {"OpenGL", "DX9", "DX7"};  // as Setup.ini and the settings menu name them
constexpr int MASKED_FILTERED = IMAGE_MASKED | IMAGE_FILTERED;

// 4:3, 16:9 and 16:10 in the integer arithmetic the modes are matched with (64-bit: a platform
// may report anything; an empty size is never usable).
bool UsableShape(int64_t w, int64_t h) {
  return w > 0 && h > 0 && (w * 10 / 16 == h || w * 9 / 16 == h || w * 3 / 4 == h);
}

// Each reload replaces the previous display's objects; freeing them first keeps repeated display
// changes from piling up fonts, images and sounds.
void SetImage(int& slot, int image) {
  FreeImage(slot);
  slot = image;
}
void SetFontSlot(int& slot, int font) {
  FreeFont(slot);
  slot = font;
}
void SetSound(int& slot, int sound) {
  FreeSound(slot);
  slot = sound;
}

const char* const FACE_FILES[4] = {"", "SVBasicManual.ttf", "Blue Highway.ttf", "Acknowledge TT QVT.ttf"};

// Common font slots 1 to 13: face, base size, and which multiplier scales it (0: none).
struct CommonFont {
  int face;
  int size;
  int scale;  // 1 FontScaleA, 2 FontScaleB, 0 unscaled
};
constexpr CommonFont COMMON_FONTS[14] = {
    {0, 0, 0},  {1, 24, 1}, {1, 16, 2}, {1, 16, 2},  {1, 20, 1},  {2, 96, 1}, {2, 72, 1},
    {2, 32, 1}, {1, 32, 1}, {1, 14, 1}, {3, 112, 0}, {3, 96, 0},  {3, 32, 0}, {3, 20, 0},
};
constexpr int STEP_SIZES[9] = {8, 12, 18, 24, 32, 40, 52, 64, 96};

int Scaled(int size, float scale) { return static_cast<int>(static_cast<float>(size) * scale); }

void LoadFonts() {
  ChooseFontScales(DisplayW);
  for (int slot = 1; slot <= 13; ++slot) LoadCommonFont(slot, CommonFontSize(slot));
  for (int face = 1; face <= 3; ++face)
    for (int step = 0; step <= 8; ++step)
      SetFontSlot(FontTable[(face - 1) * 10 + step], LoadFont(FACE_FILES[face], FontTableSize(step), FONT_SMOOTH));
}

// Shown once per run, behind the rest of the loading, with the jingle.
void ShowStartupScreen() {
  BeginFrame(1);
  ResetDrawState();
  DrawStripes();
  ResetDrawState();
  SetDrawScale(1.5f);
  DrawImage(EngineLogo, 0.4f * static_cast<float>(ScreenH), 0.3f * static_cast<float>(ScreenH), 0);
  DrawImage(SiteLogo, static_cast<float>(ScreenW) - 0.4f * static_cast<float>(ScreenH), 0.7f * static_cast<float>(ScreenH), 0);
  SetDrawScale(1.0f);
  SoundChannels[256] = CueSound(BadgeJingle, SoundChannels[256]);
  if (SoundChannels[256]) {
    SetChannelVolume(SoundChannels[256], static_cast<float>(Settings[Sound]) * static_cast<float>(Settings[Master]) / 10000.0f);
    ResumeChannel(SoundChannels[256]);
  }
  Flip(0);
  DisplayOpen = 1;
}

std::string SizeText(int w, int h) { return IntText(w) + "x" + IntText(h); }

// The settings menu indexes DisplayModes with ModeIndex: point it at the open size (0 unlisted).
void PointModeIndexAtOpenSize() {
  Settings[ModeIndex] = 0;
  for (int i = 1; i <= ModeCount; ++i)
    if (DisplayModes[i].w == DisplayW && DisplayModes[i].h == DisplayH) Settings[ModeIndex] = i;
}

// A change made while the game runs that the platform refused: the display that worked last
// opens again, and the settings take its values so that Setup.ini keeps a mode that works.
bool ReopenLastWorking() {
  const WorkingDisplay last = LastWorking;
  LogLine("\tDisplay refused, going back to " + SizeText(last.w, last.h) + "," + IntText(last.depth));
  DisplayW = Settings[Width] = last.w;
  DisplayH = Settings[Height] = last.h;
  Settings[Fullscreen] = last.fullscreen;
  Settings[GfxEngine] = last.driver;
  PointModeIndexAtOpenSize();
  SelectDisplayDriver(last.driver);
  LogLine(DRIVER_LOG[last.driver]);
  if (!OpenDisplay(DisplayW, DisplayH, last.depth, 60)) return false;
  AddMessage("Display mode refused: back to " + SizeText(last.w, last.h) + ".", 1);
  return true;
}

// Opens the display. A change made in the running game falls back to the display that worked
// last; the first display (and a last one that no longer opens) to a window, then to an 800 x 600
// window. *depth is what opened; *wentBack says the last working display replaced the request.
// False when the platform refuses all of them.
bool OpenWithFallbacks(int* depth, bool* wentBack) {
  *wentBack = false;
  if (OpenDisplay(DisplayW, DisplayH, *depth, 60)) return true;
  if (DisplayOpen == 1) {
    *wentBack = true;
    if (ReopenLastWorking()) {
      *depth = LastWorking.depth;
      return true;
    }
  }
  if (*depth != 0) {
    LogLine("\tFullscreen refused, trying a window");
    AddMessage("Can't set to fullscreen in this resolution.", 1);
    *depth = 0;
    if (OpenDisplay(DisplayW, DisplayH, 0, 60)) return true;
  }
  *depth = 0;
  if (DisplayW != 800 || DisplayH != 600) {
    LogLine("\tResolution refused, trying 800x600");
    DisplayW = Settings[Width] = 800;
    DisplayH = Settings[Height] = 600;
    PointModeIndexAtOpenSize();
    if (OpenDisplay(DisplayW, DisplayH, 0, 60)) return true;
  }
  return false;
}

// The chosen driver opened nothing at all (no GL 3.3 context, a broken GL library): the other
// choices in turn, in an 800 x 600 window, each logged. The one that opens is kept in the settings,
// so the next start uses it too.
bool OpenWithOtherDriver(int* depth) {
  const int failed = Settings[GfxEngine];
  if (!DisplayServerAvailable()) return false;
  for (int driver = 0; driver <= 2; ++driver) {
    if (driver == failed) continue;
    LogLine(std::string("\t") + DRIVER_NAME[Settings[GfxEngine]] + " driver did not start, trying " + DRIVER_NAME[driver]);
    Settings[GfxEngine] = driver;
    SelectDisplayDriver(driver);
    LogLine(DRIVER_LOG[driver]);
    *depth = 0;
    if (OpenDisplay(DisplayW, DisplayH, 0, 60)) {
      AddMessage(std::string("The ") + DRIVER_NAME[failed] + " display driver did not start: using " + DRIVER_NAME[driver] + ".", 1);
      return true;
    }
  }
  Settings[GfxEngine] = failed;
  return false;
}

// Ends the program (code 1), saying why on standard error and in the log. A game already running
// keeps what it changed. With no display server at all no driver crashed: the marker goes, so the
// next run keeps the player's driver.
[[noreturn]] void ReportNoDisplay() {
  const bool server = DisplayServerAvailable();
  LogLine(server ? "\tNo display could be opened" : "\tNo display available");
  std::fprintf(stderr, "%s: %s\n", GameTitle.c_str(),
               server ? "no display mode could be opened" : "no display available (is DISPLAY set?)");
  if (!server) DeleteFile(GameFilePath("crash.dat"));
  if (DisplayOpen == 1) {
    WriteSetup();
    SaveScoreFile();
  }
  EndProcess(1);
}

}  // namespace

void BuildModeList() {
  ModeCount = 0;
  bool requestedListed = false;
  for (const DisplayMode& m : ListDisplayModes()) {
    if (!UsableShape(m.w, m.h)) continue;
    bool listed = false;
    for (int i = 1; i <= ModeCount && !listed; ++i) listed = DisplayModes[i].w == m.w && DisplayModes[i].h == m.h;
    if (listed || ModeCount + 1 >= MAX_DISPLAY_MODES) continue;
    ++ModeCount;
    DisplayModes[ModeCount] = ModeSize{m.w, m.h};
    if (m.w == Settings[Width] && m.h == Settings[Height]) {
      Settings[ModeIndex] = ModeCount;
      DisplayW = m.w;
      DisplayH = m.h;
      requestedListed = true;
    }
  }
  if (!requestedListed) PointModeIndexAtOpenSize();
}

const char* ChooseLogicalScreen(int w, int h) {
  const char* log = "";
  Settings[Widescreen] = 0;
  ScreenW = 1280;
  ScreenH = 960;
  if (static_cast<int64_t>(w) * 9 / 16 == h) {
    Settings[Widescreen] = 1;
    ScreenW = 1600;
    ScreenH = 900;
    log = "\tWidescreen mode!";
  }
  if (static_cast<int64_t>(w) * 10 / 16 == h) {
    Settings[Widescreen] = 1;
    ScreenW = 1440;
    ScreenH = 900;
    log = "\tWidescreen mode B (10:16)!";
  }
  return log;
}

void ChooseFontScales(int displayW) {
  FontScaleA = FontScaleB = 1.0f;
  if (displayW < 900) {
    FontScaleA = 1.2f;
    FontScaleB = 1.4f;
  }
  if (displayW < 600) {
    FontScaleA = 1.5f;
    FontScaleB = 2.0f;
  }
}

int CommonFontSize(int slot) {
  if (slot < 1 || slot > 13) return 0;
  const CommonFont& f = COMMON_FONTS[slot];
  return Scaled(f.size, f.scale == 1 ? FontScaleA : (f.scale == 2 ? FontScaleB : 1.0f));
}

void LoadCommonFont(int slot, int size) {
  if (slot < 1 || slot > 13) return;
  SetFontSlot(CommonFonts[slot], LoadFont(FACE_FILES[COMMON_FONTS[slot].face], size, FONT_SMOOTH));
}

int FontTableSize(int step) { return step >= 0 && step <= 8 ? Scaled(STEP_SIZES[step], FontScaleA) : 0; }

void ApplyDisplay() {
  BuildModeList();
  // A size that is not a usable mode falls back to the previous display size.
  Settings[Width] = DisplayW;
  Settings[Height] = DisplayH;

  LogLine("");
  LogLine(RULE);
  LogLine("Applying Graphical Settings");
  const bool wasOpen = DisplayOpen == 1;
  if (DisplayOpen == 1) {
    CloseDisplay();
    LogLine("\tChanged Graphics Mode ingame.");
  }
  // A marker left by a run that died while opening the display: try the other driver.
  if (FileType(GameFilePath("crash.dat")) == PATH_FILE && Settings[GfxEngine] == 0) Settings[GfxEngine] = 1;
  if (Settings[GfxEngine] < 0 || Settings[GfxEngine] > 2) Settings[GfxEngine] = 0;
  SelectDisplayDriver(Settings[GfxEngine]);
  LogLine(DRIVER_LOG[Settings[GfxEngine]]);

  const int askedFull = Settings[Fullscreen], askedW = DisplayW, askedH = DisplayH;
  int depth = 0, shownDepth = 0;
  if (Settings[Fullscreen] == 1) {
    for (int d : {32, 24, 16}) {
      if (DisplayModeExists(DisplayW, DisplayH, d, 0)) {
        depth = shownDepth = d;
        break;
      }
    }
    // No mode of that size: full screen over the desktop as it is, at its own size.
    const DisplayMode desk = DesktopMode();
    if (depth == 0 && desk.w > 0 && desk.h > 0) {
      const std::string why = "No fullscreen mode at " + SizeText(DisplayW, DisplayH) + ": fullscreen at the desktop's " +
                              SizeText(desk.w, desk.h) + ".";
      LogLine("\t" + why);
      AddMessage(why, 1);
      DisplayW = Settings[Width] = desk.w;
      DisplayH = Settings[Height] = desk.h;
      PointModeIndexAtOpenSize();
      depth = DEPTH_DESKTOP;
      shownDepth = desk.depth;
    }
    if (depth == 0) AddMessage("Can't set to fullscreen in this resolution.", 1);
  }
  LogLine("\tResolution : " + IntText(DisplayW) + "x" + IntText(DisplayH) + "," + IntText(shownDepth));

  CloseFile(OpenWrite(GameFilePath("crash.dat")));
  bool wentBack = false;
  // A refused desktop-wide screen gives way to a window of the size asked for.
  bool opened = depth == DEPTH_DESKTOP && OpenDisplay(DisplayW, DisplayH, depth, 60);
  if (depth == DEPTH_DESKTOP && !opened) {
    LogLine("\tFullscreen refused, trying a window");
    AddMessage("Can't set to fullscreen in this resolution.", 1);
    DisplayW = Settings[Width] = askedW;
    DisplayH = Settings[Height] = askedH;
    PointModeIndexAtOpenSize();
    depth = 0;
  }
  if (!opened) opened = OpenWithFallbacks(&depth, &wentBack) || OpenWithOtherDriver(&depth);
  if (!opened) ReportNoDisplay();
  // Setup.ini and the settings panel say what opened, not what was asked for.
  Settings[Fullscreen] = depth != 0 ? 1 : 0;
  const bool changed = Settings[Fullscreen] != askedFull || DisplayW != askedW || DisplayH != askedH;
  LastWorking = WorkingDisplay{DisplayW, DisplayH, Settings[Fullscreen], depth, Settings[GfxEngine]};
  SetCaption(GameTitle);
  const char* wideLog = ChooseLogicalScreen(DisplayW, DisplayH);
  if (*wideLog) LogLine(wideLog);
  SetVirtualResolution(ScreenW, ScreenH);

  LoadCommonAssets();
  LoadGameAssets();

  LogLine(RULE);
  DeleteFile(GameFilePath("crash.dat"));
  // The settings menu wrote the refused values before applying them.
  if (wentBack || (changed && wasOpen)) WriteSetup();
}

void LoadCommonAssets() {
  AutoMidHandle(true);
  LogLine("");
  LogLine("Loading : Common Objects");
  LogLine("");
  LogLine("Switching to Default Folder");
  LogLine("");
  const std::string home = CurrentDir();
  ChangeDir(FilesPath("Common"));

  LogLine("\tDefault Fonts");
  LoadFonts();
  LogLine("\tDefault Icons");
  SetImage(IconsFiltered, LoadAnimImage("icons.png", 16, 16, 0, 64, MASKED_FILTERED));
  SetImage(IconsSharp, LoadAnimImage("icons.png", 16, 16, 0, 64, IMAGE_MASKED));
  LogLine("\tLogos");
  SetImage(EngineLogo, LoadImage("logo.png", MASKED_FILTERED));
  SetImage(SiteLogo, LoadImage("Kelvaro.png", MASKED_FILTERED));
  LogLine("\tBadgeGet");
  SetSound(BadgeJingle, LoadSound("badgeget.wav", 0));

  if (DisplayOpen == 0) ShowStartupScreen();

  LogLine("");
  LogLine("Switching to Game Folder");
  ChangeDir(home);
  SetImage(BadgeStrip, LoadAnimImage("badges.png", 64, 64, 0, 16, MASKED_FILTERED));

  LogLine("");
  LogLine("Loading Sound effects");
  for (int i = 1; i <= 200; ++i) {
    std::string name = Right("000" + IntText(i), 3) + ".wav";
    if (FileType(name) == PATH_FILE) {
      LogLine("\tSFX(" + IntText(i) + ")");
      SetSound(SoundEffects[i], LoadSound(name, 0));
    } else {
      SetSound(SoundEffects[i], 0);
    }
  }
  LogLine("Sounds loaded");
  LogLine("");
  LoadScores();
  ReportScoreFile();
}

void LoadGameAssets() {
  EngineTest(60, 2);
  LoadMusicSamples();
  ReportMissingSfx();
  SetImage(BgImage, LoadAnimImage("bg.png", 64, 64, 0, 64, MASKED_FILTERED));
  SetImage(PlonkoImage, LoadAnimImage("plonko.png", 64, 64, 0, 100, MASKED_FILTERED));
  SetImage(PlonkoHatImage, LoadAnimImage("plonkohat.png", 64, 64, 0, 100, MASKED_FILTERED));
  SetImage(GridImage, LoadImage("grid.png", IMAGE_MASKED));
  SetImage(BoomImage, LoadAnimImage("boom.png", 8, 8, 0, 64, MASKED_FILTERED));
  SetImage(SpurtImage, LoadImage("spurt.png", MASKED_FILTERED));
  SetImage(GameLogo, LoadImage("logo.png", MASKED_FILTERED));
  SetImage(BitsImage, LoadAnimImage("bits.png", 256, 128, 0, 8, MASKED_FILTERED));
  SetImage(AHatImage, LoadImage("ahat.png", MASKED_FILTERED));
}

