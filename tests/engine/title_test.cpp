// The title loop's latches: a start needs the input held on the previous frame and, after a game,
// a fresh press; an Escape still held after a game does not quit; no start while the settings
// panel is open; the start prompt slides in to the centre.
#include "engine/title.h"
#include "engine_fixture.h"
#include "common/sound_channels.h"
#include "media/internal.h"
#include "media/wav_fixture.h"

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
  HeadlessMouseMove(400, 380);  // logical y 608: below the 80-unit box around the centre
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
