// Saves that fail: a full disk, a read-only folder, a rename that is refused. The old Setup.ini
// and scores.dat stay whole, no temporary file is left, the log gives the reason each time, the
// player sees one message per file, and the next save that can succeed does.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "common/log.h"
#include "engine/save_report.h"
#include "engine/setup_file.h"
#include "engine_fixture.h"
#include "frame/frame_state.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t NOBODY = 65534;

// Runs `work` under a fault. Root passes every permission check, so the permission faults run
// with another effective user while root.
struct Fault {
  const char* name;
  const char* step;  // the step whose failure the log names
  std::function<bool(const fs::path& folder, const std::function<void()>& work)> apply;
};

bool AsOtherUser(const std::function<void()>& work) {
  const bool root = ::geteuid() == 0;
  if (root && ::seteuid(NOBODY) != 0) return false;
  work();
  if (root && ::seteuid(0) != 0) std::abort();
  return true;
}

const Fault FAULTS[] = {
    {"full disk", "write",
     [](const fs::path&, const std::function<void()>& work) {
       // No file may grow past 200 bytes, as if the disk were full: the saved files are longer,
       // the log with its two report lines is not.
       rlimit old{};
       ::getrlimit(RLIMIT_FSIZE, &old);
       ::signal(SIGXFSZ, SIG_IGN);
       rlimit tiny = old;
       tiny.rlim_cur = 200;
       ::setrlimit(RLIMIT_FSIZE, &tiny);
       work();
       ::setrlimit(RLIMIT_FSIZE, &old);
       ::signal(SIGXFSZ, SIG_DFL);
       return true;
     }},
    {"read-only folder", "create",
     [](const fs::path& folder, const std::function<void()>& work) {
       ::chmod(folder.c_str(), 0555);
       const bool ran = AsOtherUser(work);
       ::chmod(folder.c_str(), 0755);
       return ran;
     }},
    {"refused rename", "rename",
     [](const fs::path& folder, const std::function<void()>& work) {
       // A sticky folder open to all: another user may write a new file there, but may not rename
       // it over the old one, which is root's.
       if (::geteuid() != 0) return false;
       ::chmod(folder.c_str(), 01777);
       const bool ran = AsOtherUser(work);
       ::chmod(folder.c_str(), 0755);
       return ran;
     }},
};

void PrintTo(const Fault& f, std::ostream* os) { *os << f.name; }

class FailedSaveTest : public EngineTest, public testing::WithParamInterface<Fault> {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // Another user must reach the folders; the log is opened before any fault.
    for (fs::path p = Game(); p != root_.parent_path(); p = p.parent_path()) ::chmod(p.c_str(), 0755);
    LogStream = OpenWrite((Files() / "Debug.txt").string());
    MessageList.Clear();
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> out;
    MessageList.ForEach([&](Message& m) { out.push_back(m.txt); });
    return out;
  }
  std::vector<std::string> LogWith(const std::string& text) {
    std::vector<std::string> out;
    for (const std::string& line : FileLines(Files() / "Debug.txt"))
      if (line.find(text) != std::string::npos) out.push_back(line);
    return out;
  }
  static std::vector<std::string> Leftovers(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
      if (e.path().filename().string().find(".tmp") != std::string::npos) out.push_back(e.path().filename());
    return out;
  }
  // Saves twice under the fault, then once without it.
  void Check(const fs::path& folder, const std::string& file, const std::function<bool()>& save,
             const std::function<void()>& change) {
    const std::string old = FileText(folder / file);
    change();
    bool saved[2] = {true, true};
    for (bool& s : saved)
      if (!GetParam().apply(folder, [&] { s = save(); })) GTEST_SKIP() << "needs root to set up this fault";
    EXPECT_FALSE(saved[0] || saved[1]) << "a failed save reported as done";
    EXPECT_EQ(FileText(folder / file), old) << "the old file must stay whole";
    EXPECT_EQ(Leftovers(folder), std::vector<std::string>{});
    const auto logged = LogWith("Could not save " + file);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].find(std::string("(") + GetParam().step + ": "), std::string::npos) << logged[0];
    EXPECT_EQ(Messages(), std::vector<std::string>{"Could not save " + file + ": the old one is kept"});

    EXPECT_TRUE(save()) << "once the fault is gone the file is saved";
    EXPECT_NE(FileText(folder / file), old);
  }
};

TEST_P(FailedSaveTest, SetupFileKeepsTheOldOne) {
  ChangeDir(Game().string());
  ASSERT_TRUE(WriteSetup());
  Check(Files(), "Setup.ini", [] { return WriteSetup(); }, [] { Settings[Width] = 1600; });
}

TEST_P(FailedSaveTest, ScoreFileKeepsTheOldOne) {
  ChangeDir(Game().string());
  ScoreList.Clear();
  ScoreList.Append(Scores{.Score = 10, .Timestamp = 5, .Name = std::string(150, 'A')});
  ASSERT_TRUE(SaveScoreFile());
  Check(Game(), "scores.dat", [] { return SaveScoreFile(); },
        [] { ScoreList.Append(Scores{.Score = 20, .Timestamp = 6, .Name = "Bo"}); });
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedSaveTest, testing::ValuesIn(FAULTS), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (c == ' ' || c == '-') c = '_';
  return name;
});

}  // namespace
