// The level banner and the tests that end a level: won, lost, or restarted by the player.
#include "frame/frame_state.h"
#include "game/effects.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "game/game_images.h"
#include "game/game_state.h"
#include "game/game_tally.h"
#include "game/level_file.h"
#include "media/media.h"

namespace {

// The skip chord: Q, P and F7 held together pass the level for nothing. Three keys far apart on
// the keyboard, so that no player presses them by chance; it lets a tester or a stuck player on.
bool SkipChordHeld() { return KeyDown(KEY_Q) && KeyDown(KEY_P) && KeyDown(KEY_F7); }

void Load(int level, int banner) {
  const bool again = level == LevelNumber;
  LevelNumber = level;
  BannerTimer = BANNER_FRAMES;
  BannerFrame = banner;
  // A hat still being carried came from the stock that the load replaces: dropping it later would
  // add a hat the new level never handed out.
  DraggedHat = 0;
  if (LoadLevel(LevelName, LevelNumber) == LEVEL_FAILED) EndCode = END_GAME;
  BeginLevelTally(again);
}

}  // namespace

void LevelProgress() {
  const bool held = LevelHeld();
  if (!held) CountLevelFrame();  // the level's time stands still under the settings panel
  BannerShowing = BannerTimer > 0;
  if (BannerTimer > 0 && !held) --BannerTimer;
  // The next level plays under the banner (its walkers still wait), but is not judged.
  if (BannerTimer != 0 || held) return;
  const bool chord = SkipChordHeld();
  // Only a level whose walkers were all saved is won, scores and is marked in the level results;
  // the chord passes it for nothing.
  const bool won = SavedCount == WalkerCount && WalkerCount > 0;
  if (won && LevelNumber >= 1 && LevelNumber <= LEVEL_RESULTS) LevelBest[LevelNumber] = 1;
  if (won) ScoreWonLevel();
  else if (chord) SkipLevel();
  if (SavedCount == WalkerCount || chord) Load(LevelNumber + 1, BANNER_WON);
  // Lost once every walker is gone and one of them did not make it; it restarts by itself.
  const bool lost = Walkers.Empty() && SavedCount != WalkerCount;
  // R is read in every judged frame, also the one a level is lost in: left unread, it would
  // restart the level a second time once the banner is over.
  const bool restart = KeyHit(KEY_R) > 0;
  if (lost || restart) Load(LevelNumber, BANNER_RETRY);
}

void DrawBanner() {
  if (BannerShowing) DrawImage(BitsImage, static_cast<float>(ScreenW / 2), static_cast<float>(ScreenH / 2), BannerFrame);
}
