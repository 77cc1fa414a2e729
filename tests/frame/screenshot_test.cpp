// Screenshots: the file name, where the file goes, what it holds, the log and the message.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "common/log.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/screenshot.h"
#include "frame_fixture.h"

namespace {

// True when text has the shape of pattern: '9' a digit, 'A' an upper-case and 'a' a lower-case
// letter, anything else itself.
bool Shaped(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool ok = pattern[i] == '9'   ? std::isdigit(c) != 0
                    : pattern[i] == 'A' ? std::isupper(c) != 0
                    : pattern[i] == 'a' ? std::islower(c) != 0
                                        : c == static_cast<unsigned char>(pattern[i]);
    if (!ok) return false;
  }
  return true;
}

TEST(SafeFileName, RemovesTheTwelveCharactersAndNothingElse) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      // in                                   out
      {"#'`,.\\/:|*?\"", ""},
      {"Plonko Elongo (Screenshot_07 Dec 2026_21:34:05)", "Plonko Elongo (Screenshot_07 Dec 2026_213405)"},
      {"a_b [c] {d} -e- +f+", "a_b [c] {d} -e- +f+"},
      {"##..//", ""},
      {"", ""},
      {"x.png", "xpng"},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeFileName(c.in), c.out) << c.in;
}

class Screenshots : public FrameTest {
 protected:
  // The .png files in Files/, the folder above the game folder.
  std::vector<std::string> Pictures() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(FilesDir()))
      if (e.path().extension() == ".png") out.push_back(e.path().filename().string());
    return out;
  }
  // Width and height from a PNG's header.
  static std::pair<int, int> PngSize(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[24] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    auto be = [&](int at) { return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]; };
    return {be(16), be(20)};
  }
};

TEST_F(Screenshots, SavesTheRealDisplaySizeBesideSetupIniAndSaysSo) {
  const std::string gameFolder = CurrentDir();
  TakeScreenshot();
  const auto pictures = Pictures();
  ASSERT_EQ(pictures.size(), 1u);
  const std::string& name = pictures[0];
  // The date keeps its blanks; the time loses its colons.
  EXPECT_TRUE(Shaped(name, "Plonko Elongo (Screenshot_99 Aaa 9999_999999).png")) << name;
  const auto [w, h] = PngSize(FilesDir() / name);
  EXPECT_EQ(w, 800) << "the real display, not the 1280 x 960 logical screen";
  EXPECT_EQ(h, 600);
  EXPECT_EQ(CurrentDir(), gameFolder);

  const std::vector<std::string> log = LogLines();
  const std::vector<std::string> want = {"",
                                         "\tScreenshot",
                                         "\tGrabbing Screenshot",
                                         "\tSaving Screenshot : " + name,
                                         "\tSaved Screenshot 1",
                                         ""};
  EXPECT_EQ(log, want);
  ASSERT_EQ(MessageList.Count(), 1);
  EXPECT_EQ(MessageList.First()->txt, "Saved Screenshot");
  EXPECT_EQ(MessageList.First()->c, 1);
}

TEST_F(Screenshots, GrabsBeforeTheNoticeIsDrawnAndPresented) {
  TakeScreenshot();
  int grab = -1, notice = -1, hint = -1, flip = -1;
  const auto& draws = HeadlessDraws();
  for (int i = 0; i < static_cast<int>(draws.size()); ++i) {
    const DrawRecord& d = draws[static_cast<size_t>(i)];
    if (d.kind == DrawRecord::GRAB && grab < 0) grab = i;
    if (d.kind == DrawRecord::TEXT && d.text == "Saving Screenshot") notice = i;
    if (d.kind == DrawRecord::TEXT && d.text == "Sometimes, this takes a while!") hint = i;
    if (d.kind == DrawRecord::FLIP && flip < 0) flip = i;
  }
  ASSERT_GE(grab, 0);
  EXPECT_EQ(draws[static_cast<size_t>(grab)].w, 800);
  EXPECT_LT(grab, notice);
  EXPECT_LT(notice, hint);
  EXPECT_LT(hint, flip) << "the notice is presented while the file is written";
  const DrawRecord& n = draws[static_cast<size_t>(notice)];
  EXPECT_FLOAT_EQ(n.x, 640 - TextWidth("Saving Screenshot") / 2);
  EXPECT_FLOAT_EQ(n.y, 450 - TextHeight("Saving Screenshot") / 2);
}

TEST_F(Screenshots, TitleCharactersUnfitForFileNamesAreDropped) {
  GameTitle = "#247 : Plonk?o Elo:ngo*";
  TakeScreenshot();
  const auto pictures = Pictures();
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].rfind("Plonko Elongo (Screenshot_", 0), 0u) << pictures[0];
  EXPECT_EQ(pictures[0].substr(pictures[0].size() - 5), ").png");
}

TEST_F(Screenshots, AFailedSaveIsLoggedAndNotReportedAsSaved) {
  CloseDisplay();  // nothing to grab: the save cannot succeed
  const std::string gameFolder = CurrentDir();
  TakeScreenshot();
  EXPECT_TRUE(Pictures().empty());
  const auto log = LogLines();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "\tSaved Screenshot 0");
  ASSERT_EQ(MessageList.Count(), 1);
  EXPECT_EQ(MessageList.First()->txt, "Screenshot Failed");
  EXPECT_EQ(CurrentDir(), gameFolder);
}

TEST_F(Screenshots, F11IsTakenByEndFrameBeforeItsOwnLayers) {
  OverlayOn = 1;
  HeadlessKeyDown(122);
  EndFrame(1);
  ASSERT_EQ(Pictures().size(), 1u);
  // The grab is the first record: overlay, pointer and messages all come after it.
  const auto& draws = HeadlessDraws();
  size_t grab = 0;
  while (grab < draws.size() && draws[grab].kind != DrawRecord::GRAB) ++grab;
  ASSERT_LT(grab, draws.size());
  for (size_t i = 0; i < grab; ++i)
    EXPECT_NE(draws[i].kind, DrawRecord::TEXT) << "drawn before the grab: " << draws[i].text;
  EXPECT_EQ(MessageList.Count(), 1);
}

// On the real back end (needs an X display): the picture holds what the screen drew, at the
// real size, and none of the "Saving Screenshot" notice drawn after the grab.
TEST_F(Screenshots, RealPictureHoldsTheScreenWithoutTheNotice) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  MediaInit(MEDIA_REAL);
  SelectDisplayDriver(DISPLAY_DX7);
  if (!OpenDisplay(640, 480, 0, 60)) {
    MediaInit(MEDIA_HEADLESS);
    GTEST_SKIP() << "no window";
  }
  SetVirtualResolution(ScreenW, ScreenH);
  ResetDrawState();
  SetClearColour(0, 0, 0);
  ClearScreen();
  SetDrawColour(200, 30, 30, 1);
  DrawRect(0, 0, static_cast<float>(ScreenW), static_cast<float>(ScreenH));
  TakeScreenshot();
  const auto pictures = Pictures();
  ASSERT_EQ(pictures.size(), 1u);
  const int image = LoadPixelImage((FilesDir() / pictures[0]).string());
  ASSERT_NE(image, 0);
  EXPECT_EQ(ImageWidth(image), 640);
  EXPECT_EQ(ImageHeight(image), 480);
  const int pixels = LockImage(image);
  int red = 0, other = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) ((ReadPixel(pixels, x, y) & 0xFFFFFF) == 0xC81E1E ? red : other)++;
  UnlockImage(image);
  EXPECT_EQ(other, 0) << red << " red pixels";
  MediaInit(MEDIA_HEADLESS);
}

}  // namespace
