// Bindings and capture on the real back end, through SDL's virtual joysticks: the same path as a
// plugged-in pad (no display needed).
#include <gtest/gtest.h>

#include "input/input.h"
#include "input/input_state.h"
#include "media/media.h"
#include "media/sdl_test_joystick.h"

namespace {

// SDL axis numbers: x, y, z, r, u, v.
enum { SDL_X = 0, SDL_Y = 1, SDL_Z = 2, SDL_R = 3, SDL_U = 4, SDL_V = 5 };
// Rest positions away from 0, the dead zone must follow them: X and Y slightly off, U a trigger
// resting at its end.
constexpr float REST[6] = {0.1f, -0.2f, 0, 0, -1.0f, 0};

class SdlPads : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_REAL);
    const int before = JoyCount();
    if (before >= MAX_PORTS) GTEST_SKIP() << "no free port";
    pad_ = AttachTestJoystick("Plonk Pad", 6, 20, 1);
    ASSERT_GE(pad_, 0);
    for (int a = 0; a < 6; ++a) SetTestJoystickAxis(pad_, a, REST[a]);
    ScanJoysticks();
    port_ = before + 1;
    base_ = 250 + 50 * port_;
    ASSERT_EQ(JoystickPorts[port_].present, 1);
  }
  void TearDown() override {
    if (pad_ >= 0) DetachTestJoystick(pad_);
    MediaInit(MEDIA_HEADLESS);
  }
  void Rest() {
    for (int a = 0; a < 6; ++a) SetTestJoystickAxis(pad_, a, REST[a]);
    SetTestJoystickHat(pad_, 0, TEST_HAT_CENTRED);
    for (int b = 0; b < 20; ++b) SetTestJoystickButton(pad_, b, false);
  }
  int pad_ = -1, port_ = 0, base_ = 0;
};

TEST_F(SdlPads, ScanKeepsNameButtonsRestPositionsAndTheHat) {
  const JoystickPort& p = JoystickPorts[port_];
  EXPECT_EQ(p.name, "Plonk Pad");
  EXPECT_EQ(p.mask, (1 << 20) - 1);
  EXPECT_NEAR(p.cx, 0.1f, 1e-3);
  EXPECT_NEAR(p.cy, -0.2f, 1e-3);
  EXPECT_NEAR(p.cz, 0.0f, 1e-3);
  EXPECT_NEAR(p.cu, -1.0f, 1e-3);
  EXPECT_EQ(p.hat, 1);
}

TEST_F(SdlPads, EveryAxisDirectionFromItsRestPosition) {
  struct Case {
    int axis;     // SDL axis
    float value;
    int sub;      // sub-code tested
    int want;
  };
  const Case cases[] = {
      // axis   value   sub  active
      {SDL_X, 0.45f, 3, 1},  // X rests at 0.1: X+ from 0.4 on
      {SDL_X, 0.35f, 3, 0},
      {SDL_X, -0.25f, 2, 1},
      {SDL_X, -0.15f, 2, 0},
      {SDL_Y, -0.55f, 0, 1},  // Y rests at -0.2
      {SDL_Y, -0.45f, 0, 0},
      {SDL_Y, 0.15f, 1, 1},
      {SDL_Z, -0.5f, 4, 1}, {SDL_Z, 0.5f, 5, 1},
      {SDL_U, -0.75f, 7, 0},  // the trigger rests at -1: U+ from -0.7 on
      {SDL_U, -0.65f, 7, 1},
      {SDL_U, -1.0f, 6, 0},   // and U- can never be reached
      {SDL_V, -0.5f, 8, 1}, {SDL_V, 0.5f, 9, 1},
      {SDL_R, -0.5f, 10, 1}, {SDL_R, 0.5f, 11, 1},
  };
  for (const Case& c : cases) {
    Rest();
    SetTestJoystickAxis(pad_, c.axis, c.value);
    EXPECT_EQ(BindingActive(base_ + c.sub), c.want) << "axis " << c.axis << " at " << c.value << ", sub " << c.sub;
    // Only the moved axis may be captured, and only out of its dead zone.
    EXPECT_EQ(CaptureInput(), c.want ? base_ + c.sub : 0) << "axis " << c.axis << " at " << c.value;
  }
  Rest();
  SetTestJoystickAxis(pad_, SDL_R, 0.5f);
  EXPECT_EQ(BindingActive(base_ + 7), 0) << "a neighbouring axis stays inactive";
  EXPECT_EQ(BindingActive(base_ + 9), 0);
}

TEST_F(SdlPads, HatDiagonalsActivateTwoDirectionsButCaptureNothing) {
  struct Case {
    int bits;
    int up, right, down, left;
    int captured;  // sub-code, 0 none
  };
  const Case cases[] = {
      // hat bits                         up right down left  capture
      {TEST_HAT_CENTRED, 0, 0, 0, 0, 0},
      {TEST_HAT_UP, 1, 0, 0, 0, 20},
      {TEST_HAT_UP | TEST_HAT_RIGHT, 1, 1, 0, 0, 0},
      {TEST_HAT_RIGHT, 0, 1, 0, 0, 25},
      {TEST_HAT_RIGHT | TEST_HAT_DOWN, 0, 1, 1, 0, 0},
      {TEST_HAT_DOWN, 0, 0, 1, 0, 28},
      {TEST_HAT_DOWN | TEST_HAT_LEFT, 0, 0, 1, 1, 0},
      {TEST_HAT_LEFT, 0, 0, 0, 1, 23},
      {TEST_HAT_LEFT | TEST_HAT_UP, 1, 0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    Rest();
    SetTestJoystickHat(pad_, 0, c.bits);
    EXPECT_EQ(BindingActive(base_ + 20), c.up) << "bits " << c.bits;
    EXPECT_EQ(BindingActive(base_ + 25), c.right) << "bits " << c.bits;
    EXPECT_EQ(BindingActive(base_ + 28), c.down) << "bits " << c.bits;
    EXPECT_EQ(BindingActive(base_ + 23), c.left) << "bits " << c.bits;
    EXPECT_EQ(CaptureInput(), c.captured ? base_ + c.captured : 0) << "bits " << c.bits;
  }
}

TEST_F(SdlPads, ButtonsUpToEighteenAreCaptured) {
  struct Case {
    int button;
    int captured;  // code, 0 none
  };
  const Case cases[] = {
      // button  captured
      {0, 30},
      {7, 37},
      {18, 48},
      {19, 0},  // active, but never captured
  };
  for (const Case& c : cases) {
    Rest();
    SetTestJoystickButton(pad_, c.button, true);
    EXPECT_EQ(BindingActive(base_ + 30 + c.button), 1) << "button " << c.button;
    EXPECT_EQ(CaptureInput(), c.captured ? base_ + c.captured : 0) << "button " << c.button;
  }
}

TEST_F(SdlPads, AHatHeldAtStartUpIsIgnoredForGood) {
  SetTestJoystickHat(pad_, 0, TEST_HAT_UP);
  ScanJoysticks();
  EXPECT_EQ(JoystickPorts[port_].hat, 0);
  EXPECT_EQ(BindingActive(base_ + 20), 0);
  EXPECT_EQ(CaptureInput(), 0);
  SetTestJoystickHat(pad_, 0, TEST_HAT_CENTRED);
  SetTestJoystickHat(pad_, 0, TEST_HAT_DOWN);
  EXPECT_EQ(BindingActive(base_ + 28), 0) << "even once it has been centred";
}

}  // namespace
