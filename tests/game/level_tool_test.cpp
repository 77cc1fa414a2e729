// The level tool program: text to image and back, the images the game then loads, the pixel
// report, source errors, and the committed level images against their sources.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/level_colours.h"
#include "game/level_file.h"
#include "game_fixture.h"
#include "png_fixture.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string out;  // stdout and stderr together
};

ToolRun Tool(const std::string& args) {
  ToolRun run;
  const std::string command = std::string(TOOLS_DIR) + "/level_tool " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Spit(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A canonical source: what the tool writes back from an image.
const char* const CANONICAL =
    "level 1\n"
    "hats hard=2 rubber=6 safety=1\n"
    "..............\n"
    "..............\n"
    ".>..2...O.....\n"
    "##############\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "....<.........\n"
    "....##........\n"
    "..............\n"
    "135246O......#\n"
    "\n"
    "level 2\n"
    ">.............\n"
    "#.............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n"
    "..............\n";

class LevelTool : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    dir_ = TestFolder("level_tool");
  }
  fs::path dir_;
};

// Rule: text -> image -> text gives the text back; comments, titles, hat aliases, repeated
// hats lines and hint lines (even ones that hold grid characters) make the same image.
TEST_F(LevelTool, RoundTripTextImageText) {
  Spit(dir_ / "a.txt", CANONICAL);
  ASSERT_EQ(Tool("build " + (dir_ / "a.txt").string() + " " + (dir_ / "a.png").string()).status, 0);
  const ToolRun back = Tool("text " + (dir_ / "a.png").string());
  EXPECT_EQ(back.status, 0);
  EXPECT_EQ(back.out, CANONICAL);

  std::string loose = CANONICAL;
  loose.replace(0, loose.find('\n', loose.find("hats")) + 1,
                "; a comment\n\nLEVEL 1: a title\nhats yellow=1 3=6\n  ; indented comment\nhats white=1 hard=1\n"
                "hint Guide the Plonko\nhint   towards the hole: 1 > O #\n");
  Spit(dir_ / "b.txt", loose);
  ASSERT_EQ(Tool("build " + (dir_ / "b.txt").string() + " " + (dir_ / "b.png").string()).status, 0);
  EXPECT_EQ(Tool("text " + (dir_ / "b.png").string()).out, CANONICAL);
  ASSERT_EQ(Tool("text " + (dir_ / "b.png").string() + " " + (dir_ / "c.txt").string()).status, 0);
  EXPECT_EQ(Slurp(dir_ / "c.txt"), CANONICAL);
  EXPECT_EQ(Tool("check " + (dir_ / "b.png").string()).out, "");
}

// The built image is what the game loads: grid, surfaces, walkers and hat stock.
TEST_F(LevelTool, BuiltImageLoadsInTheGame) {
  fs::create_directories(dir_ / "Files" / "247");
  fs::create_directories(dir_ / "Plonko_Levels");
  Spit(dir_ / "a.txt", CANONICAL);
  ASSERT_EQ(Tool("build " + (dir_ / "a.txt").string() + " " + (dir_ / "Plonko_Levels" / "Soft.png").string()).status, 0);
  const std::string before = CurrentDir();
  ASSERT_TRUE(ChangeDir((dir_ / "Files" / "247").string()));
  ASSERT_EQ(LoadLevel("Soft", 1), LEVEL_OK);
  EXPECT_EQ(WalkerCount, 2);
  EXPECT_EQ(CellAt(0, 3), CELL_SURFACE);
  EXPECT_EQ(CellAt(4, 2), CELL_PICKUP + 2);
  EXPECT_EQ(CellAt(8, 2), CELL_HOLE);
  EXPECT_EQ(CellAt(5, 11), CELL_SURFACE);
  EXPECT_EQ(CellAt(13, 13), CELL_SURFACE);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(CellAt(x, 13), CELL_PICKUP + ("135246"[x] - '0')) << x;
  const int stock[8] = {0, 0, 2, 6, 0, 0, 0, 1};
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(HatStock[c], stock[c]) << c;
  EXPECT_EQ(Walkers.First()->d, 1);
  EXPECT_EQ(Walkers.Last()->d, -1);
  ASSERT_EQ(LoadLevel("Soft", 2), LEVEL_OK);
  EXPECT_EQ(LoadLevel("Soft", 3), LEVEL_FAILED);
  ChangeDir(before);
}

