// The entry: the program's own folder first (its data lies beside it), start-up, then the title
// loop, which ends the process through the closing sequence.
#include "engine/startup.h"
#include "engine/title.h"
#include "media/media.h"

int main() {
  MediaInit(MEDIA_REAL);
  ChangeDir(AppDir());
  StartUp();
  TitleLoop();
}
