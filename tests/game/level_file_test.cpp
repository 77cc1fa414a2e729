// Level images: the colour rules, surface tiles, the hat tally, which blocks exist, file names
// and the current folder.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "game/level_colours.h"
#include "game/level_file.h"
#include "game_fixture.h"
#include "png_fixture.h"

namespace {

namespace fs = std::filesystem;

uint32_t Argb(int r, int g, int b) { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// The grid rules, in order, each later match overriding an earlier one; all bounds are strict.
TEST(LevelColours, GridRulesInOrder) {
  struct Case {
    int r, g, b;
    int cell, walker;
  } cases[] = {
      //  R    G    B     cell                walker
      {220, 140, 60, CELL_GROUND, 0},       // orange ground
      {201, 101, 99, CELL_GROUND, 0},
      {200, 150, 50, CELL_AIR, 0},          // R not above 200
      {220, 100, 50, CELL_AIR, 0},          // G not above 100
      {220, 150, 100, CELL_AIR, 0},         // B not below 100
      {250, 250, 50, CELL_PICKUP + 2, 0},   // yellow: ground first, then a pickup
      {250, 200, 50, CELL_GROUND, 0},       // G exactly 200 stays ground
      {255, 255, 255, CELL_AIR, 1},         // white: walker facing right
      {250, 250, 150, CELL_AIR, -1},        // cream: facing left
      {250, 250, 100, CELL_AIR, 0},         // between cream and yellow
      {250, 250, 200, CELL_AIR, 0},         // between cream and white
      {250, 20, 20, CELL_PICKUP + 1, 0},
      {20, 250, 20, CELL_PICKUP + 3, 0},
      {20, 250, 250, CELL_PICKUP + 4, 0},
      {20, 20, 250, CELL_PICKUP + 5, 0},
      {250, 20, 250, CELL_PICKUP + 6, 0},
      {150, 250, 250, CELL_HOLE, 0},        // pale blue
      {100, 250, 250, CELL_AIR, 0},         // neither cyan nor pale blue
      {0, 0, 0, CELL_AIR, 0},
      {128, 128, 128, CELL_AIR, 0},
  };
  for (const Case& c : cases) {
    const GridPixel px = ClassifyGridPixel(Argb(c.r, c.g, c.b));
    EXPECT_EQ(px.cell, c.cell) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(px.walker, c.walker) << c.r << "," << c.g << "," << c.b;
  }
  EXPECT_EQ(ClassifyGridPixel(0x00FFFFFF).walker, 1) << "alpha is ignored";
}

TEST(LevelColours, TallyRulesAt200) {
  struct Case {
    int r, g, b;
    int colour;
  } cases[] = {
      {250, 50, 50, HAT_RED},       {250, 250, 150, HAT_HARD},   {50, 250, 50, HAT_RUBBER},
      {50, 250, 250, HAT_CYAN},     {50, 50, 250, HAT_BLUE},     {250, 50, 250, HAT_MAGENTA},
      {250, 250, 250, HAT_SAFETY},  {199, 199, 199, 0},          {200, 250, 250, 0},
      {250, 200, 50, 0},            {201, 199, 0, HAT_RED},
  };
  for (const Case& c : cases) EXPECT_EQ(TallyColour(Argb(c.r, c.g, c.b)), c.colour) << c.r << "," << c.g << "," << c.b;
}

// The canonical colours the level tool paints with read back as what they stand for.
TEST(LevelColours, CanonicalColoursReadAsIntended) {
  auto argb = [](Rgb c) { return Argb(c.r, c.g, c.b); };
  EXPECT_EQ(ClassifyGridPixel(argb(GroundColour())), (GridPixel{CELL_GROUND, 0}));
  EXPECT_EQ(ClassifyGridPixel(argb(WalkerColour(1))), (GridPixel{CELL_AIR, 1}));
  EXPECT_EQ(ClassifyGridPixel(argb(WalkerColour(-1))), (GridPixel{CELL_AIR, -1}));
  EXPECT_EQ(ClassifyGridPixel(argb(HoleColour())), (GridPixel{CELL_HOLE, 0}));
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(ClassifyGridPixel(argb(HatPixelColour(i))), (GridPixel{CELL_PICKUP + i, 0}));
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(TallyColour(argb(HatPixelColour(i))), i);
}

// A run folder in a temporary place: the game runs in Files/247, the levels sit in
// Plonko_Levels beside Files.
class LevelFile : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    root_ = TestFolder("levels");
    game_ = root_ / "Files" / "247";
    fs::create_directories(game_);
    fs::create_directories(root_ / "Plonko_Levels");
    before_ = CurrentDir();
    ASSERT_TRUE(ChangeDir(game_.string()));
    home_ = CurrentDir();
  }
  void TearDown() override { ChangeDir(before_); }

