#include <atomic>
#include <thread>

#include "WindowTestSupport.h"

namespace {

class MessageQueueTest : public TWindowFixture {};

TEST_F(MessageQueueTest, PeekTakesPostedMessagesByRangeAndWindow)
{
  HWND a = Make(WS_POPUP, 0, 0, 10, 10);
  HWND b = Make(WS_POPUP, 0, 0, 10, 10);
  PostMessage(a, WM_USER + 1, 1, 0);
  PostMessage(b, WM_USER + 2, 2, 0);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 3, 3, 0);
  MSG m;
  // Looked at, not taken.
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER + 2u);
  ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.wParam, 2u);
  EXPECT_FALSE(PeekMessage(&m, b, 0, 0, PM_REMOVE));
  // -1 as the window: thread messages only.
  ASSERT_TRUE(PeekMessage(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 3u);
  EXPECT_EQ(m.hwnd, nullptr);
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, a);
  EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, ModalLoopEndsOnItsOwnConditionAndTheOuterLoopStillGetsQuit)
{
  enum TEnd { Done, Quit, CaptureLost };
  for (TEnd end : {Done, Quit, CaptureLost}) {
    SCOPED_TRACE(int(end));
    HWND w = Make(WS_POPUP, 0, 0, 10, 10);
    bool done = false;
    bool nestedRunning = false;
    bool nextInNested = false;
    On(WM_USER + 2, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
      if (end == Quit)
        PostQuitMessage(7);
      if (end == Done)
        done = true;
      if (end == CaptureLost)
        ReleaseCapture();
      return true;
    });
    On(WM_USER + 3, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
      nextInNested = nestedRunning;
      // A loop that missed its end stops here rather than hang.
      done = true;
      ReleaseCapture();
      return true;
    });
    On(WM_USER + 1, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
      // A modal loop, as menus and drags run them.
      SetCapture(w);
      PostMessage(w, WM_USER + 2, 0, 0);
      if (end != Quit)
        PostMessage(w, WM_USER + 3, 0, 0);  // for the outer loop
      nestedRunning = true;
      TModalLoop loop(w, NoMessageFilter, [&] { return done; });
      MSG m;
      while (loop.Next(m))
        DispatchMessage(&m);
      nestedRunning = false;
      if (end != Quit)
        PostQuitMessage(7);
      return true;
    });
    PostMessage(w, WM_USER + 1, 0, 0);
    // Peeked, not waited for: a lost quit request fails instead of hanging.
    MSG m{};
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_QUIT)
      DispatchMessage(&m);
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_FALSE(nextInNested);
    ReleaseCapture();
    DestroyWindow(w);
  }
}

TEST_F(MessageQueueTest, PumpingTheQueueStopsAtQuitAndLeavesItForTheOuterLoop)
{
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  PostMessage(w, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  PostMessage(w, WM_USER + 2, 0, 0);
  // Posted messages come before the quit request; it ends the pump.
  EXPECT_EQ(THeadlessDisplay::PumpMessages(), 2);
  EXPECT_EQ(Names(Take({WM_USER + 1, WM_USER + 2})), "msg1025 msg1026");
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_EQ(THeadlessDisplay::PumpMessages(), 0);
}

TEST_F(MessageQueueTest, SendFromAnotherThreadIsHandledWhileTheReceiverWaits)
{
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  DWORD gui = GetCurrentThreadId();
  On(WM_USER, [&](HWND, UINT, WPARAM wp, LPARAM, LRESULT& r) {
    EXPECT_EQ(GetCurrentThreadId(), gui);
    EXPECT_TRUE(InSendMessage());
    r = LRESULT(wp * 2);
    return true;
  });
  std::atomic<LRESULT> answer{0};
  std::thread worker([&] {
    answer = SendMessage(w, WM_USER, 21, 0);
    // A notification does not wait, and wakes the loop below.
    SendNotifyMessage(w, WM_USER + 1, 0, 0);
    PostMessage(w, WM_USER + 2, 0, 0);
  });
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0 && m.message != WM_USER + 2)
    DispatchMessage(&m);
  worker.join();
  EXPECT_EQ(answer.load(), 42);
  EXPECT_EQ(Names(Take({WM_USER, WM_USER + 1})), "msg1024 msg1025");
}

