// The game flow: the layers of a frame, the instruction boxes, the hat panel and dragging, the
// click latch, the level tests and the banner, and whole games from the first frame to the score
// record, on the headless back end with tiny level images written by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <tuple>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/score_table.h"
#include "common/timestamp.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/level_colours.h"
#include "game/level_file.h"
#include "game/play_game.h"
#include "game/sfx.h"
#include "game/effects.h"
#include "frame/settings_menu.h"
#include "game_fixture.h"
#include "png_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int KEY_RETURN = 13, KEY_ESCAPE = 27, KEY_DOWN = 40, KEY_P = 80, KEY_Q = 81, KEY_R = 82, KEY_F7 = 118;

// A level as the level sources draw it: 14 rows of '.', '#', '>', '<', 'O', '1'..'6'; `hats`
// lists one tally pixel per hat by colour index ("33" is two Rubber Hats).
struct LevelText {
  std::vector<std::string> rows;
  std::string hats;
};

// One walker waiting on a floor with a hole to its left, a Rubber Hat lying to its right.
const LevelText SIMPLE = {{"..............", "..............", "..............", "..............", "..............",
                           "..............", "..O...>..3....", "##############"},
                          "3"};

void SetPixel(TestImage& img, int x, int y, const Rgb& c) { img.Set(x, y, c.r, c.g, c.b); }

void WriteLevels(const fs::path& path, const std::vector<LevelText>& levels) {
  TestImage img(16, 16 * static_cast<int>(levels.size()));
  for (size_t n = 0; n < levels.size(); ++n) {
    const int top = 16 * static_cast<int>(n);
    for (size_t y = 0; y < levels[n].rows.size(); ++y) {
      for (size_t x = 0; x < levels[n].rows[y].size(); ++x) {
        const char c = levels[n].rows[y][x];
        const int px = static_cast<int>(x), py = top + static_cast<int>(y);
        if (c == '#') SetPixel(img, px, py, GroundColour());
        if (c == '>' || c == '<') SetPixel(img, px, py, WalkerColour(c == '>' ? 1 : -1));
        if (c == 'O') SetPixel(img, px, py, HoleColour());
        if (c >= '1' && c <= '6') SetPixel(img, px, py, HatPixelColour(c - '0'));
      }
    }
    for (size_t k = 0; k < levels[n].hats.size(); ++k)
      SetPixel(img, 14 + static_cast<int>(k / 16), top + static_cast<int>(k % 16), HatPixelColour(levels[n].hats[k] - '0'));
  }
  WritePng(path.string(), img);
}

class GameFlowTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    root_ = TestFolder("game_flow");
    fs::create_directories(root_ / "Files" / "247");
    fs::create_directories(root_ / "Plonko_Levels");
    home_ = CurrentDir();
    ASSERT_TRUE(ChangeDir((root_ / "Files" / "247").string()));
    ASSERT_TRUE(OpenDisplay(1280, 960, 0, 60));
    SetVirtualResolution(1280, 960);
    BitsImage = CreateImage(256, 128, 8, 0);
    Settings[Widescreen] = 0;
    GridX = GridY = 32;  // the 4:3 layout, as each game frame sets it
    OverlayOn = 0;
    PauseState = 1;
    GameMode = 0;
    ScoreList.Clear();
    PlayerName = "Player";
    Point(-1000, -1000);
    HeadlessClearDraws();
  }
  void TearDown() override {
    MenuOpen = 0;
    MenuY = -300;
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
    for (int k : {KEY_RETURN, KEY_ESCAPE, KEY_DOWN, KEY_P, KEY_Q, KEY_R, KEY_F7}) HeadlessKeyUp(k);
    HeadlessMouseUp(1);
    KeyHit(KEY_R);
    ChangeDir(home_);
  }

  void Levels(const std::string& name, const std::vector<LevelText>& levels) {
    WriteLevels(root_ / "Plonko_Levels" / (name + ".png"), levels);
  }
  // The pointer, at once (the frame's sample) and for the next samples.
  static void Point(int x, int y) {
    HeadlessMouseMove(x, y);
    FrameMouseX = x;
    FrameMouseY = y;
  }
  static void PointAtWalker(const Walker& w) {
    int sx, sy;
    WalkerCorner(w, sx, sy);
    Point(sx + 32, sy + 32);
  }
  // Centre of stock icon j of hat row i.
  static void PointAtIcon(int i, int j) { Point(ScreenW - 32 - 36 * j + 16, i * 100 + 50 + 16); }

  // Index of the first draw record that matches, -1 when none.
  static int FirstDraw(const std::function<bool(const DrawRecord&)>& match) {
    const auto& draws = HeadlessDraws();
    for (size_t i = 0; i < draws.size(); ++i)
      if (match(draws[i])) return static_cast<int>(i);
    return -1;
  }
  static std::vector<DrawRecord> TextDraws(const std::string& text) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind == DrawRecord::TEXT && d.text == text) out.push_back(d);
    return out;
  }

  fs::path root_;
  std::string home_;
};

