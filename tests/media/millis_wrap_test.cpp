// MsBetween and MsLater: every comparison of two clock readings goes through them, so they must
// hold across the wrap of the 32-bit clock in both directions.
#include <gtest/gtest.h>

#include <climits>

#include "media/media.h"

namespace {

struct WrapCase {
  int from, to;  // two readings
  int between;   // milliseconds from `from` to `to`
};

class MillisWrap : public testing::TestWithParam<WrapCase> {};

TEST_P(MillisWrap, BetweenIsTheSignedDistanceAndLaterUndoesIt) {
  const WrapCase c = GetParam();
  EXPECT_EQ(MsBetween(c.from, c.to), c.between);
  EXPECT_EQ(MsBetween(c.to, c.from), -c.between);
  EXPECT_EQ(MsLater(c.from, c.between), c.to);
  EXPECT_EQ(MsLater(c.to, -c.between), c.from);
}

INSTANTIATE_TEST_SUITE_P(Readings, MillisWrap,
                         testing::Values(WrapCase{100000, 100016, 16},      // an ordinary frame
                                         WrapCase{-1, 0, 1},                // through zero
                                         WrapCase{INT_MAX, INT_MIN, 1},     // the wrap itself
                                         WrapCase{INT_MAX - 5, INT_MIN + 4, 10},
                                         WrapCase{INT_MAX - 2500, INT_MIN + 2499, 5000},
                                         WrapCase{INT_MIN, INT_MIN + INT_MAX, INT_MAX},  // the farthest ahead
                                         WrapCase{7, 7, 0}));

}  // namespace
