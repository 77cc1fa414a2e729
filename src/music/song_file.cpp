// Song file reading and the note letter table.
#include "music/song_file.h"

#include <cctype>

#include "media/media.h"
#include "music/song_state.h"

namespace {

const char* const HEADERS[SECTIONS] = {"[DRUMS", "[CHORDS", "[BASS", "[MELODY", "[ACCOMPANY"};

// Lines read from one file at most: a file that never ends (a device, a runaway generator) stops
// here instead of keeping the game loading.
constexpr int MAX_FILE_LINES = 4 * 1024 * 1024;
// Songs are a few kilobytes; reading a file beyond this would hold the game for seconds.
constexpr int64_t MAX_SONG_FILE_BYTES = int64_t{64} << 20;

// Two octaves of a piano laid out on a computer keyboard: each letter a semitone.
struct NoteKey {
  char letter;
  float ratio;
};
constexpr NoteKey NOTE_KEYS[] = {
    {'z', 0.0f},    {'s', 0.5295f}, {'x', 0.561f}, {'d', 0.5945f}, {'c', 0.63f},   {'v', 0.6675f},
    {'g', 0.707f},  {'b', 0.749f},  {'h', 0.7935f}, {'n', 0.841f}, {'j', 0.891f},  {'m', 0.944f},
    {'q', 1.0f},    {'2', 1.059f},  {'w', 1.122f}, {'3', 1.189f},  {'e', 1.26f},   {'r', 1.335f},
    {'5', 1.414f},  {'t', 1.498f},  {'6', 1.587f}, {'y', 1.682f},  {'7', 1.782f},  {'u', 1.888f},
    {'i', 2.0f},    {'9', 2.118f},  {'o', 2.244f}, {'0', 2.378f},  {'p', 2.52f},   {'[', 2.67f},
    {'=', 2.828f},  {']', 2.996f},
};

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The mode named at the end of an upper-cased STRETCH line, or `old` for any other word.
int StretchMode(const std::string& upper, int old) {
  if (EndsWith(upper, "FALSE")) return STRETCH_FALSE;
  if (EndsWith(upper, "RANDOM")) return STRETCH_RANDOM;
  if (EndsWith(upper, "RANDOM+")) return STRETCH_RANDOM_PLUS;
  if (EndsWith(upper, "DOUBLE")) return STRETCH_DOUBLE;
  return old;
}

std::string SongPath(const std::string& name) { return "music/" + name + ".ini"; }

}  // namespace

float NoteRatio(char letter) {
  const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (const NoteKey& k : NOTE_KEYS)
    if (k.letter == c) return k.ratio;
  return 0.0f;
}

float NoteRatio(const std::string& letter) { return letter.empty() ? 0.0f : NoteRatio(letter[0]); }

bool SongFileExists(const std::string& name) { return FileType(SongPath(name)) == PATH_FILE; }

void ReadSong(const std::string& name) {
  SongStateData& song = SongState();
  for (SongSection& s : song.sections) {
    for (int i = 1; i <= s.count; ++i) s.lines[i].clear();
    s.count = 0;
    s.stretch = STRETCH_NONE;
  }
  if (!SongFileExists(name)) {
    LoadFailed(SongPath(name));  // silence, and the log says why
    return;
  }
  // Far beyond any song: refused unread, like a damaged file.
  if (FileSize(SongPath(name)) > MAX_SONG_FILE_BYTES) {
    LoadFailed(SongPath(name));
    return;
  }
  const int stream = OpenRead(SongPath(name));
  if (stream == 0) return;
  SongSection* current = nullptr;
  for (int read = 0; read < MAX_FILE_LINES && !Eof(stream); ++read) {
    const std::string line = Trim(ReadLine(stream, MAX_SONG_LINE_CHARS));
    if (line.empty()) continue;
    const std::string upper = Upper(line);
    if (line[0] == '[') {
      const std::string header = Replace(upper, "]", "");
      for (int i = 0; i < SECTIONS; ++i)
        if (header == HEADERS[i]) current = &song.sections[i];
    } else if (current && upper.compare(0, 7, "STRETCH") == 0) {
      current->stretch = StretchMode(upper, current->stretch);
    } else if (current && line[0] == '"') {
      if (current->count < MAX_SONG_LINES) current->lines[++current->count] = Replace(line, "\"", "");
    }
  }
  CloseFile(stream);
  // Not a line of any section: noise, or an empty file, in a song's place.
  bool any = false;
  for (const SongSection& s : song.sections) any = any || s.count > 0;
  if (!any) LoadFailed(SongPath(name));
}
