// Field splitting, with the reading rules that Setup.ini and scores.dat depend on: a field past the
// last separator is the missing marker, and a text without separators answers field 2 whole.
#include "common/field.h"
#include "media/media.h"

std::string Field(const std::string& text, const std::string& sep, int n, int spaceToo) {
  const std::string s = Trim(text);
  int start = 1, prev = 0;
  for (int i = 1; i < n; ++i) {
    const int p = Find(s, sep, start) + 1;
    // Once missing, the answer is the marker whatever follows; stopping also bounds the loop for
    // absurd field numbers.
    if (p <= prev) return FIELD_MISSING;
    prev = p;
    if (spaceToo == 1) {
      const int blank = Find(s, " ", start);
      if (blank > 0 && blank + 1 < prev) prev = blank + 1;
    }
    start = prev;
  }
  int length = Find(s, sep, start) - start;
  if (spaceToo == 1) {
    const int blank = Find(s, " ", start);
    if (blank > 0 && blank - start < length) length = blank - start;
  }
  return Mid(s, start, length);
}