  // Paints a level block: '#' ground, '>' '<' walkers, 'O' hole, '1'..'6' pickups; anything
  // else stays black. Rows may be shorter than 16; columns 14 and 15 are the tally.
  static void Paint(TestImage& img, int level, std::initializer_list<const char*> rows) {
    PaintRows(img, level, std::vector<const char*>(rows));
  }
  static void PaintRows(TestImage& img, int level, const std::vector<const char*>& rows) {
    int y = (level - 1) * 16;
    for (const char* row : rows) {
      for (int x = 0; row[x] && x < 16; ++x) {
        Rgb c{0, 0, 0};
        const char ch = row[x];
        if (ch == '#') c = GroundColour();
        if (ch == '>') c = WalkerColour(1);
        if (ch == '<') c = WalkerColour(-1);
        if (ch == 'O') c = HoleColour();
        if (ch >= '1' && ch <= '7') c = HatPixelColour(ch - '0');
        if (ch != ' ' && ch != '.') img.Set(x, y, c.r, c.g, c.b);
      }
      ++y;
    }
  }
  std::string Levels(const std::string& file) const { return (root_ / "Plonko_Levels" / file).string(); }

  fs::path root_, game_;
  std::string before_, home_;
};

// Rule: ground is a surface tile (3) in the top row and under anything that is not solid, and
// plain ground (1) under ground. Walkers are appended in row-major order, facing by colour,
// each waiting 660 frames; the cells they start on are air.
TEST_F(LevelFile, DecodesGridSurfacesAndWalkers) {
  TestImage img(16, 16);
  Paint(img, 1, {
                    "#.>.2.O.......",
                    "#.#.#.#.<.....",
                    "#.....>.#.....",
                });
  WritePng(Levels("Soft.png"), img);
  ASSERT_EQ(LoadLevel("Soft", 1), LEVEL_OK);
  struct Case {
    int x, y, kind;
  } cases[] = {
      {0, 0, CELL_SURFACE}, {0, 1, CELL_GROUND},  {0, 2, CELL_GROUND},  // a column of ground
      {2, 1, CELL_SURFACE},                                            // under a walker
      {4, 1, CELL_SURFACE},                                            // under a pickup
      {6, 1, CELL_SURFACE},                                            // under a hole
      {4, 0, CELL_PICKUP + 2},  {6, 0, CELL_HOLE},  {2, 0, CELL_AIR},
      {8, 2, CELL_SURFACE},                                            // under a walker
      {13, 13, CELL_AIR},
  };
  for (const Case& c : cases) EXPECT_EQ(CellAt(c.x, c.y), c.kind) << c.x << "," << c.y;
  EXPECT_EQ(WalkerCount, 3);
  ASSERT_EQ(Walkers.Count(), 3);
  struct Expected {
    int x, y, d;
  } expected[] = {{2, 0, 1}, {8, 1, -1}, {6, 2, 1}};
  int i = 0;
  Walkers.ForEach([&](Walker& w) {
    EXPECT_EQ(w.x, expected[i].x);
    EXPECT_EQ(w.y, expected[i].y);
    EXPECT_EQ(w.d, expected[i].d);
    EXPECT_EQ(w.tick, 660);
    EXPECT_EQ(w.anim, WS_WAIT);
    EXPECT_EQ(w.ox + w.oy + w.stp + w.hat + w.fell, 0);
    ++i;
  });
  EXPECT_EQ(CurrentDir(), home_);
}

