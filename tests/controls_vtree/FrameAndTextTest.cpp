// The tree's window frame (creation styles, border, bevels in the border
// colour) on the headless display, and the shared routines that draw wide
// text, split a drag-image move, watch the canvas font and give the header
// its split cursor.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "TreeTestSupport.h"
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeUtils.h"
#include "controls/vtree/SharedResources.h"
#include "controls/vtree/WideTextDrawing.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

class FrameTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Tree = std::make_unique<TBaseLazyTree>(nullptr);
    Stage.Open(TRect(20, 20, 260, 200), Tree.get(), TRect(10, 10, 150, 110));
    Stage.Form->Show();
    Pump();
  }
  void TearDown() override
  {
    Stage.Close(Tree.get());
    Tree.reset();
  }
  void Pump() { Application()->ProcessMessages(); }
  DWORD Style() { return DWORD(GetWindowLongPtr(Tree->Handle(), GWL_STYLE)); }
  DWORD ExStyle() { return DWORD(GetWindowLongPtr(Tree->Handle(), GWL_EXSTYLE)); }
  // A pixel of the tree's window, in window coordinates, as RGB.
  std::uint32_t At(int X, int Y) { return Stage.Display->Pixel(Tree->Handle(), X, Y) & 0xFFFFFF; }
  static std::uint32_t Rgb(COLORREF C) { return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF); }

  std::unique_ptr<TBaseLazyTree> Tree;
  TInputStage Stage;
};

