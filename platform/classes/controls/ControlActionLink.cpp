#include "platform/classes/controls/ControlActionLink.h"

#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/controls/Control.h"

bool TControlActionLink::IsCaptionLinked() const
{
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const
{
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHelpContextLinked() const
{
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == CustomAction()->HelpContext();
}

bool TControlActionLink::IsHintLinked() const
{
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const
{
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked()
{
  return TActionLink::IsOnExecuteLinked() && FClient->OnClick == FAction->OnExecute;
}

void TControlActionLink::SetCaption(const std::string& Value)
{
  if (IsCaptionLinked())
    FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(Value);
}

void TControlActionLink::SetHelpContext(int Value)
{
  if (IsHelpContextLinked())
    FClient->SetHelpContext(Value);
}

void TControlActionLink::SetHint(const std::string& Value)
{
  if (IsHintLinked())
    FClient->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value)
{
  if (IsVisibleLinked())
    FClient->SetVisible(Value);
}

void TControlActionLink::SetOnExecute(TNotifyEvent Value)
{
  if (IsOnExecuteLinked())
    FClient->OnClick = Value;
}
