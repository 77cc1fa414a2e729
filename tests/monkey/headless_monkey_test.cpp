// The monkey on the headless back end: the whole program (start-up, title, games, pause menu,
// name entry, settings, closing) played on the fake clock by the same random hand as the
// real-window monkey, for MONKEY_SIM_MINUTES simulated minutes (3 unless told; `make soak` runs
// ten hours). Each life of the program runs in a child process, as the real program would: its
// end (a close, Escape on the title) ends the child, and the next starts in the same run folder,
// until the simulated time is used up. MONKEY_SEED replays a run (the seed is printed first).
//
// It fails on a crash (a child ending any way but exit code 0), a hang (no frame for a simulated
// minute, or no word from the child for a minute of wall time), the heap in use (its floor) rising
// by 5 MB or more once a life has warmed up (not under AddressSanitizer, whose
// quarantine keeps freed memory), or a temporary file left in the run folder. MONKEY_TRACE prints
// every report of every life.
#include <gtest/gtest.h>
#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/startup.h"
#include "engine/title.h"
#include "frame/frame_state.h"
#include "media/headless.h"
#include "media/media.h"
#include "support/memory_watch.h"
#include "support/monkey_hand.h"
#include "support/temporary_files.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool MEMORY_WATCHED = false;
#else
constexpr bool MEMORY_WATCHED = true;
#endif

constexpr int REPORT_MS = 10000;          // a life reports every ten simulated seconds
constexpr int FRAMELESS_MS = 60000;       // no frame for a simulated minute is a hang
constexpr int IDLE_ACT_MS = 1000;         // a screen that waits without frames gets a hand after this
constexpr int SILENT_WALL_SECONDS = 60;   // no report for this long (wall clock) is a hang
constexpr double GROWTH_LIMIT_MB = 5;
constexpr int HEAP_BLOCK = 30;            // reports: five simulated minutes

// Virtual keys the hand hits at random: arrows, the pause menu's choices, letters (M, N and B
// start songs on the title), digits, editing keys, function keys that mean nothing.
constexpr int KEYS[] = {38, 40, 37, 39, 32, 13, 8, 46, 36, 35, 65, 90, 88, 77, 78, 66, 81, 49, 57, 112, 116, 33, 189, 220, 27, 123};
// What name entry may be given, bytes above 127 and the score file's separator among them.
constexpr int TYPED[] = {'a', 'Z', 'q', '0', '9', ' ', '|', '_', '-', '.', '!', '#', '%', 0xE9, 0xFC, 0xA0, 0xFF, 0x7F, 0x1B, '\t'};

// What a life tells its parent, every REPORT_MS and at its end. Counts are the life's own.
struct Progress {
  int64_t simMs = 0;
  int64_t frames = 0;
  MemorySample memory;
  double heapMb = 0;   // what the program holds from malloc (resident memory also counts the free gaps)
  int toured = 0;      // the life has been everywhere (see MonkeyTour)
  int reached[SCREEN_KINDS] = {};
  int acts[ACTS] = {};
  int screen = STARTING;
  int displayW = 0, displayH = 0;  // a new display size (the settings' "Apply") starts a new warm-up
  int ended = 0;       // the life ended through the program's own end (exit code follows)
  char fault[200] = {};
};

// ---------------------------------------------------------------------------------------------
// One life, in the child
// ---------------------------------------------------------------------------------------------
struct Timed {
  int at;  // fake clock, ms
  InputEvent ev;
};

class Life {
 public:
  Life(uint32_t seed, int budgetMs, int lifeTargetMs, int fd) : hand_(seed), budgetMs_(budgetMs), lifeTargetMs_(lifeTargetMs), fd_(fd) {
    p_.reached[STARTING] = 1;
  }

  void OnFrame(int) {
    const int now = Age();
    lastFrameAt_ = now;
    ApplyDue(now);
    Look();
    HeadlessClearDraws();  // the hand reads one frame at a time; keep memory flat
    HeadlessClearSounds();
    if (now - lastReport_ >= REPORT_MS) Report(false);
    if (now >= budgetMs_ && !closeAsked_) {  // time is up: closed as a player closes the window
      closeAsked_ = true;
      HeadlessRequestClose();
    }
    if (now >= nextAct_) Hand(now);
  }

