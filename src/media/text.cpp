// Text helpers. Positions count from 1; every argument out of range gives the clipped result
// (an empty string at worst), never a crash. Bytes are characters: no encoding is assumed.
#include <cstdint>
#include <limits>
#include <string>

#include "media/media.h"

namespace {

// Control characters and the blank: what Trim drops and what number reading skips.
bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

// The part of s from 0-based `from` (may be negative) of length n, clipped to s.
std::string Clip(const std::string& s, int64_t from, int64_t n) {
  int64_t len = static_cast<int64_t>(s.size());
  int64_t end = n > len - from ? len : from + n;  // from + n could pass any bound
  if (from < 0) from = 0;
  if (end <= from) return {};
  return s.substr(static_cast<size_t>(from), static_cast<size_t>(end - from));
}

}  // namespace

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string Left(const std::string& s, int n) { return Clip(s, 0, n); }

std::string Right(const std::string& s, int n) {
  if (n <= 0) return {};
  return Clip(s, static_cast<int64_t>(s.size()) - n, n);
}

std::string Mid(const std::string& s, int pos, int n) {
  if (n < 0) return Clip(s, int64_t{pos} - 1, std::numeric_limits<int64_t>::max() / 2);
  return Clip(s, int64_t{pos} - 1, n);
}

int Find(const std::string& s, const std::string& sub, int start) {
  if (start < 1) start = 1;
  if (static_cast<size_t>(start) - 1 > s.size()) return 0;
  size_t at = s.find(sub, static_cast<size_t>(start) - 1);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Replace(const std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return s;
  std::string out;
  size_t at = 0;
  for (size_t hit; (hit = s.find(from, at)) != std::string::npos; at = hit + from.size()) {
    out.append(s, at, hit - at);
    out += to;
  }
  out.append(s, at, std::string::npos);
  return out;
}

int64_t ToLong(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  // The magnitude saturates one past INT64_MAX, which is exactly -INT64_MIN.
  constexpr uint64_t LIMIT = uint64_t{1} << 63;
  uint64_t mag = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    uint64_t digit = static_cast<uint64_t>(s[i] - '0');
    mag = mag > (LIMIT - digit) / 10 ? LIMIT : mag * 10 + digit;
  }
  if (negative) return mag == LIMIT ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(mag);
  return mag == LIMIT ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(mag);
}

int ToInt(const std::string& s) {
  int64_t v = ToLong(s);
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

std::string IntText(int64_t n) { return std::to_string(n); }
