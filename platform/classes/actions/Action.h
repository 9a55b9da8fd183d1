// TAction: the action forms place in their action lists.
#pragma once

#include "platform/classes/actions/CustomAction.h"

class TAction : public TCustomAction {
public:
  using TCustomAction::TCustomAction;
};
