// What every layer reads of the engine: the game's identity, and the common fonts, icons, logos
// and sound effects that every display set-up (re)loads. ResetCommonAssets puts them back to their
// start-of-run values.
#pragma once

#include <string>

// --- Identity: fixed for the whole run (the title is built by start-up). ---
inline constexpr int WeekNumber = 247;  // the game's number in its series; names the game folder
inline std::string GameTitle;           // "#247 : Plonko Elongo", the window caption

// --- Assets: replaced (old handles freed) by every display set-up; 0 = not loaded. ---
inline constexpr int COMMON_FONT_SLOTS = 20;
inline constexpr int FONT_TABLE_SLOTS = 30;
inline constexpr int SOUND_EFFECT_SLOTS = 201;
inline int CommonFonts[COMMON_FONT_SLOTS] = {};  // slots 1 to 13 loaded
inline int FontTable[FONT_TABLE_SLOTS] = {};     // (face - 1) * 10 + step; faces 1-3, steps 0-8
inline float FontScaleA = 1.0f, FontScaleB = 1.0f;
inline int IconsFiltered = 0, IconsSharp = 0;    // "icons.png", 64 cells of 16 x 16
inline int EngineLogo = 0, SiteLogo = 0;         // common folder's "logo.png", "Kelvaro.png"
inline int BadgeJingle = 0;                      // "badgeget.wav"
inline int BadgeStrip = 0;                       // "badges.png", 16 cells of 64 x 64
inline int SoundEffects[SOUND_EFFECT_SLOTS] = {};  // 1 to 200: "001.wav" .. "200.wav"

void ResetCommonAssets();
// The three-digit game folder name with its slash: "247/".
std::string GameFolder();
