#include <gtest/gtest.h>

#include <string>

#include "chatwin/RtfToText.h"
#include "platform/base/Exception.h"

namespace {

struct RtfCase {
  const char* name;
  std::string input;
  std::string expected;
};

void ExpectConversions(std::initializer_list<RtfCase> cases)
{
  for (const auto& c : cases)
    EXPECT_EQ(RtfToText(c.input), c.expected) << c.name;
}

}  // namespace

TEST(RtfToText, TheTypicalMessage)
{
  // Signature, a font table, view and paragraph words, then the greeting with
  // two escapes, a paragraph mark and the source's own line end.
  const std::string message =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\viewkind4\\uc1\\pard\\lang1036\\f0\\fs20 "
      "Bonjour \\'e9t\\'e9\\par\r\n}";
  EXPECT_EQ(RtfToText(message), "Bonjour \xC3\xA9t\xC3\xA9\r\n");
}

TEST(RtfToText, TextThatIsNotRtfComesBackUnchanged)
{
  ExpectConversions({
      {"upper-case signature", "{\\RTF1\\fs20 x}", "{\\RTF1\\fs20 x}"},
      {"another version", "{\\rtf2 x}", "{\\rtf2 x}"},
      {"shorter than the signature", "{\\rtf", "{\\rtf"},
      {"empty", "", ""},
      {"plain text", "Salut \\par", "Salut \\par"},
      {"HTML", "<b>gras</b>", "<b>gras</b>"},
  });
}

TEST(RtfToText, UserTextIsKept)
{
  ExpectConversions({
      {"paragraph words", "{\\rtf1\\pard Hello\\par}", "Hello\r\n"},
      {"a paragraph word with parameter", "{\\rtf1\\parskip20 Hi}", "Hi"},
      {"a run ending in a semicolon", "{\\rtf1\\fs20 see you;}", "see you;"},
      {"escaped braces and backslash", "{\\rtf1\\fs20 a\\{b\\}c\\\\d\\par}", "a{b}c\\d\r\n"},
      {"a word in a group of its own", "{\\rtf1{abc}}", "abc"},
      {"a group with blanks", "{\\rtf1{ab cd}}", "ab cd"},
      {"the blank after a control word is its delimiter", "{\\rtf1\\fs20 x\\par y\\par}", "x\r\ny\r\n"},
      {"a closing brace missing", "{\\rtf1\\fs20 last word", "last word"},
      {"upper-case escapes", "{\\rtf1 \\'E9\\'e9}", "\xC3\xA9\xC3\xA9"},
      {"line and tab", "{\\rtf1 a\\line b\\tab c}", "a\r\nb\tc"},
      {"typographic quotes", "{\\rtf1 l\\rquote ami \\ldblquote x\\rdblquote}", "l\u2019ami \u201Cx\u201D"},
      {"source line ends are no text", "{\\rtf1 a\r\nb\nc}", "abc"},
      {"a backslash before a line end is a paragraph", "{\\rtf1 a\\\r\nb}", "a\r\nb"},
      {"text after the document's end", "{\\rtf1 a}b", "a"},
  });
}

TEST(RtfToText, CellsRowsPagesAndSectionsSeparateWords)
{
  ExpectConversions({
      {"cells of a row", "{\\rtf1\\trowd\\cellx1000\\cellx2000 Field\\cell schar\\cell\\row}",
       "Field\tschar\t\r\n"},
      {"rows of a table", "{\\rtf1\\intbl One\\cell\\row\\intbl Two\\cell\\row Three}", "One\t\r\nTwo\t\r\nThree"},
      {"a page break", "{\\rtf1 One\\page Two}", "One\r\nTwo"},
      {"a section break", "{\\rtf1 One\\sect Two\\sectd Three}", "One\r\nTwoThree"},
      {"words that only begin alike carry no text", "{\\rtf1 a\\cellx100\\rowd\\pagebb b}", "ab"},
  });
}

