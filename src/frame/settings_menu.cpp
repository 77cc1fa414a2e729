// The settings panel: slide, shading, the display column with "Apply", the binding boxes, the
// audio column with its sliders, and the joystick list; and who owns a mouse press.
#include "frame/settings_menu.h"

#include <iterator>

#include "common/common_assets.h"
#include "common/icon_cells.h"
#include "common/display_modes.h"
#include "common/settings.h"
#include "frame/draw.h"
#include "frame/engine_hooks.h"
#include "frame/frame_state.h"
#include "frame/settings_layout.h"
#include "input/input.h"
#include "input/input_state.h"
#include "input/joystick_inputs.h"
#include "media/media.h"

namespace {

constexpr int MENU_HIDDEN = -300;
constexpr int MENU_SLIDE = 32;  // units per frame: 10 frames from hidden to fully down (20)

constexpr int PANEL_BUTTONS = 3;

constexpr float GLOW_SCALE = 1.1f;
constexpr float BUTTON_GLOW_ALPHA = 0.8f;
constexpr int MAX_OPTIONS = 6;
constexpr int SNAP = 6;  // volumes within this of an end snap to it

struct PanelColour {
  float r, g, b;
};
constexpr PanelColour GREEN{80, 255, 80}, YELLOW{255, 255, 80}, BLUE{80, 80, 255}, RED{255, 80, 80};

// The colours of a block's binding boxes, in the order of BINDING_PLACES.
constexpr PanelColour BOX_COLOURS[8] = {GREEN, GREEN, GREEN, GREEN, YELLOW, BLUE, RED, GREEN};

// Size classes by the chosen height.
struct SizeClass {
  int maxH;  // the class holds heights up to this
  const char* text;
  PanelColour colour;
};
constexpr SizeClass SIZE_CLASSES[3] = {
    {899, "Small (Bit blurry)", {255, 180, 80}},
    {960, "Native (Crisp, Clear)", {255, 255, 80}},
    {1 << 30, "Bigger! (High-Definition!)", {180, 255, 80}},
};

bool ApplyRunning = false;  // the display is being reapplied: a second "Apply" waits its turn

void SetPanelColour(const PanelColour& c) { SetDrawColour(c.r, c.g, c.b); }

bool PanelUnderPointer() { return MenuY > MENU_HIDDEN && VirtualMouseY() < static_cast<float>(MenuY + PANEL_HEIGHT); }

// Decides the owner of each press the first time it is seen held; forgets it once let go.
void UpdatePressOwners() {
  for (int b = 1; b <= PANEL_BUTTONS; ++b) {
    if (!MouseDown(b)) PressOwner[b] = PRESS_NONE;
    else if (PressOwner[b] == PRESS_NONE) PressOwner[b] = PanelUnderPointer() ? PRESS_PANEL : PRESS_SCREEN;
  }
}

// Arrow presses made while the panel was hidden must not move the mode when it opens.
void DropArrowPresses() {
  for (int key : {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN}) KeyHit(key);
}

void DrawPanel() {
  const float w = static_cast<float>(ScreenW), bottom = static_cast<float>(MenuY + PANEL_HEIGHT);
  SetBlend(BLEND_SHADE);
  SetDrawColour(40, 40, 40, 0.8f);
  DrawRect(0, 0, w, bottom);
  SetBlend(BLEND_ALPHA);
  SetDrawColour(80, 80, 80, 0.4f);
  DrawRect(0, 0, w, bottom - 2);
  SetDrawColour(180, 255, 180, 1);
  DrawRect(0, bottom - 2, w, 2);
}

void StepMode(int by) {
  if (ModeCount < 1) return;
  int i = Settings[ModeIndex] + by;
  if (i > ModeCount) i = 1;
  if (i < 1) i = ModeCount;
  Settings[ModeIndex] = i;
  Settings[Width] = DisplayModes[i].w;
  Settings[Height] = DisplayModes[i].h;
}

void ResolutionChoice() {
  const Spot at = RESOLUTION_BUTTON;
  const int over = OptionButton(Widescreen, at.x, at.y, ICON_SCREEN_4_3, "Resolution");
  // Every frame, so that presses never pile up while the pointer is elsewhere.
  const int next = KeyHit(KEY_RIGHT) + KeyHit(KEY_UP), previous = KeyHit(KEY_LEFT) + KeyHit(KEY_DOWN);
  if (over == 0 && MouseIn(at.x, at.y + MenuY, RESOLUTION_ZONE_W, RESOLUTION_ZONE_H) == 0) return;
  if (next > 0 || LeftClicks > 0) StepMode(1);
  if (previous > 0 || RightClicks > 0) StepMode(-1);
}

void SizeClassText() {
  const int h = Settings[Height];
  for (const SizeClass& c : SIZE_CLASSES) {
    if (h > c.maxH) continue;
    SetPanelColour(c.colour);
    DrawTextAt(SIZE_CLASS_TEXT.x, MenuY + SIZE_CLASS_TEXT.y, c.text);
    return;
  }
}

// Returns true when "Apply" was clicked.
bool ApplyButton() {
  const std::string text = "Apply";
  const int x = APPLY_BUTTON.x, y = APPLY_BUTTON.y + MenuY;
  bool clicked = false;
  if (MouseIn(x - 2, y - 2, TextWidth(text) + 4, TextHeight(text) + 4)) {
    SetDrawColour(0, 120, 0, 0.5f);
    DrawRect(static_cast<float>(x - 2), static_cast<float>(y - 2), static_cast<float>(TextWidth(text) + 4),
             static_cast<float>(TextHeight(text) + 4));
    if (LeftClicks > 0) {
      LeftClicks = 0;
      clicked = true;
    }
  }
  SetPanelColour(GREEN);
  DrawTextAt(x, y, text);
  return clicked;
}

bool DisplayColumn() {
  SetPanelColour(GREEN);
  DrawTextAt(GRAPHICS_TITLE.x, MenuY + GRAPHICS_TITLE.y, "Graphics");
  OptionButton(Fullscreen, FULLSCREEN_BUTTON.x, FULLSCREEN_BUTTON.y, ICON_WINDOWED, "Windowed", "Fullscreen");
  ResolutionChoice();
  SetDrawScale(1);
  DrawTextAt(MODE_TEXT.x, MenuY + MODE_TEXT.y, IntText(Settings[Width]) + "x" + IntText(Settings[Height]));
  SizeClassText();
  OptionButton(ESS, FRAME_SKIP_BUTTON.x, FRAME_SKIP_BUTTON.y, ICON_QUALITY_BEST, "Draw all Frames|Decent System",
               "Frameskip|Slow System");
  OptionButton(GfxEngine, DISPLAY_CHOICE_BUTTON.x, DISPLAY_CHOICE_BUTTON.y, ICON_QUALITY_BEST, "OpenGL|Optimum",
               "DirectX 9|Alternative", "DirectX 7|Backup");
  // The buttons leave their icons' scale 2; the highlight fits the text at scale 1.
  SetDrawScale(1);
  return ApplyButton();
}

void ControlsColumn() {
  for (int p = 1; p <= PlayerCount && p <= 4; ++p) {
    const int bx = PLAYER_BLOCKS[p].x, by = PLAYER_BLOCKS[p].y + MenuY, c0 = (p - 1) * CONTROLS_PER_PLAYER;
    for (size_t i = 0; i < std::size(BINDING_PLACES); ++i) {
      const BindingPlace& box = BINDING_PLACES[i];
      SetPanelColour(BOX_COLOURS[i]);
      BindingBox(c0 + box.control, bx + box.at.x, by + box.at.y);
    }
  }
}

void JoystickList(int x) {
  SetDrawScale(1);
  for (int port = 1; port <= JoystickCount && port <= MAX_PORTS; ++port) {
    JoystickPort& pad = JoystickPorts[port];
    const int row = MenuY + JOYSTICK_LIST.y + (port - 1) * JOYSTICK_ROW;
    SetPanelColour(JoyDown(0, port - 1) ? YELLOW : GREEN);
    SetAlpha(pad.use == 0 ? 0.2f : 1.0f);
    DrawTextAt(x + JOYSTICK_LIST.x, row, pad.name);
    if (LeftClicks > 0 && MouseIn(x + JOYSTICK_LIST.x, row, TextWidth(pad.name), JOYSTICK_ROW - 1)) {
      LeftClicks = 0;
      pad.use = 1 - pad.use;
    }
  }
  SetAlpha(1);
}

int SnappedVolume(int v) {
  if (v < SNAP) return 0;
  if (v > 100 - SNAP) return 100;
  return v;
}

void AudioColumn() {
  const int x = ScreenW - AUDIO_COLUMN_W;
  OptionButton(AudioDriver, x + AUDIO_DRIVER_BUTTON.x, AUDIO_DRIVER_BUTTON.y, ICON_SPEAKER_LOUD, "AUDIO");
  SetDrawScale(1);
  SetDrawColour(255, 180, 180);
  DrawTextAt(x + RESTART_NOTE.x, MenuY + RESTART_NOTE.y, "Changes require a Restart");
  struct Volume {
    SettingIndex entry;
    Spot at;
    const char* label;
  };
  for (const Volume& v : {Volume{Master, MASTER_SLIDER, "Master Volume"}, Volume{Sound, SOUND_SLIDER, "Sounds"},
                          Volume{Music, MUSIC_SLIDER, "Music"}})
    Settings[v.entry] = SnappedVolume(VolumeSlider(Settings[v.entry], x + v.at.x, MenuY + v.at.y, v.label));
  JoystickList(x);
}

// Closes the panel, writes Setup.ini, then opens the display again from the settings (which
// reruns the engine test). The engine test's own frames come back here: they must not apply
// again, nor open the pause menu in the middle of the measurement.
void ApplyFromPanel() {
  MenuOpen = 0;
  if (ApplyRunning) return;
  struct Running {  // undone however the set-up ends (tests end the process by throwing)
    int pause = PauseState;
    Running() {
      ApplyRunning = true;
      PauseState = 0;
    }
    ~Running() {
      ApplyRunning = false;
      PauseState = pause;
    }
  } running;
  if (SaveSetupHook) SaveSetupHook();
  if (ApplyDisplayHook) ApplyDisplayHook();
}

}  // namespace

