// Contracts between the media layer's own files (never included above media/). Each public
// operation of media.h dispatches at one point on MediaBackendInUse(): the real back ends or the
// headless one.
//
// Who owns what:
//   handles.cpp            the handle table
//   platform_sdl.cpp,      SDL start-up, the event pump, keyboard / mouse / joystick input,
//   input_state.cpp,       the key translation table, clock, date and time, process end, memory
//   keymap.cpp, ...        statistics, MediaInit / MediaShutdown
//   headless*.cpp          the headless back end (media/headless.h)
//   display*.cpp, draw*,   display, drawing state, images, fonts, pixmaps, PNG, the batched
//   render_*.cpp, ...      renderers (display choice 0 GL 3.3, 1 and 2 SDL_Renderer)
//   audio*.cpp             audio drivers, WAV loading, channels
//   random.cpp, text.cpp,  the pure helpers
//   files.cpp, trig.cpp
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/media.h"

struct SDL_Window;

// ---------------------------------------------------------------------------------------------
// Handle table (handles.cpp)
// ---------------------------------------------------------------------------------------------
enum class ObjectKind { IMAGE, FONT, SOUND, CHANNEL, PIXMAP, STREAM };

struct MediaObject {
  virtual ~MediaObject() = default;
  virtual ObjectKind Kind() const = 0;
  virtual int64_t Bytes() const { return 0; }  // memory held, for MemoryInUse
};

// Registers an object and gives its handle (a small positive integer; freed handles are reused
// only after the table has grown, so a stale handle rarely points at a new object).
int RegisterObject(std::unique_ptr<MediaObject> obj);
MediaObject* LookupObject(int handle, ObjectKind kind);  // nullptr for 0, stale or other kind
template <class T>
T* Lookup(int handle, ObjectKind kind) {
  return static_cast<T*>(LookupObject(handle, kind));
}
void ReleaseObject(int handle);
void ReleaseAllObjects();
int64_t ObjectBytes();
// Visits every live object of a kind (the renderers drop textures when a display closes).
void ForEachObject(ObjectKind kind, void (*fn)(int handle, MediaObject& obj, void* ctx), void* ctx);

// ---------------------------------------------------------------------------------------------
// Shared input state, fed by the SDL event pump and by the headless script alike
// (input_state.cpp). Key codes are virtual-key codes 0..255.
// ---------------------------------------------------------------------------------------------
// holdTaps: a press let go within the same pump reads as held until the next InputPumpStart (the
// SDL pump; headless scripts state each frame's input as it is meant to be read).
void InputKeyEvent(int code, bool down, bool holdTaps = false);
void InputCharEvent(int ch);
void InputMouseButtonEvent(int button, bool down, bool holdTaps = false);
void InputMouseMoveEvent(int x, int y);  // real pixels
void InputCloseEvent();
void InputReset();
// Each SDL pump of events (each PollSystem) begins here: quick taps of the previous pump are let
// go now.
void InputPumpStart();
// Terminate signals (SIGTERM, SIGINT, SIGHUP) only set the flag TerminateSignalled reads
// (platform_process.cpp); every MediaInit installs them afresh.
void InstallTerminateHandlers();

// ---------------------------------------------------------------------------------------------
// SDL (platform_sdl.cpp)
// ---------------------------------------------------------------------------------------------
// Initialises the SDL subsystems (SDL_INIT_* flags) once; false when SDL refuses.
bool EnsureSdl(uint32_t subsystems);
// The open window of the real display back end, or nullptr (display*.cpp).
SDL_Window* CurrentSdlWindow();

// ---------------------------------------------------------------------------------------------
// Headless back end (headless*.cpp)
// ---------------------------------------------------------------------------------------------
void HeadlessReset();
void HeadlessRecordDraw(DrawRecord rec);    // frame is filled in by the recorder
void HeadlessRecordSound(SoundRecord rec);  // frame is filled in by the recorder
// Called by Flip on the headless back end: ends the frame (flip cost, draw cost, frame count,
// scheduled input of the next frame).
void HeadlessEndFrame();
int HeadlessMillis();
void HeadlessDelay(int ms);
const std::vector<DisplayMode>& HeadlessModes();
DisplayMode HeadlessDesktop();
bool HeadlessDisplayRefused();
bool HeadlessRefuses(int w, int h, int depth, int choice);
bool HeadlessDisplayServer();

// ---------------------------------------------------------------------------------------------
// Subsystem start and stop, called by MediaInit / MediaShutdown
// ---------------------------------------------------------------------------------------------
void GfxInit(MediaBackend backend);
void GfxShutdown();
void AudioInit(MediaBackend backend);
void AudioShutdown();
