#include "platform/classes/menus/MenuActionLink.h"

#include "platform/classes/actions/ClientActionLinkImpl.h"
#include "platform/classes/menus/Hotkeys.h"
#include "platform/classes/menus/MenuItem.h"

template class TClientActionLink<TMenuItem>;

bool TMenuActionLink::IsGroupIndexLinked() const
{
  return TActionLink::IsGroupIndexLinked() && FClient->GroupIndex() == CustomAction()->GroupIndex();
}

void TMenuActionLink::SetGroupIndex(int Value)
{
  if (IsGroupIndexLinked())
    FClient->SetGroupIndex(Value);
}
