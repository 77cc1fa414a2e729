// The settings panel that Tab slides down over every screen: display choices with "Apply", the
// four players' binding boxes (until the display has first opened), the audio driver, three
// volume sliders and the joysticks. EndFrame calls SettingsMenu once per frame; all positions are
// logical, with the slide offset MenuY added.
#pragma once

#include <string>

#include "common/icon_cells.h"
#include "common/settings.h"

// The per-frame step: samples the click counts, slides MenuY towards open (MenuOpen 1) or closed,
// and while the panel shows draws it and handles its input. "Apply" closes the panel, writes
// Setup.ini and reapplies the display (through the engine's hooks) after the panel is drawn.
void SettingsMenu();

// A button that cycles Settings[entry] through its non-empty options (opt0 "AUDIO": the audio
// drivers). Icon cell firstIcon + value; a "|" splits the text into two lines. A button with a
// single option never changes its entry. Returns 1 while the mouse is over it.
int OptionButton(SettingIndex entry, int x, int y, IconCell firstIcon, const std::string& opt0, const std::string& opt1 = "",
                 const std::string& opt2 = "", const std::string& opt3 = "", const std::string& opt4 = "",
                 const std::string& opt5 = "");
// A 48 x 48 box for ControlBindings[binding]: with the panel fully down and the mouse over it, the
// input held now is stored (Backspace clears it); glows while armed or while the input is held.
void BindingBox(int binding, int x, int y);
// A 0..100 slider set by dragging with a press that began on the panel; returns the new value.
int VolumeSlider(int value, int x, int y, const std::string& label);

// The screens' mouse button: a press that began over the visible panel belongs to the panel and
// reads as up below it until it is let go, so a click on the panel never reaches the screen.
bool ScreenMouseDown(int button);
// The panel's side of the same rule: held, and begun over the panel.
bool PanelMouseDown(int button);

// True while the panel is open or still sliding: a level stands still under it, so nothing is
// lost while the player reads or moves the sliders.
bool SettingsPanelShowing();
