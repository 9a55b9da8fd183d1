#include <gtest/gtest.h>

#include "api/WordHelpers.h"

TEST(WordHelpers, StrReplaceAll)
{
  struct Case {
    const char* text;
    const char* oldText;
    const char* newText;
    const char* expected;
  } cases[] = {
      {"aaa", "aa", "b", "ba"},             // left to right, no overlap
      {"aa", "a", "aa", "aaaa"},            // the replacement is never searched again
      {"abc", "", "x", "abc"},              // an empty search text is never found
      {"a:)b:)", ":)", "<IMG>", "a<IMG>b<IMG>"},
      {"Abc", "a", "x", "Abc"},             // case-sensitive
      {"", "a", "b", ""},
      {"abc", "abc", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StrReplaceAll(c.text, c.oldText, c.newText), c.expected) << c.text << " / " << c.oldText;
}

TEST(WordHelpers, NthWordAndItsPosition)
{
  const TWordDelimiters semicolon{';'};
  struct Case {
    int n;
    const char* text;
    int position;
    const char* word;
  } cases[] = {
      {1, "0;2;5", 1, "0"},
      {3, "0;2;5", 5, "5"},
      {2, "0;;5;7", 4, "5"},  // a run of delimiters is one separator
      {3, "0;;5;7", 6, "7"},
      {4, "0;;5;7", 0, ""},   // fewer words
      {1, ";;abc", 3, "abc"},  // leading delimiters are skipped
      {1, ";;;", 0, ""},       // delimiters only: no word
      {1, "", 0, ""},
      {0, "a;b", 0, ""},
      {-1, "a;b", 0, ""},
      {2, "-1;22;333", 4, "22"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NthWordPos(c.n, c.text, semicolon), c.position) << c.n << " of " << c.text;
    EXPECT_EQ(NthWord(c.n, c.text, semicolon), c.word) << c.n << " of " << c.text;
  }
}

TEST(WordHelpers, DelimiterSetsTakeAnyByte)
{
  const TWordDelimiters tabs{'\t'};
  EXPECT_EQ(NthWord(3, ":)\tsourire\tsmile.gif", tabs), "smile.gif");
  EXPECT_EQ(NthWord(2, "a b\tc", tabs), "c");  // a blank is no delimiter here

  const TWordDelimiters high{0xE9, ' '};
  EXPECT_EQ(NthWord(2, "caf\xE9 au lait", high), "au");
}
