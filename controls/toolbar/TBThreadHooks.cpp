#include "controls/toolbar/TBThreadHooks.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win/win.h"

namespace {

struct THookClient {
  THookClientProc Proc;
  int RefCount;
  THookProcKinds Kinds;
  // References that raised the platform hooks' use counts: a count-only
  // registration must not lower them when it leaves.
  int CountedRefs;
};

struct TPlatformHook {
  int Kind;
  HOOKPROC Proc;
  HHOOK Handle = nullptr;
  int UseCount = 0;
};

LRESULT CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam);
LRESULT CbtHook(int Code, WPARAM WParam, LPARAM LParam);
LRESULT GetMessageHook(int Code, WPARAM WParam, LPARAM LParam);

// The hooks belong to the thread that installs them, so their bookkeeping
// does too; a thread that ends removes whatever it still holds.
struct THookState {
  std::vector<std::unique_ptr<THookClient>> Clients;
  TPlatformHook Hooks[3] = {{WH_CALLWNDPROC, &CallWndProcHook}, {WH_CBT, &CbtHook}, {WH_GETMESSAGE, &GetMessageHook}};
  ~THookState()
  {
    for (TPlatformHook& h : Hooks)
      if (h.Handle)
        UnhookWindowsHookEx(h.Handle);
  }
};

THookState& HookState()
{
  thread_local THookState state;
  return state;
}

TSharedHook HookOfKind(THookProcKind Kind)
{
  switch (Kind) {
  case hnActivateAppSent:
  case hnPosChangedSent: return shCallWndProc;
  case hnWindowDestroying: return shCbt;
  default: return shGetMessage;
  }
}

// The hooks a set of kinds needs, each once.
std::vector<TSharedHook> HooksOfKinds(THookProcKinds Kinds)
{
  std::vector<TSharedHook> hooks;
  for (int k = hnActivateAppSent; k <= hnMessageRetrieved; ++k)
    if (Kinds & HookKindBit(THookProcKind(k))) {
      TSharedHook h = HookOfKind(THookProcKind(k));
      if (std::find(hooks.begin(), hooks.end(), h) == hooks.end())
        hooks.push_back(h);
    }
  return hooks;
}

void AddUses(THookProcKinds Kinds)
{
  for (TSharedHook h : HooksOfKinds(Kinds)) {
    TPlatformHook& hook = HookState().Hooks[h];
    ++hook.UseCount;
    if (!hook.Handle)
      hook.Handle = SetWindowsHookEx(hook.Kind, hook.Proc, nullptr, GetCurrentThreadId());
  }
}

void RemoveUses(THookProcKinds Kinds)
{
  for (TSharedHook h : HooksOfKinds(Kinds)) {
    TPlatformHook& hook = HookState().Hooks[h];
    if (hook.UseCount > 0)
      --hook.UseCount;
    if (hook.UseCount == 0 && hook.Handle) {
      UnhookWindowsHookEx(hook.Handle);
      hook.Handle = nullptr;
    }
  }
}

THookClient* FindClient(THookClientProc Proc)
{
  for (auto& c : HookState().Clients)
    if (c->Proc == Proc)
      return c.get();
  return nullptr;
}

// Calls every client registered for Kind. The list is read as it was when
// the notification began; a client that left meanwhile is skipped, so clients
// may register and leave from inside their procedures.
void Deliver(THookProcKind Kind, HWND Wnd, WPARAM WParam, LPARAM LParam)
{
  std::vector<THookClientProc> procs;
  for (auto& c : HookState().Clients)
    if (c->Kinds & HookKindBit(Kind))
      procs.push_back(c->Proc);
  for (THookClientProc proc : procs) {
    if (!FindClient(proc))
      continue;
    try {
      proc(Kind, Wnd, WParam, LParam);
    } catch (...) {
      // One failing client must not keep the notice from the others.
    }
  }
}

LRESULT CallWndProcHook(int Code, WPARAM WParam, LPARAM LParam)
{
  if (Code == HC_ACTION) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(LParam);
    if (cwp->message == WM_ACTIVATEAPP)
      Deliver(hnActivateAppSent, cwp->hwnd, cwp->wParam, cwp->lParam);
    else if (cwp->message == WM_WINDOWPOSCHANGED)
      Deliver(hnPosChangedSent, cwp->hwnd, cwp->wParam, cwp->lParam);
  }
  return CallNextHookEx(HookState().Hooks[shCallWndProc].Handle, Code, WParam, LParam);
}

LRESULT CbtHook(int Code, WPARAM WParam, LPARAM LParam)
{
  if (Code == HCBT_DESTROYWND)
    Deliver(hnWindowDestroying, reinterpret_cast<HWND>(WParam), 0, 0);
  return CallNextHookEx(HookState().Hooks[shCbt].Handle, Code, WParam, LParam);
}

LRESULT GetMessageHook(int Code, WPARAM WParam, LPARAM LParam)
{
  if (Code == HC_ACTION)
    Deliver(hnMessageRetrieved, nullptr, WParam, LParam);
  return CallNextHookEx(HookState().Hooks[shGetMessage].Handle, Code, WParam, LParam);
}

}  // namespace

void InstallHookClient(THookClientProc Proc, THookProcKinds Kinds, bool CountOnly)
{
  if (!Proc)
    return;
  THookClient* client = FindClient(Proc);
  if (client) {
    ++client->RefCount;
  } else {
    HookState().Clients.push_back(std::make_unique<THookClient>(THookClient{Proc, 1, Kinds, 0}));
    client = HookState().Clients.back().get();
  }
  if (!CountOnly) {
    ++client->CountedRefs;
    AddUses(client->Kinds);
  }
}

void UninstallHookClient(THookClientProc Proc)
{
  THookClient* client = FindClient(Proc);
  if (!client)
    return;
  THookProcKinds kinds = client->Kinds;
  // A leaving reference gives back hook uses only when one was counted; the
  // counted ones go first, since a count-only holder needs no hook.
  bool counted = client->CountedRefs > 0;
  if (counted)
    --client->CountedRefs;
  if (--client->RefCount == 0) {
    auto& clients = HookState().Clients;
    clients.erase(std::find_if(clients.begin(), clients.end(), [&](auto& c) { return c.get() == client; }));
  }
  if (counted)
    RemoveUses(kinds);
}

bool SharedHookInstalled(TSharedHook Hook) { return HookState().Hooks[Hook].Handle != nullptr; }

int SharedHookUseCount(TSharedHook Hook) { return HookState().Hooks[Hook].UseCount; }
