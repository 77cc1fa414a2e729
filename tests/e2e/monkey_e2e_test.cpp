// The monkey: the real program under X played by a random hand for MONKEY_SECONDS (60 unless
// told): keys, clicks, drags, Tab, Escape, F11, F12 and window closes, weighted by what the window
// shows so that every screen is reached (title, levels, pause menu, name entry, settings,
// closing). When the game closes it is started again in the same run folder, until the time is
// up. The run is fixed by its seed: MONKEY_SEED replays one (the seed is printed first).
//
// It fails on a crash (any end but exit code 0), a hang (the window stops answering the window
// manager's ping, answered from every frame's event pump), resident memory (its floor over each
// minute) rising by 5 MB or more once a game process has warmed up (been everywhere once and lived
// a while; see support/memory_watch.h), or a temporary
// file left in the run folder. E2E_SHOT_DIR, when set, receives a picture of each screen the first
// time it is reached.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with the test framework's names.
#include <X11/Xlib.h>

#include "e2e/game_window.h"
#include "e2e/wm_ping.h"
#include "e2e/x11_close.h"
#include "support/file_lines.h"
#include "support/memory_watch.h"
#include "support/monkey_hand.h"
#include "support/temporary_files.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double HANG_SECONDS = 30;        // no answer for this long is a hang (start-up included)
constexpr double CLOSE_SECONDS = 30;       // a close request must end the program within this
constexpr double GROWTH_LIMIT_MB = 5;      // the resident floor may not rise this much after the warm-up

// Keys a hand may hit at random: arrows and the pause menu's choices, letters (M, N and B start
// songs on the title), digits, editing keys and function keys that mean nothing.
constexpr const char* KEYS[] = {"Up",     "Down",   "Left", "Right", "space",  "Return", "BackSpace", "Delete",
                                "Home",   "End",    "a",    "z",     "x",      "m",      "n",         "b",
                                "q",      "1",      "9",    "F1",    "F5",     "Prior",  "shift+Tab", "ctrl+a",
                                "minus",  "bar",    "Up",   "Down",  "Return", "space",  "Escape",    "F12"};
// What name entry may be given: letters, digits, blanks, the score file's separator, symbols.
constexpr const char* TYPED = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 |_-.!?#%&";

bool HasLine(const std::vector<std::string>& lines, const std::string& want) {
  for (const std::string& l : lines)
    if (l == want) return true;
  return false;
}

// One game process.
struct Life {
  Clock::time_point started;
  Window window = 0;  // the window it draws in; a new one (the settings' "Apply") is a new display
  int w = 0, h = 0;
  MonkeyTour tour;
  MemoryWatch memory;
};

