// Bindings, the "held now" test, capture and the edit rule, on the headless back end's virtual
// keyboard, mouse and pads.
#include <gtest/gtest.h>

#include <vector>

#include "input/input.h"
#include "input/input_state.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

// VirtualJoystick axis slots.
enum { AX_X = 0, AX_Y = 1, AX_Z = 2, AX_R = 3, AX_U = 4, AX_V = 5 };

TEST(Bindings, DefaultsBindPlayerOneOnly) {
  ControlBindings[55] = 7;
  SetDefaultBindings();
  struct Case {
    int index, code;
  };
  const Case defaults[] = {
      // entry  code
      {0, 38}, {3, 37}, {5, 39}, {8, 40}, {10, 90}, {11, 88}, {12, 67}, {13, 86},
  };
  int bound = 0;
  for (int i = 0; i < BINDING_COUNT; ++i) bound += ControlBindings[i] != 0;
  EXPECT_EQ(bound, 8);
  for (const Case& c : defaults) EXPECT_EQ(ControlBindings[c.index], c.code) << "entry " << c.index;
}

TEST(Bindings, EditRuleReplacesClearsOrIgnores) {
  struct Case {
    int before, captured, after;
  };
  const Case cases[] = {
      // before  captured  after
      {90, 100, 100},
      {90, 9, 9},      // Tab can be stored
      {90, 255, 255},
      {90, 8, 0},      // Backspace clears
      {90, 7, 90},
      {90, 1, 90},     // a click on the box changes nothing
      {90, 0, 90},     // nothing held
      {90, 348, 348},
  };
  for (const Case& c : cases) {
    ControlBindings[12] = c.before;
    EditBinding(12, c.captured);
    EXPECT_EQ(ControlBindings[12], c.after) << "captured " << c.captured;
  }
  // Outside the table: ignored, nothing in the table changes (and nothing beside it is written,
  // which the sanitizer build would report).
  for (int i = 0; i < BINDING_COUNT; ++i) ControlBindings[i] = 1000 + i;
  for (int index : {-1, BINDING_COUNT, -100, 1 << 30})
    for (int code : {100, 8}) EditBinding(index, code);
  for (int i = 0; i < BINDING_COUNT; ++i) EXPECT_EQ(ControlBindings[i], 1000 + i) << "entry " << i;
  SetDefaultBindings();
}

class Pads : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    ResetInputState();
    VirtualJoystick first;
    first.name = "First Pad";
    first.axis[AX_X] = 0.1f;   // rests off-centre: dead zones are measured from here
    first.axis[AX_Y] = -0.2f;
    first.buttons = 20;
    VirtualJoystick second;
    second.name = "Second Pad";
    second.hat = 0.25f;  // not centred at start-up: this hat is ignored for good
    second.buttons = 4;
    HeadlessSetJoysticks({first, second});
    ScanJoysticks();
    SetDefaultBindings();
  }
  void TearDown() override { MediaInit(MEDIA_HEADLESS); }

  VirtualJoystick& Pad(int port) { return HeadlessJoystick(port - 1); }
  // Back to the rest state of SetUp.
  void Rest() {
    for (int p = 1; p <= 2; ++p) {
      for (float& a : Pad(p).axis) a = 0;
      Pad(p).held = 0;
    }
    Pad(1).axis[AX_X] = 0.1f;
    Pad(1).axis[AX_Y] = -0.2f;
    Pad(1).hat = -1;
    Pad(2).hat = 0.25f;
  }
};

TEST_F(Pads, ScanRecordsNamesButtonsRestPositionsAndHats) {
  EXPECT_EQ(JoystickCount, 2);
  EXPECT_EQ(JoystickPorts[1].present, 1);
  EXPECT_EQ(JoystickPorts[1].name, "First Pad");
  EXPECT_EQ(JoystickPorts[1].mask, (1 << 20) - 1);
  EXPECT_FLOAT_EQ(JoystickPorts[1].cx, 0.1f);
  EXPECT_FLOAT_EQ(JoystickPorts[1].cy, -0.2f);
  EXPECT_EQ(JoystickPorts[1].hat, 1);
  EXPECT_EQ(JoystickPorts[1].use, 1);
  EXPECT_EQ(JoystickPorts[2].hat, 0);
  EXPECT_EQ(JoystickPorts[3].present, 0);

  HeadlessSetJoysticks(std::vector<VirtualJoystick>(6));
  ScanJoysticks();
  EXPECT_EQ(JoystickCount, 4) << "at most four ports";
  HeadlessSetJoysticks({});
  ScanJoysticks();
  EXPECT_EQ(JoystickCount, 0);
  EXPECT_EQ(JoystickPorts[1].present, 0) << "a rescan forgets pads that are gone";
}

