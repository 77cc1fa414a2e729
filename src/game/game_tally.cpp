// Points, badges and the counts behind them.
#include "game/game_tally.h"

#include "common/score_table.h"
#include "frame/frame_state.h"
#include "game/badges.h"
#include "game/effects.h"
#include "game/flow_state.h"
#include "game/game_state.h"
#include "game/level_notes.h"
#include "game/score_rule.h"

namespace {

constexpr int HOLE_DY = 24;        // the popup starts at the hole's mouth, above the sunk walker
constexpr int WIN_POPUP_DY = 84;   // just under the banner at the screen's centre

// A hat still carried at the win was never given: it counts as left in the panel.
int HatsLeft() {
  int hats = DraggedHat != 0 ? 1 : 0;
  for (int i = 1; i <= HAT_COLOURS; ++i) hats += HatStock[i];
  return hats;
}

BadgeFacts GameFacts() {
  BadgeFacts f;
  f.mode = GameMode;
  f.score = Score;
  f.saved = SavedInGame;
  f.levelsWon = LevelsWon;
  f.parWins = ParWins;
  f.cleanRun = CleanRun;
  f.lastLevel = LevelsInImage;
  return f;
}

// Popups are placed with the playfield offset included; their layer takes it off again.
void ShowPoints(int points, int x, int y, int r, int g, int b) {
  ShowNumber(points, static_cast<int>(static_cast<float>(x) + GridX), static_cast<int>(static_cast<float>(y) + GridY), r, g, b);
}

}  // namespace

void StartGameTally() {
  Score = 0;
  Badges = 0;
  LevelsWon = ParWins = CleanRun = SavedInGame = 0;
  BeginLevelTally(false);
}

void BeginLevelTally(bool again) {
  LevelActions = 0;
  LevelHatsGiven = 0;
  LevelFrames = 0;
  LevelHatsHanded = 0;
  for (int i = 1; i <= HAT_COLOURS; ++i) LevelHatsHanded += HatStock[i];
  LevelScoreFrom = Score;
  LevelSavedFrom = SavedInGame;
  if (again) {
    ++LevelTries;
    CleanRun = 0;
  } else {
    LevelTries = 1;
  }
}

void CountLevelFrame() { ++LevelFrames; }

void CountAction(bool hat) {
  ++LevelActions;
  if (hat) ++LevelHatsGiven;
}

void RecountLevelTally() {
  LevelActions = static_cast<int>(ActionLog.size());
  LevelHatsGiven = 0;
  for (const PlayerAction& a : ActionLog) LevelHatsGiven += a.hat != 0;
  Score = LevelScoreFrom + SavePoints(GameMode) * SavedCount;
  SavedInGame = LevelSavedFrom + SavedCount;
}

void ScoreSavedWalker(int sx, int sy) {
  const int points = SavePoints(GameMode);
  Score += points;
  ++SavedInGame;
  ShowPoints(points, sx + 32, sy + HOLE_DY, 255, 255, 0);
  AwardBadges(EarnedBadges(GameFacts()));
}

void ScoreWonLevel() {
  const LevelPar& par = NoteOf(LevelNumber).par;
  WonLevel won;
  won.level = LevelNumber;
  won.hatsLeft = HatsLeft();
  won.actions = LevelActions;
  won.par = par;
  const int points = WinPoints(won);
  const bool atPar = AtPar(LevelActions, par);
  Score += points;
  ++LevelsWon;
  if (atPar) ++ParWins;
  ++CleanRun;
  ShowPoints(points, ScreenW / 2, ScreenH / 2 + WIN_POPUP_DY, 255, 200, 0);

  BadgeFacts f = GameFacts();
  f.level = LevelNumber;
  f.tries = LevelTries;
  f.hatsHanded = LevelHatsHanded;
  f.hatsGiven = LevelHatsGiven;
  f.frames = LevelFrames;
  f.atPar = atPar;
  AwardBadges(EarnedBadges(f));
}

void SkipLevel() { CleanRun = 0; }
