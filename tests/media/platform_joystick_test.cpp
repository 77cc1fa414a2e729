// Joysticks on the real back end, through SDL's virtual joysticks: the same path as a plugged-in
// pad, after MediaInit(MEDIA_REAL) and without a display.
#include <gtest/gtest.h>

#include <climits>

#include "media/media.h"
#include "media/sdl_test_joystick.h"

namespace {

class SdlJoysticks : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_REAL);
    before_ = JoyCount();
    pad_ = AttachTestJoystick("Test Pad", 6, 20, 1);
    ASSERT_GE(pad_, 0);
    ASSERT_EQ(JoyCount(), before_ + 1);
    port_ = before_;
  }
  void TearDown() override {
    DetachTestJoystick(pad_);
    MediaInit(MEDIA_HEADLESS);
  }

  int before_ = 0;
  int pad_ = -1;
  int port_ = 0;
};

TEST_F(SdlJoysticks, AxesReadOffCentreValues) {
  const float set[6] = {0.5f, -0.25f, 1.0f, -1.0f, 0.75f, 0.1f};
  for (int a = 0; a < 6; ++a) SetTestJoystickAxis(pad_, a, set[a]);
  // SDL axes are x, y, z, r, u, v in that order.
  const float read[6] = {JoyX(port_), JoyY(port_), JoyZ(port_), JoyR(port_), JoyU(port_), JoyV(port_)};
  for (int a = 0; a < 6; ++a) EXPECT_NEAR(read[a], set[a], 1e-4) << "axis " << a;
  EXPECT_FLOAT_EQ(JoyZ(port_), 1.0f) << "the device maximum is exactly 1";
  EXPECT_FLOAT_EQ(JoyR(port_), -1.0f) << "the device minimum is exactly -1";
}

TEST_F(SdlJoysticks, HatIsAFractionOfATurnFromUp) {
  struct Case {
    int bits;
    float turn;
  };
  const Case cases[] = {
      // SDL hat bits                    turn
      {TEST_HAT_CENTRED, -1.0f},
      {TEST_HAT_UP, 0.0f},
      {TEST_HAT_UP | TEST_HAT_RIGHT, 0.125f},
      {TEST_HAT_RIGHT, 0.25f},
      {TEST_HAT_RIGHT | TEST_HAT_DOWN, 0.375f},
      {TEST_HAT_DOWN, 0.5f},
      {TEST_HAT_DOWN | TEST_HAT_LEFT, 0.625f},
      {TEST_HAT_LEFT, 0.75f},
      {TEST_HAT_LEFT | TEST_HAT_UP, 0.875f},
  };
  for (const Case& c : cases) {
    SetTestJoystickHat(pad_, 0, c.bits);
    EXPECT_EQ(JoyHat(port_), c.turn) << "bits " << c.bits;
  }
}

TEST_F(SdlJoysticks, ButtonsNameAndCaps) {
  for (int b : {0, 18, 19}) SetTestJoystickButton(pad_, b, true);
  for (int b = 0; b < 20; ++b) EXPECT_EQ(JoyDown(b, port_), b == 0 || b == 18 || b == 19) << b;
  SetTestJoystickButton(pad_, 18, false);
  EXPECT_FALSE(JoyDown(18, port_));
  for (int b : {-1, 20, 31, 1000, INT_MIN}) EXPECT_FALSE(JoyDown(b, port_)) << b;
  EXPECT_EQ(JoyButtonCaps(port_), (1 << 20) - 1);
  EXPECT_EQ(JoyName(port_), "Test Pad");
}

TEST_F(SdlJoysticks, ManyButtonsCapTheMaskAndPortsFollowPlugging) {
  const int big = AttachTestJoystick("Big Pad", 2, 40, 0);
  ASSERT_GE(big, 0);
  ASSERT_EQ(JoyCount(), before_ + 2);
  EXPECT_EQ(JoyButtonCaps(port_ + 1), INT_MAX);
  EXPECT_EQ(JoyHat(port_ + 1), -1.0f) << "a pad without a hat reads centred";
  EXPECT_EQ(JoyU(port_ + 1), 0.0f) << "a missing axis reads 0";
  SetTestJoystickButton(big, 35, true);
  EXPECT_TRUE(JoyDown(35, port_ + 1));
  // Unplugging the first pad moves the second onto its port.
  DetachTestJoystick(pad_);
  EXPECT_EQ(JoyCount(), before_ + 1);
  EXPECT_EQ(JoyName(port_), "Big Pad");
  EXPECT_EQ(JoyName(port_ + 1), "");
  EXPECT_FALSE(JoyDown(0, port_ + 1));
  DetachTestJoystick(big);
  EXPECT_EQ(JoyCount(), before_);
}

}  // namespace

namespace {

TEST(SdlJoystickRestart, PadsFromBeforeARestartAreGoneAndHarmless) {
  MediaInit(MEDIA_REAL);
  const int before = JoyCount();
  const int pad = AttachTestJoystick("Old Pad", 2, 4, 1);
  ASSERT_GE(pad, 0);
  MediaInit(MEDIA_REAL);  // shuts SDL down and starts it again: virtual pads do not survive
  EXPECT_EQ(JoyCount(), before);
  SetTestJoystickButton(pad, 0, true);
  DetachTestJoystick(pad);
  EXPECT_EQ(JoyCount(), before);
  MediaInit(MEDIA_HEADLESS);
}

}  // namespace
