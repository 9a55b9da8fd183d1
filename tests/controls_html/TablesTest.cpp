// Tables: the attribute clamps, the grid's fillers for spans, the column
// width algorithms on measured columns, row heights, the blocks' widths and
// alignment, nesting, hostile spans, and a rendered bordered table.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/Section.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/parser/Attributes.h"
#include "controls/html/tables/TableBlock.h"
#include "controls/html/tables/TableLayout.h"
#include "platform/base/Exception.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/gdi.h"
#include "tests/support/GoldenImage.h"

namespace {

std::unique_ptr<TSectionList> NewTableDocument(int Margin = 10)
{
  auto Doc = std::make_unique<TSectionList>(TestFonts());
  Doc->SetDefaults("Times New Roman", "Courier New", 0, 12, 0xFF0000, 0x800080, 0x0000FF, 0xFFFFFF, Margin, Margin);
  return Doc;
}

// Every table block of the document, outermost first.
void CollectTables(TCellBasic& Cell, std::vector<TTableBlock*>& Out)
{
  for (auto& S : Cell.Sections) {
    if (auto* T = dynamic_cast<TTableBlock*>(S.get())) {
      Out.push_back(T);
      for (auto& Row : T->Table->Rows)
        for (auto& Slot : Row->Slots)
          if (Slot.Cell)
            CollectTables(*Slot.Cell->Cell, Out);
    } else if (auto* B = dynamic_cast<TBlock*>(S.get())) {
      CollectTables(*B->MyCell, Out);
    }
  }
}

std::vector<TTableBlock*> Tables(TSectionList& Doc)
{
  std::vector<TTableBlock*> Out;
  CollectTables(Doc, Out);
  return Out;
}

// A table with ColumnCount columns and no cells, for the width algorithms.
struct TBareTable {
  TAttributeList NoAttributes;
  std::unique_ptr<TSectionList> Doc = NewTableDocument();
  ThtmlTable Table{Doc.get(), NoAttributes};
  explicit TBareTable(int Columns)
  {
    Table.Prepare();
    Table.ColumnCount = Columns;
    for (auto* V : {&Table.ColWidth, &Table.ColMin, &Table.ColMax, &Table.ColPermille})
      V->assign(std::size_t(Columns), 0);
  }
};

}  // namespace

TEST(TablesTest, AttributeClamps)
{
  struct TCase {
    const char* Html;
    int Border, Padding, Spacing;
  } Cases[] = {
      {"<table border>", 1, 1, 2},
      {"<table border=200 cellpadding=80 cellspacing=-5>", 100, 50, 2},
      {"<table border=0 cellpadding=-3 cellspacing=60>", 0, 1, 40},
  };
  for (const TCase& C : Cases) {
    auto Doc = NewTableDocument();
    ParseHtmlIntoSections(std::string(C.Html) + "<tr><td>x</td></tr></table>", *Doc);
    const auto T = Tables(*Doc);
    ASSERT_EQ(T.size(), 1u) << C.Html;
    EXPECT_EQ(T[0]->Table->Border, C.Border) << C.Html;
    EXPECT_EQ(T[0]->Table->Padding, C.Padding) << C.Html;
    EXPECT_EQ(T[0]->Table->Spacing, C.Spacing) << C.Html;
  }
}

TEST(TablesTest, SpansGetFillersAndEndAtTheLastRow)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<table><tr><td colspan=3>a</td><td>b</td></tr>"
                        "<tr><td colspan=0>c</td><td>d</td></tr>"
                        "<tr><td rowspan=5>e</td><td>f</td></tr>"
                        "<tr><td>g</td></tr></table>",
                        *Doc);
  ThtmlTable& T = *Tables(*Doc)[0]->Table;
  T.Prepare();
  ASSERT_EQ(T.Rows.size(), 4u);
  EXPECT_EQ(T.Rows[0]->Slots.size(), 4u);  // a, two fillers, b
  EXPECT_EQ(T.Rows[0]->Slots[1].ColSpan, 0);
  EXPECT_EQ(T.Rows[1]->Slots[0].Cell->ColSpan, 1);
  EXPECT_EQ(T.Rows[2]->Slots[0].Cell->RowSpan, 2);  // cut at the last row
  ASSERT_EQ(T.Rows[3]->Slots.size(), 2u);          // the filler, then g
  EXPECT_FALSE(T.Rows[3]->Slots[0].Cell);
  EXPECT_EQ(T.ColumnCount, 4);
}

