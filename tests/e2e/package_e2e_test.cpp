// The Debian package as a player gets it: built by CPack from this build (no compile), unpacked
// with dpkg -x into a scratch root, and started twice by its desktop entry's command under X with
// HOME and XDG_DATA_HOME in scratch folders. The first run reaches the title, takes a screenshot,
// plays a game, quits it, files the score and closes; everything it wrote lies in the player's
// folder and nothing in the unpacked tree. The second run reads the settings and the scores the
// first one wrote. The scratch folders go whatever the outcome.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Xlib last: its macros (None, Bool, Status) clash with the test framework's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "e2e/game_window.h"
#include "e2e/x11_close.h"
#include "support/file_lines.h"

namespace fs = std::filesystem;

namespace {

// The 800 x 600 window shows the 1280 x 960 logical screen at 5/8.
int Win(int logical) { return logical * 5 / 8; }

bool HasLine(const fs::path& file, const std::string& line) {
  for (const std::string& l : FileLines(file))
    if (l == line) return true;
  return false;
}

// Every path of a tree with its size and modification time: what a run may not change.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    struct stat st {};
    if (lstat(e.path().c_str(), &st) != 0) continue;
    files[fs::relative(e.path(), root).string()] =
        std::to_string(st.st_size) + "@" + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
  }
  return files;
}

// A level: the grass on top of its ground, on black air.
bool LevelShown(const std::vector<uint32_t>& px) {
  if (px.size() != 800 * 600) return false;
  size_t grass = 0;
  for (uint32_t c : px) {
    const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
    grass += g > 120 && g > r + 40 && g > b + 40;
  }
  return grass > 1500;
}

// Name entry: red-to-blue stripes without green.
bool NameEntryShown(const std::vector<uint32_t>& px) {
  if (px.size() != 800 * 600) return false;
  size_t stripes = 0;
  for (uint32_t c : px) stripes += (c >> 8 & 0xFF) < 8 && (c & 0xFF) > 40;
  return stripes > px.size() / 2;
}

// Pixels that differ clearly between two pictures.
size_t Changed(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return a.size() + b.size();
  size_t n = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    int d = 0;
    for (int s = 0; s < 24; s += 8) d += std::abs(static_cast<int>(a[i] >> s & 0xFF) - static_cast<int>(b[i] >> s & 0xFF));
    n += d > 48;
  }
  return n;
}

class PackageE2eTest : public GameWindowTest {
 protected:
  // No run folder here: the game comes from the unpacked package. The scratch folder goes also
  // after a failure (the shared tear-down): a package tree per run would pile up.
  void SetUp() override {
    ConnectDisplay();
    root_ = TestFolder("package");
    for (const char* sub : {"deb", "root", "home", "data"}) fs::create_directories(root_ / sub);
  }

  // The .deb that `make package` makes, built from this build's tree into the scratch folder.
  fs::path BuildPackage() {
    const fs::path config = fs::path(GAME_DIR).parent_path() / "CPackConfig.cmake";
    const std::string cmd = "cpack -G DEB --config '" + config.string() + "' -B '" + (root_ / "deb").string() + "' > '" +
                            (root_ / "cpack.txt").string() + "' 2>&1";
    if (std::system(cmd.c_str()) != 0) return {};
    for (const auto& e : fs::directory_iterator(root_ / "deb"))
      if (e.path().extension() == ".deb") return e.path();
    return {};
  }

