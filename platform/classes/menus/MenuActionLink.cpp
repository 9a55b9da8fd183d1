#include "platform/classes/menus/MenuActionLink.h"

#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/menus/Hotkeys.h"
#include "platform/classes/menus/MenuItem.h"

bool TMenuActionLink::IsCaptionLinked() const
{
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TMenuActionLink::IsCheckedLinked() const
{
  return TActionLink::IsCheckedLinked() && FClient->Checked() == CustomAction()->Checked();
}

bool TMenuActionLink::IsEnabledLinked() const
{
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TMenuActionLink::IsHelpContextLinked() const
{
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == CustomAction()->HelpContext();
}

bool TMenuActionLink::IsHintLinked() const
{
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TMenuActionLink::IsGroupIndexLinked() const
{
  return TActionLink::IsGroupIndexLinked() && FClient->GroupIndex() == CustomAction()->GroupIndex();
}

bool TMenuActionLink::IsImageIndexLinked() const
{
  return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == CustomAction()->ImageIndex();
}

bool TMenuActionLink::IsShortCutLinked() const
{
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == CustomAction()->ShortCut();
}

bool TMenuActionLink::IsVisibleLinked() const
{
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

bool TMenuActionLink::IsAutoCheckLinked() const
{
  return TActionLink::IsAutoCheckLinked() && FClient->AutoCheck() == CustomAction()->AutoCheck();
}

bool TMenuActionLink::IsOnExecuteLinked()
{
  return TActionLink::IsOnExecuteLinked() && FAction && FClient->OnClick == FAction->OnExecute;
}

void TMenuActionLink::SetAutoCheck(bool Value)
{
  if (IsAutoCheckLinked())
    FClient->SetAutoCheck(Value);
}

void TMenuActionLink::SetCaption(const std::string& Value)
{
  if (IsCaptionLinked())
    FClient->SetCaption(Value);
}

void TMenuActionLink::SetChecked(bool Value)
{
  if (IsCheckedLinked())
    FClient->SetChecked(Value);
}

void TMenuActionLink::SetEnabled(bool Value)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(Value);
}

void TMenuActionLink::SetGroupIndex(int Value)
{
  if (IsGroupIndexLinked())
    FClient->SetGroupIndex(Value);
}

void TMenuActionLink::SetHelpContext(int Value)
{
  if (IsHelpContextLinked())
    FClient->SetHelpContext(Value);
}

void TMenuActionLink::SetHint(const std::string& Value)
{
  if (IsHintLinked())
    FClient->SetHint(Value);
}

void TMenuActionLink::SetImageIndex(int Value)
{
  if (IsImageIndexLinked())
    FClient->SetImageIndex(Value);
}

void TMenuActionLink::SetShortCut(TShortCut Value)
{
  if (IsShortCutLinked())
    FClient->SetShortCut(Value);
}

void TMenuActionLink::SetVisible(bool Value)
{
  if (IsVisibleLinked())
    FClient->SetVisible(Value);
}

void TMenuActionLink::SetOnExecute(TNotifyEvent Value)
{
  if (IsOnExecuteLinked())
    FClient->OnClick = Value;
}
