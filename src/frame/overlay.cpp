// The debug overlay that F12 toggles.
#include "common/common_assets.h"
#include "frame/draw.h"
#include "frame/frame_layers.h"
#include "frame/frame_state.h"
#include "media/media.h"

namespace {

std::string Budget(const char* label, int kind) {
  return std::string(label) + IntText(DrawnCount[kind]) + "/" + IntText(DrawLimit[kind]);
}

}  // namespace

// Drawn in white at the scale EndFrame set (1.5), each line's top-left at its position.
void DrawOverlay() {
  SetFont(CommonFonts[1]);
  DrawTextAt(2, 2, IntText(FpsShown));
  SetFont(CommonFonts[2]);
  DrawTextAt(2, 40, "Collection : " + IntText(CollectionCount));
  DrawTextAt(2, 60, "Used Memory : " + IntText(MemoryInUse()));
  DrawTextAt(2, 80, Budget("Drawn Images : ", KIND_SPRITE));
  DrawTextAt(2, 100, Budget("Drawn Glow : ", KIND_GLOW));
  DrawTextAt(2, 120, Budget("Drawn Particles : ", KIND_PARTICLE));
  DrawTextAt(2, 150, "Hit F12 to remove this");
}