// Rule: every recognised pixel in columns 14-15 of all 16 rows adds a hat, at most 6 of a
// colour; rows 14-15 of the grid columns are not read.
TEST_F(LevelFile, TallyCountsHatsUpToSix) {
  TestImage img(16, 16);
  Paint(img, 1, {">"});
  for (int y = 0; y < 8; ++y) img.Set(14, y, 250, 40, 40);   // 8 red
  img.Set(15, 0, 250, 250, 150);                             // yellow only
  img.Set(15, 15, 250, 250, 150);                            // the block's last row counts
  img.Set(15, 1, 250, 250, 250);                             // white only
  img.Set(15, 2, 200, 250, 50);                              // a channel at 200: none
  img.Set(3, 14, 255, 255, 255);                             // below the grid: ignored
  WritePng(Levels("Soft.png"), img);
  ASSERT_EQ(LoadLevel("Soft", 1), LEVEL_OK);
  const int expected[8] = {0, 6, 2, 0, 0, 0, 0, 1};
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(HatStock[c], expected[c]) << c;
  EXPECT_EQ(WalkerCount, 1);
}

// Every walker of a level is played: a block with more walkers than a level holds is refused
// whole (and the grid left as it was), never loaded with some of its walkers missing.
TEST_F(LevelFile, AllItsWalkersOrNone) {
  struct Case {
    int walkers;
    int result;
  } cases[] = {{RULES_MAX_WALKERS, LEVEL_OK}, {RULES_MAX_WALKERS + 1, LEVEL_FAILED}, {GRID_SIZE * GRID_SIZE, LEVEL_FAILED}};
  for (const Case& c : cases) {
    TestImage img(16, 32);
    Paint(img, 1, {"##", ">"});
    std::vector<std::string> rows(GRID_SIZE, std::string(GRID_SIZE, '.'));
    for (int k = 0; k < c.walkers; ++k) rows[static_cast<size_t>(k / GRID_SIZE)][static_cast<size_t>(k % GRID_SIZE)] = '>';
    std::vector<const char*> lines;
    for (const std::string& r : rows) lines.push_back(r.c_str());
    PaintRows(img, 2, lines);
    WritePng(Levels("Soft.png"), img);
    ASSERT_EQ(LoadLevel("Soft", 1), LEVEL_OK);
    EXPECT_EQ(LoadLevel("Soft", 2), c.result) << c.walkers;
    EXPECT_EQ(WalkerCount, c.result == LEVEL_OK ? c.walkers : 0) << c.walkers;
    EXPECT_EQ(Walkers.Count(), WalkerCount) << c.walkers;
    if (c.result != LEVEL_OK) {
      EXPECT_EQ(CellAt(0, 0), CELL_SURFACE) << "the grid as it was";
    }
  }
}