TEST_F(FrameTest, TheBorderStyleAndCtl3DChooseTheFrameStyles)
{
  // A new tree: a single border with the 3-D look is a client edge.
  EXPECT_TRUE(ExStyle() & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(Style() & WS_BORDER);
  EXPECT_TRUE(Style() & WS_CLIPCHILDREN);
  EXPECT_EQ(Tree->ClientWidth(), 140 - 4);

  Tree->SetCtl3D(false);
  EXPECT_FALSE(ExStyle() & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(Style() & WS_BORDER);
  EXPECT_EQ(Tree->ClientWidth(), 140 - 2);

  Tree->SetBorderStyle(bsNone);
  EXPECT_FALSE(ExStyle() & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(Style() & WS_BORDER);
  EXPECT_EQ(Tree->ClientWidth(), 140);

  // Right to left puts the vertical bar on the left.
  Tree->SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(ExStyle() & WS_EX_LEFTSCROLLBAR);
}

// Whichever kind of tree makes its window first, a tree with
// toFullRepaintOnResize repaints whole when it grows and one without repaints
// only the uncovered strip.
TEST_F(FrameTest, FullRepaintOnResizeHoldsWhicheverTreeCameFirst)
{
  auto makeTree = [&](bool Full) {
    auto tree = std::make_unique<TBaseLazyTree>(nullptr);
    TLTMiscOptions misc = tree->TreeOptions()->MiscOptions();
    tree->TreeOptions()->SetMiscOptions(Full ? misc + toFullRepaintOnResize : misc - toFullRepaintOnResize);
    tree->SetParent(Stage.Form);
    tree->SetBounds(10, 120, 100, 40);
    tree->HandleNeeded();
    return tree;
  };
  // The part of the client area a grow by 20 pixels marks for repainting.
  auto repaintedAfterGrowing = [&](TBaseLazyTree* T) {
    Pump();
    ValidateRect(T->Handle(), nullptr);
    T->SetBounds(T->Left(), T->Top(), T->Width() + 20, T->Height());
    TRect dirty;
    GetUpdateRect(T->Handle(), &dirty, false);
    return std::make_pair(dirty, T->ClientRect());
  };
  for (bool fullFirst : {false, true}) {
    std::unique_ptr<TBaseLazyTree> first = makeTree(fullFirst), second = makeTree(!fullFirst);
    for (TBaseLazyTree* t : {first.get(), second.get()}) {
      bool full = t->TreeOptions()->MiscOptions().Contains(toFullRepaintOnResize);
      auto [dirty, client] = repaintedAfterGrowing(t);
      EXPECT_EQ(dirty, full ? client : TRect(client.Right - 20, 0, client.Right, client.Bottom))
          << (fullFirst ? "full repaint first" : "strip repaint first") << ", this tree full: " << full;
    }
    first->SetParent(nullptr);
    second->SetParent(nullptr);
  }
  // Switching the option on a live tree makes its window again with the other class.
  TLTMiscOptions misc = Tree->TreeOptions()->MiscOptions();
  Tree->TreeOptions()->SetMiscOptions(misc - toFullRepaintOnResize);
  auto [dirty, client] = repaintedAfterGrowing(Tree.get());
  EXPECT_NE(dirty, client);
  Tree->TreeOptions()->SetMiscOptions(misc);
  std::tie(dirty, client) = repaintedAfterGrowing(Tree.get());
  EXPECT_EQ(dirty, client);
}

TEST_F(FrameTest, BevelsAndTheBorderBandArePaintedInTheBorderColour)
{
  Tree->SetCtl3D(false);  // a 1-pixel plain border outside everything
  Tree->SetBevelKind(bkFlat);
  Tree->SetBevelInner(bvNone);
  Tree->SetBevelOuter(bvRaised);
  Tree->SetBevelWidth(2);
  Tree->SetBorderWidth(3);
  Tree->Colors()->SetColor(BorderColor, TColor(0x0000FF));  // red
  Pump();
  // Plain border 1, bevel 2 (one ring, one filled), band 3: the client starts at 6.
  TPoint origin = Tree->ClientToScreen(TPoint(0, 0));
  TRect window;
  GetWindowRect(Tree->Handle(), &window);
  ASSERT_EQ(origin.x - window.Left, 6);
  const std::uint32_t red = 0xFF0000;
  const std::uint32_t frame = Rgb(GetSysColor(COLOR_WINDOWFRAME));
  // Without Ctl3D the ring is monochrome.
  const std::uint32_t flatRing = Rgb(GetSysColor(COLOR_WINDOWFRAME));
  const std::uint32_t client = Rgb(ColorToRGB(Tree->Color()));
  int mid = window.Height() / 2;
  // x: plain border, bevel ring, the bevel's second pixel and the band, then the client.
  const std::pair<int, std::uint32_t> probes[] = {{0, frame}, {1, flatRing}, {2, red}, {3, red},
                                                  {5, red},   {6, client}};
  for (auto [x, colour] : probes)
    EXPECT_EQ(At(x, mid), colour) << "x " << x;
  EXPECT_EQ(At(window.Width() - 2, mid), flatRing);

  // Only the frame repaints when the border colour changes.
  Tree->Colors()->SetColor(BorderColor, TColor(0x00FF00));
  Pump();
  EXPECT_EQ(At(4, mid), 0x00FF00u);

  TRect area = window;
  std::vector<std::uint32_t> pixels = Stage.Display->ScreenImage(area);
  TPixelImage shot{area.Width(), area.Height(), pixels};
  std::string message;
  EXPECT_TRUE(MatchesGolden(shot, std::string(VTREE_GOLDEN_DIR) + "/frame-bevel.png", &message)) << message;
}

TEST_F(FrameTest, RaisedAndLoweredBevelsShowTheirRings)
{
  Tree->SetBorderStyle(bsNone);
  Tree->SetBevelKind(bkTile);
  Tree->SetBevelInner(bvLowered);
  Tree->SetBevelOuter(bvRaised);
  Tree->SetBevelEdges({beLeft, beTop});
  Pump();
  TPoint origin = Tree->ClientToScreen(TPoint(0, 0));
  TRect window;
  GetWindowRect(Tree->Handle(), &window);
  EXPECT_EQ(origin.x - window.Left, 2);
  EXPECT_EQ(window.Right - (origin.x + Tree->ClientWidth()), 0) << "no bevel on the right";
  int mid = window.Height() / 2;
  EXPECT_EQ(At(0, mid), Rgb(GetSysColor(COLOR_3DLIGHT)));      // raised outer, top-left side
  EXPECT_EQ(At(1, mid), Rgb(GetSysColor(COLOR_3DDKSHADOW)));   // lowered inner, top-left side
}

TEST(DrawTextWideTest, MeasuresLinesAndDrawsAligned)
{
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = NewTopDownBitmap(120, 60);
  HGDIOBJ old = SelectObject(dc, bitmap);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int h = metrics.tmHeight;
  TSize wide{};
  GetTextExtentPoint32W(dc, u"abcdef", 6, &wide);

  // CR LF counts once, a lone CR and U+2028 break too; the widest line sets the width.
  const std::u16string text = u"ab\r\nabcdef\rx\u2028";
  TRect r(5, 5, 100, 10);
  DrawTextWide(dc, text.c_str(), int(text.size()), r, DT_CALCRECT, true);
  EXPECT_EQ(r, TRect(5, 5, 5 + wide.cx, 5 + 4 * h));
  TRect single(5, 5, 100, 10);
  DrawTextWide(dc, text.c_str(), int(text.size()), single, DT_CALCRECT | DT_SINGLELINE, false);
  EXPECT_EQ(single, TRect(5, 5, 100, 5 + h)) << "without CalcWidth the right edge stays";

  // Right aligned: the ink ends at the right edge and starts after the left half.
  TRect box(0, 0, 120, 60);
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  TRect line(0, 0, 120, 60);
  DrawTextWide(dc, u"abc", 3, line, DT_RIGHT | DT_SINGLELINE | DT_VCENTER, false);
  int left = 120, right = -1, top = 60, bottom = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      if ((GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_GT(left, 90);
  EXPECT_GE(right, 110);
  EXPECT_GE(top, (60 - h) / 2);
  EXPECT_LT(bottom, (60 + h) / 2 + 1);
  EXPECT_EQ(GetTextAlign(dc), UINT(TA_LEFT | TA_TOP)) << "the alignment is restored";

  // Lines stop at the bottom of the rectangle; clipping keeps ink inside each line.
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TRect two(0, 0, 120, h + 1);
  DrawTextWide(dc, u"W\nW\nW", 5, two, 0, false);
  bool inkBelow = false;
  for (int y = 2 * h; y < 60; ++y)
    for (int x = 0; x < 20; ++x)
      inkBelow |= (GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF;
  EXPECT_FALSE(inkBelow);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(SplitDragImageRectsTest, ThePiecesCoverTheOldAndTheNewPlaceExactlyOnce)
{
  const int w = 7, h = 5;
  for (int dx = -w + 1; dx < w; ++dx)
    for (int dy = -h + 1; dy < h; ++dy) {
      TDragImageRects r = SplitDragImageRects(w, h, dx, dy);
      ASSERT_EQ(r.ClipRect, TRect(0, 0, w, h));
      // Every pixel of the old place is either kept or given back, once;
      // every pixel of the new place either kept or newly taken, once.
      auto count = [](const TRect& R, int X, int Y) { return R.Contains(TPoint(X, Y)) ? 1 : 0; };
      for (int y = -h; y < 2 * h; ++y)
        for (int x = -w; x < 2 * w; ++x) {
          bool inOld = x >= 0 && x < w && y >= 0 && y < h;
          bool inNew = x >= dx && x < w + dx && y >= dy && y < h + dy;
          int kept = count(r.ScrollRect, x, y);
          int back = count(r.DrawRect1, x, y) + count(r.DrawRect2, x, y);
          int taken = count(r.SampleRect1, x, y) + count(r.SampleRect2, x, y);
          ASSERT_EQ(kept + back, inOld ? 1 : 0) << dx << "," << dy << " at " << x << "," << y;
          ASSERT_EQ(kept + taken, inNew ? 1 : 0) << dx << "," << dy << " at " << x << "," << y;
        }
    }
}

class RoutineTest : public TreeFixture {};

TEST_F(RoutineTest, TheFontChangeWatchFlagsAChangeAndKeepsTheCanvasInformed)
{
  TBaseLazyTree& tree = *Tree;
  TBitmap bitmap;
  bitmap.SetWidth(4);
  bitmap.SetHeight(4);
  TCanvas* canvas = bitmap.Canvas();
  int heard = 0;
  struct TListener {
    int* Heard;
    TNotifyEvent Inner;
    void Changed(TObject* Sender)
    {
      ++*Heard;
      if (Inner)
        Inner(Sender);
    }
  } listener{&heard, canvas->Font()->OnChange};
  canvas->Font()->OnChange = TNotifyEvent(&listener, &TListener::Changed);

  tree.AttachFontChangeWatch(canvas);
  EXPECT_FALSE(tree.FontChanged());
  canvas->Font()->SetStyle({fsBold});
  EXPECT_TRUE(tree.FontChanged());
  EXPECT_EQ(heard, 1) << "the canvas's own handler still runs";
  tree.ResetFontChanged();
  tree.DetachFontChangeWatch();
  canvas->Font()->SetStyle({});
  EXPECT_FALSE(tree.FontChanged()) << "detached: no longer watched";
  EXPECT_EQ(heard, 2);
  EXPECT_TRUE(canvas->Font()->OnChange == TNotifyEvent(&listener, &TListener::Changed));
}

TEST_F(RoutineTest, TheHeaderSplitCursorIsScreenCursor100)
{
  // The fixture's tree ran the shared set-up.
  HCURSOR split = Screen()->Cursors(crHeaderSplit);
  ASSERT_NE(split, Screen()->Cursors(crDefault));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(split, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 16u);
  EXPECT_EQ(info.yHotspot, 16u);
  if (info.hbmMask)
    DeleteObject(info.hbmMask);
  if (info.hbmColor)
    DeleteObject(info.hbmColor);
}

}  // namespace
