// Every level's recorded solution, played through the real game loop (PlayGame on the headless
// back end, levels read from the committed images): the pointer input of the solution wins the
// level, and so does the same input played with a person's timing and aim (every action shifted
// by a few frames and aimed a few pixels off); the same level with no input is not won. One test
// per solution file. Played as recorded, it earns the par bonus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/score_table.h"
#include "common/settings.h"
#include "engine/engine_state.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "game/play_game.h"
#include "game/solution_file.h"
#include "input/input.h"
#include "media/headless.h"
#include "media/media.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr int KEY_P = 80, KEY_Q = 81, KEY_F7 = 118;
constexpr int LEVEL_FRAMES = 10800;  // three minutes: the longest a solution may take
// A person's timing and aim: each action (from the move that starts it to its release) comes up
// to SHIFT_FRAMES early or late, and each pointer move lands up to AIM_PIXELS off on each axis.
constexpr int SHIFT_FRAMES = 3, AIM_PIXELS = 8;
const uint32_t JITTER_SEEDS[] = {1, 2, 3};
// Where a fresh game has the pointer: on "Click Here to Start", at the middle of the screen.
constexpr int START_X = 640, START_Y = 480;

enum class Outcome { WON, LOST, TIMED_OUT };
struct Ended {
  Outcome outcome;
  int frame;           // of the level
  bool atPar = false;  // won with the par bonus (its actions counted as the par counts them)
};

fs::path LevelsSource() { return fs::path(TEST_SOURCE_DIR) / "assets" / "levels"; }

std::vector<std::string> SolutionFiles() {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(LevelsSource()))
    if (e.path().extension() == ".solution") out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

class LevelReplay : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    home_ = fs::current_path();
    root_ = TestFolder("replay");
    fs::create_directories(root_ / "Files" / "247");
    fs::copy(fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels", root_ / "Plonko_Levels");
    for (const char* source : {"Soft.txt", "Hard.txt"}) fs::copy(LevelsSource() / source, root_ / "Plonko_Levels" / source);
    ASSERT_TRUE(ChangeDir((root_ / "Files" / "247").string()));

    ResetEngineState();
    SetDefaultSettings();
    SetDefaultBindings();
    ResetFrameState();
    ASSERT_TRUE(OpenDisplay(1280, 960, 0, 60));
    SetVirtualResolution(1280, 960);  // solution positions are logical units of this layout
    ScreenW = 1280;
    ScreenH = 960;
    OverlayOn = 0;
    for (int& d : DrawLimit) d = 50000;
    HeadlessMouseMove(0, 0);
    PauseState = 1;  // as the title leaves it for a game
  }
  void TearDown() override {
    HeadlessOnFrame(nullptr);
    fs::current_path(home_);
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // Starts a game of the solution's difficulty, skips to its level with the Q+P+F7 chord, plays
  // its events (or none) by the level's frames and ends at the first verdict.
  static Ended Play(const Solution& s, bool withInput) {
    GameMode = s.levelName == "Hard" ? 1 : 0;
    HeadlessMouseMove(START_X, START_Y);
    const int gameStart = HeadlessFrameCount();
    int levelStart = s.level == 1 ? gameStart : -1;
    size_t next = 0;
    HeadlessOnFrame([&](int frame) {
      if (levelStart < 0) {
        if (LevelNumber < s.level) {
          for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyDown(k);
          return;
        }
        levelStart = frame;  // the level was loaded in the frame before
        for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyUp(k);
      }
      const int at = frame - levelStart;
      if (LevelNumber > s.level) throw Ended{Outcome::WON, at, ParWins == 1};
      if (at > 1 && BannerFrame == BANNER_RETRY && BannerTimer == BANNER_FRAMES) throw Ended{Outcome::LOST, at};
      if (at > LEVEL_FRAMES) throw Ended{Outcome::TIMED_OUT, at};
      for (; withInput && next < s.events.size() && s.events[next].frame <= at; ++next) {
        const SolutionEvent& e = s.events[next];
        if (e.kind == SolutionEvent::MOVE) HeadlessMouseMove(e.x, e.y);
        if (e.kind == SolutionEvent::PRESS) HeadlessMouseDown(1);
        if (e.kind == SolutionEvent::RELEASE) HeadlessMouseUp(1);
      }
    });
    try {
      PlayGame();
    } catch (const Ended& e) {
      HeadlessOnFrame(nullptr);
      return e;
    }
    HeadlessOnFrame(nullptr);
    return {Outcome::TIMED_OUT, -1};  // the game ended before the level was judged
  }

  fs::path home_, root_;
};