// Rule: a frame draws back to front: background, board tiles and pickups, walkers, the
// instructions, the hat panel, the pointer, the banner, then the frame ends.
TEST_F(GameFlowTest, LayersInOrder) {
  Levels("Soft", {SIMPLE});
  StartGameState();
  BannerTimer = 5;
  HeadlessClearDraws();
  GameFrame();
  auto image = [](int img, int cell) {
    return [=](const DrawRecord& d) { return d.kind == DrawRecord::IMAGE && d.image == img && (cell < 0 || d.cell == cell); };
  };
  auto text = [](const char* t) { return [=](const DrawRecord& d) { return d.kind == DrawRecord::TEXT && d.text == t; }; };
  const int order[] = {
      FirstDraw(image(GridImage, -1)),                // background
      FirstDraw([](const DrawRecord& d) {             // a surface tile
        return d.kind == DrawRecord::IMAGE && d.image == BgImage && d.cell >= 32 && d.cell < 48;
      }),
      FirstDraw(image(BgImage, 48)),                  // the hole
      FirstDraw(image(AHatImage, 0)),                 // the pickup
      FirstDraw(image(PlonkoImage, 0)),               // the waiting walker
      FirstDraw(text("Guide the Plonko")),            // instructions
      FirstDraw(text("Rubber Hat")),                  // panel box
      FirstDraw(image(BgImage, 56)),                  // panel icon
      FirstDraw(image(PlonkoImage, 90)),              // hand
      FirstDraw(image(BitsImage, BANNER_WON)),        // banner
      FirstDraw([](const DrawRecord& d) { return d.kind == DrawRecord::FLIP; }),
  };
  for (size_t k = 0; k < std::size(order); ++k) {
    EXPECT_GE(order[k], 0) << "layer " << k << " not drawn";
    if (k > 0) {
      EXPECT_LT(order[k - 1], order[k]) << "layer " << k;
    }
  }
}

// Rule: the instruction box shows on "Soft" levels 1 and 2 only.
TEST_F(GameFlowTest, InstructionsOnTheFirstSoftLevels) {
  struct Case {
    const char* name;
    int level;
    const char* firstLine;  // nullptr: no box
  };
  const Case cases[] = {
      {"Soft", 1, "Guide the Plonko"},
      {"Soft", 2, "Place the Rubber Hat"},
      {"Soft", 3, nullptr},
      {"Hard", 1, nullptr},
      {"Hard", 2, nullptr},
  };
  for (const Case& c : cases) {
    LevelName = c.name;
    LevelNumber = c.level;
    HeadlessClearDraws();
    DrawInstructions();
    int texts = 0;
    for (const DrawRecord& d : HeadlessDraws()) texts += d.kind == DrawRecord::TEXT;
    EXPECT_EQ(texts, c.firstLine ? 4 : 0) << c.name << " " << c.level;
    if (c.firstLine) {
      ASSERT_EQ(TextDraws(c.firstLine).size(), 1u);
      EXPECT_EQ(TextDraws(c.firstLine)[0].image, FontTable[13]) << "face 2, size 3";
    }
  }
}