// Rule: an image 16 x n tall holds levels 1..n; level n + 1 (or 0, or one far beyond) fails.
// A block without a walker pixel is decoded but fails too. Each load starts from nothing.
TEST_F(LevelFile, BlocksThatExistAndBlocksWithoutWalkers) {
  TestImage img(16, 48);
  Paint(img, 1, {">..##"});
  Paint(img, 2, {"..#..", ".<.>."});
  Paint(img, 3, {"#######"});  // no walker
  for (int y = 32; y < 36; ++y) img.Set(14, y, 40, 240, 40);
  WritePng(Levels("Soft.png"), img);
  struct Case {
    int level;
    int result, walkers;
  } cases[] = {
      {1, LEVEL_OK, 1}, {2, LEVEL_OK, 2}, {3, LEVEL_FAILED, 0}, {4, LEVEL_FAILED, 0},
      {0, LEVEL_FAILED, 0}, {-1, LEVEL_FAILED, 0}, {INT_MAX, LEVEL_FAILED, 0}, {INT_MIN, LEVEL_FAILED, 0},
  };
  for (const Case& c : cases) {
    HatStock[3] = 9;
    SavedCount = 5;
    BoomList.Append(Boom{});
    EXPECT_EQ(LoadLevel("Soft", c.level), c.result) << c.level;
    EXPECT_EQ(WalkerCount, c.walkers) << c.level;
    EXPECT_EQ(Walkers.Count(), c.walkers) << c.level;
    EXPECT_EQ(SavedCount, 0);
    EXPECT_TRUE(BoomList.Empty());
    EXPECT_EQ(HatStock[3], c.level == 3 ? 4 : 0) << c.level;
    EXPECT_EQ(CurrentDir(), home_);
  }
  // Level 3 was decoded although it failed; a failed read leaves the grid as it was.
  ASSERT_EQ(LoadLevel("Soft", 3), LEVEL_FAILED);
  EXPECT_EQ(CellAt(0, 0), CELL_SURFACE);
  EXPECT_EQ(CellAt(6, 0), CELL_SURFACE);
  EXPECT_EQ(CellAt(6, 1), CELL_AIR);
  ASSERT_EQ(LoadLevel("Soft", 4), LEVEL_FAILED);
  EXPECT_EQ(CellAt(6, 0), CELL_SURFACE);
}

// Rule: ".png" is added unless the name already ends in it, in any case.
TEST_F(LevelFile, NamesWithAndWithoutPng) {
  TestImage img(16, 16);
  Paint(img, 1, {">"});
  WritePng(Levels("Soft.png"), img);
  WritePng(Levels("Odd.PNG"), img);
  WritePng(Levels("Old.bmp.png"), img);
  struct Case {
    const char* name;
    int result;
  } cases[] = {
      {"Soft", LEVEL_OK},      {"Soft.png", LEVEL_OK},     {"Odd.PNG", LEVEL_OK},  {"Old.bmp", LEVEL_OK},
      {"Soft.png.png", LEVEL_FAILED}, {"Hard", LEVEL_FAILED}, {"", LEVEL_FAILED},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadLevel(c.name, 1), c.result) << c.name;
    EXPECT_EQ(CurrentDir(), home_) << c.name;
  }
}

// Rule: the current folder is the same after every load, whatever went wrong; a missing, damaged
// or absurdly large image is refused like a missing one.
TEST_F(LevelFile, FolderRestoredAndBadImagesRefused) {
  WriteFile(Levels("Broken.png"), Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H'});
  WriteFile(Levels("Text.png"), Bytes{'h', 'e', 'l', 'l', 'o'});
  // A valid header claiming 100000 x 100000 pixels with no data behind it.
  WriteFile(Levels("Huge.png"), EncodePng(TestImage(1, 1), 100000, 100000));
  fs::create_directories(root_ / "Plonko_Levels" / "Folder.png");
  for (const char* name : {"Broken", "Text", "Huge", "Folder", "Missing"}) {
    EXPECT_EQ(LoadLevel(name, 1), LEVEL_FAILED) << name;
    EXPECT_EQ(CurrentDir(), home_) << name;
  }

  // No level folder at all: nothing is read from the folder two levels up either.
  TestImage img(16, 16);
  Paint(img, 1, {">"});
  WritePng((root_ / "Soft.png").string(), img);
  fs::remove_all(root_ / "Plonko_Levels");
  EXPECT_EQ(LoadLevel("Soft", 1), LEVEL_FAILED);
  EXPECT_EQ(CurrentDir(), home_);
}

// A level image narrower than 16 pixels reads its missing columns as air and no tally.
TEST_F(LevelFile, NarrowImageReadsMissingColumnsAsNothing) {
  TestImage img(3, 16);
  img.Set(0, 0, 255, 255, 255);
  img.Set(1, 0, 220, 140, 60);
  WritePng(Levels("Soft.png"), img);
  ASSERT_EQ(LoadLevel("Soft", 1), LEVEL_OK);
  EXPECT_EQ(CellAt(1, 0), CELL_SURFACE);
  EXPECT_EQ(CellAt(5, 0), CELL_AIR);
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(HatStock[c], 0);
}

}  // namespace
