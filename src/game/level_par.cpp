// Par lines of the level sources.
#include "game/level_par.h"

#include <fstream>
#include <sstream>

namespace {

bool Count(const std::string& text, int& out) {
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::stoi(text);
  return true;
}

}  // namespace

bool ParsePar(const std::string& items, LevelPar& out) {
  std::istringstream words(items);
  std::string item;
  bool hats = false, actions = false;
  out = LevelPar{};
  while (words >> item) {
    const size_t eq = item.find('=');
    if (eq == std::string::npos) return false;
    const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
    bool& seen = key == "hats" ? hats : actions;
    if ((key != "hats" && key != "actions") || seen) return false;
    if (!Count(value, key == "hats" ? out.hats : out.actions)) return false;
    seen = true;
  }
  out.set = hats && actions;
  return out.set;
}

bool ReadLevelPars(const std::string& path, std::vector<LevelPar>& out, std::string& error) {
  out.clear();
  std::ifstream in(path);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first[0] == ';') continue;
    if (first == "level") out.emplace_back();
    if (first != "par") continue;
    const std::string where = path + ":" + std::to_string(number) + ": ";
    if (out.empty() || out.back().set) {
      error = where + (out.empty() ? "par before any level" : "a second par for one level");
      return false;
    }
    std::string rest;
    std::getline(words, rest);
    if (!ParsePar(rest, out.back())) {
      error = where + "par is \"hats=<n> actions=<n>\"";
      return false;
    }
  }
  return true;
}
