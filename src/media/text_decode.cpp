// Typed text arrives as UTF-8; the game's character queue holds Latin-1 codes.
#include <cstdint>

#include "media/platform.h"

std::vector<int> Latin1FromUtf8(const std::string& utf8) {
  std::vector<int> out;
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int length = 0;
    uint32_t cp = 0;
    if (lead < 0x80) {
      length = 1;
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      cp = lead & 0x07u;
    } else {
      ++i;  // a stray continuation byte or an invalid lead
      continue;
    }
    size_t k = 1;
    for (; k < static_cast<size_t>(length) && i + k < n; ++k) {
      const unsigned char c = static_cast<unsigned char>(utf8[i + k]);
      if ((c & 0xC0) != 0x80) break;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if (k < static_cast<size_t>(length)) {
      i += k;  // truncated sequence: drop it, resume at the byte that broke it
      continue;
    }
    i += k;
    // Overlong forms of ASCII would smuggle control characters in; only shortest forms count.
    const bool overlong = (length == 2 && cp < 0x80) || (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (!overlong && cp >= 1 && cp <= 255) out.push_back(static_cast<int>(cp));
  }
  return out;
}
