// The entry: --help and --version answer and leave; otherwise the shipped data's folder first
// (beside the program, or an installed tree's share/plonko-elongo), start-up, then the title loop,
// which ends the process through the closing sequence, or a replay (--replay), which ends it too.
#include <string>

#include "common/folders.h"
#include "engine/command_line.h"
#include "engine/replay.h"
#include "engine/startup.h"
#include "engine/title.h"
#include "media/media.h"

int main(int argc, char** argv) {
  if (const int code = AnswerCommandLine(argc, argv); code >= 0) return code;
  std::string replayFile;
  const bool replay = ReplayOption(argc, argv, replayFile);
  Solution solution;
  // Read before the program's own folder becomes current, so a relative name works.
  if (replay && !ReadReplay(replayFile, solution)) return REPLAY_BAD_FILE;
  PlayerFilesKept = replay;  // from the start: start-up may write Setup.ini
  MediaInit(MEDIA_REAL);
  ChangeDir(DataFolder(AppDir()));
  StartUp();
  if (replay) RunReplay(solution);
  TitleLoop();
}
