// The real game under X: the built run folder copied to a temporary folder per test, started from
// another folder, driven by xdotool and by window-manager messages sent with Xlib, watched through
// the files it writes and pictures of its window.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with the test framework's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "e2e/game_process.h"
#include "e2e/x11_close.h"
#include "support/file_lines.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

const char* const CAPTION = "#247 : Plonko Elongo";

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Polls cond every 50 ms until it holds or the time runs out; answers the condition itself.
bool WaitFor(const std::function<bool()>& cond, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (cond()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return cond();
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // windows come and go under us

struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB
  int Channel(size_t i, int c) const { return static_cast<int>((rgb[i] >> (16 - 8 * c)) & 0xFF); }
};

// Mean difference of the colour channels, 0 to 255; 255 when the sizes differ.
double MeanDifference(const Picture& a, const Picture& b) {
  if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return 255;
  double sum = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i)
    for (int ch = 0; ch < 3; ++ch) sum += std::abs(a.Channel(i, ch) - b.Channel(i, ch));
  return sum / (3.0 * static_cast<double>(a.rgb.size()));
}

// Pixels of the title's three parts: the blue stripes, the light texts and the orange logo.
struct TitleCounts {
  size_t blue = 0, light = 0, warm = 0;
  bool Complete(const Picture& p) const { return blue > p.rgb.size() / 2 && light > 500 && warm > 500; }
};
TitleCounts TitleParts(const Picture& p) {
  TitleCounts c;
  for (size_t i = 0; i < p.rgb.size(); ++i) {
    int r = p.Channel(i, 0), g = p.Channel(i, 1), b = p.Channel(i, 2);
    c.blue += b > r + 20 && b > g + 20;
    c.light += r > 200 && g > 200 && b > 200;
    c.warm += r > 200 && g > 100 && b < 80;
  }
  return c;
}

class GameE2eTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 20 && !dpy_; ++i) {
      dpy_ = XOpenDisplay(nullptr);
      if (!dpy_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_NE(dpy_, nullptr) << "no X display: DISPLAY=" << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
    XSetErrorHandler(&IgnoreXErrors);
    root_ = TestFolder("e2e");
    CopyRunFolder(root_);
    run_ = root_;
  }

