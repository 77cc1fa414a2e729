// EndFrame: the one call that ends every frame of every screen.
#include "frame/end_frame.h"

#include "common/common_assets.h"
#include "common/icon_cells.h"
#include "common/settings.h"
#include "frame/draw.h"
#include "frame/engine_hooks.h"
#include "frame/frame_layers.h"
#include "frame/frame_state.h"
#include "frame/pause_menu.h"
#include "frame/screenshot.h"
#include "frame/settings_menu.h"
#include "media/media.h"
#include "music/playback.h"

namespace {

constexpr double FRAME_SLOT_MS = 1000.0 / 60;  // the pace is fixed, whatever the caller asks for
constexpr int SLOT_SLACK_MS = 2;               // end the wait a little early: Delay overshoots

// Sleeps in 1 ms steps (never spins) until the frame's slot is used up; always sleeps once.
void WaitForSlot() {
  do {
    Delay(1);
  } while (MsBetween(FrameStart, Millis()) + SLOT_SLACK_MS < FRAME_SLOT_MS);
}

void MeasureFrame() {
  FrameMs = MsBetween(FrameStart, Millis());
  if (FrameMs < 1) FrameMs = 1;  // the wait makes it at least 15; this only guards the division
  FpsSmooth = (1000 / FrameMs + 2 * FpsSmooth) / 3;
  FpsShown = FpsSmooth;
  FrameStart = Millis();
}

void SampleMouse() {
  PrevMouseX = FrameMouseX;
  PrevMouseY = FrameMouseY;
  FrameMouseX = static_cast<int>(VirtualMouseX());
  FrameMouseY = static_cast<int>(VirtualMouseY());
}

bool CloseAsked() {
  const bool altF4 = KeyDown(KEY_F4) && (KeyDown(KEY_LALT) || KeyDown(KEY_RALT));
  return altF4 || AppTerminate();
}

}  // namespace

bool FramePresented() { return Settings[ESS] == 0 || FrameParity == 0; }

int EndFrame(int showPointer) {
  int pauseResult = 0;

  DrawScorePopups();

  if (KeyHit(KEY_TAB) > 0) {
    MenuOpen = 1 - MenuOpen;
    if (SaveSetupHook) SaveSetupHook();  // on opening and on closing alike
  }
  if (FrameParity == 1) CollectionCount = CollectMemory();

  // Skipped frames leave F11 unread, so a press made on one is taken on the next presented frame.
  if (FramePresented()) {
    if (KeyHit(KEY_F11) > 0) TakeScreenshot();
    if (KeyDown(KEY_ESCAPE) && PauseState == 1) {
      PauseState = 2;  // the pause menu's own EndFrame calls must not reopen it
      pauseResult = PauseMenu();
      PauseState = 1;
    }
  }

  SettingsMenu();

  ResetDrawState();
  SetDrawScale(1.5f);
  SetFont(CommonFonts[1]);
  if (KeyHit(KEY_F12) > 0) OverlayOn = 1 - OverlayOn;
  if (OverlayOn == 1) DrawOverlay();
  // Scale 1.5 turns the 16-pixel mid-handled cell into 24 pixels: +12 puts its corner on the mouse.
  if (showPointer == 1 || MenuOpen == 1) DrawImage(IconsFiltered, VirtualMouseX() + 12, VirtualMouseY() + 12, ICON_POINTER);

  SampleMouse();
  DrawMessages();
  // Present before the wait, not after it: the renderers do the frame's real work when it is
  // presented, so that work then fills the frame's slot instead of adding a second slot's worth
  // of time on top of the wait. The pace is unchanged: the wait still ends the slot.
  if (FramePresented()) Flip(0);
  WaitForSlot();
  MusicTick();
  MeasureFrame();
  FrameParity = 1 - FrameParity;

  if (CloseAsked()) {
    if (CloseHook) CloseHook();
    EndProcess(0);
  }
  return pauseResult;
}
