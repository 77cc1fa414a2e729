// Typed text: UTF-8 from the window system to the Latin-1 character queue.
#include <gtest/gtest.h>

#include "media/platform.h"

namespace {

TEST(TextDecode, Utf8BecomesLatin1AndOthersAreDropped) {
  struct Case {
    std::string utf8;
    std::vector<int> chars;
  };
  const Case cases[] = {
      // UTF-8 text                        Latin-1 codes
      {"abc", {97, 98, 99}},
      {"", {}},
      {"\xC3\xA9", {233}},                           // é
      {"\xC3\xBF\xC2\xA0", {255, 160}},              // ÿ, no-break space
      {"a\xE2\x82\xAC" "b", {97, 98}},               // € lies beyond Latin-1
      {"\xF0\x9F\x98\x80!", {33}},                   // an emoji, then !
      {"\xC0\x8D" "x", {120}},                       // overlong carriage return
      {"\x80\xBFq", {113}},                          // stray continuation bytes
      {"\xC3", {}},                                  // cut-off sequence at the end
      {"\xC3" "z", {122}},                           // cut-off sequence before a letter
      {"\xFF\xFE" "k", {107}},                       // bytes that never start a sequence
  };
  for (const Case& c : cases) EXPECT_EQ(Latin1FromUtf8(c.utf8), c.chars) << c.utf8;
}

}  // namespace
