// The score and the badges as a game earns them: the rule's arithmetic, points at the hole and for
// a won level (not for the skip chord), the actions the par bonus counts, the panel below the hat
// boxes, each badge's rule and a badge announced once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/common_assets.h"
#include "common/score_table.h"
#include "common/timestamp.h"
#include "game/badges.h"
#include "game/level_panel_layout.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_tally.h"
#include "game/level_colours.h"
#include "game/level_file.h"
#include "game/level_notes.h"
#include "game/play_game.h"
#include "game/score_rule.h"
#include "game_fixture.h"
#include "png_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int KEY_P = 80, KEY_Q = 81, KEY_F7 = 118;

// Rule: a won level is 500 + 100 x its number, + 200 a hat left, + 1000 at or under its par's
// actions; no par, no bonus.
TEST(ScoreRule, Points) {
  struct Case {
    int level, hatsLeft, actions;
    bool parSet;
    int parActions;
    int points;
  };
  const Case cases[] = {
      // level hats actions par?  par  points
      {1, 0, 1, true, 1, 1600},    // at par
      {1, 0, 2, true, 1, 600},     // one action over
      {1, 0, 0, true, 1, 1600},    // under par
      {7, 2, 3, true, 3, 2600},    // 500 + 700 + 400 + 1000
      {30, 3, 9, true, 4, 4100},   // 500 + 3000 + 600
      {5, 1, 0, false, 0, 1200},   // no par: no bonus, however few the actions
      {2, -3, 5, false, 0, 700},   // a damaged count takes nothing away
  };
  for (const Case& c : cases) {
    WonLevel won;
    won.level = c.level;
    won.hatsLeft = c.hatsLeft;
    won.actions = c.actions;
    won.par.set = c.parSet;
    won.par.actions = c.parActions;
    EXPECT_EQ(WinPoints(won), c.points) << "level " << c.level << ", " << c.actions << " actions";
  }
  EXPECT_EQ(SavePoints(0), 100);
  EXPECT_EQ(SavePoints(1), 200);
}

// A walker waiting on a floor, with `hats` tally pixels ("33" two Rubber Hats).
void WriteLevels(const fs::path& path, const std::vector<std::string>& hats) {
  TestImage img(16, 16 * static_cast<int>(hats.size()));
  for (size_t n = 0; n < hats.size(); ++n) {
    const int top = 16 * static_cast<int>(n);
    for (int x = 0; x < GRID_SIZE; ++x) {
      const Rgb g = GroundColour();
      img.Set(x, top + 8, g.r, g.g, g.b);
    }
    const Rgb w = WalkerColour(1);
    img.Set(6, top + 7, w.r, w.g, w.b);
    for (size_t k = 0; k < hats[n].size(); ++k) {
      const Rgb c = HatPixelColour(hats[n][k] - '0');
      img.Set(14, top + static_cast<int>(k), c.r, c.g, c.b);
    }
  }
  WritePng(path.string(), img);
}

class ScoreTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    root_ = TestFolder("score");
    fs::create_directories(root_ / "Files" / "247");
    fs::create_directories(root_ / "Plonko_Levels");
    home_ = CurrentDir();
    ASSERT_TRUE(ChangeDir((root_ / "Files" / "247").string()));
    BitsImage = CreateImage(256, 128, 8, 0);
    Settings[Widescreen] = 0;
    GridX = GridY = 32;
    GameMode = 0;
    MessageList.Clear();
    // Soft: three levels, the first with a par, the others without; Hard: one level at par 1.
    WriteLevels(root_ / "Plonko_Levels" / "Soft.png", {"", "3", "33"});
    WriteLevels(root_ / "Plonko_Levels" / "Hard.png", {""});
    Source("Soft", "level 1: first\npar hats=1 actions=2\nlevel 2: second\nlevel 3: third\n");
    Source("Hard", "level 1: first\npar hats=0 actions=1\n");
  }
  void TearDown() override {
    for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyUp(k);
    HeadlessMouseUp(1);
    ChangeDir(home_);
  }
  void Source(const std::string& name, const std::string& text) {
    std::ofstream(root_ / "Plonko_Levels" / (name + ".txt")) << text;
  }
  // A game of `mode` now playing `level`, its tally fresh.
  static void PlayFrom(int mode, int level) {
    GameMode = mode;
    ASSERT_TRUE(StartGameState());
    if (level != 1) {
      LevelNumber = level;
      ASSERT_EQ(LoadLevel(LevelName, level), LEVEL_OK);
      BeginLevelTally(false);
    }
  }
  // The frame's pointer, sampled and for the next samples.
  static void Point(int x, int y) {
    HeadlessMouseMove(x, y);
    FrameMouseX = x;
    FrameMouseY = y;
  }
  static std::vector<std::string> Messages() {
    std::vector<std::string> out;
    MessageList.ForEach([&](Message& m) { out.push_back(m.txt); });
    return out;
  }

  fs::path root_;
  std::string home_;
};

