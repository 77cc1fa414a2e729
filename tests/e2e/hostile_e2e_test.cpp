// The real game in hostile surroundings: a run folder it may not write to; one of its files
// removed, cut short, overwritten with noise or grown absurdly large; a display driver that cannot
// start.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "e2e/game_window.h"
#include "e2e/x11_close.h"
#include "support/file_lines.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t NOBODY = 65534;

std::string Text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The settings panel: a dark grey band over the top of the window.
bool PanelShown(const std::vector<uint32_t>& px) {
  if (px.size() != 800 * 600) return false;
  size_t grey = 0;
  for (size_t i = 800 * 20; i < 800 * 180; ++i) {
    const int r = px[i] >> 16 & 0xFF, g = px[i] >> 8 & 0xFF, b = px[i] & 0xFF;
    grey += std::abs(r - g) < 12 && std::abs(g - b) < 12 && r > 20 && r < 90;
  }
  return grey > 800 * 160 / 2;
}

class HostileE2eTest : public GameWindowTest {
 protected:
  void TearDown() override {
    // Writable again, so that the folder can be removed.
    for (const auto& e : fs::recursive_directory_iterator(root_))
      if (e.is_directory()) ::chmod(e.path().c_str(), 0755);
    ::chmod(root_.c_str(), 0755);
    GameWindowTest::TearDown();
  }
  // A key typed in our window, with the keyboard focus on it.
  void PressKey(Window w, const char* key) {
    Focus(w);
    Shell(std::string("xdotool key --window ") + std::to_string(w) + " " + key);
  }
};

