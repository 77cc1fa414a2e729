// The settings panel's per-frame step. For now it keeps the click sample and the slide, so Tab
// opens and closes it; the panel's contents come later.
#include "frame/settings_menu.h"

#include "frame/frame_state.h"
#include "media/media.h"

namespace {

constexpr int MENU_HIDDEN = -300;
constexpr int MENU_SLIDE = 32;  // units per frame: 10 frames from hidden to fully down (20)

}  // namespace

void SettingsMenu() {
  LeftClicks = MouseHit(1);
  RightClicks = MouseHit(2);
  if (MenuOpen == 1 && MenuY < 0) MenuY += MENU_SLIDE;
  if (MenuOpen == 0 && MenuY > MENU_HIDDEN) MenuY -= MENU_SLIDE;
}
