// Hooks of every thread installed and removed on one thread while another
// runs them. The thread-sanitizer build (preset tsan) checks that the two
// meet only under the hooks' own synchronisation.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win/win.h"

namespace {

std::atomic<int> gFilterRuns{0};
std::atomic<int> gGetMessageRuns{0};

LRESULT CountFilter(int code, WPARAM w, LPARAM l)
{
  ++gFilterRuns;
  return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CountGetMessage(int code, WPARAM w, LPARAM l)
{
  ++gGetMessageRuns;
  return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace

TEST(HookThreadsTest, HooksRemovedWhileAnotherThreadRunsThemAreNeverRunAfterwards)
{
  gFilterRuns = 0;
  gGetMessageRuns = 0;
  std::atomic<bool> stop{false};
  std::thread caller([&] {
    MSG msg{};
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // this thread's queue
    while (!stop) {
      msg.message = WM_USER;
      CallMsgFilter(&msg, MSGF_USER);
      PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);
      PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    }
  });
  // Enough rounds for the two threads to meet in every order, and at least
  // until the other thread has run each kind of hook.
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (int round = 0; round < 2000 || gFilterRuns == 0 || gGetMessageRuns == 0; ++round) {
    HHOOK filter = SetWindowsHookEx(WH_MSGFILTER, CountFilter, nullptr, 0);
    HHOOK get = SetWindowsHookEx(WH_GETMESSAGE, CountGetMessage, nullptr, 0);
    ASSERT_NE(filter, nullptr);
    ASSERT_NE(get, nullptr);
    std::this_thread::yield();
    EXPECT_TRUE(UnhookWindowsHookEx(get));
    EXPECT_TRUE(UnhookWindowsHookEx(filter));
    if (std::chrono::steady_clock::now() > until)
      break;
  }
  stop = true;
  caller.join();
  EXPECT_GT(gFilterRuns, 0);
  EXPECT_GT(gGetMessageRuns, 0);

  // Removed: the next call runs nothing.
  int before = gFilterRuns;
  MSG msg{};
  msg.message = WM_USER;
  EXPECT_FALSE(CallMsgFilter(&msg, MSGF_USER));
  EXPECT_EQ(gFilterRuns, before);
}
