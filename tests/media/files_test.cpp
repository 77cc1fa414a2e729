// Streams and folders. Every file the game reads may be damaged, and the settings and scores must
// survive a crash while they are being written, so the reading rules and the replacement are
// checked byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/media.h"
#include "support/test_folder.h"

using namespace std::string_literals;

namespace {

class Files : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = TestFolder("media_files").string();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Reads the way Setup.ini is read: a line, then stop when the stream is at its end.
  std::vector<std::string> ReadAll(const std::string& name) const {
    std::vector<std::string> lines;
    int f = OpenRead(Path(name));
    if (!f) return lines;
    do lines.push_back(ReadLine(f));
    while (!Eof(f));
    CloseFile(f);
    return lines;
  }

  std::string dir_;
};

}  // namespace

TEST_F(Files, ReadLineSplitsAtLineFeedAndZeroAndDropsEveryCarriageReturn) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      // file bytes                       lines read until Eof
      {"a\r\nb\r\n", Lines{"a", "b"}},
      {"a\nb", Lines{"a", "b"}},              // last line without a line feed
      {"a\r\rb\r\n\r\n", Lines{"ab", ""}},    // a carriage return inside a line is dropped too
      {"x\0y\nz"s, Lines{"x", "y", "z"}},     // a zero byte ends a line
      {"\n\n", Lines{"", ""}},
      {"", Lines{""}},                        // no lines at all reads as one empty line
      {"\r", Lines{""}},
      {"\xFF\x80\n", Lines{"\xFF\x80"}},      // each byte one character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    Put("in.txt", c.bytes);
    EXPECT_EQ(ReadAll("in.txt"), c.lines);
  }
}

TEST_F(Files, ReadingPastTheEndGivesEmptyLinesAndEofStaysTrue) {
  Put("in.txt", "only\n");
  int f = OpenRead(Path("in.txt"));
  ASSERT_NE(f, 0);
  EXPECT_FALSE(Eof(f));
  EXPECT_FALSE(Eof(f));  // asking does not consume
  EXPECT_EQ(ReadLine(f), "only");
  EXPECT_TRUE(Eof(f));
  EXPECT_EQ(ReadLine(f), "");
  EXPECT_EQ(ReadLine(f), "");
  EXPECT_TRUE(Eof(f));
  EXPECT_TRUE(CloseFile(f));
  // A closed or never-opened stream reads nothing and is at its end, so read loops still stop.
  EXPECT_EQ(ReadLine(f), "");
  EXPECT_TRUE(Eof(f));
  EXPECT_TRUE(Eof(0));
}

TEST_F(Files, HugeLineWithoutLineFeedIsReadWhole) {
  Put("big.txt", std::string(3 << 20, 'q'));
  int f = OpenRead(Path("big.txt"));
  ASSERT_NE(f, 0);
  EXPECT_EQ(ReadLine(f).size(), size_t{3 << 20});
  EXPECT_TRUE(Eof(f));
  CloseFile(f);
}

TEST_F(Files, OpenReadRefusesWhatIsNoPlainFile) {
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);  // opening it plainly would block
  EXPECT_EQ(OpenRead(Path("missing.txt")), 0);
  EXPECT_EQ(OpenRead(dir_), 0);
  EXPECT_EQ(OpenRead(Path("pipe")), 0);
  EXPECT_EQ(OpenRead(""), 0);
}

TEST_F(Files, WriteLineEndsWithCarriageReturnLineFeedAndIsOnDiskAtOnce) {
  Put("log.txt", "old contents that must go");
  int f = OpenWrite(Path("log.txt"));
  ASSERT_NE(f, 0);
  WriteLine(f, "Starting");
  WriteLine(f, "\tsub-step");
  EXPECT_EQ(Get("log.txt"), "Starting\r\n\tsub-step\r\n");  // still open: a crash now keeps the log
  WriteLine(f, "");
  EXPECT_TRUE(CloseFile(f));
  EXPECT_EQ(Get("log.txt"), "Starting\r\n\tsub-step\r\n\r\n");
  EXPECT_EQ(ReadAll("log.txt"), (std::vector<std::string>{"Starting", "\tsub-step", ""}));
  EXPECT_EQ(OpenWrite(Path("no/such/folder.txt")), 0);
  EXPECT_FALSE(CloseFile(0));
}

TEST_F(Files, OpenReplaceSwapsTheFileInOnlyAtClose) {
  Put("Setup.ini", "old\r\n");
  int f = OpenReplace(Path("Setup.ini"));
  ASSERT_NE(f, 0);
  WriteLine(f, "[Graphics]");
  WriteLine(f, "Width=800");
  EXPECT_EQ(Get("Setup.ini"), "old\r\n");
  EXPECT_TRUE(CloseFile(f));
  EXPECT_EQ(Get("Setup.ini"), "[Graphics]\r\nWidth=800\r\n");
  EXPECT_EQ(ReadDir(dir_), std::vector<std::string>{"Setup.ini"});  // no temporary file left

  // A new file is created the same way.
  f = OpenReplace(Path("scores.dat"));
  ASSERT_NE(f, 0);
  WriteLine(f, "1");
  EXPECT_EQ(FileType(Path("scores.dat")), PATH_NONE);
  EXPECT_TRUE(CloseFile(f));
  EXPECT_EQ(Get("scores.dat"), "1\r\n");
}

