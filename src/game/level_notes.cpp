// The level notes: titles, pars and instruction-box hints read from the shipped level sources.
#include "game/level_notes.h"

#include <fstream>
#include <sstream>

#include "common/folders.h"

namespace {

std::vector<LevelNote> CurrentNotes;

std::string Trimmed(const std::string& text) {
  const size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string::npos) return "";
  const size_t end = text.find_last_not_of(" \t\r");
  return text.substr(start, end - start + 1);
}

// Keeps a damaged file's absurdly long line from reaching the text drawing whole.
std::string Capped(const std::string& text) { return text.substr(0, MAX_NOTE_CHARS); }

// "level 3: the title" or "level the title": what follows the level's number and colon.
std::string TitleOf(const std::string& rest) {
  std::string t = Trimmed(rest);
  const size_t colon = t.find(':');
  if (colon != std::string::npos && t.find_first_not_of("0123456789 ") == colon) t = t.substr(colon + 1);
  return Capped(Trimmed(t));
}

}  // namespace

bool ReadLevelNotes(const std::string& path, std::vector<LevelNote>& out) {
  out.clear();
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string first, rest;
    if (!(words >> first) || first[0] == ';') continue;
    std::getline(words, rest);
    if (first == "level") {
      out.emplace_back();
      out.back().title = TitleOf(rest);
    } else if (out.empty()) {
      continue;
    } else if (first == "par" && !out.back().par.set) {
      ParsePar(rest, out.back().par);
    } else if (first == "hint" && out.back().hint.size() < MAX_HINT_LINES) {
      out.back().hint.push_back(Capped(Trimmed(rest)));
    }
  }
  return true;
}

void LoadLevelNotes(const std::string& name) {
  if (!ReadLevelNotes(FilesPath("../Plonko_Levels/" + name + ".txt"), CurrentNotes)) CurrentNotes.clear();
}

const LevelNote& NoteOf(int level) {
  static const LevelNote none;
  if (level < 1 || level > static_cast<int>(CurrentNotes.size())) return none;
  return CurrentNotes[static_cast<size_t>(level - 1)];
}
