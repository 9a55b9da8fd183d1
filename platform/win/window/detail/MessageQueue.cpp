// Per-thread queues: posting, retrieving and dispatching messages.
#include "platform/win/window/MessageQueue.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/win/window/CrossProcess.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

bool InRange(UINT m, UINT lo, UINT hi)
{
  if (lo == 0 && hi == 0)
    return true;
  return m >= lo && m <= hi;
}

// Core().Lock held.
bool WindowMatches(HWND msgHwnd, HWND filter)
{
  if (!filter)
    return true;
  if (filter == reinterpret_cast<HWND>(-1))
    return msgHwnd == nullptr;
  if (msgHwnd == filter)
    return true;
  TWnd* f = ResolveLocal(filter);
  TWnd* m = ResolveLocal(msgHwnd);
  return f && m && IsDescendant(f, m);
}

// The keyboard and mouse hooks see an input message as it leaves the queue;
// a hook that answers nonzero discards it.
bool InputHookRefuses(const MSG& m, bool remove)
{
  int code = remove ? HC_ACTION : HC_NOREMOVE;
  if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && HasHooks(WH_KEYBOARD))
    return CallHooks(WH_KEYBOARD, code, m.wParam, m.lParam) != 0;
  bool mouse = (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
               (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONDBLCLK);
  if (mouse && HasHooks(WH_MOUSE)) {
    MOUSEHOOKSTRUCT hs;
    hs.pt = m.pt;
    hs.hwnd = m.hwnd;
    hs.wHitTestCode = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONDBLCLK ? UINT(m.wParam) : UINT(HTCLIENT);
    return CallHooks(WH_MOUSE, code, m.message, reinterpret_cast<LPARAM>(&hs)) != 0;
  }
  return false;
}

