// The members of TClientActionLink; included by the one file that
// instantiates the link for a client class.
#pragma once

#include "platform/classes/actions/ClientActionLink.h"
#include "platform/classes/actions/CustomAction.h"

template <class Client>
bool TClientActionLink<Client>::IsAutoCheckLinked() const
{
  return TActionLink::IsAutoCheckLinked() && FClient->AutoCheck() == CustomAction()->AutoCheck();
}

template <class Client>
bool TClientActionLink<Client>::IsCaptionLinked() const
{
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

template <class Client>
bool TClientActionLink<Client>::IsCheckedLinked() const
{
  return TActionLink::IsCheckedLinked() && FClient->Checked() == CustomAction()->Checked();
}

template <class Client>
bool TClientActionLink<Client>::IsEnabledLinked() const
{
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

template <class Client>
bool TClientActionLink<Client>::IsHelpContextLinked() const
{
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == CustomAction()->HelpContext();
}

template <class Client>
bool TClientActionLink<Client>::IsHintLinked() const
{
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}

template <class Client>
bool TClientActionLink<Client>::IsImageIndexLinked() const
{
  return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == CustomAction()->ImageIndex();
}

template <class Client>
bool TClientActionLink<Client>::IsShortCutLinked() const
{
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == CustomAction()->ShortCut();
}

template <class Client>
bool TClientActionLink<Client>::IsVisibleLinked() const
{
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}

template <class Client>
bool TClientActionLink<Client>::IsOnExecuteLinked()
{
  return TActionLink::IsOnExecuteLinked() && FAction && FClient->OnClick == FAction->OnExecute;
}

template <class Client>
void TClientActionLink<Client>::SetAutoCheck(bool Value)
{
  if (IsAutoCheckLinked())
    FClient->SetAutoCheck(Value);
}

template <class Client>
void TClientActionLink<Client>::SetCaption(const std::string& Value)
{
  if (IsCaptionLinked())
    FClient->SetCaption(Value);
}

template <class Client>
void TClientActionLink<Client>::SetChecked(bool Value)
{
  if (IsCheckedLinked())
    FClient->SetChecked(Value);
}

template <class Client>
void TClientActionLink<Client>::SetEnabled(bool Value)
{
  if (IsEnabledLinked())
    FClient->SetEnabled(Value);
}

template <class Client>
void TClientActionLink<Client>::SetHelpContext(int Value)
{
  if (IsHelpContextLinked())
    FClient->SetHelpContext(Value);
}

template <class Client>
void TClientActionLink<Client>::SetHint(const std::string& Value)
{
  if (IsHintLinked())
    FClient->SetHint(Value);
}

template <class Client>
void TClientActionLink<Client>::SetImageIndex(int Value)
{
  if (IsImageIndexLinked())
    FClient->SetImageIndex(Value);
}

template <class Client>
void TClientActionLink<Client>::SetShortCut(TShortCut Value)
{
  if (IsShortCutLinked())
    FClient->SetShortCut(Value);
}

template <class Client>
void TClientActionLink<Client>::SetVisible(bool Value)
{
  if (IsVisibleLinked())
    FClient->SetVisible(Value);
}

template <class Client>
void TClientActionLink<Client>::SetOnExecute(TNotifyEvent Value)
{
  if (IsOnExecuteLinked())
    FClient->OnClick = Value;
}