class MonkeyE2eTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    seconds_ = 60;
    if (const char* s = std::getenv("MONKEY_SECONDS"); s && std::atof(s) > 0) seconds_ = std::atof(s);
    seed_ = MonkeySeed();
    hand_ = MonkeyHand(seed_);
    warmup_ = std::min(60.0, seconds_ / 3);
    lifeTarget_ = std::min(360.0, seconds_ / 2);
    std::printf("monkey: seed %u (MONKEY_SEED=%u replays this run), %.0f s\n", seed_, seed_, seconds_);
    std::fflush(stdout);
  }

  int Rand(int lo, int hi) { return hand_.Rand(lo, hi); }
  double Uniform() { return hand_.Uniform(); }

  // ---- what the window shows ------------------------------------------------------------------
  static void Rgb(uint32_t c, int& r, int& g, int& b) {
    r = static_cast<int>(c >> 16 & 0xFF);
    g = static_cast<int>(c >> 8 & 0xFF);
    b = static_cast<int>(c & 0xFF);
  }
  // The settings panel fully down: its light green edge across the window at logical row 319.
  static bool SettingsShown(const std::vector<uint32_t>& px, int w, int h) {
    const int row = 319 * h / 960;
    int edge = 0;
    for (int y = row - 1; y <= row; ++y)
      for (int x = 0; x < w; ++x) {
        int r, g, b;
        Rgb(px[static_cast<size_t>(y * w + x)], r, g, b);
        edge += r > 150 && r < 210 && g > 230 && b > 150 && b < 210;
      }
    return edge > w * 9 / 10;
  }
  // The pause menu: its chosen item in bright yellow on the dark plate at the left.
  static bool PauseShown(const std::vector<uint32_t>& px, int w, int h) {
    int yellow = 0;
    for (int y = h * 3 / 8; y < h * 5 / 8; ++y)
      for (int x = w / 10; x < w * 3 / 10; ++x) {
        int r, g, b;
        Rgb(px[static_cast<size_t>(y * w + x)], r, g, b);
        yellow += r > 235 && g > 235 && b < 40;
      }
    return yellow > w * h / 6000;  // "Quit" at 800 x 600 shows about 100
  }
  // Name entry: red-to-blue stripes without green, under green text.
  static bool NameEntryShown(const std::vector<uint32_t>& px) {
    size_t stripes = 0;
    for (uint32_t c : px) {
      int r, g, b;
      Rgb(c, r, g, b);
      stripes += g < 8 && b > 40 && r >= 20;
    }
    return stripes > px.size() / 2;
  }
  // The title: mostly pure dark blue stripes (the settings panel may cover a third of them).
  static bool TitleOn(const std::vector<uint32_t>& px) {
    size_t blue = 0;
    for (uint32_t c : px) {
      int r, g, b;
      Rgb(c, r, g, b);
      blue += r < 12 && g < 12 && b > 40;
    }
    return blue > px.size() * 2 / 5;
  }

  ScreenKind Classify(Window win, int w, int h) {
    if (!loaded_ || !win) {
      loaded_ = HasLine(FileLines(root_ / "Files" / "Debug.txt"), "Finished Loading");
      if (!loaded_ || !win) return STARTING;
    }
    if (!closing_) closing_ = HasLine(FileLines(root_ / "Files" / "Debug.txt"), "Closing Up");
    if (closing_) return CLOSING;
    const std::vector<uint32_t> px = Grab(win, false, w, h);
    if (px.size() != static_cast<size_t>(w) * static_cast<size_t>(h)) return screen_;
    if (SettingsShown(px, w, h)) return SETTINGS;
    if (PauseShown(px, w, h)) return PAUSE;
    if (TitleOn(px)) return TITLE;
    if (NameEntryShown(px)) return NAME_ENTRY;
    return LEVEL;
  }

  // A screen counts as reached once two looks in a row agree (frames in passing do not count).
  void Look(Window win, int w, int h) {
    const ScreenKind now = Classify(win, w, h);
    // The closing is read from the log, not from a picture: it counts at once.
    if ((now == seen_ || now == CLOSING) && now != screen_) {
      screen_ = now;
      ++reached_[now];
      if (const char* dir = std::getenv("E2E_SHOT_DIR"); dir && reached_[now] == 1)
        Shell(std::string("import -window root ") + dir + "/monkey_" + std::to_string(now) + ".png");
    }
    seen_ = now;
    life_.tour.Saw(screen_);
  }

  // ---- the hand -------------------------------------------------------------------------------
  std::string Pos(Window win, double fx, double fy, int w, int h) {
    return "mousemove --window " + std::to_string(win) + " " + std::to_string(static_cast<int>(fx * w)) + " " +
           std::to_string(static_cast<int>(fy * h)) + " ";
  }
  static std::string Hold(int ms) { return "sleep " + std::to_string(ms / 1000.0) + " "; }
  void Xdo(const std::string& chain) { Shell("xdotool " + chain); }

  void Do(Act act, Window win, int w, int h) {
    ++acts_[act];
    life_.tour.Did(act);
    Focus(win);
    switch (act) {
      case WAIT:
        Sleep(Rand(100, 600));
        break;
      case CLICK:
        Xdo(Pos(win, Uniform(), Uniform(), w, h) + Hold(40) + "mousedown 1 " + Hold(Rand(30, 400)) + "mouseup 1");
        break;
      case RIGHT_CLICK:
        Xdo(Pos(win, Uniform(), Uniform(), w, h) + Hold(40) + "mousedown " + std::to_string(Rand(2, 3)) + " " + Hold(Rand(30, 300)) +
            "mouseup 2 mouseup 3");
        break;
      case DRAG: {
        std::string chain = Pos(win, Uniform(), Uniform(), w, h) + Hold(40) + "mousedown 1 ";
        for (int i = 0, n = Rand(2, 8); i < n; ++i) chain += Hold(Rand(20, 80)) + Pos(win, Uniform(), Uniform(), w, h);
        Xdo(chain + Hold(40) + "mouseup 1");
        break;
      }
      case START_CLICK:  // "Click Here to Start", held over a few frames
        Xdo(Pos(win, 0.5 + (Uniform() - 0.5) * 0.25, 0.5 + (Uniform() - 0.5) * 0.06, w, h) + Hold(60) + "mousedown 1 " +
            Hold(Rand(150, 500)) + "mouseup 1");
        break;
      case HAT_DRAG: {  // from the hat panel at the right onto the board
        std::string chain = Pos(win, 0.84 + Uniform() * 0.14, 0.1 + Uniform() * 0.85, w, h) + Hold(40) + "mousedown 1 ";
        for (int i = 0, n = Rand(2, 6); i < n; ++i) chain += Hold(Rand(20, 80)) + Pos(win, Uniform() * 0.7, Uniform(), w, h);
        Xdo(chain + Hold(60) + "mouseup 1");
        break;
      }
      case PANEL_CLICK:  // inside the settings panel: buttons, binding boxes, sliders
        if (Rand(0, 3) == 0) {
          const double y = 0.03 + Uniform() * 0.28;
          Xdo(Pos(win, 0.6 + Uniform() * 0.4, y, w, h) + Hold(40) + "mousedown 1 " + Hold(60) + Pos(win, 0.6 + Uniform() * 0.4, y, w, h) +
              Hold(60) + "mouseup 1");
        } else {
          Xdo(Pos(win, Uniform(), 0.03 + Uniform() * 0.28, w, h) + Hold(40) + "mousedown " + std::to_string(Rand(0, 2) ? 1 : 3) + " " +
              Hold(Rand(40, 200)) + "mouseup 1 mouseup 3");
        }
        break;
      case APPLY:  // "Apply" at logical (20, 280)
        Xdo(Pos(win, 30.0 / 1280, 290.0 / 960, w, h) + Hold(80) + "mousedown 1 " + Hold(100) + "mouseup 1");
        break;
      case KEY: {
        const char* key = KEYS[Rand(0, static_cast<int>(std::size(KEYS)) - 1)];
        Xdo(std::string("keydown ") + key + " " + Hold(Rand(30, 300)) + "keyup " + key);
        break;
      }
      case TYPE: {
        std::string text;
        for (int i = 0, n = Rand(1, 6); i < n; ++i) text += TYPED[Rand(0, static_cast<int>(std::strlen(TYPED)) - 1)];
        Xdo("type --delay 60 -- '" + text + "'");
        if (Rand(0, 5) == 0) Xdo("keydown Return " + Hold(120) + "keyup Return");
        break;
      }
      case TAB:
        Xdo("keydown Tab " + Hold(Rand(30, 200)) + "keyup Tab");
        break;
      case ESCAPE:
        Xdo("keydown Escape " + Hold(Rand(30, 400)) + "keyup Escape");
        break;
      case F11:
        Xdo("keydown F11 " + Hold(Rand(30, 200)) + "keyup F11");
        break;
      case F12:
        Xdo("keydown F12 " + Hold(Rand(30, 200)) + "keyup F12");
        break;
      case CLOSE:
        if (Rand(0, 3) == 0) Xdo("keydown Alt_L keydown F4 " + Hold(200) + "keyup F4 keyup Alt_L");
        else SendCloseRequest(dpy_, win);
        Sleep(Rand(100, 500));
        break;
      case ACTS:
        break;
    }
  }

  // ---- one game process -----------------------------------------------------------------------
  void StartGame(PingWatch& pings) {
    Launch();
    ++starts_;
    loaded_ = closing_ = false;
    screen_ = seen_ = STARTING;
    ++reached_[STARTING];
    life_ = Life{};
    life_.started = Clock::now();
    pings.Restart();
  }

  // Memory, sampled at every look; warm once the life has been everywhere and lived a while.
  void SampleMemory(Window win, int w, int h) {
    if (win != life_.window || w != life_.w || h != life_.h) {
      if (life_.window != 0) {
        life_.memory.NewDisplay();
        life_.tour = MonkeyTour{};
      }
      life_.window = win;
      life_.w = w;
      life_.h = h;
    }
    if (closing_) return;  // the closing sequence lets go of the display
    const bool wasWarm = life_.memory.Warm();
    const double age = std::chrono::duration<double>(Clock::now() - life_.started).count();
    const double peakRise = life_.memory.PeakRise(), growth = life_.memory.Growth();
    life_.memory.Sample(ReadMemory(std::to_string(pid_)), life_.tour.Done() && age >= warmup_, age);
    if (life_.memory.Warm() && !wasWarm) {
      ++warmLives_;
      std::printf("monkey: start %d warmed up after %.0f s: resident %.1f MB, peak %.1f MB\n", starts_, age, life_.memory.Last().rss,
                  life_.memory.Last().peak);
      std::fflush(stdout);
    }
    if (life_.memory.Warm()) {
      if (firstWarm_.rss == 0) firstWarm_ = life_.memory.Last();
      maxGrowth_ = std::max(maxGrowth_, life_.memory.Growth());
      maxPeakRise_ = std::max(maxPeakRise_, life_.memory.PeakRise());
      // Each rise on the way, with where it happened, to see where memory went.
      if (life_.memory.PeakRise() > peakRise + 0.5 || life_.memory.Growth() > growth + 0.5) {
        std::printf("monkey: start %d at %.0f s, %s, %dx%d: resident %.1f MB, peak up %.1f MB, floor up %.1f MB since the warm-up\n",
                    starts_, age, SCREEN_NAMES[screen_], w, h, life_.memory.Last().rss, life_.memory.PeakRise(), life_.memory.Growth());
        std::fflush(stdout);
      }
    }
    last_ = life_.memory.Last();
  }

  std::string Report() const {
    char line[512];
    std::string out;
    int keys = acts_[KEY] + acts_[TAB] + acts_[ESCAPE] + acts_[F11] + acts_[F12] + acts_[TYPE];
    int clicks = acts_[CLICK] + acts_[RIGHT_CLICK] + acts_[START_CLICK] + acts_[PANEL_CLICK] + acts_[APPLY];
    int drags = acts_[DRAG] + acts_[HAT_DRAG];
    std::snprintf(line, sizeof line,
                  "monkey: seed %u, %.0f s, %d keys (Tab %d, Escape %d, F11 %d, F12 %d, typed %d), %d clicks, %d drags, "
                  "%d closes, %d waits; %d starts\n",
                  seed_, runSeconds_, keys, acts_[TAB], acts_[ESCAPE], acts_[F11], acts_[F12], acts_[TYPE], clicks, drags,
                  acts_[CLOSE], acts_[WAIT], starts_);
    out += line;
    out += "monkey: screens reached:";
    for (int s = 0; s < SCREEN_KINDS; ++s) out += std::string(" ") + SCREEN_NAMES[s] + " " + std::to_string(reached_[s]) + (s + 1 < SCREEN_KINDS ? "," : "\n");
    if (warmLives_ == 0)
      std::snprintf(line, sizeof line, "monkey: resident memory %.1f MB at the end; not watched: no start warmed up\n", last_.rss);
    else
      std::snprintf(line, sizeof line,
                    "monkey: resident memory %.1f MB (peak %.1f) after the first warm-up, %.1f MB (peak %.1f) at the end; "
                    "%d of %d starts warmed up; after a warm-up the floor rose at most %.2f MB, the peak %.2f MB\n",
                    firstWarm_.rss, firstWarm_.peak, last_.rss, last_.peak, warmLives_, starts_, maxGrowth_, maxPeakRise_);
    out += line;
    std::snprintf(line, sizeof line, "monkey: %ld pings answered, longest silence %.1f s\n", pingAnswers_, longestSilence_);
    out += line;
    return out;
  }

  double seconds_ = 60, warmup_ = 20, lifeTarget_ = 30, runSeconds_ = 0;
  uint32_t seed_ = 0;
  MonkeyHand hand_{0};
  bool loaded_ = false, closing_ = false;
  ScreenKind screen_ = STARTING, seen_ = STARTING;
  std::array<int, SCREEN_KINDS> reached_{};
  std::array<int, ACTS> acts_{};
  int starts_ = 0;
  Life life_;
  MemorySample firstWarm_, last_;
  int warmLives_ = 0;
  double maxGrowth_ = 0, maxPeakRise_ = 0, longestSilence_ = 0;
  long pingAnswers_ = 0;
};

