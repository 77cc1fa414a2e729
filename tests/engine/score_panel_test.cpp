// The score history panel on the headless back end: what it draws for small lists of records,
// which records it keeps, how a game is chosen by hovering and clicking, and that names and
// numbers from a damaged or huge scores.dat stay in their places.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "common/icon_cells.h"
#include "common/timestamp.h"
#include "engine/score_panel.h"
#include "engine/score_panel_layout.h"
#include "engine_fixture.h"
#include "frame/draw.h"

namespace {

constexpr int BASE = 960 - SCORE_BASE_ABOVE_BOTTOM;
constexpr int L = 1280 - 320;  // the panel slid fully in

class ScorePanelTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    SetVirtualResolution(ScreenW, ScreenH);
    IconsFiltered = CreateImage(16, 16, 64, 0);
    BadgeStrip = CreateImage(64, 64, 16, 0);
    BadgeCount = 16;
    Hover(-100, -100);
  }

  // A record of the kind shown (mode, level and flags 0) unless told otherwise. Records are
  // added oldest first; each is newer than the one before.
  Scores& Add(int64_t score, const std::string& name, int mode = 0, int level = 0, int flags = 0) {
    Scores s;
    s.Score = score;
    s.Name = name;
    s.Timestamp = PackTimestamp(2011, 1, 1, 0, 0, 0) + ++added_;
    s.GameMode = mode;
    s.Level = level;
    s.GameFlags = flags;
    Scores* rec = ScoreList.Append(s);
    SortScores();
    return *rec;
  }
  // Matching records from a list of scores given newest first, named "r1" (newest), "r2", ...
  void AddNewestFirst(const std::vector<int64_t>& scores) {
    for (size_t i = scores.size(); i-- > 0;) Add(scores[i], "r" + std::to_string(i + 1));
  }

  // The frame's pointer, in logical units (what EndFrame samples).
  void Hover(int x, int y) {
    FrameMouseX = x;
    FrameMouseY = y;
  }

  // One panel frame; its draws.
  std::vector<DrawRecord> Frame(int slide = 320) {
    HeadlessClearDraws();
    BeginFrame(1);
    ShowResults(slide, 0, 0, 0);
    return Draws();
  }
  static std::vector<DrawRecord> Draws() {
    std::vector<DrawRecord> out;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind != DrawRecord::CLEAR) out.push_back(d);
    return out;
  }
  static std::vector<DrawRecord> Points(const std::vector<DrawRecord>& draws) {
    std::vector<DrawRecord> out;
    for (const DrawRecord& d : draws)
      if (d.kind == DrawRecord::IMAGE && d.image == IconsFiltered) out.push_back(d);
    return out;
  }
  // The names of the best list, top row first.
  static std::vector<std::string> RowNames(const std::vector<DrawRecord>& draws, int l = L) {
    std::vector<std::string> out;
    for (const DrawRecord& d : draws)
      if (d.kind == DrawRecord::TEXT && d.x == l + BEST_ROW_X && d.y >= BASE + BEST_FIRST_ROW_Y) out.push_back(d.text);
    return out;
  }
  static bool HasText(const std::vector<DrawRecord>& draws, const std::string& text) {
    return std::any_of(draws.begin(), draws.end(), [&](const DrawRecord& d) { return d.kind == DrawRecord::TEXT && d.text == text; });
  }
  // The chosen record's details box; the name drawn in it, or "" without a box.
  static std::string DetailsName(const std::vector<DrawRecord>& draws, int l) {
    bool box = false;
    for (const DrawRecord& d : draws) {
      if (d.kind == DrawRecord::RECT && d.x == l + DETAILS_BOX.x && d.y == BASE + DETAILS_BOX.y) box = true;
      if (box && d.kind == DrawRecord::TEXT && d.x == l + DETAILS_NAME.x && d.y == BASE + DETAILS_NAME.y) return d.text;
    }
    return box ? "(box without a name)" : "";
  }
  static std::vector<std::string> Names() {
    std::vector<std::string> out;
    ScoreList.ForEach([&](Scores& s) { out.push_back(s.Name); });
    return out;
  }

  int added_ = 0;
};

