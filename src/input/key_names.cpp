// The names shown for input codes: one table for the named keys and one for the joystick
// sub-codes that are not buttons.
#include "input/input.h"
#include "input/joystick_inputs.h"
#include "media/media.h"

namespace {

struct KeyNameEntry {
  int first, last;   // code range
  const char* text;  // name; for a range of one-character names, the first code's name
};

// Ranges name consecutive codes by consecutive characters ("0".."9", "A".."Z", "F1".."F12").
constexpr KeyNameEntry KEY_NAMES[] = {
    // first last  text
    {1, 1, "Left Mousebutton"},
    {2, 2, "Right Mousebutton"},
    {3, 3, "Middle Mousebutton"},
    {8, 8, "Backspace"},
    {9, 9, "Tab"},
    {12, 12, "Clear"},
    {13, 13, "Return"},
    {19, 19, "Pause"},
    {20, 20, "CapsLock"},
    {27, 27, "Escape"},
    {32, 32, "Space"},
    {33, 33, "Page Up"},
    {34, 34, "Page Down"},
    {35, 35, "End"},
    {36, 36, "Home"},
    {37, 37, "Left"},
    {38, 38, "Up"},
    {39, 39, "Right"},
    {40, 40, "Down"},
    {41, 41, "Select"},
    {42, 42, "Print"},
    {43, 43, "Execute"},
    {44, 44, "Screen"},
    {45, 45, "Insert"},
    {46, 46, "Delete"},
    {48, 57, "0"},
    {65, 90, "A"},
    {91, 91, "Sys Left"},
    {92, 92, "Sys Right"},
    {96, 105, "0"},  // keypad digits
    {106, 106, "*"},
    {107, 107, "+"},
    {109, 109, "-"},
    {110, 110, "."},
    {111, 111, "/"},
    {112, 123, "F1"},
    {144, 144, "NumLock"},
    {145, 145, "ScrollLock"},
    {160, 160, "LShift"},
    {161, 161, "RShift"},
    {162, 162, "LControl"},
    {163, 163, "RControl"},
    {164, 164, "LAlt"},
    {165, 165, "RAlt"},
    {173, 173, "Mute"},
    {174, 174, "Volume Down"},
    {175, 175, "Volume Up"},
    {186, 186, ";"},
    {187, 187, "="},
    {188, 188, ","},
    {189, 189, "-"},
    {190, 190, "."},
    {191, 191, "/"},
    {192, 192, "'"},
    {219, 219, "["},
    {220, 220, "\\"},
    {221, 221, "]"},
    {222, 222, "#"},
    {223, 223, "`"},
    {226, 226, "\\"},
};

// A joystick input by its sub-code: "X+", "Up", or a button's number.
std::string JoystickInputName(int sub) {
  if (JoystickKind(sub) == JOY_AXIS) return std::string(AXES[sub / 2].name) + (sub % 2 == 0 ? "-" : "+");
  for (const HatInput& dir : HAT_INPUTS)
    if (sub == dir.sub) return dir.name;
  return IntText(sub - FIRST_BUTTON_SUB);
}

// The name of the n-th code of a range: "F1" + 3 -> "F4", "A" + 2 -> "C".
std::string RangeName(const KeyNameEntry& e, int code) {
  const std::string first = e.text;
  const int offset = code - e.first;
  if (offset == 0) return first;
  if (first.size() == 1) return std::string(1, static_cast<char>(first[0] + offset));
  return Left(first, 1) + IntText(ToInt(Mid(first, 2)) + offset);
}

}  // namespace

std::string KeyName(int code) {
  if (code == 0) return "Unbound";
  for (const KeyNameEntry& e : KEY_NAMES)
    if (code >= e.first && code <= e.last) return RangeName(e, code);
  // Unlisted codes (joystick inputs, and unlisted keys too) are named by their sub-code alone.
  return JoystickInputName(JoystickSub(code));
}
