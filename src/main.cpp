// The entry: --help and --version answer and leave; otherwise the shipped data's folder first (beside
// the program, or an installed tree's share/plonko-elongo), start-up, then the title loop, which
// ends the process through the closing sequence.
#include "common/folders.h"
#include "engine/command_line.h"
#include "engine/startup.h"
#include "engine/title.h"
#include "media/media.h"

int main(int argc, char** argv) {
  if (const int code = AnswerCommandLine(argc, argv); code >= 0) return code;
  MediaInit(MEDIA_REAL);
  ChangeDir(DataFolder(AppDir()));
  StartUp();
  TitleLoop();
}
