// Where the game finds its data and where it writes: beside the program (a build's run folder, as
// always) or an installed tree's share/plonko-elongo with the player's files under XDG_DATA_HOME.
// The last test starts the engine headless in an installed layout and looks where the files went.
#include <sys/stat.h>

#include <algorithm>

#include "common/folders.h"
#include "engine/closing.h"
#include "engine/startup.h"
#include "engine/title.h"
#include "engine_fixture.h"

namespace fs = std::filesystem;

namespace {

class PlayerFolderTest : public EngineTest {
 protected:
  void TearDown() override {
    if (hadXdg_) setenv("XDG_DATA_HOME", xdg_.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
    EngineTest::TearDown();
  }
  void SetXdg(const fs::path& to) {
    if (const char* old = getenv("XDG_DATA_HOME")) hadXdg_ = true, xdg_ = old;
    setenv("XDG_DATA_HOME", to.c_str(), 1);
  }
  bool hadXdg_ = false;
  std::string xdg_;
};

TEST_F(PlayerFolderTest, DataIsBesideTheProgramOrInTheInstalledShareFolder) {
  const fs::path run = root_ / "run", prefix = root_ / "usr", bare = root_ / "bare";
  fs::create_directories(run / "Files" / "247");
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share" / "plonko-elongo" / "Files" / "247");
  fs::create_directories(bare);
  struct Case {
    fs::path appDir, data;
  } cases[] = {
      // program in        data found in
      {run, run},                                     // a build's run folder (or a copy of it)
      {prefix / "bin", prefix / "share/plonko-elongo"},  // an installed tree
      {bare, bare},                                   // nothing anywhere: as before, its own folder
  };
  for (const Case& c : cases) EXPECT_EQ(DataFolder(c.appDir.string()), c.data.string()) << c.appDir;
  // Data beside the program wins over an installed tree around it.
  fs::create_directories(prefix / "bin" / "Files");
  EXPECT_EQ(DataFolder((prefix / "bin").string()), (prefix / "bin").string());
}

TEST_F(PlayerFolderTest, PlayerDataHomeFollowsXdgRules) {
  struct Case {
    const char* xdg;
    std::string home, want;
  } cases[] = {
      // XDG_DATA_HOME   HOME         player's data home
      {"/x/data", "/h", "/x/data/plonko-elongo"},
      {nullptr, "/h", "/h/.local/share/plonko-elongo"},
      {"", "/h", "/h/.local/share/plonko-elongo"},
      {"rel/data", "/h", "/h/.local/share/plonko-elongo"},  // not a full path: ignored
      {nullptr, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PlayerDataHome(c.xdg, c.home), c.want) << (c.xdg ? c.xdg : "(unset)");
}

TEST_F(PlayerFolderTest, AWritableRunFolderKeepsItsFilesAnInstalledTreeNever) {
  const fs::path run = root_ / "run", share = root_ / "usr/share/plonko-elongo";
  fs::create_directories(run / "Files" / "247");
  fs::create_directories(share / "Files" / "247");
  EXPECT_EQ(ChoosePlayerFolder(run.string(), (run / "Files").string(), "/p/plonko-elongo"), "");
  // An installed tree is the package's even where its user could write.
  EXPECT_EQ(ChoosePlayerFolder(share.string(), (share / "Files").string(), "/p/plonko-elongo"), "/p/plonko-elongo/Files");
  // Without any home the game writes where it can, as before.
  EXPECT_EQ(ChoosePlayerFolder(share.string(), (share / "Files").string(), ""), "");
}

TEST_F(PlayerFolderTest, AReadOnlyRunFolderUsesThePlayersFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path run = root_ / "run";
  fs::create_directories(run / "Files" / "247");
  chmod((run / "Files" / "247").c_str(), 0555);
  EXPECT_EQ(ChoosePlayerFolder(run.string(), (run / "Files").string(), "/p/plonko-elongo"), "/p/plonko-elongo/Files");
  chmod((run / "Files" / "247").c_str(), 0755);
  chmod((run / "Files").c_str(), 0555);
  EXPECT_EQ(ChoosePlayerFolder(run.string(), (run / "Files").string(), "/p/plonko-elongo"), "/p/plonko-elongo/Files");
  chmod((run / "Files").c_str(), 0755);
}

// Start-up, a filed game and the closing sequence of an installed copy: the log, the settings and
// the scores land in the player's folder, laid out as under Files/; the shipped tree is untouched.
TEST_F(PlayerFolderTest, InstalledCopyWritesEverythingIntoThePlayersFolder) {
  const fs::path share = root_ / "usr/share/plonko-elongo", xdg = root_ / "xdg";
  fs::create_directories(share);
  fs::rename(root_ / "Files", share / "Files");
  SetXdg(xdg);
  ChangeDir(share.string());
  HeadlessSetFlipCost(40);  // the engine test ends quickly
  StartUp();
  const fs::path player = xdg / "plonko-elongo" / "Files";
  EXPECT_EQ(PlayerFolder, player.string());
  ScoreList.Append(Scores{});  // a game filed during the run
  HeadlessOnFrame([](int) { HeadlessRequestClose(); });
  try {
    ClosingSequence();
  } catch (const ProcessEnded&) {
  }
  if (LogStream) CloseFile(LogStream);
  LogStream = 0;

  const std::vector<std::string> log = FileLines(player / "Debug.txt");
  ASSERT_GE(log.size(), 10u);
  EXPECT_EQ(log[7], "Loading");
  EXPECT_EQ(log[8], "\tGame data : " + share.string());
  EXPECT_EQ(log[9], "\tPlayer folder : " + player.string());
  EXPECT_EQ(FileLines(player / "Setup.ini").front(), "[Graphics]");
  EXPECT_EQ(FileLines(player / "247" / "scores.dat").size(), 2u);
  std::vector<std::string> shipped;
  for (const auto& e : fs::recursive_directory_iterator(share)) shipped.push_back(fs::relative(e.path(), share).string());
  std::sort(shipped.begin(), shipped.end());
  EXPECT_EQ(shipped, (std::vector<std::string>{"Files", "Files/247", "Files/Common"})) << "written into the shipped tree";
  // The player's folders are private to the player.
  struct stat st {};
  ASSERT_EQ(stat((xdg / "plonko-elongo").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

}  // namespace
