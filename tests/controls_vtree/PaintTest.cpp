// Pixel goldens of the paint pass (headless, built-in font): what must show
// is checked at exact colours, the whole picture against a golden PNG.
#include "TreeTestSupport.h"

#include "HostLikeTree.h"

#include "controls/vtree/LazyTreeHeader.h"

#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/gdi/Screenshot.h"
#include "tests/support/GoldenImage.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

class PaintTest : public TreeFixture {
protected:
  void SetUp() override
  {
    TreeFixture::SetUp();
    Host = std::make_unique<THostLikeTree>(nullptr);
    Host->SetBounds(0, 0, 180, 150);
    Host->SetButtonFillMode(fmTransparent);
    Host->TreeOptions()->SetMiscOptions(Host->TreeOptions()->MiscOptions() + toCheckSupport);
    States = NewStatusImages();
    Host->SetStateImages(States.get());
  }
  void TearDown() override
  {
    Host.reset();
    TreeFixture::TearDown();
  }

  void BuildContacts() { BuildContactList(Host.get()); }

  TPixelImage Paint(std::uint8_t Options = ppBackground | ppColumnColor | ppFocusRect | ppSelection | ppDropMark |
                                           ppGridLines)
  {
    return PaintToPicture(Host.get(), 180, 150, Options);
  }

  static std::uint32_t At(const TPixelImage& P, int X, int Y) { return P.Pixels[std::size_t(Y * P.Width + X)]; }
  static std::uint32_t Rgb(COLORREF C) { return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF); }

  void ExpectGolden(const TPixelImage& P, const char* Name)
  {
    std::string message;
    EXPECT_TRUE(MatchesGolden(P, std::string(VTREE_GOLDEN_DIR) + "/" + Name + ".png", &message)) << message;
  }

  std::unique_ptr<THostLikeTree> Host;
  std::unique_ptr<TCustomImageList> States;
};

}  // namespace

TEST_F(PaintTest, AnEmptyTreeIsTheTreeColour)
{
  struct TCounter {
    int Rows = 0;
    void Row(TBaseLazyTree*, TCanvas*, PLazyNode, TRect, bool&) { ++Rows; }
  } counter;
  Host->OnBeforeItemPaint = TLTBeforeItemPaintEvent(&counter, &TCounter::Row);
  TPixelImage p = Paint();
  std::uint32_t window = Rgb(GetSysColor(COLOR_WINDOW));
  for (std::uint32_t px : p.Pixels)
    ASSERT_EQ(px, window);
  EXPECT_EQ(counter.Rows, 0);
  ExpectGolden(p, "empty");
}