// Rule: the level test scores a real win (every walker saved) by the rule, hats left in the panel
// and the one carried counted; the skip chord and an unfinished or lost level earn nothing; every
// load zeroes the actions.
TEST_F(ScoreTest, WonLevelsScore) {
  struct Case {
    const char* what;
    int mode, level;
    int stock, dragged;  // Rubber Hats in the panel and carried at the judging frame
    int actions;
    bool allSaved, chord, lost;
    int points;
  };
  const Case cases[] = {
      {"Soft 1 at par", 0, 1, 0, 0, 2, true, false, false, 1600},
      {"Soft 1 over par", 0, 1, 0, 0, 3, true, false, false, 600},
      {"Soft 1, two hats left, one carried", 0, 1, 1, HAT_RUBBER, 1, true, false, false, 2000},
      {"Soft 2 has no par", 0, 2, 0, 0, 0, true, false, false, 700},
      {"Soft 3, two hats left, no par", 0, 3, 2, 0, 4, true, false, false, 1200},
      {"Hard 1 at par", 1, 1, 0, 0, 1, true, false, false, 1600},
      {"the chord earns nothing", 0, 1, 2, 0, 0, false, true, false, 0},
      {"the chord on a won level: the win scores", 0, 1, 0, 0, 0, true, true, false, 1600},
      {"not yet won", 0, 1, 0, 0, 1, false, false, false, 0},
      {"lost", 0, 1, 0, 0, 1, false, false, true, 0},
  };
  for (const Case& c : cases) {
    PlayFrom(c.mode, c.level);
    Score = 0;
    ScorePopupList.Clear();
    HatStock[HAT_RUBBER] = c.stock;
    DraggedHat = c.dragged;
    LevelActions = c.actions;
    if (c.allSaved || c.lost) Walkers.Clear();
    SavedCount = c.allSaved ? WalkerCount : 0;
    for (int k : {KEY_Q, KEY_P, KEY_F7})
      if (c.chord) HeadlessKeyDown(k);
    LevelProgress();
    for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyUp(k);
    EXPECT_EQ(Score, c.points) << c.what;
    EXPECT_EQ(LevelsWon, c.points > 0 ? 1 : 0) << c.what;
    if (c.points > 0) {
      ASSERT_EQ(ScorePopupList.Count(), 1) << c.what;
      EXPECT_EQ(ScorePopupList.First()->n, c.points) << c.what << ": the points float up";
    }
    if (c.allSaved || c.chord || c.lost) {
      EXPECT_EQ(LevelActions, 0) << c.what << ": the load starts a new count";
    }
  }
}

// Rule: a Plonko going down its hole earns 100 (Hard 200), floating up from the hole.
TEST_F(ScoreTest, SavedWalkerScoresAtTheHole) {
  for (int mode : {0, 1}) {
    PlayFrom(mode, 1);
    Walkers.Clear();
    for (int& c : Grid) c = CELL_AIR;
    Floor(8);
    SetCell(2, 7, CELL_HOLE);
    ScorePopupList.Clear();
    Score = 0;
    Walker& w = Add(5, 7, -1);
    int frames = 0;
    while (!Walkers.Empty() && frames < 2000) {
      Step();
      ++frames;
    }
    ASSERT_EQ(SavedCount, 1) << "mode " << mode;
    const int points = mode == 1 ? 200 : 100;
    EXPECT_EQ(Score, points);
    EXPECT_EQ(SavedInGame, 1);
    ASSERT_EQ(ScorePopupList.Count(), 1);
    const ScorePopup& p = *ScorePopupList.First();
    EXPECT_EQ(p.n, points);
    EXPECT_EQ(std::make_tuple(p.r, p.g, p.b), std::make_tuple(255, 255, 0));
    // Drawn at the popup's place less the playfield offset: over the hole cell (2, 7).
    const float holeX = 2 * CELL_PIXELS + 32 + GridX, holeTop = 7 * CELL_PIXELS + GridY;
    EXPECT_NEAR(p.x - GridX, holeX, 8.0f);
    EXPECT_GE(p.y - GridY, holeTop - CELL_PIXELS);
    EXPECT_LE(p.y - GridY, holeTop + CELL_PIXELS);
    (void)w;
  }
}

