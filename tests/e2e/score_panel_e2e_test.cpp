// The score history panel in the real program under X: a scores.dat of 60 games (varied names,
// scores, dates and badges) in the copied run folder; the title shows the graph and the best list;
// the pointer over a graph point shows that game in the details box; after closing, scores.dat
// holds the records the panel kept, in order, and nothing else.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with the test framework's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "e2e/game_window.h"
#include "e2e/x11_close.h"
#include "engine/score_panel_layout.h"
#include "support/file_lines.h"

namespace fs = std::filesystem;

namespace {

// The 800 x 600 window shows the 1280 x 960 logical screen at 5/8.
int Win(int logical) { return logical * 5 / 8; }
// The panel slid fully in on the 1280 x 960 logical screen: its reference edge and bottom line.
constexpr int L = 1280 - 320, BASE = 960 - SCORE_BASE_ABOVE_BOTTOM;



int64_t Pack(int year, int month, int day, int h, int m, int s) {
  return ((int64_t{year} * 12 + month) * 31 + day) * 86400 + h * 3600 + m * 60 + s;
}

// One game of the fixture, as its two file lines, and whether the panel keeps it.
struct Game {
  std::string record, best;
  bool kept = true;
};

// 60 games, newest first. Every fifteenth is a "Hard" game, which the title's panel never
// touches; of the 56 others the 50 newest stay, and of the 6 older ones only the two with scores
// among the 25 best (the rest score below every newer game).
std::vector<Game> Fixture() {
  const char* const names[] = {"Bartholomew Quickfingers the Third", "Al", "Zed", "Mona", "Quincy", "Ida Lou",
                               "Wilhelmina", "Ox", "Player", "Nell"};
  std::vector<Game> games;
  int soft = 0;
  for (int i = 1; i <= 60; ++i) {
    const bool hard = i % 15 == 0;
    int64_t score = 1000 + (int64_t{i} * 7919) % 90000;
    Game g;
    if (!hard && ++soft > 50) {
      const bool best = soft == 51 || soft == 54;
      score = best ? 99999 - soft : soft - 50;
      g.kept = best;
    }
    const int64_t stamp = Pack(2024, 6, 28, 21, 0, 0) - int64_t{i} * 2 * 86400 - int64_t{i} * 3671;
    const int badges = static_cast<int>((uint32_t(i) * 2654435761u) >> 16);
    g.record = std::to_string(score) + "|" + names[(i - 1) % 10] + (i > 10 ? " " + std::to_string(i) : "") + "|" +
               std::to_string(badges) + "|" + std::to_string(stamp) + "|0|" + (hard ? "1" : "0") + "|0|" + (i % 4 == 0 ? "1" : "0");
    for (int k = 1; k <= 30; ++k) g.best += (k > 1 ? "|" : "") + std::to_string(k == 30 ? static_cast<int>(i % 3 == 0) : (i + k) % 5);
    games.push_back(g);
  }
  return games;
}

class ScorePanelE2eTest : public GameWindowTest {
 protected:
  fs::path Scores() const { return root_ / "Files" / "247" / "scores.dat"; }
  // A picture for a person to look at, kept beside the run and copied to E2E_SHOT_DIR when set.
  void Shot(Window w, const std::string& name) {
    const fs::path path = root_ / (name + ".png");
    Shell("import -window " + std::to_string(w) + " " + path.string());
    if (const char* dir = std::getenv("E2E_SHOT_DIR"))
      fs::copy_file(path, fs::path(dir) / (name + ".png"), fs::copy_options::overwrite_existing);
  }
  void Move(Window w, int x, int y) {
    Shell("xdotool mousemove --window " + std::to_string(w) + " " + std::to_string(x) + " " + std::to_string(y));
  }

};

// Pixels in a window rectangle for which the test holds.
int Count(const std::vector<uint32_t>& px, int x0, int y0, int x1, int y1, const std::function<bool(int, int, int)>& test) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint32_t c = px[static_cast<size_t>(y * 800 + x)];
      n += test(static_cast<int>(c >> 16 & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c & 0xFF));
    }
  return n;
}

// The right-most column of the chosen game's name (olive ink on the light details box), -1 when none.
int NameInkRight(const std::vector<uint32_t>& px) {
  for (int x = 799; x >= Win(L + DETAILS_BOX.x); --x)
    if (Count(px, x, Win(BASE + DETAILS_NAME.y), x + 1, Win(BASE + DETAILS_NAME.y + 17), [](int r, int g, int b) { return r - b > 25 && std::abs(r - g) < 20; }) > 0)
      return x;
  return -1;
}