bool Retrieve(TThread& t, MSG* out, HWND filter, UINT lo, UINT hi, UINT flags)
{
  bool remove = flags & PM_REMOVE;
  ProcessSentMessages(t);
  if (flags & PM_QS_SENDMESSAGE)
    return false;
  bool found = false;
  bool input = false;
  BYTE keys[256];
  TCore& core = Core();
  // 1. Posted messages, 2. input, turned into messages one display event at
  // a time (turning one may post messages, so posted ones are looked at again).
  for (;;) {
    {
      // The tree is only looked at when a window filter asks for descendants.
      std::unique_lock<std::recursive_mutex> cl(core.Lock, std::defer_lock);
      if (filter)
        cl.lock();
      std::lock_guard<std::mutex> lock(t.M);
      for (auto it = t.Posted.begin(); it != t.Posted.end(); ++it) {
        if ((it->message == WM_QUIT || InRange(it->message, lo, hi)) && WindowMatches(it->hwnd, filter)) {
          *out = *it;
          if (remove)
            t.Posted.erase(it);
          found = true;
          break;
        }
      }
      if (!found)
        for (auto it = t.Input.begin(); it != t.Input.end(); ++it) {
          if (InRange(it->Msg.message, lo, hi) && WindowMatches(it->Msg.hwnd, filter)) {
            *out = it->Msg;
            std::copy(std::begin(it->Keys), std::end(it->Keys), keys);
            if (remove)
              t.Input.erase(it);
            found = input = true;
            break;
          }
        }
    }
    if (found && input && InputHookRefuses(*out, remove)) {
      // A keyboard or mouse hook ate it: it is gone, look again.
      if (!remove) {
        std::lock_guard<std::mutex> lock(t.M);
        for (auto it = t.Input.begin(); it != t.Input.end(); ++it)
          if (it->Msg.time == out->time && it->Msg.message == out->message && it->Msg.hwnd == out->hwnd) {
            t.Input.erase(it);
            break;
          }
      }
      found = input = false;
      continue;
    }
    if (found || !CookNextRawInput(lo, hi))
      break;
    ProcessSentMessages(t);
  }
  // 3. The quit request.
  if (!found) {
    std::lock_guard<std::mutex> lock(t.M);
    if (t.Quit) {
      *out = MSG{};
      out->message = WM_QUIT;
      out->wParam = WPARAM(t.QuitCode);
      if (remove)
        t.Quit = false;
      found = true;
    }
  }
  // 4. Painting.
  if (!found && InRange(WM_PAINT, lo, hi)) {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* f = filter && filter != reinterpret_cast<HWND>(-1) ? ResolveLocal(filter) : nullptr;
    if (filter != reinterpret_cast<HWND>(-1) && (!filter || f)) {
      if (TWnd* p = FindWindowToPaint(t, f)) {
        *out = MSG{};
        out->hwnd = p->Handle;
        out->message = WM_PAINT;
        found = true;
      }
    }
  }
  // 5. Timers, the lowest priority.
  if (!found && (InRange(WM_TIMER, lo, hi) || InRange(WM_MOUSEHOVER, lo, hi) || InRange(WM_SYSTIMER, lo, hi))) {
    std::uint64_t now = NowMs();
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    std::lock_guard<std::mutex> lock(t.M);
    for (auto& timer : t.Timers) {
      if (timer.Id == HoverTimerId) {
        if (timer.Due > now || !WindowMatches(timer.Hwnd, filter) || !InRange(WM_MOUSEHOVER, lo, hi))
          continue;
        // The pointer rested on the tracked window: one WM_MOUSEHOVER, then tracking of hover ends.
        *out = MSG{};
        out->hwnd = timer.Hwnd;
        bool nonClient = core.Track.Flags & TME_NONCLIENT;
        out->message = nonClient ? WM_NCMOUSEHOVER : WM_MOUSEHOVER;
        TPoint p = core.CursorPos;
        if (TWnd* w = ResolveLocal(timer.Hwnd); w && !nonClient) {
          TPoint o = ClientOriginOnScreen(w);
          p = TPoint(p.x - o.x, p.y - o.y);
        }
        out->lParam = MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
        if (remove) {
          t.Timers.erase(std::find_if(t.Timers.begin(), t.Timers.end(), [&](const TTimer& x) { return &x == &timer; }));
          core.Track.Flags &= ~TME_HOVER;
        }
        found = true;
        break;
      }
      if (timer.Id == CaretTimerId) {
        if (timer.Due > now || !WindowMatches(timer.Hwnd, filter) || !InRange(WM_SYSTIMER, lo, hi))
          continue;
        *out = MSG{};
        out->hwnd = timer.Hwnd;
        out->message = WM_SYSTIMER;
        out->wParam = timer.Id;
        if (remove)
          timer.Due = now + timer.Interval;
        found = true;
        break;
      }
      if (timer.Due <= now && WindowMatches(timer.Hwnd, filter) && InRange(WM_TIMER, lo, hi)) {
        *out = MSG{};
        out->hwnd = timer.Hwnd;
        out->message = WM_TIMER;
        out->wParam = timer.Id;
        out->lParam = reinterpret_cast<LPARAM>(timer.Proc);
        if (remove)
          timer.Due = now + timer.Interval;
        found = true;
        break;
      }
    }
  }
  if (!found)
    return false;
  if (out->message == WM_PAINT || out->message == WM_TIMER || out->message == WM_SYSTIMER ||
      out->message == WM_MOUSEHOVER || out->message == WM_NCMOUSEHOVER || out->message == WM_QUIT) {
    out->time = DWORD(NowMs());
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    out->pt = core.CursorPos;
  }
  if (remove) {
    t.LastTime = out->time;
    t.LastPos = out->pt;
    if (input)
      std::copy(std::begin(keys), std::end(keys), t.Keys);
  }
  if (HasHooks(WH_GETMESSAGE))
    CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(out));
  return true;
}

// Waits until something arrives after `seen`, or the next timer is due.
void WaitForWork(TThread& t, std::uint64_t seen)
{
  if (TDisplayBackend* display = CurrentDisplayBackend())
    if (display->Idle())
      return;
  std::uint64_t due = NextTimerDue(t);
  std::unique_lock<std::mutex> lock(t.M);
  while (t.WakeSeq == seen && t.Alive) {
    t.Waiting = true;
    if (due != UINT64_MAX && !TimeIsVirtual()) {
      std::uint64_t now = NowMs();
      if (due <= now) {
        t.Waiting = false;
        return;
      }
      t.Cv.wait_for(lock, std::chrono::milliseconds(due - now));
    } else {
      t.Cv.wait(lock);
    }
    t.Waiting = false;
    if (due != UINT64_MAX && !TimeIsVirtual() && NowMs() >= due)
      return;
  }
}

std::uint64_t CurrentSeq(TThread& t)
{
  std::lock_guard<std::mutex> lock(t.M);
  return t.WakeSeq;
}

}  // namespace

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (!hwnd)
    return PostThreadMessage(CurrentThreadId(), msg, wParam, lParam);
  MSG m;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = DWORD(NowMs());
  std::vector<std::pair<HWND, std::shared_ptr<TThread>>> targets;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    m.pt = Core().CursorPos;
    if (hwnd == HWND_BROADCAST) {
      for (TWnd* w : Core().Desktop->Children)
        targets.emplace_back(w->Handle, w->Thread);
    } else {
      TWnd* w = ResolveLocal(hwnd);
      if (!w || w->Destroying)
        return FALSE;
      targets.emplace_back(hwnd, w->Thread);
    }
  }
  bool ok = true;
  for (auto& [h, t] : targets) {
    m.hwnd = h;
    ok = PostTo(*t, m) && ok;
  }
  return ok;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam)
{
  std::shared_ptr<TThread> t;
  MSG m;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    auto it = Core().Threads.find(threadId);
    if (it == Core().Threads.end())
      return FALSE;
    t = it->second;
    m.pt = Core().CursorPos;
  }
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = DWORD(NowMs());
  return PostTo(*t, m);
}

