#include "platform/win/window/detail/Core.h"

#include <algorithm>
#include <atomic>

#include "platform/base/ThreadId.h"
#include "platform/win/window/DisplayBackend.h"

namespace wincore {

namespace {

// Window handles carry this tag in their top byte, so a drawing handle or a
// made-up value is refused.
constexpr std::uintptr_t WindowTag = 0x57;

HWND AddHandleIn(TCore& core, TWnd* w);

TCore* MakeCore()
{
  // Never destroyed: windows may be touched by thread-exit code after static
  // destructors have started.
  auto* core = new TCore;
  core->Desktop = new TWnd;
  core->Desktop->Style = WS_VISIBLE | WS_CLIPCHILDREN;
  core->Desktop->Rect = core->Desktop->Client = TRect(0, 0, 1024, 768);
  core->MessageRoot = new TWnd;
  core->MessageRoot->MessageOnly = true;
  core->Desktop->Handle = AddHandleIn(*core, core->Desktop);
  core->MessageRoot->Handle = AddHandleIn(*core, core->MessageRoot);
  return core;
}

// Destroys what a thread leaves behind when it ends.
struct TThreadGuard {
  std::shared_ptr<TThread> Thread;
  ~TThreadGuard();
};

thread_local TThreadGuard tlsThread;

}  // namespace

TCore& Core()
{
  static TCore* core = MakeCore();
  return *core;
}

std::shared_ptr<TThread> CurrentThreadPtr()
{
  if (!tlsThread.Thread) {
    auto t = std::make_shared<TThread>();
    t->StdId = std::this_thread::get_id();
    TCore& core = Core();
    std::lock_guard<std::recursive_mutex> lock(core.Lock);
    t->Id = ::GetCurrentThreadId();
    core.Threads[t->Id] = t;
    tlsThread.Thread = t;
  }
  return tlsThread.Thread;
}

TThread& CurrentThread()
{
  // No reference count traffic on the hot path: the thread's own record
  // lives as long as the thread.
  if (!tlsThread.Thread)
    CurrentThreadPtr();
  return *tlsThread.Thread;
}

DWORD CurrentThreadId() { return ::GetCurrentThreadId(); }

namespace {

TThreadGuard::~TThreadGuard()
{
  if (!Thread)
    return;
  TCore& core = Core();
  std::vector<TWnd*> doomed;
  {
    std::lock_guard<std::recursive_mutex> lock(core.Lock);
    for (auto& slot : core.Slots)
      if (slot.Wnd && slot.Wnd->Thread == Thread && !slot.Wnd->Foreign)
        doomed.push_back(slot.Wnd);
  }
  // Windows die with their thread, without messages: nobody is left to answer them.
  {
    std::lock_guard<std::recursive_mutex> lock(core.Lock);
    for (TWnd* w : doomed) {
      if (Resolve(w->Handle) != w)
        continue;
      for (TWnd* c : w->Children)
        c->Parent = nullptr;
      w->Children.clear();
      if (w->Parent)
        Unlink(w);
    }
    for (TWnd* w : doomed) {
      if (core.Active == w->Handle)
        core.Active = nullptr;
      if (core.Focus == w->Handle)
        core.Focus = nullptr;
      if (core.Capture == w->Handle)
        core.Capture = nullptr;
      if (w->HasSurface && core.Display)
        core.Display->DestroyFramebuffer(w->Handle);
      if (w->Class)
        w->Class->WindowCount--;
      RemoveHandle(w->Handle);
      delete w;
    }
    core.Threads.erase(Thread->Id);
  }
  std::vector<std::shared_ptr<TSent>> unanswered;
  {
    std::lock_guard<std::mutex> lock(Thread->M);
    Thread->Alive = false;
    // Anyone still waiting for an answer from this thread gets 0.
    for (auto& s : Thread->Sent) {
      if (s->OnDone)
        unanswered.push_back(s);
      if (s->Waiter) {
        std::lock_guard<std::mutex> wl(s->Waiter->M);
        s->Done = true;
        s->Waiter->Cv.notify_all();
      }
    }
    Thread->Sent.clear();
    Thread->Posted.clear();
    Thread->Input.clear();
  }
  for (auto& s : unanswered)
    s->OnDone(false, 0);
  PublishWindowsChanged();
}

}  // namespace

HWND AddHandle(TWnd* w) { return AddHandleIn(Core(), w); }

namespace {
HWND AddHandleIn(TCore& core, TWnd* w)
{
  std::uint32_t index;
  if (core.Free.size() > 64) {
    // Reuse the slot freed longest ago, so a stale handle meets a new
    // generation as late as possible.
    index = core.Free.front();
    core.Free.pop_front();
  } else {
    index = std::uint32_t(core.Slots.size());
    core.Slots.push_back({});
  }
  core.Slots[index].Wnd = w;
  std::uintptr_t value = (WindowTag << 56) | (std::uintptr_t(core.Slots[index].Generation & 0xFFFFFFFF) << 24) | (index + 1);
  return reinterpret_cast<HWND>(value);
}
}  // namespace

void RemoveHandle(HWND h)
{
  TCore& core = Core();
  std::uintptr_t v = reinterpret_cast<std::uintptr_t>(h);
  std::uint32_t low = std::uint32_t(v & 0xFFFFFF);
  if ((v >> 56) != WindowTag || low == 0 || low > core.Slots.size())
    return;
  auto& slot = core.Slots[low - 1];
  slot.Wnd = nullptr;
  slot.Generation = (slot.Generation + 1) & 0xFFFFFFFF;
  if (slot.Generation == 0)
    slot.Generation = 1;
  core.Free.push_back(low - 1);
}

TWnd* Resolve(HWND h)
{
  TCore& core = Core();
  std::uintptr_t v = reinterpret_cast<std::uintptr_t>(h);
  if ((v >> 56) != WindowTag)
    return nullptr;
  std::uint32_t low = std::uint32_t(v & 0xFFFFFF);
  std::uint32_t generation = std::uint32_t((v >> 24) & 0xFFFFFFFF);
  if (low == 0 || low > core.Slots.size())
    return nullptr;
  auto& slot = core.Slots[low - 1];
  if (!slot.Wnd || slot.Generation != generation)
    return nullptr;
  return slot.Wnd;
}

TWnd* ResolveLocal(HWND h)
{
  TWnd* w = Resolve(h);
  return w && !w->Foreign ? w : nullptr;
}

bool IsTopLevel(const TWnd* w) { return w && w->Parent == Core().Desktop; }

TWnd* RootOf(TWnd* w)
{
  TWnd* desktop = Core().Desktop;
  while (w && w->Parent && w->Parent != desktop && !w->Parent->MessageOnly)
    w = w->Parent;
  if (w && w->Parent && w->Parent == Core().MessageRoot)
    return w;
  return w;
}

bool IsDescendant(const TWnd* ancestor, const TWnd* w)
{
  for (; w; w = w->Parent)
    if (w == ancestor)
      return true;
  return false;
}

TPoint ClientOriginOnScreen(const TWnd* w)
{
  TPoint p(w->Client.Left, w->Client.Top);
  for (const TWnd* p2 = w->Parent; p2 && p2 != Core().Desktop && p2 != Core().MessageRoot; p2 = p2->Parent) {
    p.x += p2->Client.Left;
    p.y += p2->Client.Top;
  }
  return p;
}

namespace {
TPoint ParentClientOriginOnScreen(const TWnd* w)
{
  const TWnd* p = w->Parent;
  if (!p || p == Core().Desktop || p == Core().MessageRoot)
    return TPoint(0, 0);
  return ClientOriginOnScreen(p);
}
}  // namespace

TRect ScreenWindowRect(const TWnd* w)
{
  if (w == Core().Desktop)
    return w->Rect;
  TPoint o = ParentClientOriginOnScreen(w);
  TRect r = w->Rect;
  OffsetRect(&r, o.x, o.y);
  return r;
}

TRect ScreenClientRect(const TWnd* w)
{
  if (w == Core().Desktop)
    return w->Rect;
  TPoint o = ParentClientOriginOnScreen(w);
  TRect r = w->Client;
  OffsetRect(&r, o.x, o.y);
  return r;
}

bool IsVisibleChain(const TWnd* w)
{
  for (; w && w != Core().Desktop; w = w->Parent) {
    if (!(w->Style & WS_VISIBLE) || w->MessageOnly)
      return false;
    if (!w->Parent)
      return false;
  }
  return w != nullptr;
}

void Unlink(TWnd* w)
{
  if (!w->Parent)
    return;
  auto& list = w->Parent->Children;
  list.erase(std::remove(list.begin(), list.end(), w), list.end());
  GeometryChanged();
}

void LinkAt(TWnd* parent, TWnd* w, TWnd* insertAfter, bool bottom)
{
  GeometryChanged();
  w->Parent = parent;
  auto& list = parent->Children;
  if (bottom) {
    list.push_back(w);
    return;
  }
  if (insertAfter) {
    auto it = std::find(list.begin(), list.end(), insertAfter);
    if (it != list.end()) {
      list.insert(it + 1, w);
      return;
    }
  }
  // The top of z-order; among top-level windows a window that is not topmost
  // goes below every topmost one.
  auto pos = list.begin();
  if (parent == Core().Desktop && !(w->ExStyle & WS_EX_TOPMOST))
    while (pos != list.end() && ((*pos)->ExStyle & WS_EX_TOPMOST))
      ++pos;
  list.insert(pos, w);
}

void CollectPreOrder(TWnd* w, std::vector<TWnd*>& out)
{
  out.push_back(w);
  for (TWnd* c : w->Children)
    CollectPreOrder(c, out);
}

void Wake(TThread& t)
{
  ++t.WakeSeq;
  if (t.Waiting)
    t.Cv.notify_all();
}

void WakeAll()
{
  TCore& core = Core();
  std::vector<std::shared_ptr<TThread>> threads;
  {
    std::lock_guard<std::recursive_mutex> lock(core.Lock);
    for (auto& [id, t] : core.Threads)
      threads.push_back(t);
  }
  for (auto& t : threads) {
    std::lock_guard<std::mutex> lock(t->M);
    Wake(*t);
  }
}

bool PostTo(TThread& t, const MSG& m)
{
  std::lock_guard<std::mutex> lock(t.M);
  if (!t.Alive)
    return false;
  t.Posted.push_back(m);
  Wake(t);
  return true;
}

TDisplayBackend* Display()
{
  TCore& core = Core();
  std::lock_guard<std::recursive_mutex> lock(core.Lock);
  if (!core.Display)
    SelectDisplayBackend(std::string());
  return core.Display.get();
}

void TellDisplayWindowState(TWnd* w)
{
  TCore& core = Core();
  if (!w || !w->HasSurface || !core.Display || !IsTopLevel(w))
    return;
  TDisplayWindowState state;
  state.Style = w->Style;
  state.ExStyle = w->ExStyle;
  state.Owner = w->Owner ? w->Owner->Handle : nullptr;
  if (w->Class) {
    state.ClassName = w->Class->Name;
    state.Icon = w->Class->Icon;
    state.SmallIcon = w->Class->IconSm ? w->Class->IconSm : w->Class->Icon;
  }
  if (w->IconBig)
    state.Icon = w->IconBig;
  if (w->IconSmall)
    state.SmallIcon = w->IconSmall;
  else if (w->IconBig)
    state.SmallIcon = w->IconBig;
  core.Display->UpdateWindowState(w->Handle, state);
}

}  // namespace wincore