TEST_F(MonkeyE2eTest, RandomPlayNeitherCrashesNorHangsNorGrows) {
  PingWatch pings(dpy_);
  const auto begin = Clock::now();
  const auto end = begin + std::chrono::duration<double>(seconds_);
  std::string fault;
  auto age = [&] { return std::chrono::duration<double>(Clock::now() - life_.started).count(); };
  auto tail = [&](const fs::path& file) {
    std::string out;
    const std::vector<std::string> lines = FileLines(file);
    for (size_t i = lines.size() > 12 ? lines.size() - 12 : 0; i < lines.size(); ++i) out += "  " + lines[i] + "\n";
    return out;
  };
  // Called when the process has ended with `status`: a fault unless it exited with code 0 and left
  // no temporary file.
  auto ended = [&](int status) {
    pid_ = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
      fault = WIFSIGNALED(status) ? "the game died of signal " + std::to_string(WTERMSIG(status))
                                  : "the game exited with code " + std::to_string(WEXITSTATUS(status));
    else if (const std::vector<std::string> tmp = TemporaryFiles(root_); !tmp.empty())
      fault = "a temporary file was left: " + tmp.front();
    if (!fault.empty()) fault += "\nits log ends:\n" + tail(root_ / "Files" / "Debug.txt") + "its output ends:\n" + tail(root_ / "output.txt");
  };

  while (fault.empty() && Clock::now() < end) {
    if (pid_ == 0) StartGame(pings);
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      ended(status);
      continue;
    }
    int w = 0, h = 0;
    const Window win = OurWindow(w, h);
    if (win) pings.Ping(win);
    else pings.Drain();
    if (pings.Silence() > HANG_SECONDS) {
      fault = "the game stopped answering for " + std::to_string(static_cast<int>(pings.Silence())) + " s on the " +
              SCREEN_NAMES[screen_] + "\nits log ends:\n" + tail(root_ / "Files" / "Debug.txt");
      break;
    }
    Look(win, w, h);
    if (win) SampleMemory(win, w, h);
    if (win) Do(hand_.Pick(screen_, age(), lifeTarget_), win, w, h);
    else Sleep(200);
  }
  runSeconds_ = std::chrono::duration<double>(Clock::now() - begin).count();

  // Time is up: the game is closed as a player closes it, and must end well too.
  if (fault.empty() && pid_ != 0) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(CLOSE_SECONDS);
    int status = 0;
    bool gone = false;
    while (!gone && Clock::now() < deadline) {
      int w = 0, h = 0;
      if (const Window win = OurWindow(w, h)) SendCloseRequest(dpy_, win);
      gone = WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, 1);
    }
    if (gone) ended(status);
    else fault = "the game did not end within " + std::to_string(static_cast<int>(CLOSE_SECONDS)) + " s of being closed";
  }
  pingAnswers_ = pings.Answers();
  longestSilence_ = pings.Longest();
  std::printf("%s", Report().c_str());
  std::fflush(stdout);
  EXPECT_TRUE(fault.empty()) << fault << "\nreplay with MONKEY_SEED=" << seed_;
  EXPECT_LT(maxGrowth_, GROWTH_LIMIT_MB) << "resident memory grew after the warm-up; replay with MONKEY_SEED=" << seed_;
  EXPECT_GT(reached_[TITLE], 0) << "the monkey never saw the title";
}

}  // namespace
