// The document objects end to end: the chat conversation as the chat window
// builds it, rendered at width 600 and compared with a golden picture, with
// pixel probes on what must show; layout numbers with the fixed fonts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "ChatDocument.h"
#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/MapItem.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "platform/win/gdi/Screenshot.h"
#include "tests/support/GoldenImage.h"
#include "platform/win/gdi/gdi.h"


TEST(ViewerRenderTest, ChatConversationAtWidth600)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(ChatDocument(3), *Doc);
  EXPECT_EQ(Doc->Title, u"On ne devrait pas voir cela");
  const TRendered R = Render(*Doc, 600);
  ASSERT_GT(R.Height, 60);
  ExpectGoldenPicture(R.Picture, "chat-600.png");

  const auto Blocks = BodyBlocks(*Doc);
  ASSERT_EQ(Blocks.size(), 6u);  // header and message per message
  const int YOff = 0;
  // The header: black fill, its inset border, white text inside.
  const TBlock& Header = *Blocks[0];
  const TRect HB = Header.BorderBox();
  EXPECT_EQ(At(R.Picture, HB.Left + 20, HB.Top + 1 + YOff), 0x000000u);
  bool WhiteText = false;
  for (int X = HB.Left + 1; X < HB.Left + 60; ++X)
    for (int Y = HB.Top + 1; Y < HB.Bottom - 1; ++Y)
      WhiteText = WhiteText || At(R.Picture, X, Y) == 0xFFFFFFu;
  EXPECT_TRUE(WhiteText);
  // The inset border darkens its left and top sides (black stays black) and
  // keeps the right side black: 1 pixel wide.
  EXPECT_EQ(At(R.Picture, HB.Right - 1, HB.Top + 3), 0x000000u);
  EXPECT_EQ(At(R.Picture, HB.Right, HB.Top + 3), 0xFFFFFFu);
  // The messages: their fills and 1-pixel black borders.
  const TRect Own = Blocks[1]->BorderBox(), Other = Blocks[3]->BorderBox();
  EXPECT_EQ(At(R.Picture, Own.Right - 3, Own.Top + 2), 0xAACCAAu);
  EXPECT_EQ(At(R.Picture, Other.Right - 3, Other.Top + 2), 0xAAAACCu);
  for (const TRect& B : {Own, Other}) {
    EXPECT_EQ(At(R.Picture, B.Left, B.Top + 2), 0x000000u);
    EXPECT_EQ(At(R.Picture, B.Left + 1, B.Top + 2) != 0x000000u, true);
    EXPECT_EQ(At(R.Picture, B.Right - 1, B.Bottom - 1), 0x000000u);
    EXPECT_EQ(At(R.Picture, B.Right - 2, B.Bottom - 2) != 0x000000u, true);
  }
  // The smiley sits on the baseline, drawn through its mask: the message's
  // fill shows where it is transparent.
  auto* Text = dynamic_cast<TSection*>(Blocks[3]->MyCell->Sections.front().get());
  ASSERT_NE(Text, nullptr);
  ASSERT_EQ(Text->Images.Count(), 1);
  const TImageObj& Smiley = *Text->Images.Items[0];
  EXPECT_FALSE(Smiley.Missing);
  const LineRec& Line = Text->Lines.front();
  const int Baseline = Line.PaintY + Line.TextHeight - Line.MaxDescent;
  EXPECT_EQ(Smiley.DrawY + Smiley.ClientHeight, Baseline);
  // Its first row alternates an opaque pixel with two transparent ones.
  EXPECT_NE(At(R.Picture, Smiley.DrawX, Smiley.DrawY), 0xAAAACCu);
  EXPECT_EQ(At(R.Picture, Smiley.DrawX + 1, Smiley.DrawY), 0xAAAACCu);
  EXPECT_EQ(At(R.Picture, Smiley.DrawX + 2, Smiley.DrawY), 0xAAAACCu);
}

TEST(ViewerRenderTest, PicturesOutsideTheAllowedFoldersAreNotRead)
{
  auto Doc = MakeDocument();
  Doc->OnExpandName = nullptr;
  // A name of this process alone: test cases run in parallel processes.
  const std::string Outside =
      std::filesystem::temp_directory_path() / ("corvane-outside-" + std::to_string(getpid()) + ".gif");
  std::filesystem::copy_file(SmileyDir + "/smiley01.gif", Outside, std::filesystem::copy_options::overwrite_existing);
  ParseHtmlIntoSections("<BODY><IMG SRC=\"" + Outside + "\"><IMG SRC=\"" + SmileyDir + "/smiley01.gif\">", *Doc);
  Doc->DoLogic(600, 400);
  auto* Text = dynamic_cast<TSection*>(BodyBlocks(*Doc).empty()
                                          ? dynamic_cast<TBlock*>(Doc->Sections.front().get())->MyCell->Sections.front().get()
                                          : nullptr);
  ASSERT_NE(Text, nullptr);
  ASSERT_EQ(Text->Images.Count(), 2);
  EXPECT_TRUE(Text->Images.Items[0]->Missing);
  EXPECT_FALSE(Text->Images.Items[1]->Missing);
  Doc->MaxFileBytes = 10;  // the size limit
  Doc->Clear();
  Doc->SetImageCache(nullptr);
  std::filesystem::remove(Outside);
}

