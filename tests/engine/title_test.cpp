// The title loop's latches: a start needs the input held on the previous frame and, after a game,
// a fresh press; an Escape still held after a game does not quit; no start while the settings
// panel is open; the start prompt slides in to the centre.
#include <functional>
#include <string>
#include <vector>

#include "engine/score_panel_layout.h"
#include "engine/title.h"
#include "engine/title_layout.h"
#include "engine_fixture.h"
#include "common/sound_channels.h"
#include "media/internal.h"
#include "media/wav_fixture.h"
#include "media/media.h"

namespace {

class TitleTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
    SetVirtualResolution(ScreenW, ScreenH);
    DisplayW = 800;
    DisplayH = 600;
    ControlMode = 1;
    HeadlessMouseMove(400, 300);  // the centre of the screen: on the start prompt once slid in
  }
  // One title frame; true when it started a game.
  bool Started() {
    GameStartMs = -1;
    quit_ = TitleFrame();
    return GameStartMs != -1;
  }
  // Frames until the prompt has slid in (SlideStep 32); none may start a game.
  void SlideIn() {
    for (int i = 0; i < 33; ++i) ASSERT_FALSE(Started());
  }
  bool quit_ = false;
};

// The rows and the control in real pixels of the 800 x 600 window (logical = real x 1.6).
constexpr int Real(int logical) { return logical * 5 / 8; }
constexpr int ROW_X = Real(DifficultyRowSpot(1280, 960, 0).x), SOFT_Y = Real(DifficultyRowSpot(1280, 960, 0).y),
              HARD_Y = Real(DifficultyRowSpot(1280, 960, 1).y), LESS_X = Real(LessArrowSpot(1280, 960, 0).x),
              MORE_X = Real(MoreArrowSpot(1280, 960, 0).x);

std::vector<DrawRecord> Texts(const std::string& text) {
  std::vector<DrawRecord> out;
  for (const DrawRecord& d : HeadlessDraws())
    if (d.kind == DrawRecord::TEXT && d.text == text) out.push_back(d);
  return out;
}

Scores Won(int mode, int level, int furthest, const std::string& name) {
  Scores s;
  s.GameMode = mode;
  s.Level = level;
  s.Name = name;
  s.Score = 100;
  for (int n = level + 1; n <= furthest; ++n) s.Best[n] = 1;
  return s;
}

TEST_F(TitleTest, DifficultyRowsChooseTheGameMode) {
  SlideIn();
  struct Case {
    int y;          // row clicked
    int mode;       // GameMode after
  } cases[] = {
      // row       mode
      {HARD_Y, 1},
      {SOFT_Y, 0},
      {HARD_Y, 1},
  };
  for (const Case& c : cases) {
    HeadlessMouseMove(ROW_X, c.y);
    Started();
    HeadlessMouseDown(1);
    EXPECT_FALSE(Started());
    HeadlessMouseUp(1);
    HeadlessClearDraws();
    EXPECT_FALSE(Started());
    EXPECT_EQ(GameMode, c.mode);
    const std::vector<DrawRecord> soft = Texts("1 Inch"), hard = Texts("Hard");
    ASSERT_EQ(soft.size(), 1u);
    ASSERT_EQ(hard.size(), 1u);
    EXPECT_EQ(soft[0].alpha, c.mode == 0 ? 1.0f : 0.5f);
    EXPECT_EQ(hard[0].alpha, c.mode == 1 ? 1.0f : 0.5f);
    EXPECT_EQ(hard[0].image, CommonFonts[8]);
    EXPECT_EQ(hard[0].y - soft[0].y, 50);
  }
}

// The start level opens at one past the furthest level won in the chosen difficulty (at most 30),
// steps by a click on "<" or ">" and by the Left and Right keys within 1 to that, and comes back
// to the furthest reachable when the difficulty changes. The history panel shows the games of
// the start level chosen.
TEST_F(TitleTest, StartLevelControl) {
  ScoreList.Append(Won(0, 0, 4, "Full"));
  ScoreList.Append(Won(0, 2, 3, "FromThree"));
  ScoreList.Append(Won(1, 0, 30, "AllHard"));
  auto press = [&](int x, int y) {
    HeadlessMouseMove(x, y);
    Started();
    HeadlessMouseDown(1);
    Started();
    Started();  // held: one step only
    HeadlessMouseUp(1);
    Started();
  };
  auto key = [&](int k) {
    HeadlessKeyDown(k);
    Started();
    HeadlessKeyUp(k);
    Started();
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    int mode, level;  // GameMode and Level after
  } steps[] = {
      {"opens at the furthest reachable", [] {}, 0, 4},
      {"Left", [&] { key(KEY_LEFT); }, 0, 3},
      {"<", [&] { press(LESS_X, SOFT_Y); }, 0, 2},
      {">", [&] { press(MORE_X, SOFT_Y); }, 0, 3},
      {"Right", [&] { key(KEY_RIGHT); }, 0, 4},
      {"Right past the furthest reachable", [&] { key(KEY_RIGHT); }, 0, 4},
      {"four times <", [&] { for (int i = 0; i < 4; ++i) press(LESS_X, SOFT_Y); }, 0, 0},
      {"< below level 1", [&] { press(LESS_X, SOFT_Y); }, 0, 0},
      {"Hard: level 30 won, 30 at most", [&] { press(ROW_X, HARD_Y); }, 1, 29},
      {"Left on Hard", [&] { key(KEY_LEFT); }, 1, 28},
      {"back to Soft", [&] { press(ROW_X, SOFT_Y); }, 0, 4},
      {"Left twice", [&] { key(KEY_LEFT); key(KEY_LEFT); }, 0, 2},
  };
  SlideIn();
  for (const Step& st : steps) {
    st.act();
    HeadlessClearDraws();
    Started();
    EXPECT_EQ(GameMode, st.mode) << st.what;
    EXPECT_EQ(Level, st.level) << st.what;
    EXPECT_EQ(Texts(std::to_string(st.level + 1)).size(), 1u) << st.what;
  }
  EXPECT_EQ(Texts("FromThree").size(), 1u) << "start level 3 shows its own games";
  EXPECT_TRUE(Texts("Full").empty());
  EXPECT_TRUE(Texts("AllHard").empty());
}