TEST_F(PaintTest, AHostLikeTreeShowsLinesButtonsAndStatusImages)
{
  BuildContacts();
  TPixelImage p = Paint();
  ExpectGolden(p, "contacts");
  // Row 0, a network: the button at levels x Indent + 4 - Indent = 4, its
  // outline in the tree-line colour, transparent inside.
  std::uint32_t shadow = Rgb(GetSysColor(COLOR_BTNSHADOW));
  int anchor = 0, buttonY = 0;
  anchor = Host->NodeVerticalAnchor(Host->HiddenRoot()->FirstChildNode, buttonY);
  EXPECT_EQ(anchor, 9);  // MulDiv(18 - 16, 50, 100) + 8
  EXPECT_EQ(buttonY, 5);
  EXPECT_EQ(At(p, 4, 5), shadow);
  EXPECT_EQ(At(p, 5, 6), Rgb(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(At(p, 6, 9), 0u) << "the minus bar in the font colour";
  // The dotted vertical line of the first network's children at x = 18 + 9.
  EXPECT_EQ(At(p, 27, 18) ^ At(p, 27, 19), shadow ^ Rgb(GetSysColor(COLOR_WINDOW)));
  // The state image of row 0 at Margin + Indent = 22, anchored at 9.
  EXPECT_EQ(At(p, 22 + 8, 1 + 8), 0x808080u);
}

// The button bitmaps are drawn in the tree's colour and its font's colour:
// a change of either shows in the next paint.
TEST_F(PaintTest, ButtonsFollowAColourOrFontChange)
{
  Host->SetButtonFillMode(fmTreeColor);
  BuildContacts();
  // The first network's collapsed-or-expanded button: 9 x 9 at (4, 5).
  const int insideX = 5, insideY = 6, barX = 6, barY = 9;
  TPixelImage before = Paint();
  ASSERT_EQ(At(before, insideX, insideY), Rgb(GetSysColor(COLOR_WINDOW)));
  ASSERT_EQ(At(before, barX, barY), 0u);
  Host->SetColor(TColor(0x00E0F0));
  Host->Font()->SetColor(TColor(0x0000C0));
  TPixelImage after = Paint();
  EXPECT_EQ(At(after, insideX, insideY), Rgb(0x00E0F0));
  EXPECT_EQ(At(after, barX, barY), Rgb(0x0000C0));
}

// A freed image list is forgotten by the trees that showed it; a custom
// check kind falls back to the light check images.
TEST_F(PaintTest, AFreedImageListIsForgotten)
{
  BuildContacts();
  auto checks = NewStatusImages();
  Host->SetCustomCheckImages(checks.get());
  Host->SetCheckImageKind(ckCustom);
  Host->Header().SetImages(States.get());
  States.reset();
  checks.reset();
  EXPECT_EQ(Host->StateImages(), nullptr);
  EXPECT_EQ(Host->CustomCheckImages(), nullptr);
  EXPECT_EQ(Host->Header().Images(), nullptr);
  EXPECT_EQ(Host->CheckImageKind(), ckLightCheck);
  TPixelImage p = Paint();  // draws no freed list
  EXPECT_EQ(At(p, 0, 0), Rgb(GetSysColor(COLOR_WINDOW)));
}

TEST_F(PaintTest, ABlendedSelectionTintsTheLabel)
{
  BuildContacts();
  Host->TreeOptions()->SetPaintOptions(Host->TreeOptions()->PaintOptions() + toUseBlendedSelection + toPopupMode);
  PLazyNode group = Host->HiddenRoot()->FirstChildNode->FirstChildNode;
  Host->SetNodeSelected(group, true);
  TPixelImage p = Paint();
  ExpectGolden(p, "blended-selection");
  // Over white, the highlight colour at 128 of 256: (255 * 128 + c * 128) div 256.
  COLORREF h = GetSysColor(COLOR_HIGHLIGHT);
  auto mix = [](int c) { return std::uint32_t((255 * 128 + c * 128) / 256); };
  std::uint32_t expected = mix(GetRValue(h)) << 16 | mix(GetGValue(h)) << 8 | mix(GetBValue(h));
  TRect label = Host->NodeDisplayRect(group, NoColumn, true);
  EXPECT_EQ(At(p, label.Right - 2, label.Top + 1), expected);
}

TEST_F(PaintTest, TheFocusedNodeGetsAFocusRectangle)
{
  BuildContacts();
  Host->TreeOptions()->SetPaintOptions(Host->TreeOptions()->PaintOptions() + toPopupMode);
  PLazyNode contact = Host->HiddenRoot()->FirstChildNode->FirstChildNode->FirstChildNode;
  Host->SetFocusedNode(contact);
  TPixelImage p = Paint();
  ExpectGolden(p, "focus-rectangle");
  TRect label = Host->NodeDisplayRect(contact, NoColumn, true);
  // The inverting dotted frame starts with a dark pixel on the white row.
  EXPECT_EQ(At(p, label.Left, label.Top), 0u);
}

TEST_F(PaintTest, RightToLeftMirrorsTheRows)
{
  BuildContacts();
  Host->SetBiDiMode(bdRightToLeft);
  TPixelImage p = Paint();
  ExpectGolden(p, "right-to-left");
  // The network's button sits at the right end of its indentation.
  EXPECT_EQ(At(p, 180 - 4 - 1, 5), Rgb(GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(PaintTest, TheBandRectangleIsTintedAndFramed)
{
  BuildContacts();
  Host->TreeOptions()->SetSelectionOptions({toMultiSelect});
  Host->ChangeStates({tsDrawSelecting}, {});
  Host->SetBand(TRect(30, 10, 30, 10), TRect(30, 10, 120, 140), false);
  TPixelImage p = Paint();
  Host->ChangeStates({}, {tsDrawSelecting});
  ExpectGolden(p, "band");
  EXPECT_EQ(At(p, 30, 10), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(At(p, 119, 139), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(PaintTest, EachPaintAsksTheOwnerPerRowNotPerNode)
{
  BuildContacts();
  Host->SetNodeChildCount(Host->HiddenRoot()->LastChildNode->LastChildNode, 5000);
  Host->SetExpanded(Host->HiddenRoot()->LastChildNode->LastChildNode, true);
  unsigned before = Host->PaintEventCount();
  Paint();
  unsigned rows = 150 / 18 + 1;
  unsigned asked = Host->PaintEventCount() - before;
  // Per row: the row question, one state image question, the text.
  EXPECT_GE(asked, rows * 3 - 3);
  EXPECT_LE(asked, rows * 3);
}

TEST_F(PaintTest, TheBackgroundIsTiledFromTheContentOrigin)
{
  // A 3x2 picture: the top row red, the bottom row blue.
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = -2;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<std::uint32_t*>(bits);
  for (int x = 0; x < 3; ++x) {
    p[x] = 0xFF0000;
    p[3 + x] = 0x0000FF;
  }
  DeleteDC(dc);
  Host->SetNodeChildCount(nullptr, 2);
  Host->SetBackground(picture);
  Host->TreeOptions()->SetPaintOptions(Host->TreeOptions()->PaintOptions() + toShowBackground);
  TPixelImage shown = Paint();
  // Row 0 (y 0..17) and the empty area below the rows: even content rows red.
  EXPECT_EQ(At(shown, 170, 0), 0xFF0000u);
  EXPECT_EQ(At(shown, 170, 1), 0x0000FFu);
  EXPECT_EQ(At(shown, 170, 18), 0xFF0000u) << "the second row continues the pattern";
  EXPECT_EQ(At(shown, 170, 101), 0x0000FFu) << "the area below the rows as well";
  Host->SetBackgroundOffset(0, 1);
  shown = Paint();
  EXPECT_EQ(At(shown, 170, 0), 0x0000FFu);
  Host->SetBackground(nullptr);
  DeleteObject(picture);
}

TEST_F(PaintTest, SelectedOnlyAndCustomDrawLeaveRowsToOthers)
{
  BuildContacts();
  PLazyNode group = Host->HiddenRoot()->FirstChildNode->FirstChildNode;  // row 1, with three contacts below
  Host->SetNodeSelected(group, true);
  // Selected rows and the rows below a selected node only (the drag image).
  TPixelImage onlySelected = Paint(ppSelection | ppSelectedOnly);
  auto rowIsBlank = [&](const TPixelImage& P, int Row) {
    for (int y = Row * 18; y < Row * 18 + 18; ++y)
      for (int x = 0; x < 180; ++x)
        if (At(P, x, y) != 0)
          return false;
    return true;
  };
  EXPECT_TRUE(rowIsBlank(onlySelected, 0));
  EXPECT_FALSE(rowIsBlank(onlySelected, 1));
  EXPECT_FALSE(rowIsBlank(onlySelected, 4));
  EXPECT_TRUE(rowIsBlank(onlySelected, 5));
  struct TOwnerDraw {
    PLazyNode Node;
    void Row(TBaseLazyTree*, TCanvas* Canvas, PLazyNode N, TRect R, bool& CustomDraw)
    {
      CustomDraw = N == Node;
      if (CustomDraw) {
        HBRUSH green = CreateSolidBrush(0x00FF00);
        FillRect(Canvas->Handle(), &R, green);
        DeleteObject(green);
      }
    }
  } owner{group};
  Host->OnBeforeItemPaint = TLTBeforeItemPaintEvent(&owner, &TOwnerDraw::Row);
  TPixelImage custom = Paint();
  for (int x = 0; x < 180; x += 7)
    EXPECT_EQ(At(custom, x, 18 + 9), 0x00FF00u) << "neither erase nor cells over the owner's row";
  EXPECT_FALSE(rowIsBlank(custom, 2));
}
