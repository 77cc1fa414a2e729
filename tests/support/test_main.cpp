// The test programs' entry: GoogleTest with the media layer on the headless back end by default.
// Real-window tests switch to MEDIA_REAL themselves.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <string>

#include "media/media.h"
#include "support/test_folder.h"

namespace {

// `make check` runs the real-window tests two at a time, each on an X display of its own: ctest
// hands a test one display ("id:91,slots:1", the id being the display's number), which replaces
// DISPLAY for the test and for every game it starts.
void TakeGivenDisplay() {
  const char* given = std::getenv("CTEST_RESOURCE_GROUP_0_DISPLAYS");
  if (!given || std::strncmp(given, "id:", 3) != 0) return;
  const std::string id(given + 3, std::strcspn(given + 3, ","));
  if (!id.empty()) setenv("DISPLAY", (":" + id).c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  TakeGivenDisplay();
  MediaInit(MEDIA_HEADLESS);
  int rc = RUN_ALL_TESTS();
  MediaShutdown();
  RemoveTestFolders();
  return rc;
}
