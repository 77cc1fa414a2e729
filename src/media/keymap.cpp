// The one table from SDL scancodes to the virtual-key numbering the game stores in its bindings.
// Keys without a character label (arrows, F-keys, modifiers, keypad) and the digit row keep their
// positions; letter and punctuation keys follow the label the layout gives them, so R, Q, P and
// the name entry's letters are where the player reads them on AZERTY or Dvorak keyboards too.
#include <SDL.h>

#include <array>

#include "media/platform.h"

namespace {

struct KeyEntry {
  SDL_Scancode scancode;
  int code;         // virtual-key code
  int numLockOff;   // code while NumLock is off (keypad keys only), 0: same as code
};

// scancode                      code  NumLock off
constexpr KeyEntry KEY_TABLE[] = {
    {SDL_SCANCODE_BACKSPACE, 8, 0},
    {SDL_SCANCODE_TAB, 9, 0},
    {SDL_SCANCODE_CLEAR, 12, 0},
    {SDL_SCANCODE_KP_CLEAR, 12, 0},
    {SDL_SCANCODE_RETURN, 13, 0},
    {SDL_SCANCODE_RETURN2, 13, 0},
    {SDL_SCANCODE_KP_ENTER, 13, 0},
    {SDL_SCANCODE_PAUSE, 19, 0},
    {SDL_SCANCODE_CAPSLOCK, 20, 0},
    {SDL_SCANCODE_ESCAPE, 27, 0},
    {SDL_SCANCODE_SPACE, 32, 0},
    {SDL_SCANCODE_PAGEUP, 33, 0},
    {SDL_SCANCODE_PAGEDOWN, 34, 0},
    {SDL_SCANCODE_END, 35, 0},
    {SDL_SCANCODE_HOME, 36, 0},
    {SDL_SCANCODE_LEFT, 37, 0},
    {SDL_SCANCODE_UP, 38, 0},
    {SDL_SCANCODE_RIGHT, 39, 0},
    {SDL_SCANCODE_DOWN, 40, 0},
    {SDL_SCANCODE_SELECT, 41, 0},
    {SDL_SCANCODE_SYSREQ, 42, 0},  // Alt + PrintScreen on PC keyboards
    {SDL_SCANCODE_EXECUTE, 43, 0},
    {SDL_SCANCODE_PRINTSCREEN, 44, 0},
    {SDL_SCANCODE_INSERT, 45, 0},
    {SDL_SCANCODE_DELETE, 46, 0},
    {SDL_SCANCODE_HELP, 47, 0},
    {SDL_SCANCODE_0, 48, 0},
    {SDL_SCANCODE_1, 49, 0},
    {SDL_SCANCODE_2, 50, 0},
    {SDL_SCANCODE_3, 51, 0},
    {SDL_SCANCODE_4, 52, 0},
    {SDL_SCANCODE_5, 53, 0},
    {SDL_SCANCODE_6, 54, 0},
    {SDL_SCANCODE_7, 55, 0},
    {SDL_SCANCODE_8, 56, 0},
    {SDL_SCANCODE_9, 57, 0},
    {SDL_SCANCODE_A, 65, 0},
    {SDL_SCANCODE_B, 66, 0},
    {SDL_SCANCODE_C, 67, 0},
    {SDL_SCANCODE_D, 68, 0},
    {SDL_SCANCODE_E, 69, 0},
    {SDL_SCANCODE_F, 70, 0},
    {SDL_SCANCODE_G, 71, 0},
    {SDL_SCANCODE_H, 72, 0},
    {SDL_SCANCODE_I, 73, 0},
    {SDL_SCANCODE_J, 74, 0},
    {SDL_SCANCODE_K, 75, 0},
    {SDL_SCANCODE_L, 76, 0},
    {SDL_SCANCODE_M, 77, 0},
    {SDL_SCANCODE_N, 78, 0},
    {SDL_SCANCODE_O, 79, 0},
    {SDL_SCANCODE_P, 80, 0},
    {SDL_SCANCODE_Q, 81, 0},
    {SDL_SCANCODE_R, 82, 0},
    {SDL_SCANCODE_S, 83, 0},
    {SDL_SCANCODE_T, 84, 0},
    {SDL_SCANCODE_U, 85, 0},
    {SDL_SCANCODE_V, 86, 0},
    {SDL_SCANCODE_W, 87, 0},
    {SDL_SCANCODE_X, 88, 0},
    {SDL_SCANCODE_Y, 89, 0},
    {SDL_SCANCODE_Z, 90, 0},
    {SDL_SCANCODE_LGUI, 91, 0},
    {SDL_SCANCODE_RGUI, 92, 0},
    {SDL_SCANCODE_APPLICATION, 93, 0},
    {SDL_SCANCODE_SLEEP, 95, 0},
    {SDL_SCANCODE_KP_0, 96, 45},
    {SDL_SCANCODE_KP_1, 97, 35},
    {SDL_SCANCODE_KP_2, 98, 40},
    {SDL_SCANCODE_KP_3, 99, 34},
    {SDL_SCANCODE_KP_4, 100, 37},
    {SDL_SCANCODE_KP_5, 101, 12},
    {SDL_SCANCODE_KP_6, 102, 39},
    {SDL_SCANCODE_KP_7, 103, 36},
    {SDL_SCANCODE_KP_8, 104, 38},
    {SDL_SCANCODE_KP_9, 105, 33},
    {SDL_SCANCODE_KP_MULTIPLY, 106, 0},
    {SDL_SCANCODE_KP_PLUS, 107, 0},
    {SDL_SCANCODE_SEPARATOR, 108, 0},
    {SDL_SCANCODE_KP_MINUS, 109, 0},
    {SDL_SCANCODE_KP_PERIOD, 110, 46},
    {SDL_SCANCODE_KP_DECIMAL, 110, 0},
    {SDL_SCANCODE_KP_DIVIDE, 111, 0},
    {SDL_SCANCODE_F1, 112, 0},
    {SDL_SCANCODE_F2, 113, 0},
    {SDL_SCANCODE_F3, 114, 0},
    {SDL_SCANCODE_F4, 115, 0},
    {SDL_SCANCODE_F5, 116, 0},
    {SDL_SCANCODE_F6, 117, 0},
    {SDL_SCANCODE_F7, 118, 0},
    {SDL_SCANCODE_F8, 119, 0},
    {SDL_SCANCODE_F9, 120, 0},
    {SDL_SCANCODE_F10, 121, 0},
    {SDL_SCANCODE_F11, 122, 0},
    {SDL_SCANCODE_F12, 123, 0},
    {SDL_SCANCODE_F13, 124, 0},
    {SDL_SCANCODE_F14, 125, 0},
    {SDL_SCANCODE_F15, 126, 0},
    {SDL_SCANCODE_F16, 127, 0},
    {SDL_SCANCODE_F17, 128, 0},
    {SDL_SCANCODE_F18, 129, 0},
    {SDL_SCANCODE_F19, 130, 0},
    {SDL_SCANCODE_F20, 131, 0},
    {SDL_SCANCODE_F21, 132, 0},
    {SDL_SCANCODE_F22, 133, 0},
    {SDL_SCANCODE_F23, 134, 0},
    {SDL_SCANCODE_F24, 135, 0},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144, 0},
    {SDL_SCANCODE_SCROLLLOCK, 145, 0},
    {SDL_SCANCODE_LSHIFT, 160, 0},
    {SDL_SCANCODE_RSHIFT, 161, 0},
    {SDL_SCANCODE_LCTRL, 162, 0},
    {SDL_SCANCODE_RCTRL, 163, 0},
    {SDL_SCANCODE_LALT, 164, 0},
    {SDL_SCANCODE_RALT, 165, 0},
    {SDL_SCANCODE_AC_BACK, 166, 0},
    {SDL_SCANCODE_AC_FORWARD, 167, 0},
    {SDL_SCANCODE_AC_REFRESH, 168, 0},
    {SDL_SCANCODE_AC_STOP, 169, 0},
    {SDL_SCANCODE_AC_SEARCH, 170, 0},
    {SDL_SCANCODE_AC_BOOKMARKS, 171, 0},
    {SDL_SCANCODE_AC_HOME, 172, 0},
    {SDL_SCANCODE_MUTE, 173, 0},
    {SDL_SCANCODE_AUDIOMUTE, 173, 0},
    {SDL_SCANCODE_VOLUMEDOWN, 174, 0},
    {SDL_SCANCODE_VOLUMEUP, 175, 0},
    {SDL_SCANCODE_AUDIONEXT, 176, 0},
    {SDL_SCANCODE_AUDIOPREV, 177, 0},
    {SDL_SCANCODE_AUDIOSTOP, 178, 0},
    {SDL_SCANCODE_AUDIOPLAY, 179, 0},
    {SDL_SCANCODE_MAIL, 180, 0},
    {SDL_SCANCODE_MEDIASELECT, 181, 0},
    {SDL_SCANCODE_COMPUTER, 182, 0},
    {SDL_SCANCODE_CALCULATOR, 183, 0},
    {SDL_SCANCODE_SEMICOLON, 186, 0},
    {SDL_SCANCODE_EQUALS, 187, 0},
    {SDL_SCANCODE_COMMA, 188, 0},
    {SDL_SCANCODE_MINUS, 189, 0},
    {SDL_SCANCODE_PERIOD, 190, 0},
    {SDL_SCANCODE_SLASH, 191, 0},
    {SDL_SCANCODE_APOSTROPHE, 192, 0},  // the key right of ';', numbered as on UK keyboards
    {SDL_SCANCODE_LEFTBRACKET, 219, 0},
    {SDL_SCANCODE_BACKSLASH, 220, 0},
    {SDL_SCANCODE_RIGHTBRACKET, 221, 0},
    {SDL_SCANCODE_NONUSHASH, 222, 0},
    {SDL_SCANCODE_GRAVE, 223, 0},
    {SDL_SCANCODE_NONUSBACKSLASH, 226, 0},
};

