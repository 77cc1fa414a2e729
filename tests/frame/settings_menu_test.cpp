// The settings panel on the headless back end, driven through EndFrame as every screen drives it:
// option buttons, the resolution choice, the size class, sliders, binding boxes, the audio driver
// button, the joystick list, the icon budget, "Apply", and presses that belong to the panel.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/display_modes.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/engine_hooks.h"
#include "frame/settings_layout.h"
#include "frame/settings_menu.h"
#include "common/icon_cells.h"
#include "frame_fixture.h"
#include "input/input.h"
#include "input/input_state.h"

namespace {

constexpr int AUDIO_X = 1280 - AUDIO_COLUMN_W;  // the audio column on the 4:3 logical screen

int AppliedCount = 0;
void CountApply() { ++AppliedCount; }

// The panel fully down on a 1280 x 960 window, so real pixels and logical units agree.
class SettingsMenuTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_TRUE(OpenDisplay(1280, 960, 0, 60));
    SetVirtualResolution(1280, 960);
    IconsSharp = CreateImage(16, 16, 64, 0);
    FillAudioDriverNames();
    SetDefaultBindings();
    ControlMode = 1;
    PlayerCount = 4;
    ModeCount = 3;
    DisplayModes[1] = {800, 600};
    DisplayModes[2] = {1024, 768};
    DisplayModes[3] = {1280, 960};
    Settings[ModeIndex] = 1;
    AppliedCount = 0;
    ApplyDisplayHook = CountApply;  // the engine's set-up is tested with the engine
    HeadlessKeyDown(KEY_TAB);
    HeadlessKeyUp(KEY_TAB);
    for (int i = 0; i < 10; ++i) EndFrame(0);
    ASSERT_EQ(MenuY, 20);
  }
  void TearDown() override {
    for (auto& m : DisplayModes) m = ModeSize{};
    ModeCount = 0;
    ApplyDisplayHook = nullptr;
    FrameTest::TearDown();
  }

  // Moves the mouse (logical = real here) and lets a frame sample it.
  void Point(int x, int y) {
    HeadlessMouseMove(x, y);
    EndFrame(0);
  }
  void Point(Spot at) { Point(at.x, at.y); }
  // A press and release of `button` taken by the next frame.
  void Click(int button = 1) {
    HeadlessMouseDown(button);
    HeadlessMouseUp(button);
    EndFrame(0);
  }
  void Key(int key) {
    HeadlessKeyDown(key);
    HeadlessKeyUp(key);
    EndFrame(0);
  }
  // Records of the last frame only.
  static std::vector<DrawRecord> LastFrame(DrawRecord::Kind kind) {
    std::vector<DrawRecord> out;
    const int last = HeadlessFrameCount() - 1;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind == kind && d.frame == last) out.push_back(d);
    return out;
  }
  static bool Shown(const std::string& text) {
    for (const DrawRecord& d : LastFrame(DrawRecord::TEXT))
      if (d.text == text) return true;
    return false;
  }
  static std::optional<DrawRecord> LastText(const std::string& text) {
    for (const DrawRecord& d : LastFrame(DrawRecord::TEXT))
      if (d.text == text) return d;
    return std::nullopt;
  }
};

TEST_F(SettingsMenuTest, OptionButtonsCycleThroughTheirOptionsAndWrap) {
  struct Case {
    int index;                // settings entry
    Spot button;         // where its button sits
    std::vector<int> values;  // the entry after each click
  };
  const Case cases[] = {
      // entry  button                 after clicks 1, 2, 3, ...
      {Fullscreen, FULLSCREEN_BUTTON, {1, 0, 1}},         // two options: toggles, a third click is back at 1
      {GfxEngine, DISPLAY_CHOICE_BUTTON, {1, 2, 0, 1}},  // three options wrap after the last
      {ESS, FRAME_SKIP_BUTTON, {1, 0}},
  };
  for (const Case& c : cases) {
    Settings[c.index] = 0;
    Point(OnButton(c.button, MenuY));
    for (size_t k = 0; k < c.values.size(); ++k) {
      Click();
      EXPECT_EQ(Settings[c.index], c.values[k]) << "entry " << c.index << " click " << k + 1;
    }
  }
  Point(OnButton(DISPLAY_CHOICE_BUTTON, MenuY));
  EXPECT_TRUE(Shown("DirectX 9")) << "a two-line option, first line";
  EXPECT_TRUE(Shown("Alternative")) << "second line";
}

