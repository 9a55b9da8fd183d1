#include <gtest/gtest.h>

#include "Printers.h"
#include "TestFonts.h"

#include <climits>

#include "controls/html/styles/ColorNames.h"
#include "controls/html/styles/FontMemo.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/StyleConversions.h"

TEST(StylePropertiesTest, LengthConv)
{
  struct Case {
    const char* Text;
    bool Relative;
    int Base;
    int Expected;
  } Cases[] = {
      {"1.5em", false, 0, 24}, {"50%", false, 300, 150}, {"2in", false, 0, 192}, {"3q", false, 0, -7},
      {"12", false, 10, 12},   {"12", true, 10, 120},    {"12pt", false, 0, 16}, {"2.54cm", false, 0, 96},
      {"10px", false, 0, 10},  {"1pc", false, 0, 16},    {"2ex", false, 0, 16},  {"auto", false, 0, -7},
      {" 4 px ", false, 0, 4}, {"2.5px", false, 0, 2},   {"3.5px", false, 0, 4}, {"-3px", false, 0, -3},
      {"1e3px", false, 0, -7},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(LengthConv(C.Text, C.Relative, C.Base, 16, 8, 96, -7), C.Expected) << C.Text;
  // The absolute units follow the resolution the caller's fonts have.
  EXPECT_EQ(LengthConv("1in", false, 0, 16, 8, 120, -7), 120);
  EXPECT_EQ(LengthConv("12pt", false, 0, 16, 8, 144, -7), 24);
}

TEST(StylePropertiesTest, FontSizeConv)
{
  SetDefPointSize(12);
  struct Case {
    const char* Text;
    double Old, Expected;
  } Cases[] = {
      {"larger", 12, 15}, {"smaller", 12, 9}, {"x-large", 10, 24}, {"12px", 10, 9}, {"2em", 10, 20},
      {"50%", 10, 5},     {"1in", 10, 72},    {"small", 20, 12},   {"bogus", 20, 12}, {"16", 10, 12},
      // Sizes stay in range however they compound.
      {"99999999999999999999em", 12, MaxFontPoints}, {"-5pt", 12, 0},
  };
  for (const Case& C : Cases)
    EXPECT_DOUBLE_EQ(FontSizeConv(C.Text, C.Old, 96), C.Expected) << C.Text;
  EXPECT_DOUBLE_EQ(FontSizeConv("12px", 10, 144), 6);
}

TEST(StylePropertiesTest, Colors)
{
  struct Case {
    const char* Text;
    bool NeedPound;
    bool Ok;
    TColor Color;
  } Cases[] = {
      {"#ABC", true, true, 0x02CCBBAA},
      {"white", true, true, 0x00FFFFFF},
      {"rgb(100%,0,0)", true, true, 0x020000FF},
      {"rgb(300,-5,0)", true, true, 0x020000FF},
      {"rgb(30%, 0, 0)", true, true, 0x0200004C},  // 76.5 rounds to even
      {"ABC", true, false, 0},
      {"ABC", false, true, 0x02CCBBAA},
      {"transparent", true, true, clNone},
      {"hightlighttext", true, true, TColor(0xFF00000E)},
      {"highlighttext", true, false, 0},
      {"threedhighlight", true, true, TColor(0xFF000014)},
      {"threedlightshadow", true, true, TColor(0xFF000016)},
      {"AppWorkspace", true, true, TColor(0xFF00000C)},
      {" Grey ", true, true, 0x00808080},
      {"#1FFFFFFF", true, false, 0},  // more than six digits would be a sentinel
      {"rgb(1,2)", true, false, 0},
      {"#", true, false, 0},
      {"#12345", true, true, 0x02452301},
  };
  for (const Case& C : Cases) {
    TColor Color = 0;
    EXPECT_EQ(ColorFromString(C.Text, C.NeedPound, Color), C.Ok) << C.Text;
    if (C.Ok) {
      EXPECT_EQ(Color, C.Color) << C.Text;
    }
  }
  EXPECT_EQ(ColorNameCount(), 176);
  // The last colour read is remembered, but not across the two forms.
  TColor Color = 0;
  EXPECT_TRUE(ColorFromString("abc", false, Color));
  EXPECT_FALSE(ColorFromString("abc", true, Color));
}

TEST(StylePropertiesTest, BackgroundPosition)
{
  struct Case {
    const char* Position;
    TBackgroundPosKind XKind;
    int XValue;
    TBackgroundPosKind YKind;
    int YValue;
  } Cases[] = {
      {"top", bpCenter, 0, bpTop, 0},
      {"right 20%", bpRight, 0, bpPercent, 20},
      {"left", bpLeft, 0, bpCenter, 0},
      {"10px", bpLength, 10, bpCenter, 0},
      {"bottom left", bpLeft, 0, bpBottom, 0},
      {"10px right", bpRight, 0, bpLength, 10},
      {"top center", bpCenter, 0, bpTop, 0},
  };
  for (const Case& C : Cases) {
    TProperties P(TestFonts());
    P.Props[piBackgroundPosition] = C.Position;
    TBackgroundPosRec R;
    P.GetBackgroundPos(16, 8, R);
    EXPECT_EQ(R.X.Kind, C.XKind) << C.Position;
    EXPECT_EQ(R.X.Value, C.XValue) << C.Position;
    EXPECT_EQ(R.Y.Kind, C.YKind) << C.Position;
    EXPECT_EQ(R.Y.Value, C.YValue) << C.Position;
  }
  TProperties P(TestFonts());
  P.Props[piBackgroundRepeat] = "repeat-x";
  P.Props[piBackgroundAttachment] = "fixed";
  TBackgroundPosRec R;
  P.GetBackgroundPos(16, 8, R);
  EXPECT_EQ(R.X.Kind, bpLength);
  EXPECT_EQ(R.Y.Kind, bpLength);
  EXPECT_TRUE(R.X.Repeat);
  EXPECT_FALSE(R.Y.Repeat);
  EXPECT_TRUE(R.X.Fixed && R.Y.Fixed);
}

TEST(StylePropertiesTest, BorderWidthsFollowTheirStyles)
{
  struct Case {
    TPropValue Width;
    const char* Style;
    int Expected;
  } Cases[] = {{"thick", "none", 0}, {"thick", "solid", 6}, {IntNull, "solid", 4},
               {"medium", "inset", 4}, {"thin", "dashed", 2}, {"3px", "double", 3}};
  for (const Case& C : Cases) {
    TProperties P(TestFonts());
    P.Props[piBorderLeftWidth] = C.Width;
    P.Props[piBorderLeftStyle] = C.Style;
    TVMarginArray VM;
    TMarginArray M{};
    int Autos = 0;
    P.GetVMarginArray(VM);
    ConvMargArray(VM, 400, 300, 16, 8, 96, M, Autos);
    EXPECT_EQ(M[piBorderLeftWidth], C.Expected) << C.Style;
    EXPECT_EQ(M[piBorderLeftStyle], int(BorderStyleFromString(C.Style)));
  }
}

TEST(StylePropertiesTest, BoxValuesToPixels)
{
  TProperties P(TestFonts());
  P.Props[piMarginLeft] = "auto";
  P.Props[piMarginRight] = "10%";
  P.Props[piWidth] = "auto";
  P.Props[piPaddingTop] = "2px";
  P.Props[piPaddingBottom] = "3px";
  P.Props[piHeight] = "50%";
  P.Props[piMarginTop] = AutoParagraph;
  P.Props[piMarginBottom] = "1em";
  TVMarginArray VM;
  TMarginArray M{};
  int Autos = 0;
  P.GetVMarginArray(VM);
  ConvMargArray(VM, 400, 300, 16, 8, 96, M, Autos);
  EXPECT_EQ(Autos, 2);
  EXPECT_EQ(M[piMarginLeft], Auto);
  EXPECT_EQ(M[piMarginRight], 40);
  EXPECT_EQ(M[piHeight], 150 - 5);  // a percentage height loses the vertical padding
  EXPECT_EQ(M[piBackgroundColor], clNone);
  bool TopAuto = false, BottomAuto = false;
  ConvVertMargins(VM, 400, 16, 8, 96, M, TopAuto, BottomAuto);
  EXPECT_EQ(M[piMarginTop], 14);
  EXPECT_TRUE(TopAuto);
  EXPECT_EQ(M[piMarginBottom], 16);
  EXPECT_FALSE(BottomAuto);
  ConvPaddingArray(VM, 16, 8, 96, M);
  EXPECT_EQ(M[piPaddingTop], 2);
  EXPECT_EQ(M[piPaddingLeft], -1);
}

// Shared box values keep their recent conversions: every width, font and
// resolution must still get its own pixels, and a block that changes a value
// must not see (or spoil) the conversions of the set it left.
TEST(StylePropertiesTest, SharedBoxValuesConvertPerBases)
{
  TVMarginArray VM;
  VM[piMarginRight] = "10%";
  VM[piPaddingLeft] = "2em";
  VM[piBorderTopWidth] = "thin";
  VM[piBorderTopStyle] = 1;
  VM[piWidth] = "5000000px";  // beyond the bound kept for layout arithmetic
  VM[piHeight] = "50%";
  TBoxValuePool Pool;
  TBoxValues A, B;
  A.Assign(VM, Pool);
  B.Assign(VM, Pool);
  EXPECT_EQ(Pool.Count(), 1u);
  const TBoxBases Cases[] = {{400, 300, 16, 8, 96}, {600, 300, 16, 8, 96}, {400, 100, 16, 8, 96},
                             {400, 300, 20, 10, 96}, {400, 300, 16, 8, 120}, {0, 400, 16, 8, 96}};
  for (int Round = 0; Round < 2; ++Round)
    for (const TBoxBases& Bases : Cases) {
      TMarginArray Expected{}, Got{};
      int ExpectedAutos = 0, Autos = -1;
      ConvMargArray(VM, Bases.BaseWidth, Bases.BaseHeight, Bases.EmSize, Bases.ExSize, Bases.PixelsPerInch, Expected,
                    ExpectedAutos);
      Expected[piWidth] = 1000000;
      Expected[piMarginTop] = 7;
      Expected[piMarginBottom] = 1000000;
      Got[piMarginTop] = 7;
      Got[piMarginBottom] = 99999999;  // the vertical margins stay the caller's, bounded
      (Round == 0 ? A : B).Convert(Bases, Got, Autos);
      EXPECT_EQ(Got, Expected) << Bases.BaseWidth << " " << Bases.BaseHeight << " " << Bases.EmSize;
      EXPECT_EQ(Autos, ExpectedAutos);
    }
  B.Set(piPaddingLeft, TPropValue("1px"));
  TMarginArray MA{}, MB{};
  int Autos = 0;
  A.Convert(Cases[0], MA, Autos);
  B.Convert(Cases[0], MB, Autos);
  EXPECT_EQ(MA[piPaddingLeft], 32);
  EXPECT_EQ(MB[piPaddingLeft], 1);
}

TEST(StylePropertiesTest, InheritanceFromSpanAndDiv)
{
  for (const char* ParentTag : {"span", "div"}) {
    TProperties Parent(TestFonts());
    Parent.PropTag = ParentTag;
    Parent.Props[piMarginLeft] = 10;
    Parent.Props[piBorderStyle] = "solid";
    Parent.Props[piColor] = 0x123456;
    Parent.Props[piBackgroundColor] = 0x00FF00;
    TProperties Child(TestFonts());
    Child.Inherit(Parent);
    const bool Span = std::string(ParentTag) == "span";
    EXPECT_EQ(Child.Props[piMarginLeft], Span ? TPropValue(10) : TPropValue(IntNull)) << ParentTag;
    EXPECT_TRUE(Child.Props[piBorderStyle].IsEmpty()) << ParentTag;
    EXPECT_EQ(Child.Props[piColor], TPropValue(0x123456));
    EXPECT_EQ(Child.Props[piBackgroundColor].IsEmpty(), !Span) << ParentTag;
  }
}

TEST(StylePropertiesTest, ResetAndInheritLeavesWhatResetThenInheritDo)
{
  for (const char* ParentTag : {"span", "div"}) {
    TProperties Parent(TestFonts());
    Parent.PropTag = ParentTag;
    Parent.PropTitle = "titre";
    for (int I = 0; I < PropCount; ++I)
      Parent.Props[std::size_t(I)] = 1000 + I;
    TProperties Expected(TestFonts());
    Expected.Inherit(Parent);
    // A set used before: every value and flag of its old element goes.
    TProperties Reused(TestFonts());
    for (int I = 0; I < PropCount; ++I)
      Reused.AssignFromAttribute(I, TPropValue("old"));
    Reused.PropClass = "old";
    Reused.ResetAndInherit(Parent);
    for (int I = 0; I < PropCount; ++I)
      EXPECT_EQ(Reused.Props[std::size_t(I)], Expected.Props[std::size_t(I)]) << ParentTag << " " << PropName(I);
    EXPECT_EQ(Reused.ExplicitFlags, Expected.ExplicitFlags) << ParentTag;
    EXPECT_EQ(Reused.PropClass, "");
    EXPECT_EQ(Reused.PropTitle, "titre");
  }
}

TEST(StylePropertiesTest, RememberedFontsServeOnlyEqualFontValues)
{
  TFontMemo Memo;
  auto Make = [&](TColor Color, int CharSet) {
    auto P = std::make_unique<TProperties>(TestFonts());
    P->SetFontMemo(&Memo);
    P->Props[piFontFamily] = "serif";
    P->Props[piFontSize] = 12.0;
    P->Props[piColor] = Color;
    P->AssignCharSet(CharSet);
    return P;
  };
  auto First = Make(0x0000FF, 0);
  const TMyFont& Font = First->Font();
  // The same values take the font realised first, with its em size.
  auto Same = Make(0x0000FF, 0);
  EXPECT_EQ(&Same->Font(), &Font);
  EXPECT_EQ(Same->EmSize(), First->EmSize());
  // Any font value that differs makes a font of its own.
  auto OtherColor = Make(0x00FF00, 0);
  EXPECT_NE(&OtherColor->Font(), &Font);
  EXPECT_EQ(OtherColor->Font().Color, 0x00FF00);
  auto OtherSet = Make(0x0000FF, 204);
  EXPECT_EQ(OtherSet->Font().CharSet, 204);
  Memo.Clear();
  EXPECT_NE(&Make(0x0000FF, 0)->Font(), &Font);
}

TEST(StylePropertiesTest, CharacterSetsAndCodePages)
{
  struct Case {
    int CS;
    BYTE CharSet;
    UINT CodePage;
  } Cases[] = {{31, 238, 28592}, {0, 0, 1252}, {204, 204, 1251}, {128, 128, 932}, {1, 1, 0}, {238, 238, 1250}};
  for (const Case& C : Cases) {
    TProperties P(TestFonts());
    P.AssignCharSet(C.CS);
    EXPECT_EQ(P.CharSet(), C.CharSet) << C.CS;
    EXPECT_EQ(P.CodePage(), C.CodePage) << C.CS;
  }
  TProperties P(TestFonts());
  P.AssignUTF8();
  EXPECT_EQ(P.CodePage(), 65001u);
}

TEST(StylePropertiesTest, AssignByNameReadsKeywordsAndColors)
{
  TProperties P(TestFonts());
  P.AssignByName("color", "bogus");
  EXPECT_EQ(P.Props[piColor], TPropValue(0));
  P.AssignByName("background-color", "bogus");
  EXPECT_EQ(P.Props[piBackgroundColor], TPropValue(clNone));
  P.AssignByName("border-color", "red");
  EXPECT_EQ(P.Props[piBorderLeftColor], TPropValue(0x000000FF));
  P.AssignByName("border-top-style", "dotted");
  EXPECT_EQ(P.Props[piBorderStyle], TPropValue("dotted"));
  P.AssignByName("border-left-style", "none");
  EXPECT_EQ(P.Props[piBorderStyle], TPropValue("dotted"));
  P.AssignByName("visibility", "hidden");
  EXPECT_EQ(P.GetVisibility(), viHidden);
  P.AssignByName("text-transform", "uppercase");
  EXPECT_EQ(P.GetTextTransform(), txUpper);
  P.AssignByName("font-variant", "bogus");
  EXPECT_EQ(P.GetFontVariant(), "normal");
  P.AssignByName("Color", "red");  // names are compared exactly
  EXPECT_EQ(P.Props[piColor], TPropValue(0));
}

TEST(StylePropertiesTest, FontFromProperties)
{
  TProperties P(TestFonts());
  P.Props[piFontFamily] = "'Bogus', serif";
  P.Props[piFontSize] = 12.0;
  P.Props[piFontWeight] = "600";
  P.Props[piFontStyle] = "oblique";
  P.Props[piTextDecoration] = "line-through";
  P.Props[piLetterSpacing] = "0.5em";
  std::unique_ptr<TMyFont> Font = P.GetFont();
  EXPECT_EQ(Font->Name, "Times New Roman");
  EXPECT_EQ(Font->Height, -16);  // 12 points at 96 pixels per inch
  EXPECT_TRUE(Font->Style.Contains(fsBold));
  EXPECT_TRUE(Font->Style.Contains(fsItalic));
  EXPECT_TRUE(Font->Style.Contains(fsStrikeOut));
  EXPECT_EQ(P.EmSize(), 16);
  EXPECT_EQ(P.ExSize(), 8);
  EXPECT_EQ(Font->CharExtra, 8);
  P.Props[piFontWeight] = "599";
  ThtFontInfo Info;
  P.GetFontInfo(Info);
  EXPECT_FALSE(Info.Style.Contains(fsBold));
  // A size no screen shows is realised at the largest one.
  TProperties Huge(TestFonts());
  Huge.Props[piFontSize] = "1e300";
  Huge.Props[piLetterSpacing] = "99999999em";
  std::unique_ptr<TMyFont> Big = Huge.GetFont();
  EXPECT_EQ(Big->Height, -13333);
  EXPECT_GT(Big->tmHeight, 13333);
  EXPECT_EQ(Big->CharExtra, INT_MAX);
}

TEST(StylePropertiesTest, KeywordGetters)
{
  TProperties P(TestFonts());
  P.Props[piVerticalAlign] = "text-top";
  P.Props[piFloat] = "right";
  P.Props[piClear] = "both";
  P.Props[piZIndex] = "-3";
  P.Props[piLineHeight] = "1.5";
  P.Props[piTextIndent] = "10%";
  P.Props[piListStyleType] = "upper-roman";
  P.Props[piBackgroundImage] = "url('a b.gif')";
  TAlignmentStyle Align = aNone;
  EXPECT_TRUE(P.GetVertAlign(Align));
  EXPECT_EQ(Align, aTop);
  EXPECT_TRUE(P.GetFloat(Align));
  EXPECT_EQ(Align, aRight);
  TClearAttrType Clear = clrNone;
  EXPECT_TRUE(P.GetClear(Clear));
  EXPECT_EQ(Clear, clAll);
  EXPECT_EQ(P.GetZIndex(), -3);
  EXPECT_EQ(P.GetLineHeight(20), 30);
  bool Percent = false;
  EXPECT_EQ(P.GetTextIndent(Percent), 10);
  EXPECT_TRUE(Percent);
  EXPECT_EQ(P.GetListStyleType(), lsUpperRoman);
  std::string Image;
  EXPECT_TRUE(P.GetBackgroundImage(Image));
  EXPECT_EQ(Image, "a b.gif");
  EXPECT_EQ(AlignmentFromString("AbsMiddle"), aMiddle);
  EXPECT_EQ(AlignmentFromString("bogus"), aNone);
}
