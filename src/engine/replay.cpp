#include "engine/replay.h"

#include <cstdio>

#include "common/folders.h"
#include "common/score_table.h"
#include "frame/engine_hooks.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_state.h"
#include "media/media.h"
#include "media/posted_pointer.h"

namespace {

constexpr int SHOW_BANNER_FRAMES = 60;  // the end's banner stays a second before the line

// The level replayed and the frame it has come to, for a window closed in the middle of it.
int ReplayLevel = 0;
int ReplayFrames = 0;

[[noreturn]] void Finish(const char* outcome, int frames, int code) {
  const std::string line = ReplayLine(LevelName, ReplayLevel, outcome, Score, Badges, frames);
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
  EndProcess(code);
}

// The window closed (or Alt+F4): the replay ends there, with no closing screens.
void ReplayClosed() { Finish("unfinished", ReplayFrames, REPLAY_NOT_WON); }

// How the level ended in this frame, or nullptr while it goes on. A win is marked in the level
// results (the skip chord marks nothing and moves on); a loss or R reloads the same level.
const char* JudgeReplayFrame() {
  if (LevelBest[ReplayLevel] == 1) return "won";
  if (LevelNumber != ReplayLevel) return "unfinished";
  if (BannerFrame == BANNER_RETRY && BannerTimer == BANNER_FRAMES) return "lost";
  return nullptr;
}

void Feed(const SolutionEvent& e, int& x, int& y) {
  if (e.kind == SolutionEvent::MOVE) {
    int sx = e.x, sy = e.y;
    ScriptToScreen(sx, sy, ScreenW, GridX, GridY);
    x = sx * RealWidth() / ScreenW;
    y = sy * RealHeight() / ScreenH;
    PostPointerMotion(x, y);
  }
  if (e.kind == SolutionEvent::PRESS) PostPointerButton(1, true, x, y);
  if (e.kind == SolutionEvent::RELEASE) PostPointerButton(1, false, x, y);
  if (e.kind == SolutionEvent::KEY) PostGameKey(e.key, e.down);
}

}  // namespace

bool ReadReplay(const std::string& path, Solution& out) {
  std::string error = "--replay needs a solution file (such as soft_1.solution)";
  if (!path.empty() && ReadSolution(path, out, error)) return true;
  std::fprintf(stderr, "plonko-elongo: cannot replay: %s\n", error.c_str());
  return false;
}

void RunReplay(const Solution& s) {
  CloseHook = ReplayClosed;
  GameMode = s.levelName == "Hard" ? 1 : 0;
  Level = s.level - 1;
  PauseState = 1;
  // The level results hold levels 1 to 30.
  if (s.level < 1 || s.level > LEVEL_RESULTS || !StartGameState()) {
    std::fprintf(stderr, "plonko-elongo: cannot replay: no level %d in Plonko_Levels/%s.png\n", s.level,
                 s.levelName.c_str());
    EndProcess(REPLAY_BAD_FILE);
  }
  ReplayLevel = LevelNumber;
  // The pointer starts in the corner, away from the walkers, whatever the window system says.
  PostPointerMotion(0, 0);

  size_t next = 0;
  int x = 0, y = 0, endedAt = -1;
  const char* outcome = "unfinished";
  for (int frame = 0; frame < REPLAY_MAX_FRAMES; ++frame) {
    ReplayFrames = frame;
    DrawGameFrame();
    if (endedAt < 0) {
      if (const char* judged = JudgeReplayFrame()) {
        outcome = judged;
        endedAt = frame;
      }
    }
    // Events of the next frame: the window takes them in at this frame's present.
    for (; next < s.events.size() && s.events[next].frame <= frame + 1; ++next) Feed(s.events[next], x, y);
    // The pause menu's Quit (or a next level that failed to load) ends it where it is.
    if (EndGameFrame() != 0 && endedAt < 0) Finish("unfinished", frame, REPLAY_NOT_WON);
    if (endedAt >= 0 && (frame >= endedAt + SHOW_BANNER_FRAMES || EndCode != 0)) break;
  }
  const bool won = outcome == std::string("won");
  Finish(outcome, endedAt >= 0 ? endedAt : REPLAY_MAX_FRAMES, won ? REPLAY_WON : REPLAY_NOT_WON);
}
