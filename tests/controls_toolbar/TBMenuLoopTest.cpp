// Scripted menu sessions on the headless display with the virtual clock: the
// script plays the user whenever the menu loop would wait.
#include <gtest/gtest.h>

#include "TBScriptedUser.h"

#include <deque>
#include <functional>

#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBDeferredActions.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "controls/toolbar/TBView.h"
#include "TBToolbarHost.h"
#include "platform/classes/controls/CustomControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

// A plain window beside the menu that records the presses it gets.
std::vector<UINT> OtherWindowPresses;
LRESULT OtherWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
    OtherWindowPresses.push_back(msg);
  return DefWindowProc(hwnd, msg, w, l);
}

class TBMenuLoopTest : public ::testing::Test {
public:
  enum { iOpen, iSave, iMore, iSeparator, iDisabled };

  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    WNDCLASS wc{};
    wc.lpfnWndProc = OtherWindowProc;
    wc.lpszClassName = "TBMenuLoopOther";
    RegisterClass(&wc);
    // The window the user works in: keys typed into the menu arrive through
    // its focus, and presses outside the menu land on it.
    Other = CreateWindowEx(0, "TBMenuLoopOther", "", WS_POPUP | WS_VISIBLE, 500, 400, 200, 150, nullptr, nullptr,
                           nullptr, nullptr);
    SetActiveWindow(Other);
    SetFocus(Other);
    OtherWindowPresses.clear();
    THeadlessDisplay::PumpMessages();
    auto add = [&](TTBCustomItem* parent, TTBCustomItem* item, const char* caption) {
      item->SetCaption(caption);
      // A submenu item is clicked as its submenu opens: only the others log.
      if (!(item->ItemStyle() & tbsfOpensSubmenu))
        item->OnClick = TNotifyEvent(&Log, &TClickLog::Click);
      parent->Add(item);
      return item;
    };
    add(&Root, new TTBItem(nullptr), "&Open");
    add(&Root, new TTBItem(nullptr), "&Save");
    More = add(&Root, new TTBSubmenuItem(nullptr), "&More");
    add(&Root, new TTBSeparatorItem(nullptr), "");
    add(&Root, new TTBItem(nullptr), "&Disabled")->SetEnabled(false);
    add(More, new TTBItem(nullptr), "&Alpha");
    add(More, new TTBItem(nullptr), "&Beta");
    User.Attach(Display);
  }

  void TearDown() override
  {
    EXPECT_TRUE(Steps.empty()) << "the menu ended before the script did";
    User.Detach();
    DestroyWindow(Other);
    THeadlessDisplay::PumpMessages();
  }

  static TTBPopupWindow* PopupUnder(TPoint P) { return dynamic_cast<TTBPopupWindow*>(FindControl(WindowFromPoint(P))); }

  // The screen point at the middle of a viewer of a popup.
  static TPoint Center(TTBPopupWindow* Popup, int Index)
  {
    const TRect& r = Popup->View()->Viewers(Index)->BoundsRect;
    return Popup->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }

  void Run(TPoint At = TPoint(100, 100), bool TrackRight = false) { Root.PopupAtPoint(At.x, At.y, TrackRight, tbpaLeft); }

  THeadlessDisplay* Display = nullptr;
  HWND Other = nullptr;
  TTBRootItem Root{nullptr};
  TTBCustomItem* More = nullptr;
  TClickLog Log;
  TScriptedUser User;
  std::deque<std::function<void()>>& Steps = User.Steps;
  bool& RanOut = User.RanOut;
};