  // Sleeps happen inside every frame's wait, and alone where a screen waits for input (the
  // thank-you screen, a wait for a key to be let go): the hand's timed events must land there
  // too, and such a screen gets a hand of its own after a while.
  void OnSleep(int) {
    const int now = Age();
    if (!pending_.empty() && pending_.front().at <= now) ApplyDue(now);
    const int idle = now - lastFrameAt_;
    if (idle >= FRAMELESS_MS) Fail("no frame for " + std::to_string(idle / 1000) + " simulated seconds on the " + SCREEN_NAMES[screen_]);
    if (idle >= IDLE_ACT_MS && now >= nextAct_) {
      if (now >= budgetMs_) HeadlessRequestClose();
      Hand(now);
    }
  }

  // The program's end: the last report, then the child's own end (the test program's folders and
  // handlers belong to the parent).
  void End(int code) {
    Report(true);
    _exit(code);
  }

 private:
  void Look() {
    ScreenKind now = screen_ == STARTING ? STARTING : LEVEL;
    for (const DrawRecord& d : HeadlessDraws()) {
      if (d.kind != DrawRecord::TEXT) continue;
      if (d.text == "Click Here to Start") now = TITLE;
      else if (d.text == "Enter Your Name") now = NAME_ENTRY;
      else if (d.text == "Continue") now = PAUSE;
      else if (d.text == "Thanks for Playing") now = CLOSING;
    }
    if (screen_ == STARTING && now != TITLE) now = STARTING;
    if (now != CLOSING && now != STARTING && MenuOpen == 1 && MenuY >= 0) now = SETTINGS;
    if (screen_ == CLOSING) now = CLOSING;
    if (now != screen_) ++p_.reached[now];
    screen_ = now;
    // Glyphs and pictures are made for the display's size: a new size is a new warm-up.
    if (RealWidth() != tourW_ || RealHeight() != tourH_) {
      tour_ = MonkeyTour{};
      tourW_ = RealWidth();
      tourH_ = RealHeight();
    }
    tour_.Saw(now);
  }

  void At(int at, InputEvent::Kind kind, int a = 0, int b = 0) {
    Timed t{at, InputEvent{kind, a, b}};
    pending_.insert(std::upper_bound(pending_.begin(), pending_.end(), t, [](const Timed& x, const Timed& y) { return x.at < y.at; }), t);
  }
  void ApplyDue(int now) {
    size_t n = 0;
    for (; n < pending_.size() && pending_[n].at <= now; ++n) {
      const InputEvent& ev = pending_[n].ev;
      switch (ev.kind) {
        case InputEvent::KEY_DOWN: HeadlessKeyDown(ev.a); break;
        case InputEvent::KEY_UP: HeadlessKeyUp(ev.a); break;
        case InputEvent::CHAR: HeadlessTypeChar(ev.a); break;
        case InputEvent::MOUSE_MOVE: HeadlessMouseMove(ev.a, ev.b); break;
        case InputEvent::MOUSE_DOWN: HeadlessMouseDown(ev.a); break;
        case InputEvent::MOUSE_UP: HeadlessMouseUp(ev.a); break;
        case InputEvent::CLOSE_REQUEST: HeadlessRequestClose(); break;
      }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(n));
  }

  // Points as fractions of the display.
  int X(double f) const { return static_cast<int>(f * std::max(1, RealWidth())); }
  int Y(double f) const { return static_cast<int>(f * std::max(1, RealHeight())); }
  int Press(int t, double fx, double fy, int button, int holdMs) {
    At(t, InputEvent::MOUSE_MOVE, X(fx), Y(fy));
    At(t + 20, InputEvent::MOUSE_DOWN, button);
    At(t + 20 + holdMs, InputEvent::MOUSE_UP, button);
    return t + 20 + holdMs;
  }
  // A press at one point carried through `steps` random points of the box (x0..x1, y0..y1).
  int Drag(int t, double fx, double fy, int steps, double x0, double x1, double y0, double y1) {
    At(t, InputEvent::MOUSE_MOVE, X(fx), Y(fy));
    At(t + 20, InputEvent::MOUSE_DOWN, 1);
    t += 20;
    for (int i = 0; i < steps; ++i) {
      t += hand_.Rand(20, 80);
      At(t, InputEvent::MOUSE_MOVE, X(x0 + hand_.Uniform() * (x1 - x0)), Y(y0 + hand_.Uniform() * (y1 - y0)));
    }
    At(t + 40, InputEvent::MOUSE_UP, 1);
    return t + 40;
  }
  int Key(int t, int key, int holdMs) {
    At(t, InputEvent::KEY_DOWN, key);
    At(t + holdMs, InputEvent::KEY_UP, key);
    return t + holdMs;
  }

