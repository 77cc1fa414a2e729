// The game tests' common ground: a clean game state, stand-in images and sounds in the engine's
// slots, tiny levels written as text, and readers for what the headless back end recorded.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/settings.h"
#include "engine/engine_state.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "common/score_table.h"
#include "input/input.h"
#include "input/input_state.h"
#include "game/cells.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/game_flow.h"
#include "game/hats.h"
#include "game/level_play.h"
#include "game/walker.h"
#include "media/headless.h"
#include "media/media.h"
#include "media/wav_fixture.h"

// Frames of the walker animations as the art lays them out.
constexpr int PLONKO_FRAMES = 100;

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    // As start-up leaves them; the level state (below) is the game's own.
    ResetFrameState();
    ResetInputState();
    SetDefaultBindings();
    ResetFlowState();
    ResetScoreTable();
    for (int& c : Grid) c = CELL_AIR;
    for (int& h : HatStock) h = 0;
    Walkers.Clear();
    SpurtList.Clear();
    BoomList.Clear();
    HatPopList.Clear();
    WalkerCount = SavedCount = 0;
    ClickLatch = false;
    SelectedWalker = -1;
    FrameMouseX = FrameMouseY = -1000;
    HeadlessMouseUp(1);
    Settings[ESS] = 0;
    Settings[Master] = 100;
    Settings[Sound] = 100;
    for (int k = 1; k < DRAW_KINDS; ++k) DrawLimit[k] = 100000;
    BeginFrame(0);
    ResetDrawState();

    BgImage = Image(BgImage, 64, 64, 64);
    PlonkoImage = Image(PlonkoImage, 64, 64, PLONKO_FRAMES);
    PlonkoHatImage = Image(PlonkoHatImage, 64, 64, PLONKO_FRAMES);
    BoomImage = Image(BoomImage, 8, 8, 64);
    SpurtImage = Image(SpurtImage, 16, 16, 1);
    AHatImage = Image(AHatImage, 16, 16, 1);
    GridImage = Image(GridImage, 256, 256, 1);
    LoadEffects();
    HeadlessClearDraws();
    HeadlessClearSounds();
  }

  // Fills the grid from the top row down: '#' ground, 'O' hole, '1'..'7' a hat pickup, anything
  // else air. Ground with no ground above is a surface tile, as the loader makes it.
  static void Map(std::initializer_list<const char*> rows) {
    int y = 0;
    for (const char* row : rows) {
      for (int x = 0; x < GRID_SIZE && row[x]; ++x) {
        const char c = row[x];
        int32_t v = CELL_AIR;
        if (c == '#') v = (y > 0 && IsSolid(x, y - 1)) ? CELL_GROUND : CELL_SURFACE;
        if (c == 'O') v = CELL_HOLE;
        if (c >= '1' && c <= '7') v = CELL_PICKUP + (c - '0');
        SetCell(x, y, v);
      }
      ++y;
    }
  }
  // A floor of ground across the whole of row y.
  static void Floor(int y) {
    for (int x = 0; x < GRID_SIZE; ++x) SetCell(x, y, CELL_SURFACE);
  }

  static Walker& Add(int x, int y, int d, int anim = WS_WALK) {
    Walker w;
    w.x = x;
    w.y = y;
    w.d = d;
    w.anim = anim;
    if (anim == WS_WAIT) w.tick = WALKER_WAIT_FRAMES;
    return *Walkers.Append(w);
  }

  // Level frames as the game loop runs them: the pointer's actions, every walker stepped in the
  // level's order (finished ones leave), then the walkers drawn.
  static void Step(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      BeginFrame(0);
      PlayLevelFrame();
      DrawWalkers();
    }
  }
  // Steps until the walker leaves `anim` (at most `limit` frames); returns the frames taken.
  static int StepWhile(const Walker& w, int anim, int limit = 2000) {
    int n = 0;
    while (w.anim == anim && n < limit) {
      Step();
      ++n;
    }
    return n;
  }

  // Sound effect indices cued since the last clear, in order.
  std::vector<int> EffectsPlayed() const {
    std::vector<int> out;
    for (const SoundRecord& r : HeadlessSounds())
      if (r.kind == SoundRecord::CUE)
        for (int i = 1; i < SOUND_EFFECT_SLOTS; ++i)
          if (SoundEffects[i] != 0 && SoundEffects[i] == r.sound) out.push_back(i);
    return out;
  }
  int Played(int index) const {
    int n = 0;
    for (int i : EffectsPlayed()) n += i == index;
    return n;
  }

  // Image draws of one image since the last clear.
  static std::vector<DrawRecord> DrawsOf(int image) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& r : HeadlessDraws())
      if (r.kind == DrawRecord::IMAGE && r.image == image) out.push_back(r);
    return out;
  }

 private:
  static int Image(int old, int w, int h, int frames) {
    if (old != 0 && ImageWidth(old) == w && ImageFrames(old) == frames) return old;
    return CreateImage(w, h, frames, 0);
  }
  // Effects 1..11, each a second long, so none ends while a test runs on the fake clock.
  static void LoadEffects() {
    static std::string folder = TestFolder("game_sfx").string();
    for (int i = 1; i <= 11; ++i) {
      if (SoundEffects[i] != 0) continue;
      const std::string path = folder + "/" + std::to_string(i) + ".wav";
      WriteFile(path, ConstantWav(22050, 22050, static_cast<int16_t>(1000 + i)));
      SoundEffects[i] = LoadSound(path, 0);
    }
  }
};
