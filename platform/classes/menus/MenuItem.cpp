#include "platform/classes/menus/MenuItem.h"

#include <algorithm>
#include <bitset>
#include <mutex>

#include "platform/classes/ClassesConsts.h"
#include "platform/classes/actions/ActionClient.h"
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/menus/Hotkeys.h"
#include "platform/classes/menus/Menu.h"
#include "platform/classes/menus/MenuActionLink.h"

namespace {

// Commands 1 to 0x7FFF, the lowest free one first.
struct TCommandPool {
  std::mutex Lock;
  std::bitset<0x8000> Used;
};

TCommandPool& Commands()
{
  static TCommandPool pool;
  return pool;
}

WORD UniqueCommand()
{
  auto& pool = Commands();
  std::lock_guard lock(pool.Lock);
  for (std::size_t i = 1; i < pool.Used.size(); ++i)
    if (!pool.Used[i]) {
      pool.Used[i] = true;
      return WORD(i);
    }
  return 0;  // every command taken: the item cannot be chosen by command
}

void ReleaseCommand(WORD command)
{
  auto& pool = Commands();
  std::lock_guard lock(pool.Lock);
  if (command)
    pool.Used[command] = false;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(UniqueCommand()) {}

TMenuItem::~TMenuItem()
{
  Destroying();
  if (FParent) {
    FParent->Remove(this);
    FParent = nullptr;
  }
  while (!FItems.empty())
    delete FItems.back();
  ReleaseCommand(FCommand);
}

TMenuItem* TMenuItem::Items(int Index) const
{
  if (Index < 0 || Index >= Count())
    throw EMenuError(SMenuIndexError);
  return FItems[std::size_t(Index)];
}

void TMenuItem::Add(TMenuItem* Item)
{
  Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
  if (!Item)
    return;
  if (Item->FParent)
    throw EMenuError(SMenuReinserted);
  if (Index < 0 || Index > Count())
    throw EMenuError(SMenuIndexError);
  // An item cannot hold itself or one of its ancestors.
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == Item)
      throw EMenuError(SMenuReinserted);
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  MenuChanged(true);
}

void TMenuItem::Delete(int Index)
{
  TMenuItem* item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
  MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item)
{
  int index = IndexOf(Item);
  if (index < 0)
    throw EMenuError(SMenuNotFound);
  Delete(index);
}

void TMenuItem::Clear()
{
  while (!FItems.empty())
    delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const
{
  for (TMenuItem* item : FItems)
    if (AnsiSameCaption(item->FCaption, ACaption))
      return item;
  return nullptr;
}

int TMenuItem::MenuIndex() const
{
  return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value)
{
  if (!FParent)
    return;
  TMenuItem* parent = FParent;
  int current = parent->IndexOf(this);
  Value = std::clamp(Value, 0, parent->Count() - 1);
  if (Value == current)
    return;
  parent->FItems.erase(parent->FItems.begin() + current);
  parent->FItems.insert(parent->FItems.begin() + Value, this);
  MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const
{
  const TMenuItem* item = this;
  while (item->FParent)
    item = item->FParent;
  return item->FMenu;
}

void TMenuItem::MenuChanged(bool Rebuild)
{
  if (TMenu* menu = GetParentMenu())
    menu->MenuChanged(menu, FParent ? this : nullptr, Rebuild);
}

void TMenuItem::Click()
{
  if (!FEnabled)
    return;
  if (FAutoCheck && !(FActionLink && FActionLink->IsAutoCheckLinked()))
    SetChecked(!FChecked);
  // Its own handler when it differs from the action's, else the action.
  TBasicAction* action = Action();
  if (OnClick && action && !(OnClick == action->OnExecute))
    OnClick(this);
  else if (!ComponentState().Contains(csDesigning) && FActionLink)
    FActionLink->Execute(this);
  else if (OnClick)
    OnClick(this);
}

void TMenuItem::InitiateAction()
{
  if (FActionLink)
    FActionLink->Update();
}

void TMenuItem::SetCaption(const std::string& Value)
{
  if (Value != FCaption) {
    FCaption = Value;
    MenuChanged(true);
  }
}

void TMenuItem::TurnSiblingsOff()
{
  if (!FParent)
    return;
  for (TMenuItem* item : FParent->FItems)
    if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex)
      item->SetChecked(false);
}

void TMenuItem::SetChecked(bool Value)
{
  if (Value == FChecked)
    return;
  FChecked = Value;
  if (Value && FRadioItem)
    TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetEnabled(bool Value)
{
  if (Value != FEnabled) {
    FEnabled = Value;
    MenuChanged(false);
  }
}

void TMenuItem::SetVisible(bool Value)
{
  if (Value != FVisible) {
    FVisible = Value;
    MenuChanged(true);
  }
}

void TMenuItem::SetDefault(bool Value)
{
  if (Value == FDefault)
    return;
  if (Value && FParent)
    for (TMenuItem* item : FParent->FItems)
      if (item != this)
        item->FDefault = false;
  FDefault = Value;
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value)
{
  if (Value == FRadioItem)
    return;
  FRadioItem = Value;
  if (FChecked && FRadioItem)
    TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int Value)
{
  if (Value == FGroupIndex)
    return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem)
    TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetAutoCheck(bool Value)
{
  FAutoCheck = Value;
}

void TMenuItem::SetShortCut(TShortCut Value)
{
  if (Value != FShortCut) {
    FShortCut = Value;
    MenuChanged(true);
  }
}

void TMenuItem::SetImageIndex(int Value)
{
  if (Value != FImageIndex) {
    FImageIndex = Value;
    MenuChanged(true);
  }
}

void TMenuItem::SetHint(const std::string& Value)
{
  FHint = Value;
}

void TMenuItem::SetBreak(TMenuBreak Value)
{
  if (Value != FBreak) {
    FBreak = Value;
    MenuChanged(true);
  }
}

TBasicAction* TMenuItem::Action() const
{
  return FActionLink ? FActionLink->Action() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* Value)
{
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink)
    FActionLink = std::make_unique<TMenuActionLink>(this);
  if (FActionLink->Action() == Value)
    return;
  FActionLink->SetAction(Value);
  FActionLink->OnChange = TNotifyEvent(this, &TMenuItem::DoActionChange);
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TMenuItem::DoActionChange(TObject* Sender)
{
  if (FActionLink && Sender == FActionLink->Action())
    ActionChange(Sender, false);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
  auto* action = dynamic_cast<TCustomAction*>(static_cast<TBasicAction*>(Sender));
  if (!action)
    return;
  TakeActionProperties(*this, *action, CheckDefaults);
  if (!CheckDefaults || FGroupIndex == 0)
    SetGroupIndex(action->GroupIndex());
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == Action())
    SetAction(nullptr);
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent* Root)
{
  for (TMenuItem* item : FItems)
    if (item->Owner() == Root)
      Proc(item);
}

void TMenuItem::SetChildOrder(TComponent* Child, int Order)
{
  for (TMenuItem* item : FItems)
    if (item == Child) {
      item->SetMenuIndex(Order);
      return;
    }
}

TComponent* TMenuItem::GetParentComponent() const
{
  if (FParent && FParent->FMenu)
    return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* AParent)
{
  if (FParent)
    FParent->Remove(this);
  if (auto* item = dynamic_cast<TMenuItem*>(AParent))
    item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(AParent))
    menu->Items()->Add(this);
}