  void Hand(int now) {
    const Act act = hand_.Pick(screen_, now, lifeTargetMs_);
    ++p_.acts[act];
    tour_.Did(act);
    int t = now;
    switch (act) {
      case WAIT: t += hand_.Rand(100, 600); break;
      case CLICK: t = Press(t, hand_.Uniform(), hand_.Uniform(), 1, hand_.Rand(30, 400)); break;
      case RIGHT_CLICK: t = Press(t, hand_.Uniform(), hand_.Uniform(), hand_.Rand(2, 3), hand_.Rand(30, 300)); break;
      case DRAG: t = Drag(t, hand_.Uniform(), hand_.Uniform(), hand_.Rand(2, 8), 0, 1, 0, 1); break;
      case START_CLICK:  // "Click Here to Start", held over a few frames
        t = Press(t, 0.5 + (hand_.Uniform() - 0.5) * 0.25, 0.5 + (hand_.Uniform() - 0.5) * 0.06, 1, hand_.Rand(150, 500));
        break;
      case HAT_DRAG:  // from the hat panel at the right onto the board
        t = Drag(t, 0.84 + hand_.Uniform() * 0.14, 0.1 + hand_.Uniform() * 0.85, hand_.Rand(2, 6), 0, 0.7, 0, 1);
        break;
      case PANEL_CLICK:  // inside the settings panel: buttons, binding boxes, sliders
        if (hand_.Rand(0, 3) == 0) {
          const double y = 0.03 + hand_.Uniform() * 0.28;
          t = Drag(t, 0.6 + hand_.Uniform() * 0.4, y, 2, 0.6, 1, y, y);
        } else {
          t = Press(t, hand_.Uniform(), 0.03 + hand_.Uniform() * 0.28, hand_.Rand(0, 2) ? 1 : 3, hand_.Rand(40, 200));
        }
        break;
      case APPLY: t = Press(t, 30.0 / 1280, 290.0 / 960, 1, 100); break;  // "Apply" at logical (20, 280)
      case KEY: t = Key(t, KEYS[hand_.Rand(0, static_cast<int>(std::size(KEYS)) - 1)], hand_.Rand(30, 300)); break;
      case TYPE:
        for (int i = 0, n = hand_.Rand(1, 6); i < n; ++i, t += 60) At(t, InputEvent::CHAR, TYPED[hand_.Rand(0, static_cast<int>(std::size(TYPED)) - 1)]);
        if (hand_.Rand(0, 5) == 0) t = Key(t, KEY_RETURN, 120);
        break;
      case TAB: t = Key(t, KEY_TAB, hand_.Rand(30, 200)); break;
      case ESCAPE: t = Key(t, KEY_ESCAPE, hand_.Rand(30, 400)); break;
      case F11: t = Key(t, KEY_F11, hand_.Rand(30, 200)); break;
      case F12: t = Key(t, KEY_F12, hand_.Rand(30, 200)); break;
      case CLOSE:
        if (hand_.Rand(0, 3) == 0) {
          At(t, InputEvent::KEY_DOWN, KEY_LALT);
          t = Key(t + 20, KEY_F4, 200);
          At(t + 20, InputEvent::KEY_UP, KEY_LALT);
        } else {
          At(t, InputEvent::CLOSE_REQUEST);
        }
        t += hand_.Rand(100, 500);
        break;
      case ACTS: break;
    }
    nextAct_ = t + hand_.Rand(30, 300);
  }

  // Simulated milliseconds since the life began (the fake clock does not start at 0).
  int Age() const { return Millis() - born_; }

  void Report(bool ended) {
    lastReport_ = Age();
    p_.simMs = Age();
    p_.frames = HeadlessFrameCount();
    p_.memory = ReadMemory("self");
    p_.displayW = RealWidth();
    p_.displayH = RealHeight();
    p_.toured = tour_.Done();
    const struct mallinfo2 mi = mallinfo2();
    p_.heapMb = static_cast<double>(mi.uordblks + mi.hblkhd) / (1024.0 * 1024.0);
    p_.ended = ended;
    p_.screen = screen_;
    [[maybe_unused]] ssize_t n = write(fd_, &p_, sizeof p_);
  }
  [[noreturn]] void Fail(const std::string& why) {
    std::snprintf(p_.fault, sizeof p_.fault, "%s", why.c_str());
    Report(false);
    _exit(3);
  }

