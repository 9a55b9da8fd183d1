#include "platform/win/ole/DragDrop.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/base/ThreadId.h"
#include "platform/win/gdi/Cursors.h"
#include "platform/win/ole/DragDropBridge.h"
#include "platform/win/ole/detail/DropEffects.h"
#include "platform/win/ole/detail/OleThread.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/ModalLoop.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/Timers.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"

namespace {

// A registered window: its target (one reference) and the message-only
// window of the thread that registered it, where drags of other programs
// call the target.
struct TRegistration {
  IDropTarget* Target;
  HWND Home;
};

struct TDropTargetRegistry {
  std::mutex Lock;
  std::map<HWND, TRegistration> Targets;
  TDragDropBridge* Bridge = nullptr;
};

TDropTargetRegistry& DropTargetRegistry()
{
  static auto* r = new TDropTargetRegistry;
  return *r;
}

// Takes the registrations of destroyed windows out; the caller releases them.
std::vector<IDropTarget*> TakeStale()
{
  std::vector<IDropTarget*> stale;
  std::lock_guard<std::mutex> lock(DropTargetRegistry().Lock);
  for (auto it = DropTargetRegistry().Targets.begin(); it != DropTargetRegistry().Targets.end();)
    if (!IsWindow(it->first)) {
      stale.push_back(it->second.Target);
      it = DropTargetRegistry().Targets.erase(it);
    } else {
      ++it;
    }
  return stale;
}

void ReleaseAll(const std::vector<IDropTarget*>& targets)
{
  for (IDropTarget* t : targets)
    t->Release();
}

DWORD KeyStateNow()
{
  DWORD keys = 0;
  const std::pair<int, DWORD> map[] = {{VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_MBUTTON, MK_MBUTTON},
                                       {VK_SHIFT, MK_SHIFT},     {VK_CONTROL, MK_CONTROL}, {VK_MENU, MK_ALT}};
  for (auto [vk, mk] : map)
    if (GetKeyState(vk) < 0)
      keys |= mk;
  return keys;
}

LRESULT TrackerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT RepeatMs = 50;

// One drag: the state between the source's questions.
class TDragLoop {
public:
  TDragLoop(IDataObject* data, IDropSource* source, DWORD allowed) : FData(data), FSource(source), FAllowed(allowed) {}

  HRESULT Run(DWORD* effect)
  {
    *effect = DROPEFFECT_NONE;
    HWND tracker = ole_detail::ThreadWindow("CorvaneDragTracker", TrackerProc);
    if (!tracker)
      return E_FAIL;
    SetCapture(tracker);
    SetTimer(tracker, RepeatTimer, RepeatMs, nullptr);
    GetCursorPos(&FPoint);
    FKeys = KeyStateNow();
    HRESULT result = DRAGDROP_S_CANCEL;
    for (;;) {
      HRESULT answer = FSource->QueryContinueDrag(FEscape ? TRUE : FALSE, FKeys);
      FEscape = false;
      if (answer == DRAGDROP_S_DROP) {
        result = Drop(effect);
        break;
      }
      if (answer != S_OK) {
        Leave();
        result = FAILED(answer) ? answer : DRAGDROP_S_CANCEL;
        break;
      }
      Track();
      if (!WaitForInput(tracker)) {
        Leave();
        break;
      }
    }
    KillTimer(tracker, RepeatTimer);
    if (GetCapture() == tracker)
      ReleaseCapture();
    return result;
  }

private:
  // The registered target under the pointer, or another program's through the bridge.
  InterfacePtr<IDropTarget> TargetAt(HWND& window)
  {
    window = nullptr;
    if (IDropTarget* local = FindDropTarget(FPoint, &window))
      return InterfacePtr<IDropTarget>::Adopt(local);
    TDragDropBridge* bridge;
    {
      std::lock_guard<std::mutex> lock(DropTargetRegistry().Lock);
      bridge = DropTargetRegistry().Bridge;
    }
    if (bridge && !WindowFromPoint(FPoint))
      return InterfacePtr<IDropTarget>::Adopt(bridge->ForeignDropTargetAt(FPoint));
    return {};
  }

  void Track()
  {
    HWND window;
    InterfacePtr<IDropTarget> target = TargetAt(window);
    DWORD answered = DROPEFFECT_NONE;
    if (target != FTarget || window != FWindow) {
      Leave();
      FTarget = target;
      FWindow = window;
      if (FTarget) {
        answered = FAllowed;
        if (FAILED(FTarget->DragEnter(FData, FKeys, FPoint, &answered)))
          answered = DROPEFFECT_NONE;
      }
    } else if (FTarget) {
      answered = FAllowed;
      if (FAILED(FTarget->DragOver(FKeys, FPoint, &answered)))
        answered = DROPEFFECT_NONE;
    }
    FEffect = ChooseDropEffect(answered, FAllowed, FKeys);
    if (FSource->GiveFeedback(FEffect) == DRAGDROP_S_USEDEFAULTCURSORS)
      SetCursor(DefaultDragCursor(FEffect));
  }

  void Leave()
  {
    if (FTarget)
      FTarget->DragLeave();
    FTarget.Reset();
    FWindow = nullptr;
    FEffect = DROPEFFECT_NONE;
  }

  HRESULT Drop(DWORD* effect)
  {
    if (!FTarget || (FEffect & ~DROPEFFECT_SCROLL) == DROPEFFECT_NONE) {
      Leave();
      return DRAGDROP_S_CANCEL;
    }
    DWORD answered = FAllowed;
    HRESULT hr = FTarget->Drop(FData, FKeys, FPoint, &answered);
    *effect = SUCCEEDED(hr) ? ChooseDropEffect(answered, FAllowed, FKeys) & ~DROPEFFECT_SCROLL : DROPEFFECT_NONE;
    FTarget.Reset();
    FWindow = nullptr;
    return DRAGDROP_S_DROP;
  }

