// Display set-up: the usable mode list, the driver, full screen or window, the logical screen for
// the display's shape, and everything that belongs to a display (common fonts, icons, logos,
// sounds, the score table, the engine test and the game's images).
#pragma once

// Rebuilds DisplayModes from the platform's list (4:3, 16:9 and 16:10 shapes, each size once)
// and moves DisplayW x DisplayH to the requested Width x Height when that size is listed.
void BuildModeList();
// Sets ScreenW, ScreenH and the Widescreen setting for a display of w x h; returns the log line
// it calls for ("" for 4:3).
const char* ChooseLogicalScreen(int w, int h);
// Sets FontScaleA and FontScaleB for the display width.
void ChooseFontScales(int displayW);
// Pixel sizes under the current scales: common font slots 1 to 13, FontTable steps 0 to 8 (every
// face alike); 0 outside those ranges.
int CommonFontSize(int slot);
int FontTableSize(int step);
// Replaces common font `slot` (1 to 13) by its face at `size`; the common folder is current.
void LoadCommonFont(int slot, int size);

// Opens the display from Settings and (re)loads every asset. Runs at start-up and whenever the
// settings menu applies display settings; only the first run shows the start-up screen. A change
// the platform refuses in the running game goes back to the display that worked last, says so on
// screen and in the log, and writes those values to Setup.ini. A display that cannot be opened at
// all ends the process (code 1) after saving Setup.ini and the scores of a running game, leaving
// "crash.dat" so that the next run falls back to another driver.
void ApplyDisplay();
// Entered and left with the game folder current.
void LoadCommonAssets();
void LoadGameAssets();