TEST(TablesTest, HostileSpansStayBounded)
{
  std::string Html = "<table>";
  for (int R = 0; R < 50; ++R) {
    Html += "<tr>";
    for (int C = 0; C < 20; ++C)
      Html += "<td colspan=1000 rowspan=2000000000>x</td>";
  }
  Html += "</table>";
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections(Html, *Doc);
  Doc->DoLogic(600, 400);
  ThtmlTable& T = *Tables(*Doc)[0]->Table;
  EXPECT_LE(T.ColumnCount, ThtmlTable::MaxColumns);
  long long Slots = 0;
  for (auto& Row : T.Rows)
    Slots += (long long)Row->Slots.size();
  EXPECT_LE(Slots, 50LL * ThtmlTable::MaxColumns);
}

// A cell narrower than a word (a thousand columns share the page) lays the
// word out overflowing, as an overlong word; it does not move down looking
// for room that never comes.
TEST(TablesTest, CellsNarrowerThanAWordStayShort)
{
  for (const char* Html : {"<table cellpadding=4><tr><td colspan=2000000000>x</td></tr>"
                           "<tr><td>word</td><td>more words</td></tr></table>",
                           "<table cellpadding=4 width=1><tr><td>word</td><td>more words</td></tr></table>",
                           "<table cellpadding=3 border=1><tr><td colspan=2000000000><div>x y</div></td></tr>"
                           "<tr><td>word</td><td><img align=left width=5 height=5>more words</td></tr></table>",
                           "<img align=left width=50 height=50><table cellpadding=3 border=1>"
                           "<tr><td colspan=2000000000>x y z</td></tr></table>"}) {
    auto Doc = NewTableDocument();
    ParseHtmlIntoSections(Html, *Doc);
    EXPECT_LT(Doc->DoLogic(600, 400), 200) << Html;
    EXPECT_LT(Doc->DoLogic(1, 400), 200) << Html;
  }
  // A float whose bottom is not known yet promises no wider room below.
  IndentManager IMgr;
  IMgr.Reset(0, 10);
  IMgr.AddLeft(8, 0);
  EXPECT_EQ(IMgr.NextWiderY(5), 5);
  IMgr.SetRightBottom(IMgr.AddRight(9, 0), 40);
  EXPECT_EQ(IMgr.NextWiderY(5), 40);
}

TEST(TablesTest, TwoHalfColumnsOfASpecifiedWidth)
{
  TBareTable B(2);
  B.Table.ColMin = {20, 20};
  B.Table.ColMax = {50, 50};
  B.Table.ColPermille = {500, 500};
  B.Table.FitToWidth(398);  // width 400 less spacing 2
  EXPECT_EQ(B.Table.ColWidth, (std::vector<int>{199, 199}));
}

TEST(TablesTest, NaturalSpreadInProportionToTheRoom)
{
  TBareTable B(2);
  B.Table.ColMin = {50, 100};
  B.Table.ColMax = {150, 100};
  B.Table.FitNatural(150, 250, 300);
  EXPECT_EQ(B.Table.ColWidth, (std::vector<int>{200, 100}));
  // Equal totals: the share, and the remainder to the first column.
  TBareTable E(3);
  E.Table.ColMin = E.Table.ColMax = {10, 10, 10};
  E.Table.FitNatural(30, 30, 41);
  EXPECT_EQ(E.Table.ColWidth, (std::vector<int>{15, 13, 13}));
}

TEST(TablesTest, DegenerateGridsDoNotDivideByZero)
{
  TBareTable None(0);
  None.Table.FitNatural(0, 0, 300);
  None.Table.FitToWidth(300);
  None.Table.SpreadFixed(300, true);
  EXPECT_TRUE(None.Table.ColWidth.empty());
  // Every permille column becomes fixed at its minimum: nothing is shared out.
  TBareTable P(2);
  P.Table.ColMin = {300, 300};
  P.Table.ColMax = {300, 300};
  P.Table.ColPermille = {500, 500};
  P.Table.FitToWidth(400);
  EXPECT_EQ(P.Table.ColWidth, (std::vector<int>{300, 300}));
  // A zero-width percentage table and empty cells lay out.
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<table width=0% border=1><tr><td width=0%></td><td></td></tr><tr></tr></table>"
                        "<table><tr></tr></table><table></table>",
                        *Doc);
  EXPECT_GE(Doc->DoLogic(300, 400), 0);
}

