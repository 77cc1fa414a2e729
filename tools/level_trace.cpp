// Level trace: the level designer's aid. Plays one level through the real game loop (PlayGame on
// the headless back end, levels read from the committed images, frames counted as the replay
// test counts them) and prints every change of a walker's state, the hat stock and the verdict.
//
//   level_trace try <Soft|Hard> <level> "<plan>"              play a plan, print the trace
//   level_trace record <Soft|Hard> <level> "<plan>" "<note>"  the same, then write the level's
//                                                             solution file when the plan wins
//   level_trace check <Soft|Hard> <level>                     replay the solution file: with it,
//                                                             without input, and with one hat fewer
//   level_trace sheet <out.png>                               review sheet of every level
//
// A plan is a comma-separated list of "<frame> t <walker>" (tickle) and "<frame> h <hat> <walker>"
// (drag hat 1..7 from the panel onto the walker); walkers are numbered in the level's order from
// 0. Each action is turned into pointer moves, presses and releases aimed at where the walker is
// when the action starts. Run from the repository root.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
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
#include "game/walker.h"
#include "input/input.h"
#include "media/headless.h"
#include "media/media.h"
#include "media/png_io.h"

namespace {

namespace fs = std::filesystem;

constexpr int KEY_P = 80, KEY_Q = 81, KEY_F7 = 118;
constexpr int LEVEL_FRAMES = 10800;  // three minutes
constexpr int PANEL_X = 1228;        // centre of the first icon of a hat row, 1280-wide layout

struct Action {
  int frame = 0;
  bool hat = false;
  int colour = 0;
  int walker = 0;
};

enum class Outcome { WON, LOST, TIMED_OUT };
struct Ended {
  Outcome outcome;
  int frame;
};

fs::path LevelsSource;  // absolute assets/levels
fs::path Root;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<Action> ParsePlan(const std::string& text) {
  std::vector<Action> out;
  std::stringstream all(text);
  std::string item;
  while (std::getline(all, item, ',')) {
    std::stringstream in(item);
    Action a;
    std::string kind;
    if (!(in >> a.frame >> kind)) continue;
    a.hat = kind == "h";
    if (a.hat) in >> a.colour;
    in >> a.walker;
    out.push_back(a);
  }
  return out;
}

void SetUpGame() {
  MediaInit(MEDIA_HEADLESS);
  char pattern[] = "/tmp/level_trace_XXXXXX";
  Root = mkdtemp(pattern);
  fs::create_directories(Root / "Files" / "247");
  fs::copy(fs::path("assets") / "Plonko_Levels", Root / "Plonko_Levels");
  ChangeDir((Root / "Files" / "247").string());
  ResetEngineState();
  SetDefaultSettings();
  SetDefaultBindings();
  ResetFrameState();
  OpenDisplay(1280, 960, 0, 60);
  SetVirtualResolution(1280, 960);
  ScreenW = 1280;
  ScreenH = 960;
  OverlayOn = 0;
  for (int& d : DrawLimit) d = 50000;
  HeadlessMouseMove(0, 0);
  PauseState = 1;
}

struct Run {
  Ended ended{Outcome::TIMED_OUT, -1};
  std::vector<SolutionEvent> events;  // what was played, by level frame
  std::vector<std::string> trace;
};

std::string Describe(const Walker& w) {
  static const char* const STATES[] = {"wait", "walk", "step-off", "fall", "land", "SPLAT", "bounce",
                                       "hop", "teeter", "bang", "exit", "?", "done"};
  char buf[96];
  std::snprintf(buf, sizeof buf, "(%d,%d) %s %s hat %d", w.x, w.y, STATES[w.anim], w.d > 0 ? ">" : "<", w.hat);
  return buf;
}

// Plays the level: the plan's actions (turned into pointer events) or the given events, with
// `lessHat` (1..7) taken once out of the stock at the start when non-zero.
Run Play(const std::string& mode, int level, const std::vector<Action>* plan, const std::vector<SolutionEvent>* given,
         int lessHat) {
  Run run;
  GameMode = mode == "Hard" ? 1 : 0;
  const int gameStart = HeadlessFrameCount();
  int levelStart = level == 1 ? gameStart : -1;
  std::vector<SolutionEvent> queue;
  if (given) queue = *given;
  size_t next = 0, nextAction = 0;
  std::vector<Walker*> order;
  std::vector<Walker> last;
  std::vector<bool> gone;
  int stock[8] = {};
  HeadlessOnFrame([&](int frame) {
    if (levelStart < 0) {
      if (LevelNumber < level) {
        for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyDown(k);
        return;
      }
      levelStart = frame;
      for (int k : {KEY_Q, KEY_P, KEY_F7}) HeadlessKeyUp(k);
    }
    const int at = frame - levelStart;
    if (LevelNumber > level) throw Ended{Outcome::WON, at};
    if (at > 1 && BannerFrame == BANNER_RETRY && BannerTimer == BANNER_FRAMES) throw Ended{Outcome::LOST, at};
    if (at > LEVEL_FRAMES) throw Ended{Outcome::TIMED_OUT, at};
    if (order.empty()) {
      if (lessHat) --HatStock[lessHat];
      Walkers.ForEach([&](Walker& w) { order.push_back(&w); });
      last.resize(order.size());
      gone.assign(order.size(), false);
      for (size_t i = 0; i < order.size(); ++i) last[i] = *order[i];
      for (int i = 1; i <= 7; ++i) stock[i] = HatStock[i];
    }
    // Trace: every change of state, cell or hat.
    for (size_t i = 0; i < order.size(); ++i) {
      if (gone[i]) continue;
      bool live = false;
      Walkers.ForEach([&](Walker& w) { live = live || &w == order[i]; });
      if (!live) {
        gone[i] = true;
        run.trace.push_back(std::to_string(at) + " w" + std::to_string(i) + " gone after " + Describe(last[i]));
        continue;
      }
      const Walker& w = *order[i];
      if (w.anim != last[i].anim || w.x != last[i].x || w.y != last[i].y || w.hat != last[i].hat || w.d != last[i].d)
        run.trace.push_back(std::to_string(at) + " w" + std::to_string(i) + " " + Describe(w));
      last[i] = w;
    }
    for (int i = 1; i <= 7; ++i)
      if (HatStock[i] != stock[i]) {
        run.trace.push_back(std::to_string(at) + " stock hat " + std::to_string(i) + " = " + std::to_string(HatStock[i]));
        stock[i] = HatStock[i];
      }
    // Turn the plan's due action into events, aimed at the walker as it stands now.
    if (plan && nextAction < plan->size() && (*plan)[nextAction].frame <= at && next >= queue.size()) {
      const Action& a = (*plan)[nextAction++];
      Walker* w = a.walker < static_cast<int>(order.size()) && !gone[static_cast<size_t>(a.walker)]
                      ? order[static_cast<size_t>(a.walker)]
                      : nullptr;
      if (!w) {
        run.trace.push_back(std::to_string(at) + " action on a missing walker");
      } else {
        int sx = 0, sy = 0;
        WalkerCorner(*w, sx, sy);
        const int lead = w->anim == 1 ? w->d : 0;  // pixels a walking walker moves a frame
        if (a.hat) {
          queue.push_back({SolutionEvent::MOVE, at, PANEL_X, a.colour * 100 + 66});
          queue.push_back({SolutionEvent::PRESS, at + 2});
          queue.push_back({SolutionEvent::MOVE, at + 4, sx + 32 + lead * 5, sy + 32});
          queue.push_back({SolutionEvent::RELEASE, at + 7});
        } else {
          queue.push_back({SolutionEvent::MOVE, at, sx + 32 + lead * 3, sy + 32});
          queue.push_back({SolutionEvent::PRESS, at + 2});
          queue.push_back({SolutionEvent::RELEASE, at + 4});
        }
      }
    }
    for (; next < queue.size() && queue[next].frame <= at; ++next) {
      const SolutionEvent& e = queue[next];
      if (e.kind == SolutionEvent::MOVE) HeadlessMouseMove(e.x, e.y);
      if (e.kind == SolutionEvent::PRESS) HeadlessMouseDown(1);
      if (e.kind == SolutionEvent::RELEASE) HeadlessMouseUp(1);
      run.events.push_back(e);
    }
  });
  try {
    PlayGame();
  } catch (const Ended& e) {
    run.ended = e;
  }
  HeadlessOnFrame(nullptr);
  HeadlessMouseUp(1);
  return run;
}

const char* Name(Outcome o) {
  static const char* const NAMES[] = {"WON", "LOST", "NOT FINISHED"};
  return NAMES[static_cast<int>(o)];
}

fs::path SolutionPath(const std::string& mode, int level) {
  return LevelsSource / (Lower(mode) + "_" + std::to_string(level) + ".solution");
}

bool WriteSolution(const fs::path& path, const std::string& mode, int level, const std::string& note,
                   const std::vector<SolutionEvent>& events) {
  std::ofstream out(path);
  std::string line = "; " + mode + " level " + std::to_string(level) + ": ";
  std::stringstream words(note);
  std::string word;
  bool first = true;
  while (words >> word) {
    if (!first && line.size() + 1 + word.size() > 100) {
      out << line << "\n";
      line = ";";
    }
    line += (first ? "" : " ") + word;
    first = false;
  }
  out << line << "\n";
  for (const SolutionEvent& e : events) {
    out << e.frame;
    if (e.kind == SolutionEvent::MOVE) out << " move " << e.x << " " << e.y << "\n";
    if (e.kind == SolutionEvent::PRESS) out << " press\n";
    if (e.kind == SolutionEvent::RELEASE) out << " release\n";
  }
  return static_cast<bool>(out);
}

struct Figures {
  bool won = false, idleWon = false, spare = false;
  int actions = 0, frames = 0;
};

// The solution file's figures: its presses, the frame it wins at, whether no input wins and
// whether it still wins with one hat fewer of some colour.
Figures CheckSolution(const std::string& mode, int level, bool verbose) {
  Figures f;
  Solution s;
  std::string error;
  if (!ReadSolution(SolutionPath(mode, level).string(), s, error)) {
    if (verbose) std::printf("%s\n", error.c_str());
    return f;
  }
  for (const SolutionEvent& e : s.events) f.actions += e.kind == SolutionEvent::PRESS;
  const Run won = Play(mode, level, nullptr, &s.events, 0);
  f.won = won.ended.outcome == Outcome::WON;
  f.frames = won.ended.frame;
  const Run idle = Play(mode, level, nullptr, nullptr, 0);
  f.idleWon = idle.ended.outcome == Outcome::WON;
  LoadLevel(mode, level);
  int stock[8];
  for (int i = 1; i <= 7; ++i) stock[i] = HatStock[i];
  for (int i = 1; i <= 7; ++i) {
    if (stock[i] == 0) continue;
    const Run less = Play(mode, level, nullptr, &s.events, i);
    if (less.ended.outcome == Outcome::WON) {
      f.spare = true;
      if (verbose) std::printf("still won with one hat %d fewer\n", i);
    }
  }
  if (verbose)
    std::printf("%s %d: solution %s at frame %d, %d actions; no input: %s (frame %d)\n", mode.c_str(), level,
                Name(won.ended.outcome), won.ended.frame, f.actions, Name(idle.ended.outcome), idle.ended.frame);
  return f;
}

// Review sheet: one thumbnail per level with its number, hat stock and solution figures, drawn
// with a 3 x 5 digit font.
constexpr int CELL = 6, THUMB = 14 * CELL, PAD = 8, COLS = 10, TILE_W = THUMB + 2 * PAD, TILE_H = THUMB + 44;
const char* const DIGITS[10] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111",
                                "101101111001001", "111100111001111", "111100111101111", "111001001001001",
                                "111101111101111", "111101111001111"};
