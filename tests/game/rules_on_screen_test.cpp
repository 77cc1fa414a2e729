// The rules on screen in a game: the instruction box from the level notes, the "No way out"
// message on a level that only repeats, and the F1 help page, which holds the level still. The
// levels are small sources compiled by the level tool, the game reading their notes beside them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/score_table.h"
#include "frame/help_screen.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/level_file.h"
#include "game/level_notes.h"
#include "game_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int KEY_F1 = 112, KEY_ESCAPE = 27, KEY_R = 82;
const std::string NO_WAY_OUT = "No way out: press R to try again";

// A Plonko on a floor closed by two walls: once it walks, it paces for ever.
const char* const BOXED =
    "..............\n..............\n..............\n..............\n..............\n"
    ".#..>...#.....\n##############\n..............\n..............\n..............\n"
    "..............\n..............\n..............\n..............\n";

const std::string SOFT =
    std::string("level 1: boxed in\nhint Line one\nhint Line two\n") + BOXED +
    "level 2: boxed in, with a Hard Hat to break out\nhats hard=1\n" + BOXED +
    "level 3: no hint\n" + BOXED;
const std::string HARD =
    std::string("level 1: a rather long title that has to be wrapped to fit its box\n") + BOXED +
    "level 2\n" + BOXED;

class RulesOnScreenTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    root_ = TestFolder("rules_on_screen");
    fs::create_directories(root_ / "Files" / "247");
    fs::create_directories(root_ / "Plonko_Levels");
    for (const auto& [name, source] : {std::pair{"Soft", SOFT}, std::pair{"Hard", HARD}}) {
      const fs::path txt = root_ / "Plonko_Levels" / (std::string(name) + ".txt");
      std::ofstream(txt, std::ios::binary) << source;
      const std::string build = std::string(TOOLS_DIR) + "/level_tool build " + txt.string() + " " +
                                (root_ / "Plonko_Levels" / (std::string(name) + ".png")).string();
      ASSERT_EQ(std::system(build.c_str()), 0) << name;
    }
    home_ = CurrentDir();
    ASSERT_TRUE(ChangeDir((root_ / "Files" / "247").string()));
    ASSERT_TRUE(OpenDisplay(1280, 960, 0, 60));
    SetVirtualResolution(1280, 960);
    BitsImage = CreateImage(256, 128, 8, 0);
    Settings[Widescreen] = 0;
    OverlayOn = 0;
    PauseState = 1;
    MessageList.Clear();
    HeadlessMouseMove(5, 5);
  }
  void TearDown() override {
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
    for (int k : {KEY_F1, KEY_ESCAPE, KEY_R}) HeadlessKeyUp(k);
    HeadlessMouseUp(1);
    FlushKeys();
    ChangeDir(home_);
  }

  void Start(int mode, int level) {
    GameMode = mode;
    ASSERT_TRUE(StartGameState());
    if (level != 1) {
      LevelNumber = level;
      ASSERT_EQ(LoadLevel(LevelName, level), 0);
    }
  }
  // Plays frames until the message is added (at most `limit`); returns the frames played, and
  // how often the message was added in them in *told.
  static int PlayUntilTold(int limit, int* told) {
    int frames = 0;
    *told = 0;
    while (frames < limit) {
      GameFrame();
      ++frames;
      bool fresh = false;
      MessageList.ForEach([&](Message& m) { fresh = fresh || (m.txt == NO_WAY_OUT && m.tick == 1); });
      *told += fresh;
      if (fresh) break;
    }
    return frames;
  }
  static std::vector<std::string> BoxTexts() {
    std::vector<std::string> out;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind == DrawRecord::TEXT && d.x >= 1280 - 260 && d.y < 130) out.push_back(d.text);
    return out;
  }

  fs::path root_;
  std::string home_;
};

// Rule: a "Soft" level shows its hint lines and a "Hard" level its title (wrapped to fit), while
// a walker waits; once they all walk the box goes (the first two Soft lessons stay up); a level
// with neither shows no box. Every line fits the box.
TEST_F(RulesOnScreenTest, InstructionBoxFromTheNotes) {
  struct Case {
    int mode, level;
    bool waiting;
    std::vector<std::string> lines;  // {}: no box
  };
  const Case cases[] = {
      // mode level waiting lines
      {0, 1, true, {"Line one", "Line two"}},
      {0, 1, false, {"Line one", "Line two"}},  // Soft 1 is a lesson: it stays up
      {0, 2, true, {}},                         // no hint lines
      {0, 3, true, {}},
      {1, 1, true, {"a rather long title that has to be wrapped to fit its box"}},
      {1, 1, false, {}},
      {1, 2, true, {}},  // no title
  };
  for (const Case& c : cases) {
    Start(c.mode, c.level);
    if (!c.waiting) Walkers.ForEach([](Walker& w) { w.anim = WS_WALK; });
    EXPECT_EQ(InstructionLines(), c.lines) << c.mode << " " << c.level;
    HeadlessClearDraws();
    DrawInstructions();
    std::string shown;
    for (const DrawRecord& d : HeadlessDraws()) {
      if (d.kind != DrawRecord::TEXT) continue;
      shown += (shown.empty() ? "" : " ") + d.text;
      SetFont(d.image);
      EXPECT_LE(TextWidth(d.text), 232) << d.text;
      EXPECT_GE(d.y, 10);
      EXPECT_LE(d.y + static_cast<float>(TextHeight(d.text)), 130.0f) << d.text;
    }
    std::string expected;
    for (const std::string& l : c.lines) expected += (expected.empty() ? "" : " ") + l;
    EXPECT_EQ(shown, expected) << c.mode << " " << c.level;
  }
}