TEST(TablesTest, MinimumWidthsWinOverTheRoom)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<body marginwidth=0><table cellspacing=0 cellpadding=0><tr>"
                        "<td>aaaaaaaaaaaaaaaaaaaa</td><td>bbbbbbbbbbbbbbbbbbbbbbbbbbbbbb</td></tr></table>",
                        *Doc);
  Doc->DoLogic(100, 400);
  ThtmlTable& T = *Tables(*Doc)[0]->Table;
  EXPECT_EQ(T.ColWidth, T.ColMin);
  EXPECT_GT(T.TotalWidth, 100);
}

TEST(TablesTest, SpecifiedRowHeightsRoundHalvesToEven)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<table cellspacing=0 cellpadding=0 height=25><tr><td height=10></td></tr>"
                        "<tr><td height=10></td></tr></table>"
                        "<table cellspacing=0 cellpadding=0><tr><td height=10></td></tr>"
                        "<tr><td height=10></td></tr></table>",
                        *Doc);
  Doc->DoLogic(300, 400);
  const auto T = Tables(*Doc);
  EXPECT_EQ(T[0]->Table->RowHeight, (std::vector<int>{12, 13}));
  EXPECT_EQ(T[1]->Table->RowHeight, (std::vector<int>{10, 10}));  // no height given: the content's
}

TEST(TablesTest, WidthsAndAlignmentOfTheBlock)
{
  auto Doc = NewTableDocument(0);
  ParseHtmlIntoSections("<table width=50% border=2><tr><td>x</td></tr></table>"
                        "<table width=200 align=center><tr><td>x</td></tr></table>"
                        "<table width=150%><tr><td>x</td></tr></table>",
                        *Doc);
  Doc->DoLogic(600, 400);
  Doc->Draw(CreateCompatibleDC(nullptr), {0, 0, 600, 400});
  const auto T = Tables(*Doc);
  auto* Body = dynamic_cast<TBlock*>(Doc->Sections.front().get());
  EXPECT_EQ(Body->NewWidth, 600);
  ASSERT_EQ(T.size(), 3u);
  EXPECT_EQ(T[0]->BorderBox().Right - T[0]->BorderBox().Left, 300);
  EXPECT_EQ(T[0]->MargArray[piBorderLeftWidth], 2);
  EXPECT_EQ(T[1]->MargArray[piMarginLeft], 200);
  EXPECT_LT(T[2]->BorderBox().Right - T[2]->BorderBox().Left, 100);  // its natural width
}

TEST(TablesTest, MiddleAlignedContentIsCentredInTheRow)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<table cellpadding=0><tr><td valign=middle height=100>"
                        "<div style=\"height:40px\"></div></td></tr></table>",
                        *Doc);
  Doc->DoLogic(300, 400);
  TCellObj& Cell = *Tables(*Doc)[0]->Table->Rows[0]->Slots[0].Cell;
  EXPECT_EQ(Cell.ContentHt, 40 + 0);
  EXPECT_EQ(Cell.Ht, 102);  // 100 plus the spacing
  EXPECT_EQ(Cell.YIndent, (102 - 40 - 2) / 2);
}

TEST(TablesTest, TenTablesNestAndTheEleventhIsPassedOver)
{
  for (int Depth : {10, 11}) {
    std::string Html;
    for (int I = 0; I < Depth; ++I)
      Html += "<table><tr><td>";
    Html += "deep";
    for (int I = 0; I < Depth; ++I)
      Html += "</td></tr></table>";
    auto Doc = NewTableDocument();
    ParseHtmlIntoSections(Html, *Doc);
    EXPECT_GT(Doc->DoLogic(600, 400), 0);
    const auto T = Tables(*Doc);
    ASSERT_EQ(T.size(), 10u) << Depth;
    // The innermost built table holds the text.
    auto& Inner = *T.back()->Table->Rows[0]->Slots[0].Cell->Cell;
    auto* Text = dynamic_cast<TSection*>(Inner.Last());
    ASSERT_NE(Text, nullptr) << Depth;
    EXPECT_EQ(Text->Text, u"deep");
  }
}