TEST_F(TBMenuLoopTest, HoverOpensSubmenuAfterShowDelayAndClickRunsOnceMenusAreGone)
{
  const int delay = MenuShowDelay();
  ASSERT_GT(delay, 1);
  TTBPopupWindow* top = nullptr;
  HWND topWnd = nullptr, subWnd = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        topWnd = top->Handle();
        EXPECT_EQ(top->Left(), 100);
        EXPECT_EQ(top->Top(), 100);
        Display->MoveMouse(Center(top, iMore).x, Center(top, iMore).y);
      },
      [&] {
        EXPECT_EQ(top->View()->Selected(), top->View()->Viewers(iMore));
        EXPECT_TRUE(top->View()->TimerRunning(tiOpen));
        THeadlessDisplay::Advance(unsigned(delay - 1));
      },
      [&] {
        EXPECT_EQ(top->View()->OpenViewerView(), nullptr) << "opened before the delay";
        THeadlessDisplay::Advance(1);
      },
      [&] {
        TTBPopupWindow* sub = top->View()->OpenViewerWindow();
        ASSERT_NE(sub, nullptr) << "timer 9000 did not open the submenu";
        subWnd = sub->Handle();
        EXPECT_TRUE(IsWindowVisible(subWnd));
        // Beside its parent item, frames overlapping.
        const TRect& item = top->View()->Viewers(iMore)->BoundsRect;
        TPoint itemScreen = top->ClientToScreen(TPoint(item.Right, item.Top));
        EXPECT_EQ(sub->Left(), itemScreen.x - 3);
        EXPECT_EQ(sub->Top(), itemScreen.y - 3);
        EXPECT_NE(GetWindowLong(subWnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        TPoint beta = Center(sub, 1);
        Display->MoveMouse(beta.x, beta.y);
      },
      [&] {
        Display->Press();
        Display->Release();
      },
  };
  Run();
  EXPECT_FALSE(RanOut);
  EXPECT_TRUE(Log.Clicked.empty()) << "the click ran inside the menu loop";
  EXPECT_FALSE(IsWindow(topWnd));
  EXPECT_FALSE(IsWindow(subWnd));
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Beta"});
}

TEST_F(TBMenuLoopTest, LeavingAnOpenSubmenuClosesItOnlyAfterTheDelay)
{
  const int delay = MenuShowDelay();
  TTBPopupWindow* top = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        Display->MoveMouse(Center(top, iMore).x, Center(top, iMore).y);
      },
      [&] { THeadlessDisplay::Advance(unsigned(delay)); },
      [&] {
        ASSERT_NE(top->View()->OpenViewerView(), nullptr);
        Display->MoveMouse(Center(top, iSave).x, Center(top, iSave).y);
      },
      [&] {
        EXPECT_TRUE(top->View()->TimerRunning(tiClose));
        THeadlessDisplay::Advance(unsigned(delay - 1));
      },
      [&] {
        EXPECT_NE(top->View()->OpenViewerView(), nullptr) << "closed before the delay";
        // Back onto the open item: the submenu stays.
        Display->MoveMouse(Center(top, iMore).x, Center(top, iMore).y);
      },
      [&] { THeadlessDisplay::Advance(unsigned(2 * delay)); },
      [&] {
        EXPECT_NE(top->View()->OpenViewerView(), nullptr) << "coming back did not keep the submenu";
        Display->MoveMouse(Center(top, iOpen).x, Center(top, iOpen).y);
      },
      [&] { THeadlessDisplay::Advance(unsigned(delay)); },
      [&] {
        EXPECT_EQ(top->View()->OpenViewerView(), nullptr);
        Display->PressKey(VK_ESCAPE);
      },
  };
  Run();
  EXPECT_FALSE(RanOut);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Log.Clicked.empty());
}

TEST_F(TBMenuLoopTest, KeyboardOpensSubmenuEscapeClosesOneLevelThenCancels)
{
  TTBPopupWindow* top = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        for (int i = 0; i < 3; ++i)
          Display->PressKey(VK_DOWN);
      },
      [&] {
        EXPECT_EQ(top->View()->Selected(), top->View()->Viewers(iMore));
        Display->PressKey(VK_RIGHT);
      },
      [&] {
        TTBView* sub = top->View()->OpenViewerView();
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->Selected(), sub->Viewers(0)) << "a submenu opened by key selects its first item";
        Display->PressKey(VK_ESCAPE);
      },
      [&] {
        EXPECT_EQ(top->View()->OpenViewerView(), nullptr);
        EXPECT_EQ(PopupUnder(TPoint(104, 104)), top) << "Escape in a submenu closed the whole menu";
        Display->PressKey(VK_ESCAPE);
      },
  };
  Run();
  EXPECT_FALSE(RanOut);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Log.Clicked.empty());
}

TEST_F(TBMenuLoopTest, AcceleratorsOpenTheSubmenuAndClickItsItem)
{
  Steps = {
      [&] { Display->TypeText("m"); },
      [&] { Display->TypeText("b"); },
  };
  Run();
  EXPECT_FALSE(RanOut);
  MSG leftover;
  EXPECT_FALSE(PeekMessage(&leftover, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE)) << "typed characters left queued";
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Beta"});
}

