// Field splitting, with the quirks that the settings and score readers depend on.
#include <gtest/gtest.h>

#include "frame/draw.h"

namespace {

TEST(Field, SplitsTrimsAndMarksMissingFields) {
  struct Case {
    const char* s;
    const char* sep;
    int n;
    int spaceToo;
    const char* want;
  };
  const Case cases[] = {
      // text               sep  n  spaceToo  field
      {"a,b,c", ",", 2, 0, "b"},
      {"a,b,c", ",", 1, 0, "a"},
      {"a,b,c", ",", 3, 0, "c"},
      {"a,b", ",", 3, 0, "-+-"},           // past the last separator
      {"a,b", ",", 9, 0, "-+-"},
      {"abc", ",", 2, 0, "abc"},           // no separator at all: field 2 is the whole text
      {"abc", ",", 3, 0, "-+-"},
      {"abc", ",", 1, 0, "abc"},
      {"", ",", 1, 0, ""},
      {"", ",", 2, 0, ""},
      {"  \tx=5 \r", "=", 2, 0, "5"},      // trimmed first
      {" Width = 800", "=", 1, 0, "Width "},  // inner blanks stay
      {"a,,c", ",", 2, 0, ""},             // empty field
      {"a,,c", ",", 3, 0, "c"},
      {"a|b|c|", "|", 4, 0, ""},           // trailing separator: empty last field
      {"x y,z", ",", 1, 1, "x"},           // a blank ends the field too
      {"x,y z,w", ",", 2, 1, "y"},
      {"x y", ",", 2, 1, "x y"},           // with no separator left a blank ends nothing
      {"a,b,c", ",", 0, 0, "a"},           // n below 1 reads as field 1
      {"a,b,c", ",", -5, 0, "a"},
      {"Key=10,90", "=", 2, 0, "10,90"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Field(c.s, c.sep, c.n, c.spaceToo), c.want)
        << "Field(\"" << c.s << "\", \"" << c.sep << "\", " << c.n << ", " << c.spaceToo << ")";
}

TEST(Field, HugeFieldNumbersEndQuickly) {
  EXPECT_EQ(Field("a,b,c", ",", 2000000000), "-+-");
  EXPECT_EQ(Field(std::string(10000, ','), ",", 2000000000), "-+-");
}

}  // namespace
