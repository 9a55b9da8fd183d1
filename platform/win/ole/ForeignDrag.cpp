// Drags of other programs over our windows: the display back end relays the
// pointer from its own thread; the targets are called in the thread that
// registered them, through that thread's message-only window.
#include <functional>
#include <mutex>

#include "platform/win/ole/DragDropBridge.h"
#include "platform/win/ole/detail/DropEffects.h"
#include "platform/win/ole/detail/OleThread.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Messages.h"

namespace {

// A call for the home thread; lParam is a heap-held std::function it runs and frees.
constexpr UINT WM_FOREIGNDROPCALL = WM_USER + 0x0D0;

using TCall = std::function<void()>;

LRESULT HomeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_FOREIGNDROPCALL) {
    std::unique_ptr<TCall> call(reinterpret_cast<TCall*>(lParam));
    (*call)();
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

bool CallAtHome(HWND home, TCall call)
{
  if (!home)
    return false;
  auto* held = new TCall(std::move(call));
  if (PostMessage(home, WM_FOREIGNDROPCALL, 0, reinterpret_cast<LPARAM>(held)))
    return true;
  delete held;
  return false;
}

}  // namespace

HWND ole_detail::ForeignDropHome() { return ThreadWindow("CorvaneForeignDrop", HomeProc); }

// What one drag knows between the relayed calls. Target, Window and Effect
// are touched only in the home thread; Home also by the relaying thread.
struct TForeignDrag::TState {
  InterfacePtr<IDataObject> Data;
  InterfacePtr<IDropTarget> Target;
  HWND Window = nullptr;
  DWORD Effect = DROPEFFECT_NONE;
  std::mutex Lock;
  HWND Home = nullptr;

  void LeaveTarget()
  {
    if (Target)
      Target->DragLeave();
    Target.Reset();
    Window = nullptr;
    Effect = DROPEFFECT_NONE;
  }

  HWND CurrentHome()
  {
    std::lock_guard<std::mutex> lock(Lock);
    return Home;
  }
};

TForeignDrag::TForeignDrag(IDataObject* data) : FState(std::make_shared<TState>()) { FState->Data = data; }

TForeignDrag::~TForeignDrag() = default;

void TForeignDrag::Over(POINTL point, DWORD allowed, DWORD keys, TAnswer answer)
{
  HWND window = nullptr, home = nullptr;
  InterfacePtr<IDropTarget> target =
      InterfacePtr<IDropTarget>::Adopt(ole_detail::FindDropTargetHome(point, &window, &home));
  std::shared_ptr<TState> state = FState;
  if (!target || !home) {
    // Over no target of ours: the one that had the pointer hears it left.
    if (!CallAtHome(state->CurrentHome(), [state, answer] {
          state->LeaveTarget();
          answer(DROPEFFECT_NONE);
        }))
      answer(DROPEFFECT_NONE);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(state->Lock);
    state->Home = home;
  }
  bool queued = CallAtHome(home, [state, target, window, point, allowed, keys, answer] {
    DWORD effect = allowed;
    if (target != state->Target || window != state->Window) {
      state->LeaveTarget();
      state->Target = target;
      state->Window = window;
      if (FAILED(target->DragEnter(state->Data.Get(), keys, point, &effect)))
        effect = DROPEFFECT_NONE;
    } else if (FAILED(target->DragOver(keys, point, &effect))) {
      effect = DROPEFFECT_NONE;
    }
    state->Effect = ChooseDropEffect(effect, allowed, keys) & ~DROPEFFECT_SCROLL;
    answer(state->Effect);
  });
  if (!queued)
    answer(DROPEFFECT_NONE);
}

void TForeignDrag::Leave()
{
  std::shared_ptr<TState> state = FState;
  CallAtHome(state->CurrentHome(), [state] { state->LeaveTarget(); });
}

void TForeignDrag::Drop(POINTL point, DWORD allowed, DWORD keys, TAnswer done)
{
  std::shared_ptr<TState> state = FState;
  bool queued = CallAtHome(state->CurrentHome(), [state, point, allowed, keys, done] {
    if (!state->Target || state->Effect == DROPEFFECT_NONE) {
      state->LeaveTarget();
      done(DROPEFFECT_NONE);
      return;
    }
    InterfacePtr<IDropTarget> target = state->Target;
    state->Target.Reset();
    state->Window = nullptr;
    DWORD effect = allowed;
    HRESULT hr = target->Drop(state->Data.Get(), keys, point, &effect);
    done(SUCCEEDED(hr) ? ChooseDropEffect(effect, allowed, keys) & ~DROPEFFECT_SCROLL : DROPEFFECT_NONE);
  });
  if (!queued)
    done(DROPEFFECT_NONE);
}