// Rule: holding button 1 over an icon takes one hat (sound 9) when none is dragged; icons past
// the eighth are not drawn but can be taken.
TEST_F(GameFlowTest, PanelTakesOneHatAtATime) {
  HatStock[HAT_RUBBER] = 2;
  HatStock[HAT_RED] = 10;
  HeadlessMouseDown(1);
  PointAtIcon(HAT_RUBBER, 1);
  TakeHatFromPanel();
  EXPECT_EQ(HatStock[HAT_RUBBER], 1);
  EXPECT_EQ(DraggedHat, HAT_RUBBER);
  EXPECT_EQ(Played(SFX_TAKE_HAT), 1);
  PointAtIcon(HAT_RUBBER, 2);
  TakeHatFromPanel();
  EXPECT_EQ(HatStock[HAT_RUBBER], 1) << "one hat at a time";

  DraggedHat = 0;
  HeadlessClearDraws();
  PointAtIcon(HAT_RED, 10);
  TakeHatFromPanel();
  HatPanel();
  EXPECT_EQ(HatStock[HAT_RED], 9);
  EXPECT_EQ(DraggedHat, HAT_RED);
  int redIcons = 0;
  for (const DrawRecord& d : DrawsOf(BgImage)) redIcons += d.cell == 56 && d.g == 0 && d.b == 0;
  EXPECT_EQ(redIcons, 8);
}

// Rule: a dragged hat let go on the selected walker is worn (replacing its hat; sound 10, a hat
// pop); anywhere else, on a selected walker that has left, or with no walker ever hovered, it
// goes back to its stock (sound 11).
TEST_F(GameFlowTest, DroppingAHat) {
  struct Case {
    const char* what;
    bool selected;
    bool gone;  // the walker left the level before the drop
    int dx;     // pointer from the walker's centre
    int wornAfter, stockAfter, sound;
  };
  const Case cases[] = {
      {"on the walker", true, false, 19, HAT_HARD, 0, SFX_DROP_HAT},
      {"beside it", true, false, 20, HAT_RUBBER, 1, SFX_RETURN_HAT},
      {"on a walker that has left", true, true, 0, HAT_RUBBER, 1, SFX_RETURN_HAT},
      {"before any walker was hovered", false, true, 0, HAT_RUBBER, 1, SFX_RETURN_HAT},
  };
  for (const Case& c : cases) {
    ClearWalkers();
    HatPopList.Clear();
    HeadlessClearSounds();
    Walker& w = Add(4, 4, 1, WS_WAIT);  // stands still: its place is the same after the step
    w.hat = HAT_RUBBER;
    if (c.gone) RemoveWalker(w);
    SelectedWalker = c.selected ? WalkerIndex(w) : -1;
    HatStock[HAT_HARD] = 0;
    DraggedHat = HAT_HARD;
    PointAtWalker(w);
    Point(FrameMouseX + c.dx, FrameMouseY);
    HeadlessMouseUp(1);
    PlayLevelFrame();
    EXPECT_EQ(DraggedHat, 0) << c.what;
    EXPECT_EQ(w.hat, c.wornAfter) << c.what;
    EXPECT_EQ(HatStock[HAT_HARD], c.stockAfter) << c.what;
    EXPECT_EQ(EffectsPlayed(), std::vector<int>{c.sound}) << c.what;
    EXPECT_EQ(HatPopList.Count(), c.sound == SFX_DROP_HAT ? 1 : 0) << c.what;
  }
}

// Rule: a press used by a walker or the panel stays used until the button is let go: a press
// that tickled a walker still takes a hat over the panel, and no walker is tickled while a hat is
// carried; after the release the next press tickles.
TEST_F(GameFlowTest, ClickLatch) {
  Levels("Soft", {SIMPLE});
  StartGameState();
  Walker& w = *Walkers.First();
  PointAtWalker(w);
  GameFrame();  // the walker is hovered
  HeadlessMouseDown(1);
  GameFrame();
  EXPECT_EQ(w.anim, WS_WALK) << "tickled";
  EXPECT_TRUE(ClickLatch);

  PointAtIcon(HAT_RUBBER, 1);
  GameFrame();
  EXPECT_EQ(DraggedHat, HAT_RUBBER) << "taken with the same press";
  PointAtWalker(w);
  GameFrame();
  GameFrame();
  EXPECT_EQ(w.d, 1) << "not tickled while carrying";
  EXPECT_EQ(Played(SFX_TICKLE), 1);

  HeadlessMouseUp(1);
  GameFrame();
  EXPECT_EQ(w.hat, HAT_RUBBER);
  EXPECT_FALSE(ClickLatch);
  PointAtWalker(w);
  HeadlessMouseDown(1);
  GameFrame();
  EXPECT_EQ(w.d, -1) << "a new press tickles";
}

