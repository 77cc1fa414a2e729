// Every committed level, played by the walker simulation: with no input it is not won; with its
// scripted moves (tickles and hats from the level's own stock) every Plonko gets home.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/level_file.h"
#include "game_fixture.h"

namespace {

namespace fs = std::filesystem;

enum Move { TICKLE, HAT };
struct Action {
  int frame;
  int walker;  // index in the level's walker order
  Move move;
  int hat = 0;
};
struct Solution {
  const char* file;
  int level;
  std::vector<Action> actions;
};

const Solution SOLUTIONS[] = {
    {"Soft", 1, {{700, 0, TICKLE}}},
    {"Soft", 2, {{600, 0, HAT, HAT_RUBBER}}},
    {"Soft", 3, {{600, 0, HAT, HAT_HARD}}},
    {"Soft", 8, {{760, 1, HAT, HAT_RUBBER}}},  // the hat the first Plonko picked up
    {"Hard", 1, {{600, 0, HAT, HAT_HARD}, {1000, 0, HAT, HAT_RUBBER}}},
    {"Hard", 2, {{150, 1, TICKLE}, {700, 0, HAT, HAT_SAFETY}, {1380, 0, HAT, HAT_RUBBER}}},
    {"Hard", 3, {{4, 0, TICKLE}, {700, 1, HAT, HAT_SAFETY}, {1330, 1, HAT, HAT_RUBBER}}},
};
constexpr int MAX_FRAMES = 4000;

class LevelPlay : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    const fs::path root = TestFolder("level_play");
    fs::create_directories(root / "Files" / "247");
    fs::copy(fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels", root / "Plonko_Levels");
    before_ = CurrentDir();
    ASSERT_TRUE(ChangeDir((root / "Files" / "247").string()));
  }
  void TearDown() override { ChangeDir(before_); }

  // Plays until every walker is gone or time runs out; true when all were saved.
  static bool Play(const Solution& s, bool withMoves) {
    if (LoadLevel(s.file, s.level) != LEVEL_OK) return false;
    std::vector<Walker*> order;
    Walkers.ForEach([&](Walker& w) { order.push_back(&w); });
    for (int frame = 0; frame < MAX_FRAMES && !Walkers.Empty(); ++frame) {
      HeadlessMouseUp(1);
      ClickLatch = false;
      FrameMouseX = FrameMouseY = -1000;
      for (const Action& a : s.actions) {
        if (!withMoves || a.frame != frame) continue;
        Walker* w = order[static_cast<size_t>(a.walker)];
        bool live = false;
        Walkers.ForEach([&](Walker& v) { live = live || &v == w; });
        EXPECT_TRUE(live) << s.file << " " << s.level << ": walker " << a.walker << " is gone at frame " << frame;
        if (!live) return false;
        if (a.move == TICKLE) {
          WalkerCorner(*w, FrameMouseX, FrameMouseY);
          FrameMouseX += 32;
          FrameMouseY += 32;
          HeadlessMouseDown(1);
        } else {
          EXPECT_GT(HatStock[a.hat], 0) << s.file << " " << s.level << ": no hat " << a.hat << " at frame " << frame;
          --HatStock[a.hat];
          w->hat = a.hat;
        }
      }
      Step();
    }
    return Walkers.Empty() && SavedCount == WalkerCount;
  }

  std::string before_;
};

TEST_F(LevelPlay, EveryLevelIsWonByItsMovesAndNotWithout) {
  for (const Solution& s : SOLUTIONS) {
    EXPECT_FALSE(Play(s, false)) << s.file << " " << s.level << " is won with no input";
    EXPECT_TRUE(Play(s, true)) << s.file << " " << s.level << " is not won by its moves";
  }
  // The levels after these are played from their recorded solutions by the replay test.
}

}  // namespace