// A game won further moves the start level on when the title comes back; the game starts at the
// level chosen (Level + 1) and the history panel follows it.
TEST_F(TitleTest, AfterAGameTheStartLevelOpensAtTheNewFurthest) {
  SlideIn();
  EXPECT_EQ(Level, 0);
  ScoreList.Append(Won(0, 0, 6, "Fresh"));  // as if the game just played had filed it
  HeadlessMouseDown(1);
  EXPECT_FALSE(Started());
  EXPECT_TRUE(Started());
  HeadlessMouseUp(1);
  Started();
  EXPECT_EQ(Level, 6);
}

// In the 4:3 layout (with the narrow and the wide credits panel) and both widescreen layouts, on
// every frame of the slide-in and for either difficulty: the difficulty rows and the start-level
// control stay clear of the credits and the score panel, and the control never meets the start
// prompt's text (about 250 wide; 300 allowed) as the two slide in.
TEST_F(TitleTest, ChoicesStayClearInEveryLayout) {
  struct Box {
    float x, y, w, h;
    bool Meets(const Box& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
  };
  struct Case {
    int w, h, displayW;
  } cases[] = {
      // logical screen   display width (credits 416 wide below 900)
      {1280, 960, 800},
      {1280, 960, 1280},
      {1600, 900, 1600},
      {1440, 900, 1440},
  };
  for (const Case& c : cases) {
    for (int mode = 0; mode < 2; ++mode) {
      ScreenW = c.w;
      ScreenH = c.h;
      SetVirtualResolution(ScreenW, ScreenH);
      DisplayW = c.displayW;
      GameMode = mode;
      SlideStep = 0;
      HeadlessMouseMove(0, 0);
      for (int frame = 1; frame <= 33; ++frame) {
        HeadlessClearDraws();
        Started();
        std::vector<Box> panels, rows, control;
        Box prompt{0, 0, 0, 0};
        float less = 0, more = 0, top = 0, bottom = 0;
        for (const DrawRecord& d : HeadlessDraws()) {
          if (d.kind == DrawRecord::RECT && (d.h == CREDITS_H || d.w == SCORE_BACKGROUND.w)) panels.push_back({d.x, d.y, d.w, d.h});
          if (d.kind != DrawRecord::TEXT) continue;
          // Texts are recorded at their aligned top-left corner: their middles, as drawn.
          SetFont(d.image);
          const float cx = d.x + TextWidth(d.text) / 2.0f, cy = d.y + TextHeight(d.text) / 2.0f;
          if (d.text == "Click Here to Start") prompt = {cx - 150, cy - 20, 300, 40};
          if (d.text == "1 Inch" || d.text == "Hard") rows.push_back({d.x, d.y, CHOICE_W, CHOICE_H});
          if (d.text == "<") less = cx - 15, bottom = cy + 20;
          if (d.text == ">") more = cx + 15;
          if (d.text == "Level") top = cy - 10;
        }
        const std::string where = std::to_string(c.w) + "x" + std::to_string(c.h) + " display " + std::to_string(c.displayW) +
                                  " mode " + std::to_string(mode) + " frame " + std::to_string(frame);
        ASSERT_EQ(panels.size(), 2u) << where;
        ASSERT_EQ(rows.size(), 2u) << where;
        ASSERT_GT(more, less) << where;
        const Box ctrl{less, top, more - less, bottom - top};
        EXPECT_FALSE(ctrl.Meets(prompt)) << where;
        for (const Box& p : panels) {
          EXPECT_FALSE(ctrl.Meets(p)) << where;
          for (const Box& r : rows) EXPECT_FALSE(r.Meets(p)) << where;
        }
      }
    }
  }
}

TEST_F(TitleTest, ClickStartsOnTheSecondFrameAndAfterAGameNeedsAFreshPress) {
  SlideIn();
  HeadlessMouseDown(1);
  EXPECT_FALSE(Started()) << "the press of this frame is only latched";
  EXPECT_TRUE(Started());
  EXPECT_EQ(SlideStep, 0);
  EXPECT_EQ(PauseState, 0);
  for (int i = 0; i < 40; ++i) ASSERT_FALSE(Started()) << "button still held from the game, frame " << i;
  HeadlessMouseUp(1);
  EXPECT_FALSE(Started());
  HeadlessMouseDown(1);
  EXPECT_FALSE(Started());
  EXPECT_TRUE(Started());
}

TEST_F(TitleTest, ClickOutsideThePromptStartsNothing) {
  SlideIn();
  HeadlessMouseMove(400, Real(960 / 2 + START_BOX.y + START_BOX.h) + 20);  // below the box around the prompt
  HeadlessMouseDown(1);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(Started());
}

TEST_F(TitleTest, NoStartWhileTheSettingsPanelIsOpen) {
  SlideIn();
  MenuOpen = 1;
  for (int i = 0; i < 60 && MenuY < -250; ++i) Started();
  ASSERT_GE(MenuY, -250) << "the panel should have slid open";
  HeadlessMouseDown(1);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(Started());
}

TEST_F(TitleTest, ControlsStartMovesThePointerToTheCorner) {
  ControlMode = 0;
  HeadlessClearDraws();
  HeadlessKeyDown(90);  // Z: player 1's first action button
  EXPECT_FALSE(Started());
  EXPECT_TRUE(Started());
  EXPECT_EQ(MouseX(), RealWidth());
  EXPECT_EQ(MouseY(), RealHeight());
  bool prompt = false;
  for (const DrawRecord& d : HeadlessDraws()) prompt |= d.kind == DrawRecord::TEXT && d.text == "Press Start (Z) To Begin";
  EXPECT_TRUE(prompt);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Started()) << "Z still held";
  HeadlessKeyUp(90);
  EXPECT_FALSE(Started());
  HeadlessKeyDown(40);  // any of the eight controls starts: Down
  EXPECT_FALSE(Started());
  EXPECT_TRUE(Started());
}

