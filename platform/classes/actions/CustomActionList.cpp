#include "platform/classes/actions/CustomActionList.h"

#include <algorithm>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/actions/ShortCutList.h"
#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/menus/ShortCuts.h"

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner), FImageChangeLink(new TChangeLink)
{
  FImageChangeLink->OnChange = TNotifyEvent(this, &TCustomActionList::ImageListChange);
}

TCustomActionList::~TCustomActionList()
{
  Destroying();
  delete FImageChangeLink;
  while (!FActions.empty())
    delete FActions.back();
}

void TCustomActionList::AddAction(TContainedAction* Action)
{
  if (!Action || Action->FActionList == this)
    return;
  if (Action->FActionList)
    Action->FActionList->RemoveAction(Action);
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action)
{
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  if (it == FActions.end())
    return;
  FActions.erase(it);
  Action->FActionList = nullptr;
}

TContainedAction* TCustomActionList::Actions(int Index) const
{
  if (Index < 0 || Index >= ActionCount())
    throw EListError(Format(SListIndexError, Index));
  return FActions[std::size_t(Index)];
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const
{
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  return it == FActions.end() ? -1 : int(it - FActions.begin());
}

void TCustomActionList::MoveAction(TContainedAction* Action, int NewIndex)
{
  int current = IndexOfAction(Action);
  if (current < 0 || NewIndex == current)
    return;
  NewIndex = std::clamp(NewIndex, 0, ActionCount() - 1);
  FActions.erase(FActions.begin() + current);
  FActions.insert(FActions.begin() + NewIndex, Action);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action)
{
  bool handled = false;
  if (OnExecute)
    OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action)
{
  bool handled = false;
  if (OnUpdate)
    OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TWMKey& Message)
{
  if (FState != asNormal)
    return false;
  TShortCut shortCut = ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
  if (shortCut == scNone)
    return false;
  for (TContainedAction* action : std::vector<TContainedAction*>(FActions)) {
    auto* custom = dynamic_cast<TCustomAction*>(action);
    if (!custom)
      continue;
    if (custom->ShortCut() == shortCut ||
        (custom->HasSecondaryShortCuts() && custom->SecondaryShortCuts()->IndexOfShortCut(shortCut) >= 0))
      return custom->HandleShortCut();
  }
  return false;
}

void TCustomActionList::SetImages(TCustomImageList* Value)
{
  if (SetLinkedImages(this, FImages, Value, FImageChangeLink))
    Change();
}

void TCustomActionList::SetState(TActionListState Value)
{
  if (Value == FState)
    return;
  TActionListState old = FState;
  FState = Value;
  if (Value != asSuspended)
    for (TContainedAction* action : FActions) {
      auto* custom = dynamic_cast<TCustomAction*>(action);
      if (!custom)
        continue;
      if (Value == asSuspendedEnabled) {
        // Every action enabled while suspended; each gets its own state back after.
        bool saved = custom->FEnabled;
        FState = asNormal;
        custom->SetEnabled(true);
        FState = Value;
        custom->FSavedEnabledState = saved;
      } else if (old == asSuspendedEnabled) {
        custom->SetEnabled(custom->FSavedEnabledState);
      }
    }
  if (OnStateChange)
    OnStateChange(this);
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root)
{
  for (TContainedAction* action : FActions)
    if (action->Owner() == Root)
      Proc(action);
}

void TCustomActionList::SetChildOrder(TComponent* Child, int Order)
{
  for (TContainedAction* action : FActions)
    if (action == Child) {
      MoveAction(action, Order);
      return;
    }
}

void TCustomActionList::Change()
{
  if (OnChange)
    OnChange(this);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FImages)
    SetImages(nullptr);
  else
    for (TContainedAction* action : FActions)
      if (action == AComponent) {
        RemoveAction(action);
        break;
      }
}

void TCustomActionList::ImageListChange(TObject*)
{
  Change();
}

bool DispatchActionShortCut(TComponent* Owner, TWMKey& Message)
{
  if (!Owner)
    return false;
  for (int i = 0; i < Owner->ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Owner->Components(i)))
      if (list->IsShortCut(Message))
        return true;
  return false;
}