// Rule: with no banner showing, a level is won when every walker it made was saved (or Q+P+F7 is
// held) and lost when all are gone with one lost (or R was hit); won loads the next level under
// banner 0, lost reloads it under banner 1. A hat carried across a load is let go without going
// back to the new level's stock, so no level gains a hat it did not hand out.
TEST_F(GameFlowTest, LevelTests) {
  Levels("Soft", {SIMPLE, SIMPLE, SIMPLE});
  struct Case {
    const char* what;
    int left, created, saved;  // walkers in the list, made by the level, saved
    std::vector<int> keys;
    int level, banner;  // after; banner -1: none
  };
  const Case cases[] = {
      {"all saved", 0, 1, 1, {}, 3, BANNER_WON},
      {"the only one lost", 0, 1, 0, {}, 2, BANNER_RETRY},
      {"one lost, one still walking", 1, 2, 0, {}, 2, -1},
      {"one lost, the other saved", 0, 2, 1, {}, 2, BANNER_RETRY},
      {"R", 1, 1, 0, {KEY_R}, 2, BANNER_RETRY},
      {"lost and R in the same frame", 0, 1, 0, {KEY_R}, 2, BANNER_RETRY},
      {"Q+P+F7", 1, 1, 0, {KEY_Q, KEY_P, KEY_F7}, 3, BANNER_WON},
      {"Q+P without F7", 1, 1, 0, {KEY_Q, KEY_P}, 2, -1},
  };
  for (const Case& c : cases) {
    LevelName = "Soft";
    LevelNumber = 2;
    ASSERT_EQ(LoadLevel("Soft", 2), LEVEL_OK);
    Walkers.Clear();
    for (int k = 0; k < c.left; ++k) Add(1, 1, 1);
    WalkerCount = c.created;
    SavedCount = c.saved;
    BannerTimer = 0;
    BannerFrame = -1;
    DraggedHat = HAT_RUBBER;
    for (int k : c.keys) HeadlessKeyDown(k);
    LevelProgress();
    for (int k : c.keys) HeadlessKeyUp(k);
    // R is read in every judged frame: one left over would restart the level again later.
    EXPECT_EQ(KeyHit(KEY_R), 0) << c.what;
    EXPECT_EQ(LevelNumber, c.level) << c.what;
    EXPECT_EQ(BannerTimer, c.banner < 0 ? 0 : BANNER_FRAMES) << c.what;
    if (c.banner >= 0) {
      EXPECT_EQ(BannerFrame, c.banner) << c.what;
    }
    EXPECT_EQ(EndCode, 0) << c.what;
    EXPECT_EQ(DraggedHat, c.banner < 0 ? HAT_RUBBER : 0) << c.what;
    if (c.banner >= 0) {
      EXPECT_EQ(HatStock[HAT_RUBBER], 1) << c.what << ": the level's own stock";
    }
  }
}

// Rule: LevelBest[n] is 1 only when level n is played to its end with every walker saved: the
// skip chord moves on without marking it, and so does an empty board (a level that did not load).
TEST_F(GameFlowTest, LevelResultsMarkOnlyRealWins) {
  Levels("Soft", {SIMPLE, SIMPLE, SIMPLE});
  struct Case {
    const char* what;
    int created, saved;  // walkers made by the level, saved
    bool chord;
    int marked;  // LevelBest[2] after
  } cases[] = {
      {"every walker saved", 1, 1, false, 1},
      {"skipped by the chord", 1, 0, true, 0},
      {"won while the chord is held", 1, 1, true, 1},
      {"lost", 1, 0, false, 0},
      {"an empty board", 0, 0, false, 0},
  };
  for (const Case& c : cases) {
    for (int& b : LevelBest) b = 0;
    LevelName = "Soft";
    LevelNumber = 2;
    ASSERT_EQ(LoadLevel("Soft", 2), LEVEL_OK);
    Walkers.Clear();
    WalkerCount = c.created;
    SavedCount = c.saved;
    BannerTimer = 0;
    if (c.chord)
      for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyDown(k);
    LevelProgress();
    for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyUp(k);
    EXPECT_EQ(LevelBest[2], c.marked) << c.what;
    for (int n : {1, 3}) EXPECT_EQ(LevelBest[n], 0) << c.what << ": level " << n;
  }
}