// The details box's light area around the badges' row, in the title's otherwise dark corner.
bool DetailsBox(const std::vector<uint32_t>& px) {
  return Count(px, Win(L), Win(BASE + DETAILS_BADGES.y + 6), Win(L + 300), Win(BASE + DETAILS_DATE.y - 10), [](int r, int g, int b) { return r > 120 && g > 120 && b > 120; }) >
         1500;
}

TEST_F(ScorePanelE2eTest, SixtyGamesGraphBestListHoverDetailsAndTheKeptRecordsSaved) {
  const std::vector<Game> games = Fixture();
  {
    std::ofstream out(Scores(), std::ios::binary);
    for (const Game& g : games) out << g.record << "\r\n" << g.best << "\r\n";
  }
  Launch();
  ASSERT_TRUE(WaitFor([&] {
    for (const std::string& l : FileLines(root_ / "Files" / "Debug.txt"))
      if (l == "Finished Loading") return true;
    return false;
  }, 60)) << "start-up did not finish";
  const Window w = WaitWindow(800, 600, 10);
  ASSERT_NE(w, 0u);
  Move(w, 300, 100);  // away from the panel
  Sleep(5000);        // the start-up screen's hold and the title's slide, on a slow renderer
  // The fixture's games won up to level 30, so the title opens at start level 30; these are full
  // runs (start level 1), where Left takes it.
  Focus(w);
  ASSERT_EQ(std::system("xdotool key --delay 40 --repeat 30 Left"), 0);
  Sleep(1000);

  std::vector<uint32_t> px = Grab(w, true);
  ASSERT_EQ(px.size(), 800u * 600u);
  Shot(w, "panel_60");
  // The graph: yellow-green points and orange-red lines over the panel's bottom 150 units.
  const int graphLeft = Win(L + SCORE_BACKGROUND.x), graphTop = Win(BASE - GRAPH_H);
  EXPECT_GT(Count(px, graphLeft, graphTop, 800, Win(BASE), [](int r, int g, int b) { return g > 180 && r > 100 && b < 140; }), 40)
      << "graph points";
  EXPECT_GT(Count(px, graphLeft, graphTop, 800, Win(BASE), [](int r, int g, int b) { return r > 200 && g < 200 && b < 130; }), 40)
      << "graph lines";
  // The best list: white names and scores in sixteen rows above the graph.
  const int rowsTop = BASE + BEST_FIRST_ROW_Y;
  EXPECT_GT(Count(px, Win(L + BEST_ROW_X), Win(rowsTop), Win(L + BEST_ROW_X + COLUMN_W), Win(rowsTop + BEST_ROW_PITCH * 16),
                  [](int r, int g, int b) { return r > 190 && g > 190 && b > 190; }),
            800)
      << "best list";
  // More than ten rows: the thank-you box's yellow and orange lines at the top.
  EXPECT_GT(Count(px, Win(L + THANKS_BOX.x), Win(THANKS_BOX.y), 800, Win(THANKS_BOX.y + 140), [](int r, int g, int b) { return r > 120 && g > 50 && r > b + 70; }), 200)
      << "thank-you box";
  EXPECT_FALSE(DetailsBox(px)) << "no game chosen yet";

  // The pointer over the newest game's point, then over the next one.
  Move(w, Win(GraphPointX(L, 0, 1)), Win(BASE - 40));
  Sleep(800);
  px = Grab(w, true);
  Shot(w, "panel_hover_newest");
  EXPECT_TRUE(DetailsBox(px)) << "hovering a point shows its game";
  const int longName = NameInkRight(px);
  Move(w, Win(GraphPointX(L, 0, 2)), Win(BASE - 40));
  Sleep(800);
  px = Grab(w, true);
  Shot(w, "panel_hover_second");
  EXPECT_TRUE(DetailsBox(px));
  const int shortName = NameInkRight(px);
  // "Bartholomew Quickfingers the Third" runs to the box's edge; "Al" is two letters.
  EXPECT_GT(longName, Win(L + 190)) << "the newest game's long name";
  EXPECT_GT(shortName, Win(L + DETAILS_BOX.x));
  EXPECT_LT(shortName, Win(L + DETAILS_NAME.x + 56)) << "the second game's name, Al";

  SendCloseRequest(dpy_, w);
  const Window thanks = WaitWindow(640, 480, 15);
  ASSERT_NE(thanks, 0u) << "no thank-you screen";
  Sleep(1200);
  SendCloseRequest(dpy_, thanks);
  EXPECT_EQ(WaitExit(10), 0);

  std::vector<std::string> expected;
  for (const Game& g : games)
    if (g.kept) {
      expected.push_back(g.record);
      expected.push_back(g.best);
    }
  EXPECT_EQ(expected.size(), 2u * (60 - 4));
  EXPECT_EQ(FileLines(Scores()), expected);
}

}  // namespace