TEST_F(Pads, KeysActUnlessTheyAreMouseButtonsBackspaceTabOr255) {
  struct Case {
    int code;
    int want;  // with every key and mouse button held
  };
  const Case cases[] = {
      // code  active
      {0, 0}, {1, 0}, {2, 0}, {3, 0}, {8, 0}, {9, 0}, {10, 1}, {90, 1}, {254, 1}, {255, 0},
      {256, 0}, {299, 0}, {-5, 0},
  };
  for (int k = 1; k < 256; ++k) HeadlessKeyDown(k);
  for (int b = 1; b <= 3; ++b) HeadlessMouseDown(b);
  for (const Case& c : cases) EXPECT_EQ(BindingActive(c.code), c.want) << "code " << c.code;
  EXPECT_EQ(ControlActive(10, 1), 1);
  EXPECT_EQ(ControlActive(10, 2), 0) << "player 2 is unbound";
  struct Bad {
    int control, player;
  };
  const Bad outside[] = {{20, 1}, {-1, 1}, {0, 0}, {0, 5}, {0, -2147483647}};
  ControlBindings[100] = 90;
  for (const Bad& b : outside) EXPECT_EQ(ControlActive(b.control, b.player), 0) << b.control << "," << b.player;
}

TEST_F(Pads, AxesCountFromTheirRestPositions) {
  struct Case {
    int slot;     // VirtualJoystick axis
    float value;  // reading
    int code;
    int want;
  };
  const Case cases[] = {
      // slot  value   code  active    (port 1: 250 + 50 + sub-code)
      {AX_X, 0.39f, 303, 0},  // X rests at 0.1: X+ needs more than 0.4
      {AX_X, 0.41f, 303, 1},
      {AX_X, -0.19f, 302, 0},
      {AX_X, -0.21f, 302, 1},
      {AX_Y, -0.49f, 300, 0},  // Y rests at -0.2
      {AX_Y, -0.51f, 300, 1},
      {AX_Y, 0.11f, 301, 1},
      {AX_Z, -0.5f, 304, 1},
      {AX_Z, 0.5f, 305, 1},
      {AX_U, -0.5f, 306, 1},
      {AX_U, 0.5f, 307, 1},
      {AX_V, -0.5f, 308, 1},
      {AX_V, 0.5f, 309, 1},
      {AX_R, -0.5f, 310, 1},
      {AX_R, 0.5f, 311, 1},
      {AX_R, 0.5f, 309, 0},   // the neighbour is untouched
      {AX_U, 0.5f, 311, 0},
      {AX_X, 0.9f, 353, 0},   // port 2's X stays put
  };
  for (const Case& c : cases) {
    Rest();
    Pad(1).axis[c.slot] = c.value;
    EXPECT_EQ(BindingActive(c.code), c.want) << "axis " << c.slot << " at " << c.value << ", code " << c.code;
  }
}

