// The names shown for input codes.
#include <gtest/gtest.h>

#include <string>

#include "input/input.h"

namespace {

TEST(KeyName, EveryNamedKey) {
  struct Case {
    int code;
    const char* name;
  };
  const Case cases[] = {
      // code  name
      {1, "Left Mousebutton"}, {2, "Right Mousebutton"}, {3, "Middle Mousebutton"},
      {8, "Backspace"}, {9, "Tab"}, {12, "Clear"}, {13, "Return"}, {19, "Pause"}, {20, "CapsLock"},
      {27, "Escape"}, {32, "Space"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"},
      {37, "Left"}, {38, "Up"}, {39, "Right"}, {40, "Down"}, {41, "Select"}, {42, "Print"},
      {43, "Execute"}, {44, "Screen"}, {45, "Insert"}, {46, "Delete"},
      {91, "Sys Left"}, {92, "Sys Right"},
      {106, "*"}, {107, "+"}, {109, "-"}, {110, "."}, {111, "/"},
      {144, "NumLock"}, {145, "ScrollLock"}, {160, "LShift"}, {161, "RShift"}, {162, "LControl"},
      {163, "RControl"}, {164, "LAlt"}, {165, "RAlt"}, {173, "Mute"}, {174, "Volume Down"},
      {175, "Volume Up"}, {186, ";"}, {187, "="}, {188, ","}, {189, "-"}, {190, "."}, {191, "/"},
      {192, "'"}, {219, "["}, {220, "\\"}, {221, "]"}, {222, "#"}, {223, "`"}, {226, "\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.code), c.name) << "code " << c.code;
}

TEST(KeyName, DigitLetterAndFunctionKeyRanges) {
  for (int d = 0; d <= 9; ++d) {
    EXPECT_EQ(KeyName(48 + d), std::to_string(d));
    EXPECT_EQ(KeyName(96 + d), std::to_string(d)) << "keypad";
  }
  for (int l = 0; l < 26; ++l) EXPECT_EQ(KeyName(65 + l), std::string(1, static_cast<char>('A' + l)));
  for (int f = 1; f <= 12; ++f) EXPECT_EQ(KeyName(111 + f), "F" + std::to_string(f));
}

TEST(KeyName, UnlistedCodesAreNamedBySubCodeWithoutThePort) {
  struct Case {
    int code;
    const char* name;
  };
  const Case cases[] = {
      // code  name           why
      {300, "Y-"}, {350, "Y-"}, {400, "Y-"}, {450, "Y-"},  // the port is not part of the name
      {301, "Y+"}, {302, "X-"}, {303, "X+"}, {304, "Z-"}, {305, "Z+"}, {306, "U-"}, {307, "U+"},
      {308, "V-"}, {309, "V+"}, {310, "R-"}, {361, "R+"},
      {320, "Up"}, {323, "Left"}, {325, "Right"}, {378, "Down"},
      {330, "0"}, {348, "18"}, {349, "19"},                 // buttons by number
      {312, "-18"}, {321, "-9"},                            // unknown sub-codes read m - 30
      {47, "17"}, {4, "Z-"}, {255, "Z+"},                   // unlisted keys take the same rule
      {550, "Y-"}, {2147483647, "17"},                      // ports beyond 4 still have a name
      {0, "Unbound"},
      {-1, "19"}, {-2147483647 - 1, "X-"},                  // negative codes stay in 0..49
  };
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.code), c.name) << "code " << c.code;
}

}  // namespace
