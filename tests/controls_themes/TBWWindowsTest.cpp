#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <chrono>
#include <thread>

#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWFloating.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWPopups.h"
#include "controls/themes/TBWShadows.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/themes/TBWViewers.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Text.h"
#include "tests/controls_toolbar/TBScriptedUser.h"
#include "tests/support/GoldenImage.h"
#include "TBWTestTheme.h"

namespace {

class ThemedWindows : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    SetBuiltinFontOnly(true);
    Themes = std::make_unique<TTestThemeScope>(std::initializer_list<const char*>{"Test", "Wide"});
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(100, 100, 400, 200);
    Form->SetColor(TColor(0x00A0B0C0));
  }
  void TearDown() override
  {
    Form->Free();
    THeadlessDisplay::PumpMessages();
    Themes.reset();
    SetBuiltinFontOnly(false);
  }
  TTBWDock* AddDock()
  {
    auto* dock = new TTBWDock(Form);
    dock->SetPosition(dpTop);
    dock->SetParent(Form);
    return dock;
  }
  TTBWToolbar* AddToolbar(const std::vector<const char*>& Captions)
  {
    auto* bar = new TTBWToolbar(Form);
    bar->SetCaption("Outils");
    for (const char* caption : Captions) {
      auto* item = new TTBWItem(nullptr);
      item->SetCaption(caption);
      bar->Items()->Add(item);
    }
    return bar;
  }
  static TRect WindowRect(HWND Wnd)
  {
    TRect r;
    GetWindowRect(Wnd, &r);
    return r;
  }
  static TRect ClientScreenRect(TWinControl* Control)
  {
    TPoint o = Control->ClientOrigin();
    return TRect(o.x, o.y, o.x + Control->ClientWidth(), o.y + Control->ClientHeight());
  }
  static int Count(const std::string& Op, const std::string& Theme = "")
  {
    return int(std::count_if(TTestTheme::Calls().begin(), TTestTheme::Calls().end(), [&](const TThemeCall& c) {
      return c.Op == Op && (Theme.empty() || c.Theme == Theme);
    }));
  }

  THeadlessDisplay* Display = nullptr;
  std::unique_ptr<TTestThemeScope> Themes;
  TCustomForm* Form = nullptr;
};

TEST_F(ThemedWindows, ToolbarViewKindsAndColours)
{
  TTBWDock* dock = AddDock();
  TTBWToolbar* bar = AddToolbar({"Un"});
  bar->SetParent(Form);
  EXPECT_EQ(bar->ViewKind(), VT_TOOLBAR | VT_ITEMSOPAQUE) << "on a form its items are opaque";
  EXPECT_EQ(GetEffectiveColor(bar), Form->Color()) << "on a form it takes the form's colour";
  bar->SetItemTransparency(itEnable);
  EXPECT_EQ(ViewKindOfComponent(bar), VT_TOOLBAR);
  bar->SetItemTransparency(itAuto);
  bar->SetCurrentDock(dock);
  EXPECT_EQ(bar->ViewKind(), VT_TOOLBAR);
  EXPECT_EQ(bar->EffectiveColor(), TColor(clBtnFace)) << "docked it takes the theme's view colour";
  bar->SetMenuBar(true);
  EXPECT_EQ(bar->ViewKind(), VT_MENUBAR);
  bar->SetMenuBar(false);
  bar->MakeFloating(true);
  EXPECT_EQ(bar->ViewKind(), VT_TOOLBAR | VT_FLOATING | VT_RESIZABLE);
  bar->SetColor(TColor(0x00123456));
  EXPECT_EQ(GetEffectiveColor(bar), TColor(0x00123456));

  EXPECT_EQ(GetEffectiveColor(dock), Form->Color()) << "a dock without a colour shows its parent's";
  dock->SetColor(TColor(0x000000FF));
  EXPECT_EQ(GetEffectiveColor(dock), TColor(0x000000FF));
  EXPECT_EQ(GetEffectiveColor(nullptr), TColor(clBtnFace));
}