TEST_F(TBMenuLoopTest, PressOutsideEndsTheMenuAndReachesTheWindowUnderIt)
{
  TTBPopupWindow* top = nullptr;
  HWND topWnd = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        topWnd = top->Handle();
        Display->MoveMouse(550, 450);
      },
      [&] { Display->Press(); },
  };
  Run();
  EXPECT_FALSE(RanOut);
  EXPECT_FALSE(IsWindow(topWnd));
  EXPECT_TRUE(OtherWindowPresses.empty());
  Display->Release();
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(OtherWindowPresses, std::vector<UINT>{WM_LBUTTONDOWN});
  EXPECT_TRUE(Log.Clicked.empty());
}

TEST_F(TBMenuLoopTest, ReleaseOfTheOpeningRightClickDoesNotCloseTheMenu)
{
  TTBPopupWindow* top = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        // The right button was pressed at the point the menu opened at.
        Display->Release(1);
      },
      [&] {
        EXPECT_EQ(PopupUnder(TPoint(104, 104)), top) << "the first button-up closed the menu";
        Display->MoveMouse(800, 600);
      },
      [&] {
        Display->Press(1);
      },
  };
  Display->MoveMouse(99, 99);
  Display->Press(1);
  THeadlessDisplay::PumpMessages();
  Run(TPoint(100, 100), true);
  Display->Release(1);
  EXPECT_FALSE(RanOut);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Log.Clicked.empty());
}

TEST_F(TBMenuLoopTest, QuitPostedDuringTheMenuEndsItAndIsPostedAgain)
{
  Steps = {[&] { PostQuitMessage(7); }};
  Run();
  EXPECT_FALSE(RanOut);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(TBMenuLoopTest, ClosePostedToThePopupIsIgnored)
{
  TTBPopupWindow* top = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        SendMessage(top->Handle(), WM_CLOSE, 0, 0);
      },
      [&] {
        EXPECT_TRUE(IsWindowVisible(top->Handle()));
        // Frame of 3 on each side: the view's size plus 6.
        TRect window, client;
        GetWindowRect(top->Handle(), &window);
        GetClientRect(top->Handle(), &client);
        EXPECT_EQ(window.Width(), client.Width() + 6);
        EXPECT_EQ(window.Height(), client.Height() + 6);
        Display->PressKey(VK_ESCAPE);
      },
  };
  Run();
  EXPECT_FALSE(RanOut);
}

TEST_F(TBMenuLoopTest, ItemDestroyedBeforeItsDeferredClickRunsNothing)
{
  TTBCustomItem* save = Root.Items(iSave);
  Steps = {[&] { Display->TypeText("s"); }};
  Run();
  EXPECT_EQ(PendingDeferredActionCount(), 1);
  delete save;
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Log.Clicked.empty());
  EXPECT_EQ(PendingDeferredActionCount(), 0);
}

TEST_F(TBMenuLoopTest, KeysAreIgnoredWhileTheLeftButtonIsDown)
{
  TTBPopupWindow* top = nullptr;
  Steps = {
      [&] {
        top = PopupUnder(TPoint(104, 104));
        ASSERT_NE(top, nullptr);
        TPoint separator = Center(top, iSeparator);
        Display->MoveMouse(separator.x, separator.y);
        Display->Press();
      },
      [&] { Display->PressKey(VK_ESCAPE); },
      [&] {
        EXPECT_EQ(PopupUnder(TPoint(104, 104)), top) << "Escape with the button down closed the menu";
        Display->Release();
      },
      [&] { Display->PressKey(VK_ESCAPE); },
  };
  Run();
  EXPECT_FALSE(RanOut);
}

struct TThrowingClick {
  void Click(TObject*) { throw Exception("click failed"); }
  void Report(TObject*, Exception* E) { Reported.push_back(E->Message()); }
  std::vector<std::string> Reported;
};

TEST_F(TBMenuLoopTest, AFailingClickGoesToTheApplicationAndLaterClicksStillRun)
{
  TThrowingClick thrower;
  Root.Items(iOpen)->OnClick = TNotifyEvent(&thrower, &TThrowingClick::Click);
  TExceptionEvent saved = Application()->OnException;
  Application()->OnException = TExceptionEvent(&thrower, &TThrowingClick::Report);
  Steps = {[&] { Display->TypeText("o"); }};
  Run();
  // A second click queued behind the failing one.
  PostDeferredClick(Root.Items(iSave));
  THeadlessDisplay::PumpMessages();
  Application()->OnException = saved;
  EXPECT_EQ(thrower.Reported, std::vector<std::string>{"click failed"});
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Save"});
}

