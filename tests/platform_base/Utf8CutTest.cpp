#include <gtest/gtest.h>

#include "platform/base/Utf.h"

TEST(Utf8Cut, CutAtCharBoundaryNeverSplitsACharacter)
{
  struct Case {
    std::string text;
    std::size_t maxBytes;
    std::size_t expected;
  } cases[] = {
      {"abc", 5, 3},
      {"abc", 0, 0},
      {"a\xC3\xA9", 2, 1},                  // é would be split
      {"a\xC3\xA9", 3, 3},
      {"a\xE2\x82\xAC" "b", 3, 1},         // inside €
      {"a\xE2\x82\xAC" "b", 4, 4},
      {"\xF0\x9F\x98\x80", 3, 0},           // a four-byte character
  };
  for (const auto& c : cases)
    EXPECT_EQ(CutAtCharBoundary(c.text, c.maxBytes), c.text.substr(0, c.expected)) << c.text << " " << c.maxBytes;
}

TEST(Utf8Cut, WithoutPartialLastCharDropsOnlyACharacterCutShort)
{
  struct Case {
    std::string text;
    std::size_t expected;
  } cases[] = {
      {"", 0},
      {"ab", 2},
      {"a\xC3\xA9", 3},          // whole é
      {"a\xC3", 1},              // é lost its second byte
      {"a\xE2\x82", 1},          // € cut short
      {"a\xE2\x82\xAC", 4},
      {"a\xF0\x9F\x98", 1},
      {"a\x80", 2},              // a stray continuation byte is no cut character
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithoutPartialLastChar(c.text), c.text.substr(0, c.expected)) << c.text;
}
