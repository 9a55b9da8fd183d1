#include "controls/utility/placement/UtWndProcHook.h"

#include <algorithm>

#include "controls/utility/UtUtilityWindow.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"

namespace {

struct THookItem {
  TUtHookProc Proc;
  THookItem* Next = nullptr;
};

}  // namespace

// One control's hooks and the dispatcher that stands in for its WindowProc.
class TUtHookInfos {
public:
  TUtHookInfos(TControl* Control, TUtWndProcHook* Registry) : FControl(Control), FRegistry(Registry) {}
  ~TUtHookInfos()
  {
    if (!FReleasing)
      Unhook();
    for (THookItem* list : FFirst)
      while (list) {
        THookItem* next = list->Next;
        delete list;
        list = next;
      }
  }
  TControl* Control() const { return FControl; }
  bool Empty() const { return !FFirst[0] && !FFirst[1]; }

  void Add(TUtHookProc Proc, int Order)
  {
    auto* item = new THookItem{Proc};
    if (!FFirst[Order])
      FFirst[Order] = item;
    else
      FLast[Order]->Next = item;
    FLast[Order] = item;
    // A level whose list was exhausted runs the new hook in this dispatch.
    for (auto& level : FStack)
      if (!level[Order] && level.Reached[Order])
        level[Order] = item;
    if (!FHooked && !FReleasing) {
      FSaved = FControl->WindowProc();
      FControl->SetWindowProc(TWndMethod(this, &TUtHookInfos::Dispatch));
      FHooked = true;
    }
  }

  void Remove(TUtHookProc Proc, int Order)
  {
    THookItem* prev = nullptr;
    THookItem* item = FFirst[Order];
    while (item && !(item->Proc == Proc)) {
      prev = item;
      item = item->Next;
    }
    if (!item)
      return;
    (prev ? prev->Next : FFirst[Order]) = item->Next;
    if (FLast[Order] == item)
      FLast[Order] = prev;
    for (auto& level : FStack)
      if (level[Order] == item)
        level[Order] = item->Next;
    delete item;
    if (Empty())
      Unhook();
  }

  void Release()
  {
    FReleasing = true;
    FSaved = nullptr;
  }

private:
  struct TLevel {
    THookItem* Cursor[2] = {nullptr, nullptr};
    bool Reached[2] = {false, false};
    THookItem*& operator[](int i) { return Cursor[i]; }
  };

  void Unhook()
  {
    if (FHooked && !FReleasing && FSaved)
      FControl->SetWindowProc(FSaved);
    FHooked = false;
  }

  // Runs one list from the level's cursor; true when a hook handled the
  // message or the control is going.
  bool RunList(std::size_t depth, int order, TMessage& Message)
  {
    FStack[depth].Reached[order] = true;
    FStack[depth][order] = FFirst[order];
    while (THookItem* item = FStack[depth][order]) {
      FStack[depth][order] = item->Next;
      TUtHookProc proc = item->Proc;
      if (proc(Message) || FReleasing)
        return true;
    }
    return false;
  }

  void Dispatch(TMessage& Message)
  {
    Message.Result = 0;
    FStack.push_back({});
    std::size_t depth = FStack.size() - 1;
    ScopeExit pop([&] { FStack.pop_back(); });
    if (RunList(depth, 0, Message))
      return;
    if (FSaved)
      FSaved(Message);
    if (!FReleasing)
      RunList(depth, 1, Message);
  }

  TControl* FControl;
  TUtWndProcHook* FRegistry;
  THookItem* FFirst[2] = {nullptr, nullptr};
  THookItem* FLast[2] = {nullptr, nullptr};
  std::vector<TLevel> FStack;
  bool FReleasing = false;
  TWndMethod FSaved;
  bool FHooked = false;
};

namespace {

// Frees released records from the message queue, once their dispatch is over.
class TUtReleaser : public TObject {
public:
  ~TUtReleaser() override
  {
    for (TUtHookInfos* infos : FWaiting)
      delete infos;
    if (FWindow)
      DeallocateUtilityWindow(FWindow);
  }
  void Release(TUtHookInfos* Infos)
  {
    if (!FWindow)
      FWindow = AllocateUtilityWindow(TUtWndMethod(this, &TUtReleaser::WndProc));
    if (std::find(FWaiting.begin(), FWaiting.end(), Infos) == FWaiting.end())
      FWaiting.push_back(Infos);
    PostMessage(FWindow, CM_RELEASE, WPARAM(Infos), 0);
  }
  int Pending() const { return int(FWaiting.size()); }

private:
  void WndProc(TMessage& Message)
  {
    if (Message.Msg != CM_RELEASE) {
      Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    try {
      auto* infos = reinterpret_cast<TUtHookInfos*>(Message.WParam);
      auto it = std::find(FWaiting.begin(), FWaiting.end(), infos);
      if (it != FWaiting.end()) {
        FWaiting.erase(it);
        delete infos;
      }
    } catch (...) {
      if (Application())
        Application()->HandleException(this);
    }
  }

  std::vector<TUtHookInfos*> FWaiting;
  HWND FWindow = nullptr;
};

TUtReleaser& Releaser()
{
  static TUtReleaser releaser;
  return releaser;
}

bool ValidHook(const TUtHookProc& Hook)
{
  return Hook.Assigned();
}

}  // namespace

TUtWndProcHook& WndProcHook()
{
  static TUtWndProcHook registry;
  return registry;
}

TUtWndProcHook::~TUtWndProcHook()
{
  for (TUtHookInfos* infos : FInfos)
    delete infos;
}

int TUtWndProcHook::PendingReleases()
{
  return Releaser().Pending();
}

TUtHookInfos* TUtWndProcHook::Find(TControl* Control)
{
  for (TUtHookInfos* infos : FInfos)
    if (infos->Control() == Control)
      return infos;
  return nullptr;
}

bool TUtWndProcHook::RegisterWndProc(TControl* Control, TUtHookProc Hook, TUtHookOrder Order)
{
  if (!Control || Control->ComponentState().Contains(csDestroying) || !ValidHook(Hook))
    return false;
  TUtHookInfos* infos = Find(Control);
  if (!infos) {
    infos = new TUtHookInfos(Control, this);
    FInfos.push_back(infos);
    Control->FreeNotification(this);
  }
  infos->Add(Hook, int(Order));
  return true;
}

bool TUtWndProcHook::UnRegisterWndProc(TControl* Control, TUtHookProc Hook, TUtHookOrder Order)
{
  if (!Control || !ValidHook(Hook) || FInfos.empty())
    return false;
  TUtHookInfos* infos = Find(Control);
  if (!infos)
    return false;
  infos->Remove(Hook, int(Order));
  return true;
}

void TUtWndProcHook::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  for (auto it = FInfos.begin(); it != FInfos.end(); ++it)
    if (static_cast<TComponent*>((*it)->Control()) == AComponent) {
      TUtHookInfos* infos = *it;
      FInfos.erase(it);
      infos->Release();
      Releaser().Release(infos);
      return;
    }
}