TEST(RtfToText, DestinationsAreSkipped)
{
  ExpectConversions({
      {"font table", "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}}Hi}", "Hi"},
      {"colour table", "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}Hi}", "Hi"},
      {"style sheet", "{\\rtf1{\\stylesheet{\\s0 Normal;}}x}", "x"},
      {"information group", "{\\rtf1{\\info{\\author Moi}}y}", "y"},
      {"optional destination", "{\\rtf1{\\*\\generator Riched20 10.0;}ok}", "ok"},
      {"unknown optional destination", "{\\rtf1{\\*\\zzz a{b}c}ok}", "ok"},
      // The picture's binary data holds braces and a backslash: they are data, not structure.
      {"binary data", "{\\rtf1{\\pict\\bin3 {}\\}ok}", "ok"},
  });
}

TEST(RtfToText, CharactersThroughCodePagesAndUnicode)
{
  ExpectConversions({
      {"default page 1252", "{\\rtf1 \\'80 \\'9c}", "\u20AC \u0153"},
      {"page of the document", "{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}", "\u0410\u0431"},
      {"double-byte page", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}", "\u3042"},
      {"unknown page keeps 1252", "{\\rtf1\\ansicpg99999 \\'e9}", "\xC3\xA9"},
      {"unicode with its fallback", "{\\rtf1\\uc1\\u8364?}", "\u20AC"},
      {"a negative value", "{\\rtf1\\u-3913?}", "\uF0B7"},
      {"a surrogate pair", "{\\rtf1\\u55357?\\u56832?}", "\U0001F600"},
      {"a lone surrogate", "{\\rtf1\\u55357?x}", "\uFFFDx"},
      {"an escape as the fallback", "{\\rtf1\\u233\\'e9x}", "\xC3\xA9x"},
      {"two fallback characters", "{\\rtf1\\uc2\\u233ab c}", "\xC3\xA9 c"},
      {"no fallback", "{\\rtf1\\uc0\\u233 x}", "\xC3\xA9x"},
      {"the fallback count is per group", "{\\rtf1{\\uc0}\\u233?}", "\xC3\xA9"},
  });
}

TEST(RtfToText, HostileInputEndsCleanly)
{
  const std::string deep = "{\\rtf1" + std::string(100000, '{') + "x" + std::string(100000, '}') + "}";
  const std::string longText = "{\\rtf1 " + std::string(70000, 'a') + "}";
  ExpectConversions({
      {"truncated word", "{\\rtf1\\ans", ""},
      {"truncated escape", "{\\rtf1 a\\'e", "a"},
      {"escape without digits", "{\\rtf1 a\\'zzb}", "azzb"},
      {"a lone backslash at the end", "{\\rtf1 a\\", "a"},
      {"a huge parameter", "{\\rtf1\\fs99999999999999999999 x}", "x"},
      {"a huge fallback count", "{\\rtf1\\uc99999999999\\u233 abc}", "\xC3\xA9"},
      {"a huge binary count", "{\\rtf1\\bin99999999999 abc}", ""},
      {"a negative binary count", "{\\rtf1\\bin-5 abc}", "abc"},
      {"unbalanced closing braces", "{\\rtf1 a}}}}", "a"},
      {"deep nesting", deep, "x"},
      {"longer than 65535 characters", longText, std::string(70000, 'a')},
      {"zero bytes", std::string("{\\rtf1 a\0b}", 11), "ab"},
  });
}

TEST(RtfToText, LowerHexToInt)
{
  EXPECT_EQ(LowerHexToInt(""), 0);
  EXPECT_EQ(LowerHexToInt("e9"), 0xE9);
  EXPECT_EQ(LowerHexToInt("ff"), 255);
  EXPECT_EQ(LowerHexToInt("E9"), 0xE9);
  EXPECT_EQ(LowerHexToInt("7fffffff"), 0x7FFFFFFF);
  EXPECT_THROW(LowerHexToInt("80000000"), EIntOverflow);
  EXPECT_THROW(LowerHexToInt("123456789"), EIntOverflow);
  EXPECT_THROW(LowerHexToInt("g1"), EConvertError);
}
