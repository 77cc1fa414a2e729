// Timestamp packing, its date and time texts, and the badge bit test.
#include <gtest/gtest.h>

#include <climits>

#include "common/timestamp.h"
#include "media/media.h"

namespace {

TEST(TimestampTest, PackedDatesReadBack) {
  struct Case {
    const char* date;
    int y, m, d;
    const char* dateText;
  } cases[] = {
      // date text        year  month day   DateText
      {"07 Dec 2010", 2010, 12, 7, "07-12-2010"},
      {"31 Jan 2011", 2011, 1, 31, "31-01-2011"},
      {"01 jan 2000", 2000, 1, 1, "01-01-2000"},
      {"29 Feb 2024", 2024, 2, 29, "29-02-2024"},
      {"15 Foo 2012", 2012, 0, 15, ""},  // month not recognised: packs 0
  };
  for (const Case& c : cases) {
    int64_t t = MakeTimestamp(c.date);
    int64_t day = PackTimestamp(c.y, c.m, c.d, 0, 0, 0);
    EXPECT_GE(t, day) << c.date;
    EXPECT_LT(t, day + 86400) << c.date;
    if (*c.dateText) {
      EXPECT_EQ(DateText(t), c.dateText) << c.date;
    }
  }
}

TEST(TimestampTest, SeventhOfDecember2010) {
  int64_t t = PackTimestamp(2010, 12, 7, 13, 5, 9);
  EXPECT_EQ(t, ((2010LL * 12 + 12) * 31 + 7) * 86400 + 13 * 3600 + 5 * 60 + 9);
  EXPECT_EQ(TimeText(t), "13:05:09");
  EXPECT_EQ(DateText(t), "07-12-2010");
}

TEST(TimestampTest, TimeOfDayComesFromTheClock) {
  std::string before = CurrentTime();
  int64_t t = MakeTimestamp("");
  std::string after = CurrentTime();
  EXPECT_TRUE(TimeText(t) == before || TimeText(t) == after);
  EXPECT_EQ(DateText(t).size(), 10u);
}

TEST(TimestampTest, AbsurdValuesStillGiveText) {
  // Timestamps read from a damaged file: any 64-bit value must format without faulting.
  for (int64_t t : {INT64_MIN, INT64_MAX, int64_t{-1}, int64_t{0}}) {
    EXPECT_FALSE(TimeText(t).empty());
    EXPECT_FALSE(DateText(t).empty());
  }
}

TEST(TimestampTest, BitSet) {
  struct Case {
    int value, n, expected;
  } cases[] = {
      // value    bit  set
      {5, 1, 1},
      {5, 2, 0},
      {5, 3, 1},
      {INT_MIN, 32, 1},
      {-1, 31, 1},
      {-1, 0, 0},   // bits outside 1..32 are never set
      {-1, 33, 0},
      {-1, -4, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(BitSet(c.value, c.n), c.expected) << c.value << " bit " << c.n;
}

}  // namespace