// Rule: a game starts at level Level + 1 (the title's start level) and its record keeps that
// Level beside the levels won; a full run keeps Level 0 and writes its record in the old shape,
// so it still matches the records of every earlier game. A start level past the last level
// starts no game.
TEST_F(GameFlowTest, StartLevelAndResultsInTheRecord) {
  Levels("Soft", {SIMPLE, SIMPLE, SIMPLE});
  struct Case {
    const char* what;
    int level;       // Level (start level - 1)
    int first;       // LevelNumber loaded first, 0 none
    const char* best;  // the record's Best line, after winning the first level and skipping on
  } cases[] = {
      {"a full run", 0, 1, "1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0"},
      {"from level 2", 1, 2, "0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0"},
      {"from the last level", 2, 3, "0|0|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0"},
      {"past the last level", 3, 0, nullptr},
  };
  for (const Case& c : cases) {
    ScoreList.Clear();
    Level = c.level;
    const bool started = StartGameState();
    EXPECT_EQ(started, c.first > 0) << c.what;
    if (!started) continue;
    EXPECT_EQ(LevelNumber, c.first) << c.what;
    Walkers.Clear();
    SavedCount = WalkerCount;
    LevelProgress();  // the first level won
    for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyDown(k);
    for (int frame = 0; frame < 1000 && EndCode == 0; ++frame) {
      Walkers.Clear();
      SavedCount = 0;
      BannerTimer = 0;
      LevelProgress();  // the rest skipped
    }
    for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyUp(k);
    ASSERT_EQ(EndCode, END_GAME) << c.what;
    FileScore();
    ASSERT_EQ(ScoreList.Count(), 1);
    const Scores& s = *ScoreList.First();
    EXPECT_EQ(s.Level, c.level) << c.what;
    EXPECT_EQ(ScoreBestLine(s), c.best) << c.what;
    // The record line keeps its eight fields, Level fifth, as every build reads it.
    const std::string line = ScoreRecordLine(s);
    EXPECT_EQ(std::count(line.begin(), line.end(), '|'), 7) << line;
    const std::string tail = "|" + std::to_string(s.Timestamp) + "|" + std::to_string(c.level) + "|0|0|1";
    EXPECT_EQ(line.substr(line.size() - std::min(line.size(), tail.size())), tail) << line;
  }
  Level = 0;
}

// Rule: the banner shows for 120 frames at the screen's centre, and no test runs under it; the
// test runs again in the frame it ends.
TEST_F(GameFlowTest, BannerHoldsTheTests) {
  Levels("Soft", {SIMPLE, SIMPLE, SIMPLE});
  StartGameState();
  LevelProgress();  // level 1 is not won: its walker waits
  Walkers.Clear();
  SavedCount = WalkerCount;
  LevelProgress();
  ASSERT_EQ(LevelNumber, 2);
  HeadlessClearDraws();
  for (int k = 1; k < BANNER_FRAMES; ++k) {
    Walkers.Clear();
    SavedCount = WalkerCount;
    LevelProgress();
    DrawBanner();
  }
  EXPECT_EQ(LevelNumber, 2) << "not judged under the banner";
  EXPECT_EQ(BannerTimer, 1);
  Walkers.Clear();
  SavedCount = WalkerCount;
  LevelProgress();
  DrawBanner();
  EXPECT_EQ(LevelNumber, 3);
  const std::vector<DrawRecord> banners = DrawsOf(BitsImage);
  ASSERT_EQ(banners.size(), 120u);
  EXPECT_EQ(banners[0].x, 640);
  EXPECT_EQ(banners[0].y, 480);
  EXPECT_EQ(banners[0].cell, BANNER_WON);
}

// Rule: Q+P+F7 held skips a level every 120 frames; the load after the last level ends the game.
TEST_F(GameFlowTest, ChordSkipsToTheEnd) {
  Levels("Soft", {SIMPLE, SIMPLE, SIMPLE});
  StartGameState();
  for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyDown(k);
  std::vector<int> loads;  // frame of each level change
  int frame = 0, level = LevelNumber;
  for (; frame < 1000 && GameFrame() == 0; ++frame)
    if (LevelNumber != level) {
      loads.push_back(frame);
      level = LevelNumber;
    }
  EXPECT_EQ(loads, (std::vector<int>{0, 120}));
  EXPECT_EQ(frame, 240);
  EXPECT_EQ(EndCode, END_GAME);
}