TEST(TablesTest, ABorderedTableWithSpansAndBackgrounds)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<body marginwidth=4 marginheight=4>"
                        "<table border=2 cellpadding=3 bgcolor=#ffffcc>"
                        "<caption>Caption</caption>"
                        "<tr bgcolor=#ccffcc><th colspan=2>Head across</th><td rowspan=2 bgcolor=#ccccff>Tall</td></tr>"
                        "<tr><td>one</td><td align=right>two</td></tr>"
                        "<tr><td></td><td colspan=2 style=\"border: 1px solid red\">wide cell</td></tr>"
                        "</table>",
                        *Doc);
  const int Width = 240;
  const int H = Doc->DoLogic(Width, 400);
  ASSERT_GT(H, 40);
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(Width, H, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  const TRect All{0, 0, Width, H};
  HBRUSH White = CreateSolidBrush(0xFFFFFF);
  FillRect(DC, &All, White);
  DeleteObject(White);
  Doc->Draw(DC, All);
  const TPixelImage Picture = CaptureDC(DC);
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
  const std::string Path = std::string(CORVANE_HTML_GOLDEN_DIR) + "/table-spans.png";
  if (std::getenv("CORVANE_UPDATE_GOLDENS"))
    WritePng(Path, Picture);
  std::string Message;
  EXPECT_TRUE(MatchesGolden(Picture, Path, &Message)) << Message;
  // The spanning cell's background (COLORREF order), and the empty cell's
  // table background without a frame.
  ThtmlTable& T = *Tables(*Doc)[0]->Table;
  TCellObj& Tall = *T.Rows[0]->Slots[2].Cell;
  auto Pixel = [&](int X, int Y) { return Picture.Pixels[std::size_t(Y * Picture.Width + X)]; };
  EXPECT_EQ(Tall.Ht, T.RowHeight[0] + T.RowHeight[1]);
  const uint32_t TallFill = Pixel(Tall.DrawX + Tall.Wd - 5, Tall.DrawY + Tall.Ht - 5);
  EXPECT_EQ(TallFill & 0xFFFFFF, 0xCCCCFFu & 0xFFFFFF);
}

TEST(TablesTest, AColumnTakenFromAboveCutsASpanShort)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<table><col span=3><tr><td>a<td rowspan=2>b<td>c<tr><td colspan=3>d</table>", *Doc);
  ThtmlTable& T = *Tables(*Doc).at(0)->Table;
  ASSERT_EQ(T.Rows.size(), 2u);
  const TCellObj* D = nullptr;
  for (auto& Slot : T.Rows[1]->Slots)
    if (Slot.Cell && !D)
      D = Slot.Cell.get();
  ASSERT_TRUE(D);
  EXPECT_EQ(D->ColSpan, 1);
}

TEST(TablesTest, AFloatPushesATableAside)
{
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<img src=none.gif align=left width=80 height=60 hspace=0>"
                        "<table width=100% border=0 cellspacing=0><tr><td>beside</td></tr></table>"
                        "<table width=100%><tr><td>below</td></tr></table>",
                        *Doc);
  Doc->DoLogic(300, 400);
  auto All = Tables(*Doc);
  ASSERT_EQ(All.size(), 2u);
  TTableBlock& Beside = *All[0];
  EXPECT_EQ(Beside.OffsetLeft, 80);
  EXPECT_GE(Beside.ContentLeft, 10 + 80);
  EXPECT_LE(Beside.ContentLeft + Beside.NewWidth, 300 - 10) << "it ends where the line ends";
  // The second table starts below the float's bottom only if it reaches it;
  // beside the float it is pushed the same way, below it not at all.
  TTableBlock& Next = *All[1];
  EXPECT_EQ(Next.OffsetLeft, Next.ContentTop >= 10 + 60 ? 0 : 80);
}