// Rule: an action is a tickle that starts or turns a walker, or a hat given to one.
TEST_F(ScoreTest, ActionsCounted) {
  struct Case {
    const char* what;
    int anim;
    int hat;  // 0 a tickle; else the hat carried and let go
    bool onWalker;
    int actions, hatsGiven;
  };
  const Case cases[] = {
      {"tickle a waiting walker", WS_WAIT, 0, true, 1, 0},
      {"tickle a walking one", WS_WALK, 0, true, 1, 0},
      {"tickle a falling one: nothing happens", WS_FALL, 0, true, 0, 0},
      {"a hat given", WS_WALK, HAT_RUBBER, true, 1, 1},
      {"a hat let go elsewhere", WS_WALK, HAT_RUBBER, false, 0, 0},
  };
  for (const Case& c : cases) {
    PlayFrom(0, 1);
    ClearWalkers();
    Walker& w = Add(6, 3, 1, c.anim);
    int sx, sy;
    WalkerCorner(w, sx, sy);
    Point(c.onWalker ? sx + 32 : 5, c.onWalker ? sy + 32 : 5);
    ClickLatch = false;
    if (c.hat == 0) {
      HeadlessMouseDown(1);
      Step();
      HeadlessMouseUp(1);
    } else {
      SelectedWalker = WalkerIndex(w);
      DraggedHat = c.hat;
      PlayLevelFrame();
    }
    EXPECT_EQ(LevelActions, c.actions) << c.what;
    EXPECT_EQ(LevelHatsGiven, c.hatsGiven) << c.what;
  }
}

// Rule: the score, the level of the image's count and the par show in a box below the hat boxes,
// inside the screen, in every layout.
TEST_F(ScoreTest, PanelBelowTheHats) {
  struct Case {
    int w, h;
    int level;
    const char* levelText;
    const char* parText;
  };
  const Case cases[] = {
      {1280, 960, 1, "Soft 1 / 3", "Par: 1 hat, 2 actions"},
      {1600, 900, 2, "Soft 2 / 3", "Par: -"},
      {1440, 900, 1, "Soft 1 / 3", "Par: 1 hat, 2 actions"},
  };
  for (const Case& c : cases) {
    PlayFrom(0, c.level);
    ScreenW = c.w;
    ScreenH = c.h;
    Score = 1234;
    HeadlessClearDraws();
    LevelPanel();
    std::vector<std::string> texts;
    for (const DrawRecord& d : HeadlessDraws()) {
      if (d.kind == DrawRecord::TEXT) {
        texts.push_back(d.text);
        SetFont(d.image);
        EXPECT_GE(d.x, c.w + LEVEL_BOX.x) << d.text;
        EXPECT_LE(d.x + static_cast<float>(TextWidth(d.text)) * d.sx, c.w + LEVEL_BOX.x + LEVEL_BOX.w) << d.text;
      }
      if (d.kind != DrawRecord::RECT && d.kind != DrawRecord::TEXT) continue;
      EXPECT_GE(d.y, HAT_BOXES_BOTTOM) << c.w << "x" << c.h << " " << d.text;
      EXPECT_LE(d.y + d.h, c.h) << c.w << "x" << c.h << " " << d.text;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Score: 1234", c.levelText, c.parText})) << c.w << "x" << c.h;
  }
  ScreenW = 1280;
  ScreenH = 960;
}

// Rule: each badge is earned by its rule and not by the case next to it; bit n - 1 is badge n.
TEST(Badges, Rules) {
  BadgeFacts won;  // a level won at its first try, nothing more
  won.level = 3;
  won.lastLevel = 30;
  won.levelsWon = 1;
  won.frames = 5000;
  won.hatsHanded = 0;
  struct Case {
    int badge;
    BadgeFacts earns, misses;
  };
  auto with = [&](auto change) {
    BadgeFacts f = won;
    change(f);
    return f;
  };
  const BadgeFacts save = with([](BadgeFacts& f) { f.level = 0; });
  const Case cases[] = {
      {1, won, save},
      {2, with([](BadgeFacts& f) { f.level = 30; }), with([](BadgeFacts& f) { f.level = 30, f.mode = 1; })},
      {3, with([](BadgeFacts& f) { f.level = 30, f.mode = 1; }), with([](BadgeFacts& f) { f.level = 29, f.mode = 1; })},
      {4, with([](BadgeFacts& f) { f.parWins = 5; }), with([](BadgeFacts& f) { f.parWins = 4; })},
      {5, with([](BadgeFacts& f) { f.cleanRun = 10; }), with([](BadgeFacts& f) { f.cleanRun = 9; })},
      {6, with([](BadgeFacts& f) { f.hatsHanded = 2; }), with([](BadgeFacts& f) { f.hatsHanded = 2, f.hatsGiven = 1; })},
      {7, with([](BadgeFacts& f) { f.mode = 1; }), with([](BadgeFacts& f) { f.mode = 1, f.level = 0; })},
      {8, with([](BadgeFacts& f) { f.level = 15; }), with([](BadgeFacts& f) { f.level = 16; })},
      {9, with([](BadgeFacts& f) { f.atPar = true; }), with([](BadgeFacts& f) { f.atPar = true, f.tries = 2; })},
      {10, with([](BadgeFacts& f) { f.frames = 900; }), with([](BadgeFacts& f) { f.frames = 901; })},
      {11, with([](BadgeFacts& f) { f.tries = 4; }), with([](BadgeFacts& f) { f.tries = 3; })},
      {12, with([](BadgeFacts& f) { f.hatsGiven = 3; }), with([](BadgeFacts& f) { f.hatsGiven = 2; })},
      {13, with([](BadgeFacts& f) { f.saved = 50; }), with([](BadgeFacts& f) { f.saved = 49; })},
      {14, with([](BadgeFacts& f) { f.score = 10000; }), with([](BadgeFacts& f) { f.score = 9999; })},
      {15, with([](BadgeFacts& f) { f.parWins = 10; }), with([](BadgeFacts& f) { f.parWins = 9; })},
      {16, with([](BadgeFacts& f) { f.levelsWon = 20; }), with([](BadgeFacts& f) { f.levelsWon = 19; })},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BitSet(EarnedBadges(c.earns), c.badge), 1) << BadgeOf(c.badge)->name;
    EXPECT_EQ(BitSet(EarnedBadges(c.misses), c.badge), 0) << BadgeOf(c.badge)->name;
  }
  EXPECT_EQ(EarnedBadges(won), 1) << "a plain win earns only the first badge";
  EXPECT_EQ(EarnedBadges(save), 0);
  EXPECT_EQ(BadgeOf(0), nullptr);
  EXPECT_EQ(BadgeOf(BADGE_COUNT + 1), nullptr);
}

