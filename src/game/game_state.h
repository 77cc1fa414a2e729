// The game's globals: the level (grid, hat stock, walkers), the player's pointer latch and
// selection, the effect lists and the background, and the sound-effect ring. Records used in the
// lists are declared here too. Each group's comment says when it is reset.
#pragma once

#include <cstdint>
#include <vector>

#include "common/sound_channels.h"
#include "media/list.h"
#include "media/media.h"

// ---------------------------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------------------------

// One Plonko. All fields 0 when created; the level loader sets x, y, d and tick.
struct Walker {
  int32_t x = 0;     // grid column of the occupied cell, 0..13
  int32_t y = 0;     // grid row, 0..13
  int32_t ox = 0;    // pixel offset from the cell's left edge, -63..63
  int32_t oy = 0;    // pixel offset from the cell's top edge, -63..63
  int32_t d = 0;     // facing: 1 right, -1 left
  int32_t fell = 0;  // row on which the latest step off an edge began
  int32_t anim = 0;  // state (WalkerState)
  int32_t stp = 0;   // the state's step counter; also picks the animation frame
  int32_t hat = 0;   // colour index of the worn hat, 0 none, 1..7
  int32_t tick = 0;  // frames left in the waiting state
  bool operator==(const Walker&) const = default;
};

// Spray particle (spurt.png).
struct Spurt {
  float x = 0, y = 0;    // position, logical pixels
  float gx = 0, gy = 0;  // velocity, pixels per frame
  int t = 0;             // 1 white exit sparkle, 2 red splat
  float s = 0;           // drawing scale
};

// One 8 x 8 piece of a broken block (boom.png).
struct Boom {
  float x = 0, y = 0;
  float gx = 0, gy = 0;
  int n = 0;  // frame 0..63: column + 8 * row of the piece inside its block
};

// The flash of a hat landing on a walker (ahat.png, 16 x 16).
struct HatPop {
  float x = 0, y = 0;  // centre
  float g = 0;         // change of scale per frame
  float s = 0;         // current scale
  int c = 0;           // hat colour index 1..7
};

// ---------------------------------------------------------------------------------------------
// Sizes
// ---------------------------------------------------------------------------------------------
constexpr int GRID_SIZE = 14;    // columns and rows in play
constexpr int GRID_STRIDE = 15;  // entries per row; column 14 is never used
constexpr int CELL_PIXELS = 64;  // a cell on screen
constexpr int BOARD_PIXELS = GRID_SIZE * CELL_PIXELS;
constexpr int HAT_COLOURS = 7;   // hat colour indices 1..7
constexpr int FIRST_EFFECT_SLOT = 20;  // SoundChannels slots the effects cycle through
constexpr int LAST_EFFECT_SLOT = 255;

// What the walker rules read and change besides the walkers themselves. The game plays on the one
// in LevelBoard; the solver keeps copies of its own.
struct Board {
  int32_t grid[GRID_STRIDE * GRID_SIZE] = {};  // cell (x, y) is entry y * 15 + x
  int32_t stock[HAT_COLOURS + 1] = {};         // hats in the panel, 1..7; 0 unused
  int32_t saved = 0;                           // walkers gone down a hole
  bool operator==(const Board&) const = default;
};

constexpr int RULES_MAX_WALKERS = 16;  // walkers a level may have (the loader refuses more)

// A whole level under the walker rules: the board and every walker by its stable index (the
// level's order). Walkers that left keep their last record; `live` says who is still in.
struct RulesLevel {
  Board board;
  Walker walkers[RULES_MAX_WALKERS];
  int count = 0;      // walkers the level created
  uint32_t live = 0;  // bit i: walker i is still in the level
  bool operator==(const RulesLevel&) const = default;
};

// A player's action: at level frame `frame`, tickle walker `walker` (hat 0) or put hat `hat`
// (1..7, taken from the stock) on it. Walkers are counted from 0 in the level's order.
struct PlayerAction {
  int frame = 0;
  int walker = 0;
  int hat = 0;
  bool operator==(const PlayerAction&) const = default;
};

