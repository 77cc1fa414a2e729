// Text helpers: positions count from 1 and out-of-range arguments clip; reading numbers is how
// Setup.ini, scores.dat and the song files get their values, so damaged numbers must clamp.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "media/media.h"

using namespace std::string_literals;

TEST(Text, TrimDropsControlCharactersAndBlanksAtBothEnds) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      // input                         after Trim
      {"  Width = 800 \t", "Width = 800"},
      {"\r\n\x01x y\x1f\x20", "x y"},
      {"\t \r", ""},
      {"", ""},
      {"\x21!\x21", "!!!"},                // 33 is kept
      {"\xA0x\xFF", "\xA0x\xFF"},          // bytes above 127 are not blanks
      {"\0a\0"s, "a"},                     // a zero byte is a control character
  };
  for (const Case& c : cases) EXPECT_EQ(Trim(c.in), c.out) << c.in;
}

TEST(Text, CaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(Upper("OpenAL soft-1.2 [x]\xE9"), "OPENAL SOFT-1.2 [X]\xE9");
  EXPECT_EQ(Lower("GFX Engine = DX9 @Z\xC9"), "gfx engine = dx9 @z\xC9");
}

TEST(Text, LeftRightMidClipToTheText) {
  struct Case {
    std::string got, want;
  };
  const std::string s = "Plonko";
  const Case cases[] = {
      // call                      result
      {Left(s, 3), "Plo"},
      {Left(s, 0), ""},
      {Left(s, -4), ""},
      {Left(s, 99), "Plonko"},
      {Left(s, INT_MAX), "Plonko"},
      {Right(s, 2), "ko"},
      {Right(s, 0), ""},
      {Right(s, -1), ""},
      {Right(s, 99), "Plonko"},
      {Right(s, INT_MAX), "Plonko"},
      {Mid(s, 2, 3), "lon"},
      {Mid(s, 4), "nko"},
      {Mid(s, 1, 6), "Plonko"},
      {Mid(s, 6, 9), "o"},
      {Mid(s, 7, 1), ""},
      {Mid(s, 0, 2), "P"},        // the window starts before the text: only its overlap
      {Mid(s, -3, 5), "P"},
      {Mid(s, -3), "Plonko"},
      {Mid(s, 3, 0), ""},
      {Mid(s, INT_MAX, INT_MAX), ""},
      {Mid(s, INT_MIN, INT_MAX), ""},
      {Mid(s, 2, INT_MAX), "lonko"},
      {Mid("", 1, 1), ""},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

TEST(Text, FindCountsFromOneAndGivesZeroWhenAbsent) {
  struct Case {
    std::string s, sub;
    int start, want;
  };
  const Case cases[] = {
      // text         sub    start    position
      {"Key=0,87", "=", 1, 4},
      {"Key=0,87", ",", 1, 6},
      {"a=b=c", "=", 3, 4},        // the search starts at the given position
      {"a=b=c", "=", 2, 2},        // ... inclusive
      {"a=b=c", "=", 5, 0},
      {"a=b=c", "x", 1, 0},
      {"a=b=c", "=", 0, 2},        // below 1 counts as 1
      {"a=b=c", "=", INT_MIN, 2},
      {"a=b=c", "=", INT_MAX, 0},
      {"abc", "abcd", 1, 0},
      {"", "a", 1, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Find(c.s, c.sub, c.start), c.want) << c.s << " / " << c.sub << " @" << c.start;
}

TEST(Text, ReplaceChangesEveryOccurrenceLeftToRight) {
  struct Case {
    std::string s, from, to, want;
  };
  const Case cases[] = {
      // text          from   to       result
      {"a.b.c", ".", "::", "a::b::c"},
      {"aaaa", "aa", "a", "aa"},        // non-overlapping, the output is not searched again
      {"abab", "ab", "abab", "abababab"},
      {"xyz", "", "Q", "xyz"},          // nothing to look for: unchanged
      {"xyz", "xyz", "", ""},
      {"xyz", "q", "r", "xyz"},
      {"", "a", "b", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Replace(c.s, c.from, c.to), c.want) << c.s;
}

TEST(Text, ToIntReadsBlanksSignAndDigitsAndClamps) {
  struct Case {
    std::string in;
    int64_t as_long;
    int as_int;
  };
  const Case cases[] = {
      // text                          ToLong                  ToInt
      {"800", 800, 800},
      {"  \t-1024", -1024, -1024},
      {"+42x7", 42, 42},
      {"\r\n 12 34", 12, 12},           // stops at the first other character
      {"", 0, 0},
      {"   ", 0, 0},
      {"False", 0, 0},                  // no digits
      {"-", 0, 0},
      {"+-5", 0, 0},                    // one sign only
      {"- 5", 0, 0},                    // no blanks after the sign
      {"0x1F", 0, 0},
      {"007", 7, 7},
      {"2147483647", 2147483647, INT_MAX},
      {"2147483648", 2147483648, INT_MAX},          // one past 32 bits
      {"-2147483648", -2147483648LL, INT_MIN},
      {"-2147483649", -2147483649LL, INT_MIN},
      {"9223372036854775807", INT64_MAX, INT_MAX},
      {"9223372036854775808", INT64_MAX, INT_MAX},   // one past 64 bits
      {"-9223372036854775808", INT64_MIN, INT_MIN},
      {"-9223372036854775809", INT64_MIN, INT_MIN},
      {"99999999999999999999999999999999", INT64_MAX, INT_MAX},
      {"-00000000000000000000000000000012", -12, -12},   // leading zeros never saturate
      {"\x01\x7f" "5", 0, 0},            // 127 is not a blank
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToLong(c.in), c.as_long) << c.in;
    EXPECT_EQ(ToInt(c.in), c.as_int) << c.in;
  }
}

TEST(Text, IntTextIsPlainDecimal) {
  EXPECT_EQ(IntText(0), "0");
  EXPECT_EQ(IntText(-1024), "-1024");
  EXPECT_EQ(IntText(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(ToLong(IntText(INT64_MAX)), INT64_MAX);
}