bool ScreenMouseDown(int button) {
  UpdatePressOwners();
  return MouseDown(button) && !(button >= 1 && button <= PANEL_BUTTONS && PressOwner[button] == PRESS_PANEL);
}

bool SettingsPanelShowing() { return MenuOpen == 1 || MenuY > MENU_HIDDEN; }

bool PanelMouseDown(int button) {
  UpdatePressOwners();
  return MouseDown(button) && button >= 1 && button <= PANEL_BUTTONS && PressOwner[button] == PRESS_PANEL;
}

int OptionButton(SettingIndex entry, int x, int y, IconCell firstIcon, const std::string& opt0, const std::string& opt1,
                 const std::string& opt2, const std::string& opt3, const std::string& opt4, const std::string& opt5) {
  std::string opts[MAX_OPTIONS] = {opt0, opt1, opt2, opt3, opt4, opt5};
  if (opt0 == "AUDIO" && !AudioDriverNames.empty()) {
    for (int k = 0; k < MAX_OPTIONS; ++k) opts[k] = k < static_cast<int>(AudioDriverNames.size()) ? "Audio Driver|" + AudioDriverNames[static_cast<size_t>(k)] : "";
  }
  int count = 1;
  while (count < MAX_OPTIONS && !opts[count].empty()) ++count;
  int& value = Settings[entry];
  // A value with no option of its own (the "Resolution" button on a wide display) shows the first.
  const std::string text = value >= 0 && value < count ? opts[value] : opts[0];

  SetDrawScale(1);
  SetFont(CommonFonts[2]);
  const int top = y + MenuY;
  std::string firstLine = text;
  if (text.find('|') == std::string::npos) {
    DrawTextAt(x + OPTION_TEXT_X, top + OPTION_ICON / 2, text, 0, 1);
  } else {
    firstLine = Field(text, "|", 1);
    DrawTextAt(x + OPTION_TEXT_X, top + OPTION_ICON / 4, firstLine, 0, 1);
    DrawTextAt(x + OPTION_TEXT_X, top + OPTION_ICON * 3 / 4, Field(text, "|", 2), 0, 1);
  }

  SetDrawScale(2);
  const int cell = firstIcon + value;
  const int over = MouseIn(x, top, TextWidth(firstLine) + OPTION_TEXT_X, OPTION_ICON);
  if (cell >= 0 && cell < ICON_CELLS) {
    if (over) DrawGlowSprite(IconsSharp, x, top, cell, IconsFiltered, GLOW_SCALE, BUTTON_GLOW_ALPHA);
    else DrawSprite(IconsSharp, x, top, cell);
  }
  // One option has nothing to cycle: the "Resolution" button must not clear the widescreen flag
  // that the open display set.
  if (over && LeftClicks > 0 && count > 1) value = (value + 1) % count;
  return over;
}