TEST_F(SettingsMenuTest, ResolutionMovesBothWaysWithKeysAndClicksAndWraps) {
  Settings[Widescreen] = 1;  // what a wide display set; the one-option button must keep it
  Point(OnButton(RESOLUTION_BUTTON, MenuY));
  struct Step {
    const char* what;
    int key;     // 0: a click instead
    int button;  // mouse button for a click
    int mode;    // ModeIndex after
  };
  const Step steps[] = {
      // what            key        button  mode
      {"Right", KEY_RIGHT, 0, 2},
      {"Up", KEY_UP, 0, 3},
      {"Right wraps", KEY_RIGHT, 0, 1},
      {"Left wraps", KEY_LEFT, 0, 3},
      {"Down", KEY_DOWN, 0, 2},
      {"left click", 0, 1, 3},
      {"left click wraps", 0, 1, 1},
      {"right click wraps", 0, 2, 3},
      {"right click", 0, 2, 2},
  };
  for (const Step& s : steps) {
    if (s.key) Key(s.key);
    else Click(s.button);
    EXPECT_EQ(Settings[ModeIndex], s.mode) << s.what;
    EXPECT_EQ(Settings[Width], DisplayModes[s.mode].w) << s.what;
    EXPECT_EQ(Settings[Height], DisplayModes[s.mode].h) << s.what;
  }
  EXPECT_EQ(Settings[Widescreen], 1);
  EndFrame(0);
  EXPECT_TRUE(Shown("1024x768"));
  EXPECT_TRUE(Shown("Resolution")) << "the wide icon keeps its label";

  // Arrows pressed away from the button move nothing, then or later.
  Point(600, 600);
  Key(KEY_RIGHT);
  Key(KEY_RIGHT);
  Point(OnButton(RESOLUTION_BUTTON, MenuY));
  EXPECT_EQ(Settings[ModeIndex], 2);
}

TEST_F(SettingsMenuTest, SizeClassFollowsTheChosenHeight) {
  struct Case {
    int h;
    const char* text;
    int r, g, b;
  };
  const Case cases[] = {
      // height  text                          colour
      {600, "Small (Bit blurry)", 255, 180, 80},
      {899, "Small (Bit blurry)", 255, 180, 80},
      {900, "Native (Crisp, Clear)", 255, 255, 80},
      {960, "Native (Crisp, Clear)", 255, 255, 80},
      {961, "Bigger! (High-Definition!)", 180, 255, 80},
  };
  for (const Case& c : cases) {
    Settings[Height] = c.h;
    EndFrame(0);
    const std::optional<DrawRecord> d = LastText(c.text);
    ASSERT_TRUE(d) << c.h;
    EXPECT_EQ(d->x, 80) << c.h;
    EXPECT_EQ(d->y, 20 + 128) << c.h;
    EXPECT_EQ((std::vector<int>{d->r, d->g, d->b}), (std::vector<int>{c.r, c.g, c.b})) << c.h;
  }
}

TEST_F(SettingsMenuTest, SlidersFollowAPanelPressAndSnapAtBothEnds) {
  struct Case {
    int dx;      // pointer x minus the slider's x
    int stored;  // the Music entry afterwards
  };
  const Case cases[] = {
      // dx  stored
      {-1, 0},  // 1 snaps to 0
      {3, 0},   // 5 snaps to 0
      {4, 6},
      {48, 50},
      {92, 94},
      {93, 100},  // 95 snaps to 100
      {97, 100},
  };
  const int x = AUDIO_X + MUSIC_SLIDER.x, y = MenuY + MUSIC_SLIDER.y + 5;
  for (const Case& c : cases) {
    Point(x + c.dx, y);
    HeadlessMouseDown(1);
    EndFrame(0);
    EXPECT_EQ(Settings[Music], c.stored) << c.dx;
    HeadlessMouseUp(1);
    EndFrame(0);
  }

  // A press that began below the panel drags nothing on it.
  Settings[Music] = 50;
  Point(x + 20, 600);
  HeadlessMouseDown(1);
  EndFrame(0);
  Point(x + 20, y);
  Point(x + 3, y);
  HeadlessMouseUp(1);
  EndFrame(0);
  EXPECT_EQ(Settings[Music], 50);
}