TEST_F(TBMenuLoopTest, ToolbarMenuLoopDropsDownMovesAlongTheBarAndClicks)
{
  TTBRootItem bar(nullptr);
  auto addMenu = [&](const char* caption, const char* child) {
    auto* menu = new TTBSubmenuItem(nullptr);
    menu->SetCaption(caption);
    auto* item = new TTBItem(nullptr);
    item->SetCaption(child);
    item->OnClick = TNotifyEvent(&Log, &TClickLog::Click);
    menu->Add(item);
    bar.Add(menu);
  };
  addMenu("&File", "&Quit");
  addMenu("&Edit", "&Copy");
  TToolbarHost host(Other);
  TTBView view(nullptr, nullptr, &bar, &host, true, false, false);
  host.View = &view;
  view.EnsureLayout();
  host.SetBounds(10, 10, view.NaturalSize().x, view.NaturalSize().y);
  host.Show();
  THeadlessDisplay::PumpMessages();
  auto itemScreenRect = [&](int index) {
    const TRect& r = view.Viewers(index)->BoundsRect;
    TPoint tl = host.ClientToScreen(TPoint(r.Left, r.Top));
    return TRect(tl.x, tl.y, tl.x + r.Width(), tl.y + r.Height());
  };
  Steps = {
      [&] {
        TTBPopupWindow* drop = view.OpenViewerWindow();
        ASSERT_NE(drop, nullptr) << "activating the selected menu did not drop it down";
        EXPECT_TRUE(view.Flags() & vfDropDownMode);
        TRect item = itemScreenRect(0);
        EXPECT_EQ(drop->Left(), item.Left);
        EXPECT_EQ(drop->Top(), item.Bottom);
        Display->PressKey(VK_RIGHT);
      },
      [&] {
        EXPECT_EQ(view.Selected(), view.Viewers(1));
        TTBPopupWindow* drop = view.OpenViewerWindow();
        ASSERT_NE(drop, nullptr) << "the next menu of the bar did not drop down";
        EXPECT_EQ(drop->Left(), itemScreenRect(1).Left);
        Display->PressKey(VK_RETURN);
      },
  };
  view.SetSelectedViewer(view.Viewers(0), false);
  view.RunToolbarMenuLoop(tbmlActivateSelected);
  EXPECT_FALSE(RanOut);
  EXPECT_FALSE(view.Flags() & vfInMenuLoop);
  EXPECT_EQ(view.OpenViewerWindow(), nullptr);
  EXPECT_EQ(view.Selected(), nullptr);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Log.Clicked, std::vector<std::string>{"&Copy"});
}

}  // namespace

// F1 on an item without help context gives the help of the submenu item
// above it, once the menu has closed; a form with the help caption button asks
// for it as a popup.
struct THelpLog {
  std::vector<std::pair<UINT, ULONG_PTR>> Asked;
  bool Help(UINT Command, ULONG_PTR Data)
  {
    Asked.emplace_back(Command, Data);
    return true;
  }
};

TEST_F(TBMenuLoopTest, F1EndsTheMenuWithTheHelpOfTheNearestItemThatHasOne)
{
  struct TCase {
    TBorderIcons Icons;
    UINT Command;
  } cases[] = {
      {TBorderIcons{biSystemMenu, biHelp}, HELP_CONTEXTPOPUP},
      {TBorderIcons{biSystemMenu, biMinimize, biMaximize}, HELP_CONTEXT},
  };
  More->SetHelpContext(42);
  THelpLog help;
  Application()->OnHelp = THelpEvent(&help, &THelpLog::Help);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Command);
    TCustomForm* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBorderIcons(c.Icons);
    form->SetBounds(300, 300, 200, 100);
    form->Show();
    SetActiveWindow(form->Handle());
    SetFocus(form->Handle());
    THeadlessDisplay::PumpMessages();
    ASSERT_EQ(Screen()->ActiveCustomForm(), form);
    help.Asked.clear();
    Steps = {
        [&] { Display->TypeText("m"); },
        [&] { Display->PressKey(VK_F1); },
    };
    Run();
    EXPECT_FALSE(RanOut);
    THeadlessDisplay::PumpMessages();
    EXPECT_EQ(help.Asked, (std::vector<std::pair<UINT, ULONG_PTR>>{{c.Command, 42}}));
    EXPECT_TRUE(Log.Clicked.empty());
    form->Free();
  }
  Application()->OnHelp = {};
}