// The README's table names every badge with its rule, in cell order.
TEST(Badges, ReadmeListsEach) {
  std::ifstream readme(std::string(TEST_SOURCE_DIR) + "/README.md");
  std::vector<std::string> rows;
  for (std::string line; std::getline(readme, line);)
    if (line.rfind("| ", 0) == 0 && line != "| Badge | Rule |") rows.push_back(line);
  ASSERT_GE(rows.size(), static_cast<size_t>(BADGE_COUNT));
  for (int n = 1; n <= BADGE_COUNT; ++n)
    EXPECT_EQ(rows[static_cast<size_t>(n - 1)], std::string("| ") + BadgeOf(n)->name + " | " + BadgeOf(n)->rule + " |");
}

// Rule: a badge earned again in the same game is neither announced nor played again, and the
// game's record holds its bit.
TEST_F(ScoreTest, BadgeAnnouncedOnce) {
  static const std::string jingle = (TestFolder("score_jingle") / "badge.wav").string();
  WriteFile(jingle, ConstantWav(22050, 22050, 500));
  BadgeJingle = LoadSound(jingle, 0);
  PlayFrom(0, 1);
  HeadlessClearSounds();
  for (int level = 1; level <= 2; ++level) {
    ASSERT_EQ(LevelNumber, level);
    Walkers.Clear();
    LevelFrames = 2000;  // too slow for the quick badge
    LevelActions = 5;    // over par
    LevelHatsGiven = LevelHatsHanded;  // every hat used: not the unused-hats badge
    SavedCount = WalkerCount;
    BannerTimer = 0;
    LevelProgress();
  }
  const std::vector<std::string> messages = Messages();
  EXPECT_EQ(messages, (std::vector<std::string>{"Badge: First Win"}));
  EXPECT_EQ(Badges, 1);
  int cues = 0;
  for (const SoundRecord& s : HeadlessSounds()) cues += s.kind == SoundRecord::CUE && s.sound == BadgeJingle;
  EXPECT_EQ(cues, 1);
  ScoreList.Clear();
  FileScore();
  ASSERT_EQ(ScoreList.Count(), 1);
  EXPECT_EQ(ScoreList.First()->Badges, 1);
  EXPECT_EQ(ScoreList.First()->Score, Score);
  FreeSound(BadgeJingle);
  BadgeJingle = 0;
}

}  // namespace
