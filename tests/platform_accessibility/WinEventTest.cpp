// Win events: in-context hooks hear at once on the raising thread, out-of-context
// hooks later on their own thread; filters and unhooking hold.
#include <thread>
#include <vector>

#include "AccessibilityTestSupport.h"

namespace {

struct THeard {
  HWINEVENTHOOK Hook;
  DWORD Event;
  HWND Window;
  LONG ObjectId, ChildId;
  DWORD RaisedBy, CalledOn;
};
std::vector<THeard> Heard;

void Record(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG objectId, LONG childId, DWORD thread, DWORD)
{
  Heard.push_back({hook, event, hwnd, objectId, childId, thread, GetCurrentThreadId()});
}

class TWinEventFixture : public TAccessibilityFixture {
protected:
  void SetUp() override
  {
    TAccessibilityFixture::SetUp();
    Heard.clear();
  }
  void TearDown() override
  {
    for (HWINEVENTHOOK hook : Hooks)
      UnhookWinEvent(hook);
    TAccessibilityFixture::TearDown();
  }
  HWINEVENTHOOK Hook(DWORD min, DWORD max, DWORD flags, DWORD process = 0, DWORD thread = 0,
                     WINEVENTPROC procedure = Record)
  {
    HWINEVENTHOOK hook = SetWinEventHook(min, max, HInstance(), procedure, process, thread, flags);
    EXPECT_NE(hook, nullptr);
    Hooks.push_back(hook);
    return hook;
  }
  std::vector<HWINEVENTHOOK> Hooks;
};

}  // namespace

TEST_F(TWinEventFixture, InContextHookHearsAtOnceOnTheRaisingThread)
{
  HWINEVENTHOOK menus = Hook(EVENT_SYSTEM_MENUSTART, EVENT_SYSTEM_MENUPOPUPEND, WINEVENT_INCONTEXT);
  NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, View, OBJID_CLIENT, 2);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, View, OBJID_CLIENT, 2);  // outside the range
  ASSERT_EQ(Heard.size(), 1u);
  const THeard& h = Heard[0];
  EXPECT_EQ(h.Hook, menus);
  EXPECT_EQ(h.Event, EVENT_SYSTEM_MENUPOPUPSTART);
  EXPECT_EQ(h.Window, View);
  EXPECT_EQ(h.ObjectId, OBJID_CLIENT);
  EXPECT_EQ(h.ChildId, 2);
  EXPECT_EQ(h.RaisedBy, GetCurrentThreadId());

  Heard.clear();
  std::thread([&] { NotifyWinEvent(EVENT_SYSTEM_MENUEND, View, OBJID_CLIENT, CHILDID_SELF); }).join();
  ASSERT_EQ(Heard.size(), 1u);
  EXPECT_EQ(Heard[0].CalledOn, Heard[0].RaisedBy);
  EXPECT_NE(Heard[0].CalledOn, GetCurrentThreadId());
}

TEST_F(TWinEventFixture, OutOfContextHookHearsLaterOnItsOwnThreadInOrder)
{
  Hook(EVENT_MIN, EVENT_MAX, WINEVENT_OUTOFCONTEXT);
  NotifyWinEvent(EVENT_SYSTEM_MENUSTART, Form, OBJID_MENU, CHILDID_SELF);
  std::thread([&] { NotifyWinEvent(EVENT_OBJECT_FOCUS, View, OBJID_CLIENT, 1); }).join();
  EXPECT_TRUE(Heard.empty());
  THeadlessDisplay::PumpMessages();
  ASSERT_EQ(Heard.size(), 2u);
  EXPECT_EQ(Heard[0].Event, EVENT_SYSTEM_MENUSTART);
  EXPECT_EQ(Heard[1].Event, EVENT_OBJECT_FOCUS);
  EXPECT_NE(Heard[1].RaisedBy, GetCurrentThreadId());
  for (const THeard& h : Heard)
    EXPECT_EQ(h.CalledOn, GetCurrentThreadId());
}

