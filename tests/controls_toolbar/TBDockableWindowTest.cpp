// Dockable windows: docking, floating and re-docking keep the handle and run
// the events in order; the floating frame's hit codes and its WM_CLOSE; the
// drag and resize arithmetic as tables; a scripted drag.
#include <gtest/gtest.h>

#include "TBDockTestSupport.h"
#include "../controls_utility/StreamedState.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDragGeometry.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

class TBDockableWindowTest : public ::testing::Test, public TDockFixture {};

TEST_F(TBDockableWindowTest, DockFloatAndRedockKeepTheHandleAndRunTheEventsInOrder)
{
  TTBDock* top = AddDock(dpTop, true);
  TTBDock* bottom = AddDock(dpBottom, true);
  auto* bar = AddBar(top, 0, 0);
  HWND handle = bar->Handle();
  TDockEventLog log;
  log.Listen(bar);
  std::vector<std::string>& Events = log.Events;
  bar->SetParent(top);
  EXPECT_TRUE(Events.empty()) << "the same parent changes nothing";

  bar->MakeFloating(true);
  EXPECT_TRUE(bar->Floating());
  EXPECT_EQ(bar->Handle(), handle);
  // The new frame reports its own placement before the change.
  EXPECT_EQ(log.FromTheChange(),
            (std::vector<std::string>{"changing:float", "recreating", "hidden:float", "move", "recreated", "changed"}));
  EXPECT_TRUE(top->IsMember(bar)) << "the last dock keeps it as a member";
  EXPECT_EQ(top->VisibleWindowCount(), 0);

  Events.clear();
  bar->SetCurrentDock(bottom);
  EXPECT_TRUE(bar->Docked());
  EXPECT_EQ(bar->Handle(), handle);
  EXPECT_EQ(Events,
            (std::vector<std::string>{"changing:dock", "recreating", "hidden:dock", "move", "recreated", "changed"}));
  EXPECT_FALSE(top->IsMember(bar));
  EXPECT_EQ(bar->LastDock(), bottom);
}

TEST_F(TBDockableWindowTest, ToggleDockingGoesToTheDefaultDockAndNowhereWithoutOne)
{
  TTBDock* top = AddDock(dpTop, true);
  auto* bar = AddBar(top, 0, 50);
  bar->SetUseLastDock(false);
  bar->MakeFloating(true);
  ASSERT_EQ(bar->LastDock(), nullptr);
  bar->ToggleDocking();
  EXPECT_TRUE(bar->Floating()) << "neither last nor default dock: it stays floating";
  bar->SetDefaultDock(top);
  bar->ToggleDocking();
  EXPECT_EQ(bar->CurrentDock(), top);
  EXPECT_EQ(bar->ArrangedRow(), 0);
  EXPECT_EQ(bar->ArrangedPos(), 0);
}

TEST_F(TBDockableWindowTest, FloatingFramesHaveUniqueNamesAndSendTheirCloseToTheOwningForm)
{
  TTBDock* top = AddDock(dpTop, true);
  auto* a = AddBar(top, 0, 0);
  auto* b = AddBar(top, 0, 100);
  a->MakeFloating(true);
  b->MakeFloating(true);
  ASSERT_TRUE(a->FloatFrame() && b->FloatFrame());
  EXPECT_NE(a->FloatFrame()->Name(), b->FloatFrame()->Name());
  EXPECT_EQ(a->FloatFrame()->Name().size(), std::string("NBFloatingWindowParent_").size() + 2 * sizeof(void*));

  bool formClosing = false;
  struct TCloseProbe {
    bool* Flag;
    void Query(TObject*, bool& CanClose)
    {
      *Flag = true;
      CanClose = false;
    }
  } probe{&formClosing};
  Form->OnCloseQuery = TCloseQueryEvent(&probe, &TCloseProbe::Query);
  SendMessage(a->FloatFrame()->Handle(), WM_CLOSE, 0, 0);
  Application()->ProcessMessages();
  EXPECT_TRUE(formClosing) << "the owning form is asked to close";
  EXPECT_TRUE(a->Floating());
  EXPECT_TRUE(a->Visible()) << "the tool window itself stays";
}

