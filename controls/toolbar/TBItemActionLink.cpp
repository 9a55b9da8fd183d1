#include "controls/toolbar/TBItemActionLink.h"

#include "controls/toolbar/TBCustomItem.h"
#include "platform/classes/actions/CustomAction.h"

bool TTBCustomItemActionLink::IsAutoCheckLinked() const
{
  auto* action = CustomAction();
  return action && action->AutoCheck() == FClient->AutoCheck();
}

bool TTBCustomItemActionLink::IsCaptionLinked() const
{
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TTBCustomItemActionLink::IsCheckedLinked() const
{
  return TActionLink::IsCheckedLinked() && FClient->Checked() == CustomAction()->Checked();
}

bool TTBCustomItemActionLink::IsEnabledLinked() const
{
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TTBCustomItemActionLink::IsHelpContextLinked() const
{
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == CustomAction()->HelpContext();
}

bool TTBCustomItemActionLink::IsHintLinked() const
{
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TTBCustomItemActionLink::IsImageIndexLinked() const
{
  return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == CustomAction()->ImageIndex();
}

bool TTBCustomItemActionLink::IsShortCutLinked() const
{
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == CustomAction()->ShortCut();
}

bool TTBCustomItemActionLink::IsVisibleLinked() const
{
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

bool TTBCustomItemActionLink::IsOnExecuteLinked()
{
  return TActionLink::IsOnExecuteLinked() && FAction && FClient->OnClick == FAction->OnExecute;
}

void TTBCustomItemActionLink::SetAutoCheck(bool Value)
{
  if (IsAutoCheckLinked())
    FClient->FAutoCheck = Value;
}

void TTBCustomItemActionLink::SetCaption(const std::string& Value)
{
  if (IsCaptionLinked())
    FClient->SetCaption(Value);
}

void TTBCustomItemActionLink::SetChecked(bool Value)
{
  if (IsCheckedLinked())
    FClient->SetChecked(Value);
}

void TTBCustomItemActionLink::SetEnabled(bool Value)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(Value);
}

void TTBCustomItemActionLink::SetHelpContext(int Value)
{
  if (IsHelpContextLinked())
    FClient->FHelpContext = Value;
}

void TTBCustomItemActionLink::SetHint(const std::string& Value)
{
  if (IsHintLinked())
    FClient->FHint = Value;
}

void TTBCustomItemActionLink::SetImageIndex(int Value)
{
  if (IsImageIndexLinked())
    FClient->SetImageIndex(Value);
}

void TTBCustomItemActionLink::SetShortCut(TShortCut Value)
{
  if (IsShortCutLinked())
    FClient->FShortCut = Value;
}

void TTBCustomItemActionLink::SetVisible(bool Value)
{
  if (IsVisibleLinked())
    FClient->SetVisible(Value);
}

void TTBCustomItemActionLink::SetOnExecute(TNotifyEvent Value)
{
  if (IsOnExecuteLinked())
    FClient->OnClick = Value;
}
