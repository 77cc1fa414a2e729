// F11 screenshots.
#include "frame/screenshot.h"

#include "common/common_assets.h"
#include "common/folders.h"
#include "common/log.h"
#include "frame/draw.h"
#include "frame/end_frame.h"
#include "frame/frame_state.h"
#include "media/media.h"

namespace {

// Characters that some file system or shell would choke on, removed in this order.
constexpr const char* UNSAFE[] = {"#", "'", ",", "`", ".", "\\", "/", ":", "|", "*", "?", "\""};

constexpr int PNG_LEVEL = 9;

// "Plonko Elongo": the caption without its "#247 : " series prefix.
std::string TitleWords() {
  const std::string sep = " : ";
  const int at = Find(GameTitle, sep);
  return at > 0 ? Mid(GameTitle, at + static_cast<int>(sep.size())) : GameTitle;
}

// Shown while the file is written: the save at the highest compression stalls the frame.
void ShowSavingNotice() {
  ResetDrawState();
  SetFont(CommonFonts[5]);
  DrawTextAt(ScreenW / 2, ScreenH / 2 - 30, "Saving Screenshot", 1, 1);
  SetFont(CommonFonts[6]);
  DrawTextAt(ScreenW / 2, ScreenH / 2 + 30, "Sometimes, this takes a while!", 1, 1);
  Flip(-1);
}

}  // namespace

std::string SafeFileName(const std::string& s) {
  std::string out = s;
  for (const char* bad : UNSAFE) out = Replace(out, bad, "");
  return out;
}

void TakeScreenshot() {
  LogLine("");
  LogLine("\tScreenshot");
  // Screenshots go beside Setup.ini (the player's folder when there is one). Coming back to the folder we left (rather than naming the
  // game folder) also holds when the files folder could not be entered.
  const std::string home = CurrentDir();
  ChangeDir(PlayerPath(""));
  LogLine("\tGrabbing Screenshot");
  // The grab comes before the notice, so the picture holds the screen's own drawing only.
  const int picture = GrabPixmap(0, 0, RealWidth(), RealHeight());
  ShowSavingNotice();

  const std::string name =
      SafeFileName(TitleWords() + " (Screenshot_" + CurrentDate() + "_" + CurrentTime() + ")") + ".png";
  LogLine("\tSaving Screenshot : " + name);
  const int saved = SavePixmapPNG(picture, name, PNG_LEVEL);
  FreePixmap(picture);
  LogLine("\tSaved Screenshot " + IntText(saved));
  LogLine("");
  ChangeDir(home);
  // A failed save must not claim success on screen.
  AddMessage(saved == 1 ? "Saved Screenshot" : "Screenshot Failed", 1);
}
