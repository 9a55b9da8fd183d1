#include <gtest/gtest.h>

#include "controls/html/parser/CharsetTable.h"
#include "controls/html/parser/EntityTable.h"
#include "controls/html/parser/MarkupTables.h"

TEST(MarkupTablesTest, EntitiesAreCaseSensitiveAndComplete)
{
  struct Case {
    const char* Name;
    int Code;
  } Cases[] = {{"Eacute", 201}, {"eacute", 233}, {"EACUTE", -1}, {"Alpha", 913}, {"alpha", 945},
               {"nbsp", 160},   {"yuml", 255},   {"euro", 8364},  {"amp", 38},     {"diams", 9830},
               {"sigmaf", 962}, {"Dagger", 8225}, {"dagger", 8224}, {"ampx", -1},  {"", -1}};
  for (const Case& C : Cases)
    EXPECT_EQ(EntityCode(C.Name), C.Code) << C.Name;
  // Every name of the table finds its own row, and names are unique.
  for (int I = 0; I < EntityCount; ++I) {
    std::string_view Name = EntityName(I);
    EXPECT_GE(EntityCode(Name), 34) << Name;
    for (int J = I + 1; J < EntityCount; ++J)
      EXPECT_NE(Name, EntityName(J));
  }
}

TEST(MarkupTablesTest, TagSymbols)
{
  EXPECT_EQ(TagSymbol("H", true), HSy);
  EXPECT_EQ(TagSymbol("HR", true), HRSy);
  EXPECT_EQ(TagSymbol("FONT", false), FontEndSy);
  EXPECT_EQ(TagSymbol("LABEL", false), LabelEndSy);
  // Rows without an end symbol: their end tags are unknown tags.
  EXPECT_EQ(TagSymbol("IMG", false), CommandSy);
  EXPECT_EQ(TagSymbol("COL", false), CommandSy);
  EXPECT_EQ(TagSymbol("LI", false), CommandSy);
  EXPECT_EQ(TagSymbol("H7", true), CommandSy);
  EXPECT_EQ(TagSymbol("img", true), CommandSy);  // names are compared upper-cased
  EXPECT_EQ(TagNameOfStart(BlockQuoteSy), "blockquote");
  EXPECT_EQ(TagNameOfEnd(DivEndSy), "div");
  EXPECT_EQ(TagNameOfStart(ColSy), "col");
  EXPECT_EQ(TagNameOfEnd(ColSy), "");
  EXPECT_EQ(EndSymbolOf(OLSy), OLEndSy);
  EXPECT_EQ(EndSymbolOf(LISy), CommandSy);
}

TEST(MarkupTablesTest, AttributeSymbols)
{
  EXPECT_EQ(AttributeSymbol("VALUE"), ValueSy);
  EXPECT_EQ(AttributeSymbol("TEXT"), TextSy);
  EXPECT_EQ(AttributeSymbol("STYLE"), StyleSy);
  EXPECT_EQ(AttributeSymbol("SELECTED"), SelectedSy);
  EXPECT_EQ(AttributeSymbol("HTTP-EQUIV"), HttpEqSy);
  EXPECT_EQ(AttributeSymbol("BORDERCOLORDARK"), BorderColorDarkSy);
  EXPECT_EQ(AttributeSymbol("FOO"), OtherAttribute);
  EXPECT_EQ(AttributeWord(LeftMarginSy), "LEFTMARGIN");
}

TEST(MarkupTablesTest, CharsetsByFirstRowContained)
{
  struct Case {
    const char* Text;
    int CharSet;  // -1: not found
  } Cases[] = {{"text/html; charset=windows-1251", 204}, {"ISO-8859-15", 0}, {"iso-8859-2", Iso8859_2Mark},
               {"x-sjis", 128}, {"EUC-JP", EucJpMark}, {"utf-8", -1}, {"KOI8-R", 204}, {"euc-kr", 129}};
  for (const Case& C : Cases) {
    int CharSet = -1;
    bool Found = TranslateCharset(C.Text, CharSet);
    EXPECT_EQ(Found, C.CharSet >= 0) << C.Text;
    if (Found) {
      EXPECT_EQ(CharSet, C.CharSet) << C.Text;
    }
  }
}
