// Layout numbers with the fixed test fonts (a character is half its height
// wide): floats and the paint order, horizontal rules, preformatted text and
// page markers, inline image sizes, line breaks, leading and justification.
#include <gtest/gtest.h>

#include "RenderSupport.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/HorzLine.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"

namespace {

// A document whose body has no margins, built from Body.
std::unique_ptr<TSectionList> LaidOutPage(const std::string& Body, const TPictureFolder* Pictures = nullptr)
{
  auto Doc = MakeDocument();
  Doc->MarginWidth = Doc->MarginHeight = 0;
  if (Pictures)
    Pictures->AllowIn(*Doc);
  ParseHtmlIntoSections("<BODY>" + Body, *Doc);
  return Doc;
}

TSection* FirstText(TSectionList& Doc)
{
  for (TSection* S : AllOf<TSection>(Doc))
    if (S->CharCount > 0)
      return S;
  return nullptr;
}

TEST(LayoutCasesTest, RightFloatTakesNoRoomAndTextFlowsBesideIt)
{
  auto Doc = LaidOutPage("<DIV style=\"float:right; width:100px\">f</DIV>aaa bbb ccc ddd eee fff ggg hhh iii jjj kkk lll "
                  "mmm nnn ooo ppp qqq rrr sss ttt uuu vvv www xxx yyy zzz");
  Doc->DoLogic(500, 400);
  TBlock* Float = BodyBlocks(*Doc).at(0);
  EXPECT_EQ(Float->ContentLeft + Float->NewWidth + Float->MargArray[piMarginRight], 500);
  EXPECT_EQ(Float->ContentHeight, 0);
  TSection* Text = AllOf<TSection>(*Doc).back();
  EXPECT_EQ(Text->TopY, Float->TopY) << "the text starts beside the float, not below it";
  ASSERT_GE(Text->Lines.size(), 2u);
  const LineRec& First = Text->Lines.front();
  EXPECT_LE(First.OffsetX + Text->LineTextWidth(First, First.CharsInLine), 400);
  EXPECT_GT(First.CharsInLine, 30) << "the room beside the float is used";
}

TEST(LayoutCasesTest, PaintOrderFollowsZIndexThenDocumentOrder)
{
  auto Doc = LaidOutPage("<DIV style=\"position:relative; z-index:2\">a</DIV>"
                  "<DIV style=\"position:relative; z-index:0\">b</DIV>"
                  "<DIV style=\"position:relative; z-index:-1\">c</DIV>"
                  "<DIV>d</DIV>"
                  "<DIV style=\"position:absolute; z-index:0\">e</DIV>"
                  "<DIV style=\"float:left\">f</DIV>"
                  "<DIV>g</DIV>");
  Doc->DoLogic(500, 400);
  const auto Blocks = BodyBlocks(*Doc);
  ASSERT_EQ(Blocks.size(), 7u);
  auto* Body = dynamic_cast<TBlock*>(Doc->Sections.front().get());
  std::string Order;
  for (std::size_t P = 0; P < Body->PaintCount(); ++P)
    for (std::size_t I = 0; I < Blocks.size(); ++I)
      if (Body->PaintAt(P) == Blocks[I])
        Order += char('a' + I);
  // -1; then z 0 in document order; then the absolute box and the float
  // (z 1) in document order; then z 2.
  EXPECT_EQ(Order, "cbdgefa");
}

TEST(LayoutCasesTest, HorizontalRuleSizesAndWidths)
{
  struct {
    const char* Attributes;
    int Thickness, Left, Width;
  } Cases[] = {
      {"SIZE=0", 2, 0, 400},          {"SIZE=25", 2, 0, 400},         {"SIZE=5", 5, 0, 400},
      {"SIZE=20", 20, 0, 400},        {"WIDTH=150%", 2, 0, 400},      {"WIDTH=50%", 2, 100, 200},
      {"WIDTH=100 ALIGN=right", 2, 300, 100}, {"WIDTH=100 ALIGN=left", 2, 0, 100},
  };
  for (const auto& C : Cases) {
    auto Doc = LaidOutPage(std::string("<HR ") + C.Attributes + ">");
    Doc->DoLogic(400, 400);
    const auto Rules = AllOf<THorzLine>(*Doc);
    ASSERT_EQ(Rules.size(), 1u) << C.Attributes;
    EXPECT_EQ(Rules[0]->VSize, C.Thickness) << C.Attributes;
    EXPECT_EQ(Rules[0]->ContentHeight, C.Thickness) << C.Attributes;
    EXPECT_EQ(Rules[0]->HWidth, C.Width) << C.Attributes;
    EXPECT_EQ(Rules[0]->XLeft, C.Left) << C.Attributes;
  }
}

TEST(LayoutCasesTest, HorizontalRuleColours)
{
  struct {
    const char* Attributes;
    std::uint32_t Top, Left, Bottom, Right, Inside;
  } Cases[] = {
      {"COLOR=red", 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000},
      {"NOSHADE", 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF},
      {"", 0x808080, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFFFF},
  };
  for (const auto& C : Cases) {
    auto Doc = LaidOutPage(std::string("<HR SIZE=6 WIDTH=100 ALIGN=left ") + C.Attributes + ">");
    const TRendered R = Render(*Doc, 200, 40);
    THorzLine* Rule = AllOf<THorzLine>(*Doc).at(0);
    const int Top = Rule->TopY, Bottom = Top + 5, Left = Rule->XLeft, Right = Left + 99;
    EXPECT_EQ(At(R.Picture, Left + 50, Top), C.Top) << C.Attributes;
    EXPECT_EQ(At(R.Picture, Left, Top + 3), C.Left) << C.Attributes;
    EXPECT_EQ(At(R.Picture, Left + 50, Bottom), C.Bottom) << C.Attributes;
    EXPECT_EQ(At(R.Picture, Right, Top + 3), C.Right) << C.Attributes;
    EXPECT_EQ(At(R.Picture, Left + 50, Top + 3), C.Inside) << C.Attributes;
    EXPECT_EQ(At(R.Picture, Right + 1, Top + 3), 0xFFFFFFu) << C.Attributes;
  }
}

TEST(LayoutCasesTest, PreformattedTextNeverWraps)
{
  // 500 characters of the 10-point fixed font, 6 pixels each.
  auto Doc = LaidOutPage("<PRE>" + std::string(500, 'x') + "</PRE>");
  TSection* Pre = FirstText(*Doc);
  ASSERT_NE(Pre, nullptr);
  ASSERT_TRUE(Pre->Preformatted);
  int Min = 0, Max = 0;
  Pre->MeasureWidths(Min, Max);
  EXPECT_EQ(Max, 3000);
  EXPECT_EQ(Min, 2000);
  Doc->DoLogic(400, 400);
  EXPECT_EQ(Pre->Lines.size(), 1u);
  auto Blanks = LaidOutPage("<PRE>a  b\tc</PRE>");
  EXPECT_EQ(FirstText(*Blanks)->CharCount, 6) << "every blank is kept, a tab as one";
  EXPECT_GE(Doc->DocMaxWidth, 3000) << "the page scrolls sideways";
}

TEST(LayoutCasesTest, EmptyPreTakesOneLineAndPageTakesNothing)
{
  // The 10-point fixed font: text 15 high, a line 16 with its leading.
  auto Empty = LaidOutPage("a<PRE></PRE>b");
  auto Without = LaidOutPage("a<PRE>x</PRE>b");
  auto TwoLines = LaidOutPage("a<PRE>x\ny</PRE>b");
  auto Blank = LaidOutPage("a<PRE>x\n\ny</PRE>b");
  auto Marker = LaidOutPage("a<PAGE>b");
  auto Plain = LaidOutPage("a<BR>b");
  EXPECT_EQ(TwoLines->DoLogic(400, 400) - Without->DoLogic(400, 400), 15);
  EXPECT_EQ(Blank->DoLogic(400, 400) - TwoLines->DoLogic(400, 400), 16) << "a blank line keeps its height";
  EXPECT_EQ(Empty->DoLogic(400, 400) - Without->DoLogic(400, 400), 16 - 15) << "an empty PRE is one blank line";
  ASSERT_EQ(AllOf<TPage>(*Marker).size(), 1u);
  Marker->DoLogic(400, 400);
  EXPECT_EQ(AllOf<TPage>(*Marker)[0]->ContentHeight, 0);
  EXPECT_EQ(Marker->DoLogic(400, 400), Plain->DoLogic(400, 400));
}

TEST(LayoutCasesTest, InlineImageSizesAndSpaces)
{
  const TPictureFolder F{"corvane-image-sizes", {{"w100.png", 100, 50, 0x0000FF}, {"w60.png", 60, 20, 0x0000FF}}};
  struct {
    const char* Tag;
    int Width, Height, HSpaceL, HSpaceR, Align;
  } Cases[] = {
      {"<IMG SRC=w100.png WIDTH=50%>", 200, 100, 0, 0, 4},
      {"<IMG SRC=w100.png WIDTH=150%>", 150, 75, 0, 0, 4},
      {"<IMG SRC=w100.png HEIGHT=0>", 2, 1, 0, 0, 4},
      {"<IMG SRC=w60.png HEIGHT=30>", 90, 30, 0, 0, 4},
      {"<IMG SRC=w60.png WIDTH=33 HEIGHT=44>", 33, 44, 0, 0, 4},
      {"<IMG SRC=w60.png HSPACE=100>", 60, 20, 40, 40, 4},
      {"<IMG SRC=w60.png HSPACE=-7>", 60, 20, 7, 7, 4},
      {"<IMG SRC=w60.png ALIGN=left>", 60, 20, 3, 3, 5},
      {"<IMG SRC=w60.png ALIGN=right HSPACE=0>", 60, 20, 0, 0, 6},
      {"<IMG SRC=w60.png ALIGN=ABSMIDDLE>", 60, 20, 0, 0, 2},
      {"<IMG SRC=w60.png ALIGN=bogus>", 60, 20, 0, 0, 4},
  };
  for (const auto& C : Cases) {
    auto Doc = LaidOutPage(std::string("<DIV style=\"width:400px\">") + C.Tag + "</DIV>", &F);
    Doc->DoLogic(600, 400);
    TSection* Text = AllOf<TSection>(*Doc).at(0);
    ASSERT_EQ(Text->Images.Count(), 1) << C.Tag;
    const TImageObj& I = *Text->Images.Items[0];
    EXPECT_FALSE(I.Missing) << C.Tag;
    EXPECT_EQ(I.ImageWidth, C.Width) << C.Tag;
    EXPECT_EQ(I.ImageHeight, C.Height) << C.Tag;
    EXPECT_EQ(I.HSpaceL, C.HSpaceL) << C.Tag;
    EXPECT_EQ(I.HSpaceR, C.HSpaceR) << C.Tag;
    EXPECT_EQ(I.Align, C.Align) << C.Tag;
  }
}

TEST(LayoutCasesTest, ImageBordersInLinksAndMissingPictures)
{
  const TPictureFolder F{"corvane-image-borders", {{"w60.png", 60, 20, 0x0000FF}}};
  struct {
    const char* Body;
    int ClientWidth, ClientHeight;
  } Cases[] = {
      {"<A HREF=x><IMG SRC=w60.png></A>", 62, 22},
      {"<A HREF=x><IMG SRC=w60.png BORDER=0></A>", 60, 20},
      {"<IMG SRC=w60.png>", 60, 20},
  };
  for (const auto& C : Cases) {
    auto Doc = LaidOutPage(C.Body, &F);
    Doc->DoLogic(600, 400);
    const TImageObj& I = *FirstText(*Doc)->Images.Items.at(0);
    EXPECT_EQ(I.ClientWidth, C.ClientWidth) << C.Body;
    EXPECT_EQ(I.ClientHeight, C.ClientHeight) << C.Body;
  }
  // A missing picture makes room for its alt text in 8-point Arial (11
  // pixels high, 5 wide a character) beside its icon.
  auto Doc = LaidOutPage("<IMG SRC=none.png ALT=abcd>", &F);
  Doc->DoLogic(600, 400);
  const TImageObj& Missing = *FirstText(*Doc)->Images.Items.at(0);
  EXPECT_TRUE(Missing.Missing);
  EXPECT_GE(Missing.ImageWidth, 4 * 5 + 26);
  EXPECT_GE(Missing.ImageHeight, 24);
}

TEST(LayoutCasesTest, LeftFloatingImageIndentsTheText)
{
  const TPictureFolder F{"corvane-image-float", {{"w50.png", 50, 30, 0x0000FF}}};
  auto Doc = MakeDocument();
  Doc->MarginWidth = 10;
  F.AllowIn(*Doc);
  // 30 pixels high: the first two lines of text (19 each) run beside it.
  ParseHtmlIntoSections("<BODY><IMG SRC=w50.png ALIGN=left HSPACE=3 HEIGHT=30>aaa bbb ccc ddd eee fff ggg hhh iii jjj "
                        "kkk lll mmm nnn ooo ppp qqq rrr sss ttt uuu vvv www xxx yyy zzz",
                        *Doc);
  Render(*Doc, 300, 100);
  TSection* Text = FirstText(*Doc);
  const TImageObj& I = *Text->Images.Items.at(0);
  EXPECT_EQ(I.DrawX, 13);
  // The picture's own character takes a line of no height; then the text.
  ASSERT_GE(Text->Lines.size(), 4u);
  EXPECT_EQ(Text->Lines[0].CharsInLine, 1);
  EXPECT_EQ(Text->Lines[1].PaintY, Text->Lines[0].PaintY);
  for (int L : {1, 2})
    EXPECT_EQ(Text->Lines[std::size_t(L)].PaintX, 66) << "line " << L;
  EXPECT_EQ(Text->Lines[3].PaintX, 10) << "below the picture";
}

// Text at 20 pixels: characters 10 wide.
std::unique_ptr<TSectionList> Column(int Width, const std::string& Text, const std::string& Style = "")
{
  return LaidOutPage("<DIV style=\"font-size:20px; width:" + std::to_string(Width) + "px; " + Style + "\">" + Text + "</DIV>");
}

std::vector<int> LineLengths(TSectionList& Doc)
{
  Doc.DoLogic(600, 400);
  std::vector<int> Result;
  for (const LineRec& L : FirstText(Doc)->Lines)
    Result.push_back(L.CharsInLine);
  return Result;
}

TEST(LayoutCasesTest, LineBreaks)
{
  struct {
    int Width;
    const char* Text;
    std::vector<int> Lines;
  } Cases[] = {
      {40, "abcdefghij", {10}},        // an overlong word stays whole
      {40, "aa-bbbb", {3, 4}},         // after a hyphen
      {40, "aa?bbbb", {3, 4}},         // after a question mark
      {60, "aa bb cc dd", {6, 5}},     // at spaces; the space stays on the first line
      {40, "aa&nbsp;bb cc", {6, 2}},   // never at a no-break space
  };
  for (const auto& C : Cases) {
    auto Doc = Column(C.Width, C.Text);
    EXPECT_EQ(LineLengths(*Doc), C.Lines) << C.Text;
  }
}

TEST(LayoutCasesTest, IdeographsBreakAnywhere)
{
  // Six ideographs of 20 pixels in Shift-JIS, in a column of 50.
  auto Doc = MakeDocument();
  Doc->MarginWidth = Doc->MarginHeight = 0;
  ParseHtmlIntoSections("<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-sjis\"></HEAD>"
                        "<BODY><DIV style=\"font-size:20px; width:50px\">"
                        "\x88\x9f\x88\x9f\x88\x9f\x88\x9f\x88\x9f\x88\x9f</DIV>",
                        *Doc);
  EXPECT_EQ(LineLengths(*Doc), (std::vector<int>{2, 2, 2}));
}

TEST(LayoutCasesTest, MeasuredWidths)
{
  struct {
    const char* Text;
    const char* Style;
    int Min, Max;
  } Cases[] = {
      {"ab cde", "", 30, 60},
      {"abcdefghij", "", 100, 100},
      {"ab cde", "text-indent:25%", 30, 80},
  };
  for (const auto& C : Cases) {
    auto Doc = Column(200, C.Text, C.Style);
    int Min = 0, Max = 0;
    FirstText(*Doc)->MeasureWidths(Min, Max);
    EXPECT_EQ(Min, C.Min) << C.Text << " " << C.Style;
    EXPECT_EQ(Max, C.Max) << C.Text << " " << C.Style;
  }
}

TEST(LayoutCasesTest, LeadingAroundTheText)
{
  // 13-pixel characters make text 15 high.
  struct {
    const char* LineHeight;
    int Above, Below;
  } Cases[] = {{"20px", 2, 3}, {"10px", -2, -3}, {"15px", 0, 0}};
  for (const auto& C : Cases) {
    auto Doc = LaidOutPage(std::string("<DIV style=\"font-size:13px; line-height:") + C.LineHeight + "\">text</DIV>");
    Doc->DoLogic(400, 400);
    const LineRec& L = FirstText(*Doc)->Lines.at(0);
    EXPECT_EQ(L.TextHeight, 15) << C.LineHeight;
    EXPECT_EQ(L.LeadAbove, C.Above) << C.LineHeight;
    EXPECT_EQ(L.LeadBelow, C.Below) << C.LineHeight;
  }
}

TEST(LayoutCasesTest, JustifiedLinesShareTheirSpareRoom)
{
  // 8 characters to a line: "aa\xa0b cc" is 7 and " dd" would not fit.
  auto Doc = LaidOutPage("<P ALIGN=justify style=\"font-size:20px; width:80px\">aa&nbsp;b cc dd</P>");
  Doc->DoLogic(600, 400);
  TSection* Text = FirstText(*Doc);
  ASSERT_EQ(Text->Lines.size(), 2u);
  EXPECT_EQ(Text->Lines[0].SpaceCount, 2) << "the no-break space counts";
  EXPECT_EQ(Text->Lines[0].SpareWidth, 10);
  EXPECT_EQ(Text->Lines[1].SpareWidth, 0) << "the last line is not stretched";
}

}  // namespace
