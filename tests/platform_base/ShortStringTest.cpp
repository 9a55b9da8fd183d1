#include <gtest/gtest.h>

#include "platform/base/ShortString.h"

TEST(ShortString, CutsAtTheLastWholeCharacter)
{
  struct Case {
    std::string text;
    std::size_t expectedLength;
  } cases[] = {
      {std::string(255, 'a'), 255},
      {std::string(300, 'a'), 255},
      {std::string(254, 'a') + "é", 254},           // é is two bytes: it would end at 256
      {std::string(253, 'a') + "é", 255},           // fits exactly
      {std::string(253, 'a') + "€", 253},           // € is three bytes
      {std::string(252, 'a') + "€", 255},
      {std::string(252, 'a') + "\xF0\x9F\x98\x80", 252},  // a four-byte character
      {"", 0},
  };
  for (const auto& c : cases) {
    ShortString s(c.text);
    EXPECT_EQ(s.Length, c.expectedLength) << c.text.size();
    EXPECT_EQ(s.str(), c.text.substr(0, c.expectedLength));
  }
}
