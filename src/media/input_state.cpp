// The keyboard, mouse and close-request state that the game polls. Both back ends feed it through
// the Input*Event calls (the SDL event pump and the headless script), so there is one bookkeeping.
// Wiped by InputReset (every MediaInit) and, in parts, by FlushKeys / FlushMouse.
#include <array>
#include <deque>

#include "media/internal.h"
#include "media/platform.h"

namespace {

constexpr int KEY_COUNT = 256;
constexpr int MOUSE_BUTTONS = 4;      // 1 left, 2 right, 3 middle; 0 unused
constexpr size_t CHAR_QUEUE_MAX = 256;  // typing faster than the game reads just drops the excess

// The side-specific modifier codes and the generic code that either side holds.
struct ModifierPair {
  int generic, left, right;
};
constexpr ModifierPair MODIFIERS[] = {{16, 160, 161}, {17, 162, 163}, {18, 164, 165}};

struct InputState {
  std::array<bool, KEY_COUNT> keyDown{};  // as reported per code (generic codes: only when sent as such)
  std::array<int, KEY_COUNT> keyHits{};   // presses since the last KeyHit of the code
  std::deque<int> chars;                  // typed characters, Latin-1 codes 1..255
  std::array<bool, MOUSE_BUTTONS> mouseDown{};
  std::array<int, MOUSE_BUTTONS> mouseHits{};
  // A quick tap (down and up within one pump) reads as held until the next pump, so that a game
  // that tests inputs once per frame as held still sees it.
  std::array<bool, KEY_COUNT> keyNew{};         // went down in the current pump
  std::array<bool, KEY_COUNT> keyUpLater{};     // let go in the pump it went down in
  std::array<bool, MOUSE_BUTTONS> mouseNew{};
  std::array<bool, MOUSE_BUTTONS> mouseUpLater{};
  int mouseX = 0, mouseY = 0;  // real pixels
  int closeRequests = 0;       // unanswered window-close requests
};

InputState gInput;

bool ValidKey(int code) { return code >= 0 && code < KEY_COUNT; }
bool ValidButton(int button) { return button >= 1 && button < MOUSE_BUTTONS; }

const ModifierPair* GenericFor(int code) {
  for (const ModifierPair& m : MODIFIERS)
    if (code == m.left || code == m.right) return &m;
  return nullptr;
}

bool ModifierHeld(const ModifierPair& m) {
  return gInput.keyDown[static_cast<size_t>(m.generic)] || gInput.keyDown[static_cast<size_t>(m.left)] ||
         gInput.keyDown[static_cast<size_t>(m.right)];
}

void QueueChar(int ch) {
  if (ch < 1 || ch > 255 || gInput.chars.size() >= CHAR_QUEUE_MAX) return;
  gInput.chars.push_back(ch);
}

// Return and Backspace also reach the character queue, as they do for classic desktop text boxes.
void QueueKeyChar(int code) {
  if (code == KEY_RETURN || code == KEY_BACKSPACE) QueueChar(code);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Feeding the state
// ---------------------------------------------------------------------------------------------
void InputKeyEvent(int code, bool down, bool holdTaps) {
  if (!ValidKey(code)) return;
  const auto k = static_cast<size_t>(code);
  const ModifierPair* mod = GenericFor(code);
  const bool genericBefore = mod && ModifierHeld(*mod);
  bool& held = gInput.keyDown[k];
  if (down) {
    if (!held || gInput.keyUpLater[k]) ++gInput.keyHits[k];
    QueueKeyChar(code);
    gInput.keyNew[k] = holdTaps;
    gInput.keyUpLater[k] = false;
  } else if (gInput.keyNew[k]) {
    gInput.keyUpLater[k] = true;
    return;
  }
  held = down;
  // The generic code counts a press when the first of its two keys goes down.
  if (mod && !genericBefore && ModifierHeld(*mod)) ++gInput.keyHits[static_cast<size_t>(mod->generic)];
}

void InputKeyRepeat(int code) {
  if (ValidKey(code) && gInput.keyDown[static_cast<size_t>(code)]) QueueKeyChar(code);
}

void InputCharEvent(int ch) { QueueChar(ch); }

void InputMouseButtonEvent(int button, bool down, bool holdTaps) {
  if (!ValidButton(button)) return;
  const auto b = static_cast<size_t>(button);
  bool& held = gInput.mouseDown[b];
  if (down) {
    if (!held || gInput.mouseUpLater[b]) ++gInput.mouseHits[b];
    gInput.mouseNew[b] = holdTaps;
    gInput.mouseUpLater[b] = false;
  } else if (gInput.mouseNew[b]) {
    gInput.mouseUpLater[b] = true;
    return;
  }
  held = down;
}

void InputPumpStart() {
  for (int code = 0; code < KEY_COUNT; ++code) {
    const auto k = static_cast<size_t>(code);
    gInput.keyNew[k] = false;
    if (gInput.keyUpLater[k]) {
      gInput.keyUpLater[k] = false;
      InputKeyEvent(code, false);
    }
  }
  for (size_t b = 0; b < MOUSE_BUTTONS; ++b) {
    gInput.mouseNew[b] = false;
    if (gInput.mouseUpLater[b]) {
      gInput.mouseUpLater[b] = false;
      gInput.mouseDown[b] = false;
    }
  }
}

void InputMouseMoveEvent(int x, int y) {
  gInput.mouseX = x;
  gInput.mouseY = y;
}

void InputCloseEvent() { ++gInput.closeRequests; }

void InputReset() { gInput = InputState{}; }

// ---------------------------------------------------------------------------------------------
// Keyboard
// ---------------------------------------------------------------------------------------------
bool KeyDown(int key) {
  if (!ValidKey(key)) return false;
  for (const ModifierPair& m : MODIFIERS)
    if (key == m.generic) return ModifierHeld(m);
  return gInput.keyDown[static_cast<size_t>(key)];
}

int KeyHit(int key) {
  if (!ValidKey(key)) return 0;
  int& hits = gInput.keyHits[static_cast<size_t>(key)];
  const int n = hits;
  hits = 0;
  return n;
}

int GetChar() {
  if (gInput.chars.empty()) return 0;
  const int ch = gInput.chars.front();
  gInput.chars.pop_front();
  return ch;
}

void FlushKeys() {
  gInput.keyDown.fill(false);
  gInput.keyHits.fill(0);
  gInput.keyNew.fill(false);
  gInput.keyUpLater.fill(false);
  gInput.chars.clear();
}

// ---------------------------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------------------------
void FlushMouse() {
  gInput.mouseDown.fill(false);
  gInput.mouseHits.fill(0);
  gInput.mouseNew.fill(false);
  gInput.mouseUpLater.fill(false);
}

bool MouseDown(int button) { return ValidButton(button) && gInput.mouseDown[static_cast<size_t>(button)]; }

int MouseHit(int button) {
  if (!ValidButton(button)) return 0;
  int& hits = gInput.mouseHits[static_cast<size_t>(button)];
  const int n = hits;
  hits = 0;
  return n;
}

int MouseX() { return gInput.mouseX; }
int MouseY() { return gInput.mouseY; }

// Before a display is open there is no scale: the logical position is the real one.
float VirtualMouseX() {
  const int real = RealWidth();
  return real > 0 ? static_cast<float>(gInput.mouseX) * static_cast<float>(VirtualWidth()) / static_cast<float>(real)
                  : static_cast<float>(gInput.mouseX);
}

float VirtualMouseY() {
  const int real = RealHeight();
  return real > 0 ? static_cast<float>(gInput.mouseY) * static_cast<float>(VirtualHeight()) / static_cast<float>(real)
                  : static_cast<float>(gInput.mouseY);
}

// ---------------------------------------------------------------------------------------------
// Close requests
// ---------------------------------------------------------------------------------------------
bool AppTerminate() {
  if (TerminateSignalled()) return true;
  if (gInput.closeRequests == 0) return false;
  --gInput.closeRequests;
  return true;
}
