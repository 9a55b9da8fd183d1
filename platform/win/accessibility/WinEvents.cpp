#include "platform/win/accessibility/WinEvents.h"

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/LastError.h"
#include "platform/base/ThreadId.h"
#include "platform/win/ole/detail/OleThread.h"
#include "platform/win/window/window.h"

namespace {

// Events waiting for a thread that does not take its messages are dropped
// beyond this many, so memory stays bounded.
constexpr std::size_t MaxPendingPerThread = 65536;
constexpr UINT WM_DELIVERWINEVENTS = WM_USER + 1;

struct THook {
  DWORD EventMin, EventMax;
  WINEVENTPROC Procedure;
  DWORD ProcessId, ThreadId, Flags;
  DWORD Owner;         // the thread that set it
  HWND DeliveryWindow;  // out of context: the owner's window that calls it
};

struct TEvent {
  HWINEVENTHOOK Hook;
  DWORD Event;
  HWND Window;
  LONG ObjectId, ChildId;
  DWORD Thread, Time;
};

struct TEventHookRegistry {
  std::mutex Lock;
  std::map<std::uintptr_t, THook> Hooks;
  std::uintptr_t LastHandle = 0;
  std::map<DWORD, std::deque<TEvent>> Pending;  // per owner thread
};

TEventHookRegistry& EventHookRegistry()
{
  static TEventHookRegistry* registry = new TEventHookRegistry;  // outlives every static that may call in
  return *registry;
}

HWINEVENTHOOK AsHandle(std::uintptr_t id) { return reinterpret_cast<HWINEVENTHOOK>(id); }
std::uintptr_t AsId(HWINEVENTHOOK hook) { return reinterpret_cast<std::uintptr_t>(hook); }

bool Hears(const THook& hook, DWORD event, DWORD thread)
{
  return event >= hook.EventMin && event <= hook.EventMax &&
         (hook.ProcessId == 0 || hook.ProcessId == GetCurrentProcessId()) &&
         (hook.ThreadId == 0 || hook.ThreadId == thread) && !(hook.Flags & WINEVENT_SKIPOWNPROCESS) &&
         !((hook.Flags & WINEVENT_SKIPOWNTHREAD) && hook.Owner == thread);
}

// The procedure of a hook that is still set, or null.
WINEVENTPROC LiveProcedure(HWINEVENTHOOK hook)
{
  TEventHookRegistry& registry = EventHookRegistry();
  std::lock_guard guard(registry.Lock);
  auto found = registry.Hooks.find(AsId(hook));
  return found == registry.Hooks.end() ? nullptr : found->second.Procedure;
}

void Deliver(const TEvent& event)
{
  if (WINEVENTPROC procedure = LiveProcedure(event.Hook))
    procedure(event.Hook, event.Event, event.Window, event.ObjectId, event.ChildId, event.Thread, event.Time);
}

LRESULT DeliveryWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg != WM_DELIVERWINEVENTS)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  std::deque<TEvent> events;
  {
    TEventHookRegistry& registry = EventHookRegistry();
    std::lock_guard guard(registry.Lock);
    auto found = registry.Pending.find(GetCurrentThreadId());
    if (found != registry.Pending.end())
      events.swap(found->second);
  }
  for (const TEvent& event : events)
    Deliver(event);
  return 0;
}

HWND DeliveryWindow() { return ole_detail::ThreadWindow("CorvaneWinEvents", DeliveryWindowProc); }

}  // namespace

void NotifyWinEvent(DWORD event, HWND hwnd, LONG objectId, LONG childId)
{
  const DWORD thread = GetCurrentThreadId();
  const DWORD time = GetTickCount();
  std::vector<TEvent> now;
  std::vector<HWND> wake;
  {
    TEventHookRegistry& registry = EventHookRegistry();
    std::lock_guard guard(registry.Lock);
    for (auto it = registry.Hooks.begin(); it != registry.Hooks.end();) {
      const THook& hook = it->second;
      const TEvent raised{AsHandle(it->first), event, hwnd, objectId, childId, thread, time};
      if (!Hears(hook, event, thread)) {
        ++it;
      } else if (hook.Flags & WINEVENT_INCONTEXT) {
        now.push_back(raised);
        ++it;
      } else if (!IsWindow(hook.DeliveryWindow)) {
        // Its thread has ended: nobody is left to call it.
        registry.Pending.erase(hook.Owner);
        it = registry.Hooks.erase(it);
      } else {
        auto& pending = registry.Pending[hook.Owner];
        if (pending.empty())
          wake.push_back(hook.DeliveryWindow);
        if (pending.size() < MaxPendingPerThread)
          pending.push_back(raised);
        ++it;
      }
    }
  }
  for (HWND window : wake)
    PostMessage(window, WM_DELIVERWINEVENTS, 0, 0);
  for (const TEvent& raised : now)
    Deliver(raised);
}

HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module, WINEVENTPROC procedure,
                              DWORD processId, DWORD threadId, DWORD flags)
{
  if (!procedure) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (eventMin > eventMax) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  const bool inContext = flags & WINEVENT_INCONTEXT;
  if (inContext && !module) {
    SetLastError(ERROR_HOOK_NEEDS_HMOD);
    return nullptr;
  }
  HWND window = inContext ? nullptr : DeliveryWindow();
  if (!inContext && !window)
    return nullptr;  // the window system left its reason
  TEventHookRegistry& registry = EventHookRegistry();
  std::lock_guard guard(registry.Lock);
  const std::uintptr_t id = ++registry.LastHandle;
  registry.Hooks[id] = {eventMin, eventMax, procedure, processId, threadId, flags, GetCurrentThreadId(), window};
  return AsHandle(id);
}

BOOL UnhookWinEvent(HWINEVENTHOOK hook)
{
  TEventHookRegistry& registry = EventHookRegistry();
  std::lock_guard guard(registry.Lock);
  if (registry.Hooks.erase(AsId(hook)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
