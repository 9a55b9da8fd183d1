// The shell notification area on the headless display: icons kept per window
// and id, the callback messages of the mouse and of balloons, and the
// balloon window closing after its time-out or on a click.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

constexpr UINT Callback = WM_USER + 1;
std::vector<std::pair<WPARAM, LPARAM>> gEvents;

LRESULT TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == Callback)
    gEvents.push_back({wParam, lParam});
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class ShellNotifyTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    THeadlessDisplay::Advance(10000);
    WNDCLASS wc;
    wc.lpfnWndProc = &TrayProc;
    wc.lpszClassName = "TrayOwner";
    RegisterClass(&wc);
    Owner = CreateWindowEx(0, "TrayOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    gEvents.clear();
  }
  void TearDown() override
  {
    NOTIFYICONDATA d = Data();
    Shell_NotifyIcon(NIM_DELETE, &d);
    DestroyWindow(Owner);
    THeadlessDisplay::PumpMessages();
  }
  NOTIFYICONDATA Data(UINT flags = NIF_MESSAGE | NIF_ICON | NIF_TIP)
  {
    NOTIFYICONDATA d;
    d.hWnd = Owner;
    d.uID = 1;
    d.uFlags = flags;
    d.uCallbackMessage = Callback;
    d.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    std::strcpy(d.szTip, "Corvane — en ligne");
    return d;
  }
  NOTIFYICONDATA Balloon(const char* title, const char* text, UINT timeout)
  {
    NOTIFYICONDATA d = Data(NIF_INFO);
    std::strcpy(d.szInfoTitle, title);
    std::strcpy(d.szInfo, text);
    d.uTimeout = timeout;
    d.dwInfoFlags = NIIF_INFO;
    return d;
  }
  bool Saw(LPARAM event) const
  {
    for (auto& e : gEvents)
      if (e.first == 1 && e.second == event)
        return true;
    return false;
  }

  THeadlessDisplay* Display = nullptr;
  HWND Owner = nullptr;
};

TEST_F(ShellNotifyTest, IconsAreKeptPerWindowAndIdWithTheirTip)
{
  NOTIFYICONDATA d = Data();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d)) << "added twice";
  TNotifyIconInfo info;
  ASSERT_TRUE(GetNotifyIconInfo(Owner, 1, info));
  EXPECT_EQ(info.Tip, "Corvane — en ligne");
  EXPECT_NE(info.Icon, nullptr);
  EXPECT_NE(info.Icon, d.hIcon) << "the area keeps its own copy";

  // A tip of the first layout stops at 63 bytes, never inside a character.
  NOTIFYICONDATA old = Data(NIF_TIP);
  old.cbSize = NOTIFYICONDATA_V1_SIZE;
  std::string tip(62, 'a');
  tip += "é and more";
  std::strcpy(old.szTip, tip.c_str());
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &old));
  GetNotifyIconInfo(Owner, 1, info);
  EXPECT_EQ(info.Tip, std::string(62, 'a'));

  d.uVersion = NOTIFYICON_VERSION;
  EXPECT_TRUE(Shell_NotifyIcon(NIM_SETVERSION, &d));
  NOTIFYICONDATA other = Data();
  other.uID = 2;
  EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &other)) << "no such icon";
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &other));
  EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, &d));
  EXPECT_FALSE(GetNotifyIconInfo(Owner, 1, info));
}

TEST_F(ShellNotifyTest, TheMouseOnTheIconReachesItsWindowWithDoubleClicks)
{
  NOTIFYICONDATA d = Data();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  InputNotifyIconMouse(Owner, 1, -1, false);
  InputNotifyIconMouse(Owner, 1, 0, true);
  InputNotifyIconMouse(Owner, 1, 0, false);
  THeadlessDisplay::Advance(100);
  InputNotifyIconMouse(Owner, 1, 0, true);
  InputNotifyIconMouse(Owner, 1, 0, false);
  THeadlessDisplay::Advance(1000);
  InputNotifyIconMouse(Owner, 1, 1, true);
  THeadlessDisplay::PumpMessages();
  std::vector<LPARAM> seen;
  for (auto& e : gEvents)
    seen.push_back(e.second);
  EXPECT_EQ(seen, (std::vector<LPARAM>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                      WM_RBUTTONDOWN}));
}

