// The real display's mode list and window sizes (under the test X server, whose screen is a single
// 1280 x 1024 mode): window-only sizes that fit the screen are offered beside the screen's own
// modes, largest first, and a window larger than the screen is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "media/media.h"

namespace {

class RealDisplay : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_REAL);
    if (!DisplayServerAvailable()) GTEST_SKIP() << "no display server";
  }
  void TearDown() override { MediaInit(MEDIA_HEADLESS); }
};

TEST_F(RealDisplay, WindowSizesThatFitTheScreenAreListedLargestFirst) {
  const std::vector<DisplayMode> modes = ListDisplayModes();
  ASSERT_FALSE(modes.empty());
  int deskW = 0, deskH = 0;
  for (const DisplayMode& m : modes)
    if (m.depth != 0) {
      deskW = std::max(deskW, m.w);
      deskH = std::max(deskH, m.h);
    }
  auto listed = [&](int w, int h) {
    return std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& m) { return m.w == w && m.h == h; });
  };
  EXPECT_TRUE(listed(800, 600));
  EXPECT_TRUE(listed(640, 480));
  for (const DisplayMode& m : modes)
    if (m.depth == 0) {
      EXPECT_LE(m.w, deskW) << m.w << "x" << m.h;
      EXPECT_LE(m.h, deskH) << m.w << "x" << m.h;
      EXPECT_FALSE(DisplayModeExists(m.w, m.h, 32, 0)) << "a window-only size is no full-screen mode";
    }
  EXPECT_TRUE(std::is_sorted(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
    return a.w != b.w ? a.w > b.w : a.h > b.h;
  }));
}

TEST_F(RealDisplay, AWindowLargerThanTheScreenIsRefused) {
  SelectDisplayDriver(DISPLAY_DX7);  // software: no GL needed
  EXPECT_FALSE(OpenDisplay(8000, 6000, 0, 60));
  EXPECT_FALSE(DisplayIsOpen());
  ASSERT_TRUE(OpenDisplay(640, 480, 0, 60));
  EXPECT_EQ(RealWidth(), 640);
  CloseDisplay();
}

}  // namespace