// Rule: a game ends through EndCode 99, from a failed level load or the pause menu's "Quit";
// then "Game Over" (yellow, dark rim, thick white outline) shows over the last picture, 1500 ms
// pass, the pause menu is barred, the name is entered and a record with Quit 1 is filed newest
// first.
TEST_F(GameFlowTest, WholeGames) {
  struct Case {
    const char* what;
    int mode;
    std::function<void(int n)> play;   // keys by game frame
  };
  auto tap = [](int n, int at, int key) {
    if (n == at) HeadlessKeyDown(key);
    if (n == at + 2) HeadlessKeyUp(key);
  };
  const Case cases[] = {
      {"the skip chord on the only level: the next load fails", 0, [=](int n) {
         for (int key : {KEY_Q, KEY_P, KEY_F7}) tap(n, 1, key);
       }},
      {"quit from the pause menu", 1, [=](int n) {
         tap(n, 5, KEY_ESCAPE);
         tap(n, 10, KEY_DOWN);
         tap(n, 15, KEY_ESCAPE);
       }},
  };
  for (const Case& c : cases) {
    fs::remove(root_ / "Plonko_Levels" / "Hard.png");
    fs::remove(root_ / "Plonko_Levels" / "Soft.png");
    Levels(c.mode == 1 ? "Hard" : "Soft", {SIMPLE});
    GameMode = c.mode;
    PlayerName = "";
    ScoreList.Clear();
    Scores old;
    old.Name = "Earlier";
    old.Timestamp = 5;
    ScoreList.Append(old);
    HeadlessClearDraws();

    const int start = HeadlessFrameCount();
    std::map<int, int> clock;  // frame -> Millis at its start
    bool entryOpen = false;
    int pauseStateInEntry = -1;
    int lastFrameMs = Millis();
    HeadlessOnFrame([&](int frame) {
      const int n = frame - start;
      if (n > 5000) throw std::runtime_error("the game did not end");
      clock[frame] = lastFrameMs = Millis();
      if (!TextDraws("Enter Your Name").empty() && !entryOpen) {
        entryOpen = true;
        pauseStateInEntry = PauseState;
        for (int ch : {'J', 'o'}) HeadlessTypeChar(ch);
      }
      if (entryOpen && n % 10 == 0) HeadlessKeyDown(KEY_RETURN);
      if (entryOpen && n % 10 == 2) HeadlessKeyUp(KEY_RETURN);
      if (!entryOpen) c.play(n);
    });
    // While a screen waits showing nothing (for keys to be let go), the player lets go.
    HeadlessOnSleep([&](int now) {
      if (now - lastFrameMs > 60000) throw std::runtime_error("the game waits for ever");
      if (now - lastFrameMs < 50) return;
      HeadlessKeyUp(KEY_ESCAPE);
      HeadlessKeyUp(KEY_RETURN);
    });
    const int64_t before = MakeTimestamp("");
    PlayGame();
    const int64_t after = MakeTimestamp("");
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);

    EXPECT_EQ(EndCode, END_GAME) << c.what;
    const std::vector<DrawRecord> over = TextDraws("Game Over");
    ASSERT_EQ(over.size(), 75u) << c.what;
    const DrawRecord& yellow = over.back();
    EXPECT_EQ(std::make_tuple(yellow.r, yellow.g, yellow.b), std::make_tuple(255, 255, 0));
    EXPECT_EQ(yellow.image, CommonFonts[5]);
    for (size_t k = 0; k < over.size(); ++k) {
      const int white = 49, dark = 25;
      const int reach = k < white ? 3 : 2;
      const int idx = static_cast<int>(k < white ? k : k - white);
      if (k < white + dark) {
        EXPECT_EQ(over[k].x - yellow.x, idx / (2 * reach + 1) - reach) << k;
        EXPECT_EQ(over[k].y - yellow.y, idx % (2 * reach + 1) - reach) << k;
        EXPECT_EQ(over[k].r, k < white ? 255 : 8) << k;
      }
      EXPECT_EQ(over[k].frame, yellow.frame);
    }
    // The picture "Game Over" is drawn over: everything since the last clear before it.
    std::vector<std::string> under;
    for (const DrawRecord& d : HeadlessDraws()) {
      if (d.frame > yellow.frame) break;
      if (d.kind == DrawRecord::CLEAR) under.clear();
      if (d.kind == DrawRecord::TEXT) under.push_back(d.text);
    }
    EXPECT_EQ(std::count(under.begin(), under.end(), "Quit"), 0) << c.what << ": the pause menu is gone first";
    EXPECT_EQ(std::count(under.begin(), under.end(), "Continue"), 0) << c.what;
    const std::vector<DrawRecord> entry = TextDraws("Enter Your Name");
    ASSERT_FALSE(entry.empty());
    // From the Game Over present to the end of the first entry frame: the wait and one frame.
    const int waited = clock[entry[0].frame + 1] - clock[yellow.frame + 1];
    EXPECT_GE(waited, 1500) << c.what;
    EXPECT_LE(waited, 1500 + 20) << c.what;
    EXPECT_EQ(pauseStateInEntry, 0) << c.what;

    ASSERT_EQ(ScoreList.Count(), 2) << c.what;
    const Scores& s = *ScoreList.First();
    EXPECT_EQ(s.Name, "Jo") << c.what;
    EXPECT_EQ(s.Quit, 1);
    EXPECT_EQ(s.GameMode, c.mode);
    EXPECT_EQ(s.Score, 0);
    EXPECT_GE(s.Timestamp, before);
    EXPECT_LE(s.Timestamp, after);
    EXPECT_EQ(ScoreBestLine(s), "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    EXPECT_EQ(ScoreList.Last()->Name, "Earlier") << "newest first";
    PauseState = 1;
  }
}

