// Start-of-run values of the shared identity and assets.
#include "common/common_assets.h"

#include "common/folders.h"
#include "media/media.h"

std::string GameFolder() { return Right("000" + IntText(WeekNumber), 3) + "/"; }

void ResetCommonAssets() {
  GameTitle.clear();
  FilesFolder.clear();
  PlayerFolder.clear();
  for (int& f : CommonFonts) f = 0;
  for (int& f : FontTable) f = 0;
  FontScaleA = FontScaleB = 1.0f;
  IconsFiltered = IconsSharp = EngineLogo = SiteLogo = BadgeJingle = BadgeStrip = 0;
  for (int& s : SoundEffects) s = 0;
}