TEST(TablesTest, CellBackgroundImagesAreTiled)
{
  // A 3 x 2 picture with a red pixel at its top left, tiled over a cell.
  const std::string Path = (std::filesystem::temp_directory_path() / "corvane-cell-tile.bmp").string();
  {
    TBitmap Tile;
    Tile.SetSize(3, 2);
    TRect R{0, 0, 3, 2};
    HBRUSH Blue = CreateSolidBrush(0xFF0000);
    FillRect(Tile.Canvas()->Handle(), &R, Blue);
    DeleteObject(Blue);
    SetPixel(Tile.Canvas()->Handle(), 0, 0, 0x0000FF);
    Tile.SaveToFile(Path);
  }
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<body marginwidth=0 marginheight=0><table cellspacing=0 cellpadding=4 border=0>"
                        "<tr><td background=\"" + Path + "\">cell text</td>"
                        "<td style=\"background-image: url(" + Path + ")\">two</td></tr></table>",
                        *Doc);
  const int H = Doc->DoLogic(200, 200);
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = CreateBitmap(200, H, 1, 32, nullptr);
  HGDIOBJ Old = SelectObject(DC, Bitmap);
  const TRect All{0, 0, 200, H};
  HBRUSH White = CreateSolidBrush(0xFFFFFF);
  FillRect(DC, &All, White);
  DeleteObject(White);
  Doc->Draw(DC, All);
  ThtmlTable& T = *Tables(*Doc).at(0)->Table;
  for (auto& Slot : T.Rows[0]->Slots) {
    ASSERT_TRUE(Slot.Cell);
    const TCellObj& C = *Slot.Cell;
    ASSERT_FALSE(C.BackgroundSource.empty());
    // The tile repeats from the cell's top left corner.
    EXPECT_EQ(GetPixel(DC, C.DrawX, C.DrawY), 0x0000FFu);
    EXPECT_EQ(GetPixel(DC, C.DrawX + 3, C.DrawY + 2), 0x0000FFu);
    EXPECT_EQ(GetPixel(DC, C.DrawX + 1, C.DrawY + 1), 0xFF0000u);
  }
  SelectObject(DC, Old);
  DeleteObject(Bitmap);
  DeleteDC(DC);
  std::filesystem::remove(Path);
}

TEST(TablesTest, ASectionWhoseLayoutFailsIsDroppedAndLogged)
{
  // A section that fails its layout, between two that do not.
  struct TFailing : TSectionBase {
    using TSectionBase::TSectionBase;
    int LayOut(int, int&, int&, IndentManager&, int, int, int) override { throw Exception("no room"); }
  };
  auto Doc = NewTableDocument();
  ParseHtmlIntoSections("<p>before</p>", *Doc);
  auto* Body = dynamic_cast<TBlock*>(Doc->Sections.at(0).get());
  ASSERT_TRUE(Body);
  const std::size_t Before = Body->MyCell->Sections.size();
  Body->MyCell->Sections.push_back(std::make_unique<TFailing>(Doc.get()));
  std::vector<std::string> Log;
  Doc->OnLog = [&](const std::string& M) { Log.push_back(M); };
  EXPECT_GT(Doc->DoLogic(300, 300), 0);
  EXPECT_EQ(Body->MyCell->Sections.size(), Before);
  ASSERT_EQ(Log.size(), 1u);
  EXPECT_NE(Log[0].find("no room"), std::string::npos);
}

TEST(TablesTest, MarginWidthOnBodyMovesTheContent)
{
  for (int Margin : {0, 30}) {
    auto Doc = NewTableDocument();
    ParseHtmlIntoSections("<body marginwidth=" + std::to_string(Margin) +
                              "><table width=100%><tr><td>x</td></tr></table>",
                          *Doc);
    Doc->DoLogic(300, 300);
    auto* Body = dynamic_cast<TBlock*>(Doc->Sections.at(0).get());
    ASSERT_TRUE(Body);
    EXPECT_EQ(Body->ContentLeft, Margin);
    TTableBlock& T = *Tables(*Doc).at(0);
    EXPECT_GE(T.ContentLeft, Margin);
    EXPECT_LE(T.ContentLeft + T.NewWidth, 300 - Margin);
  }
}