TEST(ViewerRenderTest, RelayoutDecodesNothingAgain)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(ChatDocument(6), *Doc);
  Doc->DoLogic(600, 400);
  const int Decoded = Doc->DecodeCount;
  for (int W = 300; W <= 1200; W += 300)
    Doc->DoLogic(W, 400);
  EXPECT_EQ(Doc->DecodeCount, Decoded);
  EXPECT_EQ(Doc->DoLogic(600, 400), Doc->DoLogic(600, 400));
}

TEST(ViewerRenderTest, CaretPointAndCharIndexAtAgreeOnEveryCharacter)
{
  for (const char* Align : {"left", "center", "justify"}) {
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(std::string("<BODY><P ALIGN=") + Align +
                              ">one two three four five six seven eight nine ten eleven twelve</P>",
                          *Doc);
    Doc->DoLogic(200, 400);
    auto* P = BodyBlocks(*Doc).at(0);
    auto* Text = dynamic_cast<TSection*>(P->MyCell->Sections.front().get());
    ASSERT_NE(Text, nullptr);
    ASSERT_GT(Text->Lines.size(), 1u);
    Render(*Doc, 200);
    for (int Pos = Text->StartPos; Pos < Text->StartPos + Text->CharCount; ++Pos) {
      char16_t Ch = 0;
      Text->CharAt(Pos, Ch);
      if (Ch == u' ')
        continue;  // a line's trailing space is not reachable
      int X = 0, Y = 0;
      ASSERT_TRUE(Text->CaretPoint(Pos, X, Y)) << Pos;
      bool InText = false;
      int CX = 0, CY = 0, CH = 0;
      EXPECT_EQ(Doc->CharIndexAt(X + 1, Y + 1, InText, CX, CY, CH), Pos) << Align << " " << Pos;
      EXPECT_EQ(CX, X) << Align << " " << Pos;
    }
  }
}

TEST(ViewerRenderTest, MarginsCollapse)
{
  struct {
    const char* Bottom;
    const char* Top;
    int Gap;
  } Cases[] = {{"10px", "14px", 14}, {"-5px", "14px", 9}, {"-5px", "-8px", -8}};
  for (const auto& C : Cases) {
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(std::string("<BODY><DIV style=\"margin-bottom:") + C.Bottom + "\">a</DIV><DIV style=\"margin-top:" +
                              C.Top + "\">b</DIV>",
                          *Doc);
    Doc->DoLogic(600, 400);
    const auto Blocks = BodyBlocks(*Doc);
    ASSERT_EQ(Blocks.size(), 2u);
    EXPECT_EQ(Blocks[1]->ContentTop - Blocks[0]->ContentBot, C.Gap) << C.Bottom << " " << C.Top;
  }
}

TEST(ViewerRenderTest, AutoMarginsCentre)
{
  auto Doc = MakeDocument();
  Doc->Styles.AddModifyProp("body", "margin-left", "0");
  Doc->Styles.AddModifyProp("body", "margin-right", "0");
  ParseHtmlIntoSections("<BODY><DIV style=\"width:200px; margin-left:auto; margin-right:auto\">x</DIV>", *Doc);
  Doc->DoLogic(600, 400);
  const auto Blocks = BodyBlocks(*Doc);
  ASSERT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(Blocks[0]->NewWidth, 200);
  EXPECT_EQ(Blocks[0]->ContentLeft - Blocks[0]->MyCell->Sections.size() * 0, Blocks[0]->ContentLeft);
  EXPECT_EQ(Blocks[0]->MargArray[piMarginLeft], Blocks[0]->MargArray[piMarginRight]);
}