// Rule: check names every pixel the game reads differently from how it looks, with its level,
// cell and image coordinates, and every block the game cannot play; a clean image passes.
TEST_F(LevelTool, CheckReportsPixelsNotReadAsIntended) {
  TestImage img(16, 48);
  const Rgb walker = WalkerColour(1);
  img.Set(0, 0, walker.r, walker.g, walker.b);
  img.Set(0, 16, walker.r, walker.g, walker.b);
  img.Set(3, 20, 200, 150, 50);    // level 2 cell (3,4): ground-ish, but R is not above 200
  img.Set(5, 21, 250, 250, 100);   // level 2 cell (5,5): between yellow and cream: air
  img.Set(14, 0, 200, 40, 40);     // level 1 tally: red-ish with R at 200
  img.Set(6, 14, 255, 255, 255);   // level 1 row 14: never read
  for (int y = 16; y < 23; ++y) img.Set(15, y, 240, 40, 40);  // level 2: 7 red hats
  WritePng((dir_ / "bad.png").string(), img);                 // level 3: no walker

  const ToolRun run = Tool("check " + (dir_ / "bad.png").string());
  EXPECT_EQ(run.status, 1);
  const std::string expected[] = {
      "level 2 x 3 y 4 (pixel 3,20): colour (200,150,50) reads as air but looks like ground",
      "level 2 x 5 y 5 (pixel 5,21): colour (250,250,100) reads as air but looks like a Plonko facing left",
      "level 1 x 14 y 0 (pixel 14,0): tally colour (200,40,40) counts as no hat but looks like a red hat",
      "level 1 x 6 y 14 (pixel 6,14): colour (255,255,255) looks like a Plonko facing right but rows 14-15 are never read",
      "level 2 has 7 tally pixels of a red hat; only 6 count",
      "level 3 has no Plonko: the game ends there",
  };
  for (const std::string& line : expected) EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 6) << run.out;

  TestImage odd(8, 20);
  odd.Set(0, 0, 255, 255, 255);
  WritePng((dir_ / "odd.png").string(), odd);
  const ToolRun oddRun = Tool("check " + (dir_ / "odd.png").string());
  EXPECT_NE(oddRun.out.find("8 pixels wide"), std::string::npos) << oddRun.out;
  EXPECT_NE(oddRun.out.find("rows 16 to 19"), std::string::npos) << oddRun.out;

  Spit(dir_ / "junk.png", "not a picture");
  EXPECT_EQ(Tool("check " + (dir_ / "junk.png").string()).status, 2);
  EXPECT_EQ(Tool("text " + (dir_ / "missing.png").string()).status, 2);
  EXPECT_EQ(Tool("").status, 2);
  EXPECT_EQ(Tool("build only-one-argument").status, 2);
}

// Rule: a source the game could not play as written is refused, naming the line.
TEST_F(LevelTool, SourceErrorsNameTheLine) {
  const std::string rows13 = [] {
    std::string s;
    for (int i = 0; i < 13; ++i) s += "..............\n";
    return s;
  }();
  struct Case {
    const char* what;
    std::string source;
    const char* message;
  } cases[] = {
      {"short row", "level\n>............\n" + rows13, ":2: a grid row has 14 characters, this one 13"},
      {"unknown character", "level\n>......x......\n" + rows13, ":2: unknown grid character 'x' in column 8"},
      {"no walker", "level\n..............\n" + rows13, ":1: level 1 has no Plonko"},
      {"13 rows", "level\n" + rows13, "level 1 has 13 grid rows, not 14"},
      {"15 rows", "level\n>.............\n" + rows13 + "..............\n", ":16: a level has 14 grid rows; this is a 15th"},
      {"7 of a kind", "level\nhats rubber=4 green=3\n>.............\n" + rows13, "7 rubber hats; the game gives at most 6"},
      {"33 hats", "level\nhats 1=6 2=6 3=6 4=6 5=6 6=3\n>.............\n" + rows13, "33 hats; a level holds at most 32"},
      {"bad hat", "level\nhats hat=1\n>.............\n" + rows13, ":2: \"hat=1\" is not <hat>=<count>"},
      {"no level line", ">.............\n", ":1: expected a \"level\" line first"},
      {"hint before a level", "hint Guide the Plonko\nlevel\n>.............\n" + rows13, ":1: expected a \"level\" line first"},
      {"empty", "; nothing\n", "no levels"},
  };
  for (const Case& c : cases) {
    Spit(dir_ / "bad.txt", c.source);
    fs::remove(dir_ / "bad.png");
    const ToolRun run = Tool("build " + (dir_ / "bad.txt").string() + " " + (dir_ / "bad.png").string());
    EXPECT_EQ(run.status, 1) << c.what;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.what << "\n" << run.out;
    EXPECT_FALSE(fs::exists(dir_ / "bad.png")) << c.what;
  }
}

// The committed level images are what their sources build, and pass the check.
TEST_F(LevelTool, CommittedImagesMatchTheirSources) {
  for (const char* name : {"Soft", "Hard"}) {
    const fs::path assets = fs::path(TEST_SOURCE_DIR) / "assets";
    const fs::path built = dir_ / (std::string(name) + ".png");
    const fs::path committed = assets / "Plonko_Levels" / (std::string(name) + ".png");
    ASSERT_EQ(Tool("build " + (assets / "levels" / (std::string(name) + ".txt")).string() + " " + built.string()).status, 0);
    EXPECT_EQ(Tool("text " + committed.string()).out, Tool("text " + built.string()).out) << name;
    EXPECT_EQ(Tool("check " + committed.string()).status, 0) << name;
  }
}

}  // namespace