// A worker pacing frames notifies the GUI thread while it sleeps in
// GetMessage or WaitMessage with nothing else to do: the notification alone
// wakes it and is handled there, and the worker never waits for the handler.
TEST_F(MessageQueueTest, NotificationFromAnotherThreadAloneWakesTheWaitingReceiver)
{
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  DWORD gui = GetCurrentThreadId();
  std::atomic<int> handled{0};
  std::atomic<bool> handlerMayReturn{false};
  On(WM_USER + 5, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    EXPECT_EQ(GetCurrentThreadId(), gui);
    // Held until the worker has seen its call return: the send does not wait.
    while (!handlerMayReturn)
      std::this_thread::yield();
    ++handled;
    PostMessage(w, WM_USER + 8, 0, 0);  // GetMessage returns for posts only
    return true;
  });
  for (bool useWaitMessage : {false, true}) {
    handled = 0;
    handlerMayReturn = false;
    std::atomic<bool> sent{false};
    std::thread worker([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the receiver is asleep by now
      sent = SendNotifyMessage(w, WM_USER + 5, 0, 0) != FALSE;
      handlerMayReturn = true;
    });
    // A late post ends a receiver that was never woken, so a fault fails instead of hanging.
    std::atomic<bool> woken{false}, rescued{false};
    std::thread watchdog([&] {
      for (int i = 0; i < 300 && !woken; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (!woken) {
        rescued = true;
        PostMessage(w, WM_USER + 6, 0, 0);
      }
    });
    if (useWaitMessage) {
      WaitMessage();
      MSG m;
      PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);  // runs what was sent
    } else {
      MSG m;
      PostMessage(w, WM_USER + 7, 0, 0);  // taken first; the loop then sleeps
      while (GetMessage(&m, nullptr, 0, 0) > 0 && m.message != WM_USER + 8 && m.message != WM_USER + 6)
        DispatchMessage(&m);
      EXPECT_EQ(m.message, WM_USER + 8u);
    }
    woken = true;
    EXPECT_FALSE(rescued) << useWaitMessage;
    worker.join();
    watchdog.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(handled.load(), 1) << useWaitMessage;
    Pump();
  }
}

TEST_F(MessageQueueTest, SendTimeoutGivesUpOnAThreadThatDoesNotPump)
{
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  std::atomic<LRESULT> sent{-1};
  DWORD_PTR result = 99;
  std::thread worker([&] { sent = SendMessageTimeout(w, WM_USER, 0, 0, SMTO_ABORTIFHUNG, 50, &result); });
  worker.join();  // this thread never pumped meanwhile
  EXPECT_EQ(sent.load(), 0);
  EXPECT_EQ(result, 0u);
  Pump();
  EXPECT_TRUE(Take({WM_USER}).empty());  // the abandoned call is not run late
}

TEST_F(MessageQueueTest, TimerFiresOnTheVirtualClockOnceWhateverTheDelay)
{
  THeadlessDisplay::UseVirtualClock();
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  ASSERT_EQ(SetTimer(w, 9000, 100, nullptr), 9000u);
  MSG m;
  THeadlessDisplay::Advance(99);
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  THeadlessDisplay::Advance(1);
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_EQ(m.hwnd, w);
  EXPECT_EQ(m.wParam, 9000u);
  THeadlessDisplay::Advance(350);  // late: still one WM_TIMER, then the next period
  EXPECT_TRUE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  // Posted messages come before timers.
  THeadlessDisplay::Advance(100);
  PostMessage(w, WM_USER, 0, 0);
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_TRUE(KillTimer(w, 9000));
  THeadlessDisplay::Advance(1000);
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_FALSE(KillTimer(w, 9000));
}

std::vector<UINT_PTR> gTimerCalls;
void RecordTimer(HWND, UINT, UINT_PTR id, DWORD) { gTimerCalls.push_back(id); }