void PostQuitMessage(int exitCode)
{
  TThread& t = CurrentThread();
  std::lock_guard<std::mutex> lock(t.M);
  t.Quit = true;
  t.QuitCode = exitCode;
  Wake(t);
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
  MSG m;
  if (!Retrieve(CurrentThread(), &m, hwnd, filterMin, filterMax, removeFlags))
    return FALSE;
  if (msg)
    *msg = m;
  return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !IsWindow(hwnd))
    return -1;
  TThread& t = CurrentThread();
  MSG m;
  for (;;) {
    std::uint64_t seen = CurrentSeq(t);
    if (Retrieve(t, &m, hwnd, filterMin, filterMax, PM_REMOVE))
      break;
    WaitForWork(t, seen);
  }
  if (msg)
    *msg = m;
  return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage()
{
  TThread& t = CurrentThread();
  std::uint64_t seen = CurrentSeq(t);
  ProcessSentMessages(t);
  MSG m;
  if (Retrieve(t, &m, nullptr, 0, 0, PM_NOREMOVE))
    return TRUE;
  WaitForWork(t, seen);
  return TRUE;
}

DWORD GetQueueStatus(UINT flags)
{
  TThread& t = CurrentThread();
  UINT status = 0;
  {
    std::lock_guard<std::mutex> lock(t.M);
    if (!t.Posted.empty())
      status |= QS_POSTMESSAGE;
    if (!t.Sent.empty())
      status |= QS_SENDMESSAGE;
    for (auto& i : t.Input)
      status |= i.Msg.message >= WM_KEYFIRST && i.Msg.message <= WM_KEYLAST
                    ? QS_KEY
                    : (i.Msg.message == WM_MOUSEMOVE || i.Msg.message == WM_NCMOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON);
    std::uint64_t now = NowMs();
    for (auto& timer : t.Timers)
      if (timer.Due <= now)
        status |= QS_TIMER;
  }
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (t.NeedPaint > 0)
      status |= QS_PAINT;
    if (!Core().Raw.empty() && ThreadTakesInput(t))
      status |= QS_INPUT;
  }
  status &= flags;
  return MAKELONG(WORD(status), WORD(status));
}

DWORD GetMessagePos()
{
  TThread& t = CurrentThread();
  return MAKELONG(WORD(SHORT(t.LastPos.x)), WORD(SHORT(t.LastPos.y)));
}

LONG GetMessageTime() { return LONG(CurrentThread().LastTime); }

UINT RegisterWindowMessage(LPCSTR name)
{
  if (!name || !*name)
    return 0;
  std::string key(name);
  for (char& c : key)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  auto& map = Core().RegisteredMessages;
  auto it = map.find(key);
  if (it != map.end())
    return it->second;
  if (Core().NextMessage > 0xFFFF)
    return 0;
  UINT id = Core().NextMessage++;
  map.emplace(key, id);
  return id;
}

LRESULT DispatchMessage(const MSG* msg)
{
  if (!msg)
    return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only a procedure that a live timer of this thread was set with is
    // called: a posted WM_TIMER must not make us jump to any address.
    TIMERPROC proc = nullptr;
    TThread& t = CurrentThread();
    {
      std::lock_guard<std::mutex> lock(t.M);
      for (auto& timer : t.Timers)
        if (timer.Hwnd == msg->hwnd && timer.Id == msg->wParam &&
            reinterpret_cast<LPARAM>(timer.Proc) == msg->lParam)
          proc = timer.Proc;
    }
    if (proc)
      proc(msg->hwnd, WM_TIMER, msg->wParam, DWORD(NowMs()));
    return 0;
  }
  if (!msg->hwnd)
    return 0;
  WNDPROC proc;
  {
    TThread& me = CurrentThread();
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(msg->hwnd);
    if (!w || w->Thread.get() != &me)
      return 0;
    proc = w->WndProc;
  }
  return proc ? proc(msg->hwnd, msg->message, msg->wParam, msg->lParam)
              : DefWindowProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
