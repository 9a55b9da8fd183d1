#include "platform/win/window/Hooks.h"

#include <algorithm>
#include <atomic>

#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

// How many hooks of each kind exist, read without a lock on every message.
std::atomic<int> gHookCounts[16];

int Slot(int kind) { return (kind + 1) & 15; }

// The hooks of one kind that apply to the calling thread, newest first.
std::vector<std::shared_ptr<THook>> Chain(int kind)
{
  DWORD me = CurrentThreadId();
  std::vector<std::shared_ptr<THook>> chain;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  for (auto& h : Core().Hooks)
    if (h->Kind == kind && !h->Removed && (h->ThreadId == 0 || h->ThreadId == me))
      chain.push_back(h);
  return chain;
}

LRESULT CallFrom(const std::vector<std::shared_ptr<THook>>& chain, std::size_t index, int code, WPARAM w, LPARAM l)
{
  for (; index < chain.size(); ++index)
    if (!chain[index]->Removed)
      return chain[index]->Proc(code, w, l);
  return 0;
}

}  // namespace

namespace wincore {

bool HasHooks(int kind) { return gHookCounts[Slot(kind)].load(std::memory_order_relaxed) > 0; }

LRESULT CallHooks(int kind, int code, WPARAM w, LPARAM l) { return CallFrom(Chain(kind), 0, code, w, l); }

}  // namespace wincore

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE, DWORD threadId)
{
  if (!proc)
    return nullptr;
  switch (kind) {
    case WH_MSGFILTER:
    case WH_CALLWNDPROC:
    case WH_CALLWNDPROCRET:
    case WH_CBT:
    case WH_GETMESSAGE:
    case WH_MOUSE:
    case WH_KEYBOARD:
      break;
    default:
      return nullptr;
  }
  auto hook = std::make_shared<THook>();
  hook->Kind = kind;
  hook->Proc = proc;
  hook->ThreadId = threadId;
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  // Hook handles are never reused: a stale one simply finds nothing.
  hook->Handle = reinterpret_cast<HHOOK>((std::uintptr_t(0x48) << 56) | Core().NextHook++);
  Core().Hooks.insert(Core().Hooks.begin(), hook);
  gHookCounts[Slot(kind)]++;
  return hook->Handle;
}

BOOL UnhookWindowsHookEx(HHOOK handle)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  auto& hooks = Core().Hooks;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](auto& h) { return h->Handle == handle; });
  if (it == hooks.end())
    return FALSE;
  // A chain being walked right now holds its own reference and skips it.
  (*it)->Removed = true;
  gHookCounts[Slot((*it)->Kind)]--;
  hooks.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam)
{
  int kind = 0;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    for (auto& h : Core().Hooks)
      if (h->Handle == handle)
        kind = h->Kind;
  }
  if (!kind && handle) {
    // The hook may have been removed during its own call; nothing follows it then.
    return 0;
  }
  auto chain = Chain(kind);
  for (std::size_t i = 0; i < chain.size(); ++i)
    if (chain[i]->Handle == handle)
      return CallFrom(chain, i + 1, code, wParam, lParam);
  return 0;
}

BOOL CallMsgFilter(MSG* msg, int code)
{
  if (!msg || !HasHooks(WH_MSGFILTER))
    return FALSE;
  return CallHooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) != 0 ? TRUE : FALSE;
}