bool RegisterWndProcHook(TControl* Control, TUtHookProc Hook, TUtHookOrder Order)
{
  return WndProcHook().RegisterWndProc(Control, Hook, Order);
}

bool UnRegisterWndProcHook(TControl* Control, TUtHookProc Hook, TUtHookOrder Order)
{
  return WndProcHook().UnRegisterWndProc(Control, Hook, Order);
}

// The component

TUtWindowHook::TUtWindowHook(TComponent* AOwner) : TUtComponent(AOwner) {}

TUtWindowHook::~TUtWindowHook()
{
  SetActive(false);
  SetControl(nullptr);
}

void TUtWindowHook::Register(bool On)
{
  if (!FControl)
    return;
  auto call = On ? &RegisterWndProcHook : &UnRegisterWndProcHook;
  if (FAfterMessage)
    call(FControl, TUtHookProc(this, &TUtWindowHook::AfterHook), hoAfterMsg);
  if (FBeforeMessage)
    call(FControl, TUtHookProc(this, &TUtWindowHook::BeforeHook), hoBeforeMsg);
}

void TUtWindowHook::SetActive(bool Value)
{
  if (FActive == Value)
    return;
  if (!Designing())
    Register(Value);
  FActive = Value;
}

void TUtWindowHook::SetBeforeMessage(TUtHookMessageEvent Value)
{
  if (FActive && !Designing() && FControl && bool(FBeforeMessage) != bool(Value)) {
    if (Value)
      RegisterWndProcHook(FControl, TUtHookProc(this, &TUtWindowHook::BeforeHook), hoBeforeMsg);
    else
      UnRegisterWndProcHook(FControl, TUtHookProc(this, &TUtWindowHook::BeforeHook), hoBeforeMsg);
  }
  FBeforeMessage = Value;
}

void TUtWindowHook::SetAfterMessage(TUtHookMessageEvent Value)
{
  if (FActive && !Designing() && FControl && bool(FAfterMessage) != bool(Value)) {
    if (Value)
      RegisterWndProcHook(FControl, TUtHookProc(this, &TUtWindowHook::AfterHook), hoAfterMsg);
    else
      UnRegisterWndProcHook(FControl, TUtHookProc(this, &TUtWindowHook::AfterHook), hoAfterMsg);
  }
  FAfterMessage = Value;
}

void TUtWindowHook::SetControl(TControl* Value)
{
  if (FControl == Value)
    return;
  bool active = FActive;
  SetActive(false);
  if (FControl)
    FControl->RemoveFreeNotification(this);
  FControl = Value && !Value->ComponentState().Contains(csDestroying) ? Value : nullptr;
  if (FControl)
    FControl->FreeNotification(this);
  SetActive(active);
}

void TUtWindowHook::Notification(TComponent* AComponent, TOperation Operation)
{
  TUtComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FControl &&
      (AComponent == static_cast<TComponent*>(FControl) || (Owner() && AComponent == Owner()))) {
    // The control's record is released by the registry; nothing to unhook.
    FControl = nullptr;
  }
}

bool TUtWindowHook::IsForm() const
{
  return FControl && Owner() && static_cast<TComponent*>(FControl) == Owner() && dynamic_cast<TCustomForm*>(Owner());
}

void TUtWindowHook::DefineProperties(TFiler* Filer)
{
  TUtComponent::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TUtWindowHook*>(Filer->Ancestor());
  bool store = ancestor ? ancestor->IsForm() != IsForm() : IsForm();
  Filer->DefineProperty("IsForm", TReaderProc(this, &TUtWindowHook::ReadIsForm),
                        TWriterProc(this, &TUtWindowHook::WriteIsForm), store);
}

void TUtWindowHook::ReadIsForm(TReader* Reader)
{
  if (Reader->ReadBoolean())
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
      SetControl(form);
}

void TUtWindowHook::WriteIsForm(TWriter* Writer)
{
  Writer->WriteBoolean(IsForm());
}

bool TUtWindowHook::BeforeHook(TMessage& Message)
{
  bool handled = false;
  if (FBeforeMessage)
    FBeforeMessage(this, Message, handled);
  return handled;
}

bool TUtWindowHook::AfterHook(TMessage& Message)
{
  bool handled = false;
  if (FAfterMessage)
    FAfterMessage(this, Message, handled);
  return handled;
}