TEST_F(ScorePanelTest, WithoutAMatchingRecordOnlyTheBackgroundAndItsLineAreDrawn) {
  // 60 records of each other kind: enough for a prune, had they matched.
  for (int i = 0; i < 60; ++i) {
    Add(i, "hard", 1, 0, 0);
    Add(i, "level", 0, 3, 0);
    Add(i, "flags", 0, 0, 2);
  }
  std::vector<DrawRecord> draws = Frame();
  ASSERT_EQ(draws.size(), 2u);
  const DrawRecord& bg = draws[0];
  EXPECT_EQ(bg.kind, DrawRecord::RECT);
  EXPECT_EQ(bg.x, L + SCORE_BACKGROUND.x);
  EXPECT_EQ(bg.y, BASE + SCORE_BACKGROUND.y);
  EXPECT_EQ(bg.w, SCORE_BACKGROUND.w);
  EXPECT_EQ(bg.h, SCORE_BACKGROUND.h);
  EXPECT_EQ(bg.r + bg.g + bg.b, 0);
  EXPECT_FLOAT_EQ(bg.alpha, 0.6f);
  const DrawRecord& line = draws[1];
  EXPECT_EQ(line.kind, DrawRecord::LINE);
  EXPECT_EQ(line.x, L + SCORE_BACKGROUND.x);
  EXPECT_EQ(line.y, BASE - GRAPH_H);
  EXPECT_EQ(line.w, 1280 + SCORE_BACKGROUND.x) << "to the screen's right edge";
  EXPECT_EQ(line.h, BASE - GRAPH_H);
  EXPECT_EQ(line.b, 80);
  EXPECT_EQ(ScoreList.Count(), 180) << "records of other kinds are never pruned";
}

TEST_F(ScorePanelTest, BestTableHoldsTheTwentyFiveHighestTiesNewestFirstAndListsSixteen) {
  // Scores with many ties, in no order: 30 records, r1 the newest.
  std::vector<int64_t> scores;
  for (int i = 1; i <= 30; ++i) scores.push_back(10 * ((i * 7) % 11));
  AddNewestFirst(scores);
  std::vector<DrawRecord> draws = Frame();

  // Expected: highest first, and among equal scores the newer (smaller i) first.
  std::vector<int> order;
  for (int i = 1; i <= 30; ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return scores[a - 1] > scores[b - 1]; });
  for (int k = 1; k <= TOP_SCORES; ++k) {
    ASSERT_NE(TopScores[k], nullptr) << k;
    EXPECT_EQ(TopScores[k]->Name, "r" + std::to_string(order[k - 1])) << "entry " << k;
  }

  std::vector<std::string> rows = RowNames(draws);
  ASSERT_EQ(rows.size(), 16u) << "16 rows of names are listed";
  for (int k = 1; k <= 16; ++k) EXPECT_EQ(rows[k - 1], "r" + std::to_string(order[k - 1])) << "row " << k;
  EXPECT_TRUE(HasText(draws, "000000000100"));
  // Each row's score ends at the column's right edge, on its name's line.
  for (const DrawRecord& d : draws)
    if (d.kind == DrawRecord::TEXT && d.text == "000000000100") {
      SetFont(0);
      EXPECT_EQ(d.x + TextWidth(d.text), L + SCORE_RIGHT_X);
    }
}

TEST_F(ScorePanelTest, ThePruneKeepsTheFiftyNewestAndTheBestWhileSlidingInOrNot) {
  for (int slide : {10, 320}) {
    SCOPED_TRACE(slide);
    ScoreList.Clear();
    for (int i = 0; i < 40; ++i) Add(0, "other", 1);  // the oldest of all, another kind
    // 80 matching, r1 newest: every fourth record scores over 1000, the rest their own position,
    // and r10 ties r74 for the 25th place, which the newer r10 takes.
    std::vector<int64_t> scores;
    for (int i = 1; i <= 80; ++i) scores.push_back(i % 4 == 0 ? 1000 + i : i);
    scores[10 - 1] = 74;
    AddNewestFirst(scores);
    ResultsSelected = 70;  // chosen by position, then pruned

    std::vector<DrawRecord> draws = Frame(slide);
    std::vector<std::string> expected;
    for (int i = 1; i <= 80; ++i)
      if (i <= 50 || i % 4 == 0 || i == 75 || i == 77 || i == 78 || i == 79) expected.push_back("r" + std::to_string(i));
    for (int i = 0; i < 40; ++i) expected.push_back("other");
    EXPECT_EQ(Names(), expected);

    const int L = 1280 - slide;
    for (const DrawRecord& p : Points(draws)) EXPECT_GT(p.x, L + GRAPH_LEFT) << "a point left of the panel's edge";
    EXPECT_EQ(DetailsName(draws, L), "") << "r70 left the list, so it is not shown";

    Frame(slide);
    EXPECT_EQ(Names(), expected) << "a second frame removes nothing more";
  }
}

