// The on-screen message stack: newest on top, each highlighted at first and gone after 3 seconds.
#include "common/common_assets.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_layers.h"
#include "frame/frame_state.h"
#include "media/media.h"

namespace {

constexpr int HIGHLIGHT_TICKS = 60;  // highlighted while tick is below this
constexpr int LIFE_TICKS = 180;
constexpr int LINE_STEP = 14;

}  // namespace

void AddMessage(const std::string& txt, int c) { MessageList.Append(Message{0, txt, c}); }

void DrawMessages() {
  MessageY = ScreenH - 16;
  SetDrawScale(1);
  SetFont(CommonFonts[3]);
  MessageList.ForEach([](Message& m) {
    ++m.tick;
    const bool fresh = m.tick < HIGHLIGHT_TICKS;
    if (fresh) {
      SetDrawColour(255, 255, 0, 0.7f);
    } else {
      SetDrawColour(0, 0, 0, 0.7f);
    }
    DrawRect(0, static_cast<float>(MessageY), static_cast<float>(TextWidth(m.txt)), static_cast<float>(TextHeight(m.txt)));
    if (fresh) {
      SetDrawColour(0, 0, 0, 1);
    } else {
      SetDrawColour(255, 255, 255, 1);
    }
    DrawTextAt(0, MessageY, m.txt);
    MessageY -= LINE_STEP;
    if (m.tick >= LIFE_TICKS) MessageList.Remove(&m);
  });
}
