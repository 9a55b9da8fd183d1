#include "platform/classes/actions/ContainedAction.h"

#include "platform/classes/actions/ActionHooks.h"
#include "platform/classes/actions/CustomActionList.h"

TContainedAction::~TContainedAction()
{
  Destroying();
  if (FActionList)
    FActionList->RemoveAction(this);
}

bool TContainedAction::Suspended() const
{
  return FActionList && FActionList->State() != asNormal;
}

bool TContainedAction::Execute()
{
  if (FActionList && FActionList->ExecuteAction(this))
    return true;
  auto& hooks = ApplicationActionHooks();
  if (hooks.ExecuteAction && hooks.ExecuteAction(this))
    return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update()
{
  if (FActionList && FActionList->UpdateAction(this))
    return true;
  auto& hooks = ApplicationActionHooks();
  if (hooks.UpdateAction && hooks.UpdateAction(this))
    return true;
  return TBasicAction::Update();
}

void TContainedAction::SetActionList(TCustomActionList* Value)
{
  if (Value == FActionList)
    return;
  if (FActionList)
    FActionList->RemoveAction(this);
  if (Value)
    Value->AddAction(this);
}

void TContainedAction::SetCategory(const std::string& Value)
{
  if (Value != FCategory) {
    FCategory = Value;
    Change();
  }
}

int TContainedAction::Index() const
{
  return FActionList ? FActionList->IndexOfAction(this) : -1;
}

void TContainedAction::SetIndex(int Value)
{
  if (FActionList)
    FActionList->MoveAction(this, Value);
}

TComponent* TContainedAction::GetParentComponent() const
{
  return FActionList;
}

void TContainedAction::SetParentComponent(TComponent* AParent)
{
  if (auto* list = dynamic_cast<TCustomActionList*>(AParent))
    SetActionList(list);
}
