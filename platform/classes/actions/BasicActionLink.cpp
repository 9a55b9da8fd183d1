#include "platform/classes/actions/BasicActionLink.h"

#include "platform/classes/actions/BasicAction.h"

TBasicActionLink::~TBasicActionLink()
{
  if (FDestroyed)
    *FDestroyed = true;
  if (FAction)
    FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
  if (Value == FAction)
    return;
  if (FAction)
    FAction->UnRegisterChanges(this);
  if (Value)
    Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent)
{
  if (!FAction)
    return false;
  TBasicAction* action = FAction;
  action->SetActionComponent(AComponent);
  bool destroyed = false;
  bool* outer = FDestroyed;
  FDestroyed = &destroyed;
  bool result = false;
  try {
    result = action->Execute();
  } catch (...) {
    if (!destroyed) {
      FDestroyed = outer;
      if (FAction)
        FAction->SetActionComponent(nullptr);
    }
    throw;
  }
  // The handler may have freed the client with this link, or the action.
  if (!destroyed) {
    FDestroyed = outer;
    if (FAction)
      FAction->SetActionComponent(nullptr);
  } else if (outer) {
    *outer = true;
  }
  return result;
}

bool TBasicActionLink::Update()
{
  return FAction && FAction->Update();
}

void TBasicActionLink::Change()
{
  if (OnChange)
    OnChange(FAction);
}
