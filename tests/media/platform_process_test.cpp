// Ending the process, the memory statistics, and the date and time texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

#include "media/media.h"

namespace {

struct Ended {
  int code;
};

void ThrowingHook(int code) { throw Ended{code}; }

TEST(EndProcess, GoesThroughTheHookFirst) {
  SetEndHook(ThrowingHook);
  try {
    EndProcess(3);
    ADD_FAILURE() << "EndProcess returned";
  } catch (const Ended& e) {
    EXPECT_EQ(e.code, 3);
  }
  SetEndHook(nullptr);
}

TEST(EndProcessDeathTest, WithoutAHookExitsWithTheCode) {
  SetEndHook(nullptr);
  EXPECT_EXIT(EndProcess(7), testing::ExitedWithCode(7), "");
  EXPECT_EXIT(EndProcess(0), testing::ExitedWithCode(0), "");
}

TEST(EndProcessDeathTest, AHookThatReturnsStillEnds) {
  EXPECT_EXIT(
      {
        SetEndHook([](int) {});
        EndProcess(5);
      },
      testing::ExitedWithCode(5), "");
}

TEST(Memory, CollectionAndUseAnswerSensibly) {
  MediaInit(MEDIA_HEADLESS);
  EXPECT_EQ(CollectMemory(), 0);
  EXPECT_EQ(MemoryInUse(), 0) << "no objects after start-up";
  const int image = CreateImage(64, 32, 2, 0);
  ASSERT_NE(image, 0);
  EXPECT_GT(MemoryInUse(), 0);
  FreeImage(image);
  EXPECT_EQ(MemoryInUse(), 0);
}

// Matches text against a pattern where 'd' stands for any decimal digit.
bool Fits(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool ok = pattern[i] == 'd' ? std::isdigit(static_cast<unsigned char>(text[i])) != 0 : text[i] == pattern[i];
    if (!ok) return false;
  }
  return true;
}

TEST(DateTime, ClassicFormats) {
  const std::string date = CurrentDate();  // "09 Dec 2026"
  ASSERT_TRUE(Fits(date.substr(0, 3), "dd ") && Fits(date.substr(6), " dddd")) << date;
  const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string month = date.substr(3, 3);
  EXPECT_TRUE(std::any_of(std::begin(months), std::end(months), [&](const char* m) { return month == m; })) << date;
  const std::string time = CurrentTime();  // "23:59:07"
  ASSERT_TRUE(Fits(time, "dd:dd:dd")) << time;
  EXPECT_LE(std::stoi(time.substr(0, 2)), 23);
  EXPECT_LE(std::stoi(time.substr(3, 2)), 59);
  EXPECT_LE(std::stoi(time.substr(6, 2)), 60);  // a leap second
}

TEST(RealClock, MovesForwardAndSleeps) {
  MediaInit(MEDIA_REAL);
  const int before = Millis();
  Delay(2);
  EXPECT_GE(Millis() - before, 2);
  MediaInit(MEDIA_HEADLESS);
}

}  // namespace