// NIM_SETFOCUS hands the area's keyboard focus to an icon; keys pressed there
// then reach that icon's window, when it speaks version 3.
TEST_F(ShellNotifyTest, KeysReachTheIconGivenTheFocus)
{
  NOTIFYICONDATA d = Data();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_FALSE(InputNotifyIconKey(VK_RETURN, false)) << "no icon has the focus yet";
  NOTIFYICONDATA other = Data();
  other.uID = 2;
  EXPECT_FALSE(Shell_NotifyIcon(NIM_SETFOCUS, &other)) << "no such icon";
  ASSERT_TRUE(Shell_NotifyIcon(NIM_SETFOCUS, &d));
  TNotifyIconInfo info;
  ASSERT_TRUE(GetNotifyIconInfo(Owner, 1, info));
  EXPECT_TRUE(info.Focused);
  EXPECT_FALSE(InputNotifyIconKey(VK_RETURN, false)) << "the first version has no keyboard events";
  d.uVersion = NOTIFYICON_VERSION;
  ASSERT_TRUE(Shell_NotifyIcon(NIM_SETVERSION, &d));
  struct {
    BYTE vk;
    bool shift;
    bool served;
  } keys[] = {{VK_RETURN, false, true}, {VK_SPACE, false, true}, {VK_APPS, false, true},
              {VK_F10, true, true},     {VK_F10, false, false},  {'A', false, false}};
  for (auto& k : keys)
    EXPECT_EQ(InputNotifyIconKey(k.vk, k.shift), k.served) << int(k.vk);
  THeadlessDisplay::PumpMessages();
  std::vector<LPARAM> seen;
  for (auto& e : gEvents)
    seen.push_back(e.second);
  EXPECT_EQ(seen, (std::vector<LPARAM>{NIN_KEYSELECT, NIN_KEYSELECT, WM_CONTEXTMENU, WM_CONTEXTMENU}));
  // The focus goes with the icon.
  ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &d));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  EXPECT_FALSE(InputNotifyIconKey(VK_RETURN, false));
}

TEST_F(ShellNotifyTest, ABalloonClosesAfterItsTimeOutOrOnAClick)
{
  NOTIFYICONDATA d = Data();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  NOTIFYICONDATA b = Balloon("Nouveau message", "Élodie vous a écrit", 3000);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &b));
  HWND balloon = NotifyBalloonWindow();
  ASSERT_NE(balloon, nullptr);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Saw(NIN_BALLOONSHOW));
  EXPECT_TRUE(Display->IsShown(balloon));
  EXPECT_TRUE(GetWindowLongPtr(balloon, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // At the bottom-right corner of the work area, with no tray to point at.
  TRect r, work;
  GetWindowRect(balloon, &r);
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(r.Right, work.Right);
  EXPECT_LE(r.Bottom, work.Bottom);
  EXPECT_GT(r.Right, work.Right - 20);
  EXPECT_GT(r.Bottom, work.Bottom - 20);

  // Three seconds are below what the shell keeps: ten.
  THeadlessDisplay::Advance(9000);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(IsWindow(balloon));
  THeadlessDisplay::Advance(1100);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(IsWindow(balloon));
  EXPECT_TRUE(Saw(NIN_BALLOONTIMEOUT));

  gEvents.clear();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &b));
  balloon = NotifyBalloonWindow();
  THeadlessDisplay::PumpMessages();
  GetWindowRect(balloon, &r);
  Display->Click(r.Left + 10, r.Top + 10);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(IsWindow(balloon));
  EXPECT_TRUE(Saw(NIN_BALLOONUSERCLICK));
  EXPECT_FALSE(Saw(NIN_BALLOONTIMEOUT));
  EXPECT_EQ(GetActiveWindow() == balloon, false) << "a balloon never takes the focus";

  // An empty text takes the balloon away; deleting the icon does too.
  gEvents.clear();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &b));
  NOTIFYICONDATA empty = Balloon("", "", 0);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &empty));
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(NotifyBalloonWindow(), nullptr);
  EXPECT_TRUE(Saw(NIN_BALLOONHIDE));
}

