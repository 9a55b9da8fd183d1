// Dockable panels: their sizes and limits, frame geometry and hit test,
// the scripted docked resize, placement values and the theme's colour.
#include <gtest/gtest.h>

#include "TBWPanelTestSupport.h"
#include "controls/themes/TBWFloating.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/utility/storage/UtMemoryAppStorage.h"
#include "tests/controls_toolbar/TBPlacementStoreAccess.h"

namespace {

const int Cap = GetSystemMetrics(SM_CYSMCAPTION);

TEST(PanelGeometry, CloseBoxSitsAtTheEndOfTheCaptionBar)
{
  // Horizontal caption (or any panel in a left or right dock): top right.
  EXPECT_EQ(PanelCloseBox(false, false, 100, 80, 16), TRect(87, 2, 102, 17));
  EXPECT_EQ(PanelCloseBox(true, true, 100, 80, 16), TRect(87, 2, 102, 17));
  // Vertical caption in a top or bottom dock: bottom left.
  EXPECT_EQ(PanelCloseBox(false, true, 100, 80, 16), TRect(2, 67, 17, 82));
}

struct HitCase {
  const char* Name;
  TTBDockPosition Dock;
  bool Resizable;
  bool SplitLeft, SplitRight;
  bool VerticalCaption;
  TPoint Point;  // relative to the window at (100, 100), 124 x 84
  int Expected;
};

class PanelHitTable : public ::testing::TestWithParam<HitCase> {};

TEST_P(PanelHitTable, Answers)
{
  const HitCase& c = GetParam();
  TPanelHitInput in;
  in.Window = TRect(100, 100, 224, 184);
  in.Point = TPoint(100 + c.Point.x, 100 + c.Point.y);
  in.Dock = c.Dock;
  in.Resizable = c.Resizable;
  in.Splits[psLeft] = c.SplitLeft;
  in.Splits[psRight] = c.SplitRight;
  const int clientW = c.VerticalCaption ? 124 - 4 - 16 : 120, clientH = c.VerticalCaption ? 80 : 84 - 4 - 16;
  const TRect client = c.VerticalCaption ? TRect(18, 2, 122, 82) : TRect(2, 18, 122, 82);
  in.InClient = PtInRect(&client, c.Point) != 0;
  in.CloseBox = PanelCloseBox(false, c.VerticalCaption, clientW, clientH, 16);
  EXPECT_EQ(PanelHitTest(in), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, PanelHitTable,
    ::testing::Values(
        HitCase{"RightDockLeftEdge", dpRight, true, false, false, false, {2, 40}, HTLEFT},
        HitCase{"RightDockThreePixelsIn", dpRight, true, false, false, false, {3, 40}, HTCLIENT},
        HitCase{"RightDockNotResizable", dpRight, false, false, false, false, {1, 40}, 0},
        HitCase{"TopDockBottomEdge", dpTop, true, false, false, true, {60, 82}, HTBOTTOM},
        HitCase{"SplitRight", dpTop, true, false, true, true, {122, 40}, HT_SPLIT_RIGHT},
        HitCase{"SplitLeft", dpTop, true, true, false, true, {1, 40}, HT_SPLIT_LEFT},
        HitCase{"NoSplitAtTheFirstPanelsNearEdge", dpTop, true, false, true, true, {1, 40}, 0},
        HitCase{"Caption", dpLeft, true, false, false, false, {30, 8}, HT_TB_BORDER},
        HitCase{"CloseBox", dpLeft, true, false, false, false, {110, 8}, HT_TB_CLOSE},
        // The top rows of a vertical caption's close box close too.
        HitCase{"VerticalCloseBoxTop", dpTop, true, false, false, true, {8, 68}, HT_TB_CLOSE},
        HitCase{"VerticalCaptionAboveTheBox", dpTop, true, false, false, true, {8, 60}, HT_TB_BORDER},
        // A horizontal caption's close box is no wider than drawn.
        HitCase{"LeftOfTheCloseBox", dpLeft, true, false, false, false, {105, 8}, HT_TB_BORDER}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(PanelGeometry, ResizeLengthComesBackWithThePointer)
{
  const TRect initial(100, 100, 300, 200);
  for (int edge : {HTLEFT, HTRIGHT, HTTOP, HTBOTTOM}) {
    const bool vertical = edge == HTTOP || edge == HTBOTTOM;
    const int length = vertical ? 100 : 200;
    EXPECT_EQ(DockedResizeLength(edge, initial, TPoint(150, 150), TPoint(150, 150)), length) << edge;
    EXPECT_EQ(PlaceMovingEdge(edge, initial, length), initial) << edge;
  }
  EXPECT_EQ(DockedResizeLength(HTLEFT, initial, TPoint(150, 150), TPoint(140, 150)), 210);
  EXPECT_EQ(DockedResizeLength(HTBOTTOM, initial, TPoint(150, 150), TPoint(150, 170)), 120);
}

TEST(PanelGeometry, DockedLengthStaysInsideTheParent)
{
  // Parent 400 high: at most 368 whatever the panel's current size.
  EXPECT_EQ(ClampDockedLength(1000, 400, 20, 32, 0), 368);
  EXPECT_EQ(ClampDockedLength(10, 400, 20, 32, 0), 52);     // the minimum client size
  EXPECT_EQ(ClampDockedLength(200, 400, 20, 32, 100), 120);  // the maximum
  EXPECT_EQ(ClampDockedLength(200, 400, 20, 32, 20), 200);   // a maximum below the minimum is none
}

class DockablePanel : public ::testing::Test, public TPanelFixture {};

TEST_F(DockablePanel, SettersClamp)
{
  auto* panel = new TTBWDockablePanel(Form);
  panel->SetMinClientWidth(3);
  EXPECT_EQ(panel->MinClientWidth(), 8);
  panel->SetMinClientWidth(40);
  panel->SetDockedWidth(20);
  EXPECT_EQ(panel->DockedWidth(), 40);
  panel->SetFloatingWidth(-5);
  EXPECT_EQ(panel->FloatingWidth(), 0);
  panel->SetSplitHeight(-1);
  EXPECT_EQ(panel->SplitHeight(), 0);
  panel->SetSnapDistance(-3);
  EXPECT_EQ(panel->SnapDistance(), 0);
}

// A size given from outside is kept for the place the panel is in, as it
// is given: the setters' minimum does not apply.
TEST_F(DockablePanel, BeforeResizeStoresTheSizesAsGiven)
{
  auto* panel = AddPanel(AddDock(dpLeft), "Gauche");
  TPoint frame(0, 0);
  panel->DockedFrameSize(frame);
  panel->BeforeResize(frame.x + 12, 300);
  EXPECT_EQ(panel->DockedWidth(), 12);

  panel->SetCurrentDock(AddDock(dpTop));
  panel->DockedFrameSize(frame);
  panel->BeforeResize(300, frame.y + 9);
  EXPECT_EQ(panel->DockedHeight(), 9);

  panel->MakeFloating(true);
  ASSERT_TRUE(panel->Floating());
  panel->BeforeResize(5, 6);
  EXPECT_EQ(panel->FloatingWidth(), 5);
  EXPECT_EQ(panel->FloatingHeight(), 6);
}

TEST_F(DockablePanel, CaptionRunsDownTheLeftInATopDockUnlessAlwaysHorizontal)
{
  auto* top = AddDock(dpTop);
  auto* panel = AddPanel(top, "Console");
  TPoint frame;
  EXPECT_TRUE(panel->IsCaptionVertical());
  panel->DockedFrameSize(frame);
  EXPECT_EQ(frame, TPoint(4 + Cap, 4));
  panel->SetCaptionRotation(dpcrAlwaysHorz);
  EXPECT_FALSE(panel->IsCaptionVertical());
  panel->DockedFrameSize(frame);
  EXPECT_EQ(frame, TPoint(4, 4 + Cap));
  TRect client;
  GetClientRect(panel->Handle(), &client);
  EXPECT_EQ(client.Height(), panel->Height() - 4 - Cap);
  panel->SetShowCaptionWhenDocked(false);
  panel->DockedFrameSize(frame);
  EXPECT_EQ(frame, TPoint(4, 4));
}

TEST_F(DockablePanel, MultiDockRefusedWithoutMultiDockKind)
{
  auto* multi = AddMultiDock(dpxLeft);
  auto* panel = new TTBWDockablePanel(Form);
  EXPECT_TRUE(panel->CanDockTo(multi));
  panel->SetSupportedDocks(TDockKinds{dkStandardDock});
  EXPECT_FALSE(panel->CanDockTo(multi));
  EXPECT_TRUE(panel->CanDockTo(AddDock(dpTop)));
}

TEST_F(DockablePanel, BackgroundFollowsTheTheme)
{
  auto* left = AddDock(dpLeft);
  auto* panel = AddPanel(left, "Plug-ins");
  EXPECT_EQ(panel->ViewKind(), 0x4401u);
  EXPECT_EQ(panel->ResolvedColor(), Theme->PanelColor);
  EXPECT_EQ(TColor(panel->Perform(TBWM_GETVIEWKIND, 0, 0)), TColor(0x4401));
  // A theme switch brings the new theme's colour.
  struct TOtherTheme : TPanelTestTheme {
    using TPanelTestTheme::TPanelTestTheme;
    TColor GetViewColor(std::uint32_t) override { return TColor(0x00112233); }
  };
  if (!ThemeExists("PanelTestOther"))
    RegisterTheme("PanelTestOther", &ThemeClassOf<TOtherTheme>);
  ASSERT_TRUE(SetCurrentThemeName("PanelTestOther"));
  EXPECT_EQ(panel->ResolvedColor(), TColor(0x00112233));
  panel->SetColor(TColor(0x00445566));
  EXPECT_EQ(panel->ResolvedColor(), TColor(0x00445566));
}

TEST_F(DockablePanel, PlacementValuesRoundTripThroughASettingsStore)
{
  TUtMemoryAppStorage store(nullptr);
  auto access = [&store](bool Save) { return PlacementStoreAccess(store, Save); };
  auto* saved = new TTBWDockablePanel(Form);
  saved->SetName("Console");
  saved->SetDockedWidth(150);
  saved->SetDockedHeight(90);
  saved->SetFloatingWidth(300);
  saved->SetFloatingHeight(200);
  saved->SetSplitWidth(120);
  saved->SetSplitHeight(110);
  saved->SavePlacementValues(access(true));
  std::vector<std::string> names;
  for (const auto& [path, text] : store.Values())
    names.push_back(path);
  EXPECT_EQ(names.size(), 6u);

  auto* loaded = new TTBWDockablePanel(Form);
  saved->SetName("Old");
  loaded->SetName("Console");
  loaded->LoadPlacementValues(access(false));
  EXPECT_EQ(loaded->DockedWidth(), 150);
  EXPECT_EQ(loaded->DockedHeight(), 90);
  EXPECT_EQ(loaded->FloatingWidth(), 300);
  EXPECT_EQ(loaded->FloatingHeight(), 200);
  EXPECT_EQ(loaded->SplitWidth(), 120);
  EXPECT_EQ(loaded->SplitHeight(), 110);

  // A damaged store cannot give sizes below the limits.
  store.WriteInteger("Console\\DPDockedWidth", -400);
  store.WriteInteger("Console\\DPFloatingHeight", -7);
  store.WriteInteger("Console\\DPSplitWidth", 2147483647);
  loaded->LoadPlacementValues(access(false));
  EXPECT_EQ(loaded->DockedWidth(), loaded->MinClientWidth());
  EXPECT_EQ(loaded->FloatingHeight(), 0);
  EXPECT_EQ(loaded->SplitWidth(), 32767);
}

// Scripted resizes of a panel in a top dock by its bottom edge.
class DockedResize : public ::testing::TestWithParam<bool>, public TPanelFixture {
public:
  void SetUp() override
  {
    Form->Show();
    Top = AddDock(dpTop);
    Panel = AddPanel(Top, "Console");
    Panel->SetSmoothDockedResize(GetParam());
    Panel->OnDockedResizing = TTBWDockedResizing(this, &DockedResize::Resizing);
    THeadlessDisplay::PumpMessages();
    StartHeight = Panel->Height();
    StartDocked = Panel->DockedHeight();
  }
  TPoint BottomEdge()
  {
    TRect r = ScreenRectOf(Panel);
    return TPoint((r.Left + r.Right) / 2, r.Bottom - 1);
  }
  void Resizing(TObject*, bool Vertical, int& NewSize, TTBWResizingStage Stage, bool& Allow)
  {
    EXPECT_TRUE(Vertical);
    Stages.push_back(Stage);
    if (Stage == VetoStage)
      Allow = false;
    (void)NewSize;
  }
  void Move(TPoint P) { User.Steps.push_back([this, P] { Display->MoveMouse(P.x, P.y); }); }
  void Release() { User.Steps.push_back([this] { Display->Release(); }); }

  TTBDock* Top = nullptr;
  TTBWDockablePanel* Panel = nullptr;
  int StartHeight = 0, StartDocked = 0;
  std::vector<TTBWResizingStage> Stages;
  int VetoStage = -1;
};

TEST_P(DockedResize, PressAndReleaseWithoutMotionChangesNothing)
{
  Release();
  PressAt(BottomEdge());
  EXPECT_FALSE(User.RanOut);
  EXPECT_EQ(Panel->Height(), StartHeight);
  EXPECT_EQ(Panel->DockedHeight(), StartDocked);
  EXPECT_EQ(Stages.front(), rsBeginResizing);
  EXPECT_EQ(Stages.back(), rsEndResizing);
  EXPECT_FALSE(Panel->EdgeResizeActive());
}

TEST_P(DockedResize, OutAndBackChangesNothing)
{
  TPoint p = BottomEdge();
  Move(TPoint(p.x, p.y + 1));
  Move(p);
  Release();
  PressAt(p);
  EXPECT_EQ(Panel->Height(), StartHeight);
  EXPECT_EQ(Panel->DockedHeight(), StartDocked);
}

TEST_P(DockedResize, DraggingTheEdgeGrowsThePanel)
{
  TPoint p = BottomEdge();
  Move(TPoint(p.x, p.y + 30));
  Release();
  PressAt(p);
  EXPECT_EQ(Panel->DockedHeight(), StartDocked + 30);
  EXPECT_EQ(Panel->Height(), StartHeight + 30);
  EXPECT_EQ(Top->Height(), StartHeight + 30);
}

TEST_P(DockedResize, EscapeKeepsTheSizeReached)
{
  TPoint p = BottomEdge();
  Move(TPoint(p.x, p.y - 40));
  User.Steps.push_back([this] { Display->KeyDown(VK_ESCAPE); });
  PressAt(p);
  EXPECT_EQ(Panel->DockedHeight(), StartDocked - 40);
  Display->Release();
  Display->KeyUp(VK_ESCAPE);
  THeadlessDisplay::PumpMessages();
}

TEST_P(DockedResize, VetoAtTheBeginDoesNothing)
{
  VetoStage = rsBeginResizing;
  PressAt(BottomEdge());
  Display->Release();
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Stages.size(), 1u);
  EXPECT_EQ(Panel->DockedHeight(), StartDocked);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_P(DockedResize, VetoAtTheEndKeepsTheStartSize)
{
  VetoStage = rsEndResizing;
  TPoint p = BottomEdge();
  Move(TPoint(p.x, p.y + 25));
  Release();
  PressAt(p);
  EXPECT_EQ(Panel->Height(), StartHeight);
  EXPECT_EQ(Panel->DockedHeight(), StartDocked);
  Top->ArrangeWindows();
  EXPECT_EQ(Panel->Height(), StartHeight);
}

INSTANTIATE_TEST_SUITE_P(Panel, DockedResize, ::testing::Values(true, false),
                         [](const auto& Info) { return Info.param ? "Smooth" : "Line"; });

// A floating panel resized by its frame keeps the size the user gave.
TEST(FloatingPanel, ResizingTheFrameStoresTheFloatingSize)
{
  for (bool smooth : {true, false}) {
    SCOPED_TRACE(smooth ? "smooth" : "outline");
    TPanelFixture f;
    f.Form->Show();
    auto* panel = f.AddPanel(f.AddDock(dpTop), "Console");
    panel->SetSmoothDrag(smooth);
    panel->MakeFloating(true);
    THeadlessDisplay::PumpMessages();
    ASSERT_TRUE(panel->Floating());
    const int w = panel->FloatingWidth(), h = panel->FloatingHeight();
    const TRect frame = TPanelFixture::ScreenRectOf(panel->FloatFrame());
    const TPoint corner(frame.Right - 1, frame.Bottom - 1);
    f.User.Steps.push_back([&f, corner] { f.Display->MoveMouse(corner.x + 40, corner.y + 30); });
    f.User.Steps.push_back([&f] { f.Display->Release(); });
    f.PressAt(corner);
    EXPECT_EQ(panel->FloatingWidth(), w + 40);
    EXPECT_EQ(panel->FloatingHeight(), h + 30);
    EXPECT_EQ(panel->ClientWidth(), w + 40);
  }
}

// A floating panel lives in the themed frame, which gets the panel's snap
// distance (set before or after floating) and snaps to the work area's edges
// only nearer than that distance.
TEST(FloatingPanel, FloatsInTheThemedFrameThatSnapsToTheWorkArea)
{
  TPanelFixture f;
  f.Form->Show();
  auto* panel = f.AddPanel(f.AddDock(dpTop), "Console");
  panel->SetSnapDistance(6);
  panel->MakeFloating(true);
  THeadlessDisplay::PumpMessages();
  auto* frame = dynamic_cast<TTBWFloatingWindowParent*>(panel->FloatFrame());
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(panel->Parent(), frame);
  EXPECT_EQ(frame->SnapDistance(), 6);
  panel->SetSnapDistance(10);
  EXPECT_EQ(frame->SnapDistance(), 10);

  const int w = frame->Width();
  const TRect work = f.Display->Monitors()[0].WorkArea;
  struct TCase {
    int GapRight, GapTop;
    TPoint Expected;
  } cases[] = {
      {9, 50, TPoint(work.Right - w, work.Top + 50)},        // snaps flush to the right
      {10, 50, TPoint(work.Right - w - 10, work.Top + 50)},  // at the distance it stays
      {200, 3, TPoint(work.Right - w - 200, work.Top)},      // the top edge
  };
  for (const TCase& c : cases) {
    SetWindowPos(frame->Handle(), nullptr, work.Right - w - c.GapRight, work.Top + c.GapTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(TPanelFixture::ScreenRectOf(frame).TopLeft(), c.Expected) << c.GapRight << "," << c.GapTop;
  }
}

// The cursor over a docked panel's frame: the caption keeps the arrow, the
// resize edge and the split edges show the sizing arrows.
TEST(DockedPanel, CursorsOverTheFrame)
{
  TPanelFixture f;
  f.Form->SetClientWidth(300);
  f.Form->Show();
  auto* dock = f.AddMultiDock(dpxTop);
  auto* first = f.AddPanel(dock, "A", 0);
  f.AddPanel(dock, "B", 1);
  THeadlessDisplay::PumpMessages();
  const TRect r = TPanelFixture::ScreenRectOf(first);
  struct Case {
    const char* Where;
    TPoint Point;
    LPCSTR Cursor;
  };
  const Case cases[] = {
      {"caption", TPoint(r.Left + 8, (r.Top + r.Bottom) / 2), IDC_ARROW},
      {"bottom edge", TPoint((r.Left + r.Right) / 2, r.Bottom - 1), IDC_SIZENS},
      {"split edge", TPoint(r.Right - 1, (r.Top + r.Bottom) / 2), IDC_SIZEWE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Where);
    THeadlessDisplay::Advance(1000);
    f.Display->MoveMouse(c.Point.x, c.Point.y);
    THeadlessDisplay::PumpMessages();
    EXPECT_EQ(f.Display->Cursor(), LoadCursor(nullptr, c.Cursor));
  }
}

}  // namespace