TEST_F(ScorePanelTest, SelectionByPositionReachesRecordsOffThePanel) {
  std::vector<int64_t> scores(40, 5);
  AddNewestFirst(scores);
  ResultsSelected = 40;
  std::vector<DrawRecord> draws = Frame(10);  // first slide step: no point lies on the panel yet
  EXPECT_EQ(DetailsName(draws, 1270), "r40");
}

TEST_F(ScorePanelTest, GraphPointsStepLeftFromTheRightEdgeAtTheirScoresHeight) {
  struct Case {
    const char* what;
    std::vector<int64_t> scores;  // newest first
    std::vector<int> t;           // height of each point above the bottom line
  };
  const Case cases[] = {
      // what                 scores                                   heights
      {"every score 0", {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"scaled to the best", {100, 50, 0, 1}, {150, 75, 0, 1}},
      {"huge scores", {LLONG_MAX, LLONG_MAX / 2, LLONG_MIN}, {150, 74, 0}},
      {"below zero", {-10, -20}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScoreList.Clear();
    AddNewestFirst(c.scores);
    std::vector<DrawRecord> points = Points(Frame());
    ASSERT_EQ(points.size(), c.t.size());
    for (size_t n = 0; n < points.size(); ++n) {
      const int t = c.t[n];
      EXPECT_EQ(points[n].x, GraphPointX(L, 0, static_cast<int>(n) + 1)) << n;  // the icon's centre
      EXPECT_EQ(points[n].y, BASE - t) << n;
      EXPECT_EQ(points[n].cell, ICON_GRAPH_POINT);
      EXPECT_EQ(points[n].r, 255 - t);
      EXPECT_EQ(points[n].g, 255);
    }
  }
}

TEST_F(ScorePanelTest, OnlyPointsOnThePanelAreDrawnAndScrollingShowsOlderOnes) {
  AddNewestFirst(std::vector<int64_t>(50, 3));
  const size_t atRest = Points(Frame()).size();
  EXPECT_EQ(atRest, 18u) << "from L + 306 down to the panel's edge at L - 14, 18 apart";
  ResultsScroll = 1000;
  EXPECT_EQ(Points(Frame()).size(), 50u) << "1000 units more reach every record";
}

TEST_F(ScorePanelTest, ScrollZonesStopAtZeroAndAThousand) {
  AddNewestFirst({1, 2, 3});
  auto hover = [this](const Area& a) { Hover(L + a.Middle().x, BASE + a.Middle().y); };
  hover(OLDER_ZONE);
  for (int i = 0; i < 130; ++i) Frame();
  EXPECT_EQ(ResultsScroll, 1000);
  hover(NEWER_ZONE);
  Frame();
  EXPECT_EQ(ResultsScroll, 992);
  for (int i = 0; i < 130; ++i) Frame();
  EXPECT_EQ(ResultsScroll, 0);
  Hover((L + OLDER_ZONE.x + OLDER_ZONE.w + L + NEWER_ZONE.x) / 2, BASE - GRAPH_H / 2);  // between the zones
  Frame();
  EXPECT_EQ(ResultsScroll, 0);
}

TEST_F(ScorePanelTest, HoverChoosesAClickKeepsTheChoiceAfterThePointerLeaves) {
  struct Case {
    const char* what;
    Spot at;       // where the pointer hovers
    int selected;  // ResultsSelected after the click
    const char* name;
  };
  const Case cases[] = {
      // what             pointer                          selected  shown
      {"best row 2", BestRowSpot(L, BASE, 2), 1002, "r2"},
      {"graph point 3", {GraphPointX(L, 0, 3), BASE - 20}, 3, "r3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScoreList.Clear();
    ResultsSelected = 0;
    AddNewestFirst({30, 20, 10});
    Hover(c.at.x, c.at.y);
    EXPECT_EQ(DetailsName(Frame(), L), c.name) << "hovering shows it";
    Hover(500, 500);
    EXPECT_EQ(DetailsName(Frame(), L), "") << "a hover alone is not kept";

    Hover(c.at.x, c.at.y);
    HeadlessMouseDown(1);
    Frame();
    HeadlessMouseUp(1);
    EXPECT_EQ(ResultsSelected, c.selected);
    Hover(500, 500);
    std::vector<DrawRecord> draws = Frame();
    EXPECT_EQ(DetailsName(draws, L), c.name) << "the click keeps it";
  }
}

TEST_F(ScorePanelTest, DetailsShowScoreDateTimeCompleteAndTheSetBadgesOnly) {
  for (int best30 : {0, 1, 2}) {
    SCOPED_TRACE(best30);
    ScoreList.Clear();
    Scores& s = Add(4321, "Ada");
    s.Timestamp = PackTimestamp(2010, 12, 7, 13, 5, 9);
    s.Badges = 1 | 4 | (1 << 15) | (1 << 16);  // badges 1, 3, 16, and a bit past the 16 shown
    s.Best[30] = best30;
    ResultsSelected = 1;
    std::vector<DrawRecord> draws = Frame();
    EXPECT_EQ(DetailsName(draws, L), "Ada");
    EXPECT_TRUE(HasText(draws, "4321"));
    EXPECT_TRUE(HasText(draws, "07-12-2010, 13:05:09"));
    EXPECT_EQ(HasText(draws, "Complete!"), best30 == 1);

    std::vector<int> cells;
    for (const DrawRecord& d : draws)
      if (d.kind == DrawRecord::IMAGE && d.image == BadgeStrip) {
        cells.push_back(d.cell);
        EXPECT_FLOAT_EQ(d.sx, 0.28f);
        EXPECT_NEAR(d.x, L + DETAILS_BADGES.x + BADGE_PITCH * d.cell + 64 * 0.28f / 2, 0.01);
        EXPECT_NEAR(d.y, BASE - 476 + 64 * 0.28f / 2, 0.01);
      }
    EXPECT_EQ(cells, (std::vector<int>{0, 2, 15}));
  }
}

TEST_F(ScorePanelTest, LongNamesAreClippedToTheirColumns) {
  const std::string wide(40, 'W'), endless(20000, 'm');
  Add(999999999999, wide);
  Add(7, endless);
  Add(5, "Ann");
  ResultsSelected = 1002;  // the details of the endless name (the second best)
  std::vector<DrawRecord> draws = Frame();
  SetFont(0);  // the tests' fonts are all the default one
  std::vector<std::string> rows = RowNames(draws);
  ASSERT_EQ(rows.size(), 3u);
  const std::string scores[] = {"999999999999", "000000000007", "000000000005"};
  for (int k = 0; k < 3; ++k) {
    EXPECT_LE(rows[k].size(), 24u);
    EXPECT_LE(TextWidth(rows[k]) + 8 + TextWidth(scores[k]), 320) << "row " << k + 1 << " runs into its score";
  }
  EXPECT_EQ(rows[2], "Ann") << "short names are whole";
  EXPECT_EQ(rows[0], wide.substr(0, rows[0].size()));
  const std::string shown = DetailsName(draws, L);
  EXPECT_FALSE(shown.empty());
  EXPECT_EQ(shown, endless.substr(0, shown.size()));
  EXPECT_LE(TextWidth(shown) + 8 + TextWidth("7"), 320);
}

TEST_F(ScorePanelTest, ThankYouBoxComesWithTheEleventhRow) {
  for (int count : {10, 11}) {
    SCOPED_TRACE(count);
    ScoreList.Clear();
    AddNewestFirst(std::vector<int64_t>(static_cast<size_t>(count), 1));
    std::vector<DrawRecord> draws = Frame();
    const bool box = std::any_of(draws.begin(), draws.end(), [](const DrawRecord& d) {
      return d.kind == DrawRecord::RECT && d.x == 948 && d.y == 0 && d.w == 330 && d.h == 200;
    });
    EXPECT_EQ(box, count > 10);
    for (const char* line : {"You've been enjoying", "Plonko", "Elongo", "Why not thank Corvane", "for making yet another",
                             "free downloadable game!", "plonko.example"})
      EXPECT_EQ(HasText(draws, line), count > 10) << line;
  }
}

TEST(ScoreColumnText, TwelveDigitsOrTheWholeNumber) {
  struct Case {
    int64_t score;
    const char* text;
  };
  const Case cases[] = {
      // score            column text
      {0, "000000000000"},
      {4321, "000000004321"},
      {999999999999, "999999999999"},
      {1000000000000, "1000000000000"},  // too wide: whole rather than cut to its last digits
      {-5, "-5"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScoreColumnText(c.score), c.text) << c.score;
}

}  // namespace
