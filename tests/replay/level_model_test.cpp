// The level the game holds, on every level of both images, through the real game loop (PlayGame
// on the headless back end):
// - the game and the walker rules agree frame by frame: with the solution's pointer input and
//   with none, after every frame the game's level is the level file's start stepped by StepLevel
//   with the actions the game logged, and the game ends the level (won, or lost and restarted)
//   exactly when the rules' verdict does;
// - undo after each action of the solution takes the level back to the frame of that action,
//   without it, and playing the rest of the solution from there still wins;
// - fast-forward (Space held) reaches the same game as normal speed after as many level frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/score_table.h"
#include "common/settings.h"
#include "engine/engine_state.h"
#include "frame/frame_state.h"
#include "game/flow_state.h"
#include "game/game_state.h"
#include "game/game_tally.h"
#include "game/level_file.h"
#include "game/level_play.h"
#include "game/level_rules.h"
#include "game/play_game.h"
#include "game/solution_file.h"
#include "input/input.h"
#include "media/headless.h"
#include "media/media.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr int KEY_P = 80, KEY_Q = 81, KEY_F7 = 118;
constexpr int LEVEL_FRAMES = 10800;

fs::path LevelsSource() { return fs::path(TEST_SOURCE_DIR) / "assets" / "levels"; }

std::vector<std::string> SolutionFiles() {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(LevelsSource()))
    if (e.path().extension() == ".solution") out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

struct Stop {};

// The rules' side: the level's start, stepped with the game's logged actions as the game goes.
struct RulesSide {
  RulesLevel s;
  int frame = 0;
  void StepTo(int frames, const std::vector<PlayerAction>& log) {
    for (; frame < frames; ++frame) {
      std::vector<PlayerAction> now;
      for (const PlayerAction& a : log)
        if (a.frame == frame) now.push_back(a);
      StepLevel(s, now.data(), static_cast<int>(now.size()));
    }
  }
};

class LevelAgree : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_HEADLESS);
    home_ = fs::current_path();
    root_ = TestFolder("agree");
    fs::create_directories(root_ / "Files" / "247");
    fs::copy(fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels", root_ / "Plonko_Levels");
    ASSERT_TRUE(ChangeDir((root_ / "Files" / "247").string()));
    ResetEngineState();
    SetDefaultSettings();
    SetDefaultBindings();
    ResetFrameState();
    ASSERT_TRUE(OpenDisplay(1280, 960, 0, 60));
    SetVirtualResolution(1280, 960);
    ScreenW = 1280;
    ScreenH = 960;
    for (int& d : DrawLimit) d = 50000;
    PauseState = 1;
  }
  void TearDown() override {
    HeadlessOnFrame(nullptr);
    fs::current_path(home_);
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // Loads the level file's start of the solution's level into `out` (LevelState is overwritten).
  void LoadStart(const Solution& sol, RulesLevel& out) {
    ClearWalkers();
    for (int& h : HatStock) h = 0;
    SavedCount = 0;
    ASSERT_EQ(DecodeLevel((root_ / "Plonko_Levels" / (sol.levelName + ".png")).string(), sol.level), LEVEL_OK);
    ASSERT_TRUE(CaptureLevel(out));
  }

  // Plays the level through the game and checks it against the rules after every frame. With
  // `log`, the actions of the attempt that ended the level.
  void Agree(const Solution& sol, bool withInput, std::vector<PlayerAction>* log = nullptr) {
    const std::string what = sol.levelName + " " + std::to_string(sol.level) + (withInput ? " solved" : " idle");
    RulesSide rules;
    LoadStart(sol, rules.s);
    const RulesLevel start = rules.s;

    GameMode = sol.levelName == "Hard" ? 1 : 0;
    HeadlessMouseMove(640, 480);
    int loads = -1, levelStart = -1, compared = 0;
    size_t next = 0;
    std::vector<PlayerAction> lastLog;
    bool ended = false;
    HeadlessOnFrame([&](int frame) {
      if (loads < 0) {
        const bool chord = LevelNumber < sol.level;
        for (int k : {KEY_Q, KEY_P, KEY_F7}) chord ? HeadlessKeyDown(k) : HeadlessKeyUp(k);
        if (chord) return;
        loads = LevelLoads;
        levelStart = frame;
        EXPECT_TRUE(LevelStart == start) << what << ": the game loaded the level file's start";
      }
      if (LevelLoads != loads) {
        // The level ended in the last frame: one more rules frame, then the verdicts must match.
        rules.StepTo(rules.frame + 1, lastLog);
        const Verdict v = LevelVerdict(rules.s);
        EXPECT_EQ(v, LevelNumber > sol.level ? WON : LOST) << what << " at rules frame " << rules.frame;
        ended = true;
        if (log) *log = lastLog;
        throw Stop{};
      }
      rules.StepTo(LevelFrame, ActionLog);
      lastLog = ActionLog;
      RulesLevel game = LevelState;
      if (DraggedHat != 0) ++game.board.stock[DraggedHat];  // a hat in the hand is still the panel's
      if (!(game == rules.s)) {
        ADD_FAILURE() << what << ": the game and the rules part at rules frame " << LevelFrame;
        throw Stop{};
      }
      if (BannerTimer == 0) {
        EXPECT_EQ(LevelVerdict(rules.s), PLAYING) << what << " at rules frame " << LevelFrame;
      }
      ++compared;
      const int at = frame - levelStart;
      if (at > LEVEL_FRAMES) throw Stop{};
      for (; withInput && next < sol.events.size() && sol.events[next].frame <= at; ++next) {
        const SolutionEvent& e = sol.events[next];
        if (e.kind == SolutionEvent::MOVE) HeadlessMouseMove(e.x, e.y);
        if (e.kind == SolutionEvent::PRESS) HeadlessMouseDown(1);
        if (e.kind == SolutionEvent::RELEASE) HeadlessMouseUp(1);
      }
    });
    try {
      PlayGame();
    } catch (const Stop&) {
    }
    HeadlessOnFrame(nullptr);
    HeadlessMouseUp(1);
    EXPECT_GT(compared, 600) << what;
    if (withInput) {
      EXPECT_TRUE(ended) << what << ": the solution ends the level";
    }
  }

  fs::path home_, root_;
};

