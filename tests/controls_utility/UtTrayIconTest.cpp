// The notification-area icon against a recording shell: the exact calls the
// host's use makes, balloons and their hide timer, the mouse on the icon,
// and the icon coming back when the notification area restarts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/utility/tray/UtShellNotify.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

struct TCall {
  DWORD Code;
  UINT Flags;
  HICON Icon;
  std::string Tip, Title, Text;
  DWORD InfoFlags;
  UINT Timeout;
};
std::vector<TCall> gCalls;

BOOL Record(DWORD code, NOTIFYICONDATA* d)
{
  gCalls.push_back({code, d->uFlags, d->hIcon, d->szTip, d->szInfoTitle, d->szInfo, d->dwInfoFlags, d->uTimeout});
  return TRUE;
}

class TMainWindow : public TForm {
public:
  explicit TMainWindow(TComponent* AOwner) : TForm(AOwner) {}
};

TMainWindow* MainWindow()
{
  static TMainWindow* main = [] {
    TMainWindow* form = nullptr;
    Application()->CreateForm(form);
    return form;
  }();
  return main;
}

class UtTrayIconTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    SetUtShellNotifyProc(&Record);
    gCalls.clear();
    Images = new TImageList(nullptr);
    for (int i = 0; i < 4; ++i) {
      TBitmap image;
      image.SetSize(16, 16);
      image.Canvas()->Brush()->SetColor(TColor(0x101010 * (i + 1)));
      image.Canvas()->FillRect(TRect(0, 0, 16, 16));
      Images->AddMasked(&image, clFuchsia);
    }
  }
  void TearDown() override
  {
    delete Tray;
    delete Images;
    SetUtShellNotifyProc(nullptr);
  }
  // The icon as the host streams it.
  void MakeHostIcon()
  {
    Tray = new TUtTrayIcon(nullptr);
    Tray->SetIcons(Images);
    Tray->SetIconIndex(-1);
    Tray->SetSnap(true);
    Tray->SetVisibility({tvVisibleTaskBar, tvVisibleTaskList, tvRestoreDbClick, tvMinimizeDbClick});
    Tray->SetActive(true);
    gCalls.clear();
  }
  void Pump() { Application()->ProcessMessages(); }
  static std::vector<DWORD> Codes()
  {
    std::vector<DWORD> codes;
    for (auto& c : gCalls)
      codes.push_back(c.Code);
    return codes;
  }

  TImageList* Images = nullptr;
  TUtTrayIcon* Tray = nullptr;
};

TEST_F(UtTrayIconTest, TheHostsCallsGiveTheExactShellSequence)
{
  Tray = new TUtTrayIcon(nullptr);
  Tray->SetHint("Corvane|Messagerie instantanée");
  Tray->SetActive(true);
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
  EXPECT_EQ(gCalls[0].Flags, 0x17u);
  EXPECT_EQ(gCalls[0].Tip, "Corvane");
  ASSERT_NE(gCalls[0].Icon, nullptr);
  EXPECT_EQ(gCalls[0].Icon, Application()->Icon()->Handle()) << "an empty icon takes the application's";
  EXPECT_EQ(Tray->NotifyData().uCallbackMessage, UINT(WM_USER + 1));

  Tray->SetIcons(Images);
  gCalls.clear();
  for (int index : {1, 0, 2, 3}) {
    Tray->SetIconIndex(index);
    EXPECT_EQ(Tray->IconIndex(), index);
  }
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY, NIM_MODIFY, NIM_MODIFY}));
  for (auto& c : gCalls)
    EXPECT_EQ(c.Flags, 7u) << "an icon change repeats no balloon";
  EXPECT_NE(gCalls[0].Icon, gCalls[1].Icon);

  // The new-message notice: the previous balloon is cancelled first.
  gCalls.clear();
  Tray->ShowBalloonTip("Corvane", "Vous avez reçu un message.\r\n3 messages en total.", 2, 50000, true);
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY}));
  EXPECT_EQ(gCalls[0].Flags, 0x17u);
  EXPECT_EQ(gCalls[0].Title, "");
  EXPECT_EQ(gCalls[0].Text, "");
  EXPECT_EQ(gCalls[0].InfoFlags, NIIF_NONE);
  EXPECT_EQ(gCalls[0].Timeout, 5000u);
  EXPECT_EQ(gCalls[1].Flags, 0x17u);
  EXPECT_EQ(gCalls[1].Title, "Corvane");
  EXPECT_EQ(gCalls[1].InfoFlags, NIIF_INFO);
  EXPECT_EQ(gCalls[1].Timeout, 50000u);
  EXPECT_FALSE(Tray->BalloonHideTimerRunning()) << "a long balloon is left to the shell";

  // The test menu's notice: no cancelling, 5000 ms, then ended by the hide timer.
  gCalls.clear();
  Tray->ShowBalloonTip("Corvane", "Vous avez recu un nouveau message", 2, 5000, false);
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_MODIFY}));
  EXPECT_EQ(gCalls[0].Timeout, 5000u);
  EXPECT_TRUE(Tray->BalloonHideTimerRunning());
  THeadlessDisplay::Advance(5000);
  Pump();
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY}));
  EXPECT_EQ(gCalls[1].Text, "");
  EXPECT_FALSE(Tray->BalloonHideTimerRunning());
}

