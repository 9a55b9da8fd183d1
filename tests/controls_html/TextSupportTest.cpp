#include <gtest/gtest.h>

#include "TestFonts.h"
#include "controls/html/text/CharCollection.h"
#include "controls/html/text/CodePageText.h"
#include "controls/html/text/FreeList.h"
#include "controls/html/text/JapaneseText.h"
#include "controls/html/text/ListLabel.h"
#include "controls/html/text/TextMeasure.h"
#include "controls/html/text/TokenObj.h"
#include "controls/html/text/WideText.h"

namespace {

TCharCollection CollectChars(const std::string& Bytes, int FirstPosition = 0)
{
  TCharCollection C;
  for (std::size_t I = 0; I < Bytes.size(); ++I)
    C.Add(Bytes[I], FirstPosition + int(I));
  return C;
}

class TCounted : public TObject {
public:
  explicit TCounted(int& Live) : FLive(Live) { ++FLive; }
  ~TCounted() override { --FLive; }

private:
  int& FLive;
};

}  // namespace

TEST(TextSupportTest, BuffersGrowBySteps)
{
  TCharCollection C = CollectChars(std::string(300, 'a'));
  EXPECT_EQ(C.Capacity(), 300);
  C.Add('b', 300);
  EXPECT_EQ(C.Capacity(), 350);
  EXPECT_EQ(C.Count(), 301);
  TCharCollection Other = CollectChars(std::string(49, 'c'));
  C.Concat(Other);  // 350 reached: the sum plus 50
  EXPECT_EQ(C.Count(), 350);
  EXPECT_EQ(C.Capacity(), 400);
  EXPECT_EQ(C.Positions()[349], 48);

  TokenObj T;
  for (int I = 0; I < 301; ++I)
    T.AddUnicodeChar(u'x', I);
  EXPECT_EQ(T.Capacity(), 350);
  EXPECT_EQ(T.Text().size(), 301u);
}

TEST(TextSupportTest, TokenPositionsFollowTheBytesOfEachCharacter)
{
  struct Case {
    UINT CodePage;
    std::string Bytes;
    std::u16string Text;
    std::vector<int> Positions;
  } Cases[] = {
      {932, "a\x82\xA0" "b", u"a\u3042b", {0, 1, 3}},
      {932, "\x88\x9F\x82\xA0", u"\u4E9C\u3042", {0, 2}},
      {65001, "\xC3\xA9x", u"\u00E9x", {0, 2}},
      {0, "\xF0\x9F\x98\x80!", u"\U0001F600!", {0, 0, 4}},
      {65001, "a\xFF" "b", u"a\uFFFDb", {0, 1, 2}},  // a stray byte keeps its place
      {1252, "\x80\xE9", u"\u20AC\u00E9", {0, 1}},
  };
  for (const Case& C : Cases) {
    TokenObj T;
    T.AddString(CollectChars(C.Bytes), C.CodePage);
    EXPECT_EQ(T.Text(), C.Text) << C.CodePage;
    EXPECT_EQ(T.Positions(), C.Positions) << C.CodePage;
  }
}

TEST(TextSupportTest, UnknownCodePageReadsAsTheLayersOwn)
{
  EXPECT_EQ(MultibyteToWideString(12345, "\xC3\xA9t\xC3\xA9"), u"\u00E9t\u00E9");
  EXPECT_EQ(WideStringToMultibyte(12345, u"\u20AC"), "\xE2\x82\xAC");
  EXPECT_EQ(WideStringToMultibyte(1252, u"\u20AC"), "\x80");
  TokenObj T;
  T.AddString(CollectChars("\xC3\xA9"), 12345);
  EXPECT_EQ(T.Text(), u"\u00E9");
}

