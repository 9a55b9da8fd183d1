#include "platform/classes/actions/ActionLink.h"

#include "platform/classes/actions/CustomAction.h"

TCustomAction* TActionLink::CustomAction() const
{
  return dynamic_cast<TCustomAction*>(FAction);
}

bool TActionLink::IsCaptionLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsCheckedLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsEnabledLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsGroupIndexLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsHelpContextLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsHintLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsImageIndexLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsShortCutLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsVisibleLinked() const
{
  return CustomAction() != nullptr;
}

bool TActionLink::IsAutoCheckLinked() const
{
  return CustomAction() != nullptr;
}