  void TearDown() override {
    if (pid_ > 0) {  // a test that failed half-way: stop our own game
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (dpy_) XCloseDisplay(dpy_);
    std::error_code ec;
    if (!root_.empty() && !KeepTestFiles()) fs::remove_all(root_, ec);
  }

  fs::path Files() const { return run_ / "Files"; }
  std::vector<std::string> Log() const { return FileLines(Files() / "Debug.txt"); }

  void Launch() {
    pid_ = LaunchGame(run_, unset_);
    ASSERT_GE(pid_, 0);
  }

  // Waits for the process to end; its exit code, or -1 when it did not end in time.
  int WaitExit(double seconds) {
    int status = 0;
    bool ended = WaitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, seconds);
    if (!ended) return -1;
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  // The viewable top-level window of our process (by _NET_WM_PID), 0 when there is none.
  Window GameWindow() {
    Window rootWin, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    Atom pidAtom = XInternAtom(dpy_, "_NET_WM_PID", False);
    if (!XQueryTree(dpy_, DefaultRootWindow(dpy_), &rootWin, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
      Atom type;
      int format;
      unsigned long items, after;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(dpy_, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                             &data) == Success &&
          data && items == 1) {
        long pid = *reinterpret_cast<long*>(data);
        XWindowAttributes attr;
        if (pid == pid_ && XGetWindowAttributes(dpy_, children[i], &attr) && attr.map_state == IsViewable)
          found = children[i];
      }
      if (data) XFree(data);
    }
    if (children) XFree(children);
    return found;
  }

  std::string Caption(Window w) {
    char* name = nullptr;
    std::string out;
    if (XFetchName(dpy_, w, &name) && name) out = name;
    if (name) XFree(name);
    return out;
  }

  std::pair<int, int> Size(Window w) {
    XWindowAttributes attr{};
    if (!XGetWindowAttributes(dpy_, w, &attr)) return {0, 0};
    return {attr.width, attr.height};
  }

  // Waits for a window of the given size; 0 when none came.
  Window WaitWindow(int w, int h, double seconds) {
    Window found = 0;
    WaitFor([&] {
      found = GameWindow();
      return found && Size(found) == std::make_pair(w, h);
    }, seconds);
    return found && Size(found) == std::make_pair(w, h) ? found : 0;
  }

  // Start-up done and the title slid in: "Finished Loading" logged, then the 2.5 s hold, then
  // pictures half a second apart until two agree (the slide takes 32 frames, which a software
  // renderer draws slowly).
  Window WaitTitle(Picture* shot = nullptr) {
    EXPECT_TRUE(WaitFor([&] { return Contains(Log(), "Finished Loading"); }, 60)) << "start-up did not finish";
    Window w = WaitWindow(800, 600, 10);
    if (!w) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    // Still, and the title's parts all drawn: on a busy machine a slow frame can hold a picture
    // still before the logo is up.
    Picture last = Grab(w);
    for (int i = 0; i < 60; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      Picture now = Grab(w);
      if (MeanDifference(last, now) < 1.0 && TitleParts(now).Complete(now)) break;
      last = now;
    }
    if (shot) *shot = Grab(w);
    return w;
  }

  // A key held for a moment (the title looks at held keys, once per frame), typed into our window
  // with the keyboard focus on it. The release goes to whichever window has the focus by then:
  // the one pressed may be gone, and a key left down would repeat for ever.
  void PressKey(Window w, const char* key) {
    XRaiseWindow(dpy_, w);
    XSetInputFocus(dpy_, w, RevertToPointerRoot, CurrentTime);
    XSync(dpy_, False);
    Run(std::string("xdotool keydown ") + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Run(std::string("xdotool keyup ") + key);
  }
  static void Run(const std::string& cmd) { [[maybe_unused]] int rc = std::system((cmd + " 2>/dev/null").c_str()); }

  // What a window manager sends when the user closes the window: WM_PROTOCOLS / WM_DELETE_WINDOW.
  void AskToClose(Window w) { SendCloseRequest(dpy_, w); }

  Picture Grab(Window w) {
    Picture p;
    XRaiseWindow(dpy_, w);
    XSync(dpy_, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    auto [width, height] = Size(w);
    XImage* img = XGetImage(dpy_, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!img) return p;
    p.w = width;
    p.h = height;
    p.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        unsigned long px = XGetPixel(img, x, y);
        uint32_t r = static_cast<uint32_t>((px & img->red_mask) >> 16) & 0xFF;
        uint32_t g = static_cast<uint32_t>((px & img->green_mask) >> 8) & 0xFF;
        uint32_t b = static_cast<uint32_t>(px & img->blue_mask) & 0xFF;
        p.rgb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = (r << 16) | (g << 8) | b;
      }
    XDestroyImage(img);
    return p;
  }

  // Writes a picture as PPM beside the run (kept when the test fails) and, when E2E_SHOT_DIR is
  // set, there too, for a person to look at.
  void Save(const Picture& p, const std::string& name) {
    std::vector<fs::path> targets = {root_ / (name + ".ppm")};
    if (const char* dir = std::getenv("E2E_SHOT_DIR")) targets.push_back(fs::path(dir) / (name + ".ppm"));
    for (const fs::path& path : targets) {
      std::ofstream out(path, std::ios::binary);
      out << "P6\n" << p.w << " " << p.h << "\n255\n";
      for (uint32_t c : p.rgb) out << static_cast<char>(c >> 16) << static_cast<char>((c >> 8) & 0xFF) << static_cast<char>(c & 0xFF);
    }
  }

  Display* dpy_ = nullptr;
  fs::path root_;
  fs::path run_;                    // the run folder the game starts from: root_ unless a test moves it
  std::vector<std::string> unset_;  // environment variables the game runs without
  pid_t pid_ = 0;
};

// The title as a player sees it: mostly dark blue stripes, light text and the orange logo.
void ExpectTitlePicture(const Picture& p, const std::string& what) {
  ASSERT_EQ(p.w, 800) << what;
  ASSERT_EQ(p.h, 600) << what;
  const TitleCounts c = TitleParts(p);
  EXPECT_GT(c.blue, p.rgb.size() / 2) << what << ": the striped background";
  EXPECT_GT(c.light, 500u) << what << ": the texts";
  EXPECT_GT(c.warm, 500u) << what << ": the logo";
}

TEST_F(GameE2eTest, StartTitleEscapeThankYouAndAKeyEndsIt) {
  Launch();
  Picture shot;
  Window title = WaitTitle(&shot);
  ASSERT_NE(title, 0u) << "no 800x600 window";
  EXPECT_EQ(Caption(title), CAPTION);
  Save(shot, "title");
  ExpectTitlePicture(shot, "title");

  PressKey(title, "Escape");
  Window thanks = WaitWindow(640, 480, 10);
  ASSERT_NE(thanks, 0u) << "no thank-you window";
  // Everything is on disk while the thank-you screen waits.
  EXPECT_TRUE(fs::exists(Files() / "Setup.ini"));
  EXPECT_TRUE(fs::exists(Files() / "247" / "scores.dat"));
  std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log.back(), "Play again, soon!!");
  Save(Grab(thanks), "thanks");

  // The Escape was let go long ago: a new key ends it.
  std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  EXPECT_EQ(WaitExit(0.1), -1) << "the thank-you screen must wait for input";
  PressKey(thanks, "a");
  EXPECT_EQ(WaitExit(10), 0);

  log = Log();
  ASSERT_GE(log.size(), 13u);
  EXPECT_EQ(log[0], "Corvane's Tolluvar Engine");
  EXPECT_EQ(log[2], "Week #247");
  EXPECT_EQ(log[4], CAPTION);
  EXPECT_EQ(log[7], "Loading");
  EXPECT_EQ(log[11], "\tRequested Resolution : 800x600");
  EXPECT_TRUE(Contains(log, "Finished Loading"));
  std::vector<std::string> last(log.end() - 5, log.end());
  EXPECT_EQ(last, (std::vector<std::string>{"Closing Up", "", "Bye!", "", "Play again, soon!!"}));
  std::vector<std::string> setup = FileLines(Files() / "Setup.ini");
  ASSERT_FALSE(setup.empty());
  EXPECT_EQ(setup[0], "[Graphics]");
  EXPECT_TRUE(Contains(setup, "Width=800"));
  EXPECT_FALSE(fs::exists(Files() / "247" / "crash.dat"));
}

TEST_F(GameE2eTest, ClosingTheWindowRunsTheClosingSequence) {
  Launch();
  Window title = WaitTitle();
  ASSERT_NE(title, 0u);
  AskToClose(title);
  Window thanks = WaitWindow(640, 480, 10);
  ASSERT_NE(thanks, 0u) << "closing the window must show the thank-you screen";
  EXPECT_TRUE(fs::exists(Files() / "Setup.ini"));
  EXPECT_TRUE(fs::exists(Files() / "247" / "scores.dat"));
  AskToClose(thanks);
  EXPECT_EQ(WaitExit(10), 0);
  std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log.back(), "Play again, soon!!");
}

