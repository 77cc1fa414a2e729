// Floating numbers: drift up a quarter unit per frame and fade out over their life.
#include "common/common_assets.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "frame/settings_menu.h"
#include "media/media.h"

namespace {

constexpr float POPUP_LIFE = 120;  // frames; alpha is t / POPUP_LIFE
constexpr float POPUP_RISE = 0.25f;

}  // namespace

void AgeScorePopups() {
  ScorePopupList.ForEach([](ScorePopup& p) {
    --p.t;
    p.y -= POPUP_RISE;
    if (p.t <= 0) ScorePopupList.Remove(&p);
  });
}

void DrawScorePopups() {
  SetFont(CommonFonts[3]);
  ResetDrawState();
  // The numbers belong to the level, which stands still under the settings panel.
  const bool held = SettingsPanelShowing();
  ScorePopupList.ForEach([held](ScorePopup& p) {
    if (!held) {
      --p.t;
      p.y -= POPUP_RISE;
    }
    SetDrawColour(static_cast<float>(p.r), static_cast<float>(p.g), static_cast<float>(p.b), p.t / POPUP_LIFE);
    DrawTextAt(static_cast<int>(p.x - GridX), static_cast<int>(p.y - GridY), IntText(p.n), 1, 1);
    if (p.t <= 0) ScorePopupList.Remove(&p);
  });
}
