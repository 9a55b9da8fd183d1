#include "platform/classes/actions/CustomAction.h"

#include "platform/base/ScopeGuard.h"
#include "platform/classes/actions/ActionLink.h"
#include "platform/classes/actions/CustomActionList.h"
#include "platform/classes/actions/ShortCutList.h"

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

TCustomAction::~TCustomAction()
{
  delete FSecondaryShortCuts;
}

template <class F>
void TCustomAction::ForEachLink(F f)
{
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients))
    if (auto* actionLink = dynamic_cast<TActionLink*>(link))
      f(actionLink);
}

bool TCustomAction::Execute()
{
  if (Suspended())
    return false;
  Update();
  if (FEnabled && FAutoCheck && (!FChecked || FGroupIndex == 0))
    SetChecked(!FChecked);
  return FEnabled && TContainedAction::Execute();
}

bool TCustomAction::DoHint(std::string& HintStr)
{
  bool result = true;
  if (OnHint)
    OnHint(HintStr, result);
  return result;
}

void TCustomAction::SetCaption(const std::string& Value)
{
  if (Value == FCaption)
    return;
  ForEachLink([&](TActionLink* l) { l->SetCaption(Value); });
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value)
{
  if (FChecking || Value == FChecked)
    return;
  FChecking = true;
  ScopeExit checking([&] { FChecking = false; });
  ForEachLink([&](TActionLink* l) { l->SetChecked(Value); });
  FChecked = Value;
  if (FGroupIndex > 0 && FChecked && ActionList())
    for (int i = 0; i < ActionList()->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex)
        other->SetChecked(false);
    }
  Change();
}

void TCustomAction::SetEnabled(bool Value)
{
  if (Value == FEnabled)
    return;
  // While the list is suspended with its actions enabled, the change waits.
  if (ActionList() && ActionList()->State() == asSuspendedEnabled) {
    FSavedEnabledState = Value;
    return;
  }
  ForEachLink([&](TActionLink* l) { l->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TCustomAction::SetHelpContext(int Value)
{
  if (Value == FHelpContext)
    return;
  ForEachLink([&](TActionLink* l) { l->SetHelpContext(Value); });
  FHelpContext = Value;
  Change();
}

void TCustomAction::SetHint(const std::string& Value)
{
  if (Value == FHint)
    return;
  ForEachLink([&](TActionLink* l) { l->SetHint(Value); });
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value)
{
  if (Value == FImageIndex)
    return;
  ForEachLink([&](TActionLink* l) { l->SetImageIndex(Value); });
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value)
{
  if (Value == FShortCut)
    return;
  ForEachLink([&](TActionLink* l) { l->SetShortCut(Value); });
  FShortCut = Value;
  Change();
}

TShortCutList* TCustomAction::SecondaryShortCuts()
{
  if (!FSecondaryShortCuts)
    FSecondaryShortCuts = new TShortCutList;
  return FSecondaryShortCuts;
}

void TCustomAction::SetVisible(bool Value)
{
  if (Value == FVisible)
    return;
  ForEachLink([&](TActionLink* l) { l->SetVisible(Value); });
  FVisible = Value;
  Change();
}

void TCustomAction::SetAutoCheck(bool Value)
{
  if (Value == FAutoCheck)
    return;
  ForEachLink([&](TActionLink* l) { l->SetAutoCheck(Value); });
  FAutoCheck = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value)
{
  if (Value == FGroupIndex)
    return;
  FGroupIndex = Value;
  ForEachLink([&](TActionLink* l) { l->SetGroupIndex(Value); });
  Change();
}

TCustomImageList* TCustomAction::Images() const
{
  return ActionList() ? ActionList()->Images() : nullptr;
}