  // Waits for the next mouse or key input (or the repeat timer), handling
  // everything else meanwhile. False when the drag must end: the capture was
  // taken away or the application is quitting (WM_QUIT is posted again).
  bool WaitForInput(HWND tracker)
  {
    TModalLoop loop(tracker);
    MSG msg;
    while (loop.Next(msg)) {
      if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        DWORD pos = GetMessagePos();
        FPoint = TPoint(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos)));
        FKeys = KeyStateNow();
        return true;
      }
      switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (msg.wParam == VK_ESCAPE)
          FEscape = true;
        FKeys = KeyStateNow();
        return true;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        FKeys = KeyStateNow();
        return true;
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_DEADCHAR:
      case WM_SYSDEADCHAR: continue;  // keys belong to the drag while it runs
      case WM_TIMER:
        if (msg.hwnd == tracker && msg.wParam == RepeatTimer)
          return true;
        break;
      default: break;
      }
      DispatchMessage(&msg);
    }
    return false;
  }

  IDataObject* FData;
  IDropSource* FSource;
  DWORD FAllowed;
  InterfacePtr<IDropTarget> FTarget;
  HWND FWindow = nullptr;
  TPoint FPoint;
  DWORD FKeys = 0;
  DWORD FEffect = DROPEFFECT_NONE;
  bool FEscape = false;
};

}  // namespace

HRESULT RegisterDragDrop(HWND window, IDropTarget* target)
{
  if (!IsOleInitialized())
    return CO_E_NOTINITIALIZED;
  if (!target)
    return E_INVALIDARG;
  DWORD process = 0;
  if (!IsWindow(window) || (GetWindowThreadProcessId(window, &process), process != GetCurrentProcessId()))
    return DRAGDROP_E_INVALIDHWND;
  ReleaseAll(TakeStale());
  HWND home = ole_detail::ForeignDropHome();
  std::lock_guard<std::mutex> lock(DropTargetRegistry().Lock);
  if (!DropTargetRegistry().Targets.emplace(window, TRegistration{target, home}).second)
    return DRAGDROP_E_ALREADYREGISTERED;
  target->AddRef();
  return S_OK;
}

HRESULT RevokeDragDrop(HWND window)
{
  IDropTarget* target;
  {
    std::lock_guard<std::mutex> lock(DropTargetRegistry().Lock);
    auto it = DropTargetRegistry().Targets.find(window);
    if (it == DropTargetRegistry().Targets.end())
      return DRAGDROP_E_NOTREGISTERED;
    target = it->second.Target;
    DropTargetRegistry().Targets.erase(it);
  }
  target->Release();
  return S_OK;
}

IDropTarget* FindDropTarget(POINTL screenPoint, HWND* window)
{
  return ole_detail::FindDropTargetHome(screenPoint, window, nullptr);
}

IDropTarget* ole_detail::FindDropTargetHome(POINTL screenPoint, HWND* window, HWND* home)
{
  if (window)
    *window = nullptr;
  if (home)
    *home = nullptr;
  HWND desktop = GetDesktopWindow();
  std::lock_guard<std::mutex> lock(DropTargetRegistry().Lock);
  for (HWND w = WindowFromPoint(screenPoint); w && w != desktop; w = GetAncestor(w, GA_PARENT)) {
    auto it = DropTargetRegistry().Targets.find(w);
    if (it != DropTargetRegistry().Targets.end()) {
      if (window)
        *window = w;
      if (home)
        *home = it->second.Home;
      it->second.Target->AddRef();
      return it->second.Target;
    }
  }
  return nullptr;
}

void SetDragDropBridge(TDragDropBridge* bridge)
{
  std::lock_guard<std::mutex> lock(DropTargetRegistry().Lock);
  DropTargetRegistry().Bridge = bridge;
}

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect)
{
  if (!data || !source || !effect)
    return E_INVALIDARG;
  *effect = DROPEFFECT_NONE;
  if (!IsOleInitialized())
    return CO_E_NOTINITIALIZED;
  InterfacePtr<IDataObject> keepData(data);
  InterfacePtr<IDropSource> keepSource(source);
  return TDragLoop(data, source, allowedEffects).Run(effect);
}

HCURSOR DefaultDragCursor(DWORD effect)
{
  effect &= ~DROPEFFECT_SCROLL;
  LPCSTR id = effect & DROPEFFECT_MOVE   ? IDC_DRAGMOVE
              : effect & DROPEFFECT_COPY ? IDC_DRAGCOPY
              : effect & DROPEFFECT_LINK ? IDC_DRAGLINK
                                         : IDC_NO;
  return LoadCursor(nullptr, id);
}

void ole_detail::ReleaseStaleDropTargets() { ReleaseAll(TakeStale()); }

DWORD ChooseDropEffect(DWORD answered, DWORD allowed, DWORD keys)
{
  DWORD scroll = answered & DROPEFFECT_SCROLL;
  DWORD e = answered & allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  if (e == 0 || e == DROPEFFECT_COPY || e == DROPEFFECT_MOVE || e == DROPEFFECT_LINK)
    return e | scroll;
  bool ctrl = keys & MK_CONTROL, shift = keys & MK_SHIFT;
  DWORD wanted = ctrl && shift ? DROPEFFECT_LINK : ctrl ? DROPEFFECT_COPY : shift ? DROPEFFECT_MOVE : 0;
  if (wanted & e)
    return wanted | scroll;
  for (DWORD one : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK})
    if (e & one)
      return one | scroll;
  return scroll;
}
