// The multi-dock: arrangement of its panels, its refusals, the scripted
// split drag, and a picture of a multi-dock holding three panels.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "TBWPanelTestSupport.h"
#include "platform/base/Exception.h"
#include "platform/classes/stdctrls/Button.h"

namespace {

class MultiDock : public ::testing::Test, public TPanelFixture {
public:
  // A left multi-dock whose inner height is the form's client height.
  TXTBMultiDock* LeftDock(int ClientHeight)
  {
    Form->SetClientHeight(ClientHeight);
    return AddMultiDock(dpxLeft);
  }
};

TEST_F(MultiDock, SharesItsLengthBySplitSizes)
{
  for (auto [inner, first, second] : {std::array{300, 150, 150}, std::array{301, 150, 151}}) {
    auto* dock = LeftDock(inner);
    auto* a = AddPanel(dock, "A", 0);
    auto* b = AddPanel(dock, "B", 1);
    a->SetSplitHeight(100);
    b->SetSplitHeight(100);
    dock->ArrangeWindows();
    EXPECT_EQ(a->Height(), first) << inner;
    EXPECT_EQ(b->Height(), second) << inner;
    EXPECT_EQ(b->Top(), first);
    // Every panel is as thick as the dock.
    EXPECT_EQ(dock->Width(), a->Width());
    EXPECT_EQ(a->Width(), a->DockedWidth() + 4 + (a->IsCaptionVertical() ? GetSystemMetrics(SM_CYSMCAPTION) : 0));
    delete a;
    delete b;
    delete dock;
  }
}

TEST_F(MultiDock, MinimumsOverflowAndMaximumsLeaveRoom)
{
  auto* dock = LeftDock(120);
  std::vector<TTBWDockablePanel*> panels;
  for (int i = 0; i < 3; ++i) {
    panels.push_back(AddPanel(dock, std::string(1, char('A' + i)), i));
    panels.back()->SetMinClientHeight(40);
  }
  dock->ArrangeWindows();
  const int frameH = 4 + GetSystemMetrics(SM_CYSMCAPTION);
  for (auto* p : panels)
    EXPECT_EQ(p->Height(), 40 + frameH);
  Form->SetClientHeight(600);
  for (auto* p : panels)
    p->SetMaxClientHeight(60);
  dock->ArrangeWindows();
  for (auto* p : panels)
    EXPECT_EQ(p->Height(), 60 + frameH);
  EXPECT_EQ(panels[2]->Top(), 2 * (60 + frameH));
}

TEST_F(MultiDock, EmptyDockThickness)
{
  auto* dock = AddMultiDock(dpxLeft);
  EXPECT_EQ(dock->Width(), 0);
  dock->SetFixAlign(true);
  EXPECT_EQ(dock->Width(), 1);
  auto* top = AddMultiDock(dpxTop);
  auto* panel = AddPanel(top, "A");
  EXPECT_GT(top->Height(), 0);
  panel->Hide();
  EXPECT_EQ(top->Height(), 0);
}

TEST_F(MultiDock, PanelsStreamedWithoutPositionKeepTheirOrder)
{
  auto* dock = LeftDock(300);
  std::vector<TTBWDockablePanel*> panels;
  for (int i = 0; i < 3; ++i) {
    auto* p = new TTBWDockablePanel(Form);
    p->SetName(std::string("P") + char('0' + i));
    panels.push_back(p);
  }
  // As a form being read: every panel loading, none with a position.
  for (auto* p : panels) {
    p->Loading();
    p->SetDockPos(-1);
    p->SetParent(dock);
  }
  auto* placed = AddPanel(dock, "Placed", 5);
  dock->ArrangeWindows();
  EXPECT_EQ(placed->Top(), 0);
  EXPECT_LT(panels[0]->Top(), panels[1]->Top());
  EXPECT_LT(panels[1]->Top(), panels[2]->Top());
  for (auto* p : panels)
    static_cast<TComponent*>(p)->Loaded();
}

TEST_F(MultiDock, RefusesWhatIsNoPanel)
{
  auto* dock = AddMultiDock(dpxTop);
  auto* button = new TButton(Form);
  try {
    button->SetParent(dock);
    FAIL() << "a button went into the multi-dock";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot insert TButton into TTBWMultiDock");
  }
  EXPECT_EQ(button->Parent(), nullptr);
  AddPanel(dock, "A");
  try {
    dock->SetPosition(dpxLeft);
    FAIL() << "the position changed";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot change Position of a TTBDock if it already contains controls");
  }
  EXPECT_EQ(dock->Position(), dpxTop);
}

TEST_F(MultiDock, ClientPositionStretchesThePanels)
{
  auto* dock = AddMultiDock(dpxClient);
  EXPECT_EQ(dock->Align(), alClient);
  auto* a = AddPanel(dock, "A");
  dock->ArrangeWindows();
  EXPECT_EQ(a->Width(), dock->Width());
}

// Scripted split drags between three panels of a top multi-dock.
class SplitDrag : public ::testing::TestWithParam<bool>, public TPanelFixture {
public:
  void SetUp() override
  {
    Form->SetClientWidth(300);
    Form->Show();
    Dock = AddMultiDock(dpxTop);
    for (int i = 0; i < 3; ++i) {
      Panels.push_back(AddPanel(Dock, std::string(1, char('A' + i)), i));
      Panels.back()->SetSmoothDockedResize(GetParam());
      Panels.back()->SetMinClientWidth(12);  // 32 with the vertical caption and the ring
    }
    Dock->ArrangeWindows();  // a new minimum waits for the next arrangement
    THeadlessDisplay::PumpMessages();
  }
  std::vector<int> Widths() const
  {
    std::vector<int> result;
    for (auto* p : Panels)
      result.push_back(p->Width());
    return result;
  }
  TPoint SplitAfter(int Index)
  {
    TRect r = ScreenRectOf(Panels[std::size_t(Index)]);
    return TPoint(r.Right - 1, (r.Top + r.Bottom) / 2);
  }
  void Move(TPoint P) { User.Steps.push_back([this, P] { Display->MoveMouse(P.x, P.y); }); }
  void Release() { User.Steps.push_back([this] { Display->Release(); }); }

