// The end of a game: "Game Over" over the last picture, the pause before name entry, and the
// score record.
#include "common/common_assets.h"
#include "common/score_table.h"
#include "common/timestamp.h"
#include "frame/draw.h"
#include "frame/frame_state.h"
#include "frame/name_entry.h"
#include "game/flow_state.h"
#include "game/game_flow.h"
#include "media/media.h"

namespace {

constexpr int GAME_OVER_WAIT_MS = 1500;

// Every offset of the square -reach..reach, so the text leaves a rim of that width.
void GameOverLayer(int reach, int r, int g, int b) {
  for (int i = -reach; i <= reach; ++i) {
    for (int j = -reach; j <= reach; ++j) {
      ResetDrawState();
      SetDrawColour(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
      DrawTextAt(ScreenW / 2 + i, ScreenH / 2 + j + 150, "Game Over", 1, 1);
    }
  }
}

void ShowGameOver() {
  Flip(0);
  SetFont(CommonFonts[5]);
  GameOverLayer(3, 255, 255, 255);
  GameOverLayer(2, 8, 8, 8);
  GameOverLayer(0, 255, 255, 0);
  Flip(0);
}

}  // namespace

void FileScore() {
  Scores s;
  s.Score = Score;
  s.Timestamp = MakeTimestamp("");
  s.Badges = Badges;
  s.Name = PlayerName;
  for (int i = 1; i <= LEVEL_RESULTS; ++i) s.Best[i] = LevelBest[i];
  s.Level = Level;
  s.GameMode = GameMode;
  s.GameFlags = GameFlags;
  s.Quit = EndCode == END_GAME ? 1 : 0;
  ScoreList.Append(std::move(s));
  SortScores();
}

void FinishGame() {
  ShowGameOver();
  Delay(GAME_OVER_WAIT_MS);
  PauseState = 0;  // no pause menu over name entry
  EnterName();
  FileScore();
}
