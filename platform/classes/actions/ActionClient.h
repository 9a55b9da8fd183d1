// What a client (a menu item, a toolbar item) takes from the action it is
// linked to. While loading (CheckDefaults) a property the client was given a
// value of its own for keeps it; otherwise the action's value wins.
#pragma once

#include "platform/classes/actions/CustomAction.h"

template <class TClient>
void TakeActionProperties(TClient& Client, TCustomAction& Action, bool CheckDefaults)
{
  if (!CheckDefaults || Client.Caption().empty())
    Client.SetCaption(Action.Caption());
  if (!CheckDefaults || !Client.Checked())
    Client.SetChecked(Action.Checked());
  if (!CheckDefaults || Client.Enabled())
    Client.SetEnabled(Action.Enabled());
  if (!CheckDefaults || Client.HelpContext() == 0)
    Client.SetHelpContext(Action.HelpContext());
  if (!CheckDefaults || Client.Hint().empty())
    Client.SetHint(Action.Hint());
  if (!CheckDefaults || Client.ImageIndex() == -1)
    Client.SetImageIndex(Action.ImageIndex());
  if (!CheckDefaults || Client.ShortCut() == 0)
    Client.SetShortCut(Action.ShortCut());
  if (!CheckDefaults || Client.Visible())
    Client.SetVisible(Action.Visible());
  if (!CheckDefaults || !Client.AutoCheck())
    Client.SetAutoCheck(Action.AutoCheck());
  if (!CheckDefaults || !Client.OnClick)
    Client.OnClick = Action.OnExecute;
}