  TXTBMultiDock* Dock = nullptr;
  std::vector<TTBWDockablePanel*> Panels;
};

TEST_P(SplitDrag, NoMotionChangesNothing)
{
  const auto before = Widths();
  Release();
  PressAt(SplitAfter(0));
  EXPECT_EQ(Widths(), before);
  EXPECT_FALSE(Panels[0]->SplitDragActive());
}

TEST_P(SplitDrag, CarriesPastTheNeighboursMinimum)
{
  ASSERT_EQ(Widths(), (std::vector<int>{100, 100, 100}));
  TPoint p = SplitAfter(0);
  Move(TPoint(p.x + 90, p.y));
  Release();
  PressAt(p);
  EXPECT_EQ(Widths(), (std::vector<int>{190, 32, 78}));
  EXPECT_EQ(Panels[1]->SplitWidth(), 32);
  Dock->ArrangeWindows();  // the split sizes hold
  EXPECT_EQ(Widths(), (std::vector<int>{190, 32, 78}));
}

TEST_P(SplitDrag, LeftEdgeMovesThePreviousSplitAndEscapeKeeps)
{
  TRect r = ScreenRectOf(Panels[2]);
  TPoint p(r.Left + 1, (r.Top + r.Bottom) / 2);
  Move(TPoint(p.x - 30, p.y));
  User.Steps.push_back([this] { Display->KeyDown(VK_ESCAPE); });
  PressAt(p);
  EXPECT_EQ(Widths(), (std::vector<int>{100, 70, 130}));
  Display->Release();
  Display->KeyUp(VK_ESCAPE);
  THeadlessDisplay::PumpMessages();
}

INSTANTIATE_TEST_SUITE_P(Panel, SplitDrag, ::testing::Values(true, false),
                         [](const auto& Info) { return Info.param ? "Smooth" : "Line"; });

TEST_F(MultiDock, RendersPanelsWithTheirCaptionBars)
{
  Form->SetBounds(0, 0, 480, 320);
  Form->Show();
  auto* left = AddMultiDock(dpxLeft);
  auto* top = AddMultiDock(dpxTop);
  auto* console = AddPanel(left, "Console", 0);
  AddPanel(left, "Plug-ins", 1);
  auto* affichage = AddPanel(top, "Affichage", 0);
  AddPanel(top, "Second", 1);
  console->SetDockedWidth(120);
  affichage->SetDockedHeight(60);
  THeadlessDisplay::PumpMessages();
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(Theme->Calls.empty());
  // PANEL_PICTURE_DIR=<folder> keeps a picture to look at.
  if (const char* dir = std::getenv("PANEL_PICTURE_DIR")) {
    EXPECT_TRUE(Display->Screenshot(Form->Handle(), std::string(dir) + "/multidock-" + std::to_string(getpid()) + ".png"));
  }
  // The caption band runs across the top of a panel in a left dock and down
  // the left side of one in a top dock.
  const COLORREF band = ColorToRGB(TColor(0x00A05020));
  auto pixel = [](TWinControl* Control, int X, int Y) {
    HDC dc = GetWindowDC(Control->Handle());
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Control->Handle(), dc);
    return c;
  };
  EXPECT_EQ(pixel(console, console->Width() / 2, 8), band);
  EXPECT_NE(pixel(console, 5, console->Height() / 2), band);
  EXPECT_EQ(pixel(affichage, 8, affichage->Height() / 2), band);
  EXPECT_NE(pixel(affichage, affichage->Width() / 2, 8), band);
}

}  // namespace