struct Sheet {
  int w, h;
  std::vector<uint32_t> px;
  void Rect(int x, int y, int rw, int rh, uint32_t c) {
    for (int j = y; j < y + rh; ++j)
      for (int i = x; i < x + rw; ++i)
        if (i >= 0 && j >= 0 && i < w && j < h) px[static_cast<size_t>(j * w + i)] = c;
  }
  void Number(int x, int y, int n, uint32_t c, int scale = 2) {
    const std::string s = std::to_string(n);
    for (size_t k = 0; k < s.size(); ++k)
      for (int r = 0; r < 5; ++r)
        for (int q = 0; q < 3; ++q)
          if (DIGITS[s[k] - '0'][r * 3 + q] == '1')
            Rect(x + static_cast<int>(k) * 4 * scale + q * scale, y + r * scale, scale, scale, c);
  }
};

const uint32_t HAT_RGB[8] = {0, 0xFF3232, 0xFFFF32, 0x32FF32, 0x32FFFF, 0x3232FF, 0xFF32FF, 0xFFFFFF};

int MakeSheet(const std::string& out) {
  Sheet sh{COLS * TILE_W, 6 * TILE_H, {}};
  sh.px.assign(static_cast<size_t>(sh.w * sh.h), 0x202020);
  for (int m = 0; m < 2; ++m) {
    const std::string mode = m ? "Hard" : "Soft";
    for (int level = 1; level <= 30; ++level) {
      if (LoadLevel(mode, level) != LEVEL_OK) break;
      int stock[8];
      for (int i = 1; i <= 7; ++i) stock[i] = HatStock[i];
      int grid[14][14];
      for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) grid[y][x] = Grid[static_cast<size_t>(y * 15 + x)];
      std::vector<Walker> ws;
      Walkers.ForEach([&](Walker& w) { ws.push_back(w); });
      const Figures f = CheckSolution(mode, level, false);
      const int ox = ((level - 1) % COLS) * TILE_W + PAD, oy = (m * 3 + (level - 1) / COLS) * TILE_H + 4;
      const uint32_t bar = m ? 0xC04040 : 0x40A040;
      sh.Rect(ox - 2, oy - 2, THUMB + 4, THUMB + 4, bar);
      for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
          const int v = grid[y][x];
          uint32_t c = 0x9CC8F0;
          if (v == 1 || v == 2) c = 0x8A5A2A;
          if (v == 3) c = 0x4CA03C;
          if (v == 4) c = 0x101010;
          sh.Rect(ox + x * CELL, oy + y * CELL, CELL, CELL, c);
          if (v > 10) sh.Rect(ox + x * CELL + 1, oy + y * CELL + 2, CELL - 2, CELL - 2, HAT_RGB[v - 10]);
        }
      for (const Walker& w : ws) {
        sh.Rect(ox + w.x * CELL + 1, oy + w.y * CELL, CELL - 2, CELL, 0xFFFFFF);
        sh.Rect(ox + w.x * CELL + (w.d > 0 ? CELL - 2 : 0), oy + w.y * CELL + 1, 2, 2, 0xFF0000);
      }
      const int ty = oy + THUMB + 4;
      sh.Number(ox, ty, level, 0xFFFFFF);
      int hx = ox + 24;
      for (int i = 1; i <= 7; ++i)
        for (int k = 0; k < stock[i]; ++k, hx += 7) sh.Rect(hx, ty + 1, 5, 8, HAT_RGB[i]);
      const uint32_t ok = f.won && !f.idleWon && !f.spare ? 0xFFFFFF : 0xFF4040;
      sh.Number(ox, ty + 14, f.actions, ok);
      sh.Number(ox + 30, ty + 14, f.frames, ok);
      std::printf("%s %2d: %d actions, %5d frames%s%s%s\n", mode.c_str(), level, f.actions, f.frames,
                  f.won ? "" : " NOT WON", f.idleWon ? " WON WITHOUT INPUT" : "", f.spare ? " SPARE HAT" : "");
    }
  }
  for (uint32_t& p : sh.px) p |= 0xFF000000u;  // the sheet's colours are opaque
  return WritePngArgb(out, sh.px.data(), sh.w, sh.h, 6) ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: level_trace try|record <Soft|Hard> <level> \"<plan>\" [\"<note>\"]\n"
               "       level_trace check <Soft|Hard> <level>\n"
               "       level_trace sheet <out.png>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string cmd = argv[1];
  // Paths are made absolute first: the game set-up moves into a scratch asset folder.
  LevelsSource = fs::absolute("assets/levels");
  const fs::path sheetPath = cmd == "sheet" ? fs::absolute(argv[2]) : fs::path();
  SetUpGame();
  int rc = 0;
  if (cmd == "sheet") {
    rc = MakeSheet(sheetPath.string());
  } else if ((cmd == "try" || cmd == "record") && argc >= 5) {
    const std::string mode = argv[2];
    const int level = std::atoi(argv[3]);
    const std::vector<Action> plan = ParsePlan(argv[4]);
    const Run run = Play(mode, level, &plan, nullptr, 0);
    for (const std::string& line : run.trace) std::printf("%s\n", line.c_str());
    std::printf("%s at level frame %d\n", Name(run.ended.outcome), run.ended.frame);
    if (cmd == "record") {
      if (run.ended.outcome != Outcome::WON) return 1;
      WriteSolution(SolutionPath(mode, level), mode, level, argc > 5 ? argv[5] : "", run.events);
    }
  } else if (cmd == "check" && argc >= 4) {
    const Figures f = CheckSolution(argv[2], std::atoi(argv[3]), true);
    rc = f.won && !f.idleWon ? 0 : 1;
  } else {
    rc = Usage();
  }
  std::error_code ec;
  fs::remove_all(Root, ec);
  return rc;
}