TEST_F(TBDockableWindowTest, FloatingFrameHitCodes)
{
  TTBDock* top = AddDock(dpTop, true);
  auto* bar = AddBar(top, 0, 0);
  bar->MakeFloating(true);
  TTBFloatingWindowParent* frame = bar->FloatFrame();
  TPoint border(0, 0);
  bar->FloatingFrameSize(border);
  int k = GetSystemMetrics(SM_CYSMCAPTION) - 1 + border.x;
  int W = frame->Width(), H = frame->Height();
  TRect box = frame->CloseBoxRect();
  struct TCase {
    TPoint P;
    int Code;
  } cases[] = {
      {{1, 1}, HTTOPLEFT},          {{1, k + 1}, HTLEFT},         {{1, H - 2}, HTBOTTOMLEFT},
      {{W - 1, 1}, HTTOPRIGHT},     {{k + 2, 0}, HTTOP},          {{k + 2, H - 1}, HTBOTTOM},
      {{box.Left + 2, box.Top + 2}, HT_TB_CLOSE}, {{border.x + 2, box.Top + 2}, HT_TB_CAPTION},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(frame->HitTest(c.P), c.Code) << c.P.x << "," << c.P.y;
  bar->SetResizeBehaviour(TTBResizeBehaviour{});
  EXPECT_EQ(frame->HitTest(TPoint(1, 1)), HTTOP) << "without corners the top is tested first";
  bar->SetResizable(false);
  EXPECT_EQ(frame->HitTest(TPoint(1, k + 1)), HTNOWHERE);
  bar->SetShowCaption(false);
  EXPECT_NE(frame->HitTest(TPoint(box.Left + 2, box.Top + 2)), HT_TB_CLOSE);
}

// A popup menu that records where it was asked to show instead of running.
class TRecordingPopup : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  std::vector<TPoint> Shown;
  TComponent* For = nullptr;
  void Popup(int X, int Y) override
  {
    Shown.push_back(TPoint(X, Y));
    For = PopupComponent();
  }
};

struct TContextProbe {
  std::vector<TPoint> Asked;
  bool Handle = false;
  void Ask(TObject*, TPoint MousePos, bool& Handled)
  {
    Asked.push_back(MousePos);
    Handled = Handle;
  }
};

// A right click on the frame of a dockable window (its drag handle, its
// floating caption) offers the window's own menu at the click; the keyboard
// form shows it at the client origin; OnContextPopup can take it over.
TEST_F(TBDockableWindowTest, ContextMenuOnTheFrame)
{
  TTBDock* top = AddDock(dpTop, true);
  auto* bar = AddBar(top, 0, 0);
  TRecordingPopup popup(Form);
  bar->SetPopupMenu(&popup);
  TContextProbe probe;
  bar->OnContextPopup = TContextPopupEvent(&probe, &TContextProbe::Ask);
  TRect wr;
  GetWindowRect(bar->Handle(), &wr);
  const TPoint onHandle(wr.Left + 3, wr.Top + 5);
  SendMessage(bar->Handle(), WM_NCRBUTTONUP, HT_TB_BORDER, MAKELPARAM(onHandle.x, onHandle.y));
  ASSERT_EQ(popup.Shown.size(), 1u);
  EXPECT_EQ(popup.Shown[0], onHandle);
  EXPECT_EQ(popup.For, bar);
  ASSERT_FALSE(probe.Asked.empty());
  EXPECT_EQ(probe.Asked.back(), bar->ScreenToClient(onHandle)) << "asked with the client point";

  SendMessage(bar->Handle(), WM_CONTEXTMENU, WPARAM(bar->Handle()), MAKELPARAM(-1, -1));
  ASSERT_EQ(popup.Shown.size(), 2u);
  EXPECT_EQ(popup.Shown[1], bar->ClientToScreen(TPoint(0, 0)));
  EXPECT_EQ(probe.Asked.back(), TPoint(-1, -1));
  EXPECT_EQ(probe.Asked.size(), 2u) << "asked once for the keyboard form";

  probe.Handle = true;
  SendMessage(bar->Handle(), WM_NCRBUTTONUP, HT_TB_BORDER, MAKELPARAM(onHandle.x, onHandle.y));
  EXPECT_EQ(popup.Shown.size(), 2u) << "OnContextPopup handled it";
  probe.Handle = false;

  bar->MakeFloating(true);
  TTBFloatingWindowParent* frame = bar->FloatFrame();
  TRect caption = frame->CaptionRect();
  const TPoint onCaption(frame->Left() + caption.Left + 4, frame->Top() + caption.Top + 4);
  SendMessage(frame->Handle(), WM_NCRBUTTONUP, HT_TB_CAPTION, MAKELPARAM(onCaption.x, onCaption.y));
  ASSERT_EQ(popup.Shown.size(), 3u);
  EXPECT_EQ(popup.Shown[2], onCaption);
  bar->SetPopupMenu(nullptr);
}

