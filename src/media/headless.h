// The headless back end, for tests: a fake clock that only sleeping (Delay) and AdvanceClock move,
// input scripted per frame (a frame ends at each Flip) or per sleep, virtual joysticks, and a
// record of every draw call with its full draw state and of every sound call. Selected by
// MediaInit(MEDIA_HEADLESS).
//
// The headless display reports a fixed mode list (HeadlessSetModes changes it) and "opens" any
// listed size; the back buffer is not rendered, so GrabPixmap gives a black picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "media/media.h"

// ---------------------------------------------------------------------------------------------
// Clock
// ---------------------------------------------------------------------------------------------
void HeadlessSetClock(int ms);
void HeadlessAdvanceClock(int ms);
// Extra milliseconds that every Flip costs (simulates a slow renderer; 0 by default).
void HeadlessSetFlipCost(int ms);
// Milliseconds added for each drawn primitive at the next Flip, in microseconds per draw
// (lets tests stage a machine whose frame rate falls with the sprite count).
void HeadlessSetDrawCostMicros(int micros);
// Total milliseconds spent inside Delay so far (tests prove pacing sleeps instead of spinning).
int64_t HeadlessSleptMs();

// ---------------------------------------------------------------------------------------------
// Display
// ---------------------------------------------------------------------------------------------
void HeadlessSetModes(const std::vector<DisplayMode>& modes);
// What DesktopMode answers (1920 x 1080 x 32 at 60 Hz until set; reset by MediaInit).
void HeadlessSetDesktop(DisplayMode mode);
// Refuse OpenDisplay (simulates a mode the hardware will not take).
void HeadlessRefuseDisplay(bool refuse);
// Refuse the OpenDisplay calls the predicate picks (a size too large for the screen, full screen,
// one display choice); nullptr refuses none. Reset by MediaInit.
void HeadlessRefuseDisplayWhen(std::function<bool(int w, int h, int depth, int choice)> refuse);
// No display server at all (as with no DISPLAY): every display refused, DisplayServerAvailable false.
void HeadlessRemoveDisplayServer(bool removed);
int HeadlessFrameCount();  // Flips so far

// ---------------------------------------------------------------------------------------------
// Scripted input. Events are applied at the start of the given frame (frame n is the one after
// the n-th Flip; frame 0 is before the first Flip). Immediate calls act at once.
// ---------------------------------------------------------------------------------------------
struct InputEvent {
  enum Kind { KEY_DOWN, KEY_UP, CHAR, MOUSE_MOVE, MOUSE_DOWN, MOUSE_UP, CLOSE_REQUEST } kind;
  int a = 0;  // key code, character, mouse button, or x (real pixels)
  int b = 0;  // y (real pixels) for MOUSE_MOVE
};
void HeadlessScheduleInput(int frame, InputEvent ev);
void HeadlessKeyDown(int key);
void HeadlessKeyUp(int key);
void HeadlessTypeChar(int ch);
void HeadlessMouseMove(int x, int y);  // real pixels
void HeadlessMouseDown(int button);
void HeadlessMouseUp(int button);
void HeadlessRequestClose();
// Called at the start of every frame with its number, after the scheduled events (a test can
// drive a loop it does not control from here).
void HeadlessOnFrame(std::function<void(int frame)> fn);
// Called after every sleep (Delay) with the fake clock in ms: the input a person gives while the
// program waits without drawing (letting go of a key it waits for, say). No frame passes there.
void HeadlessOnSleep(std::function<void(int clock)> fn);

// Virtual joysticks: count, then per port its state.
struct VirtualJoystick {
  std::string name = "Virtual Pad";
  float axis[6] = {0, 0, 0, 0, 0, 0};  // x, y, z, r, u, v
  float hat = -1.0f;
  int buttons = 12;
  uint32_t held = 0;  // bit i = button i down
};
void HeadlessSetJoysticks(const std::vector<VirtualJoystick>& pads);
VirtualJoystick& HeadlessJoystick(int port);

// ---------------------------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------------------------
struct DrawRecord {
  enum Kind { IMAGE, RECT, LINE, TEXT, CLEAR, FLIP, GRAB } kind;
  int frame = 0;        // HeadlessFrameCount() at the time of the call
  int image = 0;        // image handle (IMAGE), font handle (TEXT)
  int cell = 0;         // image frame
  float x = 0, y = 0;   // logical position (x1, y1 for LINE)
  float w = 0, h = 0;   // size (RECT), end point x2, y2 (LINE)
  std::string text;     // TEXT
  int r = 255, g = 255, b = 255;
  float alpha = 1;
  int blend = BLEND_MASK;
  float rotation = 0;
  float sx = 1, sy = 1;
};
// The record keeps about the last million draws: past that, the older half is dropped.
const std::vector<DrawRecord>& HeadlessDraws();
void HeadlessClearDraws();

struct SoundRecord {
  enum Kind { LOAD, ALLOC, PLAY, CUE, STOP, PAUSE, RESUME, VOLUME, PAN, RATE } kind;
  int frame = 0;
  int sound = 0;
  int channel = 0;
  float value = 0;  // volume, pan or rate
  bool timed = false;  // a resume or stop given the moment it belongs to (ResumeChannelAt, StopChannelAt)
  int due = 0;         // that moment, on Millis()
};
const std::vector<SoundRecord>& HeadlessSounds();
void HeadlessClearSounds();
// What OpenALInstalled() answers on the headless back end (false until set; reset by MediaInit).
void HeadlessSetOpenALInstalled(bool installed);
