// Ending the process, the memory statistics, and the date and time texts.
#include <gtest/gtest.h>

#include <regex>

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

TEST(DateTime, ClassicFormats) {
  const std::regex date(R"(\d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4})");
  const std::regex time(R"(([01]\d|2[0-3]):[0-5]\d:[0-5]\d)");
  EXPECT_TRUE(std::regex_match(CurrentDate(), date)) << CurrentDate();
  EXPECT_TRUE(std::regex_match(CurrentTime(), time)) << CurrentTime();
}

TEST(RealClock, MovesForwardAndSleeps) {
  MediaInit(MEDIA_REAL);
  const int before = Millis();
  Delay(2);
  EXPECT_GE(Millis() - before, 2);
  MediaInit(MEDIA_HEADLESS);
}

}  // namespace
