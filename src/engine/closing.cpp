// The closing sequence. The settings and the scores are on disk before anything is shown, so
// closing the thank-you window by any means loses nothing.
#include "engine/closing.h"

#include "engine/engine_state.h"
#include "engine/log.h"
#include "engine/score_table.h"
#include "engine/setup_file.h"
#include "frame/draw.h"
#include "input/input.h"
#include "media/media.h"

namespace {

constexpr int KEY_F4 = 115, KEY_LALT = 164, KEY_RALT = 165;

void LoadTopLeft(int& slot, const char* file) {
  FreeImage(slot);
  slot = LoadImage(file, IMAGE_MASKED | IMAGE_FILTERED);
  SetImageHandle(slot, 0, 0);
}

void DrawThankYou() {
  ClearScreen();
  ResetDrawState();
  SetDrawColour(0, 0, 80, 1);
  DrawRect(0, 0, 640, 480);

  ChangeDir("../");
  ChangeDir("Common/");
  SetDrawBlend(1);
  SetDrawColour(255, 255, 255, 1);
  AutoMidHandle(false);
  LoadTopLeft(EngineLogo, "logo.png");
  LoadTopLeft(SiteLogo, "Kelvaro.png");

  SetDrawScale(0.5f);
  DrawImage(EngineLogo, 0, 0, 0);
  DrawImage(SiteLogo, 384, 224, 0);
  SetDrawScale(1.0f);

  SetDrawColour(0, 0, 0, 0.8f);  // shadow pass
  SetFont(CommonFonts[6]);
  DrawText("Thanks for Playing", 2, 222);
  SetFont(CommonFonts[7]);
  DrawText("Send Feedback!", 52, 276);

  SetDrawColour(255, 255, 255, 1);
  SetFont(CommonFonts[6]);
  DrawText("Thanks for Playing", 0, 220);
  SetFont(CommonFonts[7]);
  DrawText("Send Feedback!", 50, 274);

  SetDrawColour(180, 255, 255, 1);
  SetFont(CommonFonts[8]);
  DrawText("This Game is Free", 320, 4);
  SetFont(CommonFonts[9]);
  struct Line {
    int y;
    const char* text;
  };
  static const Line LINES[] = {
      {44, "I do not ask for money."},
      {64, "I create these games for fun."},
      {84, "All I ask is that players send some feedback."},
      {104, "A comment, an email, a vote."},
      {134, "Do the right thing."},
      {164, "Support Homebrew games by"},
      {184, "saying thanks to their developers."},
  };
  for (const Line& line : LINES) DrawText(line.text, 270, static_cast<float>(line.y));
  Flip(0);
}

}  // namespace

bool ClosingInputHeld() {
  if (CaptureInput() > 0) return true;
  if (MouseDown(1) || MouseDown(2)) return true;
  return KeyDown(KEY_F4) && (KeyDown(KEY_LALT) || KeyDown(KEY_RALT));
}

bool ClosingWaitDone(ClosingWait& wait) {
  PollSystem();
  if (AppTerminate()) return true;
  bool held = ClosingInputHeld();
  if (wait.armed && held) return true;
  int shownFor = static_cast<int>(static_cast<unsigned>(Millis()) - static_cast<unsigned>(wait.shownAt));
  if (!held && shownFor >= CLOSING_SETTLE_MS) wait.armed = true;
  return false;
}

void ClosingSequence() {
  ShowPointer();
  WriteSetup();
  SaveScores();
  LogLine("Closing Up");
  LogLine("");
  LogLine("Bye!");
  LogLine("");
  LogLine("Play again, soon!!");

  CloseDisplay();
  // Only input reported from here on ends the thank-you screen: not the key that asked to quit.
  FlushKeys();
  FlushMouse();
  OpenDisplay(640, 480, 0, 60);
  DrawThankYou();

  ClosingWait wait;
  wait.shownAt = Millis();
  while (!ClosingWaitDone(wait)) Delay(10);  // nothing moves on this screen; no need to spin
  CloseDisplay();
  CloseFile(LogStream);
  LogStream = 0;
  EndProcess(0);
}