TEST_F(ThemedWindows, PopupFrameComesFromTheThemeAndItsShadowFollowsIt)
{
  TTestThemeSettings& s = TTestTheme::Settings()["Test"];
  s.PopupFrame = TPoint(5, 4);
  s.ShadowKind = PST_OFFICEXP;
  Form->Show();
  TTBWRootItem root(nullptr);
  for (const char* caption : {"Ouvrir", "Fermer"}) {
    auto* item = new TTBWItem(nullptr);
    item->SetCaption(caption);
    root.Add(item);
  }
  TTBPopupWindow* window = root.CreatePopup(nullptr, nullptr, false, false, false, TPoint(150, 150), tbpaLeft);
  auto* popup = dynamic_cast<TTBWPopupWindow*>(window);
  ASSERT_NE(popup, nullptr);
  // The menu slides in; the shadow comes once it is in place (the
  // animation's pace runs in real time between the clock's steps).
  THeadlessDisplay::Advance(200);
  for (int i = 0; i < 2000 && !popup->Shadows(); ++i) {
    THeadlessDisplay::PumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  const TRect outer = WindowRect(popup->Handle()), inner = ClientScreenRect(popup);
  EXPECT_EQ(inner.Left - outer.Left, 5);
  EXPECT_EQ(outer.Right - inner.Right, 5);
  EXPECT_EQ(inner.Top - outer.Top, 4);
  EXPECT_EQ(outer.Bottom - inner.Bottom, 4);
  EXPECT_GT(Count("PopupFrame"), 0);
  EXPECT_EQ(TTestTheme::LastPopupFrame().BorderSize, TPoint(5, 4));
  EXPECT_EQ(TTestTheme::LastPopupFrame().ViewKind, VT_POPUPMENU);

  // Shown: a shadow along the right edge and under the bottom.
  ASSERT_NE(popup->Shadows(), nullptr);
  TShadow* right = popup->Shadows()->Piece(0);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(WindowRect(right->Handle()).Left, outer.Right);
  // Moved: the shadow is cast again from the new place.
  popup->SetBounds(popup->Left() + 30, popup->Top(), popup->Width(), popup->Height());
  THeadlessDisplay::PumpMessages();
  ASSERT_NE(popup->Shadows(), nullptr);
  HWND moved = popup->Shadows()->Piece(0)->Handle();
  EXPECT_EQ(WindowRect(moved).Left, outer.Right + 30);
  // Closed: the shadow goes with it.
  delete window;
  EXPECT_FALSE(IsWindow(moved));
}

TEST_F(ThemedWindows, PopupMenuAnswersItsKindAndNoShadowWithoutATheme)
{
  TTBWPopupMenu menu(nullptr);
  EXPECT_EQ(ViewKindOfComponent(&menu), VT_POPUPMENU);
  EXPECT_NE(dynamic_cast<TTBWRootItem*>(menu.Items()), nullptr);
  auto* item = new TTBWItem(nullptr);
  item->SetCaption("Info Contact");
  menu.Items()->Add(item);
  TTBPopupWindow* window = menu.Items()->CreatePopup(nullptr, nullptr, false, false, false, TPoint(10, 10), tbpaLeft);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(static_cast<TTBWPopupWindow*>(window)->Shadows(), nullptr) << "the theme asks for no shadow";
  delete window;
}

// An item whose viewer notes the hint queries that reach it.
class THintNotingViewer : public TTBWItemViewer {
public:
  using TTBWItemViewer::TTBWItemViewer;
  static inline std::vector<std::string> Heard;
  void Dispatch(TMessage& Message) override
  {
    if (Message.Msg == CM_HINTSHOW)
      Heard.push_back(reinterpret_cast<TCMHintShow&>(Message).HintInfo->HintStr);
    TTBWItemViewer::Dispatch(Message);
  }
};

class THintNotingItem : public TTBWItem {
public:
  using TTBWItem::TTBWItem;
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override
  {
    return new THintNotingViewer(AView, this, InlineDepth);
  }
};

// A popup answers the hint query with its selected item's rectangle and
// hint, and then passes the query on to that item's viewer.
TEST_F(ThemedWindows, APopupsHintQueryReachesItsSelectedItem)
{
  Form->Show();
  TTBWRootItem root(nullptr);
  auto* first = new THintNotingItem(nullptr);
  first->SetCaption("Ouvrir");
  first->SetHint("Ouvre une discussion");
  auto* second = new THintNotingItem(nullptr);
  second->SetCaption("Fermer");
  root.Add(first);
  root.Add(second);
  TTBPopupWindow* window = root.CreatePopup(nullptr, nullptr, false, false, false, TPoint(150, 150), tbpaLeft);
  THeadlessDisplay::PumpMessages();
  THintNotingViewer::Heard.clear();

  THintInfo info;
  info.HintStr = "ancien";
  SendMessage(window->Handle(), CM_HINTSHOW, 0, LPARAM(&info));
  EXPECT_EQ(info.HintStr, "") << "no selection, no hint";
  EXPECT_TRUE(THintNotingViewer::Heard.empty());

  TTBItemViewer* viewer = window->View()->FindViewerOfItem(first);
  window->View()->SetSelectedViewer(viewer, false);
  SendMessage(window->Handle(), CM_HINTSHOW, 0, LPARAM(&info));
  EXPECT_EQ(info.HintStr, "Ouvre une discussion");
  EXPECT_EQ(info.CursorRect, viewer->BoundsRect);
  EXPECT_EQ(THintNotingViewer::Heard, (std::vector<std::string>{"Ouvre une discussion"}));
  delete window;
}

TEST_F(ThemedWindows, DockBackgroundIsTheThemesUnlessTheDockHasAColour)
{
  TTBWDock* dock = AddDock();
  TTBWToolbar* bar = AddToolbar({"Un", "Deux"});
  bar->SetCurrentDock(dock);
  Form->Show();
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Count("DockBackground"), 0) << "the theme does not paint docks";

  TTestTheme::Settings()["Test"].Features = {TBF_PAINTDOCKBACKGROUND};
  TTestTheme::Calls().clear();
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  THeadlessDisplay::PumpMessages();
  EXPECT_GT(Count("DockBackground"), 0);
  for (const TThemeCall& c : TTestTheme::Calls()) {
    if (c.Op == "DockBackground") {
      EXPECT_EQ(c.Extra, DS_TOP);
    }
  }
  // The toolbar continues the dock's background behind its items.
  const TRect barInDock = bar->BoundsRect();
  const bool behindToolbar = std::any_of(TTestTheme::Calls().begin(), TTestTheme::Calls().end(), [&](auto& c) {
    return c.Op == "DockBackground" && c.R.Left >= barInDock.Left && c.R.Right <= barInDock.Right &&
           c.R.Width() < dock->ClientWidth();
  });
  EXPECT_TRUE(behindToolbar);
  TPixelImage shot;
  const std::string path = ::testing::TempDir() + "dock-bg-" + std::to_string(getpid()) + ".png";
  ASSERT_TRUE(Display->Screenshot(Form->Handle(), path));
  ASSERT_TRUE(ReadPng(path, shot));
  // A pixel of the dock right of the toolbar shows the theme's dock colour.
  const TPoint probe = Form->ScreenToClient(dock->ClientToScreen(TPoint(dock->ClientWidth() - 3, 3)));
  const TPoint formOrigin = Form->ClientOrigin();
  const TRect formRect = WindowRect(Form->Handle());
  const int x = probe.x + formOrigin.x - formRect.Left, y = probe.y + formOrigin.y - formRect.Top;
  EXPECT_EQ(shot.Pixels[size_t(y * shot.Width + x)], 0x004080C0u);

  dock->SetColor(TColor(0x000000FF));
  TTestTheme::Calls().clear();
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Count("DockBackground"), 0) << "an explicit colour wins over the theme";
}