TEST_P(LevelAgree, GameAndRulesStepAlike) {
  Solution s;
  std::string error;
  ASSERT_TRUE(ReadSolution((LevelsSource() / GetParam()).string(), s, error)) << error;
  Agree(s, true);
  Agree(s, false);
}

// The actions of log before index `end`.
std::vector<PlayerAction> Prefix(const std::vector<PlayerAction>& log, size_t end) {
  return std::vector<PlayerAction>(log.begin(), log.begin() + static_cast<long>(end));
}

// Steps the game's level with the actions of `plan` due in each frame until `frames` or a verdict.
void PlayOn(const std::vector<PlayerAction>& plan, int frames) {
  while (LevelFrame < frames && LevelVerdict(LevelState) == PLAYING) {
    std::vector<PlayerAction> now;
    for (const PlayerAction& a : plan)
      if (a.frame == LevelFrame) now.push_back(a);
    StepGameLevel(now.data(), static_cast<int>(now.size()));
  }
}

TEST_P(LevelAgree, UndoEachActionThenPlayOnWins) {
  Solution s;
  std::string error;
  ASSERT_TRUE(ReadSolution((LevelsSource() / GetParam()).string(), s, error)) << error;
  std::vector<PlayerAction> log;
  Agree(s, true, &log);
  ASSERT_FALSE(log.empty());
  RulesLevel start;
  LoadStart(s, start);
  GameMode = s.levelName == "Hard" ? 1 : 0;

  for (size_t k = 0; k < log.size(); ++k) {
    const std::string what = GetParam() + " action " + std::to_string(k);
    LevelState = start;
    BeginLevelRecord();
    Score = SavedInGame = 0;
    BeginLevelTally(false);
    // Play on from the action to just before the next one (or a while), then undo.
    const int until = k + 1 < log.size() ? log[k + 1].frame : log[k].frame + 30;
    PlayOn(Prefix(log, k + 1), until);
    ASSERT_EQ(ActionLog.size(), k + 1) << what;
    const RulesLevel before = Replayed(start, Prefix(log, k), log[k].frame);
    const RulesLevel after = Replayed(start, Prefix(log, k + 1), log[k].frame + 1);
    ASSERT_TRUE(UndoAction()) << what;
    EXPECT_EQ(LevelFrame, log[k].frame) << what;
    EXPECT_TRUE(ActionLog == Prefix(log, k)) << what;
    EXPECT_TRUE(LevelState == before) << what;
    if (log[k].hat != 0) {
      EXPECT_EQ(HatStock[log[k].hat], after.board.stock[log[k].hat] + 1) << what << ": the hat is back";
    }
    EXPECT_EQ(LevelActions, static_cast<int>(k)) << what;
    EXPECT_EQ(Score, SavedCount * (GameMode == 1 ? 200 : 100)) << what;

    PlayOn(log, LEVEL_FRAMES);
    EXPECT_EQ(LevelVerdict(LevelState), WON) << what << ": played on from the undo";
    EXPECT_TRUE(ActionLog == log) << what;
  }

  // Undo again takes back the one before, down to none.
  LevelState = start;
  BeginLevelRecord();
  PlayOn(log, log.back().frame + 1);
  size_t undone = 0;
  while (UndoAction()) ++undone;
  EXPECT_EQ(undone, log.size());
  EXPECT_EQ(LevelFrame, log.front().frame);
  EXPECT_TRUE(LevelState == Replayed(start, {}, log.front().frame));
}