// Rule: a game starts with no key hit pending: an "r" typed into the last name entry (or an R hit
// on the title) does not restart the first level.
TEST_F(GameFlowTest, NoKeyHitCarriesIntoANewGame) {
  Levels("Soft", {SIMPLE, SIMPLE});
  HeadlessKeyDown(KEY_R);
  HeadlessKeyUp(KEY_R);
  HeadlessTypeChar('r');
  StartGameState();
  LevelProgress();
  EXPECT_EQ(LevelNumber, 1);
  EXPECT_EQ(BannerTimer, 0) << "no restart banner";
  EXPECT_EQ(GetChar(), 0) << "nor a character left over";
}

// Rule: every level load (the next level, a loss, R) clears what the last level left moving:
// spurts, debris, hat pops and its countdown numbers; numbers of another colour finish rising.
TEST_F(GameFlowTest, ALevelLoadClearsWhatTheLastLeftMoving) {
  Levels("Soft", {SIMPLE, SIMPLE, SIMPLE});
  struct Case {
    const char* what;
    bool won;
    std::vector<int> keys;
    int level;  // after
  };
  const Case cases[] = {
      // what            won    keys      level after
      {"won", true, {}, 2},
      {"lost", false, {}, 1},
      {"R", false, {KEY_R}, 1},
  };
  for (const Case& c : cases) {
    StartGameState();
    EmitSplat(100, 100);
    EmitDebris(3, 3, GridX, GridY);
    EmitHatPop(200, 200, 3);
    ShowCountdown(7, 300, 300);
    ShowNumber(100, 400, 400, 255, 255, 0);  // points, say
    ASSERT_FALSE(SpurtList.Empty());
    if (c.keys.empty()) Walkers.Clear();
    if (c.won) SavedCount = WalkerCount;
    for (int k : c.keys) HeadlessKeyDown(k);
    LevelProgress();
    for (int k : c.keys) HeadlessKeyUp(k);
    EXPECT_EQ(LevelNumber, c.level) << c.what;
    EXPECT_EQ(BannerTimer, BANNER_FRAMES) << c.what;
    EXPECT_TRUE(SpurtList.Empty()) << c.what;
    EXPECT_TRUE(BoomList.Empty()) << c.what;
    EXPECT_TRUE(HatPopList.Empty()) << c.what;
    std::vector<int> numbers;
    ScorePopupList.ForEach([&](ScorePopup& p) { numbers.push_back(p.n); });
    // A won level adds its own points; the countdown's 7 is the only number gone.
    EXPECT_EQ(std::count(numbers.begin(), numbers.end(), 7), 0) << c.what;
    EXPECT_EQ(std::count(numbers.begin(), numbers.end(), 100), 1) << c.what << ": the points stay";
    ScorePopupList.Clear();
  }
}