TEST_F(ThemedWindows, ThemeSwitchReframesRelaysAndRepaints)
{
  TTestTheme::Settings()["Wide"].FloatingFrame = TPoint(7, 6);
  TTestTheme::Settings()["Wide"].ViewMargins = ItemMarginSet{10, 10, 0, 0};
  TTBWDock* dock = AddDock();
  TTBWToolbar* docked = AddToolbar({"Un", "Deux"});
  docked->SetCurrentDock(dock);
  Form->Show();
  SetActiveWindow(Form->Handle());
  TTBWToolbar* floating = AddToolbar({"Trois"});
  floating->SetParent(Form);
  floating->MakeFloating(true);
  THeadlessDisplay::PumpMessages();
  TTBFloatingWindowParent* frame = floating->FloatFrame();
  ASSERT_NE(dynamic_cast<TTBWFloatingWindowParent*>(frame), nullptr);
  const int frameLeft = ClientScreenRect(frame).Left - WindowRect(frame->Handle()).Left;
  EXPECT_EQ(frameLeft, 3);
  const int dockedWidth = docked->Width();
  ASSERT_TRUE(IsWindowVisible(frame->Handle()));

  TTestTheme::Calls().clear();
  ASSERT_TRUE(SetCurrentThemeName("Wide"));
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(ClientScreenRect(frame).Left - WindowRect(frame->Handle()).Left, 7) << "the frame was not re-framed";
  EXPECT_EQ(docked->Width(), dockedWidth + 20) << "the toolbar was not laid out again";
  EXPECT_GT(Count("DockableFrame", "Wide"), 0);
  EXPECT_GT(Count("FloatingFrame", "Wide"), 0);
  EXPECT_GT(Count("Caption", "Wide"), 0);
  EXPECT_EQ(Count("Caption", "Test"), 0);
}