// Every file below `top`, as paths relative to it.
std::vector<std::string> FilesBelow(const fs::path& top) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(top))
    if (!e.is_directory()) out.push_back(fs::relative(e.path(), top).string());
  return out;
}

TEST_F(GameE2eTest, AMissingGameFolderWritesNothingOutsideTheRunFolder) {
  // The run folder three folders down, without its game folder: every Setup.ini write (Tab opens
  // and closes the settings panel, closing writes it again) stays in its Files/.
  run_ = root_ / "one" / "two" / "three";
  fs::create_directories(run_);
  for (const char* part : {"plonko-elongo", "Files", "Plonko_Levels"})
    fs::rename(root_ / part, run_ / part);
  fs::remove_all(run_ / "Files" / "247");
  fs::remove(run_ / "Files" / "Setup.ini");

  Launch();
  Window title = WaitTitle();
  ASSERT_NE(title, 0u);
  for (int i = 0; i < 2; ++i) {
    PressKey(title, "Tab");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  AskToClose(title);
  Window thanks = WaitWindow(640, 480, 30);
  ASSERT_NE(thanks, 0u);
  AskToClose(thanks);
  EXPECT_EQ(WaitExit(10), 0);

  for (const std::string& file : FilesBelow(root_))
    EXPECT_EQ(file.rfind("one/two/three/", 0), 0u) << "written outside the run folder: " << file;
  for (const fs::path& above : {root_, root_ / "one", root_ / "one" / "two", run_})
    EXPECT_FALSE(fs::exists(above / "Setup.ini")) << above;
  EXPECT_TRUE(Contains(FileLines(Files() / "Setup.ini"), "Width=800"));
}

TEST_F(GameE2eTest, WithoutADisplayTheGameSaysSoAndEndsAtOnce) {
  unset_ = {"DISPLAY", "WAYLAND_DISPLAY"};
  const auto start = std::chrono::steady_clock::now();
  Launch();
  EXPECT_EQ(WaitExit(15), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
  std::ifstream out(run_ / "output.txt");
  std::stringstream said;
  said << out.rdbuf();
  EXPECT_NE(said.str().find("no display available"), std::string::npos) << said.str();
  EXPECT_TRUE(Contains(Log(), "\tNo display available"));
  EXPECT_FALSE(fs::exists(Files() / "247" / "crash.dat")) << "the next run, with a display, keeps its driver";
}

TEST_F(GameE2eTest, TerminateSignalsSaveBothFilesAndEndWithinTwoSeconds) {
  struct Case {
    int sig;
    const char* name;
  } cases[] = {{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};
  for (const Case& c : cases) {
    {
      std::ofstream scores(Files() / "247" / "scores.dat", std::ios::binary);
      scores << "77|Ann|0|5|0|0|0|0\r\n" << "0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\r\n";
    }
    fs::remove(Files() / "Setup.ini");
    Launch();
    Window title = WaitTitle();
    ASSERT_NE(title, 0u) << c.name;
    kill(pid_, c.sig);
    EXPECT_EQ(WaitExit(2), 0) << c.name << " must end the game within two seconds, without input";
    std::vector<std::string> setup = FileLines(Files() / "Setup.ini");
    ASSERT_FALSE(setup.empty()) << c.name;
    EXPECT_EQ(setup.front(), "[Graphics]") << c.name;
    EXPECT_EQ(setup.back().rfind("Key=", 0), 0u) << c.name << ": written whole, to its last binding";
    EXPECT_EQ(FileLines(Files() / "247" / "scores.dat").front(), "77|Ann|0|5|0|0|0|0") << c.name;
    EXPECT_EQ(Log().back(), "Play again, soon!!") << c.name;
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = 0;
    }
  }
}

TEST_F(GameE2eTest, EveryDisplayChoiceShowsTheSameTitle) {
  struct Case {
    const char* setting;  // the Setup.ini line
    const char* log;      // the driver line it gives
    const char* shot;     // picture name
  } cases[] = {
      // GFX Engine line        driver log line                picture
      {"GFX Engine = OpenGL", "\tUsing OpenGL Driver", "choice_0"},
      {"GFX Engine = DX9", "\tUsing DirectX 9 Driver", "choice_1"},
      {"GFX Engine = DX7", "\tUsing DirectX 7 Driver", "choice_2"},
  };
  std::vector<Picture> shots;
  for (const Case& c : cases) {
    {
      std::ofstream setup(Files() / "Setup.ini", std::ios::binary);
      setup << c.setting << "\r\nWidth=800\r\nHeight=600\r\n";
    }
    fs::remove(Files() / "Debug.txt");
    Launch();
    Picture shot;
    Window title = WaitTitle(&shot);
    ASSERT_NE(title, 0u) << c.setting;
    EXPECT_TRUE(Contains(Log(), c.log)) << c.setting;
    shots.push_back(shot);
    Save(shot, c.shot);
    ExpectTitlePicture(shots.back(), c.setting);
    AskToClose(title);
    Window thanks = WaitWindow(640, 480, 10);
    ASSERT_NE(thanks, 0u) << c.setting;
    AskToClose(thanks);
    ASSERT_EQ(WaitExit(10), 0) << c.setting;
  }
  // The same picture within a tolerance: renderers differ in edge pixels and text smoothing, the
  // settings hint blinks and the pointer may sit elsewhere.
  for (size_t k = 1; k < shots.size(); ++k) {
    const Picture& a = shots[0];
    const Picture& b = shots[k];
    ASSERT_EQ(a.rgb.size(), b.rgb.size());
    size_t far = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
      int worst = 0;
      for (int ch = 0; ch < 3; ++ch) worst = std::max(worst, std::abs(a.Channel(i, ch) - b.Channel(i, ch)));
      far += worst > 64;
    }
    EXPECT_LT(MeanDifference(a, b), 4.0) << cases[k].setting << " against OpenGL: mean channel difference";
    EXPECT_LT(far, a.rgb.size() / 50) << cases[k].setting << " against OpenGL: pixels far apart";
  }
}


// ---------------------------------------------------------------------------------------------
// Music through the real audio paths, without a sound card: SDL's file-writing "disk" driver
// behind "FreeAudio SDL", and OpenAL Soft's "wave" back end behind "OpenAL".
// ---------------------------------------------------------------------------------------------
constexpr int CAPTURE_RATE = 44100;

struct AudioPath {
  const char* driver;  // the Setup.ini name
  bool openal;
};

// Interleaved 16-bit stereo samples of a capture: a raw file, or a WAV read from its "data" chunk
// to the end of the file (the header's sizes are not trusted).
std::vector<int16_t> ReadCapture(const fs::path& path, bool wav) {
  std::ifstream f(path, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  size_t at = 0;
  if (wav) {
    std::string all(bytes.begin(), bytes.end());
    size_t d = all.find("data", 12);
    if (d == std::string::npos) return {};
    at = d + 8;
  }
  std::vector<int16_t> out((bytes.size() - at) / 2);
  std::memcpy(out.data(), bytes.data() + at, out.size() * 2);
  return out;
}

// sox's measure of a capture, "Maximum amplitude" and "RMS amplitude" of `stat`, in dBFS.
struct Loudness {
  double peakDb = -200, rmsDb = -200;
};
Loudness SoxStat(const fs::path& raw) {
  Loudness l;
  const std::string cmd = "sox -t raw -r 44100 -e signed -b 16 -c 2 '" + raw.string() + "' -n stat 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return l;
  char line[256];
  while (std::fgets(line, sizeof line, p)) {
    std::string s = line;
    double v = 0;
    auto value = [&](const char* key) {
      if (s.rfind(key, 0) != 0) return false;
      v = std::atof(s.substr(s.find(':') + 1).c_str());
      return true;
    };
    if (value("Maximum amplitude")) l.peakDb = 20 * std::log10(std::max(v, 1e-10));
    if (value("RMS     amplitude")) l.rmsDb = 20 * std::log10(std::max(v, 1e-10));
  }
  pclose(p);
  return l;
}

// Index of the first stereo frame louder than `level`, or -1.
long Onset(const std::vector<int16_t>& s, int level) {
  for (size_t i = 0; i < s.size(); ++i)
    if (std::abs(s[i]) > level) return static_cast<long>(i / 2);
  return -1;
}

// The strongest frequency (Hz, 4 Hz steps) between 100 and 2500 Hz in the mono sum of `frames`
// frames from `from`: the power of Hann-windowed blocks of 4096 frames (93 ms, so each note's
// restart does not split its partials into a comb) summed over the stretch.
double StrongestHz(const std::vector<int16_t>& s, long from, long frames) {
  constexpr long BLOCK = 4096;
  // The window once: a cosine per sample and frequency would cost most of a second per second read.
  static const std::vector<double> HANN = [] {
    std::vector<double> w(BLOCK);
    for (long i = 0; i < BLOCK; ++i) w[static_cast<size_t>(i)] = 0.5 - 0.5 * std::cos(2 * M_PI * static_cast<double>(i) / BLOCK);
    return w;
  }();
  double best = 0, bestPower = -1;
  for (double hz = 100; hz <= 2500; hz += 4) {
    const double w = 2 * M_PI * hz / CAPTURE_RATE, k = 2 * std::cos(w);
    double power = 0;
    for (long start = from; start + BLOCK <= from + frames; start += BLOCK) {
      double a = 0, b = 0;
      for (long i = 0; i < BLOCK; ++i) {
        const double hann = HANN[static_cast<size_t>(i)];
        const size_t at = static_cast<size_t>(2 * (start + i));
        const double c = hann * (s[at] + s[at + 1]) + k * a - b;
        b = a;
        a = c;
      }
      power += a * a + b * b - k * a * b;
    }
    if (power > bestPower) bestPower = power, best = hz;
  }
  return best;
}

class MusicE2eTest : public GameE2eTest, public testing::WithParamInterface<AudioPath> {
 protected:
  void TearDown() override {
    for (const auto& [name, value] : savedEnv_) {
      if (value.empty()) unsetenv(name.c_str());
      else setenv(name.c_str(), value.c_str(), 1);
    }
    GameE2eTest::TearDown();
  }
  void SetEnv(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    savedEnv_.emplace_back(name, old ? old : "");
    setenv(name, value.c_str(), 1);
  }

  // Starts the game with the driver's file output, M on the title, `seconds` of play (and on,
  // up to `limit` seconds, until `heard` holds for the capture so far), then closes it properly
  // (so the capture is complete); gives the capture's samples.
  std::vector<int16_t> PlayAndCapture(int music, int master, double seconds, double limit = 0,
                                      const std::function<bool(const std::vector<int16_t>&)>& heard = nullptr) {
    const AudioPath& path = GetParam();
    // Sound effects off: the start-up jingle would be captured before the music.
    std::ofstream(Files() / "Setup.ini") << "[Graphics]\nWidth=800\nHeight=600\n[Audio]\nMaster = " << master
                                         << "\nSound = 0\nMusic = " << music << "\nAudioDriver = " << path.driver << "\n";
    capture_ = root_ / (path.openal ? "openal.wav" : "sdl.raw");
    if (path.openal) {
      // No dither: silence must stay all zeros.
      const fs::path conf = root_ / "alsoft.conf";
      std::ofstream(conf) << "[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\nsample-type = int16\n"
                          << "dither = false\n"
                          << "[wave]\nfile = " << capture_.string() << "\n";
      SetEnv("ALSOFT_CONF", conf.string());
      SetEnv("ALSOFT_DRIVERS", "wave");
      SetEnv("SDL_AUDIODRIVER", "dummy");
    } else {
      SetEnv("SDL_AUDIODRIVER", "disk");
      SetEnv("SDL_DISKAUDIOFILE", capture_.string());
      SetEnv("ALSOFT_DRIVERS", "null");
    }
    Launch();
    Window title = WaitTitle();
    EXPECT_NE(title, 0u) << "no title";
    if (!title) return {};
    PressKey(title, "m");
    const auto pressed = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    // The music takes at most one step a frame: on a loaded machine that draws few frames it runs
    // slow, and a passage comes later than its time.
    while (heard && std::chrono::steady_clock::now() - pressed < std::chrono::duration<double>(limit) &&
           !heard(ReadCapture(capture_, path.openal)))
      std::this_thread::sleep_for(std::chrono::seconds(1));
    AskToClose(title);
    Window thanks = WaitWindow(640, 480, 10);
    if (thanks) AskToClose(thanks);
    EXPECT_EQ(WaitExit(15), 0);
    std::vector<int16_t> samples = ReadCapture(capture_, path.openal);
    EXPECT_GT(samples.size(), static_cast<size_t>(2 * CAPTURE_RATE * seconds)) << capture_;
    // A raw copy for sox, whichever the source.
    std::ofstream(root_ / "capture.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    return samples;
  }

  fs::path capture_;

 private:
  std::vector<std::pair<std::string, std::string>> savedEnv_;
};

// M on the title, five seconds of BrevoPlat: the capture holds music, loud enough to hear and
// below full scale with no clipped sample.
TEST_P(MusicE2eTest, TitleMusicIsCapturedWithoutClipping) {
  const std::vector<int16_t> s = PlayAndCapture(50, 50, 5);
  ASSERT_FALSE(s.empty());
  const long onset = Onset(s, 100);
  ASSERT_GE(onset, 0) << "silence";
  // The music part alone: from its first note, four seconds.
  const std::vector<int16_t> part(s.begin() + 2 * onset, s.begin() + std::min<long>(static_cast<long>(s.size()), 2 * (onset + 4 * CAPTURE_RATE)));
  std::ofstream(root_ / "music.raw", std::ios::binary)
      .write(reinterpret_cast<const char*>(part.data()), static_cast<std::streamsize>(part.size() * 2));
  const Loudness l = SoxStat(root_ / "music.raw");
  EXPECT_GT(l.rmsDb, -45) << "music, not silence";
  EXPECT_LT(l.rmsDb, -18);
  EXPECT_LT(l.peakDb, -1);
  long clipped = 0;
  for (int16_t v : s) clipped += v == 32767 || v == -32768;
  EXPECT_EQ(clipped, 0);
}

// With "Music = 0" in Setup.ini the same run is silent.
TEST_P(MusicE2eTest, MusicVolumeZeroIsSilent) {
  const std::vector<int16_t> s = PlayAndCapture(0, 50, 3);
  ASSERT_FALSE(s.empty());
  EXPECT_EQ(Onset(s, 0), -1) << "every sample is zero";
  EXPECT_LT(SoxStat(root_ / "capture.raw").peakDb, -90);
}

// The first note's pitch and the highest heard two seconds after it or later, second by second
// (0, 0 before there is enough to read).
struct Pitches {
  double low = 0, high = 0;
};
Pitches FirstAndHighest(const std::vector<int16_t>& s) {
  Pitches p;
  const long onset = Onset(s, 300);
  const long frames = static_cast<long>(s.size() / 2);
  if (onset < 0 || onset + 3 * CAPTURE_RATE > frames) return p;
  p.low = StrongestHz(s, onset + CAPTURE_RATE / 2, CAPTURE_RATE);
  for (long at = onset + 2 * CAPTURE_RATE; at + CAPTURE_RATE <= frames; at += CAPTURE_RATE / 2)
    p.high = std::max(p.high, StrongestHz(s, at, CAPTURE_RATE));
  return p;
}

// A melody note "q" over the chord "q" (rate 1) for two patterns (eight seconds at full pace),
// then over "i" (rate 2): the captured pitch doubles. Played until the octave is heard, within a
// minute: a loaded machine may draw fewer frames than there are steps, and the music runs slow.
TEST_P(MusicE2eTest, RateTwoSoundsAnOctaveHigher) {
  std::ofstream(Files() / "247" / "music" / "BrevoPlat.ini") << "[CHORDS]\n\"qqqqqqqqiiiiiiii\"\n[MELODY]\nSTRETCH FALSE\n\"q\"\n";
  // Heard once the last second of the capture so far sounds the octave.
  const std::vector<int16_t> s = PlayAndCapture(100, 100, 14, 60, [](const std::vector<int16_t>& sofar) {
    const long onset = Onset(sofar, 300), frames = static_cast<long>(sofar.size() / 2);
    if (onset < 0 || onset + 3 * CAPTURE_RATE > frames) return false;
    const double low = StrongestHz(sofar, onset + CAPTURE_RATE / 2, CAPTURE_RATE);
    return low > 0 && StrongestHz(sofar, frames - CAPTURE_RATE, CAPTURE_RATE) / low > 1.96;
  });
  ASSERT_FALSE(s.empty());
  ASSERT_GE(Onset(s, 300), 0) << "silence";
  const Pitches p = FirstAndHighest(s);
  EXPECT_NEAR(p.low, 523.25, 12) << "C5, the lead's own note";
  ASSERT_GT(p.high, 0);
  EXPECT_NEAR(p.high / p.low, 2.0, 0.04) << p.low << " Hz, then at most " << p.high << " Hz";
}

INSTANTIATE_TEST_SUITE_P(Drivers, MusicE2eTest,
                         testing::Values(AudioPath{"FreeAudio SDL", false}, AudioPath{"OpenAL", true}),
                         [](const testing::TestParamInfo<AudioPath>& p) { return p.param.openal ? std::string("OpenAL") : std::string("SdlDisk"); });

}  // namespace
