// The score history panel, drawn once per title frame in this order: the best table (built, not
// drawn), the background, the graph (which also marks and removes the records the prune drops),
// the scroll zones, the best list, the thank-you box and the chosen record's details.
#include "engine/score_panel.h"

#include <algorithm>
#include <iterator>

#include "common/icon_cells.h"
#include "common/score_table.h"
#include "common/timestamp.h"
#include "engine/engine_state.h"
#include "engine/score_panel_layout.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "media/media.h"

namespace {

constexpr int SCROLL_MAX = 1000;
constexpr int SCROLL_STEP = 8;
constexpr int BEST_ROW_BASE = 1000;  // ResultsSelected of best row k is 1000 + k
constexpr int NAME_CHARS = 24;
constexpr int COLUMN_GAP = 8;        // between a clipped name and its score
constexpr float BADGE_SCALE = 0.28f;
constexpr int THANKS_ROWS = 10;      // more rows than this bring up the thank-you box
const char* const MAKER_ADDRESS = "plonko.example";

// One call's view: where the panel is, what it selects and what this frame found.
struct Panel {
  int slide = 0, mode = 0, level = 0, flags = 0;
  int L = 0;            // the panel's reference edge: ScreenW - slide
  int base = 0;         // the graph's bottom line: ScreenH - 10
  int count = 0;        // matching records
  int64_t max = 0;      // highest Score of them, at least 1
  Scores* chosen = nullptr;
  int rows = 0;         // best rows listed
};

bool Matches(const Scores& s, const Panel& p) {
  return s.GameMode == p.mode && s.Level == p.level && s.GameFlags == p.flags;
}

bool InTopScores(const Scores* s) {
  for (int k = 1; k <= TOP_SCORES && TopScores[k]; ++k)
    if (TopScores[k] == s) return true;
  return false;
}

// 0 to GRAPH_H. In 128 bits, since a damaged file may hold scores that overflow Score x 150;
// a score below zero sits on the bottom line rather than under the panel.
int GraphHeight(int64_t score, int64_t max) {
  const __int128 t = static_cast<__int128>(score) * GRAPH_H / max;
  return static_cast<int>(std::clamp<__int128>(t, 0, GRAPH_H));
}

// The 25 best of the matching records, highest first; the table stays filled from 1 without gaps,
// so a record goes after every entry that is not lower than it and ties keep the newer first.
void BuildTopScores(Panel& p) {
  std::fill(std::begin(TopScores), std::end(TopScores), nullptr);
  int filled = 0;
  ScoreList.ForEach([&](Scores& s) {
    if (!Matches(s, p)) return;
    ++p.count;
    p.max = std::max(p.max, s.Score);
    if (filled == TOP_SCORES && TopScores[TOP_SCORES]->Score >= s.Score) return;
    int at = 1;
    while (at <= filled && TopScores[at]->Score >= s.Score) ++at;
    for (int i = std::min(filled, TOP_SCORES - 1); i >= at; --i) TopScores[i + 1] = TopScores[i];
    TopScores[at] = &s;
    filled = std::min(filled + 1, TOP_SCORES);
  });
  if (p.max == 0) p.max = 1;
}

void DrawPanelBackground(const Panel& p) {
  SetDrawScale(1);
  ResetDrawState();
  SetDrawColour(0, 0, 0, 0.6f);
  const Area& b = SCORE_BACKGROUND;
  DrawRect(static_cast<float>(p.L + b.x), static_cast<float>(p.base + b.y), static_cast<float>(b.w), static_cast<float>(b.h));
  SetDrawColour(0, 0, 80, 1);
  DrawLine(static_cast<float>(p.L + b.x), static_cast<float>(p.base - GRAPH_H), static_cast<float>(ScreenW + b.x),
           static_cast<float>(p.base - GRAPH_H));
}

// One point per matching record, newest at the right, while the points lie on the panel. The
// choice by position and the prune run for every matching record, drawn or not.
void DrawGraph(Panel& p) {
  const float top = static_cast<float>(p.base - GRAPH_H);
  int x = GraphPointX(p.L, ResultsScroll, 1);
  bool havePrev = false;
  int px = 0, py = 0;
  int n = 0, pruned = 0;
  ScoreList.ForEach([&](Scores& s) {
    if (!Matches(s, p)) return;
    ++n;
    // Positions of 1000 and up are best rows' codes, never a graph position.
    if (n == ResultsSelected && n < BEST_ROW_BASE && !p.chosen) p.chosen = &s;
    const bool goes = n > KEEP_RECENT && !InTopScores(&s);
    if (x > p.L + GRAPH_LEFT) {
      const int t = GraphHeight(s.Score, p.max);
      const int y = p.base - t;
      SetDrawColour(static_cast<float>(255 - t), 255, 80, 1);
      DrawSprite(IconsFiltered, x - 8, y - 8, ICON_GRAPH_POINT);
      SetDrawColour(255, static_cast<float>(80 + t), 80, 1);
      if (havePrev) DrawLine(static_cast<float>(x), static_cast<float>(y), static_cast<float>(px), static_cast<float>(py));
      SetDrawColour(0, 0, 0, 0.3f);
      DrawLine(static_cast<float>(x - POINT_HALF_W), top, static_cast<float>(x - POINT_HALF_W), static_cast<float>(p.base - 1));
      havePrev = true;
      px = x;
      py = y;
      if (MouseIn(x - POINT_HALF_W, p.base - GRAPH_H, 2 * POINT_HALF_W + 1, GRAPH_H)) {
        p.chosen = &s;
        if (ScreenMouseDown(1)) ResultsSelected = n;
      }
      if (p.chosen == &s) {
        SetDrawColour(255, 255, 255, 0.3f);
        DrawRect(static_cast<float>(x - POINT_HALF_W), top, 2 * POINT_HALF_W + 1, GRAPH_H);
      }
      x -= POINT_STEP;
    }
    if (goes) {
      ++pruned;
      // A record that leaves the list cannot be shown in the details box.
      if (p.chosen == &s) p.chosen = nullptr;
      return;
    }
    if (p.chosen == &s && ScreenMouseDown(1)) ResultsSelected = n;
  });
  if (pruned == 0) return;
  // The same rule again, in one pass over the list: removing one record at a time searches the
  // list for each, which a file of thousands of games would feel.
  int m = 0;
  ScoreList.RemoveIf([&](const Scores& s) {
    if (!Matches(s, p)) return false;
    return ++m > KEEP_RECENT && !InTopScores(&s);
  });
}

// Hovering at the panel's left edge shows older games; at its right edge, newer ones again.
void ScrollZones(const Panel& p) {
  auto over = [&](const Area& a) { return MouseIn(p.L + a.x, p.base + a.y, a.w, a.h); };
  if (over(OLDER_ZONE) && ResultsScroll < SCROLL_MAX) ResultsScroll += SCROLL_STEP;
  if (over(NEWER_ZONE) && ResultsScroll > 0) ResultsScroll -= SCROLL_STEP;
  ResultsScroll = std::clamp(ResultsScroll, 0, SCROLL_MAX);
}

void DrawBestList(Panel& p) {
  SetFont(CommonFonts[3]);
  for (int k = 1; k <= ROWS_SHOWN && TopScores[k]; ++k) {
    Scores* s = TopScores[k];
    ++p.rows;
    const int x = p.L + BEST_ROW_X, y = p.base + BEST_FIRST_ROW_Y + BEST_ROW_PITCH * (k - 1);
    if (ResultsSelected == BEST_ROW_BASE + k && !p.chosen) p.chosen = s;
    SetDrawColour(255, 255, 255, 1);
    if (MouseIn(x, y, COLUMN_W, BEST_ROW_HIT_H)) {
      p.chosen = s;
      if (ScreenMouseDown(1)) ResultsSelected = BEST_ROW_BASE + k;
    }
    const std::string score = ScoreColumnText(s->Score);
    DrawTextAt(x, y, ClipText(s->Name, NAME_CHARS, COLUMN_W - TextWidth(score) - COLUMN_GAP), 0, 0);
    DrawTextAt(p.L + SCORE_RIGHT_X, y, score, 2, 0);
    if (p.chosen == s) {
      SetDrawColour(255, 255, 255, 0.3f);
      DrawRect(static_cast<float>(x), static_cast<float>(y), COLUMN_W, BEST_ROW_PITCH);
    }
  }
}

void DrawThanks(const Panel& p) {
  if (p.rows <= THANKS_ROWS) return;
  const int phase = ((Millis() % 10000) + 10000) % 10000;
  if (phase > 5000) SetDrawColour(0, 0, 110, 0.7f);
  else SetDrawColour(0, 0, 80, 0.6f);
  DrawRect(static_cast<float>(p.L + THANKS_BOX.x), static_cast<float>(THANKS_BOX.y), static_cast<float>(THANKS_BOX.w),
           static_cast<float>(THANKS_BOX.h));
  SetFont(CommonFonts[1]);
  const int cx = ScreenW - (p.slide + 2) / 2 - 10;
  struct Line {
    int y, r, g, b;
    const char* text;
  };
  static const Line LINES[] = {
      // y   colour          text
      {20, 255, 255, 0, "You've been enjoying"},
      {38, 255, 255, 0, "Plonko"},
      {56, 255, 255, 0, "Elongo"},
      {90, 255, 128, 0, "Why not thank Corvane"},
      {108, 255, 128, 0, "for making yet another"},
      {126, 255, 128, 0, "free downloadable game!"},
      {165, 0, 128, 255, MAKER_ADDRESS},
  };
  for (const Line& line : LINES) {
    SetDrawColour(static_cast<float>(line.r), static_cast<float>(line.g), static_cast<float>(line.b));
    DrawTextAt(cx, line.y, line.text, 1, 1);
  }
}

void DrawDetails(const Panel& p) {
  const Scores* s = p.chosen;
  if (!s) return;
  SetDrawColour(255, 255, 255, 0.6f);
  const Area& box = DETAILS_BOX;
  DrawRect(static_cast<float>(p.L + box.x), static_cast<float>(p.base + box.y), static_cast<float>(box.w), static_cast<float>(box.h));
  SetFont(CommonFonts[1]);
  const std::string score = IntText(s->Score);
  // The name's line overlaps the score's, so a long name stops short of it.
  const int nameWidth = COLUMN_W - TextWidth(score) - COLUMN_GAP;
  SetDrawColour(80, 80, 0);
  DrawTextAt(p.L + DETAILS_NAME.x, p.base + DETAILS_NAME.y, ClipText(s->Name, static_cast<int>(s->Name.size()), nameWidth), 0, 0);
  SetDrawColour(0, 0, 80);
  DrawTextAt(p.L + DETAILS_SCORE.x, p.base + DETAILS_SCORE.y, score, 2, 0);
  if (s->Best[30] == 1) {
    SetFont(CommonFonts[4]);
    SetDrawColour(0, 80, 0);
    DrawTextAt(p.L + DETAILS_COMPLETE.x, p.base + DETAILS_COMPLETE.y, "Complete!", 0, 1);
  }
  SetDrawColour(0, 0, 0);
  SetFont(CommonFonts[3]);
  DrawTextAt(p.L + DETAILS_DATE.x, p.base + DETAILS_DATE.y, DateText(s->Timestamp) + ", " + TimeText(s->Timestamp), 0, 2);
  SetDrawScale(BADGE_SCALE);
  SetDrawColour(255, 255, 255);
  for (int n = 1; n <= BadgeCount; ++n)
    if (BitSet(s->Badges, n) == 1)
      DrawSprite(BadgeStrip, p.L + DETAILS_BADGES.x + BADGE_PITCH * (n - 1), p.base + DETAILS_BADGES.y, n - 1);
  SetDrawScale(1);
}

}  // namespace

std::string ScoreColumnText(int64_t score) {
  const std::string digits = IntText(score);
  if (score < 0 || digits.size() > 12) return digits;
  return std::string(12 - digits.size(), '0') + digits;
}

std::string ClipText(const std::string& text, int maxChars, int maxWidth) {
  // A binary search over the length (widths only grow with it): a name of thousands of
  // characters costs a few measurements, not one per character.
  size_t fits = 0, over = std::min(text.size(), static_cast<size_t>(std::max(maxChars, 0))) + 1;
  while (over - fits > 1) {
    const size_t mid = (fits + over) / 2;
    if (TextWidth(text.substr(0, mid)) <= maxWidth) fits = mid;
    else over = mid;
  }
  return text.substr(0, fits);
}

void ShowResults(int slide, int mode, int level, int flags) {
  Panel p;
  p.slide = slide;
  p.mode = mode;
  p.level = level;
  p.flags = flags;
  p.L = ScreenW - slide;
  p.base = ScreenH - SCORE_BASE_ABOVE_BOTTOM;

  BuildTopScores(p);
  DrawPanelBackground(p);
  DrawGraph(p);
  ScrollZones(p);
  DrawBestList(p);
  DrawThanks(p);
  DrawDetails(p);
}