TEST(ThemedSnapping, NearEdgesPullAMovedFrameFlush)
{
  const TRect work(0, 0, 800, 600);
  const TSize size(100, 50);
  struct {
    TPoint To, Expected;
  } cases[] = {
      {{691, 200}, {700, 200}},  // 9 pixels from the right edge
      {{690, 200}, {690, 200}},  // 10 pixels: too far
      {{300, 541}, {300, 550}},  // the bottom
      {{5, -4}, {0, 0}},         // left and top
  };
  for (auto& c : cases)
    EXPECT_EQ(SnapToWorkArea(c.To, size, work, 10), c.Expected) << c.To.x << "," << c.To.y;
  // Within reach of both sides the left one wins.
  EXPECT_EQ(SnapToWorkArea(TPoint(3, 10), TSize(795, 10), work, 10).x, 0);
}

TEST_F(ThemedWindows, OverlappingThemesMovePopupsOntoTheirParentsBorder)
{
  TTestTheme::Settings()["Test"].Features = {TBF_SUBMENUOVERLAP};
  TTBWItem item(nullptr);
  // A 120 x 80 popup for an item at (100, 50, 160, 70), with a 3-pixel frame.
  auto place = [&](bool Submenu, int X, int Y) {
    TTBPopupPlacement pl;
    pl.PositionAsSubmenu = Submenu;
    pl.MonitorRect = TRect(0, 0, 800, 600);
    pl.ParentItemRect = TRect(100, 50, 160, 70);
    pl.FrameWidth = pl.FrameHeight = 3;
    pl.X = X;
    pl.Y = Y;
    pl.W = 120;
    pl.H = 80;
    item.FitPopupPosition(nullptr, nullptr, pl);
    return pl;
  };
  TTBPopupPlacement pl = place(false, 100, 70);
  EXPECT_EQ(pl.Y, 69) << "a dropdown shares the item's last row";
  EXPECT_EQ(pl.W, 120);
  EXPECT_EQ(pl.H, 80);
  TTBPopupPlacement sub = place(true, 157, 47);
  EXPECT_EQ(sub.X, 160);
  EXPECT_EQ(sub.Y, 50);
}

// ---- behaviour of the themed windows under the user's hand --------------

struct TClickCount {
  int Count = 0;
  void Clicked(TObject*) { ++Count; }
};

TEST_F(ThemedWindows, AButtonClicksOnReleaseOverItOnlyAndOnce)
{
  TTBWToolbar* bar = AddToolbar({"Envoyer", "Autre"});
  bar->SetParent(Form);
  Form->Show();
  THeadlessDisplay::PumpMessages();
  TClickCount clicks;
  bar->Items()->Items(0)->OnClick = TNotifyEvent(&clicks, &TClickCount::Clicked);
  const TRect& b = bar->View()->Viewers(0)->BoundsRect;
  const TPoint on = bar->ClientToScreen(TPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
  const TPoint off = bar->ClientToScreen(TPoint(b.Left + 2, b.Bottom + 40));

  Display->Click(on.x, on.y);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(clicks.Count, 1) << "a press and release on the button clicks it once";

  // The button tracks the pointer while pressed; the user drags away.
  Display->SetIdleScript([&] {
    if (!GetCapture())
      return false;
    Display->MoveMouse(off.x, off.y);
    Display->Release();
    return true;
  });
  Display->MoveMouse(on.x, on.y);
  Display->Press();
  THeadlessDisplay::PumpMessages();
  Display->SetIdleScript(nullptr);
  if (GetKeyState(VK_LBUTTON) < 0) {
    Display->MoveMouse(off.x, off.y);
    Display->Release();
  }
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(clicks.Count, 1) << "a press dragged off the button clicks nothing";
}

TEST_F(ThemedWindows, DockedToolbarRepaintsItsBackgroundAroundItsItemsWhenResized)
{
  TTestTheme::Settings()["Test"].Features = {TBF_PAINTDOCKBACKGROUND};
  TTBWDock* dock = AddDock();
  TTBWToolbar* bar = AddToolbar({"Un", "Deux"});
  bar->SetFullSize(true);
  bar->SetCurrentDock(dock);
  Form->Show();
  THeadlessDisplay::PumpMessages();
  ASSERT_TRUE(dock->UsesBackground());
  const TRect first = bar->View()->Viewers(0)->BoundsRect, second = bar->View()->Viewers(1)->BoundsRect;

  TTestTheme::Calls().clear();
  Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + 60, Form->Height());
  THeadlessDisplay::PumpMessages();
  // Every item painted again over the dock's new picture, and the background
  // between and beyond them, not only the strip the toolbar gained.
  EXPECT_GT(Count("Caption"), 1);
  bool between = false;
  for (const TThemeCall& c : TTestTheme::Calls())
    if (c.Op == "DockBackground")
      between |= c.R.Left < second.Left && c.R.Right > first.Right - 1;
  EXPECT_TRUE(between) << "the background between the items was not repainted";
}

