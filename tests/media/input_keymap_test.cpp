// The key translation table: SDL scancodes to the virtual-key numbering the bindings store.
#include <gtest/gtest.h>

#include <set>

#include "media/platform.h"

namespace {

// Every keyboard code that the key-name table shows (1..3 are mouse buttons).
std::vector<int> NamedKeyCodes() {
  std::vector<int> codes = {8,   9,   12,  13,  19,  20,  27,  32,  41,  42,  43,  44,  45,  46,  91,  92,
                            106, 107, 109, 110, 111, 144, 145, 160, 161, 162, 163, 164, 165, 173, 174, 175,
                            186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 223, 226};
  for (int c = 33; c <= 40; ++c) codes.push_back(c);   // PgUp .. Down
  for (int c = 48; c <= 57; ++c) codes.push_back(c);   // digits
  for (int c = 65; c <= 90; ++c) codes.push_back(c);   // letters
  for (int c = 96; c <= 105; ++c) codes.push_back(c);  // keypad digits
  for (int c = 112; c <= 123; ++c) codes.push_back(c); // F1 .. F12
  return codes;
}

TEST(KeyMap, EveryNamedKeyCodeComesFromSomeKeyWithNumLockOn) {
  std::set<int> reachable;
  for (int sc = 0; sc < SCANCODE_COUNT; ++sc) reachable.insert(KeyCodeForScancode(sc, true));
  for (int code : NamedKeyCodes()) EXPECT_TRUE(reachable.count(code)) << "no key gives code " << code;
}

TEST(KeyMap, ScancodesTranslateToVirtualKeys) {
  struct Case {
    const char* sdlName;
    bool numLock;
    int code;
  };
  const Case cases[] = {
      // SDL key name     NumLock  code
      {"Escape", true, 27},
      {"Tab", true, 9},
      {"Return", true, 13},
      {"Keypad Enter", true, 13},
      {"Backspace", true, 8},
      {"A", true, 65},
      {"Z", true, 90},
      {"0", true, 48},
      {"9", true, 57},
      {"Left", true, 37},
      {"Down", true, 40},
      {"F1", true, 112},
      {"F11", true, 122},
      {"F12", true, 123},
      {"Left Shift", true, 160},
      {"Right Shift", true, 161},
      {"Left Ctrl", true, 162},
      {"Right Ctrl", true, 163},
      {"Left Alt", true, 164},
      {"Right Alt", true, 165},
      {"Left GUI", true, 91},
      {"Right GUI", true, 92},
      {"Keypad 0", true, 96},
      {"Keypad 9", true, 105},
      {"Keypad *", true, 106},
      {"Keypad -", true, 109},
      {"Keypad /", true, 111},
      {";", true, 186},
      {"'", true, 192},
      {"`", true, 223},
      {"\\", true, 220},
      {"#", true, 222},
      {"PrintScreen", true, 44},
      {"Numlock", true, 144},
      {"Mute", true, 173},
      // Without NumLock the keypad is a second set of navigation keys; keypad 5 is Clear.
      {"Keypad 5", false, 12},
      {"Keypad 8", false, 38},
      {"Keypad 0", false, 45},
      {"Keypad .", false, 46},
      {"Keypad 7", false, 36},
      // Keys that NumLock does not touch.
      {"Keypad +", false, 107},
      {"Q", false, 81},
  };
  for (const Case& c : cases) {
    const int sc = ScancodeFromName(c.sdlName);
    ASSERT_GE(sc, 0) << c.sdlName;
    EXPECT_EQ(KeyCodeForScancode(sc, c.numLock), c.code) << c.sdlName << " numLock " << c.numLock;
  }
}

TEST(KeyMap, NonUsBackslashKeyIsItsOwnCode) {
  // The extra key beside left Shift on ISO keyboards; SDL gives it no name, only HID usage 100.
  EXPECT_EQ(KeyCodeForScancode(100, true), 226);
}

TEST(KeyMap, UnknownAndOutOfRangeScancodesGiveNoKey) {
  for (int sc : {-1, 0, SCANCODE_COUNT, 100000, -100000}) {
    EXPECT_EQ(KeyCodeForScancode(sc, true), 0) << sc;
    EXPECT_EQ(KeyCodeForScancode(sc, false), 0) << sc;
  }
  EXPECT_EQ(ScancodeFromName("No Such Key"), -1);
}

TEST(KeyMap, EveryCodeFitsTheKeyState) {
  for (int sc = 0; sc < SCANCODE_COUNT; ++sc) {
    for (bool numLock : {true, false}) {
      const int code = KeyCodeForScancode(sc, numLock);
      EXPECT_TRUE(code >= 0 && code <= 255) << sc;
      EXPECT_FALSE(code >= 1 && code <= 3) << "scancode " << sc << " would press a mouse button";
    }
  }
}

}  // namespace
