// Whole pages painted with the fixed test fonts and compared with golden
// pictures: every border style, a float with text round it, nested lists and
// a selection across lines; with the strokes of dashed and dotted borders.
#include <gtest/gtest.h>

#include "RenderSupport.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/paint/PatternedBorder.h"

namespace {

// Page built with the chat window's settings, painted whole at Width.
void ExpectGoldenPage(const std::string& Page, int Width, const std::string& Golden)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(Page, *Doc);
  ExpectGoldenPicture(Render(*Doc, Width).Picture, Golden);
}

TEST(GoldenPagesTest, DashedAndDottedSidesJoinIntoOneStroke)
{
  const TColor Blue = 0x0000FF, Red = 0xFF0000;
  struct {
    TBorderStyles Styles;
    TBorderColors Colors;
    std::array<int, 4> Widths;
    std::vector<std::array<int, 3>> Runs;  // first side, side count, closed
  } Cases[] = {
      {{7, 7, 7, 7}, {Blue, Blue, Blue, Blue}, {3, 3, 3, 3}, {{0, 4, 1}}},
      {{6, 6, 6, 6}, {Blue, Blue, Blue, Blue}, {3, 3, 3, 3}, {{0, 4, 1}}},
      {{7, 7, 7, 7}, {Blue, Blue, Red, Blue}, {3, 3, 3, 3}, {{0, 2, 0}, {2, 1, 0}, {3, 1, 0}}},
      {{7, 7, 7, 7}, {Blue, Blue, Blue, Blue}, {3, 3, 2, 3}, {{0, 2, 0}, {2, 1, 0}, {3, 1, 0}}},
      {{7, 6, 7, 7}, {Blue, Blue, Blue, Blue}, {3, 3, 3, 3}, {{0, 1, 0}, {1, 1, 0}, {2, 2, 0}}},
      {{1, 7, 7, 1}, {Blue, Blue, Blue, Blue}, {3, 3, 3, 3}, {{1, 2, 0}}},
      {{7, 7, 7, 7}, {Blue, Blue, Blue, Blue}, {3, 0, 3, 3}, {{0, 1, 0}, {2, 2, 0}}},
  };
  for (const auto& C : Cases) {
    std::vector<std::array<int, 3>> Runs;
    for (const TPatternRun& R : PatternRuns(C.Colors, C.Styles, C.Widths))
      Runs.push_back({R.FirstSide, R.SideCount, R.Closed ? 1 : 0});
    EXPECT_EQ(Runs, C.Runs);
  }
}

TEST(GoldenPagesTest, EveryBorderStyle)
{
  std::string Page = "<BODY>";
  for (const char* Style : {"none", "solid", "inset", "outset", "groove", "ridge", "dashed", "dotted", "double"})
    Page += std::string("<DIV style=\"width:150px; height:16px; margin:4px; border:6px ") + Style +
            " #3060C0\">" + Style + "</DIV>";
  Page += "<DIV style=\"width:150px; height:16px; margin:4px; border-width:1px 2px 3px 4px; "
          "border-style:dotted; border-color:#C03030\">thin</DIV>"
          "<DIV style=\"width:150px; height:16px; margin:4px; border-style:dashed dotted; "
          "border-width:3px; border-color:#30A030 #C03030\">mixed</DIV>";
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(Page, *Doc);
  const TRendered R = Render(*Doc, 200);
  ExpectGoldenPicture(R.Picture, "border-styles.png");

  // The closed dotted loop: a dot on every corner of its middle line, the
  // inside of the box left alone.
  TBlock* Dotted = BodyBlocks(*Doc).at(7);
  const TRect B = Dotted->BorderBox();
  for (auto [X, Y] : {std::pair{B.Left + 3, B.Bottom - 3}, std::pair{B.Left + 3, B.Top + 3},
                      std::pair{B.Right - 3, B.Top + 3}})
    EXPECT_EQ(At(R.Picture, X, Y), 0x3060C0u) << X << "," << Y;
  EXPECT_EQ(At(R.Picture, B.Left + 8, B.Top + 8), 0xFFFFFFu);
}

TEST(GoldenPagesTest, FloatWithTextRoundIt)
{
  ExpectGoldenPage("<BODY><DIV style=\"float:left; width:80px; height:50px; margin-right:6px; "
                   "background-color:#C0E0C0; border:2px solid #208020\">float</DIV>"
                   "<P>The text flows beside the float while it lasts and then takes the whole width of the "
                   "column again, line after line, below it.</P>"
                   "<DIV style=\"float:right; width:60px; height:30px; border:1px solid #802020\">right</DIV>"
                   "<P>More text passes on the left of the right float.</P>",
                   300, "float-text.png");
}

TEST(GoldenPagesTest, NestedLists)
{
  ExpectGoldenPage("<BODY><UL><LI>one<UL><LI>two<UL><LI>three<LI>three again</UL><LI>two again</UL>"
                   "<LI>one again</UL><OL TYPE=I><LI>roman<LI>roman<OL TYPE=a START=3><LI>letter<LI>letter</OL>"
                   "</OL><OL><LI>number<LI STYLE=\"list-style-type:square\">square</OL>",
                   300, "nested-lists.png");
}

TEST(GoldenPagesTest, SelectionAcrossLines)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY><P>The first line of text, <B>bold words</B> and <SPAN "
                        "style=\"background-color:#FFE080\">a marked run</SPAN> go on over three lines.</P>",
                        *Doc);
  Doc->DoLogic(200, 400);
  Doc->SelStart = 10;
  Doc->SelEnd = 75;
  const TRendered R = Render(*Doc, 200);
  ExpectGoldenPicture(R.Picture, "selection.png");
  // Selected text is painted in its colour's opposite on black.
  int Black = 0;
  for (std::uint32_t P : R.Picture.Pixels)
    Black += P == 0x000000u;
  EXPECT_GT(Black, 500);
}

}  // namespace

TEST(GoldenPagesTest, ARealPageWithHeadingsAMissingPictureAndATable)
{
  ExpectGoldenPage("<HTML><HEAD><TITLE>Rapport</TITLE></HEAD><BODY>"
                   "<H1>Annual report</H1>"
                   "<P>An opening paragraph under the main heading, long enough to wrap onto a second line.</P>"
                   "<H2>Figures</H2>"
                   "<P><IMG src=\"chart.png\" alt=\"Sales chart\" align=left>The chart that should stand on the "
                   "left is missing: its frame keeps its place with the alt text inside.</P>"
                   "<H3>Details</H3>"
                   "<TABLE border=1 cellpadding=3><TR><TH>Quarter</TH><TH>Sales</TH></TR>"
                   "<TR><TD>First</TD><TD align=right>120</TD></TR>"
                   "<TR><TD>Second</TD><TD align=right>145</TD></TR></TABLE>"
                   "<CENTER>centred closing line</CENTER></BODY></HTML>",
                   420, "real-page.png");
}
