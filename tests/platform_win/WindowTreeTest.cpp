#include "WindowTestSupport.h"
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/win/window/CrossProcess.h"

namespace {

class WindowTreeTest : public TWindowFixture {};

TEST_F(WindowTreeTest, CreationSendsTheLifeMessagesInOrder)
{
  HWND parent = Make(WS_POPUP, 0, 0, 100, 100);
  Take();
  HWND child = Make(WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, parent, 0, "enfant");
  auto log = Take({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_DESTROY, WM_NCDESTROY, WM_PARENTNOTIFY});
  EXPECT_EQ(Names(log), "WM_NCCREATE WM_CREATE WM_SIZE WM_MOVE msg528 WM_SHOWWINDOW");
  char text[16];
  EXPECT_EQ(GetWindowText(child, text, sizeof text), 6);
  EXPECT_STREQ(text, "enfant");
  DestroyWindow(parent);
  log = Take({WM_DESTROY, WM_NCDESTROY});
  // The parent hears WM_DESTROY first and WM_NCDESTROY last.
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].Hwnd, parent);
  EXPECT_EQ(log[1].Hwnd, child);
  EXPECT_EQ(log[2].Hwnd, child);
  EXPECT_EQ(log[2].Msg, WM_NCDESTROY);
  EXPECT_EQ(log[3].Hwnd, parent);
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowTreeTest, ADestroyedHandleIsRefusedEverywhere)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SetTimer(w, 1, 10, nullptr);
  DestroyWindow(w);
  // A made-up value fares the same.
  for (HWND h : {w, reinterpret_cast<HWND>(std::uintptr_t(0x1234)), reinterpret_cast<HWND>(~std::uintptr_t(0) - 7)}) {
    TRect r;
    TPoint p;
    char buffer[8];
    PAINTSTRUCT ps;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(h, WM_USER, 0, 0));
    EXPECT_FALSE(SendNotifyMessage(h, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 10, 10, 0));
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(GetWindowRect(h, &r));
    EXPECT_FALSE(GetClientRect(h, &r));
    EXPECT_FALSE(ClientToScreen(h, &p));
    EXPECT_EQ(GetWindowText(h, buffer, sizeof buffer), 0);
    EXPECT_FALSE(SetWindowText(h, "x"));
    EXPECT_EQ(GetWindowLongPtr(h, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLongPtr(h, GWLP_USERDATA, 5), 0);
    EXPECT_FALSE(SetProp(h, "p", reinterpret_cast<HANDLE>(1)));
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_EQ(SetParent(h, nullptr), nullptr);
    EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
    EXPECT_EQ(SetFocus(h), nullptr);
    EXPECT_EQ(SetCapture(h), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
    EXPECT_EQ(GetDC(h), nullptr);
    EXPECT_EQ(BeginPaint(h, &ps), nullptr);
    EXPECT_FALSE(EnableWindow(h, FALSE));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(GetWindow(h, GW_CHILD), nullptr);
    EXPECT_EQ(DispatchMessage(&(const MSG&)MSG{h, WM_PAINT, 0, 0, 0, {}, 0}), 0);
  }
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowTreeTest, SetParentKeepsTheHandleAndTheChildren)
{
  HWND dock = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND floating = Make(WS_POPUP | WS_VISIBLE, 300, 0, 200, 200);
  HWND bar = Make(WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, dock);
  HWND button = Make(WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, bar);
  EXPECT_EQ(SetParent(bar, floating), dock);
  EXPECT_TRUE(IsWindow(bar));
  EXPECT_EQ(GetParent(bar), floating);
  EXPECT_EQ(GetParent(button), bar);
  EXPECT_TRUE(IsChild(floating, button));
  EXPECT_FALSE(IsChild(dock, button));
  TRect r;
  GetWindowRect(button, &r);
  EXPECT_EQ(r, TRect(315, 15, 335, 35));
  EXPECT_EQ(WindowFromPoint(TPoint(320, 20)), button);
  // A window cannot become its own descendant's child.
  EXPECT_EQ(SetParent(bar, button), nullptr);
}

