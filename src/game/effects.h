// The game's look around the board and the walkers: the drifting tinted background and the board
// frame, three kinds of short-lived particle (spray spurts, block debris, hat pops) and the
// floating numbers of the waiting countdown. Lists and background state live in game/game_state.h.
#pragma once

// New tint and drift for the background, scroll back to 0. Once at the start of a game.
void InitBackground();
// Scrolls the background tiles and drifts their tint. Once per presented frame the level runs.
void MoveBackground();
// Draws the tinted background tiles, then the board's black field inside a 4-pixel frame lit by
// the tint.
void DrawBackground(float gridX, float gridY);

// 17 red spurts from the walker whose sprite corner is (sx, sy).
void EmitSplat(int sx, int sy);
// 3 white spurts rising from the walker whose sprite corner is (sx, sy).
void EmitExitSparkle(int sx, int sy);
// The 64 pieces of the block in cell (cx, cy), dropping out of place.
void EmitDebris(int cx, int cy, float gridX, float gridY);
// A hat of colour c flashing at 8 times its size and shrinking onto (x, y) in 17 frames.
void EmitHatPop(float x, float y, int c);

// Each Move* advances its list by one level frame, keeps what the frame shows, and retires what
// is done: spurts 16 pixels
// beyond the screen's bottom or sides, debris only at the bottom, a hat pop once shrunk away.
// Each Draw* only draws what its Move* kept.
void MoveSpurts();
void MoveDebris();
void MoveHatPops();
void DrawSpurts();
void DrawDebris();
void DrawHatPops();
// Nothing left to draw until the next Move* (the lists were emptied).
void ForgetShownEffects();

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