TEST_F(UtTrayIconTest, BalloonTypesTimersAndCuts)
{
  MakeHostIcon();
  struct TCase {
    int Type;
    std::string Title;
    int Delay;
    DWORD Flags;
    bool Timer;
  };
  const TCase cases[] = {
      {0, "T", 9999, NIIF_NONE, true},   {1, "T", 10000, NIIF_ERROR, false},
      {2, "T", 50000, NIIF_INFO, false}, {3, "", 3000, NIIF_WARNING, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Type);
    gCalls.clear();
    Tray->ShowBalloonTip(c.Title, "x", c.Type, c.Delay, false);
    EXPECT_EQ(gCalls.back().InfoFlags, c.Flags);
    EXPECT_EQ(Tray->BalloonHideTimerRunning(), c.Timer);
    THeadlessDisplay::Advance(10000);
    Pump();
  }
  Tray->ShowBalloonTip(std::string(100, 't'), std::string(400, 'm'), 2, 50000, false);
  EXPECT_EQ(gCalls.back().Title.size(), 63u);
  EXPECT_EQ(gCalls.back().Text.size(), 255u);

  // An index outside the list leaves the icon and answers -1.
  gCalls.clear();
  Tray->SetIconIndex(5);
  EXPECT_EQ(Tray->IconIndex(), -1);
  EXPECT_TRUE(gCalls.empty());

  // A long hint is cut to the tip field; it is sent on the next mouse move.
  Tray->SetHint(std::string(200, 'h'));
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_MOUSEMOVE);
  ASSERT_FALSE(gCalls.empty());
  EXPECT_EQ(gCalls.back().Code, NIM_MODIFY);
  EXPECT_EQ(gCalls.back().Tip.size(), 127u);
}

// Shells before 5.0 take the older record, whose tip field holds 64 bytes
// with its terminator.
class TOldShellTrayIcon : public TUtTrayIcon {
public:
  using TUtTrayIcon::TUtTrayIcon;

protected:
  bool ShellHasBalloons() const override { return false; }
};

TEST_F(UtTrayIconTest, TheOlderRecordGetsATipItsFieldHolds)
{
  Tray = new TOldShellTrayIcon(nullptr);
  // 62 bytes, then a two-byte character across the 63-byte limit.
  Tray->SetHint(std::string(62, 'h') + "é et la suite");
  Tray->SetActive(true);
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_ADD})) << "no version call for the older shell";
  EXPECT_EQ(gCalls[0].Tip, std::string(62, 'h')) << "cut at a character boundary";
  Tray->SetHint(std::string(200, 'h'));
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_MOUSEMOVE);
  EXPECT_EQ(gCalls.back().Tip.size(), 63u);
}