TEST_F(Files, OpenReplaceKeepsTheOldFileWhenTheProcessDiesBeforeClose) {
  const std::string old = "Width=1024\r\nHeight=768\r\n";
  Put("Setup.ini", old);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int f = OpenReplace(Path("Setup.ini"));
    // Far more than any buffer, so part of the new text has reached the disk when it dies.
    for (int i = 0; i < 20000 && f; ++i) WriteLine(f, "Key=" + std::to_string(i) + ",87");
    _exit(f ? 0 : 3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Get("Setup.ini"), old);
  EXPECT_EQ(ReadDir(dir_).size(), 2u);  // the dead writer's temporary file is still there

  // The next replacement clears what the dead writer left.
  int next = OpenReplace(Path("Setup.ini"));
  ASSERT_NE(next, 0);
  WriteLine(next, "Width=800");
  EXPECT_TRUE(CloseFile(next));
  EXPECT_EQ(Get("Setup.ini"), "Width=800\r\n");
  EXPECT_EQ(ReadDir(dir_), std::vector<std::string>{"Setup.ini"});

  // The same when the stream is abandoned in this process: the media layer drops it unclosed
  // at shutdown, and nothing of it must stay behind.
  int f = OpenReplace(Path("scores.dat"));
  ASSERT_NE(f, 0);
  WriteLine(f, "half");
  MediaShutdown();
  MediaInit(MEDIA_HEADLESS);
  EXPECT_EQ(FileType(Path("scores.dat")), PATH_NONE);
}

TEST_F(Files, FailedReplaceRemovesTheTemporaryFileAndKeepsTheTarget) {
  // The target is a folder that holds a file: the rename must fail.
  ASSERT_EQ(mkdir(Path("Setup.ini").c_str(), 0700), 0);
  Put("Setup.ini/keep", "k");
  int f = OpenReplace(Path("Setup.ini"));
  ASSERT_NE(f, 0);
  WriteLine(f, "x");
  EXPECT_FALSE(CloseFile(f));
  EXPECT_EQ(ReadDir(dir_), std::vector<std::string>{"Setup.ini"});
  EXPECT_EQ(Get("Setup.ini/keep"), "k");
  EXPECT_EQ(OpenReplace(Path("missing/Setup.ini")), 0);
  EXPECT_EQ(OpenReplace(Path("folder/")), 0);
}

TEST_F(Files, PathTypesDeleteAndSortedFolderListing) {
  Put("b.png", "");
  Put("A.txt", "x");
  Put(".hidden", "");
  ASSERT_EQ(mkdir(Path("Files").c_str(), 0700), 0);
  EXPECT_EQ(FileType(Path("b.png")), PATH_FILE);
  EXPECT_EQ(FileType(Path("Files")), PATH_FOLDER);
  EXPECT_EQ(FileType(Path("Files/")), PATH_FOLDER);
  EXPECT_EQ(FileType(Path("nothing")), PATH_NONE);
  EXPECT_EQ(FileType(""), PATH_NONE);
  EXPECT_EQ(ReadDir(dir_), (std::vector<std::string>{".hidden", "A.txt", "Files", "b.png"}));
  EXPECT_TRUE(ReadDir(Path("nothing")).empty());

  EXPECT_TRUE(DeleteFile(Path("b.png")));
  EXPECT_EQ(FileType(Path("b.png")), PATH_NONE);
  EXPECT_FALSE(DeleteFile(Path("b.png")));
  EXPECT_FALSE(DeleteFile(Path("Files")));
  EXPECT_EQ(FileType(Path("Files")), PATH_FOLDER);
}

TEST_F(Files, ChangeDirTakesRelativePathsWithTrailingSlashAndStaysPutOnFailure) {
  ASSERT_EQ(mkdir(Path("Files").c_str(), 0700), 0);
  ASSERT_EQ(mkdir(Path("Files/247").c_str(), 0700), 0);
  const std::string start = CurrentDir();
  ASSERT_TRUE(ChangeDir(dir_));
  char real[PATH_MAX];
  ASSERT_NE(realpath(dir_.c_str(), real), nullptr);
  EXPECT_EQ(CurrentDir(), real);

  EXPECT_TRUE(ChangeDir("Files/"));
  EXPECT_TRUE(ChangeDir("247/"));
  EXPECT_EQ(CurrentDir(), std::string(real) + "/Files/247");
  EXPECT_TRUE(ChangeDir(".."));
  EXPECT_EQ(CurrentDir(), std::string(real) + "/Files");
  EXPECT_FALSE(ChangeDir("nowhere/"));
  EXPECT_FALSE(ChangeDir(""));
  EXPECT_EQ(CurrentDir(), std::string(real) + "/Files");

  // Relative paths of the other operations follow the current folder.
  int f = OpenWrite("Debug.txt");
  ASSERT_NE(f, 0);
  CloseFile(f);
  EXPECT_EQ(FileType(Path("Files/Debug.txt")), PATH_FILE);
  ASSERT_TRUE(ChangeDir(start));
}

TEST_F(Files, AppDirIsTheFolderOfTheRunningProgram) {
  std::string app = AppDir();
  ASSERT_FALSE(app.empty());
  EXPECT_EQ(FileType(app), PATH_FOLDER);
  // This test program lies directly in it.
  const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(exe.rfind('/'), app.size());
  EXPECT_EQ(exe.compare(0, app.size(), app), 0);
}