// A window written at run time says so in its stream; read back, it keeps
// its floating frame where it was put. A window of a designed form (no such
// value) holds its place in its form's client coordinates: loading puts its
// frame there on the screen, moved back onto the work area when it lies off.
TEST_F(TBDockableWindowTest, SavedAtRunTimeAndTheFloatingPlaceOfADesignedForm)
{
  TTBDock* top = AddDock(dpTop, true);
  Form->Show();
  auto* written = AddBar(top, 0, 0);
  const std::string bytes = WrittenState(written);
  EXPECT_NE(bytes.find(std::string("\x0eSavedAtRunTime") + char(vaTrue)), std::string::npos);
  EXPECT_FALSE(written->SavedAtRunTime());

  const TPoint origin = Form->ClientToScreen(TPoint(0, 0));
  const TRect work = MonitorRectOfRect(TRect(origin.x, origin.y, origin.x + 1, origin.y + 1), true);
  struct TCase {
    const char* Name;
    bool RunTimeStream;
    TPoint Place;
    bool Moved;
  } cases[] = {
      {"designed", false, TPoint(30, 40), true},
      {"designed, off the screen", false, TPoint(work.Right + 500, 40), true},
      {"written at run time", true, TPoint(30, 40), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* bar = new TFakeBar(Form);
    bar->SetParent(Form);
    bar->Loading();
    bar->MakeFloating(true);
    bar->SetBounds(c.Place.x, c.Place.y, bar->Natural.x, bar->Natural.y);
    TTBFloatingWindowParent* frame = bar->FloatFrame();
    ASSERT_NE(frame, nullptr);
    const TPoint before(frame->Left(), frame->Top());
    if (c.RunTimeStream)
      ReadState(bar, bytes);  // ends with Loaded
    else
      static_cast<TComponent*>(bar)->Loaded();
    EXPECT_EQ(bar->SavedAtRunTime(), c.RunTimeStream);
    EXPECT_EQ(TPoint(bar->Left(), bar->Top()), TPoint(0, 0)) << "the window sits at the frame's origin";
    const TRect placed(frame->Left(), frame->Top(), frame->Left() + frame->Width(), frame->Top() + frame->Height());
    if (!c.Moved) {
      EXPECT_EQ(placed.TopLeft(), before);
    } else if (c.Place.x < work.Right) {
      EXPECT_EQ(placed.TopLeft(), TPoint(origin.x + c.Place.x, origin.y + c.Place.y));
    } else {
      EXPECT_EQ(placed.Right, work.Right) << "kept on the work area";
      EXPECT_EQ(placed.Top, origin.y + c.Place.y);
    }
    delete bar;
  }
}

TEST(TBDragGeometryTest, SnapZoneFollowsTheGrabPointAndSurvivesOnePixelWindows)
{
  TRect dock(100, 100, 300, 130);  // inflated: 97..303, 97..133
  struct TCase {
    int X, GrabX;
    bool In;
  } cases[] = {
      {72, 0, true},    {71, 0, false},  {302, 0, true},   {303, 0, false},
      {97, 99, true},   {96, 99, false}, {327, 99, true},  {328, 99, false},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(InSnapZone(dock, false, TPoint(c.X, 110), TPoint(c.GrabX, 0), TPoint(99, 0)), c.In)
        << c.X << " grabbed at " << c.GrabX;
  EXPECT_FALSE(InSnapZone(dock, true, TPoint(150, 96), TPoint(0, 0), TPoint(99, 0)))
      << "vertical docks need the cursor within their height";
  EXPECT_TRUE(InSnapZone(dock, false, TPoint(150, 110), TPoint(0, 0), TPoint(0, 0))) << "no division by zero";
  TRect r = DragRectAt(TPoint(50, 50), TPoint(1, 1), TPoint(0, 0), TPoint(0, 0));
  EXPECT_EQ(r.Left, 50);
}

TEST(TBDragGeometryTest, DropRows)
{
  std::vector<uint32_t> rows{26, 26};
  struct TCase {
    int Centre, Row;
    bool Own;
  } cases[] = {{3, 0, true}, {10, 0, false}, {22, 1, true}, {40, 1, false}, {50, 2, false}};
  for (const TCase& c : cases) {
    TDropRow d = DropRowAt(rows, c.Centre);
    EXPECT_EQ(d.Row, c.Row) << c.Centre;
    EXPECT_EQ(d.OwnRow, c.Own) << c.Centre;
  }
  TDropRow full = DropRowAt({26 | DragRowHasFullSize}, 12);
  EXPECT_TRUE(full.OwnRow) << "half the thickness of a full-size row makes a new row";
  EXPECT_EQ(DropRowAt({0, 26}, 3).Row, 1) << "rows of thickness 0 are skipped";
}

TEST(TBDragGeometryTest, ResizeClampsMoveTheDraggedEdge)
{
  TRect start(100, 100, 200, 180);
  struct TCase {
    int Edge;
    TPoint Delta;
    TRect Expected;
  } cases[] = {
      {0, {90, 0}, {150, 100, 200, 180}},   // left edge: left = right - minimum
      {1, {-90, 0}, {100, 100, 150, 180}},  // right edge: right = left + minimum
      {1, {500, 0}, {100, 100, 300, 180}},  // the maximum
      {5, {0, -70}, {100, 100, 200, 140}},  // bottom: height minimum
      {3, {10, 10}, {110, 110, 200, 180}},  // top-left moves both
  };
  for (const TCase& c : cases) {
    TRect r = ResizedFrameRect(start, c.Edge, c.Delta, 50, 40, 200, 0);
    EXPECT_TRUE(EqualRect(&r, &c.Expected)) << "edge " << c.Edge << ": " << r.Left << "," << r.Top << ","
                                            << r.Right << "," << r.Bottom;
  }
}

}  // namespace
