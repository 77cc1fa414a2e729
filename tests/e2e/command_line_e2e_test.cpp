// --help and --version of the built program answer on standard output and end at once, with no
// display at all (they come before anything opens) and nothing written into the run folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Answer {
  int code = -1;
  std::string out;
};

Answer RunGame(const std::string& args) {
  Answer a;
  const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY '" + std::string(GAME_DIR) + "/plonko-elongo' " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return a;
  char buf[512];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) a.out.append(buf, n);
  const int status = pclose(p);
  a.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return a;
}

TEST(CommandLine, HelpAndVersionAnswerAndExit) {
  const bool hadLog = std::filesystem::exists(std::string(GAME_DIR) + "/Files/Debug.txt");
  struct Case {
    const char* args;
    const char* starts;
  } cases[] = {
      // arguments          the answer begins with
      {"--help", "Usage: plonko-elongo [OPTION]\n"},
      {"-h", "Usage: plonko-elongo [OPTION]\n"},
      {"--version", "plonko-elongo "},
      {"-v", "plonko-elongo "},
      {"--fullscreen --version", "plonko-elongo "},  // other words are ignored, as always
  };
  for (const Case& c : cases) {
    const Answer a = RunGame(c.args);
    EXPECT_EQ(a.code, 0) << c.args << "\n" << a.out;
    EXPECT_EQ(a.out.rfind(c.starts, 0), 0u) << c.args << "\n" << a.out;
  }
  const Answer help = RunGame("--help");
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  // The keys a player needs, and the replay option.
  for (const char* line : {"--replay FILE", "\n  R        restart the level\n", "\n  Escape   pause menu", "\n  Tab      settings\n",
                           "\n  F1       help\n", "\n  F11      screenshot\n", "\n  F12      overlay\n"})
    EXPECT_NE(help.out.find(line), std::string::npos) << line << "\n" << help.out;
  const Answer version = RunGame("--version");
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '\n'), 1) << version.out;
  EXPECT_NE(version.out.find_first_of("0123456789"), std::string::npos) << version.out;
  if (!hadLog) {
    EXPECT_FALSE(std::filesystem::exists(std::string(GAME_DIR) + "/Files/Debug.txt")) << "the game started";
  }
}

}  // namespace