// A burst renews the balloon many times in one turn of the loop and it is
// measured once: what it shows then has the size and place of the newest
// notice, as a balloon opened for that notice alone would.
TEST_F(ShellNotifyTest, ABurstOfNoticesInOneTurnEndsWithTheNewestNoticesSize)
{
  const std::string longText = "Vous avez reçu un message. Il est long, bien plus long que les autres, et il s'étend "
                               "sur plusieurs lignes de la bulle";
  struct TCase {
    std::vector<std::string> Texts;
  } cases[] = {
      {{"1 message", longText, "3 messages"}},
      {{"1 message", "2 messages", longText}},
      {{longText, "2 messages", longText, "4 messages"}},
  };
  NOTIFYICONDATA d = Data();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  auto show = [&](const std::string& text) {
    NOTIFYICONDATA empty = Balloon("", "", 0);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &empty));
    NOTIFYICONDATA b = Balloon("Corvane", text.c_str(), 30000);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &b));
  };
  auto close = [&] {
    NOTIFYICONDATA empty = Balloon("", "", 0);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &empty));
    THeadlessDisplay::PumpMessages();
    ASSERT_EQ(NotifyBalloonWindow(), nullptr);
  };
  for (const TCase& c : cases) {
    // The size of a balloon opened for the last text alone.
    show(c.Texts.back());
    THeadlessDisplay::PumpMessages();
    TRect alone;
    GetWindowRect(NotifyBalloonWindow(), &alone);
    close();
    // The burst: the first notice opens the window, the others take it over.
    for (const std::string& text : c.Texts)
      show(text);
    THeadlessDisplay::PumpMessages();
    ASSERT_NE(NotifyBalloonWindow(), nullptr);
    EXPECT_TRUE(Display->IsShown(NotifyBalloonWindow()));
    TRect shown;
    GetWindowRect(NotifyBalloonWindow(), &shown);
    EXPECT_EQ(shown, alone) << c.Texts.back();
    close();
  }
}

TEST_F(ShellNotifyTest, ANoticeThatFollowsAnotherTakesItsWindowOverInPlace)
{
  NOTIFYICONDATA d = Data();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
  NOTIFYICONDATA first = Balloon("Corvane", "1 message", 30000);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &first));
  HWND balloon = NotifyBalloonWindow();
  THeadlessDisplay::PumpMessages();
  TRect before;
  GetWindowRect(balloon, &before);

  // As a burst does: the previous notice cancelled, then the next one, with
  // a longer text; and a second later, so that the time-out starts again.
  THeadlessDisplay::Advance(9000);
  gEvents.clear();
  NOTIFYICONDATA empty = Balloon("", "", 0);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &empty));
  NOTIFYICONDATA second = Balloon("Corvane", "Vous avez reçu un message. 2 messages en total, et encore un peu", 30000);
  second.uTimeout = 10000;
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &second));
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(NotifyBalloonWindow(), balloon);
  EXPECT_TRUE(IsWindow(balloon));
  EXPECT_TRUE(Display->IsShown(balloon));
  ASSERT_EQ(gEvents.size(), 2u);
  EXPECT_EQ(gEvents[0].second, LPARAM(NIN_BALLOONHIDE));
  EXPECT_EQ(gEvents[1].second, LPARAM(NIN_BALLOONSHOW));
  TRect after;
  GetWindowRect(balloon, &after);
  EXPECT_GT(after.Height(), before.Height()) << "the longer text wraps: the window grew";
  EXPECT_LE(after.Bottom, before.Bottom);

  THeadlessDisplay::Advance(9000);
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(IsWindow(balloon)) << "the time-out counts from the newest notice";
  THeadlessDisplay::Advance(1100);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(IsWindow(balloon));
  EXPECT_TRUE(Saw(NIN_BALLOONTIMEOUT));

  // A notice taken away with none after it closes its window.
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &first));
  balloon = NotifyBalloonWindow();
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &empty));
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(IsWindow(balloon));
  EXPECT_EQ(NotifyBalloonWindow(), nullptr);
}

}  // namespace