static_assert(SDL_NUM_SCANCODES == SCANCODE_COUNT);

struct KeyLookup {
  std::array<int, SCANCODE_COUNT> code{};
  std::array<int, SCANCODE_COUNT> numLockOff{};
};

// Built once from the table, so a key press costs one array read.
const KeyLookup& Codes() {
  static const KeyLookup lookup = [] {
    KeyLookup l;
    for (const KeyEntry& e : KEY_TABLE) {
      l.code[e.scancode] = e.code;
      l.numLockOff[e.scancode] = e.numLockOff ? e.numLockOff : e.code;
    }
    return l;
  }();
  return lookup;
}

// The punctuation labels, numbered as the table numbers their keys on a UK/US keyboard.
struct LabelEntry {
  char label;
  int code;
};
constexpr LabelEntry PUNCTUATION[] = {
    {';', 186}, {'=', 187}, {',', 188}, {'-', 189}, {'.', 190}, {'/', 191},
    {'\'', 192}, {'[', 219}, {'\\', 220}, {']', 221}, {'#', 222}, {'`', 223},
};

// The code a character label gives, 0 for a label the numbering has no code for.
int CodeForLabel(int label) {
  if (label >= 'a' && label <= 'z') return 'A' + (label - 'a');
  for (const LabelEntry& e : PUNCTUATION)
    if (label == e.label) return e.code;
  return 0;
}

// Letter and punctuation positions: the keys whose label, not their place, names them.
bool LabelledPosition(int code) {
  return (code >= 65 && code <= 90) || (code >= 186 && code <= 192) || (code >= 219 && code <= 223) || code == 226;
}

}  // namespace

int KeyCodeForScancode(int scancode, bool numLock) {
  if (scancode < 0 || scancode >= SCANCODE_COUNT) return 0;
  const KeyLookup& l = Codes();
  return numLock ? l.code[static_cast<size_t>(scancode)] : l.numLockOff[static_cast<size_t>(scancode)];
}

int KeyCodeForKey(int scancode, int label, bool numLock) {
  const int byPosition = KeyCodeForScancode(scancode, numLock);
  if (!LabelledPosition(byPosition)) return byPosition;
  const int byLabel = CodeForLabel(label);
  return byLabel ? byLabel : byPosition;  // a label outside the numbering (an accented letter)
}

int ScancodeFromName(const std::string& name) {
  SDL_Scancode sc = SDL_GetScancodeFromName(name.c_str());
  return sc == SDL_SCANCODE_UNKNOWN ? -1 : static_cast<int>(sc);
}
