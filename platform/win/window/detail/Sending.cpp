// Sending messages: to this thread's windows directly, to another thread's
// through its queue while the sender waits, to another process over a socket.
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
  if (s->OnDone) {
    s->OnDone(true, result);
    s->OnDone = nullptr;
  }
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
    if (s->OnDone) {
      // The window may have gone while the call waited: that is no answer.
      bool gone;
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        gone = !ResolveLocal(s->Hwnd);
      }
      if (gone) {
        s->OnDone(false, 0);
        continue;
      }
    }
    t.Replying.push_back(s);
    LRESULT r = CallProc(s->Hwnd, s->Msg, s->W, s->L);
    t.Replying.pop_back();
    Complete(s, r);
  }
}

// Sends to a window of another thread of this process and waits, running the
// calls sent to this thread meanwhile. timeoutMs UINT_MAX waits as long as it takes.
LRESULT SendToThread(TWnd* target, UINT msg, WPARAM w, LPARAM l, UINT flags, UINT timeoutMs, bool& ok)
{
  std::shared_ptr<TThread> receiver = target->Thread;
  std::shared_ptr<TThread> me = CurrentThreadPtr();
  auto s = std::make_shared<TSent>();
  s->Hwnd = target->Handle;
  s->Msg = msg;
  s->W = w;
  s->L = l;
  s->Waiter = me;
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

bool QueueForeignCopyData(TWnd* target, HWND sender, ULONG_PTR tag, std::vector<BYTE> payload,
                          std::function<void(bool, LRESULT)> done)
{
  std::shared_ptr<TThread> receiver = target->Thread;
  auto s = std::make_shared<TSent>();
  s->Hwnd = target->Handle;
  s->Msg = WM_COPYDATA;
  s->W = reinterpret_cast<WPARAM>(sender);
  s->NoReply = true;
  s->Payload = std::move(payload);
  s->Cds.dwData = tag;
  s->Cds.cbData = DWORD(s->Payload.size());
  s->Cds.lpData = s->Payload.data();
  s->L = reinterpret_cast<LPARAM>(&s->Cds);
  s->OnDone = std::move(done);
  std::lock_guard<std::mutex> lock(receiver->M);
  if (!receiver->Alive)
    return false;
  // A thread that does not answer does not collect callers (and their
  // connections) without end.
  std::size_t waiting = 0;
  for (auto& other : receiver->Sent)
    waiting += other->OnDone ? 1 : 0;
  if (waiting >= 256)
    return false;
  receiver->Sent.push_back(s);
  Wake(*receiver);
  return true;
}

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
  int foreignPid = 0;
  std::uint64_t foreignHandle = 0;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    target = Resolve(hwnd);
    if (!target)
      return 0;
    foreign = target->Foreign;
    foreignPid = target->ForeignPid;
    foreignHandle = target->ForeignHandle;
    sameThread = !foreign && target->Thread.get() == &me;
  }
  if (foreign) {
    // Only copy data crosses to another process. A stand-in may be freed
    // once the lock is let go: only what was read under it is used.
    if (msg != WM_COPYDATA || !lParam)
      return 0;
    bool ok = false;
    UINT limit = timeoutMs == UINT_MAX ? CrossProcessTimeout() : std::min(timeoutMs, CrossProcessTimeout());
    LRESULT r = SendForeignCopyData(foreignPid, foreignHandle, reinterpret_cast<HWND>(wParam),
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
  r = SendToThread(target, msg, wParam, lParam, flags, timeoutMs, ok);
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

