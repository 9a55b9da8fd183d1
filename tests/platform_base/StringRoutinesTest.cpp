#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/base/AnsiStrings.h"
#include "platform/base/PCharRoutines.h"
#include "platform/base/StringRoutines.h"
#include "platform/base/WideStrings.h"
#include "platform/base/detail/Collation.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

TEST(AnsiStrings, CaseOfAccentedLetters)
{
  EXPECT_EQ(AnsiUpperCase("élève à Noël"), "ÉLÈVE À NOËL");
  EXPECT_EQ(AnsiLowerCase("ÇA ÉTÉ"), "ça été");
  EXPECT_EQ(AnsiUpperCase("a\xFF" "b"), "A\xFF" "B");  // ill-formed bytes pass unchanged
  EXPECT_EQ(UpperCase("élève"), "éLèVE");               // the ASCII form leaves é alone
  EXPECT_EQ(WideUpperCase(u"élève"), u"ÉLÈVE");
}

TEST(AnsiStrings, ComparisonsFollowTheFrenchLocale)
{
  struct Case {
    const char* a;
    const char* b;
    int text;  // AnsiCompareText
    int str;   // AnsiCompareStr
  } cases[] = {
      {"École", "ÉCOLE", 0, -1},   // case only: lower before upper
      {"été", "ETE", 1, 1},        // an accent outweighs case
      {"élan", "Fable", -1, -1},   // é sorts with e, before f
      {"côte", "cote", 1, 1},
      {"a", "B", -1, -1},          // unlike the byte order
      {"abc", "ab", 1, 1},
      {"", "", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sign(AnsiCompareText(c.a, c.b)), c.text) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(AnsiCompareText(c.b, c.a)), -c.text) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(AnsiCompareStr(c.a, c.b)), c.str) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(WideCompareText(UTF8Decode(c.a), UTF8Decode(c.b))), c.text) << c.a << " / " << c.b;
  }
  EXPECT_TRUE(AnsiSameText("ÇA", "ça"));
  EXPECT_FALSE(AnsiSameText("ca", "ça"));
  EXPECT_GT(CompareStr("a", "B"), 0);  // byte order
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_FALSE(SameText("é", "É"));  // ASCII letters only
}

// Texts of ASCII bytes only are compared in place, without widening: the
// order must be the one of the full collation.
TEST(AnsiStrings, AsciiTextsCompareAsTheFullCollationDoes)
{
  const char* texts[] = {"", "a", "A", "b", "B", "ab", "aB", "Ab", "AB", "abc", "a_b", "a[b", "a`b",
                         "C:\\Config\\sourire.gif", "c:\\config\\SOURIRE.GIF", "~", "Z", "z0", "z/"};
  auto wide = [](std::string_view s) { return std::u32string(s.begin(), s.end()); };
  for (const char* a : texts)
    for (const char* b : texts) {
      EXPECT_EQ(Sign(AnsiCompareText(a, b)), corvane::detail::Collate(wide(a), wide(b), true)) << a << " / " << b;
      EXPECT_EQ(Sign(AnsiCompareStr(a, b)), corvane::detail::Collate(wide(a), wide(b), false)) << a << " / " << b;
    }
}

TEST(AnsiStrings, SortingGroupsAccentedWordsWithTheirLetter)
{
  std::vector<std::string> words = {"zèbre", "Eté", "été", "ete", "Abeille", "étude", "abeille"};
  std::sort(words.begin(), words.end(), [](auto& a, auto& b) { return AnsiCompareStr(a, b) < 0; });
  EXPECT_EQ(words, (std::vector<std::string>{"abeille", "Abeille", "ete", "Eté", "été", "étude", "zèbre"}));
}

