// The polled keyboard, mouse and close-request state, fed here through the headless back end's
// immediate input calls (the SDL pump feeds the same state; see platform_events_test.cpp).
#include <gtest/gtest.h>

#include "media/headless.h"
#include "media/media.h"

namespace {

class InputState : public testing::Test {
 protected:
  void SetUp() override { MediaInit(MEDIA_HEADLESS); }
};

void Press(int key) {
  HeadlessKeyDown(key);
  HeadlessKeyUp(key);
}

TEST_F(InputState, KeyHitCountsPressesSinceTheLastAskAndClears) {
  Press(65);
  Press(65);
  Press(65);
  HeadlessKeyDown(66);
  HeadlessKeyDown(66);  // still held: not a second press
  EXPECT_EQ(KeyHit(65), 3);
  EXPECT_EQ(KeyHit(65), 0);
  EXPECT_EQ(KeyHit(66), 1);
  EXPECT_TRUE(KeyDown(66));
  EXPECT_FALSE(KeyDown(65));
  HeadlessKeyUp(66);
  EXPECT_FALSE(KeyDown(66));
}

TEST_F(InputState, GenericModifierIsHeldWhileEitherSideIs) {
  struct Case {
    int generic, left, right;
  };
  const Case cases[] = {
      // generic  left  right
      {16, 160, 161},  // Shift
      {17, 162, 163},  // Ctrl
      {18, 164, 165},  // Alt
  };
  for (const Case& c : cases) {
    HeadlessKeyDown(c.left);
    HeadlessKeyDown(c.right);
    EXPECT_TRUE(KeyDown(c.generic));
    EXPECT_EQ(KeyHit(c.generic), 1) << "the second side adds no press";
    HeadlessKeyUp(c.left);
    EXPECT_TRUE(KeyDown(c.generic)) << "the right side still holds " << c.generic;
    EXPECT_FALSE(KeyDown(c.left));
    HeadlessKeyUp(c.right);
    EXPECT_FALSE(KeyDown(c.generic));
    EXPECT_EQ(KeyHit(c.left), 1);
    EXPECT_EQ(KeyHit(c.right), 1);
  }
}

TEST_F(InputState, CharacterQueueKeepsOrderAndLatin1Only) {
  HeadlessTypeChar('h');
  HeadlessTypeChar(233);  // é
  for (int bad : {0, -1, 256, 8364}) HeadlessTypeChar(bad);
  Press(13);              // Return and Backspace are typed characters too
  HeadlessTypeChar('i');
  Press(8);
  Press(27);              // Escape is not
  const int expected[] = {'h', 233, 13, 'i', 8};
  for (int ch : expected) EXPECT_EQ(GetChar(), ch);
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(InputState, CharacterQueueIsBounded) {
  for (int i = 0; i < 100000; ++i) HeadlessTypeChar('a' + i % 26);
  int count = 0;
  while (int ch = GetChar()) {
    if (count == 0) {
      EXPECT_EQ(ch, 'a') << "the oldest characters are kept";
    }
    ++count;
  }
  EXPECT_GT(count, 0);
  EXPECT_LE(count, 1000);
}

TEST_F(InputState, FlushKeysForgetsKeysAndCharactersButNotTheMouse) {
  HeadlessKeyDown(37);
  Press(38);
  HeadlessTypeChar('q');
  HeadlessMouseDown(1);
  FlushKeys();
  EXPECT_FALSE(KeyDown(37));
  EXPECT_EQ(KeyHit(37), 0);
  EXPECT_EQ(KeyHit(38), 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_TRUE(MouseDown(1));
  // A key held through the flush counts again only when pressed anew.
  HeadlessKeyUp(37);
  EXPECT_EQ(KeyHit(37), 0);
  HeadlessKeyDown(37);
  EXPECT_EQ(KeyHit(37), 1);
}

TEST_F(InputState, MouseButtonsCountApartAndFlushMouseKeepsKeys) {
  HeadlessMouseDown(1);
  HeadlessMouseUp(1);
  HeadlessMouseDown(1);
  HeadlessMouseDown(2);
  HeadlessMouseDown(3);
  HeadlessMouseUp(3);
  EXPECT_TRUE(MouseDown(1));
  EXPECT_TRUE(MouseDown(2));
  EXPECT_FALSE(MouseDown(3));
  EXPECT_EQ(MouseHit(1), 2);
  EXPECT_EQ(MouseHit(1), 0);
  EXPECT_EQ(MouseHit(3), 1);
  HeadlessKeyDown(90);
  FlushMouse();
  EXPECT_FALSE(MouseDown(1));
  EXPECT_EQ(MouseHit(2), 0);
  EXPECT_TRUE(KeyDown(90));
}

TEST_F(InputState, OutOfRangeKeysAndButtonsAreIgnored) {
  for (int key : {-1, 256, 1000, -100000}) {
    HeadlessKeyDown(key);
    HeadlessScheduleInput(0, {InputEvent::KEY_DOWN, key});
    EXPECT_FALSE(KeyDown(key));
    EXPECT_EQ(KeyHit(key), 0);
  }
  for (int button : {-1, 0, 4, 99}) {
    HeadlessMouseDown(button);
    EXPECT_FALSE(MouseDown(button));
    EXPECT_EQ(MouseHit(button), 0);
  }
  for (int key = 0; key < 256; ++key) EXPECT_FALSE(KeyDown(key)) << key;
}

TEST_F(InputState, AppTerminateAnswersOncePerRequest) {
  EXPECT_FALSE(AppTerminate());
  HeadlessRequestClose();
  HeadlessRequestClose();
  EXPECT_TRUE(AppTerminate());
  EXPECT_TRUE(AppTerminate());
  EXPECT_FALSE(AppTerminate());
}

TEST_F(InputState, MousePositionInRealAndLogicalUnits) {
  HeadlessMouseMove(400, 150);
  EXPECT_EQ(MouseX(), 400);
  EXPECT_EQ(MouseY(), 150);
  ASSERT_TRUE(OpenDisplay(800, 600, 0, 60));
  SetVirtualResolution(1600, 900);
  EXPECT_FLOAT_EQ(VirtualMouseX(), 800.0f);
  EXPECT_FLOAT_EQ(VirtualMouseY(), 225.0f);
  MoveMouse(20, 40);
  EXPECT_EQ(MouseX(), 20);
  EXPECT_EQ(MouseY(), 40);
  CloseDisplay();
}

}  // namespace
