// Elements the document builder gives their meaning: headings take the
// style sheet's "h1" to "h6" rules, CENTER centres its lines without a box
// of its own, BGSOUND asks for its sound; and where a position past the end
// of the document lies.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "RenderSupport.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/FontObj.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"

namespace {

// The font of the first run of the first text section inside Block.
const TMyFont& FirstFont(TBlock& Block)
{
  auto* S = dynamic_cast<TSection*>(Block.MyCell->Sections.at(0).get());
  EXPECT_NE(S, nullptr);
  return *S->Fonts.Items.at(0)->Font;
}

TSection* SectionAt(TCellBasic& Cell, std::size_t I) { return dynamic_cast<TSection*>(Cell.Sections.at(I).get()); }

}  // namespace

TEST(BuilderElementsTest, HeadingsTakeTheirSizesWeightAndMargins)
{
  // Points at 96 pixels per inch: 24, 18, 14, 12, 10 and 8 points of a 12-point page.
  const std::tuple<const char*, int> Cases[] = {{"h1", -32}, {"h2", -24}, {"h3", -19},
                                                {"h4", -16}, {"h5", -13}, {"h6", -11}};
  for (auto [Tag, Height] : Cases) {
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(std::string("<BODY><") + Tag + ">Title</" + Tag + "><P>body text</P>", *Doc);
    Render(*Doc, 400);
    const auto Blocks = BodyBlocks(*Doc);
    ASSERT_EQ(Blocks.size(), 2u) << Tag;
    const TMyFont& F = FirstFont(*Blocks[0]);
    EXPECT_EQ(F.Height, Height) << Tag;
    EXPECT_TRUE(F.Style.Contains(fsBold)) << Tag;
    // The heading's 19-pixel margins: above it, and between it and the paragraph.
    EXPECT_GE(Blocks[0]->BorderBox().Top, 19) << Tag;
    EXPECT_GE(Blocks[1]->BorderBox().Top - Blocks[0]->BorderBox().Bottom, 19) << Tag;
    EXPECT_FALSE(FirstFont(*Blocks[1]).Style.Contains(fsBold)) << Tag;
    EXPECT_EQ(FirstFont(*Blocks[1]).Height, -16) << Tag;
  }
}

TEST(BuilderElementsTest, AuthorRulesReachHeadingsAndAnyHeadingEndClosesOne)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<STYLE>h2 { color: #FF0000; font-size: 30px }</STYLE>"
                        "<H2>red</H2><H1>big</H2>after<H7>no heading</H7>", *Doc);
  Doc->DoLogic(400, 400);
  const auto Blocks = BodyBlocks(*Doc);
  ASSERT_GE(Blocks.size(), 2u);
  EXPECT_EQ(FirstFont(*Blocks[0]).Color & 0xFFFFFF, 0x0000FFu);  // red, as a colour value
  EXPECT_EQ(FirstFont(*Blocks[0]).Height, -30);
  EXPECT_EQ(FirstFont(*Blocks[1]).Height, -32);
  // The text after the H1 closed by "</H2>" is body text again, and so is
  // the text of an H7, which is no heading.
  const auto* Body = static_cast<TBlock*>(Doc->Sections.front().get());
  auto* After = dynamic_cast<TSection*>(Body->MyCell->Sections.back().get());
  ASSERT_NE(After, nullptr);
  EXPECT_EQ(After->Text.substr(0, 5), u"after");
  EXPECT_EQ(After->Fonts.Items.at(0)->Font->Height, -16);
  EXPECT_FALSE(After->Fonts.Items.at(0)->Font->Style.Contains(fsBold));
}

TEST(BuilderElementsTest, CenterCentresItsLinesWithoutABoxOfItsOwn)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY>left<CENTER>middle</CENTER>left again", *Doc);
  Doc->DoLogic(400, 400);
  auto* Body = static_cast<TBlock*>(Doc->Sections.front().get());
  ASSERT_EQ(Body->MyCell->Count(), 3);
  for (auto& S : Body->MyCell->Sections)
    EXPECT_FALSE(S->IsBlock());  // no block for CENTER
  TSection* Left = SectionAt(*Body->MyCell, 0);
  TSection* Middle = SectionAt(*Body->MyCell, 1);
  TSection* Again = SectionAt(*Body->MyCell, 2);
  ASSERT_TRUE(Left && Middle && Again);
  EXPECT_EQ(Middle->Text, u"middle");
  EXPECT_EQ(Left->Lines[0].OffsetX, 0);
  EXPECT_EQ(Again->Lines[0].OffsetX, 0);
  // Centred in the 380 pixels between the body's margins.
  const int Width = Middle->RunWidth(0, int(Middle->Text.size()));
  EXPECT_NEAR(Middle->Lines[0].OffsetX, (380 - Width) / 2, 1);
}

TEST(BuilderElementsTest, BackgroundSoundReachesTheSoundRequest)
{
  auto Doc = MakeDocument();
  std::vector<std::tuple<std::string, int, bool>> Requests;
  Doc->OnSoundRequest = [&](const std::string& Src, int Loop, bool Terminate) {
    Requests.emplace_back(Src, Loop, Terminate);
  };
  ParseHtmlIntoSections("<BGSOUND src=\"ding.wav\"><BGSOUND src=\"loop.mid\" loop=3><BGSOUND loop=2>text", *Doc);
  const std::vector<std::tuple<std::string, int, bool>> Expected{{"ding.wav", 1, false}, {"loop.mid", 3, false}};
  EXPECT_EQ(Requests, Expected);
}

TEST(BuilderElementsTest, APositionAtOrPastTheEndLiesBelowTheLastCharacter)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<P>first line</P><P>last</P>", *Doc);
  Doc->DoLogic(300, 400);
  const int Length = Doc->DocLength;
  ASSERT_GT(Length, 0);
  int LX = 0, LY = 0;
  ASSERT_TRUE(Doc->CaretPoint(Length - 1, LX, LY));
  for (int Pos : {Length, Length + 1, Length + 1000}) {
    int X = -1, Y = -1;
    ASSERT_TRUE(Doc->PositionPoint(Pos, X, Y)) << Pos;
    EXPECT_EQ(X, LX) << Pos;
    EXPECT_EQ(Y, LY + 15) << Pos;
  }
  int X = 0, Y = 0;
  ASSERT_TRUE(Doc->PositionPoint(0, X, Y));
  EXPECT_LT(Y, LY);
}

TEST(BuilderElementsTest, BodyLinkColoursReachTheLinks)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY link=\"#00C000\" vlink=\"#C00000\" olink=\"#0000C0\"><A href=\"x.html\">go</A>", *Doc);
  Doc->DoLogic(300, 400);
  ASSERT_FALSE(Doc->LinkList.empty());
  EXPECT_EQ(Doc->LinkList[0]->Font->Color & 0xFFFFFF, 0x00C000u);
  EXPECT_TRUE(Doc->Styles.LinksActive());
}

TEST(BuilderElementsTest, APicturesNameIsAPlaceToJumpTo)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY>text<IMG src=\"a.png\" name=\"chart\" alt=a>", *Doc);
  const auto It = std::find_if(Doc->IdNames.begin(), Doc->IdNames.end(),
                               [](const auto& N) { return N.first == "chart"; });
  ASSERT_NE(It, Doc->IdNames.end());
  EXPECT_EQ(It->second, 10);  // where the tag starts in the source
}