  // The Exec command of the unpacked desktop entry, found on a PATH that leads to the unpacked
  // bin/, run with the player's folders in scratch and output kept beside them.
  void LaunchFromDesktopEntry() {
    std::string exec;
    for (const std::string& l : FileLines(root_ / "root/usr/share/applications/plonko-elongo.desktop"))
      if (l.rfind("Exec=", 0) == 0) exec = l.substr(5);
    ASSERT_EQ(exec, "plonko-elongo");
    pid_ = fork();
    ASSERT_GE(pid_, 0);
    if (pid_ != 0) return;
    if (chdir((root_ / "home").c_str()) != 0) _exit(126);
    const std::string path = (root_ / "root/usr/bin").string() + ":" + (getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin");
    setenv("PATH", path.c_str(), 1);
    setenv("HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string out = (root_ / "output.txt").string();
    if (!freopen(out.c_str(), "a", stdout) || !freopen(out.c_str(), "a", stderr)) _exit(126);
    execlp(exec.c_str(), exec.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }

  fs::path Player() const { return root_ / "data/plonko-elongo/Files"; }

  // Start-up finished (its log in the player's folder) and the window up; 0 when not.
  Window WaitStarted() {
    if (!WaitFor([&] { return HasLine(Player() / "Debug.txt", "Finished Loading"); }, 60)) return 0;
    return WaitWindow(800, 600, 10);
  }
  bool WaitTitle(Window w, double seconds) {
    return WaitFor([&] { return TitleShown(Grab(w)); }, seconds);
  }
  // Held for a moment: the game looks at held keys once per frame.
  void Key(Window w, const std::string& key) {
    Focus(w);
    Shell("xdotool keydown --window " + std::to_string(w) + " " + key);
    Sleep(250);
    Shell("xdotool keyup --window " + std::to_string(w) + " " + key);
  }
  // A close request to the game window, then to the thank-you screen; the exit code.
  int Close(Window w) {
    SendCloseRequest(dpy_, w);
    const Window thanks = WaitWindow(640, 480, 15);
    if (thanks == 0) return -2;
    SendCloseRequest(dpy_, thanks);
    return WaitExit(15);
  }
};

TEST_F(PackageE2eTest, UnpackedPackageWritesOnlyIntoThePlayersFolderAndReadsItBack) {
  const fs::path deb = BuildPackage();
  ASSERT_FALSE(deb.empty()) << "cpack failed, see its output";
  ASSERT_EQ(std::system(("dpkg -x '" + deb.string() + "' '" + (root_ / "root").string() + "'").c_str()), 0);
  const auto shipped = Snapshot(root_ / "root");
  ASSERT_TRUE(shipped.count("usr/share/plonko-elongo/Files/247/logo.png"));

  // First run: title, a screenshot, a game quit from the pause menu, the name offered, closed.
  LaunchFromDesktopEntry();
  Window w = WaitStarted();
  ASSERT_NE(w, 0u) << "no start-up";
  ASSERT_TRUE(HasLine(Player() / "Debug.txt", "\tPlayer folder : " + Player().string()));
  ASSERT_TRUE(WaitTitle(w, 60)) << "no title";
  // The save stalls the frame behind a notice: the title is back once the log says it is saved.
  Key(w, "F11");
  ASSERT_TRUE(WaitFor([&] { return HasLine(Player() / "Debug.txt", "\tSaved Screenshot 1"); }, 30)) << "no screenshot";
  bool shot = false;
  for (const auto& e : fs::directory_iterator(Player())) shot |= e.path().extension() == ".png";
  EXPECT_TRUE(shot) << "no screenshot in the player's folder";
  ASSERT_TRUE(WaitTitle(w, 30)) << "no title after the screenshot";

  Focus(w);
  Shell("xdotool mousemove --window " + std::to_string(w) + " " + std::to_string(Win(640)) + " " + std::to_string(Win(480)));
  Shell("xdotool mousedown 1");
  const bool started = WaitFor([&] { return !TitleShown(Grab(w)); }, 30);
  Shell("xdotool mouseup 1");
  ASSERT_TRUE(started) << "the title did not start a game";
  Shell("xdotool mousemove --window " + std::to_string(w) + " " + std::to_string(Win(1100)) + " " + std::to_string(Win(900)));
  // Escape opens the pause menu (its flying titles cover the game), Down highlights "Quit",
  // Escape chooses it; after "Game Over" name entry offers "Player", which Return files.
  // The level is up once its grass shows and the picture stands still (its Plonko waits for a
  // tickle); the pause menu only answers while the level runs.
  std::vector<std::uint32_t> playing, now;
  ASSERT_TRUE(WaitFor([&] {
    now = Grab(w);
    const bool still = LevelShown(now) && Changed(playing, now) <= 2000;
    playing = now;
    return still;
  }, 30)) << "no level";
  Key(w, "Escape");
  ASSERT_TRUE(WaitFor([&] { return Changed(playing, Grab(w)) > 20000; }, 30)) << "no pause menu";
  Key(w, "Down");
  Key(w, "Escape");
  ASSERT_TRUE(WaitFor([&] { return NameEntryShown(Grab(w)); }, 30)) << "no name entry";
  Key(w, "Return");
  ASSERT_TRUE(WaitTitle(w, 30)) << "not back on the title";
  ASSERT_EQ(Close(w), 0);

  const std::vector<std::string> scores = FileLines(Player() / "247/scores.dat");
  ASSERT_EQ(scores.size(), 2u);
  EXPECT_EQ(scores[0].rfind("0|Player|0|", 0), 0u) << scores[0];
  EXPECT_TRUE(HasLine(Player() / "Setup.ini", "[Graphics]"));
  EXPECT_FALSE(fs::exists(Player() / "247/crash.dat"));
  EXPECT_EQ(Snapshot(root_ / "root"), shipped) << "the run wrote into the unpacked tree";

  // Second run: the settings are read from the player's folder, and the scores too (otherwise
  // closing would save an empty table over them).
  LaunchFromDesktopEntry();
  w = WaitStarted();
  ASSERT_NE(w, 0u) << "no second start-up";
  EXPECT_TRUE(HasLine(Player() / "Debug.txt", "\tReading Setup File"));
  ASSERT_EQ(Close(w), 0);
  EXPECT_EQ(FileLines(Player() / "247/scores.dat"), scores);
  EXPECT_EQ(Snapshot(root_ / "root"), shipped) << "the second run wrote into the unpacked tree";
}

}  // namespace