TEST_F(SettingsMenuTest, BindingBoxesCaptureKeysAndJoystickInputsWithTheirIconsAndNames) {
  VirtualJoystick pad;
  pad.name = "Test Pad";
  HeadlessSetJoysticks({pad});
  ScanJoysticks();
  ControlMode = 0;
  // Player 1's "up" box.
  const int bx = PLAYER_BLOCKS[1].x + BINDING_PLACES[0].at.x, by = MenuY + PLAYER_BLOCKS[1].y + BINDING_PLACES[0].at.y;
  ASSERT_EQ(BINDING_PLACES[0].control, CONTROL_UP);
  struct Case {
    const char* what;
    std::function<void(bool)> hold;  // hold (true) or let go (false)
    int code;                        // stored binding
    int icon;                        // icon cell
    int tx, ty;                      // label centre
    const char* name;
  };
  const Case cases[] = {
      // what        input                                                       code icon label at        name
      {"Backspace", [](bool on) { on ? HeadlessKeyDown(KEY_BACKSPACE) : HeadlessKeyUp(KEY_BACKSPACE); }, 0, ICON_KEY, bx + 24, by + 24, "?!"},
      {"key A", [](bool on) { on ? HeadlessKeyDown(65) : HeadlessKeyUp(65); }, 65, ICON_KEY, bx + 24, by + 24, "A"},
      {"axis X+", [](bool on) { HeadlessJoystick(0).axis[0] = on ? 1.0f : 0.0f; }, 303, ICON_JOY_AXIS, bx, by, "X+"},
      {"hat right", [](bool on) { HeadlessJoystick(0).hat = on ? 0.25f : -1.0f; }, 325, ICON_JOY_HAT, bx, by, "Right"},
      {"button 2", [](bool on) { HeadlessJoystick(0).held = on ? 4u : 0u; }, 332, ICON_JOY_BUTTON, bx + 24, by + 24, "2"},
  };
  Point(bx + 20, by + 20);
  for (const Case& c : cases) {
    c.hold(true);
    EndFrame(0);
    c.hold(false);
    Point(700, 700);  // away, so the box shows what it holds
    EXPECT_EQ(ControlBindings[CONTROL_UP], c.code) << c.what;
    const std::optional<DrawRecord> label = LastText(c.name);
    ASSERT_TRUE(label) << c.what;
    EXPECT_NEAR(label->x + TextWidth(c.name) / 2, c.tx, 1) << c.what;
    EXPECT_NEAR(label->y + TextHeight(c.name) / 2, c.ty, 1) << c.what;
    bool icon = false;
    for (const DrawRecord& d : LastFrame(DrawRecord::IMAGE))
      icon |= d.image == IconsSharp && d.cell == c.icon && d.sx == 3 && d.x == bx + 24 && d.y == by + 24;
    EXPECT_TRUE(icon) << c.what;
    Point(bx + 20, by + 20);
  }
  HeadlessSetJoysticks({});
  ScanJoysticks();
}

TEST_F(SettingsMenuTest, BindingBoxesShowOnlyWhileControlModeIsZero) {
  auto boxes = [] {
    int n = 0;
    for (const DrawRecord& d : LastFrame(DrawRecord::IMAGE)) n += d.image == IconsSharp && d.sx == 3;
    return n;
  };
  ControlMode = 0;
  EndFrame(0);
  EXPECT_EQ(boxes(), 32) << "eight boxes for each of four players";
  EXPECT_TRUE(LastText("Z")) << "player 1's action 1";
  ControlMode = 1;
  EndFrame(0);
  EXPECT_EQ(boxes(), 0);
}

