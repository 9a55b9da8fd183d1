#include "controls/toolbar/TBDeferredActions.h"

#include <vector>

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"

namespace {

enum class TSlotKind { Free, Item, Viewer, Destroyed };

struct TSlot {
  TSlotKind Kind = TSlotKind::Free;
  void* Object = nullptr;
};

class TDeferredActions : public TObject {
public:
  void WndProc(TMessage& Message);
  HWND Window = nullptr;
  std::vector<TSlot> Slots;
  int Users = 0;
};

thread_local TDeferredActions* State = nullptr;

void RunSlot(const TSlot& Slot, WPARAM Param)
{
  try {
    if (Slot.Kind == TSlotKind::Item)
      static_cast<TTBCustomItem*>(Slot.Object)->Click();
    else if (Slot.Kind == TSlotKind::Viewer)
      static_cast<TTBItemViewer*>(Slot.Object)->HandleAccDefaultAction(int(Param));
  } catch (...) {
    Application()->HandleException(nullptr);
  }
}

void TDeferredActions::WndProc(TMessage& Message)
{
  if (Message.Msg != TBM_DEFERREDACTION) {
    Message.Result = DefWindowProc(Window, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  LPARAM index = Message.LParam;
  if (index < 0 || index >= LPARAM(Slots.size()))
    return;
  TSlot slot = Slots[size_t(index)];
  Slots[size_t(index)] = TSlot();
  while (!Slots.empty() && Slots.back().Kind == TSlotKind::Free)
    Slots.pop_back();
  RunSlot(slot, Message.WParam);
}

void Post(TSlotKind Kind, void* Object, WPARAM Param)
{
  if (!State)
    State = new TDeferredActions;
  if (!State->Window)
    State->Window = AllocateHWnd(TWndMethod(State, &TDeferredActions::WndProc));
  size_t index = 0;
  while (index < State->Slots.size() && State->Slots[index].Kind != TSlotKind::Free)
    ++index;
  if (index == State->Slots.size())
    State->Slots.push_back(TSlot());
  State->Slots[index] = TSlot{Kind, Object};
  // A slot whose message could not be posted would stay taken for ever.
  if (!PostMessage(State->Window, TBM_DEFERREDACTION, Param, LPARAM(index))) {
    State->Slots[index] = TSlot();
    while (!State->Slots.empty() && State->Slots.back().Kind == TSlotKind::Free)
      State->Slots.pop_back();
    // A window destroyed from outside would refuse every later click too:
    // the next one makes a new window.
    if (!IsWindow(State->Window))
      State->Window = nullptr;
  }
}

}  // namespace

void AddDeferredActionUser()
{
  if (!State)
    State = new TDeferredActions;
  ++State->Users;
}

void RemoveDeferredActionUser(void* Object)
{
  if (!State)
    return;
  for (TSlot& slot : State->Slots)
    if (slot.Object == Object && slot.Kind != TSlotKind::Free)
      slot = TSlot{TSlotKind::Destroyed, nullptr};
  if (--State->Users <= 0) {
    if (State->Window)
      DeallocateHWnd(State->Window);
    delete State;
    State = nullptr;
  }
}

void PostDeferredClick(TTBCustomItem* Item) { Post(TSlotKind::Item, Item, 0); }

void PostDeferredViewerAction(TTBItemViewer* Viewer, int Param) { Post(TSlotKind::Viewer, Viewer, WPARAM(Param)); }

int PendingDeferredActionCount()
{
  if (!State)
    return 0;
  int n = 0;
  for (const TSlot& slot : State->Slots)
    n += slot.Kind != TSlotKind::Free;
  return n;
}