  MonkeyHand hand_;
  int budgetMs_, lifeTargetMs_, fd_;
  std::vector<Timed> pending_;  // in time order
  ScreenKind screen_ = STARTING;
  MonkeyTour tour_;
  int tourW_ = 0, tourH_ = 0;
  int lastFrameAt_ = 0, lastReport_ = 0, nextAct_ = 0;
  bool closeAsked_ = false;
  int born_ = Millis();
  Progress p_;
};

Life* gLife = nullptr;
void EndOfLife(int code) { gLife->End(code); }

[[noreturn]] void RunLife(const fs::path& root, uint32_t seed, int budgetMs, int lifeTargetMs, int fd) {
  MediaInit(MEDIA_HEADLESS);
  static Life life(seed, budgetMs, lifeTargetMs, fd);
  gLife = &life;
  SetEndHook(&EndOfLife);
  HeadlessOnFrame([](int frame) { gLife->OnFrame(frame); });
  HeadlessOnSleep([](int clock) { gLife->OnSleep(clock); });
  HeadlessSetFlipCost(2);  // a machine of some speed: the engine test finds its limit
  if (!ChangeDir(root.string())) _exit(4);
  StartUp();
  TitleLoop();
  _exit(5);  // the title loop ends the process itself
}

// ---------------------------------------------------------------------------------------------
// The parent: lives one after another until the simulated time is used up
// ---------------------------------------------------------------------------------------------
TEST(HeadlessMonkey, RandomPlayNeitherCrashesNorHangsNorGrows) {
  double minutes = 3;
  if (const char* s = std::getenv("MONKEY_SIM_MINUTES"); s && std::atof(s) > 0) minutes = std::atof(s);
  const uint32_t seed = MonkeySeed();
  const bool trace = std::getenv("MONKEY_TRACE") != nullptr;  // every report, to see where memory went
  std::printf("headless monkey: seed %u (MONKEY_SEED=%u replays this run), %.0f simulated minutes\n", seed, seed, minutes);
  std::fflush(stdout);

  const fs::path root = TestFolder("monkey");
  fs::copy(fs::path(TEST_SOURCE_DIR) / "assets" / "Files", root / "Files", fs::copy_options::recursive);
  fs::copy(fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels", root / "Plonko_Levels", fs::copy_options::recursive);

  const int64_t totalMs = static_cast<int64_t>(minutes * 60000);
  const int lifeTargetMs = static_cast<int>(std::min<int64_t>(20 * 60000, totalMs / 2));
  const int warmupMs = std::min(5 * 60000, lifeTargetMs / 2);
  const auto wallStart = std::chrono::steady_clock::now();
  int64_t simMs = 0, frames = 0;
  int lives = 0;
  std::array<int, SCREEN_KINDS> reached{};
  std::array<int, ACTS> acts{};
  MemorySample firstWarm, last;
  double maxGrowth = 0, peakRise = 0, heapGrowth = 0;
  int warmLives = 0;
  std::string fault;

  while (fault.empty() && simMs < totalMs) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const uint32_t lifeSeed = seed + static_cast<uint32_t>(lives) * 7919u;
    const int budget = static_cast<int>(std::min<int64_t>(totalMs - simMs, 1'000'000'000));
    std::fflush(stdout);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(fds[0]);
      RunLife(root, lifeSeed, budget, lifeTargetMs, fds[1]);
    }
    close(fds[1]);
    ++lives;

    Progress final;
    MemoryWatch memory;
    // The heap's floor (its least over each block of samples) rises only with memory kept for good;
    // a pause menu's picture of the screen comes and goes.
    double heapFloor = -1, blockMin = 1e9;
    int blockSamples = 0;
    int displayW = 0, displayH = 0;
    for (;;) {
      pollfd pfd{fds[0], POLLIN, 0};
      const int ready = poll(&pfd, 1, SILENT_WALL_SECONDS * 1000);
      if (ready == 0) {
        fault = "life " + std::to_string(lives) + " went silent for " + std::to_string(SILENT_WALL_SECONDS) + " s of wall time at " +
                std::to_string(final.simMs / 1000) + " simulated seconds";
        kill(pid, SIGABRT);  // a stack from the sanitizers, where they run
        break;
      }
      Progress p;
      if (read(fds[0], &p, sizeof p) != static_cast<ssize_t>(sizeof p)) break;  // the life has ended
      final = p;
      if (trace)
        std::printf("headless monkey: life %d, %lld s, %lld frames, %s, resident %.1f MB (peak %.1f), heap %.2f MB\n", lives,
                    static_cast<long long>(p.simMs / 1000), static_cast<long long>(p.frames), SCREEN_NAMES[p.screen], p.memory.rss,
                    p.memory.peak, p.heapMb);
      if (p.ended) continue;  // the closing sequence lets go of everything
      if (p.displayW != displayW || p.displayH != displayH) {
        if (displayW != 0) {
          memory.NewDisplay();
          heapFloor = -1;
          blockMin = 1e9;
          blockSamples = 0;
        }
        displayW = p.displayW;
        displayH = p.displayH;
      }
      const bool wasWarm = memory.Warm();
      memory.Sample(p.memory, p.toured && p.simMs >= warmupMs, static_cast<double>(p.simMs) / 1000);
      if (!memory.Warm()) continue;
      if (!wasWarm) {
        ++warmLives;
        if (firstWarm.rss == 0) firstWarm = p.memory;
      }
      maxGrowth = std::max(maxGrowth, memory.Growth());
      peakRise = std::max(peakRise, memory.PeakRise());
      blockMin = std::min(blockMin, p.heapMb);
      if (++blockSamples == HEAP_BLOCK) {
        if (heapFloor < 0) heapFloor = blockMin;
        heapGrowth = std::max(heapGrowth, blockMin - heapFloor);
        blockMin = 1e9;
        blockSamples = 0;
      }
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    simMs += final.simMs;
    frames += final.frames;
    if (memory.Last().rss > 0) last = memory.Last();
    for (int s = 0; s < SCREEN_KINDS; ++s) reached[s] += final.reached[s];
    for (int a = 0; a < ACTS; ++a) acts[a] += final.acts[a];
    if (!fault.empty()) break;
    if (final.fault[0]) fault = final.fault;
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
      fault = WIFSIGNALED(status) ? "life " + std::to_string(lives) + " died of signal " + std::to_string(WTERMSIG(status))
                                  : "life " + std::to_string(lives) + " exited with code " + std::to_string(WEXITSTATUS(status));
    else if (const std::vector<std::string> tmp = TemporaryFiles(root); !tmp.empty())
      fault = "a temporary file was left: " + tmp.front();
    if (!fault.empty()) fault += " (life seed " + std::to_string(lifeSeed) + ", after " + std::to_string(final.simMs / 1000) + " simulated s)";
    if (final.simMs == 0) break;  // a life that could not even start would loop for ever
  }

  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  std::printf("headless monkey: %.1f simulated hours in %.0f s of wall time, %lld frames, %d lives\n", static_cast<double>(simMs) / 3600000.0,
              wall, static_cast<long long>(frames), lives);
  std::printf("headless monkey: acts:");
  const char* const ACT_NAMES[ACTS] = {"wait", "click", "right click", "drag", "start click", "hat drag", "panel click", "apply",
                                       "key", "typed", "Tab", "Escape", "F11", "F12", "close"};
  for (int a = 0; a < ACTS; ++a) std::printf(" %s %d%s", ACT_NAMES[a], acts[a], a + 1 < ACTS ? "," : "\n");
  std::printf("headless monkey: screens reached:");
  for (int s = 0; s < SCREEN_KINDS; ++s) std::printf(" %s %d%s", SCREEN_NAMES[s], reached[s], s + 1 < SCREEN_KINDS ? "," : "\n");
  if (MEMORY_WATCHED && warmLives == 0)
    std::printf("headless monkey: resident memory not watched: no life warmed up\n");
  else if (MEMORY_WATCHED)
    std::printf("headless monkey: resident memory %.1f MB (peak %.1f) after the first warm-up, %.1f MB (peak %.1f) at the end; %d of %d "
                "lives warmed up; after a warm-up the floor rose at most %.2f MB, the peak %.2f MB, the heap in use %.2f MB\n",
                firstWarm.rss, firstWarm.peak, last.rss, last.peak, warmLives, lives, maxGrowth, peakRise, heapGrowth);
  std::fflush(stdout);

  EXPECT_TRUE(fault.empty()) << fault << "\nreplay with MONKEY_SEED=" << seed;
  if (MEMORY_WATCHED) {
    // Resident size is reported, not judged: here it is mostly what the allocator keeps of freed
    // buffers (it came and went by 10 MB over ten simulated hours while the heap in use stayed put).
    EXPECT_LT(heapGrowth, GROWTH_LIMIT_MB) << "the heap in use grew after the warm-up; replay with MONKEY_SEED=" << seed;
  }
  EXPECT_GT(reached[LEVEL], 0) << "the monkey never started a game";
}

}  // namespace
