// A text file as lines, each line ending dropped (CR LF or LF): how the tests read what the game
// wrote (Debug.txt, Setup.ini, scores.dat).
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline std::vector<std::string> FileLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}
