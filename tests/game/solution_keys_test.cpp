// Key lines of a replay script: the game's own key names, blanks and all, down or up; a name the
// game does not give, or a line without down or up, is refused with its line number.
#include <gtest/gtest.h>

#include <fstream>

#include "game/solution_file.h"
#include "media/media.h"
#include "support/test_folder.h"

namespace {

std::string Write(const std::string& text) {
  const std::string path = (TestFolder("keys") / "soft_4.solution").string();
  std::ofstream(path) << text;
  return path;
}

TEST(SolutionKeys, KeyLinesReadByTheGamesNames) {
  MediaInit(MEDIA_HEADLESS);
  Solution s;
  std::string error;
  ASSERT_TRUE(ReadSolution(Write("3 key H down\n5 key H up\n7 move 10 20\n9 key Page Up down\n12 key Space up\n"), s,
                           error))
      << error;
  ASSERT_EQ(s.events.size(), 5u);
  EXPECT_EQ(s.events[0].kind, SolutionEvent::KEY);
  EXPECT_EQ(s.events[0].key, 'H');
  EXPECT_TRUE(s.events[0].down);
  EXPECT_FALSE(s.events[1].down);
  EXPECT_EQ(s.events[2].kind, SolutionEvent::MOVE);
  EXPECT_EQ(s.events[3].key, 33);  // Page Up
  EXPECT_EQ(s.events[4].key, 32);
  EXPECT_FALSE(s.events[4].down);
}

TEST(SolutionKeys, BadKeyLinesAreRefusedByLine) {
  MediaInit(MEDIA_HEADLESS);
  for (const char* bad : {"1 key Hyper down\n", "1 key H\n", "1 key H sideways\n", "1 key down\n"}) {
    Solution s;
    std::string error;
    EXPECT_FALSE(ReadSolution(Write(std::string("0 press\n") + bad), s, error)) << bad;
    EXPECT_NE(error.find(":2:"), std::string::npos) << error;
  }
}

}  // namespace
