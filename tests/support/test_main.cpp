// The test programs' entry: GoogleTest with the media layer on the headless back end by default.
// Real-window tests switch to MEDIA_REAL themselves.
#include <gtest/gtest.h>

#include "media/media.h"
#include "support/test_folder.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  MediaInit(MEDIA_HEADLESS);
  int rc = RUN_ALL_TESTS();
  MediaShutdown();
  RemoveTestFolders();
  return rc;
}