TEST_F(TWinEventFixture, UnhookedHookHearsNothingMore)
{
  HWINEVENTHOOK later = Hook(EVENT_MIN, EVENT_MAX, WINEVENT_OUTOFCONTEXT);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, View, OBJID_CLIENT, 1);
  EXPECT_TRUE(UnhookWinEvent(later));
  THeadlessDisplay::PumpMessages();
  EXPECT_TRUE(Heard.empty());  // raised before, not yet delivered: dropped
  EXPECT_FALSE(UnhookWinEvent(later));

  // A hook removed by another hook's procedure is not called for that event.
  static HWINEVENTHOOK victim;
  auto unhookVictim = [](HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG objectId, LONG childId, DWORD thread,
                         DWORD time) {
    UnhookWinEvent(victim);
    Record(hook, event, hwnd, objectId, childId, thread, time);
  };
  HWINEVENTHOOK first = Hook(EVENT_MIN, EVENT_MAX, WINEVENT_INCONTEXT, 0, 0, unhookVictim);
  victim = Hook(EVENT_MIN, EVENT_MAX, WINEVENT_INCONTEXT);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, View, OBJID_CLIENT, 1);
  ASSERT_EQ(Heard.size(), 1u);
  EXPECT_EQ(Heard[0].Hook, first);
}

TEST_F(TWinEventFixture, ProcessAndThreadFilters)
{
  const DWORD self = GetCurrentThreadId();
  struct TCase {
    DWORD Flags, Process, Thread;
    bool HearsOwnThread, HearsOtherThread;
  } cases[] = {
      {WINEVENT_INCONTEXT, 0, 0, true, true},
      {WINEVENT_INCONTEXT, GetCurrentProcessId(), 0, true, true},
      {WINEVENT_INCONTEXT, GetCurrentProcessId() + 1, 0, false, false},
      {WINEVENT_INCONTEXT | WINEVENT_SKIPOWNTHREAD, 0, 0, false, true},
      {WINEVENT_INCONTEXT | WINEVENT_SKIPOWNPROCESS, 0, 0, false, false},
      {WINEVENT_INCONTEXT, 0, self, true, false},
  };
  for (const auto& c : cases) {
    HWINEVENTHOOK hook = Hook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, c.Flags, c.Process, c.Thread);
    Heard.clear();
    NotifyWinEvent(EVENT_OBJECT_FOCUS, View, OBJID_CLIENT, 1);
    EXPECT_EQ(Heard.size(), c.HearsOwnThread ? 1u : 0u) << c.Flags << " " << c.Process << " " << c.Thread;
    Heard.clear();
    std::thread([] { NotifyWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, 1); }).join();
    EXPECT_EQ(Heard.size(), c.HearsOtherThread ? 1u : 0u) << c.Flags << " " << c.Process << " " << c.Thread;
    UnhookWinEvent(hook);
  }
}

TEST(WinEventHook, RefusesBadRequests)
{
  SetLastError(0);
  EXPECT_EQ(SetWinEventHook(5, 4, HInstance(), Record, 0, 0, WINEVENT_OUTOFCONTEXT), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_FILTER);
  EXPECT_EQ(SetWinEventHook(4, 5, nullptr, Record, 0, 0, WINEVENT_INCONTEXT), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_HOOK_NEEDS_HMOD);
  EXPECT_EQ(SetWinEventHook(4, 5, HInstance(), nullptr, 0, 0, WINEVENT_OUTOFCONTEXT), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// What a screen reader does: hears a focus event, asks the window for the
// object the event names, and reads the child.
TEST_F(TWinEventFixture, ClientReadsTheObjectAnEventNames)
{
  static std::vector<std::string> spoken;
  spoken.clear();
  Hook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, WINEVENT_OUTOFCONTEXT, 0, 0,
       [](HWINEVENTHOOK, DWORD, HWND hwnd, LONG objectId, LONG childId, DWORD, DWORD) {
         if (auto object = FromWindow(hwnd, objectId))
           spoken.push_back(Name(object.Get(), childId));
       });
  const int before = TViewAccessible::Alive;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, View, OBJID_CLIENT, 1);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, Send, OBJID_CLIENT, CHILDID_SELF);
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(spoken, (std::vector<std::string>{"Ouvrir", "Envoyer"}));
  EXPECT_EQ(TViewAccessible::Alive, before);
}
