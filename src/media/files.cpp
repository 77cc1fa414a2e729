// Files and folders: byte streams as handles (ObjectKind::STREAM) and the path operations.
// Streams read lines for Setup.ini, scores.dat, the song files and write the log; a replacing
// stream writes the settings and the scores so that no crash leaves a truncated file.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "media/file_error.h"
#include "media/internal.h"

namespace {

enum class StreamMode { READ, WRITE, REPLACE };

struct Stream final : MediaObject {
  FILE* file = nullptr;
  StreamMode mode = StreamMode::READ;
  std::string target;  // REPLACE: the file that CloseFile replaces
  std::string temp;    // REPLACE: the temporary file written meanwhile
  bool failed = false;  // a write went wrong
  int writeErrno = 0;   // and why

  ObjectKind Kind() const override { return ObjectKind::STREAM; }
  // A stream dropped without CloseFile (shutdown) closes quietly; an unfinished replacement is
  // abandoned so the old file stays.
  ~Stream() override {
    if (file) std::fclose(file);
    if (mode == StreamMode::REPLACE && !temp.empty()) ::unlink(temp.c_str());
  }
};

// Why the last replacing write failed, for the log.
std::string lastError;

void NoteFailure(const char* step, int err) { lastError = std::string(step) + ": " + std::strerror(err); }

Stream* GetStream(int handle) { return Lookup<Stream>(handle, ObjectKind::STREAM); }

int Register(FILE* file, StreamMode mode, std::string target = {}, std::string temp = {}) {
  auto s = std::make_unique<Stream>();
  s->file = file;
  s->mode = mode;
  s->target = std::move(target);
  s->temp = std::move(temp);
  return RegisterObject(std::move(s));
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder entry of a rename survive a power cut; failure here is not worth reporting.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes the replacement out and puts it in place; on any failure the temporary file goes and
// the target is untouched.
bool FinishReplace(Stream& s) {
  bool ok = true;
  if (s.failed || std::fflush(s.file) != 0 || std::ferror(s.file)) {
    NoteFailure("write", s.failed ? s.writeErrno : errno);
    ok = false;
  }
  if (::fsync(fileno(s.file)) != 0 && ok) {
    NoteFailure("sync", errno);
    ok = false;
  }
  if (std::fclose(s.file) != 0 && ok) {
    NoteFailure("close", errno);
    ok = false;
  }
  s.file = nullptr;
  if (ok && ::rename(s.temp.c_str(), s.target.c_str()) != 0) {
    NoteFailure("rename", errno);
    ok = false;
  }
  if (ok) {
    SyncFolder(FolderOf(s.target));
    s.temp.clear();  // now the target: the destructor must not remove it
  }
  return ok;
}

// Temporary files are named "<target>.tmp<pid>_<n>". One whose writer is gone was left by a crash
// or a kill: it is removed so that crashes do not pile files up beside the settings and scores.
std::string TempPrefix(const std::string& target, pid_t pid) {
  return target + ".tmp" + std::to_string(pid) + "_";
}

void RemoveAbandonedTemps(const std::string& target) {
  std::string folder = FolderOf(target);
  std::string base = target.substr(target.find_last_of('/') + 1);  // npos + 1 is 0
  std::string stem = base + ".tmp";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.compare(0, stem.size(), stem) != 0) continue;
    size_t i = stem.size(), digits = 0;
    pid_t pid = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && digits < 9; ++i, ++digits)
      pid = pid * 10 + (name[i] - '0');
    if (digits == 0 || i >= name.size() || name[i] != '_' || pid == ::getpid()) continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;  // its writer may still be at work
    ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Streams
// ---------------------------------------------------------------------------------------------
int OpenRead(const std::string& path) {
  // Non-blocking so that a FIFO or a device cannot stall the open; only plain files are read.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return 0;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE* f = ::fdopen(fd, "rb");
  if (!f) {
    ::close(fd);
    return 0;
  }
  return Register(f, StreamMode::READ);
}

int OpenWrite(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wbe");
  return f ? Register(f, StreamMode::WRITE) : 0;
}

int OpenReplace(const std::string& path) {
  if (path.empty() || path.back() == '/') {
    NoteFailure("open", EINVAL);
    return 0;
  }
  // A unique name in the same folder, so the final rename never crosses file systems; 0666 under
  // the umask gives the permissions a freshly created file would get.
  RemoveAbandonedTemps(path);
  static unsigned counter = 0;
  std::string prefix = TempPrefix(path, ::getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = prefix + std::to_string(counter++);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      NoteFailure("create", errno);
      return 0;
    }
    FILE* f = ::fdopen(fd, "wb");
    if (!f) {
      NoteFailure("create", errno);
      ::close(fd);
      ::unlink(temp.c_str());
      return 0;
    }
    return Register(f, StreamMode::REPLACE, path, temp);
  }
  NoteFailure("create", EEXIST);
  return 0;
}