// Rule: while the settings panel shows, the level stands still and is drawn as it stood: walkers,
// their countdown, the banner, particles, floating numbers and the background; it runs on once the
// panel has gone.
TEST_F(GameFlowTest, TheLevelStandsStillUnderTheSettingsPanel) {
  Levels("Soft", {SIMPLE, SIMPLE});
  StartGameState();
  for (int k = 0; k < 3; ++k) GameFrame();  // a walker frame to draw it by
  Walker& waiting = *Walkers.First();
  EmitSplat(100, 100);
  EmitHatPop(200, 200, 3);
  ShowCountdown(7, 300, 300);
  BannerTimer = 50;
  MenuOpen = 1;
  MenuY = 20;
  struct Snapshot {
    int tick, banner, scroll, popup;
    float spurtY, popScale;
    bool operator==(const Snapshot&) const = default;
  };
  auto snap = [&] {
    // A list that emptied reads -1.
    return Snapshot{waiting.tick, BannerTimer, ScrollX, ScorePopupList.Empty() ? -1 : ScorePopupList.First()->t,
                    SpurtList.Empty() ? -1 : SpurtList.First()->y, HatPopList.Empty() ? -1 : HatPopList.First()->s};
  };
  const Snapshot before = snap();
  HeadlessClearDraws();
  for (int k = 0; k < 30; ++k) GameFrame();
  EXPECT_TRUE(snap() == before) << "nothing moved under the open panel";
  EXPECT_EQ(DrawsOf(PlonkoImage).size(), 30u + 30u) << "the walker and the hand, every frame";
  EXPECT_EQ(DrawsOf(BitsImage).size(), 30u) << "the banner still shows";

  MenuOpen = 0;
  for (int k = 0; k < 12; ++k) GameFrame();  // the panel slides away, then the level runs
  EXPECT_EQ(MenuY, -300);
  EXPECT_LT(waiting.tick, before.tick);
  EXPECT_LT(BannerTimer, before.banner);
  EXPECT_NE(ScrollX, before.scroll);
}

// Rule: every hat box's texts stay inside its 240-wide box, in the font sizes of the small (800 x
// 600) and the large displays, on each screen layout.
TEST_F(GameFlowTest, HatBoxTextsFitTheirBox) {
  struct Case {
    int screenW, fontSize;
  };
  const Case cases[] = {
      // logical width  face 2 step 3 (24 x the display's scale)
      {1280, 28},
      {1280, 24},
      {1600, 24},
      {1440, 24},
  };
  const std::string face = std::string(TEST_SOURCE_DIR) + "/assets/Files/Common/Blue Highway.ttf";
  const int slot = (2 - 1) * 10 + 3, old = FontTable[slot];
  for (const Case& c : cases) {
    ScreenW = c.screenW;
    FontTable[slot] = LoadFont(face, c.fontSize, FONT_SMOOTH);
    ASSERT_NE(FontTable[slot], 0);
    for (int i = 1; i <= HAT_COLOURS; ++i) HatStock[i] = 1;
    HeadlessClearDraws();
    HatPanel();
    int texts = 0;
    for (const DrawRecord& d : HeadlessDraws()) {
      if (d.kind != DrawRecord::TEXT) continue;
      ++texts;
      SetFont(d.image);
      const float right = d.x + static_cast<float>(TextWidth(d.text)) * d.sx;
      EXPECT_GE(d.x, static_cast<float>(c.screenW - 260)) << d.text << " at " << c.screenW << ", size " << c.fontSize;
      EXPECT_LE(right, static_cast<float>(c.screenW - 20)) << d.text << " at " << c.screenW << ", size " << c.fontSize;
      EXPECT_FLOAT_EQ(d.sx, d.sy) << d.text;
    }
    EXPECT_EQ(texts, 2 * HAT_COLOURS);
    FreeFont(FontTable[slot]);
  }
  FontTable[slot] = old;
  ScreenW = 1280;
}

}  // namespace