TEST(TextSupportTest, EucJpToShiftJis)
{
  struct Case {
    std::string Euc, Sjis;
  } Cases[] = {
      {"\xA4\xA2", "\x82\xA0"},
      {"\xB0\xA1", "\x88\x9F"},
      {"\xA5\xA2", "\x83\x41"},
      {"\xA5\xE0", "\x83\x80"},
      {"\xDF\xA1", "\xE0\x40"},  // kanji rows 63 and 64 land on lead byte 0xE0
      {"\xE0\xFE", "\xE0\xFC"},
      {"\xF4\xA6", "\xEA\xA4"},
      {"ab\xA4\xA2" "c", "ab\x82\xA0" "c"},
      {"\x8E\xB1", "\xB1"},             // half-width katakana
      {"\x8F\xB0\xA1x", "\x81\xAC" "x"},  // JIS X 0212: the geta mark
  };
  for (const Case& C : Cases)
    EXPECT_EQ(EucJpToShiftJis(C.Euc), C.Sjis);
}

TEST(TextSupportTest, Iso2022JpToShiftJis)
{
  EXPECT_EQ(Iso2022JpToShiftJis("a\x1B$B\x24\x22\x5F\x21\x1B(Bz"), "a\x82\xA0\xE0\x40z");
  EXPECT_EQ(Iso2022JpToShiftJis("\x1B$@\x30\x21\x1B(Jx"), "\x88\x9Fx");
  // The converted text reads as Shift-JIS.
  EXPECT_EQ(MultibyteToWideString(932, Iso2022JpToShiftJis("\x1B$B\x24\x22\x1B(B")), u"\u3042");
}

TEST(TextSupportTest, WideSearchAndTrim)
{
  EXPECT_EQ(WidePos(u"lo", u"hello"), 4);
  EXPECT_EQ(WidePos(u"", u"hello"), 0);
  EXPECT_EQ(WidePos(u"hello!", u"hello"), 0);
  EXPECT_EQ(WideStrScan(u"a.b.c", u'.'), 1u);
  EXPECT_EQ(WideStrRScan(u"a.b.c", u'.'), 3u);
  EXPECT_EQ(WideStrScan(u"abc", u'.'), std::u16string::npos);
  EXPECT_EQ(WideTrim(u"   "), u"");
  EXPECT_EQ(WideTrim(u"\t x y\r\n"), u"x y");
}

TEST(TextSupportTest, FreeListFreesWhatItHolds)
{
  int Live = 0;
  {
    TFreeList List;
    for (int I = 0; I < 3; ++I)
      List.Add(new TCounted(Live));
    List.DeleteAndFree(1);
    EXPECT_EQ(Live, 2);
    EXPECT_EQ(List.Count(), 2);
    List.Clear();
    EXPECT_EQ(Live, 0);
    List.Add(new TCounted(Live));
  }
  EXPECT_EQ(Live, 0);
}

TEST(TextSupportTest, ListLabels)
{
  struct Case {
    int Number;
    TListStyleType Style;
    const char* Label;
  } Cases[] = {
      {23, lsLowerRoman, "xx."}, {20, lsUpperRoman, "XX."}, {27, lsLowerAlpha, "z."}, {1, lsUpperAlpha, "A."},
      {4, lsLowerRoman, "iv."},     {7, lsDecimal, "7."},
      // Numbers below 1 have no letter or numeral: decimal.
      {0, lsLowerAlpha, "0."},      {0, lsLowerRoman, "0."}, {-3, lsUpperAlpha, "-3."},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ListItemLabel(C.Number, C.Style), C.Label) << C.Number;
}

TEST(TextSupportTest, FittingText)
{
  const THtmlFontService& Fonts = TestFonts();
  THtmlFontDesc Font{"Arial", -10, {}, DEFAULT_CHARSET};  // 5 pixels a character
  const std::u16string Text = u"abcdef";
  EXPECT_EQ(TextWidth(Fonts, Font, Text.data(), 4), 20);
  int Width = -1;
  EXPECT_EQ(FitText(Fonts, Font, Text.data(), 6, 17, Width), 3);
  EXPECT_EQ(Width, 15);
  EXPECT_EQ(FitText(Fonts, Font, Text.data(), 6, 0, Width), 0);
  EXPECT_EQ(Width, 0);
  EXPECT_EQ(FitText(Fonts, Font, Text.data(), 6, 100, Width), 6);
  EXPECT_EQ(Width, 30);
}
