// Angles are degrees in and out; a radian slip would turn every rotation and aim.
#include <gtest/gtest.h>

#include "media/media.h"

TEST(Trig, DegreesInAndOut) {
  struct Case {
    double got, want;
  };
  const Case cases[] = {
      // call                 degrees / value
      {SinDeg(90), 1.0},
      {SinDeg(-30), -0.5},
      {CosDeg(180), -1.0},
      {CosDeg(60), 0.5},
      {TanDeg(45), 1.0},
      {ASinDeg(0.5), 30.0},
      {ACosDeg(-1.0), 180.0},
      {ATanDeg(1.0), 45.0},
      {ATan2Deg(1.0, -1.0), 135.0},
      {ATan2Deg(-1.0, 0.0), -90.0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_NEAR(cases[i].got, cases[i].want, 1e-9) << "case " << i;
}