void BindingBox(int binding, int x, int y) {
  if (binding < 0 || binding >= BINDING_COUNT) return;
  int active = 0;
  if (MouseIn(x, y, BINDING_BOX, BINDING_BOX) && MenuY >= 0) {
    active = 1;
    EditBinding(binding, CaptureInput());
  }
  const int code = ControlBindings[binding];
  if (BindingActive(code)) active = 1;

  int cell = ICON_KEY, tx = x + BINDING_BOX / 2, ty = y + BINDING_BOX / 2;
  std::string label = code == 0 ? "?!" : KeyName(code);
  if (code >= FIRST_JOY_CODE) {
    const JoystickInputKind kind = JoystickKind(JoystickSub(code));
    if (kind == JOY_AXIS) {
      cell = ICON_JOY_AXIS;
      tx = x;
      ty = y;
    } else if (kind == JOY_HAT) {
      cell = ICON_JOY_HAT;
      tx = x;
      ty = y;
    } else {
      cell = ICON_JOY_BUTTON;
    }
  }
  SetDrawScale(3);
  DrawGlowSprite(IconsSharp, x, y, cell, IconsFiltered, GLOW_SCALE, static_cast<float>(active));
  SetDrawScale(1);
  DrawTextAt(tx, ty, label, 1, 1);
}

