// Line reading and the text helpers every reader applies to a line: no byte of the file is lost
// or invented, a capped read keeps the head of the full line, and numbers clamp, never overflow.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "common/field.h"
#include "fuzz_file.h"
#include "media/media.h"

namespace {

std::vector<std::string> ReadAllLines(const std::string& path, size_t cap) {
  std::vector<std::string> lines;
  const int in = OpenRead(path);
  fuzz::Check(in != 0, "a written file opens");
  while (!Eof(in)) lines.push_back(cap ? ReadLine(in, cap) : ReadLine(in));
  fuzz::Check(CloseFile(in), "a read closes");
  return lines;
}

void CheckNumbers(const std::string& text) {
  const int64_t wide = ToLong(text);
  const int narrow = ToInt(text);
  fuzz::Check(narrow == std::clamp<int64_t>(wide, INT_MIN, INT_MAX), "ToInt is ToLong clamped");
  fuzz::Check(ToLong(IntText(wide)) == wide, "IntText reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::PutFile("lines.txt", data, size);
  const std::vector<std::string> full = ReadAllLines(path, 0);
  const std::vector<std::string> capped = ReadAllLines(path, 16);

  // Every byte is in a line, or is a dropped carriage return, or ends a line.
  size_t ends = 0, returns = 0, kept = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\r') ++returns;
    if (data[i] == '\n' || data[i] == 0) ++ends;
  }
  for (const std::string& line : full) {
    kept += line.size();
    fuzz::Check(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos, "no separator in a line");
  }
  fuzz::Check(kept + returns + ends == size, "line bytes add up to the file");
  fuzz::Check(full.size() == capped.size(), "a capped read sees the same lines");
  for (size_t i = 0; i < full.size(); ++i)
    fuzz::Check(capped[i] == full[i].substr(0, 16), "a capped line is the head of the line");

  for (const std::string& line : full) {
    const std::string trimmed = Trim(line);
    fuzz::Check(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > 32 &&
                                    static_cast<unsigned char>(trimmed.back()) > 32),
                "Trim leaves no blank at the ends");
    CheckNumbers(line);
    for (int n = 1; n <= 9; ++n) {
      const std::string field = Field(line, "|", n);
      fuzz::Check(field == FIELD_MISSING || trimmed.find(field) != std::string::npos, "a field is part of its line");
      CheckNumbers(field);
    }
    (void)Field(line, "=", 2, 1);
    (void)Upper(line);
  }
  return 0;
}
