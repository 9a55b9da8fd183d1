// The tree with header columns: cells painted per column with their colours
// and grid lines, hit testing by column, the main column, the content width
// of a column, and the header following the tree's size.
#include "TreeTestSupport.h"

#include <cctype>

#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

// Cells say "<column>:<sibling index>", the second column is empty for odd rows.
struct TCellOwner {
  void GetText(TBaseLazyTree*, PLazyNode Node, TColumnIndex Column, TLSTTextType Type, WideString& Text)
  {
    if (Type == ttStatic)
      return;
    if (Column == 1 && Node->SiblingIndex % 2)
      Text.clear();
    else
      Text = UTF8Decode(std::to_string(Column) + ":" + std::to_string(Node->SiblingIndex));
  }
};

class TreeColumnsTest : public TreeFixture {
protected:
  void SetUp() override
  {
    TreeFixture::SetUp();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 300, 200);
    Grid = std::make_unique<TLazyStringTree>(nullptr);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 240, 120);
    Grid->SetButtonFillMode(fmTransparent);
    Grid->OnGetText = TLSTGetTextEvent(&Cells, &TCellOwner::GetText);
    for (int w : {90, 60, 70})
      Grid->Header().Columns().Add()->SetWidth(w);
    Grid->Header().Columns().Item(1)->SetColor(TColor(0xC0FFFF));
    Grid->TreeOptions()->SetPaintOptions(Grid->TreeOptions()->PaintOptions() + toShowVertGridLines +
                                         toShowHorzGridLines + toFullVertGridLines);
    Grid->SetRootNodeCount(2);
    PLazyNode first = Grid->HiddenRoot()->FirstChildNode;
    Grid->SetNodeChildCount(first, 2);
    Grid->SetExpanded(first, true);
  }
  void TearDown() override
  {
    Grid->SetParent(nullptr);
    Grid.reset();
    Form->Free();
    Application()->ProcessMessages();
    TreeFixture::TearDown();
  }
  TPixelImage Paint()
  {
    return PaintToPicture(Grid.get(), 240, 120,
                          ppBackground | ppColumnColor | ppFocusRect | ppSelection | ppDropMark | ppGridLines);
  }
  static std::uint32_t At(const TPixelImage& P, int X, int Y) { return P.Pixels[std::size_t(Y * P.Width + X)]; }
  static std::uint32_t Rgb(COLORREF C) { return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF); }

  TCellOwner Cells;
  TCustomForm* Form = nullptr;
  std::unique_ptr<TLazyStringTree> Grid;
};

}  // namespace

