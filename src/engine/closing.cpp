// The closing sequence. The settings and the scores are on disk before anything is shown, so
// closing the thank-you window by any means loses nothing.
#include "engine/closing.h"

#include <algorithm>
#include <vector>

#include "common/folders.h"
#include "common/log.h"
#include "engine/display.h"
#include "engine/engine_state.h"
#include "engine/save_report.h"
#include "engine/setup_file.h"
#include "frame/draw.h"
#include "game/hint_runner.h"
#include "input/input.h"
#include "media/media.h"

namespace {

// The thank-you window is 640 x 480 whatever display the game had: its fonts are sized for it.
constexpr int THANKS_W = 640;
// "Thanks for Playing" sits in the band above "Send Feedback!" (y 220 to 274) and left of the
// site logo (x 384); the shadow adds 2 pixels each way.
constexpr int THANKS_TOP = 220, FEEDBACK_TOP = 274, SITE_LOGO_X = 384, SHADOW = 2;
constexpr int FAILED_SAVE_BOTTOM = 455, FAILED_SAVE_STEP = 20;  // lines of failed saves, from the bottom up

void LoadTopLeft(int& slot, const char* file) {
  FreeImage(slot);
  slot = LoadImage(file, IMAGE_MASKED | IMAGE_FILTERED);
  SetImageHandle(slot, 0, 0);
}

// Fonts 6 to 9 at the sizes a 640-pixel-wide display gives them; font 6 then shrinks until the
// title fits its band, as our faces are wider and taller than the layout's positions assume.
void LoadThankYouFonts() {
  ChooseFontScales(THANKS_W);
  for (int slot = 6; slot <= 9; ++slot) LoadCommonFont(slot, CommonFontSize(slot));
  const int band = FEEDBACK_TOP - THANKS_TOP - SHADOW;
  const int room = SITE_LOGO_X - SHADOW - 6;
  int size = std::min(CommonFontSize(6), band);
  LoadCommonFont(6, size);
  SetFont(CommonFonts[6]);
  const int width = TextWidth("Thanks for Playing");
  if (width > room) LoadCommonFont(6, size * room / width);
}

void DrawThankYou() {
  ClearScreen();
  ResetDrawState();
  SetDrawColour(0, 0, 80, 1);
  DrawRect(0, 0, 640, 480);

  SetDrawColour(255, 255, 255, 1);
  AutoMidHandle(false);
  InFolder(FilesPath("Common"), [] {
    LoadTopLeft(EngineLogo, "logo.png");
    LoadTopLeft(SiteLogo, "Kelvaro.png");
    LoadThankYouFonts();
  });

  SetDrawScale(0.5f);
  DrawImage(EngineLogo, 0, 0, 0);
  DrawImage(SiteLogo, SITE_LOGO_X, 224, 0);
  SetDrawScale(1.0f);

  SetDrawColour(0, 0, 0, 0.8f);  // shadow pass
  SetFont(CommonFonts[6]);
  DrawText("Thanks for Playing", SHADOW, THANKS_TOP + SHADOW);
  SetFont(CommonFonts[7]);
  DrawText("Send Feedback!", 50 + SHADOW, FEEDBACK_TOP + SHADOW);

  SetDrawColour(255, 255, 255, 1);
  SetFont(CommonFonts[6]);
  DrawText("Thanks for Playing", 0, THANKS_TOP);
  SetFont(CommonFonts[7]);
  DrawText("Send Feedback!", 50, FEEDBACK_TOP);

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
  // The saves just made may have failed: the last word the player gets says so.
  SetDrawColour(255, 120, 120, 1);
  int y = FAILED_SAVE_BOTTOM;
  for (const std::string& file : FailingSaves()) {
    DrawText(SaveFailedText(file), 20, static_cast<float>(y));
    y -= FAILED_SAVE_STEP;
  }
  Flip(0);
}

bool Contains(const std::vector<int>& codes, int code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

ClosingWait StartClosingWait() {
  ClosingWait wait;
  wait.shownAt = Millis();
  // Not yet seen: the flush that follows hides them until the platform reports them again.
  for (int code : HeldInputs()) wait.carried.push_back(CarriedInput{code, false});
  return wait;
}

bool ClosingWaitDone(ClosingWait& wait) {
  PollSystem();
  if (AppTerminate()) return true;
  const std::vector<int> held = HeldInputs();
  const int shownFor = MsBetween(wait.shownAt, Millis());
  // A carried input is free again once let go: after its re-report came and went, or when none
  // came within the time a re-report takes.
  std::erase_if(wait.carried, [&](CarriedInput& c) {
    if (Contains(held, c.code)) {
      c.seenDown = true;
      return false;
    }
    return c.seenDown || shownFor >= CLOSING_CARRY_MS;
  });
  for (int code : held) {
    const bool carried =
        std::any_of(wait.carried.begin(), wait.carried.end(), [code](const CarriedInput& c) { return c.code == code; });
    if (!carried) return true;
  }
  return false;
}

void ClosingSequence() {
  StopHintRunner();  // a search in flight ends with its thread before anything else goes
  ShowPointer();
  WriteSetup();
  SaveScoreFile();
  // Reaching here means the display opened: the marker of a crash while opening it must not make
  // the next run change driver, even when the player closed during the engine test.
  DeleteFile(GameFilePath("crash.dat"));
  LogLine("Closing Up");
  LogLine("");
  LogLine("Bye!");
  LogLine("");
  LogLine("Play again, soon!!");

  // Inputs held now (the key that quit) must be let go before they count on the thank-you screen.
  ClosingWait wait = StartClosingWait();
  CloseDisplay();
  FlushKeys();
  FlushMouse();
  // A terminate signal wants the process gone, and a window that cannot open cannot be answered.
  if (!TerminateSignalled() && OpenDisplay(640, 480, 0, 60)) {
    DrawThankYou();
    wait.shownAt = Millis();
    while (!ClosingWaitDone(wait)) Delay(10);  // nothing moves on this screen; no need to spin
    CloseDisplay();
  }
  CloseFile(LogStream);
  LogStream = 0;
  EndProcess(0);
}
