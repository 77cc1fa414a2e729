// --replay FILE in the built program: a level's solution plays in the real window and ends with
// one line on standard output, leaving Setup.ini and scores.dat as they were; a file that is
// missing, damaged or names no level ends at once with exit code 2 and the reason on standard
// error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "e2e/game_process.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int code = -1;
  std::string out, err;
};

std::string Text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Write(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// Runs the program of `root` from `root` with the given arguments, software OpenGL, no sound.
Outcome Replay(const fs::path& root, const std::string& args) {
  Outcome r;
  const fs::path err = root / "stderr.txt";
  const std::string cmd = "cd '" + root.string() + "' && LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy ./plonko-elongo " +
                          args + " 2>'" + err.string() + "'";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[512];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = Text(err);
  return r;
}

TEST(Replay, PlaysASolutionAndLeavesTheFilesAlone) {
  const fs::path root = TestFolder("replay_e2e");
  CopyRunFolder(root / "game");
  const fs::path game = root / "game";
  const std::string setup = "[Graphics]\nWidth=800\nHeight=600\n";
  const std::string scores = "4200|Ann|0|65066493600|0|0|0|1\n1|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0\n";
  Write(game / "Files" / "Setup.ini", setup);
  Write(game / "Files" / "247" / "scores.dat", scores);

  const Outcome r = Replay(game, "--replay '" + std::string(TEST_SOURCE_DIR) + "/assets/levels/soft_1.solution'");
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(r.out, m, std::regex("replay: Soft 1 won, score (\\d+), badges (\\d+), frames (\\d+)\n")))
      << r.out << r.err;
  // The walkers wait 660 frames before they move; the level is won within its three minutes.
  EXPECT_GT(std::stoi(m[3]), 660);
  EXPECT_LT(std::stoi(m[3]), 10800);
  EXPECT_EQ(Text(game / "Files" / "Setup.ini"), setup);
  EXPECT_EQ(Text(game / "Files" / "247" / "scores.dat"), scores);
  EXPECT_FALSE(fs::exists(game / "Files" / "247" / "scores.dat.tmp"));
}

TEST(Replay, AFileThatCannotBePlayedEndsWithCodeTwo) {
  const fs::path root = TestFolder("replay_bad_e2e");
  CopyRunFolder(root / "game");
  const fs::path game = root / "game";
  Write(root / "soft_2.solution", "662 move 452 448\n12 flop\n");
  Write(root / "soft_3.solution", "662 move 452 448\n12 press\n");
  Write(root / "level.solution", "662 press\n");
  Write(root / "soft_31.solution", "662 press\n");
  struct Case {
    std::string args;
    const char* says;  // in the reason on standard error
  } cases[] = {
      // arguments                                            the reason names
      {"--replay '" + (root / "missing" / "soft_1.solution").string() + "'", "cannot be read"},
      {"--replay '" + (root / "soft_2.solution").string() + "'", "not an event"},
      {"--replay '" + (root / "soft_3.solution").string() + "'", "frame before"},
      {"--replay '" + (root / "level.solution").string() + "'", "does not say the level"},
      {"--replay", "needs a solution file"},
      {"--replay '" + (root / "soft_31.solution").string() + "'", "no level 31"},
  };
  for (const Case& c : cases) {
    const Outcome r = Replay(game, c.args);
    EXPECT_EQ(r.code, 2) << c.args << "\n" << r.out << r.err;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_NE(r.err.find("cannot replay"), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_FALSE(fs::exists(game / "Files" / "247" / "scores.dat"));
  EXPECT_FALSE(fs::exists(game / "Files" / "Setup.ini"));
}

}  // namespace
