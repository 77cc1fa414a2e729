// The engine's globals: identity and credits, the log, the title screen's state and latches, the
// display modes and size, and the assets that every display set-up (re)loads. Everything lives for
// the whole run; the comment of each group says when it is reset. ResetEngineState puts every
// group back to its start-of-run value (start-up calls it; tests call it between runs).
#pragma once

#include <string>

// --- Identity: fixed for the whole run (credits filled by start-up). ---
inline constexpr int WeekNumber = 247;  // the game's number in its series; names the game folder
inline std::string GameTitle;           // "#247 : Plonko Elongo", the window caption
inline constexpr int MAX_CREDITS = 100;
inline std::string CreditLines[MAX_CREDITS];  // used from 1
inline int CreditCount = 0;

// --- Log: opened by start-up, closed by the closing sequence. ---
inline int LogStream = 0;  // Files/Debug.txt, 0 when it could not be created

// --- Title: reset at start-up; SlideStep, the latches and the panel selection after every game. ---
inline int ControlMode = 0;       // 1 mouse ("Click Here to Start"), 0 controls; 1 once the display opens
inline int GameMode = 0;          // difficulty: 0 "Soft" levels, 1 "Hard"
inline int Level = 0;             // copied into score records; nothing sets it
inline int GameFlags = 0;         // copied into score records; nothing sets it
inline int GameStartMs = 0;       // clock reading when a game was started
inline int SlideStep = 0;         // 0 to 32: title slide-in, +1 per frame
inline int StartHeld = 0;         // the start input was held on the previous title frame
inline int StartBlocked = 0;      // after a game: a start needs the input released first
inline int ReturnedFromGame = 0;  // after a game: Escape must be released before it quits
inline int PlayerCount = 0;       // players whose bindings the settings menu shows (4)
inline int BadgeCount = 0;        // badge cells shown per score record (16)
inline int ResultsScroll = 0;     // score panel graph scroll, 0 to 1000
inline int ResultsSelected = 0;   // score panel choice: n (graph) or 1000 + k (best table)

// --- Display: the mode list is rebuilt by every display set-up; the size follows the open display. ---
struct ModeSize {
  int w = 0, h = 0;
};
inline constexpr int MAX_DISPLAY_MODES = 2500;
inline ModeSize DisplayModes[MAX_DISPLAY_MODES];  // used from 1
inline int ModeCount = 0;
inline int DisplayW = 800, DisplayH = 600;  // the size open (or about to open)
inline int DisplayOpen = 0;                 // 1 once the first display and start-up screen showed

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
// The game's images.
inline int BgImage = 0;        // "bg.png", 64 cells of 64 x 64
inline int PlonkoImage = 0;    // "plonko.png", 100 cells of 64 x 64
inline int PlonkoHatImage = 0; // "plonkohat.png", 100 cells of 64 x 64
inline int GridImage = 0;      // "grid.png", unfiltered
inline int BoomImage = 0;      // "boom.png", 64 cells of 8 x 8
inline int SpurtImage = 0;     // "spurt.png"
inline int GameLogo = 0;       // the game folder's "logo.png", drawn by the title
inline int BitsImage = 0;      // "bits.png", 8 cells of 256 x 128
inline int AHatImage = 0;      // "ahat.png"

void ResetEngineState();
// The three-digit game folder name with its slash: "247/".
std::string GameFolder();
