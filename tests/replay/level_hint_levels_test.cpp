// The hint on every level: from the start, its win is a par plan (played back by the rules
// alone, it wins with the par's count of actions), so its first action is the first of a par
// plan; one frame before a walker's fatal landing it says there is no win.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/level_file.h"
#include "game/level_hint.h"
#include "game/level_notes.h"
#include "game/walker.h"
#include "media/media.h"

namespace {

namespace fs = std::filesystem;

// Decision points a start search may take here; a level whose par plan lies deeper is not
// checked from its start (the benchmark shows which).
constexpr int64_t START_STATES = 100000;
constexpr int MAX_FRAMES = 10800;

struct LevelCase {
  std::string mode;
  int level;
};

bool Load(const LevelCase& c, RulesLevel& out) {
  WalkerCount = 0;
  SavedCount = 0;
  for (int& h : HatStock) h = 0;
  ClearWalkers();
  const std::string image = (fs::path(TEST_SOURCE_DIR) / "assets" / "Plonko_Levels" / (c.mode + ".png")).string();
  return DecodeLevel(image, c.level) == LEVEL_OK && WalkerCount > 0 && CaptureLevel(out);
}

std::vector<LevelCase> AllLevels() {
  MediaInit(MEDIA_HEADLESS);
  std::vector<LevelCase> out;
  for (const char* mode : {"Soft", "Hard"}) {
    RulesLevel s;
    for (int n = 1; Load({mode, n}, s); ++n) out.push_back({mode, n});
  }
  return out;
}

class LevelHints : public testing::TestWithParam<LevelCase> {};

TEST_P(LevelHints, FromTheStartAParPlanAndBeforeASplatNone) {
  const LevelCase& c = GetParam();
  std::vector<LevelNote> notes;
  ASSERT_TRUE(ReadLevelNotes((fs::path(TEST_SOURCE_DIR) / "assets" / "levels" / (c.mode + ".txt")).string(), notes));
  ASSERT_LE(c.level, static_cast<int>(notes.size()));
  const LevelPar par = notes[static_cast<size_t>(c.level - 1)].par;
  ASSERT_TRUE(par.set);
  MediaInit(MEDIA_HEADLESS);
  RulesLevel start;
  ASSERT_TRUE(Load(c, start));

  HintBudget budget;
  budget.maxActions = HintActions(par);
  budget.lead = 0;
  budget.maxStates = START_STATES;
  const Hint h = FindHint(start, 0, budget);
  if (h.kind == HINT_GAVE_UP) {
    EXPECT_GT(h.states, START_STATES);
  } else {
    ASSERT_EQ(h.kind, HINT_WIN) << "a level with a par has a win within it";
    EXPECT_EQ(static_cast<int>(h.plan.size()), par.actions);
    EXPECT_EQ(PlayRules(start, h.plan, MAX_FRAMES).verdict, WON);
  }

  // Left alone, many levels end in a splat: one frame before it, nothing can help.
  RulesLevel s = start;
  RulesLevel before = s;
  int frame = 0;
  for (; frame < MAX_FRAMES && SearchVerdict(s) == PLAYING; ++frame) {
    before = s;
    StepLevel(s, nullptr, 0);
  }
  if (SearchVerdict(s) != LOST) return;
  budget.maxStates = 0;
  EXPECT_EQ(FindHint(before, frame - 1, budget).kind, HINT_NO_WIN);
  EXPECT_EQ(FindHint(s, frame, budget).kind, HINT_NO_WIN);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelHints, testing::ValuesIn(AllLevels()),
                         [](const testing::TestParamInfo<LevelCase>& info) {
                           return info.param.mode + "_" + std::to_string(info.param.level);
                         });

}  // namespace
