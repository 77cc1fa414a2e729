// The headless back end's virtual joysticks, read through the ordinary joystick calls.
#include <gtest/gtest.h>

#include <climits>

#include "media/headless.h"
#include "media/media.h"

namespace {

class HeadlessJoysticks : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    VirtualJoystick pad;
    pad.name = "Left Pad";
    pad.axis[0] = 0.5f;
    pad.axis[1] = -0.25f;
    pad.axis[2] = 1.0f;
    pad.axis[3] = -1.0f;
    pad.axis[4] = 0.75f;
    pad.axis[5] = 0.1f;
    pad.hat = 0.125f;
    pad.buttons = 20;
    pad.held = (1u << 0) | (1u << 18) | (1u << 25);  // bit 25 lies beyond the pad's 20 buttons
    VirtualJoystick other;
    other.name = "Right Pad";
    HeadlessSetJoysticks({pad, other});
  }
};

TEST_F(HeadlessJoysticks, ReadsEachPadsState) {
  ASSERT_EQ(JoyCount(), 2);
  EXPECT_EQ(JoyName(0), "Left Pad");
  EXPECT_EQ(JoyName(1), "Right Pad");
  EXPECT_FLOAT_EQ(JoyX(0), 0.5f);
  EXPECT_FLOAT_EQ(JoyY(0), -0.25f);
  EXPECT_FLOAT_EQ(JoyZ(0), 1.0f);
  EXPECT_FLOAT_EQ(JoyR(0), -1.0f);
  EXPECT_FLOAT_EQ(JoyU(0), 0.75f);
  EXPECT_FLOAT_EQ(JoyV(0), 0.1f);
  EXPECT_FLOAT_EQ(JoyHat(0), 0.125f);
  EXPECT_FLOAT_EQ(JoyHat(1), -1.0f);
  EXPECT_TRUE(JoyDown(0, 0));
  EXPECT_TRUE(JoyDown(18, 0));
  EXPECT_FALSE(JoyDown(1, 0));
  EXPECT_FALSE(JoyDown(25, 0)) << "a held bit past the button count is no button";
  EXPECT_FALSE(JoyDown(0, 1));
  EXPECT_EQ(JoyButtonCaps(0), (1 << 20) - 1);
  EXPECT_EQ(JoyButtonCaps(1), (1 << 12) - 1);
}

TEST_F(HeadlessJoysticks, ChangesThroughHeadlessJoystickShowAtOnce) {
  HeadlessJoystick(1).held = 1u << 3;
  HeadlessJoystick(1).axis[1] = 0.9f;
  HeadlessJoystick(1).hat = 0.75f;
  EXPECT_TRUE(JoyDown(3, 1));
  EXPECT_FLOAT_EQ(JoyY(1), 0.9f);
  EXPECT_FLOAT_EQ(JoyHat(1), 0.75f);
}

TEST_F(HeadlessJoysticks, ButtonMaskIsCappedForManyButtons) {
  struct Case {
    int buttons, caps;
  };
  const Case cases[] = {
      // buttons  caps
      {0, 0},
      {1, 1},
      {30, (1 << 30) - 1},
      {31, INT_MAX},
      {32, INT_MAX},
      {200, INT_MAX},
  };
  for (const Case& c : cases) {
    HeadlessJoystick(0).buttons = c.buttons;
    EXPECT_EQ(JoyButtonCaps(0), c.caps) << c.buttons;
  }
}

TEST_F(HeadlessJoysticks, MissingPortsAndButtonsReadAsNothing) {
  for (int port : {-1, 2, 4, 1000, INT_MIN}) {
    EXPECT_EQ(JoyX(port), 0.0f) << port;
    EXPECT_EQ(JoyV(port), 0.0f) << port;
    EXPECT_EQ(JoyHat(port), -1.0f) << port;
    EXPECT_FALSE(JoyDown(0, port)) << port;
    EXPECT_EQ(JoyButtonCaps(port), 0) << port;
    EXPECT_EQ(JoyName(port), "") << port;
    HeadlessJoystick(port).held = ~0u;  // a write to a missing port goes nowhere
    EXPECT_FALSE(JoyDown(0, port)) << port;
  }
  for (int button : {-1, 20, 32, 1000, INT_MIN}) EXPECT_FALSE(JoyDown(button, 0)) << button;
}

}  // namespace
