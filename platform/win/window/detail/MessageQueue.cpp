// Per-thread queues: sending, posting and retrieving messages.
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

namespace wincore {

namespace {

void Complete(const std::shared_ptr<TSent>& s, LRESULT result)
{
  if (!s->Waiter)
    return;
  std::lock_guard<std::mutex> lock(s->Waiter->M);
  if (!s->Done) {
    s->Result = result;
    s->Done = true;
  }
  Wake(*s->Waiter);
}

}  // namespace

LRESULT CallProcNoHooks(HWND h, UINT msg, WPARAM w, LPARAM l)
{
  WNDPROC proc;
  {
    std::lock_guard<std::recursive_mutex> lock(Core().Lock);
    TWnd* wnd = ResolveLocal(h);
    if (!wnd)
      return 0;
    proc = wnd->WndProc;
  }
  return proc ? proc(h, msg, w, l) : DefWindowProc(h, msg, w, l);
}

LRESULT CallProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
  if (HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{l, w, msg, h};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, 1, reinterpret_cast<LPARAM>(&cwp));
  }
  LRESULT r = CallProcNoHooks(h, msg, w, l);
  if (HasHooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{r, l, w, msg, h};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, 1, reinterpret_cast<LPARAM>(&ret));
  }
  return r;
}

void ProcessSentMessages(TThread& t)
{
  for (;;) {
    std::shared_ptr<TSent> s;
    {
      std::lock_guard<std::mutex> lock(t.M);
      if (t.Sent.empty())
        return;
      s = t.Sent.front();
      t.Sent.pop_front();
    }
    if (s->Task) {
      s->Task();
      continue;
    }
    t.Replying.push_back(s);
    LRESULT r = CallProc(s->Hwnd, s->Msg, s->W, s->L);
    t.Replying.pop_back();
    Complete(s, r);
  }
}

// Sends to a window of another thread of this process and waits, running the
// calls sent to this thread meanwhile. timeoutMs UINT_MAX waits as long as it takes.
LRESULT SendToThread(TWnd* target, UINT msg, WPARAM w, LPARAM l, UINT flags, UINT timeoutMs, bool& ok,
                     std::vector<BYTE>* payload)
{
  std::shared_ptr<TThread> receiver = target->Thread;
  std::shared_ptr<TThread> me = CurrentThreadPtr();
  auto s = std::make_shared<TSent>();
  s->Hwnd = target->Handle;
  s->Msg = msg;
  s->W = w;
  s->L = l;
  s->Waiter = me;
  if (payload && msg == WM_COPYDATA) {
    // Data from another process: the record owns it until the call returns.
    s->Payload = std::move(*payload);
    s->Cds = *reinterpret_cast<const COPYDATASTRUCT*>(l);
    s->Cds.lpData = s->Payload.data();
    s->Cds.cbData = DWORD(s->Payload.size());
    s->L = reinterpret_cast<LPARAM>(&s->Cds);
  }
  {
    std::lock_guard<std::mutex> lock(receiver->M);
    if (!receiver->Alive) {
      ok = false;
      return 0;
    }
    receiver->Sent.push_back(s);
    Wake(*receiver);
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs == UINT_MAX ? 0 : timeoutMs);
  for (;;) {
    bool incoming = false;
    {
      std::unique_lock<std::mutex> lock(me->M);
      for (;;) {
        if (s->Done) {
          ok = true;
          return s->Result;
        }
        if (!me->Sent.empty() && !(flags & SMTO_BLOCK)) {
          incoming = true;
          break;
        }
        me->Waiting = true;
        bool timedOut = false;
        if (timeoutMs == UINT_MAX)
          me->Cv.wait(lock);
        else
          timedOut = me->Cv.wait_until(lock, deadline) == std::cv_status::timeout;
        me->Waiting = false;
        if (timedOut && !s->Done) {
          lock.unlock();
          std::lock_guard<std::mutex> rl(receiver->M);
          auto& q = receiver->Sent;
          q.erase(std::remove(q.begin(), q.end(), s), q.end());
          ok = false;
          return 0;
        }
      }
    }
    if (incoming)
      ProcessSentMessages(*me);
  }
}

