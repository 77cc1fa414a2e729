// Reading level solutions.
#include "game/solution_file.h"

#include <cctype>
#include <sstream>

#include "input/input.h"
#include "media/media.h"

namespace {

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Numbers are small and whole; anything else (signs, overflow, text) is refused.
bool ReadCount(const std::string& s, int& v) {
  if (!AllDigits(s) || s.size() > 7) return false;
  v = std::stoi(s);
  return true;
}

bool ParseEvent(const std::string& line, SolutionEvent& ev) {
  std::istringstream in(line);
  std::string frame, verb, x, y, extra;
  in >> frame >> verb;
  if (!ReadCount(frame, ev.frame)) return false;
  if (verb == "move") {
    ev.kind = SolutionEvent::MOVE;
    in >> x >> y;
    if (!ReadCount(x, ev.x) || !ReadCount(y, ev.y)) return false;
  } else if (verb == "press") {
    ev.kind = SolutionEvent::PRESS;
  } else if (verb == "release") {
    ev.kind = SolutionEvent::RELEASE;
  } else if (verb == "key") {
    // The name may hold blanks ("Page Up"): it is everything up to the last word.
    std::string rest;
    std::getline(in, rest);
    rest = Trim(rest);
    const size_t cut = rest.find_last_of(' ');
    if (cut == std::string::npos) return false;
    const std::string state = rest.substr(cut + 1);
    if (state != "down" && state != "up") return false;
    ev.kind = SolutionEvent::KEY;
    ev.down = state == "down";
    ev.key = KeyCodeNamed(Trim(rest.substr(0, cut)));
    return ev.key != 0;
  } else {
    return false;
  }
  return !(in >> extra);
}

}  // namespace

int KeyCodeNamed(const std::string& name) {
  if (name.empty()) return 0;
  for (int code = 1; code <= 255; ++code)
    if (KeyName(code) == name) return code;
  return 0;
}

bool SolutionLevel(const std::string& path, std::string& levelName, int& level) {
  std::string name = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
  const std::string ext = ".solution";
  if (name.size() <= ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0) return false;
  name.resize(name.size() - ext.size());
  const size_t cut = name.find('_');
  if (cut == std::string::npos || !ReadCount(name.substr(cut + 1), level) || level < 1) return false;
  const std::string mode = Lower(name.substr(0, cut));
  if (mode == "soft") levelName = "Soft";
  else if (mode == "hard") levelName = "Hard";
  else return false;
  return true;
}

bool ReadSolution(const std::string& path, Solution& out, std::string& error) {
  out = Solution();
  if (!SolutionLevel(path, out.levelName, out.level)) {
    error = path + ": the name does not say the level (soft_1.solution)";
    return false;
  }
  const int in = OpenRead(path);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  int lineNo = 0;
  bool ok = true;
  while (ok && !Eof(in)) {
    const std::string line = Trim(ReadLine(in));
    ++lineNo;
    if (line.empty() || line[0] == ';') continue;
    SolutionEvent ev;
    if (!ParseEvent(line, ev)) {
      error = path + ":" + std::to_string(lineNo) + ": not an event: " + line;
      ok = false;
    } else if (!out.events.empty() && ev.frame < out.events.back().frame) {
      error = path + ":" + std::to_string(lineNo) + ": frame before the previous event's";
      ok = false;
    } else {
      out.events.push_back(ev);
    }
  }
  CloseFile(in);
  return ok;
}