TEST(ViewerRenderTest, ListMarkerLabels)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY><OL TYPE=i START=23><LI>a</OL><OL TYPE=a START=27><LI>b</OL><LI>c</LI>"
                        "<OL TYPE=i><LI STYLE=\"list-style-type:square\">d</OL>",
                        *Doc);
  std::vector<TBlockLI*> Items;
  for (TBlock* B : AllOf<TBlock>(*Doc))
    if (auto* LI = dynamic_cast<TBlockLI*>(B))
      Items.push_back(LI);
  ASSERT_EQ(Items.size(), 4u);
  EXPECT_EQ(Items[0]->MarkerLabel(), "xx.");
  EXPECT_EQ(Items[1]->MarkerLabel(), "z.");
  EXPECT_EQ(Items[2]->ListKind, TBlockLI::Outside);
  EXPECT_EQ(Items[2]->ListStyle, lsDisc);
  EXPECT_EQ(Items[3]->ListStyle, lsSquare) << "the item's style replaces the list's TYPE";
}

TEST(ViewerRenderTest, MapCoordinates)
{
  EXPECT_EQ(ParseCoords("10,20 30, 40"), (std::vector<int>{10, 20, 30, 40}));
  EXPECT_EQ(ParseCoords("a,5,10,20"), (std::vector<int>{0, 5, 10, 20}));
}

TEST(ViewerRenderTest, InlineBoxesPaintBehindTheirTextAndOpenAcrossLines)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY>aa <SPAN style=\"background-color:#00FF00; border:2px solid #0000FF\">bbbb cccc dddd "
                        "eeee ffff</SPAN> gg",
                        *Doc);
  const TRendered R = Render(*Doc, 150);
  auto* Text = dynamic_cast<TSection*>(dynamic_cast<TBlock*>(Doc->Sections.front().get())->MyCell->Sections.front().get());
  ASSERT_NE(Text, nullptr);
  ASSERT_GE(Text->Lines.size(), 2u);
  const LineRec& First = Text->Lines[0];
  const LineRec& Second = Text->Lines[1];
  const int BoxLeft = First.PaintX + Text->LineTextWidth(First, 3);  // after "aa "
  const int Mid1 = First.PaintY + First.TextHeight / 2;
  const int Mid2 = Second.PaintY + Second.TextHeight / 2;
  // The first line opens the box: its left border (blue, 2 px), then fill
  // showing between the letters.
  EXPECT_EQ(At(R.Picture, BoxLeft - 1, Mid1), 0x0000FFu);
  EXPECT_EQ(At(R.Picture, BoxLeft - 2, Mid1), 0x0000FFu);
  EXPECT_EQ(At(R.Picture, BoxLeft - 3, Mid1), 0xFFFFFFu);
  EXPECT_EQ(At(R.Picture, BoxLeft - 1, First.PaintY - 1), 0x0000FFu) << "top border";
  bool Fill = false;
  for (int X = BoxLeft; X < BoxLeft + 40; ++X)
    Fill = Fill || At(R.Picture, X, Mid1) == 0x00FF00u;
  EXPECT_TRUE(Fill);
  // The second line continues it: fill from the line start, no left side.
  bool Fill2 = false, Blue2 = false;
  for (int X = Second.PaintX; X < Second.PaintX + 12; ++X) {
    Fill2 = Fill2 || At(R.Picture, X, Mid2) == 0x00FF00u;
    Blue2 = Blue2 || At(R.Picture, X, Mid2) == 0x0000FFu;
  }
  EXPECT_TRUE(Fill2);
  EXPECT_FALSE(Blue2);
  ExpectGoldenPicture(R.Picture, "inline-box.png");
}

// Blocks left open message after message stop nesting at a fixed depth; the
// text of every message is still there and layout stays shallow.
TEST(ViewerRenderTest, BlocksLeftOpenNestOnlySoDeep)
{
  for (const char* Open : {"<DIV>", "<LI>", "<UL><LI>"}) {
    std::string Page = "<BODY>";
    for (int I = 0; I < 3000; ++I)
      Page += std::string(Open) + "m" + std::to_string(I) + " ";
    auto Doc = MakeDocument();
    ParseHtmlIntoSections(Page, *Doc);
    int Depth = 0;
    for (auto* B = dynamic_cast<TBlock*>(Doc->Sections.front().get()); B;) {
      ++Depth;
      TBlock* Inner = nullptr;
      for (auto& S : B->MyCell->Sections)
        if (auto* Child = dynamic_cast<TBlock*>(S.get()))
          Inner = Child;
      B = Inner;
    }
    EXPECT_LE(Depth, 101) << Open;
    EXPECT_GT(Doc->DoLogic(600, 400), 0);
    char16_t Ch = 0;
    auto* Body = dynamic_cast<TBlock*>(Doc->Sections.front().get());
    EXPECT_TRUE(Body->CharAt(Body->StartPos + Body->CharCount - 1, Ch)) << Open;
    EXPECT_EQ(Ch, u'9') << Open;  // the last message's "m2999"
  }
}