LRESULT Send(HWND h, UINT msg, WPARAM w, LPARAM l) { return SendMessage(h, msg, w, l); }

bool QueueTask(TThread& t, std::function<void()> task)
{
  auto s = std::make_shared<TSent>();
  s->NoReply = true;
  s->Task = std::move(task);
  std::lock_guard<std::mutex> lock(t.M);
  if (!t.Alive)
    return false;
  t.Sent.push_back(s);
  Wake(t);
  return true;
}

}  // namespace wincore

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
    if (found || !CookNextRawInput())
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
  if (!found && (InRange(WM_TIMER, lo, hi) || InRange(WM_MOUSEHOVER, lo, hi))) {
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
  if (out->message == WM_PAINT || out->message == WM_TIMER || out->message == WM_QUIT) {
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

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  DWORD_PTR result = 0;
  SendMessageTimeout(hwnd, msg, wParam, lParam, SMTO_NORMAL, UINT_MAX, &result);
  return LRESULT(result);
}

LRESULT SendMessageTimeout(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                           DWORD_PTR* result)
{
  if (result)
    *result = 0;
  if (hwnd == HWND_BROADCAST) {
    std::vector<HWND> all;
    {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      for (TWnd* w : Core().Desktop->Children)
        all.push_back(w->Handle);
    }
    for (HWND h : all)
      SendMessageTimeout(h, msg, wParam, lParam, flags, timeoutMs, nullptr);
    return 1;
  }
  TThread& me = CurrentThread();
  TWnd* target;
  bool sameThread;
  bool foreign;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    target = Resolve(hwnd);
    if (!target)
      return 0;
    foreign = target->Foreign;
    sameThread = !foreign && target->Thread.get() == &me;
  }
  if (foreign) {
    // Only copy data crosses to another process; proxies are never freed, so
    // the record stays valid outside the lock.
    if (msg != WM_COPYDATA || !lParam)
      return 0;
    bool ok = false;
    UINT limit = timeoutMs == UINT_MAX ? CrossProcessTimeout() : std::min(timeoutMs, CrossProcessTimeout());
    LRESULT r = SendForeignCopyData(target, reinterpret_cast<HWND>(wParam),
                                    reinterpret_cast<const COPYDATASTRUCT*>(lParam), limit, ok);
    if (result)
      *result = DWORD_PTR(r);
    return ok ? 1 : 0;
  }
  if (sameThread) {
    LRESULT r = CallProc(hwnd, msg, wParam, lParam);
    if (result)
      *result = DWORD_PTR(r);
    return 1;
  }
  bool ok = false;
  LRESULT r;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    target = ResolveLocal(hwnd);
    if (!target)
      return 0;
  }
  r = SendToThread(target, msg, wParam, lParam, flags, timeoutMs, ok, nullptr);
  if (result)
    *result = DWORD_PTR(r);
  return ok ? 1 : 0;
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  std::shared_ptr<TThread> receiver;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* target = ResolveLocal(hwnd);
    if (!target)
      return FALSE;
    receiver = target->Thread;
  }
  if (receiver.get() == &CurrentThread()) {
    CallProc(hwnd, msg, wParam, lParam);
    return TRUE;
  }
  auto s = std::make_shared<TSent>();
  s->Hwnd = hwnd;
  s->Msg = msg;
  s->W = wParam;
  s->L = lParam;
  s->NoReply = true;
  std::lock_guard<std::mutex> lock(receiver->M);
  if (!receiver->Alive)
    return FALSE;
  receiver->Sent.push_back(s);
  Wake(*receiver);
  return TRUE;
}

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

BOOL InSendMessage() { return CurrentThread().Replying.empty() ? FALSE : TRUE; }

BOOL ReplyMessage(LRESULT result)
{
  TThread& t = CurrentThread();
  if (t.Replying.empty())
    return FALSE;
  auto s = t.Replying.back();
  if (!s->Waiter)
    return FALSE;
  std::lock_guard<std::mutex> lock(s->Waiter->M);
  if (!s->Done) {
    s->Result = result;
    s->Done = true;
    Wake(*s->Waiter);
  }
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
