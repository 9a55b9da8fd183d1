#include "platform/classes/actions/BasicAction.h"

#include <algorithm>

#include "platform/classes/actions/ActionHooks.h"
#include "platform/classes/actions/BasicActionLink.h"

TActionHooks& ApplicationActionHooks()
{
  static TActionHooks hooks;
  return hooks;
}

TBasicAction::~TBasicAction()
{
  Destroying();
  if (FActionComponent)
    FActionComponent->RemoveFreeNotification(this);
  while (!FClients.empty())
    UnRegisterChanges(FClients.back());
}

bool TBasicAction::Execute()
{
  if (!OnExecute)
    return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update()
{
  if (!OnUpdate)
    return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value)
{
  Value->FAction = this;
  FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value)
{
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it != FClients.end()) {
    FClients.erase(it);
    Value->FAction = nullptr;
  }
}

void TBasicAction::SetActionComponent(TComponent* Value)
{
  if (FActionComponent == Value)
    return;
  if (FActionComponent)
    FActionComponent->RemoveFreeNotification(this);
  FActionComponent = Value;
  if (FActionComponent)
    FActionComponent->FreeNotification(this);
}

void TBasicAction::SetOnExecute(TNotifyEvent Value)
{
  if (Value == OnExecute)
    return;
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients))
    link->SetOnExecute(Value);
  OnExecute = Value;
  Change();
}

void TBasicAction::Change()
{
  if (OnChange)
    OnChange(this);
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActionComponent)
    FActionComponent = nullptr;
}