TEST_F(ThemedWindows, FloatingCloseBoxLightsWhileTheMouseIsOverIt)
{
  Form->Show();
  TTBWToolbar* bar = AddToolbar({"Trois"});
  bar->SetParent(Form);
  bar->MakeFloating(true);
  THeadlessDisplay::PumpMessages();
  auto* frame = dynamic_cast<TTBWFloatingWindowParent*>(bar->FloatFrame());
  ASSERT_NE(frame, nullptr);
  const TRect outer = WindowRect(frame->Handle());
  TPoint box(-1, -1);
  for (int y = outer.Top; y < outer.Top + 20 && box.x < 0; ++y)
    for (int x = outer.Right - 1; x > outer.Left && box.x < 0; --x)
      if (SendMessage(frame->Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HT_TB_CLOSE)
        box = TPoint(x, y);
  ASSERT_GE(box.x, 0) << "no close box on the frame";

  TTestTheme::Calls().clear();
  Display->MoveMouse(box.x, box.y);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(frame->CloseButtonHover());
  auto lastFrameState = [] {
    int state = -1;
    for (const TThemeCall& c : TTestTheme::Calls())
      if (c.Op == "FloatingFrame")
        state = c.Extra;
    return state;
  };
  ASSERT_GE(lastFrameState(), 0) << "the frame was not repainted";
  EXPECT_TRUE(lastFrameState() & int(CDBS_HOT));

  TTestTheme::Calls().clear();
  Display->MoveMouse(outer.Left - 30, outer.Bottom + 30);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(frame->CloseButtonHover());
  ASSERT_GE(lastFrameState(), 0);
  EXPECT_FALSE(lastFrameState() & int(CDBS_HOT));
}

TEST_F(ThemedWindows, AMovedFloatingFrameSnapsOntoTheWorkArea)
{
  Form->Show();
  TTBWToolbar* bar = AddToolbar({"Trois"});
  bar->SetSnapDistance(10);
  bar->SetParent(Form);
  bar->MakeFloating(true);
  THeadlessDisplay::PumpMessages();
  TTBFloatingWindowParent* frame = bar->FloatFrame();
  ASSERT_NE(frame, nullptr);
  const TRect work = Display->Monitors()[0].WorkArea;
  const int w = frame->Width(), h = frame->Height();
  SetWindowPos(frame->Handle(), nullptr, work.Right - w - 6, work.Bottom - h - 9, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(frame->Handle()), TRect(work.Right - w, work.Bottom - h, work.Right, work.Bottom));
  SetWindowPos(frame->Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(frame->Handle()).TopLeft(), TPoint(300, 200)) << "far from the edges nothing pulls";
  bar->SetSnapDistance(0);
  SetWindowPos(frame->Handle(), nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(frame->Handle()).TopLeft(), TPoint(3, 4)) << "a distance of 0 turns snapping off";
}

TEST_F(ThemedWindows, RootItemPopupOpensBelowItsControlOrAboveWithoutRoom)
{
  Form->Show();
  TTBWRootItem root(nullptr);
  for (const char* caption : {"Ouvrir", "Fermer", "Quitter"}) {
    auto* item = new TTBWItem(nullptr);
    item->SetCaption(caption);
    root.Add(item);
  }
  auto popupRect = [&](const TRect& Control) {
    TRect shown;
    TScriptedUser user;
    user.Attach(Display);
    user.Steps.push_back([&] {
      if (auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(GetCapture())))
        shown = WindowRect(popup->Handle());
    });
    root.Popup(false, Control, tbpaLeft);
    return shown;
  };
  const TRect work = Display->Monitors()[0].WorkArea;
  const TRect high(100, 100, 180, 120), low(100, work.Bottom - 22, 180, work.Bottom - 2);
  const TRect below = popupRect(high);
  ASSERT_FALSE(below.IsEmpty());
  EXPECT_EQ(below.Top, high.Bottom);
  EXPECT_EQ(below.Left, high.Left);
  const TRect above = popupRect(low);
  ASSERT_FALSE(above.IsEmpty());
  EXPECT_EQ(above.Bottom, low.Top) << "no room below: the popup opens above the control";
  EXPECT_EQ(above.Height(), below.Height());
}

}  // namespace