// The solution's events with each action shifted by -SHIFT_FRAMES..SHIFT_FRAMES frames (never
// before the frame after the previous action's last event, nor before frame 0, as a person's
// actions follow one another) and each move aimed -AIM_PIXELS..AIM_PIXELS off on each axis.
Solution Jittered(const Solution& s, uint32_t seed) {
  std::mt19937 rng(seed);
  auto draw = [&](int spread) { return static_cast<int>(rng() % static_cast<uint32_t>(2 * spread + 1)) - spread; };
  Solution out = s;
  int earliest = 0;  // the first frame the next action may use
  for (size_t first = 0; first < out.events.size();) {
    size_t end = first;
    while (end < out.events.size() && out.events[end].kind != SolutionEvent::RELEASE) ++end;
    end = std::min(end + 1, out.events.size());  // the action is [first, end)
    const int shift = std::max(draw(SHIFT_FRAMES), earliest - out.events[first].frame);
    for (size_t i = first; i < end; ++i) {
      SolutionEvent& e = out.events[i];
      e.frame += shift;
      if (e.kind == SolutionEvent::MOVE) {
        e.x += draw(AIM_PIXELS);
        e.y += draw(AIM_PIXELS);
      }
    }
    earliest = out.events[end - 1].frame + 1;
    first = end;
  }
  return out;
}

std::string Describe(const Solution& s) {
  static const char* const KINDS[] = {"move", "press", "release"};
  std::string out;
  for (const SolutionEvent& e : s.events) {
    out += "\n  " + std::to_string(e.frame) + " " + KINDS[e.kind];
    if (e.kind == SolutionEvent::MOVE) out += " " + std::to_string(e.x) + " " + std::to_string(e.y);
  }
  return out;
}

const char* Name(Outcome o) {
  static const char* const NAMES[] = {"won", "lost", "not finished"};
  return NAMES[static_cast<int>(o)];
}

TEST_P(LevelReplay, SolutionWinsAndNoInputDoesNot) {
  Solution s;
  std::string error;
  ASSERT_TRUE(ReadSolution((LevelsSource() / GetParam()).string(), s, error)) << error;

  const Ended solved = Play(s, true);
  EXPECT_EQ(solved.outcome, Outcome::WON) << s.levelName << " " << s.level << ": " << Name(solved.outcome)
                                          << " at level frame " << solved.frame;
  // The recorded solution plays at par, so the game counts its actions as the par does.
  EXPECT_TRUE(solved.outcome != Outcome::WON || solved.atPar) << s.levelName << " " << s.level << " won without the par bonus";
  for (uint32_t seed : JITTER_SEEDS) {
    const Solution played = Jittered(s, seed);
    const Ended jittered = Play(played, true);
    EXPECT_EQ(jittered.outcome, Outcome::WON) << s.levelName << " " << s.level << " with a person's timing and aim (seed "
                                              << seed << "): " << Name(jittered.outcome) << " at level frame "
                                              << jittered.frame << "; played:" << Describe(played);
  }
  const Ended idle = Play(s, false);
  EXPECT_NE(idle.outcome, Outcome::WON) << s.levelName << " " << s.level << " is won with no input";
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelReplay, testing::ValuesIn(SolutionFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           return name;
                         });

// Every level of both images has a solution file, and no solution names a missing level.
TEST(LevelSolutions, EveryLevelHasOne) {
  const std::string images = (fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels").string();
  for (const char* mode : {"Soft", "Hard"}) {
    int levels = 0;
    while (DecodeLevel(images + "/" + mode + ".png", levels + 1) == LEVEL_OK) ++levels;
    EXPECT_GT(levels, 0) << mode;
    for (int n = 1; n <= levels; ++n) {
      const fs::path file = LevelsSource() / (Lower(mode) + "_" + std::to_string(n) + ".solution");
      EXPECT_TRUE(fs::exists(file)) << file;
    }
    EXPECT_FALSE(fs::exists(LevelsSource() / (Lower(mode) + "_" + std::to_string(levels + 1) + ".solution")));
  }
}

}  // namespace