// Rule: on a level whose Plonko only paces, "No way out" is said once per attempt, as a message
// and in the box; after R the new attempt says it again once it loops again. Where a Hard Hat
// in the stock could still break the wall, nothing is said.
TEST_F(RulesOnScreenTest, NoWayOutOncePerAttemptAndNotOnALiveBoard) {
  Start(0, 1);
  int told = 0;
  const int first = PlayUntilTold(4000, &told);
  ASSERT_EQ(told, 1) << "a pacing Plonko is told";
  EXPECT_GT(first, 660) << "not while it waits";
  PlayUntilTold(600, &told);
  EXPECT_EQ(told, 0) << "once per attempt";
  HeadlessClearDraws();
  GameFrame();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"No way out:", "press R to try again"}));

  HeadlessKeyDown(KEY_R);
  GameFrame();
  HeadlessKeyUp(KEY_R);
  EXPECT_FALSE(NoWayOut) << "a new attempt";
  PlayUntilTold(4000, &told);
  EXPECT_EQ(told, 1) << "said again in the new attempt";

  Start(0, 2);
  PlayUntilTold(4000, &told);
  EXPECT_EQ(told, 0) << "a Hard Hat in the stock can still open the wall";
  EXPECT_FALSE(NoWayOut);
}

// Rule: F1 in a level opens the help page; F1, Escape or a click closes it; the level does not
// step while it shows, and what closed it reaches neither the pause menu nor the level.
TEST_F(RulesOnScreenTest, HelpHoldsTheLevel) {
  struct Case {
    const char* what;
    int key;  // 0: a click
  };
  const Case cases[] = {{"F1", KEY_F1}, {"Escape", KEY_ESCAPE}, {"click", 0}};
  for (const Case& c : cases) {
    Start(0, 1);
    GameFrame();
    const int tick = Walkers.First()->tick;
    int pageFrames = 0;
    HeadlessOnFrame([&](int) {
      ++pageFrames;
      if (pageFrames == 1) HeadlessKeyUp(KEY_F1);
      if (pageFrames == 30) {
        if (c.key) HeadlessKeyDown(c.key);
        else HeadlessMouseDown(1);
      }
    });
    HeadlessOnSleep([&](int) {
      if (pageFrames >= 30) {  // a quick tap, let go within the frame
        HeadlessKeyUp(c.key ? c.key : KEY_F1);
        HeadlessMouseUp(1);
      }
    });
    HeadlessClearDraws();
    HeadlessKeyDown(KEY_F1);
    EXPECT_EQ(GameFrame(), 0) << c.what;
    HeadlessOnFrame(nullptr);
    HeadlessOnSleep(nullptr);
    EXPECT_GE(pageFrames, 30) << c.what << ": the page showed until closed";
    EXPECT_LE(pageFrames, 31) << c.what << ": and closed then";
    EXPECT_EQ(Walkers.First()->tick, tick - 1) << c.what << ": one level frame, none under the page";
    EXPECT_EQ(PauseState, 1) << c.what;
    bool page = false;
    for (const DrawRecord& d : HeadlessDraws()) page = page || (d.kind == DrawRecord::TEXT && d.text == "How to play");
    EXPECT_TRUE(page) << c.what;
    GameFrame();
    EXPECT_EQ(Walkers.First()->tick, tick - 2) << c.what << ": the level runs on";
    EXPECT_EQ(Walkers.First()->anim, WS_WAIT) << c.what << ": the click did not start the Plonko";
  }
}

// Rule: the page names the keys and gives the score rule word for word, as the README does.
TEST_F(RulesOnScreenTest, HelpNamesTheKeysAndTheScoreRule) {
  const std::vector<std::string> lines = HelpLines();
  for (const char* key : {"R: ", "Escape: ", "Tab: ", "F11: ", "F12: ", "F1: "}) {
    bool found = false;
    for (const std::string& l : lines) found = found || l.rfind(key, 0) == 0;
    EXPECT_TRUE(found) << key;
  }
  // The README gives the same rule, wherever its lines break.
  std::ifstream readme(std::string(TEST_SOURCE_DIR) + "/README.md");
  std::string word, text;
  while (readme >> word) text += (text.empty() ? "" : " ") + word;
  EXPECT_NE(text.find(lines.back()), std::string::npos);
  EXPECT_EQ(lines.back(),
            "Each Plonko that goes down a hole: 100 points (Hard 200). A won level: 500 + 100 x its number, plus 200 "
            "for each hat left in the panel, plus 1000 when it is won with no more actions (tickles and hats given) "
            "than its par. The skip chord earns nothing.");
}

}  // namespace