// Rule: with nothing writable the game still runs and closes as usual; its settings and scores
// stay as they were, it says on standard error that it has no log, and no temporary file is left.
// (What it shows on screen is proved on the headless back end: the grab of a window drawn once,
// like the thank-you screen, comes back black under Xvfb.)
TEST_F(HostileE2eTest, AReadOnlyRunFolderKeepsItsFilesAndSaysSo) {
  const std::string setup = "[Graphics]\r\nWidth=800\r\nHeight=600\r\n";
  const std::string scores = "5|Ann|0|63460269909|0|0|0|1\r\n0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\r\n";
  std::ofstream(root_ / "Files" / "Setup.ini", std::ios::binary) << setup;
  std::ofstream(root_ / "Files" / "247" / "scores.dat", std::ios::binary) << scores;
  std::ofstream(root_ / "output.txt");  // the test's own record of the game's output
  ::chmod((root_ / "output.txt").c_str(), 0666);
  for (const auto& e : fs::recursive_directory_iterator(root_))
    if (e.is_directory()) ::chmod(e.path().c_str(), 0555);
  ::chmod(root_.c_str(), 0555);

  Launch(::geteuid() == 0 ? NOBODY : 0);
  const Window title = WaitWindow(800, 600, 60);
  ASSERT_NE(title, 0u) << Text(root_ / "output.txt");
  ASSERT_TRUE(WaitFor([&] { return TitleShown(Grab(title, true)); }, 60)) << "no title";
  PressKey(title, "Tab");  // the settings panel opens and closes: two saves that fail
  ASSERT_TRUE(WaitFor([&] { return PanelShown(Grab(title, true)); }, 30)) << "the settings panel must open";
  PressKey(title, "Tab");
  ASSERT_TRUE(WaitFor([&] { return !PanelShown(Grab(title, true)); }, 30)) << "the settings panel must close";
  SendCloseRequest(dpy_, title);
  const Window thanks = WaitWindow(640, 480, 20);
  ASSERT_NE(thanks, 0u) << "the closing sequence must run";
  SendCloseRequest(dpy_, thanks);
  EXPECT_EQ(WaitExit(20), 0);

  EXPECT_EQ(Text(root_ / "Files" / "Setup.ini"), setup);
  EXPECT_EQ(Text(root_ / "Files" / "247" / "scores.dat"), scores);
  EXPECT_FALSE(fs::exists(root_ / "Files" / "Debug.txt"));
  EXPECT_NE(Text(root_ / "output.txt").find("Debug.txt; no log this run"), std::string::npos);
  for (const auto& e : fs::recursive_directory_iterator(root_))
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

enum class Damage {
  REMOVED,
  TRUNCATED,   // the first half kept, as a copy cut off by a full disk
  GARBAGE,     // the same size of noise
  HUGE,        // 300 MB, sparse: a header (if any) and then nothing
  HUGE_PNG,    // a PNG whose header claims 100000 x 100000 pixels
};

struct Fault {
  const char* file;  // below the run folder
  Damage how;
  const char* log;   // a line that Debug.txt must hold
  const char* key;   // typed on the title first ("" none): a song is loaded by M, a level by a start
};

// One real run per file kind: fonts, common and game images, effects, music samples, songs, level
// images and the player's scores. The headless table tries every file in all three ways.
const Fault FAULTS[] = {
    // file                                   damage            log line
    {"Files/Common/SVBasicManual.ttf", Damage::REMOVED, "\tMissing file Files/Common/SVBasicManual.ttf", ""},
    {"Files/Common/icons.png", Damage::GARBAGE, "\tDamaged file Files/Common/icons.png", ""},
    {"Files/Common/badgeget.wav", Damage::TRUNCATED, "\tDamaged file Files/Common/badgeget.wav", ""},
    {"Files/247/plonko.png", Damage::TRUNCATED, "\tDamaged file Files/247/plonko.png", ""},
    {"Files/247/001.wav", Damage::GARBAGE, "\tDamaged file Files/247/001.wav", ""},
    {"Files/247/music/bass1.wav", Damage::HUGE, "\tDamaged file Files/247/music/bass1.wav", ""},
    {"Files/247/music/BrevoPlat.ini", Damage::HUGE, "\tDamaged file Files/247/music/BrevoPlat.ini", "m"},
    {"Plonko_Levels/Soft.png", Damage::REMOVED, "\tCannot start: no level 1 in Plonko_Levels/Soft.png", "start"},
    {"Plonko_Levels/Soft.png", Damage::HUGE_PNG, "\tDamaged file Plonko_Levels/Soft.png", "start"},
    {"Plonko_Levels/Soft.png", Damage::HUGE, "\tDamaged file Plonko_Levels/Soft.png", "start"},
    {"Files/247/scores.dat", Damage::GARBAGE, "\tscores.dat is damaged; kept as scores.dat.damaged, and a new one begun", ""},
    {"Files/247/scores.dat", Damage::HUGE, "\tscores.dat is damaged; kept as scores.dat.damaged, and a new one begun", ""},
};

const std::string SCORES =
    "5|Ann|0|63460269909|0|0|0|1\r\n0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\r\n";

// The start of a PNG whose header (its checksum right) says 100000 x 100000 pixels: the reader must
// refuse it on the header, before asking for memory.
std::string HugePng() {
  const unsigned char bytes[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                 0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0, 8, 6, 0, 0, 0, 0xA8, 0x52, 0x0B, 0xC8};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void Apply(const fs::path& path, Damage how) {
  const std::string old = Text(path);
  std::string noise(old.size(), '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) >> 3);
  switch (how) {
    case Damage::REMOVED: fs::remove(path); break;
    case Damage::TRUNCATED: std::ofstream(path, std::ios::binary | std::ios::trunc) << old.substr(0, old.size() / 2); break;
    case Damage::GARBAGE: std::ofstream(path, std::ios::binary | std::ios::trunc) << noise; break;
    case Damage::HUGE:
      std::ofstream(path, std::ios::binary | std::ios::trunc) << old.substr(0, 64);
      fs::resize_file(path, uintmax_t{300} << 20);
      break;
    case Damage::HUGE_PNG: std::ofstream(path, std::ios::binary | std::ios::trunc) << HugePng(); break;
  }
}

bool HasLine(const fs::path& file, const std::string& line) {
  for (const std::string& l : FileLines(file))
    if (l == line) return true;
  return false;
}

// One game of a table: its own run folder, process and window.
struct Game {
  fs::path root;
  pid_t pid = 0;
  Window title = 0;
  std::string setup;  // Setup.ini written before the start ("" none)
  std::vector<std::pair<std::string, std::string>> env;
};

class DamagedFilesE2eTest : public GameWindowTest {
 protected:
  void TearDown() override {
    for (Game& g : games_)
      if (g.pid > 0) {
        kill(g.pid, SIGKILL);
        waitpid(g.pid, nullptr, 0);
      }
    GameWindowTest::TearDown();
  }
  Game& Add() {
    Game& g = games_.emplace_back();
    g.root = TestFolder("damaged");
    CopyRunFolder(g.root);
    return g;
  }
  // All games run side by side: each start-up waits out its own hold, so one at a time would take
  // the table's length times as long.
  void StartAll() {
    for (Game& g : games_) {
      if (!g.setup.empty()) std::ofstream(g.root / "Files" / "Setup.ini", std::ios::binary) << g.setup;
      g.pid = LaunchGame(g.root, {}, 0, g.env);
      ASSERT_GT(g.pid, 0);
    }
  }
  // The title up, in its window, before the time runs out; false otherwise. The window is looked
  // for again on each try: a display driver that cannot start closes the first window it opened,
  // and the one that takes over opens another.
  bool WaitTitle(Game& g, double seconds) {
    return WaitFor(
        [&] {
          g.title = FindWindow(800, 600, g.pid);
          return g.title != 0 && TitleShown(Grab(g.title, true));
        },
        seconds);
  }
  // Types `key` on the title, or for "start" presses the button on its middle (which starts a game)
  // until `done` holds. A press the title took no notice of (it was still sliding in) is let go and
  // made again.
  void Type(Game& g, const std::string& key, const std::function<bool()>& done) {
    Focus(g.title);
    const std::string win = std::to_string(g.title);
    if (key != "start") {
      Shell("xdotool key --window " + win + " " + key);
      return;
    }
    for (int press = 0; press < 10 && !done(); ++press) {
      Focus(g.title);
      Shell("xdotool mousemove --window " + win + " 400 300 mousedown 1");
      WaitFor(done, 3);
      Shell("xdotool mouseup 1 mousemove --window " + win + " 790 590");
    }
  }
  // Closes the title and the thank-you screen as a player would; the exit code (-1: it hung).
  int Close(Game& g) {
    SendCloseRequest(dpy_, g.title);
    const Window thanks = WaitWindow(640, 480, 60, g.pid);
    if (thanks != 0) SendCloseRequest(dpy_, thanks);
    int status = 0;
    if (!WaitFor([&] { return waitpid(g.pid, &status, WNOHANG) == g.pid; }, 60)) return -1;
    g.pid = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::vector<Game> games_;
};

// Rule: whichever file is removed, damaged or absurdly large, the game comes up, names the file in
// its log, and closes normally (no signal, no hang); a damaged scores.dat is kept byte for byte
// under another name instead of being written over.
TEST_F(DamagedFilesE2eTest, EachDamagedFileIsNamedAndTheGameRunsOn) {
  games_.reserve(std::size(FAULTS));
  std::vector<std::string> damaged;  // what each file holds after the damage (not the huge ones)
  for (const Fault& f : FAULTS) {
    Game& g = Add();
    std::ofstream(g.root / "Files" / "247" / "scores.dat", std::ios::binary) << SCORES;
    Apply(g.root / f.file, f.how);
    damaged.push_back(f.how == Damage::HUGE ? "" : Text(g.root / f.file));
  }
  StartAll();
  for (size_t i = 0; i < games_.size(); ++i) {
    Game& g = games_[i];
    const Fault& f = FAULTS[i];
    SCOPED_TRACE(f.file);
    ASSERT_TRUE(WaitTitle(g, 180)) << Text(g.root / "output.txt");
    const fs::path log = g.root / "Files" / "Debug.txt";
    if (*f.key) Type(g, f.key, [&] { return HasLine(log, f.log); });
    EXPECT_TRUE(WaitFor([&] { return HasLine(log, f.log); }, 30)) << Text(log);
    EXPECT_TRUE(WaitFor([&] { return TitleShown(Grab(g.title, true)); }, 30)) << "the title must come back";
  }
  for (size_t i = 0; i < games_.size(); ++i) {
    SCOPED_TRACE(FAULTS[i].file);
    const fs::path game = games_[i].root / "Files" / "247";
    EXPECT_EQ(Close(games_[i]), 0) << Text(games_[i].root / "output.txt");
    if (FAULTS[i].how == Damage::REMOVED || fs::path(FAULTS[i].file).filename() != "scores.dat") {
      EXPECT_EQ(Text(game / "scores.dat"), SCORES) << "the player's scores are kept";
    } else {
      EXPECT_TRUE(fs::exists(game / "scores.dat")) << "a new one is begun";
      if (FAULTS[i].how == Damage::HUGE)
        EXPECT_EQ(fs::file_size(game / "scores.dat.damaged"), uintmax_t{300} << 20);
      else
        EXPECT_EQ(Text(game / "scores.dat.damaged"), damaged[i]);
    }
  }
}

// Rule: a display driver that cannot start gives way to one that can, says so in the log and on
// screen, and the settings keep the one that worked.
TEST_F(DamagedFilesE2eTest, ADriverThatCannotStartFallsBack) {
  Game& g = Add();
  g.setup = "[Graphics]\r\nGFX Engine = OpenGL\r\nWidth=800\r\nHeight=600\r\n";
  g.env = {{"MESA_GL_VERSION_OVERRIDE", "2.1"}};  // no OpenGL 3.3 context for the OpenGL driver
  StartAll();
  const fs::path log = g.root / "Files" / "Debug.txt";
  ASSERT_TRUE(WaitTitle(g, 180)) << Text(g.root / "output.txt") << Text(log);
  EXPECT_TRUE(HasLine(log, "\tOpenGL driver did not start, trying DX9")) << Text(log);
  EXPECT_TRUE(HasLine(log, "\tUsing DirectX 9 Driver")) << Text(log);
  EXPECT_EQ(Close(g), 0);
  EXPECT_TRUE(HasLine(g.root / "Files" / "Setup.ini", "GFX Engine = DX9")) << Text(g.root / "Files" / "Setup.ini");
}

}  // namespace
