// The headless back end's input: events scheduled per frame, immediate events, the per-frame
// callback and the virtual joysticks. All of it feeds the shared input state. Wiped by
// HeadlessReset.
#include <functional>
#include <map>

#include "media/internal.h"
#include "media/platform.h"

namespace {

struct HeadlessInput {
  std::multimap<int, InputEvent> scheduled;  // by frame; same-frame events keep their order
  std::function<void(int frame)> onFrame;
  std::function<void(int clock)> onSleep;
  std::vector<VirtualJoystick> pads;
};

HeadlessInput gScript;
VirtualJoystick gNoPad;  // handed out for a port that does not exist, so no read goes out of range

void Apply(const InputEvent& ev) {
  switch (ev.kind) {
    case InputEvent::KEY_DOWN: InputKeyEvent(ev.a, true); break;
    case InputEvent::KEY_UP: InputKeyEvent(ev.a, false); break;
    case InputEvent::CHAR: InputCharEvent(ev.a); break;
    case InputEvent::MOUSE_MOVE: InputMouseMoveEvent(ev.a, ev.b); break;
    case InputEvent::MOUSE_DOWN: InputMouseButtonEvent(ev.a, true); break;
    case InputEvent::MOUSE_UP: InputMouseButtonEvent(ev.a, false); break;
    case InputEvent::CLOSE_REQUEST: InputCloseEvent(); break;
  }
}

}  // namespace

void HeadlessResetInput() { gScript = HeadlessInput{}; }

void HeadlessStartFrame(int frame) {
  auto& scheduled = gScript.scheduled;
  while (!scheduled.empty() && scheduled.begin()->first <= frame) {
    const InputEvent ev = scheduled.begin()->second;
    scheduled.erase(scheduled.begin());
    Apply(ev);
  }
  // A copy: the callback may replace itself.
  if (auto fn = gScript.onFrame) fn(frame);
}

// An event for the current frame or one already begun acts at once: its frame has started.
void HeadlessScheduleInput(int frame, InputEvent ev) {
  if (frame <= HeadlessFrameCount()) {
    Apply(ev);
    return;
  }
  gScript.scheduled.emplace(frame, ev);
}

void HeadlessKeyDown(int key) { InputKeyEvent(key, true); }
void HeadlessKeyUp(int key) { InputKeyEvent(key, false); }
void HeadlessTypeChar(int ch) { InputCharEvent(ch); }
void HeadlessMouseMove(int x, int y) { InputMouseMoveEvent(x, y); }
void HeadlessMouseDown(int button) { InputMouseButtonEvent(button, true); }
void HeadlessMouseUp(int button) { InputMouseButtonEvent(button, false); }
void HeadlessRequestClose() { InputCloseEvent(); }

void HeadlessOnFrame(std::function<void(int frame)> fn) { gScript.onFrame = std::move(fn); }
void HeadlessOnSleep(std::function<void(int clock)> fn) { gScript.onSleep = std::move(fn); }

void HeadlessAfterSleep(int clock) {
  if (auto fn = gScript.onSleep) fn(clock);  // a copy, as for the frame callback
}

// ---------------------------------------------------------------------------------------------
// Virtual joysticks
// ---------------------------------------------------------------------------------------------
void HeadlessSetJoysticks(const std::vector<VirtualJoystick>& pads) { gScript.pads = pads; }

int HeadlessJoystickCount() { return static_cast<int>(gScript.pads.size()); }

VirtualJoystick& HeadlessJoystick(int port) {
  if (port < 0 || port >= HeadlessJoystickCount()) {
    gNoPad = VirtualJoystick{};
    return gNoPad;
  }
  return gScript.pads[static_cast<size_t>(port)];
}