TEST_F(Pads, HatBandsOverlapAtDiagonals) {
  struct Case {
    float h;
    int up, right, down, left;
  };
  const Case cases[] = {
      // hat     up right down left
      {-1, 0, 0, 0, 0},
      {0, 1, 0, 0, 0},
      {0.125f, 1, 1, 0, 0},
      {0.2f, 0, 1, 0, 0},
      {0.25f, 0, 1, 0, 0},
      {0.35f, 0, 1, 1, 0},
      {0.5f, 0, 0, 1, 0},
      {0.65f, 0, 0, 1, 1},
      {0.75f, 0, 0, 0, 1},
      {0.85f, 1, 0, 0, 1},
      {0.95f, 1, 0, 0, 0},
      {1.0f, 1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    Rest();
    Pad(1).hat = c.h;
    EXPECT_EQ(BindingActive(320), c.up) << "hat " << c.h;
    EXPECT_EQ(BindingActive(325), c.right) << "hat " << c.h;
    EXPECT_EQ(BindingActive(328), c.down) << "hat " << c.h;
    EXPECT_EQ(BindingActive(323), c.left) << "hat " << c.h;
  }
  Rest();
  Pad(2).hat = 0;
  EXPECT_EQ(BindingActive(370), 0) << "a hat off-centre at start-up is never active";
}

TEST_F(Pads, ButtonsAbsentPortsAndUnknownSubCodes) {
  Rest();
  Pad(1).held = 0xFFFFFFFF;
  Pad(1).hat = 0.125f;
  for (float& a : Pad(1).axis) a = 1;
  struct Case {
    int code, want;
  };
  const Case cases[] = {
      // code  active
      {330, 1}, {348, 1}, {349, 1},  // buttons 0, 18, 19
      {312, 0}, {319, 0}, {321, 0}, {322, 0}, {324, 0}, {326, 0}, {327, 0}, {329, 0},
      {400, 0}, {480, 0},            // port 3, 4: no pad
      {500, 0}, {2147483647, 0},     // beyond port 4
  };
  for (const Case& c : cases) EXPECT_EQ(BindingActive(c.code), c.want) << "code " << c.code;
  Pad(2).held = 1;
  EXPECT_EQ(BindingActive(380), 1) << "port 2's button 0";
}

TEST_F(Pads, CaptureTakesKeysFirstThenPadsInOrder) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    int mouse;       // button held, 0 none
    int axisSlot;    // -1 none
    float axisValue;
    float hat;       // pad 1
    int button;      // pad 1 button held, -1 none
    int port2Button;
    int want;
  };
  const Case cases[] = {
      // what                  keys       mouse axis        hat     button  p2btn  captured
      {"nothing", {}, 0, -1, 0, -1, -1, -1, 0},
      {"lowest key first", {90, 38}, 0, -1, 0, -1, -1, -1, 38},
      {"mouse is code 1", {90}, 1, -1, 0, -1, -1, -1, 1},
      {"Backspace", {8}, 0, -1, 0, -1, -1, -1, 8},
      {"F11 blocks", {90, 122}, 0, AX_X, 1, -1, 5, -1, 0},
      {"F12 blocks", {123}, 1, -1, 0, -1, 5, -1, 0},
      {"keys before pads", {90}, 0, AX_X, 1, -1, 5, -1, 90},
      {"axis from rest", {}, 0, AX_X, 0.45f, -1, -1, -1, 303},
      {"axis inside dead zone", {}, 0, AX_X, 0.35f, -1, -1, -1, 0},
      {"axes before hat", {}, 0, AX_R, -0.9f, 0.5f, 3, -1, 310},
      {"hat before buttons", {}, 0, -1, 0, 0.5f, 3, -1, 328},
      {"hat up exactly", {}, 0, -1, 0, 0.0f, -1, -1, 320},
      {"hat left exactly", {}, 0, -1, 0, 0.75f, -1, -1, 323},
      {"hat diagonal", {}, 0, -1, 0, 0.125f, -1, -1, 0},
      {"hat near right", {}, 0, -1, 0, 0.2f, -1, -1, 0},
      {"button 0", {}, 0, -1, 0, -1, 0, -1, 330},
      {"button 18", {}, 0, -1, 0, -1, 18, -1, 348},
      {"button 19 never", {}, 0, -1, 0, -1, 19, -1, 0},
      {"port 2 button", {}, 0, -1, 0, -1, -1, 2, 382},
      {"port 1 first", {}, 0, -1, 0, -1, 7, 2, 337},
  };
  for (const Case& c : cases) {
    MediaInit(MEDIA_HEADLESS);
    SetUp();
    for (int k : c.keys) HeadlessKeyDown(k);
    if (c.mouse) HeadlessMouseDown(c.mouse);
    if (c.axisSlot >= 0) Pad(1).axis[c.axisSlot] = c.axisValue;
    Pad(1).hat = c.hat;
    if (c.button >= 0) Pad(1).held = 1u << c.button;
    if (c.port2Button >= 0) Pad(2).held = 1u << c.port2Button;
    EXPECT_EQ(CaptureInput(), c.want) << c.what;
  }
}

TEST_F(Pads, ACapturedHatOnAnUnusableHatIsNothing) {
  Rest();
  Pad(2).hat = 0.5f;
  EXPECT_EQ(CaptureInput(), 0);
}

}  // namespace