// What the game is after some frames: its level, banner, score and floating numbers.
struct Snapshot {
  RulesLevel level;
  int frame = 0, loads = 0, number = 0, banner = 0, bannerFrame = 0, score = 0;
  std::vector<int> popups;  // value, frames left, height of each
  bool operator==(const Snapshot&) const = default;
};

TEST_P(LevelAgree, FastForwardIsNormalSpeedFaster) {
  constexpr int SHOWN = 110;  // presented frames at 8x: past the walkers' wait and the banner
  Solution s;
  std::string error;
  ASSERT_TRUE(ReadSolution((LevelsSource() / GetParam()).string(), s, error)) << error;
  auto run = [&](int shown, bool fast) {
    Snapshot snap;
    GameMode = s.levelName == "Hard" ? 1 : 0;
    HeadlessMouseMove(640, 480);
    int levelStart = -1, loads = 0;
    HeadlessOnFrame([&](int frame) {
      if (levelStart < 0) {
        const bool chord = LevelNumber < s.level;
        for (int k : {KEY_Q, KEY_P, KEY_F7}) chord ? HeadlessKeyDown(k) : HeadlessKeyUp(k);
        if (chord) return;
        levelStart = frame;
        loads = LevelLoads;
        if (fast) HeadlessKeyDown(KEY_SPACE);
      }
      if (frame - levelStart < shown) return;
      HeadlessKeyUp(KEY_SPACE);
      snap.level = LevelState;
      snap.frame = LevelFrame;
      snap.loads = LevelLoads - loads;
      snap.number = LevelNumber;
      snap.banner = BannerTimer;
      snap.bannerFrame = BannerFrame;
      snap.score = Score;
      ScorePopupList.ForEach([&](ScorePopup& p) { snap.popups.insert(snap.popups.end(), {p.n, p.t, static_cast<int>(p.y * 4)}); });
      throw Stop{};
    });
    try {
      PlayGame();
    } catch (const Stop&) {
    }
    HeadlessOnFrame(nullptr);
    return snap;
  };
  const Snapshot fast = run(SHOWN, true);
  const Snapshot normal = run(SHOWN * FAST_FORWARD_STEPS, false);
  EXPECT_GT(fast.frame + fast.loads, 0);
  EXPECT_EQ(fast.frame, normal.frame);
  EXPECT_EQ(fast.loads, normal.loads);
  EXPECT_EQ(fast.banner, normal.banner);
  EXPECT_EQ(fast.popups, normal.popups);
  EXPECT_TRUE(fast == normal);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelAgree, testing::ValuesIn(SolutionFiles()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param.substr(0, info.param.find('.')); });

}  // namespace