int VolumeSlider(int value, int x, int y, const std::string& label) {
  SetPanelColour(GREEN);
  SetDrawScale(3.1f, 1.5f);
  DrawSprite(IconsSharp, x - 2, y, ICON_TRACK_LEFT);
  DrawSprite(IconsSharp, x + 48, y, ICON_TRACK_RIGHT);
  SetPanelColour(RED);
  SetDrawScale(1, 1.5f);
  DrawSprite(IconsSharp, x + value - 9, y, ICON_KNOB);
  if (MouseIn(x - 2, y - 4, SLIDER_W, SLIDER_H) && PanelMouseDown(1)) value = FrameMouseX - x + 2;
  SetDrawScale(1);
  SetDrawColour(80, 180, 255);
  DrawTextAt(x, y + 20, label + " : " + IntText(value));
  return value;
}

void SettingsMenu() {
  LeftClicks = MouseHit(1);
  RightClicks = MouseHit(2);
  UpdatePressOwners();
  if (MenuOpen == 1 && MenuY == MENU_HIDDEN) DropArrowPresses();
  if (MenuOpen == 1 && MenuY < 0) MenuY += MENU_SLIDE;
  if (MenuOpen == 0 && MenuY > MENU_HIDDEN) MenuY -= MENU_SLIDE;
  if (MenuY <= MENU_HIDDEN) return;

  SetFont(CommonFonts[2]);
  ResetDrawState();
  DrawPanel();
  // The panel's icons get the whole budget, whatever the screen below used.
  DrawnCount[KIND_SPRITE] = 0;
  DrawnCount[KIND_GLOW] = 0;

  const bool apply = DisplayColumn();
  if (ControlMode != 1) ControlsColumn();
  AudioColumn();
  if (apply) ApplyFromPanel();
}