TEST_F(TitleTest, EscapeHeldFromAGameDoesNotQuit) {
  SlideIn();
  HeadlessMouseDown(1);
  EXPECT_FALSE(Started());
  HeadlessKeyDown(27);  // the Escape that left the game is still down when it returns
  EXPECT_TRUE(Started());
  EXPECT_FALSE(quit_);
  HeadlessMouseUp(1);
  for (int i = 0; i < 5; ++i) {
    Started();
    EXPECT_FALSE(quit_) << "frame " << i;
  }
  HeadlessKeyUp(27);
  Started();
  EXPECT_FALSE(quit_);
  HeadlessKeyDown(27);
  Started();
  EXPECT_TRUE(quit_);
}

TEST_F(TitleTest, EscapeOnTheTitleQuits) {
  HeadlessKeyDown(27);
  Started();
  EXPECT_TRUE(quit_);
}

TEST_F(TitleTest, StartPromptSlidesInToTheCentre) {
  auto promptY = [] {
    float y = -1;
    for (const DrawRecord& d : HeadlessDraws())
      if (d.kind == DrawRecord::TEXT && d.text == "Click Here to Start") y = d.y;
    return y;
  };
  HeadlessClearDraws();
  Started();
  float first = promptY();
  for (int i = 2; i <= 32; ++i) Started();
  HeadlessClearDraws();
  Started();
  float settled = promptY();
  EXPECT_EQ(first - settled, 775);
  EXPECT_EQ(SlideStep, 32);
}

}  // namespace

namespace {

int ChannelHandles() {
  int n = 0;
  ForEachObject(ObjectKind::CHANNEL, [](int, MediaObject&, void* count) { ++*static_cast<int*>(count); }, &n);
  return n;
}

// Starting a game empties the music's slot 1 while it plays: the channel it held is given back,
// so a long session of games and songs does not pile up channel handles.
TEST_F(TitleTest, StartingAGameGivesBackTheMusicChannelItEmpties) {
  std::vector<int16_t> tone(44100, 1000);
  const std::string path = WriteFile(TestFolder("title_sound") / "tone.wav",
                                     Riff(Cat({Chunk("fmt ", Fmt(1, 44100, 16)), Chunk("data", Pcm16(tone))})));
  const int sound = LoadSound(path, 0);
  ASSERT_NE(sound, 0);
  const int before = ChannelHandles();
  for (int game = 0; game < 5; ++game) {
    SoundChannels[1] = PlaySound(sound, ReuseChannel(SoundChannels[1]));
    ASSERT_TRUE(ChannelPlaying(SoundChannels[1]));
    StartGame(false);
    EXPECT_EQ(SoundChannels[1], 0);
    EXPECT_EQ(ChannelHandles(), before) << "after game " << game;
  }
}

}  // namespace
