// The SDL event pump on the real back end: events posted as the window system would post them
// reach the shared input state at the next PollSystem. Needs no display.
#include <gtest/gtest.h>
#include <signal.h>

#include "media/media.h"
#include "media/platform.h"
#include "media/sdl_test_input.h"

namespace {

class SdlEvents : public testing::Test {
 protected:
  void SetUp() override {
    MediaInit(MEDIA_REAL);
    PollSystem();  // drop whatever SDL queued at start-up
    FlushKeys();
    FlushMouse();
    while (AppTerminate()) {
    }
  }
  void TearDown() override { MediaInit(MEDIA_HEADLESS); }

  static int Sc(const char* name) {
    const int sc = ScancodeFromName(name);
    EXPECT_GE(sc, 0) << name;
    return sc;
  }
};

TEST_F(SdlEvents, KeysArriveAsVirtualKeys) {
  PushTestKey(Sc("Left Alt"), true);
  PushTestKey(Sc("F4"), true);
  EXPECT_FALSE(KeyDown(164)) << "nothing arrives before the pump runs";
  PollSystem();
  EXPECT_TRUE(KeyDown(164));
  EXPECT_TRUE(KeyDown(18));
  EXPECT_TRUE(KeyDown(115));
  PushTestKey(Sc("Left Alt"), false);
  PushTestKey(Sc("F4"), false);
  PollSystem();
  EXPECT_FALSE(KeyDown(164));
  EXPECT_FALSE(KeyDown(18));
  EXPECT_EQ(KeyHit(115), 1);
}

TEST_F(SdlEvents, RepeatsAreNotPressesButRetypeReturnAndBackspace) {
  PushTestKey(Sc("A"), true);
  PushTestKey(Sc("Return"), true);
  for (int i = 0; i < 3; ++i) {
    PushTestKey(Sc("A"), true, true, true);
    PushTestKey(Sc("Return"), true, true, true);
  }
  PushTestKey(Sc("Backspace"), true);
  PollSystem();
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_EQ(KeyHit(13), 1);
  int returns = 0, backspaces = 0;
  while (int ch = GetChar()) {
    returns += ch == 13;
    backspaces += ch == 8;
    EXPECT_TRUE(ch == 13 || ch == 8) << "letters come from text events, not key events: " << ch;
  }
  EXPECT_EQ(returns, 4);
  EXPECT_EQ(backspaces, 1);
}

TEST_F(SdlEvents, KeypadFollowsNumLockAndReleasesWhatItPressed) {
  PushTestKey(Sc("Keypad 8"), true, /*numLock=*/false);
  PollSystem();
  EXPECT_TRUE(KeyDown(38));
  EXPECT_FALSE(KeyDown(104));
  // NumLock switched on while the key is held: the release still lets go of Up.
  PushTestKey(Sc("Keypad 8"), false, /*numLock=*/true);
  PollSystem();
  EXPECT_FALSE(KeyDown(38));
  PushTestKey(Sc("Keypad 8"), true, /*numLock=*/true);
  PollSystem();
  EXPECT_TRUE(KeyDown(104));
}

TEST_F(SdlEvents, TypedTextReachesTheCharacterQueueAsLatin1) {
  PushTestText("G\xC3\xBC\xE2\x82\xAC!");  // G ü € !
  PollSystem();
  EXPECT_EQ(GetChar(), 'G');
  EXPECT_EQ(GetChar(), 252);
  EXPECT_EQ(GetChar(), '!');
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(SdlEvents, MouseButtonsAreNumberedLeftRightMiddle) {
  struct Case {
    int sdlButton, button;
  };
  const Case cases[] = {
      // SDL button  ours
      {1, 1},  // left
      {3, 2},  // right
      {2, 3},  // middle
  };
  for (const Case& c : cases) {
    PushTestMouseButton(c.sdlButton, true, 10 * c.button, 20 * c.button);
    PollSystem();
    EXPECT_TRUE(MouseDown(c.button)) << c.sdlButton;
    EXPECT_EQ(MouseX(), 10 * c.button);
    EXPECT_EQ(MouseY(), 20 * c.button);
    PushTestMouseButton(c.sdlButton, false, 0, 0);
    PollSystem();
    EXPECT_FALSE(MouseDown(c.button));
    EXPECT_EQ(MouseHit(c.button), 1);
  }
  PushTestMouseButton(4, true, 0, 0);  // an extra button the game has no number for
  PushTestMouseMotion(123, 45);
  PollSystem();
  EXPECT_EQ(MouseX(), 123);
  EXPECT_EQ(MouseY(), 45);
  for (int b = 1; b <= 3; ++b) EXPECT_FALSE(MouseDown(b));
}

TEST_F(SdlEvents, EachCloseRequestAnswersOnce) {
  PushTestWindowClose();
  PushTestQuit();
  PollSystem();
  EXPECT_TRUE(AppTerminate());
  EXPECT_TRUE(AppTerminate());
  EXPECT_FALSE(AppTerminate());
}

TEST_F(SdlEvents, LetterAndPunctuationKeysFollowTheirLabel) {
  struct Case {
    const char* layout;
    const char* position;  // SDL's name of the key's place (US layout)
    int label;             // the symbol the layout gives that key
    int code;
  } cases[] = {
      // layout    position      label   code
      {"AZERTY", "Q", 'a', 65},
      {"AZERTY", "A", 'q', 81},
      {"AZERTY", "W", 'z', 90},
      {"AZERTY", ";", 'm', 77},
      {"AZERTY", "M", ',', 188},
      {"AZERTY", "2", 0xE9, 50},   // é: the digit row keeps its digits
      {"AZERTY", "6", '-', 54},
      {"AZERTY", "[", 0x5E, 219},  // a dead key the numbering has no code for: its place
      {"Dvorak", "S", 'o', 79},
      {"Dvorak", "O", 'r', 82},
      {"Dvorak", "Q", '\'', 192},
      {"Dvorak", "'", '-', 189},
      {"Dvorak", "Left", 0x40000050, 37},  // keys without a character label keep their place
      {"Dvorak", "F11", 0x40000044, 122},
      {"Dvorak", "Keypad 5", 0x4000005D, 101},
  };
  for (const Case& c : cases) {
    PushTestKey(Sc(c.position), true, true, false, c.label);
    PollSystem();
    EXPECT_TRUE(KeyDown(c.code)) << c.layout << " " << c.position;
    EXPECT_EQ(KeyHit(c.code), 1) << c.layout << " " << c.position;
    PushTestKey(Sc(c.position), false, true, false, c.label);
    PollSystem();
    EXPECT_FALSE(KeyDown(c.code)) << c.layout << " " << c.position;
  }
}

TEST_F(SdlEvents, AQuickTapReadsAsHeldUntilTheNextPump) {
  PushTestKey(Sc("Escape"), true);
  PushTestKey(Sc("Escape"), false);
  PushTestMouseButton(1, true, 5, 5);
  PushTestMouseButton(1, false, 5, 5);
  PollSystem();
  EXPECT_TRUE(KeyDown(27));
  EXPECT_TRUE(MouseDown(1));
  EXPECT_EQ(KeyHit(27), 1);
  EXPECT_EQ(MouseHit(1), 1);
  PollSystem();
  EXPECT_FALSE(KeyDown(27));
  EXPECT_FALSE(MouseDown(1));
  // Pressed again within the pump it was let go in: held, and its release is the next one.
  PushTestKey(Sc("Escape"), true);
  PollSystem();
  PushTestKey(Sc("Escape"), false);
  PushTestKey(Sc("Escape"), true);
  PollSystem();
  EXPECT_TRUE(KeyDown(27));
  PollSystem();
  EXPECT_TRUE(KeyDown(27));
  PushTestKey(Sc("Escape"), false);
  PollSystem();
  EXPECT_FALSE(KeyDown(27));
}

TEST_F(SdlEvents, ATerminateSignalIsACloseRequestThatStays) {
  EXPECT_FALSE(TerminateSignalled());
  raise(SIGTERM);
  EXPECT_TRUE(TerminateSignalled());
  EXPECT_TRUE(AppTerminate());
  EXPECT_TRUE(AppTerminate());  // not used up: every loop must see it
  for (int sig : {SIGINT, SIGHUP}) {
    MediaInit(MEDIA_REAL);  // a new run starts without one
    EXPECT_FALSE(TerminateSignalled());
    raise(sig);
    EXPECT_TRUE(TerminateSignalled()) << sig;
  }
  MediaInit(MEDIA_REAL);
}

}  // namespace
