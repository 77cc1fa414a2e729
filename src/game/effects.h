// The game's look around the board and the walkers: the drifting tinted background and the board
// frame, three kinds of short-lived particle (spray spurts, block debris, hat pops) and the
// floating numbers of the waiting countdown. Each Update* moves, draws and retires its list's
// records once per frame. Lists and background state live in game/game_state.h.
#pragma once

// New tint and drift for the background, scroll back to 0. Once at the start of a game.
void InitBackground();
// Scrolls and tints the background tiles, then draws the board's black field inside a 4-pixel
// frame lit by the tint. Once per frame.
void DrawBackground(float gridX, float gridY);

// 17 red spurts from the walker whose sprite corner is (sx, sy).
void EmitSplat(int sx, int sy);
// 3 white spurts rising from the walker whose sprite corner is (sx, sy).
void EmitExitSparkle(int sx, int sy);
// The 64 pieces of the block in cell (cx, cy), dropping out of place.
void EmitDebris(int cx, int cy, float gridX, float gridY);
// A hat of colour c flashing at 8 times its size and shrinking onto (x, y) in 17 frames.
void EmitHatPop(float x, float y, int c);

// Spurts leave 16 pixels beyond the screen's bottom or sides; debris only at the bottom.
void UpdateSpurts();
void UpdateDebris();
void UpdateHatPops();

// A floating number (120 frames) at a position that includes the playfield offset.
void ShowNumber(int n, int x, int y, int r, int g, int b);
// The waiting countdown's number: white, so a level load can tell it from other numbers.
void ShowCountdown(int n, int x, int y);

// What the last level left moving: spurts, debris, hat pops and its countdown numbers. Other
// floating numbers (points) finish rising. Every level load calls it, a restart too.
void ClearLevelEffects();

// The level stands still (walkers, countdowns, banner, effects, background) while the settings
// panel shows; it is drawn as it stood.
bool LevelHeld();