TEST_F(MessageQueueTest, ThreadTimerCallsItsProcedureAndForgedTimerMessagesCallNothing)
{
  THeadlessDisplay::UseVirtualClock();
  gTimerCalls.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 10, RecordTimer);
  ASSERT_NE(id, 0u);
  THeadlessDisplay::Advance(10);
  Pump();
  EXPECT_EQ(gTimerCalls, std::vector<UINT_PTR>{id});
  KillTimer(nullptr, id);
  // A posted WM_TIMER naming a procedure no timer has is dropped, not called.
  MSG forged{};
  forged.message = WM_TIMER;
  forged.wParam = 77;
  forged.lParam = reinterpret_cast<LPARAM>(&RecordTimer);
  DispatchMessage(&forged);
  EXPECT_EQ(gTimerCalls.size(), 1u);
}

std::vector<std::string> gHookLog;
HHOOK gOuter = nullptr;
HHOOK gInner = nullptr;
LRESULT OuterHook(int code, WPARAM w, LPARAM l)
{
  auto* cwp = reinterpret_cast<CWPSTRUCT*>(l);
  gHookLog.push_back("outer " + std::to_string(cwp->message - WM_USER));
  return CallNextHookEx(gOuter, code, w, l);
}
LRESULT InnerHook(int code, WPARAM w, LPARAM l)
{
  auto* cwp = reinterpret_cast<CWPSTRUCT*>(l);
  gHookLog.push_back("inner " + std::to_string(cwp->message - WM_USER));
  return CallNextHookEx(gInner, code, w, l);
}
LRESULT GetMessageHook(int code, WPARAM w, LPARAM l)
{
  auto* m = reinterpret_cast<MSG*>(l);
  if (m->message >= WM_USER && m->message < WM_USER + 10)
    gHookLog.push_back((w == PM_REMOVE ? "get " : "peek ") + std::to_string(m->message - WM_USER));
  return CallNextHookEx(nullptr, code, w, l);
}
LRESULT VetoCreate(int code, WPARAM, LPARAM l)
{
  if (code == HCBT_CREATEWND) {
    auto* cbt = reinterpret_cast<CBT_CREATEWND*>(l);
    if (cbt->lpcs->lpszName && std::string(cbt->lpcs->lpszName) == "refused")
      return 1;
  }
  if (code == HCBT_DESTROYWND)
    gHookLog.push_back("destroy");
  return 0;
}

TEST_F(MessageQueueTest, HooksSeeMessagesInOrderNewestFirst)
{
  gHookLog.clear();
  HWND w = Make(WS_POPUP, 0, 0, 10, 10);
  gOuter = SetWindowsHookEx(WH_CALLWNDPROC, OuterHook, nullptr, GetCurrentThreadId());
  gInner = SetWindowsHookEx(WH_CALLWNDPROC, InnerHook, nullptr, GetCurrentThreadId());
  HHOOK get = SetWindowsHookEx(WH_GETMESSAGE, GetMessageHook, nullptr, 0);
  SendMessage(w, WM_USER + 1, 0, 0);
  SendMessage(w, WM_USER + 2, 0, 0);
  PostMessage(w, WM_USER + 3, 0, 0);  // posted: the get-message hook, not the call hook
  MSG m;
  PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);
  PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
  DispatchMessage(&m);
  EXPECT_TRUE(UnhookWindowsHookEx(gInner));
  SendMessage(w, WM_USER + 4, 0, 0);
  EXPECT_TRUE(UnhookWindowsHookEx(gOuter));
  EXPECT_TRUE(UnhookWindowsHookEx(get));
  EXPECT_FALSE(UnhookWindowsHookEx(get));
  SendMessage(w, WM_USER + 5, 0, 0);
  EXPECT_EQ(gHookLog, (std::vector<std::string>{"inner 1", "outer 1", "inner 2", "outer 2", "peek 3", "get 3",
                                                "outer 4"}));
  // The window-life hook can refuse a creation and sees destructions.
  gHookLog.clear();
  HHOOK cbt = SetWindowsHookEx(WH_CBT, VetoCreate, nullptr, GetCurrentThreadId());
  EXPECT_EQ(Make(WS_POPUP, 0, 0, 10, 10, nullptr, 0, "refused"), nullptr);
  HWND ok = Make(WS_POPUP, 0, 0, 10, 10, nullptr, 0, "accepted");
  ASSERT_NE(ok, nullptr);
  DestroyWindow(ok);
  UnhookWindowsHookEx(cbt);
  EXPECT_EQ(gHookLog, std::vector<std::string>{"destroy"});
}