std::string ReplaceError() { return lastError; }

std::string ReadLine(int stream) {
  Stream* s = GetStream(stream);
  std::string line;
  if (!s || s->mode != StreamMode::READ) return line;
  for (int c; (c = getc_unlocked(s->file)) != EOF;) {
    if (c == '\n' || c == 0) break;
    if (c != '\r') line.push_back(static_cast<char>(c));
  }
  return line;
}

std::string ReadLine(int stream, size_t maxKept) {
  Stream* s = GetStream(stream);
  std::string line;
  if (!s || s->mode != StreamMode::READ) return line;
  for (int c; (c = getc_unlocked(s->file)) != EOF;) {
    if (c == '\n' || c == 0) break;
    if (c != '\r' && line.size() < maxKept) line.push_back(static_cast<char>(c));
  }
  return line;
}

void WriteLine(int stream, const std::string& text) {
  Stream* s = GetStream(stream);
  if (!s || s->mode == StreamMode::READ) return;
  if (std::fwrite(text.data(), 1, text.size(), s->file) != text.size() ||
      std::fwrite("\r\n", 1, 2, s->file) != 2) {
    if (!s->failed) s->writeErrno = errno;
    s->failed = true;
  }
  // The log is flushed line by line so that it tells what happened up to a crash.
  if (s->mode == StreamMode::WRITE && std::fflush(s->file) != 0) s->failed = true;
}

// True at the end of a reading stream; also true for anything that cannot be read, so that a
// read-until-end loop always ends.
bool Eof(int stream) {
  Stream* s = GetStream(stream);
  if (!s || s->mode != StreamMode::READ) return true;
  int c = getc_unlocked(s->file);
  if (c == EOF) return true;
  ungetc(c, s->file);
  return false;
}

bool CloseFile(int stream) {
  Stream* s = GetStream(stream);
  if (!s) return false;
  bool ok = true;
  if (s->mode == StreamMode::REPLACE) {
    ok = FinishReplace(*s);
  } else if (s->file) {
    ok = !s->failed && std::fclose(s->file) == 0;
    s->file = nullptr;
  }
  ReleaseObject(stream);
  return ok;
}

// ---------------------------------------------------------------------------------------------
// Paths and folders
// ---------------------------------------------------------------------------------------------
int FileType(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return PATH_NONE;
  return S_ISDIR(st.st_mode) ? PATH_FOLDER : PATH_FILE;
}

bool DeleteFile(const std::string& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

int64_t FileSize(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool RenameFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  // A hard link cannot replace anything: the new name either appears whole or not at all.
  if (::link(from.c_str(), to.c_str()) == 0) {
    if (::unlink(from.c_str()) == 0) return true;
    ::unlink(to.c_str());
    return false;
  }
  if (errno == EEXIST) return false;
  // A file system without hard links: looked at first, then renamed.
  struct stat st {};
  return ::lstat(to.c_str(), &st) != 0 && errno == ENOENT && ::rename(from.c_str(), to.c_str()) == 0;
}

std::string CurrentDir() {
  std::vector<char> buf(PATH_MAX);
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE || buf.size() > (1u << 20)) return {};
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

bool ChangeDir(const std::string& path) { return !path.empty() && ::chdir(path.c_str()) == 0; }

std::vector<std::string> ReadDir(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string AppDir() {
  std::vector<char> buf(PATH_MAX);
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (n <= 0 || static_cast<size_t>(n) >= buf.size()) return CurrentDir();
  return FolderOf(std::string(buf.data(), static_cast<size_t>(n)));
}

bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
    const std::string part = path.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (at == std::string::npos) break;
  }
  return FileType(path) == PATH_FOLDER;
}

bool FolderWritable(const std::string& path) {
  return FileType(path) == PATH_FOLDER && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  const passwd* pw = ::getpwuid(::getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "";
}