TEST_F(TreeColumnsTest, CellsShowTheirColumnColourAndGridLines)
{
  TPixelImage p = Paint();
  std::string message;
  EXPECT_TRUE(MatchesGolden(p, std::string(VTREE_GOLDEN_DIR) + "/three-columns.png", &message)) << message;
  std::uint32_t grid = Rgb(ColorToRGB(Grid->Colors()->Color(GridLineColor)));
  std::uint32_t yellow = Rgb(0xC0FFFF), window = Rgb(GetSysColor(COLOR_WINDOW));
  // Vertical lines at each column's right edge minus 1, in the rows and below them.
  for (int y : {2, 40, 100}) {
    EXPECT_EQ(At(p, 89, y), grid) << "y = " << y;
    EXPECT_EQ(At(p, 149, y), grid) << "y = " << y;
    EXPECT_EQ(At(p, 219, y), grid) << "the last column too without auto-resize; y = " << y;
  }
  // The second column's colour in its cells and below the rows; the tree's right of the last column.
  EXPECT_EQ(At(p, 145, 2), yellow);
  EXPECT_EQ(At(p, 145, 100), yellow);
  EXPECT_EQ(At(p, 230, 100), window);
  EXPECT_EQ(At(p, 230, 2), window);
  // The button sits in the main column only.
  EXPECT_EQ(At(p, 4, 5), Rgb(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_NE(At(p, 94, 5), Rgb(GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(TreeColumnsTest, TheLastGridLineIsLeftOutUnderAutoResize)
{
  Grid->Header().SetOptions(Grid->Header().Options() + hoAutoResize);
  TPixelImage p = Paint();
  EXPECT_NE(At(p, 219, 2), Rgb(ColorToRGB(Grid->Colors()->Color(GridLineColor))));
  EXPECT_NE(At(p, 219, 100), Rgb(ColorToRGB(Grid->Colors()->Color(GridLineColor))));
}

TEST_F(TreeColumnsTest, HitTestsNameTheColumnUnderThePoint)
{
  struct Case {
    int X, Y;
    TColumnIndex Main;
    TColumnIndex Column;
    TLTHitPositions Positions;
  };
  const Case cases[] = {
      {5, 5, 0, 0, {hpOnItem, hpOnButton}},
      {100, 5, 0, 1, {hpOnItem, hpOnLabel}},
      {145, 5, 0, 1, {hpOnItem, hpRightOfLabel}},
      {160, 5, 0, 2, {hpOnItem, hpOnLabel}},
      {230, 5, 0, InvalidColumn, {hpNowhere}},
      // With the second column as main its indent holds the button.
      {95, 5, 1, 1, {hpOnItem, hpOnButton}},
      {5, 5, 1, 0, {hpOnItem, hpOnLabel}},
  };
  for (const Case& c : cases) {
    Grid->Header().SetMainColumn(c.Main);
    TLTHitInfo hit;
    Grid->HitTestAt(c.X, c.Y, true, hit);
    EXPECT_EQ(hit.HitColumn, c.Column) << "x = " << c.X << ", main " << c.Main;
    EXPECT_EQ(hit.HitPositions, c.Positions) << "x = " << c.X << ", main " << c.Main;
    EXPECT_EQ(hit.HitNode, c.Column == InvalidColumn ? hit.HitNode : Grid->HiddenRoot()->FirstChildNode);
  }
}

TEST_F(TreeColumnsTest, AutoSpanningWidensACellOverEmptyNeighbours)
{
  Grid->TreeOptions()->SetAutoOptions(Grid->TreeOptions()->AutoOptions() + toAutoSpanColumns);
  PLazyNode second = Grid->HiddenRoot()->FirstChildNode->LastChildNode;  // its column 1 is empty
  int top = Grid->NodeDisplayRect(second, NoColumn, false).Top;
  TLTHitInfo hit;
  Grid->HitTestAt(120, top + 2, true, hit);
  EXPECT_EQ(hit.HitNode, second);
  EXPECT_EQ(hit.HitColumn, 0) << "the empty cell belongs to the column on its left";
}

TEST_F(TreeColumnsTest, ColumnContentWidthCountsTheIndentOnlyInTheMainColumn)
{
  PLazyNode child = Grid->HiddenRoot()->FirstChildNode->FirstChildNode;
  int mainText = Grid->DoGetNodeWidth(child, 0, Grid->Canvas());
  int otherText = Grid->DoGetNodeWidth(child, 2, Grid->Canvas());
  int margins = 2 * Grid->Margin();
  // The child is the deepest node: two levels under toShowRoot; +1 for the vertical grid lines.
  EXPECT_EQ(Grid->ColumnContentWidth(0), margins + 2 * int(Grid->Indent()) + mainText + 1);
  EXPECT_EQ(Grid->ColumnContentWidth(2), margins + otherText + 1);
}

TEST_F(TreeColumnsTest, TheHeaderFollowsTheTreeWidth)
{
  TLTHeader& header = Grid->Header();
  // Auto-size: the last column takes the room the others leave.
  header.SetAutoSizeIndex(2);
  header.SetOptions(header.Options() + hoAutoResize);
  Grid->SetBounds(0, 0, 300, 120);
  // Asking for the client width makes the window, which sizes the column: ask
  // first (the order in which a call's arguments are evaluated is not fixed).
  const int clientWidth = Grid->ClientWidth();
  EXPECT_EQ(header.Columns().Item(2)->Width(), clientWidth - 150);
  // Spring: growing and shrinking by the same amount gives the widths back.
  header.SetOptions(header.Options() - hoAutoResize + hoAutoSpring);
  for (int i : {0, 1})
    header.Columns().Item(i)->SetOptions(header.Columns().Item(i)->Options() + coAutoSpring);
  Grid->SetBounds(0, 0, 305, 120);
  EXPECT_EQ(header.Columns().Item(0)->Width(), 92);
  EXPECT_EQ(header.Columns().Item(1)->Width(), 62);
  Grid->SetBounds(0, 0, 300, 120);
  EXPECT_EQ(header.Columns().Item(0)->Width(), 90);
  EXPECT_EQ(header.Columns().Item(1)->Width(), 60);
}

TEST_F(TreeColumnsTest, TheScrollRangeIsTheColumnsTotalWidth)
{
  Form->Show();
  Application()->ProcessMessages();
  Grid->UpdateScrollBars(false);
  EXPECT_EQ(Grid->RangeX(), 220);
  Grid->Header().Columns().Item(2)->SetWidth(200);
  EXPECT_EQ(Grid->RangeX(), 350) << "a width change updates the range";
}

namespace {

// The header above the cells: painted into a band of the header's height,
// with the tree's rows painted below it.
TPixelImage PaintWithHeader(TBaseLazyTree* Tree, int Width, int Height)
{
  int header = Tree->Header().Height();
  TPixelImage rows = PaintToPicture(Tree, Width, Height - header,
                                    ppBackground | ppColumnColor | ppFocusRect | ppSelection | ppDropMark | ppGridLines);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -header;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bm);
  Tree->Header().PaintHeader(dc, TRect(0, 0, Width, header), 0, true);
  SelectObject(dc, old);
  TPixelImage top = CaptureBitmap(bm);
  DeleteObject(bm);
  DeleteDC(dc);
  top.Height += rows.Height;
  top.Pixels.insert(top.Pixels.end(), rows.Pixels.begin(), rows.Pixels.end());
  return top;
}

}  // namespace

TEST_F(TreeColumnsTest, AVisibleHeaderTakesItsHeightFromTheClientArea)
{
  Grid->HandleNeeded();
  int before = Grid->ClientHeight();
  Grid->Header().SetOptions(Grid->Header().Options() + hoVisible);
  EXPECT_EQ(Grid->ClientHeight(), before - 17);
  Grid->Header().SetHeight(24);
  EXPECT_EQ(Grid->ClientHeight(), before - 24);
  Grid->Header().SetOptions(Grid->Header().Options() - hoVisible);
  EXPECT_EQ(Grid->ClientHeight(), before);
}

TEST_F(TreeColumnsTest, HeaderWithCaptionsAndASortGlyph)
{
  Grid->SetBounds(0, 0, 300, 120);
  Grid->Header().Columns().Add()->SetWidth(60);
  const char* captions[] = {"Nom", "Statut", "Groupe", "Note"};
  for (int i = 0; i < 4; ++i)
    Grid->Header().Columns().Item(i)->SetText(UTF8Decode(captions[i]));
  Grid->Header().Columns().Item(2)->SetAlignment(taRightJustify);
  Grid->Header().SetOptions(Grid->Header().Options() + hoVisible + hoShowSortGlyphs);
  Grid->Header().SetSortColumn(1);
  Grid->Header().SetSortDirection(sdDescending);
  TPixelImage p = PaintWithHeader(Grid.get(), 300, 120);
  std::string message;
  EXPECT_TRUE(MatchesGolden(p, std::string(VTREE_GOLDEN_DIR) + "/four-columns-header.png", &message)) << message;
  // The raised edge: a highlight on the top row, a dark line closing each column on the right.
  std::uint32_t highlight = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)), dark = Rgb(GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(p, 40, 0), highlight);
  EXPECT_EQ(At(p, 89, 8), dark);
  EXPECT_EQ(At(p, 149, 8), dark);
  // The header's background right of the last column.
  EXPECT_EQ(At(p, 290, 8), Rgb(GetSysColor(COLOR_BTNFACE)));
}

// The flat and XP-style faces, with a hot-tracked first column and a pressed third one.
struct THeaderStyleCase {
  TLTHeaderStyle Style;
  const char* Golden;
};

// Shown in the test's name: the parameter's raw bytes would hold a pointer,
// which changes from one build to the next.
void PrintTo(const THeaderStyleCase& Case, std::ostream* Out)
{
  *Out << Case.Golden;
}

class HeaderStyleTest : public TreeColumnsTest, public ::testing::WithParamInterface<THeaderStyleCase> {};

TEST_P(HeaderStyleTest, HotAndPressedColumnsShowTheirFaces)
{
  const char* captions[] = {"Nom", "Statut", "Groupe"};
  for (int i = 0; i < 3; ++i)
    Grid->Header().Columns().Item(i)->SetText(UTF8Decode(captions[i]));
  Grid->Header().SetOptions(Grid->Header().Options() + hoVisible + hoHotTrack);
  Grid->Header().SetStyle(GetParam().Style);
  Grid->Header().Columns().HoverIndex = 0;
  Grid->Header().Columns().DownIndex = 2;
  TPixelImage p = PaintWithHeader(Grid.get(), 240, 120);
  std::string message;
  EXPECT_TRUE(MatchesGolden(p, std::string(VTREE_GOLDEN_DIR) + "/" + GetParam().Golden, &message)) << message;
  if (GetParam().Style != hsXPStyle)
    return;
  // Normal face with its shaded bottom lines and separator; the hot face
  // with the bar along its bottom; the pressed face; the header's own face.
  EXPECT_EQ(At(p, 120, 3), Rgb(0xDBEAEB));
  EXPECT_EQ(At(p, 120, 14), Rgb(0xCFDEE0));
  EXPECT_EQ(At(p, 120, 16), Rgb(0xB8C7CB));
  EXPECT_EQ(At(p, 148, 6), Rgb(0xB2C5C7));
  EXPECT_EQ(At(p, 149, 6), 0xFFFFFFu);
  EXPECT_EQ(At(p, 40, 3), Rgb(0xF3F8FA));
  EXPECT_NE(At(p, 40, 14), Rgb(0xF3F8FA)) << "the hot bar";
  EXPECT_EQ(At(p, 200, 8), Rgb(0xD8DFDE));
  EXPECT_EQ(At(p, 150, 0), Rgb(0x97A5A5)) << "the pressed outline's left line";
  EXPECT_EQ(At(p, 235, 3), Rgb(0xDBEAEB));
}

INSTANTIATE_TEST_SUITE_P(Styles, HeaderStyleTest,
                         ::testing::Values(THeaderStyleCase{hsFlatButtons, "header-flat.png"},
                                           THeaderStyleCase{hsXPStyle, "header-xp.png"}),
                         [](const ::testing::TestParamInfo<THeaderStyleCase>& Info) {
                           // Named after the golden picture: "header-flat.png" gives "header_flat".
                           std::string name = Info.param.Golden;
                           name.erase(name.rfind('.'));
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

namespace {

struct THeaderPainter {
  std::vector<std::string> Calls;
  THeaderPaintElements Claim;  // what the owner takes over in each column
  TRect TextRect;
  void Draw(TLTHeader*, TCanvas* Canvas, TLazyTreeColumn* Column, const TRect& R, bool Hover, bool Pressed,
            TLTDropMarkMode)
  {
    Calls.push_back("draw " + std::to_string(Column->Index()) + (Hover ? " hover" : "") + (Pressed ? " pressed" : ""));
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(R);
  }
  void Query(TLTHeader*, THeaderPaintInfo& Info, THeaderPaintElements& Elements)
  {
    Elements = Info.Column ? Claim : THeaderPaintElements{hpeBackground};
  }
  void Advanced(TLTHeader*, THeaderPaintInfo& Info, THeaderPaintElements Elements)
  {
    Calls.push_back(std::string(Info.Column ? "column " + std::to_string(Info.Column->Index()) : "background") +
                    (Elements.Contains(hpeText) ? " text" : ""));
    if (!Info.Column) {
      Info.TargetCanvas->Brush()->SetColor(clBlue);
      Info.TargetCanvas->FillRect(Info.PaintRectangle);
    } else {
      TextRect = Info.TextRectangle;
    }
  }
};

bool AnyDarkPixel(const TPixelImage& P, const TRect& R)
{
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      if ((P.Pixels[std::size_t(y * P.Width + x)] & 0xFF) < 0x40)
        return true;
  return false;
}

}  // namespace

TEST_F(TreeColumnsTest, OwnerDrawnColumnsGoToTheirOwnerOnlyUnderOwnerDraw)
{
  THeaderPainter painter;
  Grid->OnHeaderDraw = TLTHeaderPaintEvent(&painter, &THeaderPainter::Draw);
  Grid->Header().Columns().Item(1)->SetStyle(vsOwnerDraw);
  Grid->Header().SetOptions(Grid->Header().Options() + hoVisible + hoHotTrack);
  Grid->Header().Columns().HoverIndex = 1;
  PaintWithHeader(Grid.get(), 240, 120);
  EXPECT_TRUE(painter.Calls.empty()) << "without hoOwnerDraw the control paints every column";

  Grid->Header().SetOptions(Grid->Header().Options() + hoOwnerDraw);
  TPixelImage p = PaintWithHeader(Grid.get(), 240, 120);
  EXPECT_EQ(painter.Calls, std::vector<std::string>{"draw 1 hover"});
  EXPECT_EQ(At(p, 120, 8), 0xFF0000u);
  EXPECT_EQ(At(p, 40, 8), Rgb(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(TreeColumnsTest, TheAdvancedSchemeLeavesClaimedElementsToTheOwner)
{
  THeaderPainter painter;
  painter.Claim = {hpeText};
  Grid->OnHeaderDrawQueryElements = TLTHeaderPaintQueryElementsEvent(&painter, &THeaderPainter::Query);
  Grid->OnAdvancedHeaderDraw = TLTAdvancedHeaderPaintEvent(&painter, &THeaderPainter::Advanced);
  for (int i = 0; i < 3; ++i)
    Grid->Header().Columns().Item(i)->SetText(UTF8Decode("Nom"));
  Grid->Header().SetOptions(Grid->Header().Options() + hoVisible + hoOwnerDraw);
  TPixelImage p = PaintWithHeader(Grid.get(), 240, 120);
  EXPECT_EQ(painter.Calls, (std::vector<std::string>{"background", "column 0 text", "column 1 text", "column 2 text"}));
  EXPECT_EQ(At(p, 235, 8), 0x0000FFu) << "the owner's background right of the columns";
  // The owner was told where the caption goes, and the control left it out.
  TRect text = painter.TextRect;
  EXPECT_GT(text.Width(), 0);
  EXPECT_FALSE(AnyDarkPixel(p, TRect(text.Left, text.Top, text.Right, text.Bottom)));
  painter.Claim = {};
  painter.Calls.clear();
  p = PaintWithHeader(Grid.get(), 240, 120);
  EXPECT_EQ(painter.Calls, std::vector<std::string>{"background"}) << "nothing claimed, no call";
  EXPECT_TRUE(AnyDarkPixel(p, TRect(text.Left, text.Top, text.Right, text.Bottom)));
}

TEST_F(TreeColumnsTest, ANewMainColumnTakesTheFocusUnlessAnyColumnMayHaveIt)
{
  Grid->SetFocusedColumn(0);
  Grid->Header().SetMainColumn(2);
  EXPECT_EQ(Grid->FocusedColumn(), 2);
  Grid->TreeOptions()->SetSelectionOptions(Grid->TreeOptions()->SelectionOptions() + toExtendedFocus);
  Grid->Header().SetMainColumn(1);
  EXPECT_EQ(Grid->FocusedColumn(), 2);
  // Deleting the main column hands over to the first remaining one.
  Grid->Header().Columns().Delete(1);
  EXPECT_EQ(Grid->Header().MainColumn(), 0);
}