TEST_F(MessageQueueTest, RegisteredMessagesAreSharedByName)
{
  UINT a = RegisterWindowMessage("Corvane.Test");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("corvane.test"), a);
  EXPECT_NE(RegisterWindowMessage("Corvane.Other"), a);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(MessageQueueTest, MessagePositionAndTimeFollowTheMessageBeingHandled)
{
  THeadlessDisplay::UseVirtualClock();
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  Display->MoveMouse(10, 20);
  DWORD first = GetTickCount();
  THeadlessDisplay::Advance(5);
  Display->MoveMouse(30, 40);
  DWORD pos = 0;
  LONG time = 0;
  On(WM_MOUSEMOVE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    if (!pos) {
      pos = GetMessagePos();
      time = GetMessageTime();
    }
    return true;
  });
  Pump();
  EXPECT_EQ(GET_X_LPARAM(LPARAM(pos)), 10);
  EXPECT_EQ(GET_Y_LPARAM(LPARAM(pos)), 20);
  EXPECT_EQ(DWORD(time), first);
  (void)w;
}

}  // namespace

namespace {

TEST_F(MessageQueueTest, WorkerThreadsReachTheGuiThreadWithoutBlockingIt)
{
  // The popup animation's pattern: a worker shows the window asynchronously
  // (0x425F) and posts frames; the GUI thread does both in its loop.
  HWND popup = Make(WS_POPUP, 10, 10, 50, 50, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  std::thread worker([&] {
    EXPECT_TRUE(SetWindowPos(popup, nullptr, 0, 0, 0, 0, 0x425F));
    PostMessage(popup, WM_USER + 7, 0, 0);
  });
  worker.join();  // it did not wait for this thread
  EXPECT_FALSE(IsWindowVisible(popup));
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0 && m.message != WM_USER + 7)
    DispatchMessage(&m);
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_NE(GetActiveWindow(), popup);
}

TEST_F(MessageQueueTest, WindowsEndWithTheirThread)
{
  HWND left = nullptr;
  std::thread([&] {
    left = CreateWindowEx(0, "TRecorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }).join();
  ASSERT_NE(left, nullptr);
  EXPECT_FALSE(IsWindow(left));
  EXPECT_FALSE(PostMessage(left, WM_USER, 0, 0));
  EXPECT_EQ(SendMessage(left, WM_USER, 0, 0), 0);
}

}  // namespace

namespace {

std::vector<UINT> gMouseHits;
LRESULT EatX(int code, WPARAM vk, LPARAM)
{
  return code == HC_ACTION && vk == 'X' ? 1 : 0;
}
LRESULT SeeMouse(int code, WPARAM, LPARAM l)
{
  if (code == HC_ACTION)
    gMouseHits.push_back(reinterpret_cast<MOUSEHOOKSTRUCT*>(l)->wHitTestCode);
  return 0;
}

TEST_F(MessageQueueTest, KeyboardAndMouseHooksSeeInputAndMayDiscardIt)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 100, 100);
  SetFocus(w);
  gMouseHits.clear();
  HHOOK keys = SetWindowsHookEx(WH_KEYBOARD, EatX, nullptr, GetCurrentThreadId());
  HHOOK mouse = SetWindowsHookEx(WH_MOUSE, SeeMouse, nullptr, GetCurrentThreadId());
  Take();
  Display->PressKey('X');
  Display->PressKey('Y');
  Display->MoveMouse(50, 50);
  Display->MoveMouse(0, 50);  // on the border
  Pump();
  UnhookWindowsHookEx(keys);
  UnhookWindowsHookEx(mouse);
  auto log = Take({WM_KEYDOWN});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].W, WPARAM('Y'));
  EXPECT_EQ(gMouseHits, (std::vector<UINT>{UINT(HTCLIENT), UINT(HTBORDER)}));
}

}  // namespace