TEST_F(UtTrayIconTest, BalloonCallbacks)
{
  MakeHostIcon();
  int clicks = 0;
  struct TCounter {
    int* N;
    void Hit(TObject*) { ++*N; }
  } counter{&clicks};
  Tray->OnBalloonClick = TNotifyEvent(&counter, &TCounter::Hit);
  Tray->ShowBalloonTip("T", "x", 2, 20000, false);
  gCalls.clear();
  // The shell's time-out before the balloon's own delay leaves it.
  EXPECT_EQ(SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, NIN_BALLOONTIMEOUT), 1);
  EXPECT_TRUE(gCalls.empty());
  THeadlessDisplay::Advance(21000);
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, NIN_BALLOONTIMEOUT);
  ASSERT_EQ(gCalls.size(), 1u);
  EXPECT_EQ(gCalls[0].Text, "");
  gCalls.clear();
  EXPECT_EQ(SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, NIN_BALLOONUSERCLICK), 1);
  EXPECT_EQ(clicks, 1);
  ASSERT_EQ(gCalls.size(), 1u);
  EXPECT_EQ(gCalls[0].Text, "");
  EXPECT_EQ(SendMessage(Tray->WindowHandle(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST_F(UtTrayIconTest, ADoubleClickMinimisesAndRestoresTheMainForm)
{
  TMainWindow* main = MainWindow();
  main->Show();
  Pump();
  MakeHostIcon();
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_LBUTTONDBLCLK);
  Pump();
  EXPECT_FALSE(Tray->ApplicationVisible());
  EXPECT_FALSE(IsWindowVisible(main->Handle()));

  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_LBUTTONDBLCLK);
  Pump();
  EXPECT_TRUE(Tray->ApplicationVisible());
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  EXPECT_FALSE(IsIconic(main->Handle()));

  // A minimised form comes back restored.
  ShowWindow(main->Handle(), SW_MINIMIZE);
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_LBUTTONDBLCLK);
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_LBUTTONDBLCLK);
  Pump();
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  EXPECT_FALSE(IsIconic(main->Handle()));

  // With OnDblClick assigned the handler alone runs.
  int dbl = 0;
  struct TCounter {
    int* N;
    void Hit(TObject*, TMouseButton, TShiftState, int, int) { ++*N; }
  } counter{&dbl};
  Tray->OnDblClick = TMouseEvent(&counter, &TCounter::Hit);
  SendMessage(Tray->WindowHandle(), TUtTrayIcon::CallbackMessage, 1, WM_LBUTTONDBLCLK);
  EXPECT_EQ(dbl, 1);
  EXPECT_TRUE(Tray->ApplicationVisible());
}

TEST_F(UtTrayIconTest, ARestartedNotificationAreaGetsTheIconBack)
{
  MakeHostIcon();
  Tray->SetIconIndex(1);
  gCalls.clear();
  PostMessage(Tray->WindowHandle(), RegisterWindowMessage("TaskbarCreated"), 0, 0);
  Pump();
  ASSERT_EQ(Codes(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
  EXPECT_EQ(gCalls[0].Icon, Tray->Icon()->Handle());

  Tray->SetActive(false);
  gCalls.clear();
  PostMessage(Tray->WindowHandle(), RegisterWindowMessage("TaskbarCreated"), 0, 0);
  Pump();
  EXPECT_TRUE(gCalls.empty()) << "an inactive icon stays away";
}

TEST_F(UtTrayIconTest, DestructionRemovesTheIconAndLeavesTheTaskListAlone)
{
  MakeHostIcon();
  delete Tray;
  Tray = nullptr;
  ASSERT_FALSE(gCalls.empty());
  EXPECT_EQ(gCalls.back().Code, NIM_DELETE);
}

}  // namespace