TEST_F(WindowTreeTest, LongValuesExtraBytesAndProperties)
{
  WNDCLASS wc;
  wc.lpfnWndProc = TWindowFixture::Proc;
  wc.lpszClassName = "TWithExtra";
  wc.cbWndExtra = 16;
  ATOM atom = RegisterClass(&wc);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(RegisterClass(&wc), 0);  // registered once
  HWND w = CreateWindowEx(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(SetWindowLongPtr(w, 8, 0x1122334455667788), 0);
  EXPECT_EQ(GetWindowLongPtr(w, 8), 0x1122334455667788);
  EXPECT_EQ(GetWindowLongPtr(w, 12), 0x11223344);  // a 32-bit value still fits there
  EXPECT_EQ(GetWindowLongPtr(w, 13), 0);  // past the end: refused, not read
  EXPECT_EQ(GetWindowLongPtr(w, -100), 0);
  SetWindowLongPtr(w, GWLP_USERDATA, 42);
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 42);
  EXPECT_TRUE(SetProp(w, "Corvane", reinterpret_cast<HANDLE>(7)));
  EXPECT_EQ(GetProp(w, "corvane"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(RemoveProp(w, "Corvane"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(GetProp(w, "Corvane"), nullptr);
  char name[32];
  EXPECT_EQ(GetClassName(w, name, sizeof name), 10);
  EXPECT_STREQ(name, "TWithExtra");
  EXPECT_FALSE(UnregisterClass("TWithExtra", nullptr));  // still has a window
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClass("TWithExtra", nullptr));
}

BOOL Collect(HWND h, LPARAM l)
{
  reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
  return TRUE;
}

TEST_F(WindowTreeTest, EnumerationAndZOrder)
{
  HWND top = Make(WS_POPUP, 0, 0, 100, 100);
  HWND a = Make(WS_CHILD, 0, 0, 10, 10, top);
  HWND b = Make(WS_CHILD, 0, 0, 10, 10, top);
  HWND c = Make(WS_CHILD, 0, 0, 10, 10, a);
  std::vector<HWND> all;
  EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&all));
  EXPECT_EQ(all, (std::vector<HWND>{a, c, b}));  // created first, first in order
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  // Showing a child keeps its place: visible children stay in creation order.
  HWND shown = Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  ShowWindow(b, SW_SHOW);
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), shown);
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);
  std::vector<HWND> mine;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&mine));
  EXPECT_NE(std::find(mine.begin(), mine.end(), top), mine.end());
  EXPECT_EQ(std::find(mine.begin(), mine.end(), a), mine.end());  // top-level windows only
  // Owned windows stay above their owner; topmost ones above the rest.
  HWND owner = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  HWND owned = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, owner);
  HWND topmost = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, WS_EX_TOPMOST);
  SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(owner, GW_HWNDPREV), owned);
  EXPECT_EQ(GetTopWindow(nullptr), topmost);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetAncestor(c, GA_ROOT), top);
}

TEST_F(WindowTreeTest, MessageOnlyWindowsTakeMessagesAndNoPlaceOnScreen)
{
  HWND m = CreateWindowEx(0, "TRecorder", "deferred", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(m, nullptr);
  Made.push_back(m);
  PostMessage(m, 0x500, 1, 2);
  Pump();
  EXPECT_EQ(Take({0x500}).size(), 1u);
  EXPECT_EQ(FindWindow(nullptr, "deferred"), nullptr);
  EXPECT_EQ(FindWindowEx(HWND_MESSAGE, nullptr, nullptr, "deferred"), m);
  EXPECT_FALSE(ShowWindow(m, SW_SHOW));
  EXPECT_FALSE(IsWindowVisible(m));
}

}  // namespace

// Sockets and window lists of processes that died without cleaning up are
// removed by the next lookup: every lookup reads the folder they pile up in.
TEST_F(WindowTreeTest, ALookupRemovesWhatDeadProcessesLeftBehind)
{
  std::string folder = CrossProcessFolder();
  ASSERT_FALSE(folder.empty());
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0)
    _exit(0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);  // its id now names no process
  std::string socket = folder + "/" + std::to_string(child) + ".sock";
  std::string list = folder + "/" + std::to_string(child) + ".list";
  for (const std::string& path : {socket, list})
    std::ofstream(path) << "x";
  EXPECT_EQ(FindWindow(nullptr, "no window of that name"), nullptr);
  EXPECT_NE(access(socket.c_str(), F_OK), 0);
  EXPECT_NE(access(list.c_str(), F_OK), 0);
}