// --- Level: emptied and refilled by every LoadLevel (LevelStart, LevelFrame and ActionLog too;
// --- an undo rebuilds LevelState and LevelFrame from LevelStart and ActionLog). ---
inline RulesLevel LevelState;  // the level now
inline Board& LevelBoard = LevelState.board;
inline int32_t (&Grid)[GRID_STRIDE * GRID_SIZE] = LevelState.board.grid;
inline int32_t (&HatStock)[HAT_COLOURS + 1] = LevelState.board.stock;
inline int32_t& SavedCount = LevelState.board.saved;
inline int& WalkerCount = LevelState.count;  // walkers the level created
inline RulesLevel LevelStart;                // the attempt at its frame 0
inline int LevelFrame = 0;                   // rules frames stepped in this attempt
inline std::vector<PlayerAction> ActionLog;  // this attempt's actions in order, each at its frame
inline int LevelLoads = 0;    // LoadLevel calls in the run: each starts an attempt (never reset)
inline int LevelsInImage = 0; // level blocks in the image last decoded, 0 when it could not be read

// The live walkers of LevelState in index order, as a list: the records stay in
// LevelState.walkers, so a Walker& stays valid after its walker left.
struct LiveWalkers {
  int Count() const;
  bool Empty() const { return LevelState.live == 0; }
  Walker* First();
  Walker* Last();
  // Adds a walker at the next index (WalkerCount grows); null when the level is full.
  Walker* Append(const Walker& w);
  // Every walker leaves (the count of those the level created stays).
  void Clear() { LevelState.live = 0; }
  template <class F>
  void ForEach(F f) {
    for (int i = 0; i < LevelState.count; ++i)
      if (LevelState.live >> i & 1) f(LevelState.walkers[i]);
  }
};
inline LiveWalkers Walkers;
// The index of a walker record of LevelState.
inline int WalkerIndex(const Walker& w) { return static_cast<int>(&w - LevelState.walkers); }
inline bool WalkerLive(int i) { return i >= 0 && i < LevelState.count && (LevelState.live >> i & 1); }

// --- Pointer: the game flow clears ClickLatch when a game starts and in every frame in which
// --- mouse button 1 is up. SelectedWalker is -1 until a walker is first hovered in a level. ---
inline bool ClickLatch = false;  // a press of button 1 has been used up
// The index of the walker most recently hovered; it may have left the level since.
inline int SelectedWalker = -1;

// --- Effects: the lists are emptied when a game starts and by every LoadLevel; the
// --- background is set by InitBackground once per game. ---
inline List<Spurt> SpurtList;    // drawing order
inline List<Boom> BoomList;
inline List<HatPop> HatPopList;
inline float TintR = 0, TintG = 0, TintB = 0;     // background colour, 0..255
inline float TintVR = 0, TintVG = 0, TintVB = 0;  // its drift per 10 frames
inline int ScrollX = 0, ScrollY = 0;              // background tile offset, 0..-512
// Generators of their own, so that what is drawn never shifts the music's sequence or another's:
// the background's tint and a banging walker's shaking pose; the particles.
inline RandomStream EffectsRandom;
inline RandomStream ParticlesRandom;

// --- Sound effects: live for the whole run, never reset. ---
inline int EffectRing = FIRST_EFFECT_SLOT;          // slot last used; the next effect takes the one after
inline float EffectVolume[SOUND_CHANNEL_SLOTS] = {};  // volume last asked for per slot, 0..1
inline bool SfxOncePerFrame = false;  // set while a frame runs several level frames
inline uint64_t SfxPlayedMask = 0;    // effects played in this frame, bit index % 64

// Puts every group above that a game or a level resets back to its start (the sound-effect ring
// excepted): start-up and test fixtures call it.
void ResetGameState();