TEST_F(SettingsMenuTest, AudioButtonListsTheDriversOrSaysAudio) {
  EndFrame(0);
  ASSERT_FALSE(AudioDriverNames.empty());
  EXPECT_TRUE(Shown("Audio Driver"));
  EXPECT_TRUE(Shown(AudioDriverNames[static_cast<size_t>(Settings[AudioDriver])]));
  EXPECT_TRUE(Shown("Changes require a Restart"));
  AudioDriverNames.clear();
  EndFrame(0);
  EXPECT_TRUE(Shown("AUDIO"));
  EXPECT_FALSE(Shown("Audio Driver"));
}

TEST_F(SettingsMenuTest, AClickOnAJoysticksNameFlipsItsUseFlag) {
  VirtualJoystick pad;
  pad.name = "Test Pad";
  HeadlessSetJoysticks({pad, pad});
  ScanJoysticks();
  Point(AUDIO_X + JOYSTICK_LIST.x + 5, MenuY + JOYSTICK_LIST.y + JOYSTICK_ROW + 5);  // the second pad's line
  for (int use : {0, 1}) {
    Click();
    EXPECT_EQ(JoystickPorts[2].use, use);
    EXPECT_EQ(JoystickPorts[1].use, 1);
  }
  Click();
  EndFrame(0);
  std::vector<float> alphas;
  for (const DrawRecord& d : LastFrame(DrawRecord::TEXT))
    if (d.text == "Test Pad") alphas.push_back(d.alpha);
  EXPECT_EQ(alphas, (std::vector<float>{1.0f, 0.2f}));
  HeadlessSetJoysticks({});
  ScanJoysticks();
}

TEST_F(SettingsMenuTest, ThePanelsIconsGetTheWholeBudget) {
  Point(OnButton(FULLSCREEN_BUTTON, MenuY));  // a glowing button too
  DrawLimit[KIND_SPRITE] = DrawLimit[KIND_GLOW] = 30;
  DrawnCount[KIND_SPRITE] = DrawnCount[KIND_GLOW] = 30;  // the screen below used it all
  EndFrame(0);
  int sprites = 0, glows = 0;
  for (const DrawRecord& d : LastFrame(DrawRecord::IMAGE)) {
    sprites += d.image == IconsSharp;
    glows += d.image == IconsFiltered && d.cell != ICON_POINTER;
  }
  EXPECT_EQ(sprites, 14) << "four display buttons, the audio button and three sliders of three icons";
  EXPECT_EQ(glows, 1);
}

TEST_F(SettingsMenuTest, ApplyClosesThePanelWritesTheSettingsAndReappliesTheDisplay) {
  std::filesystem::remove(FilesDir() / "Setup.ini");
  Point(APPLY_BUTTON.x + 5, MenuY + APPLY_BUTTON.y + 2);
  Click();
  EXPECT_EQ(MenuOpen, 0);
  EXPECT_EQ(AppliedCount, 1);
  EXPECT_TRUE(std::filesystem::exists(FilesDir() / "Setup.ini"));
}

TEST_F(SettingsMenuTest, PressesOnThePanelNeverReachTheScreenBelow) {
  Point(APPLY_BUTTON.x + 5, MenuY + APPLY_BUTTON.y + 2);  // on "Apply"
  HeadlessMouseDown(1);
  EXPECT_FALSE(ScreenMouseDown(1)) << "a screen reads the press before the panel's frame step";
  EndFrame(0);
  EXPECT_EQ(MenuOpen, 0);
  for (int i = 0; i < 12; ++i) EndFrame(0);
  ASSERT_EQ(MenuY, -300);
  EXPECT_FALSE(ScreenMouseDown(1)) << "still the panel's press after it has gone";
  HeadlessMouseUp(1);
  EndFrame(0);
  HeadlessMouseDown(1);
  EXPECT_TRUE(ScreenMouseDown(1)) << "a new press with the panel closed is the screen's";
  HeadlessMouseUp(1);

  // A press that began below the open panel stays the screen's when dragged onto it.
  Key(KEY_TAB);
  for (int i = 0; i < 10; ++i) EndFrame(0);
  Point(600, 700);
  HeadlessMouseDown(1);
  EXPECT_TRUE(ScreenMouseDown(1));
  Point(600, 100);
  EXPECT_TRUE(ScreenMouseDown(1));
  EXPECT_FALSE(PanelMouseDown(1));
  HeadlessMouseUp(1);
}

}  // namespace