TEST(StringRoutines, PositionsAndCopiesCountFromOne)
{
  EXPECT_EQ(Pos("lo", "hello lo"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Pos("", "hello"), 0);
  struct Case {
    int index, count;
    const char* expected;
  } copies[] = {{1, 3, "hel"}, {0, 2, "he"}, {4, 100, "lo"}, {6, 1, ""}, {2, -1, ""}, {-5, 1, "h"}};
  for (const auto& c : copies)
    EXPECT_EQ(Copy("hello", c.index, c.count), c.expected) << c.index << "," << c.count;
  std::string s = "hello";
  Delete(s, 2, 2);
  EXPECT_EQ(s, "hlo");
  Delete(s, 9, 1);
  EXPECT_EQ(s, "hlo");
  Insert("el", s, 2);
  EXPECT_EQ(s, "hello");
}

TEST(StringRoutines, TrimsBlanksAndControls)
{
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x \n"), "  x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(" é "), "é");  // bytes of a UTF-8 character are not blanks
}

TEST(StringRoutines, StringReplaceFlags)
{
  struct Case {
    const char* s;
    const char* from;
    const char* to;
    TReplaceFlags flags;
    const char* expected;
  } cases[] = {
      {"a-b-c", "-", "+", {}, "a+b-c"},
      {"a-b-c", "-", "+", {rfReplaceAll}, "a+b+c"},
      {"Été été", "été", "x", {rfReplaceAll}, "Été x"},
      {"Été été", "ÉTÉ", "x", {rfReplaceAll, rfIgnoreCase}, "x x"},
      {"aaa", "aa", "b", {rfReplaceAll}, "ba"},
      {"abc", "", "x", {rfReplaceAll}, "abc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected) << c.s;
}

TEST(StringRoutines, QuotingRoundTrips)
{
  EXPECT_EQ(QuotedStr("l'été"), "'l''été'");
  EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
  const char* p = "\"a\"\"b\",rest";
  EXPECT_EQ(AnsiExtractQuotedStr(p, '"'), "a\"b");
  EXPECT_STREQ(p, ",rest");
  const char* open = "'unclosed";
  EXPECT_EQ(AnsiExtractQuotedStr(open, '\''), "unclosed");
  EXPECT_EQ(*open, 0);
  EXPECT_EQ(AnsiDequotedStr("'x''y'", '\''), "x'y");
  EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('-', -1), "");
}

TEST(PCharRoutines, AllocatedTextKnowsItsSize)
{
  char* copy = StrNew("Moi");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "Moi");
  EXPECT_EQ(StrBufSize(copy), 4u);
  EXPECT_EQ(StrNew(""), nullptr);
  StrDispose(copy);
  StrDispose(nullptr);

  char* buffer = StrAlloc(8);
  EXPECT_EQ(StrLen(buffer), 0u);
  StrLCopy(buffer, "abcdefghij", 7);
  EXPECT_STREQ(buffer, "abcdefg");
  StrPCopy(buffer, "ab");
  StrCat(buffer, "cab");
  EXPECT_STREQ(buffer, "abcab");
  EXPECT_EQ(StrScan(buffer, 'b'), buffer + 1);
  EXPECT_EQ(StrRScan(buffer, 'b'), buffer + 4);
  EXPECT_EQ(StrScan(buffer, 'z'), nullptr);
  EXPECT_EQ(StrScan(buffer, '\0'), buffer + 5);
  EXPECT_EQ(StrPos(buffer, "ca"), buffer + 2);
  EXPECT_EQ(StrPos(buffer, "cb"), nullptr);
  EXPECT_EQ(StrPas(buffer), "abcab");
  EXPECT_EQ(StrPas(nullptr), "");
  StrDispose(buffer);
}

TEST(PCharRoutines, Comparisons)
{
  EXPECT_LT(StrComp("abc", "abd"), 0);
  EXPECT_GT(StrComp("abc", "ab"), 0);
  EXPECT_EQ(StrComp(nullptr, ""), 0);
  EXPECT_EQ(StrIComp("HeLLo", "hello"), 0);
  EXPECT_EQ(StrLIComp("HELLO world", "hello there", 5), 0);
  EXPECT_NE(StrLIComp("HELLO world", "hello there", 7), 0);
  EXPECT_GT(StrComp("\xE9", "z"), 0);  // bytes compare unsigned
}
