#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/CaseMap.h"
#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/Utf.h"

namespace {

std::string Bytes(std::initializer_list<int> values)
{
  std::string s;
  for (int v : values)
    s += char(v);
  return s;
}

}  // namespace

TEST(Utf, IllFormedInputBecomesOneReplacementPerMaximalSubpart)
{
  struct Case {
    std::string utf8;
    std::u16string wide;
  } cases[] = {
      {"Café €", u"Café €"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a pair of surrogates
      {"a\xFF" "b", u"a\uFFFD" "b"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong: neither byte starts a character
      {"\xE2\x82", u"\uFFFD"},                // cut at the end
      {"\xE2\x82" "A", u"\uFFFDA"},
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const auto& c : cases)
    EXPECT_EQ(UTF8Decode(c.utf8), c.wide) << c.utf8;
}

TEST(Utf, LoneSurrogatesEncodeAsReplacement)
{
  EXPECT_EQ(UTF8Encode(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(UTF8Encode(std::u16string{char16_t(0xDC00)}), "\xEF\xBF\xBD");
  EXPECT_EQ(UTF8Encode(std::u16string{char16_t(0xD83D)}), "\xEF\xBF\xBD");  // lead at the end
  EXPECT_EQ(UTF8Encode(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(CodePage, RoundTripsThroughEachPage)
{
  struct Case {
    UINT page;
    std::u16string wide;
    std::string bytes;
  } cases[] = {
      {1252, u"été €", Bytes({0xE9, 't', 0xE9, ' ', 0x80})},
      {28591, u"à ç", Bytes({0xE0, ' ', 0xE7})},
      {28605, u"€", Bytes({0xA4})},  // ISO 8859-15 puts the euro where 8859-1 has ¤
      {1251, u"Жж", Bytes({0xC6, 0xE6})},
      {1250, u"ř", Bytes({0xF8})},
      {932, u"日本", Bytes({0x93, 0xFA, 0x96, 0x7B})},
      {20932, u"日本", Bytes({0xC6, 0xFC, 0xCB, 0xDC})},
      {50220, u"日本", Bytes({0x1B, '$', 'B', 0x46, 0x7C, 0x4B, 0x5C, 0x1B, '(', 'B'})},
      {CP_UTF8, u"été", "été"},
      {CP_ACP, u"€", "€"},
  };
  for (const auto& c : cases) {
    if (!IsValidCodePage(c.page == CP_ACP ? CP_UTF8 : c.page)) {
      ADD_FAILURE() << "code page " << c.page << " is missing";
      continue;
    }
    EXPECT_EQ(WideToCodePage(c.page, c.wide), c.bytes) << c.page;
    EXPECT_EQ(CodePageToWide(c.page, c.bytes), c.wide) << c.page;
  }
}

TEST(CodePage, UnknownPagesAreAbsentNotFatal)
{
  EXPECT_FALSE(IsValidCodePage(12345));
  EXPECT_FALSE(IsValidCodePage(CP_ACP));  // a pseudo page, not a page of its own
  EXPECT_EQ(GetACP(), 65001u);
  char16_t out[8];
  EXPECT_EQ(MultiByteToWideChar(12345, 0, "abc", 3, out, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  char bytes[8];
  EXPECT_EQ(WideCharToMultiByte(12345, 0, u"abc", 3, bytes, 8, nullptr, nullptr), 0);
  bool ok = true;
  EXPECT_EQ(CodePageToWide(12345, "abc", &ok), u"");
  EXPECT_FALSE(ok);
}

TEST(CodePage, PlatformCallsMeasureTerminateAndRefuseSmallBuffers)
{
  // -1: the terminating zero is converted and counted.
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "été", -1, nullptr, 0), 4);
  char16_t wide[4] = {1, 1, 1, 1};
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "été", -1, wide, 4), 4);
  EXPECT_EQ(std::u16string(wide), u"été");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "été", -1, wide, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  // Ill-formed input fails only when asked to.
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, wide, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xFF", 2, wide, 4), 2);
  EXPECT_EQ(wide[1], 0xFFFD);

  char bytes[8] = {};
  BOOL used = FALSE;
  ASSERT_EQ(WideCharToMultiByte(1252, 0, u"a\u65E5", 2, bytes, 8, nullptr, &used), 2);
  EXPECT_EQ(std::string(bytes, 2), "a?");
  EXPECT_TRUE(used);
  ASSERT_EQ(WideCharToMultiByte(1252, 0, u"\u65E5", 1, bytes, 8, "*", &used), 1);
  EXPECT_EQ(bytes[0], '*');
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"abc", 3, bytes, 2, nullptr, nullptr), 0);
}

TEST(CodePage, UndecodableBytesOfAPageBecomeReplacements)
{
  // 0x81 has no character in 1252; a Shift-JIS lead byte cut by the end.
  EXPECT_EQ(CodePageToWide(1252, Bytes({'a', 0x81, 'b'})), u"a\uFFFD" "b");
  EXPECT_EQ(CodePageToWide(932, Bytes({'a', 0x93})), u"a\uFFFD");
}

TEST(CodePage, CharNextExAStepsOverWholeCharacters)
{
  const char* sjis = "\x93\xFA" "a";
  EXPECT_EQ(CharNextExA(932, sjis, 0), sjis + 2);
  EXPECT_EQ(CharNextExA(932, sjis + 2, 0), sjis + 3);
  EXPECT_EQ(CharNextExA(932, sjis + 3, 0), sjis + 3);  // stays on the terminating zero
  const char* cut = "\x93";
  EXPECT_EQ(CharNextExA(932, cut, 0), cut + 1);  // never past the zero
  EXPECT_EQ(CharNextExA(1252, sjis, 0), sjis + 1);
  const char* utf8 = "\xE2\x82\xAC!";
  EXPECT_EQ(CharNextExA(CP_UTF8, utf8, 0), utf8 + 3);
  const char* cutUtf8 = "\xE2\x82";
  EXPECT_EQ(CharNextExA(CP_UTF8, cutUtf8, 0), cutUtf8 + 2);
}

TEST(CaseMap, BuffersKeepTheirLength)
{
  char16_t wide[] = u"élan Ωmega ß \U00010428";  // Deseret small letter: a surrogate pair
  CharUpperBuffW(wide, DWORD(std::char_traits<char16_t>::length(wide)));
  EXPECT_EQ(std::u16string(wide), u"ÉLAN ΩMEGA ß \U00010400");
  CharLowerBuffW(wide, DWORD(std::char_traits<char16_t>::length(wide)));
  EXPECT_EQ(std::u16string(wide), u"élan ωmega ß \U00010428");

  char narrow[] = "élan \xFF ı";  // the dotless i would shrink to one byte: it stays
  CharUpperBuffA(narrow, DWORD(std::strlen(narrow)));
  EXPECT_STREQ(narrow, "ÉLAN \xFF ı");
}

TEST(StringType, ClassesEachUnitOfWideAndUtf8Text)
{
  // "Éa1 ;" then a no-break space and a tab.
  const char16_t wide[] = u"\u00c9a1 ;\u00a0\t";
  WORD types[8] = {};
  ASSERT_TRUE(GetStringTypeExW(0x0400, CT_CTYPE1, wide, 7, types));
  const WORD expected[7] = {C1_UPPER | C1_ALPHA,        C1_LOWER | C1_ALPHA | C1_XDIGIT, C1_DIGIT | C1_XDIGIT,
                            C1_SPACE | C1_BLANK,        C1_PUNCT,                        C1_SPACE | C1_BLANK,
                            C1_SPACE | C1_BLANK | C1_CNTRL};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(types[i], expected[i]) << i;
  // UTF-8: both bytes of "é" are a lower-case letter; a stray byte is nothing.
  WORD narrow[4] = {};
  ASSERT_TRUE(GetStringTypeExA(0x0400, CT_CTYPE1, "\xc3\xa9\xffZ", 4, narrow));
  EXPECT_EQ(narrow[0], C1_LOWER | C1_ALPHA);
  EXPECT_EQ(narrow[1], C1_LOWER | C1_ALPHA);
  EXPECT_EQ(narrow[2], 0);
  EXPECT_EQ(narrow[3], C1_UPPER | C1_ALPHA);
  EXPECT_FALSE(GetStringTypeExA(0x0400, 2, "a", 1, narrow)) << "only CT_CTYPE1 is kept";
}
