// replay: plays one level's recorded solution in a real window, so it can be watched, and saves
// chosen frames as PNG for review.
//
//   replay <run folder> <solution file> [<out folder> [<frame> ...]]
//
// The run folder is the assembled game (the program beside Files/ and Plonko_Levels/). The
// engine starts as the game does (Setup.ini, display, assets), then a game of the solution's
// difficulty begins at its level and the solution's pointer events are fed in as window events,
// each in its frame. Frame-skip is switched off so that every frame is drawn. Frames named on
// the command line (level frames, 0 = the first) are saved as <out folder>/<name>_<frame>.png;
// with an out folder but no frames, the level's first frame, a frame every 5 s and the won
// banner are saved. Runs until the won banner has shown for a second.
//
// Exit status: 0 the level was won, 1 it was not won in three minutes (10800 frames), 2 bad usage or solution.
#include <cstdio>
#include <set>
#include <string>

#include "common/score_table.h"
#include "common/settings.h"
#include "engine/engine_state.h"
#include "engine/startup.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/level_file.h"
#include "game/solution_file.h"
#include "media/media.h"
#include "media/sdl_test_input.h"

namespace {

constexpr int MAX_FRAMES = 10800;  // three minutes, the longest a solution may take
constexpr int SHOW_BANNER_FRAMES = 60;
constexpr int AUTO_EVERY = 300;

// Logical position to real window pixels, as the display scales it.
int RealX(int x) { return x * RealWidth() / ScreenW; }
int RealY(int y) { return y * RealHeight() / ScreenH; }

void Feed(const SolutionEvent& e, int& x, int& y) {
  if (e.kind == SolutionEvent::MOVE) {
    x = RealX(e.x);
    y = RealY(e.y);
    PushTestMouseMotion(x, y);
  }
  if (e.kind == SolutionEvent::PRESS) PushTestMouseButton(1, true, x, y);
  if (e.kind == SolutionEvent::RELEASE) PushTestMouseButton(1, false, x, y);
}

void Save(const std::string& folder, const std::string& name, int frame) {
  const int shot = GrabPixmap(0, 0, RealWidth(), RealHeight());
  const std::string path = folder + "/" + name + "_" + std::to_string(frame) + ".png";
  if (!SavePixmapPNG(shot, path, 6)) std::fprintf(stderr, "replay: cannot write %s\n", path.c_str());
  FreePixmap(shot);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: replay <run folder> <solution file> [<out folder> [<frame> ...]]\n");
    return 2;
  }
  const std::string solutionPath = argv[2];
  const std::string out = argc > 3 ? argv[3] : "";
  std::set<int> chosen;
  for (int i = 4; i < argc; ++i) chosen.insert(std::atoi(argv[i]));
  const bool automatic = !out.empty() && chosen.empty();

  MediaInit(MEDIA_REAL);
  Solution s;
  std::string error;
  // Read before start-up: it changes the current folder.
  if (!ReadSolution(solutionPath, s, error)) {
    std::fprintf(stderr, "replay: %s\n", error.c_str());
    return 2;
  }
  std::string name = solutionPath.substr(solutionPath.find_last_of('/') + 1);
  name = name.substr(0, name.find('.'));
  if (!ChangeDir(argv[1])) {
    std::fprintf(stderr, "replay: no run folder %s\n", argv[1]);
    return 2;
  }
  StartUp();
  Settings[ESS] = 0;

  GameMode = s.levelName == "Hard" ? 1 : 0;
  PauseState = 1;
  StartGameState();
  if (s.level > 1) {
    LevelNumber = s.level;
    LoadLevel(LevelName, LevelNumber);
  }
  // The pointer starts in the corner, away from the walkers, whatever the window system says.
  PushTestMouseMotion(0, 0);

  size_t next = 0;
  int x = 0, y = 0, wonAt = -1;
  for (int frame = 0; frame < MAX_FRAMES; ++frame) {
    DrawGameFrame();
    if (wonAt < 0 && LevelNumber > s.level) {
      wonAt = frame;
      std::printf("%s: won at level frame %d\n", name.c_str(), frame);
    }
    const bool autoShot = automatic && (frame % AUTO_EVERY == 0 || (wonAt >= 0 && frame == wonAt + 30));
    if (!out.empty() && (chosen.count(frame) || autoShot)) Save(out, name, frame);
    // Events of the next frame: the window events are taken in at this frame's present.
    for (; next < s.events.size() && s.events[next].frame <= frame + 1; ++next) Feed(s.events[next], x, y);
    EndGameFrame();
    if (wonAt >= 0 && frame >= wonAt + SHOW_BANNER_FRAMES) break;
  }
  if (wonAt < 0) std::printf("%s: not won in %d frames\n", name.c_str(), MAX_FRAMES);
  EndProcess(wonAt >= 0 ? 0 : 1);
}
