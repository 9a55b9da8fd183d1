// Where the application takes part in running and updating actions: after the
// action's list and before the action's own handler, as the application's
// ExecuteAction/UpdateAction do (they also offer the action to the active form
// and its controls). Empty until the application object sets them.
#pragma once

#include "platform/base/Method.h"
#include "platform/classes/Forward.h"

struct TActionHooks {
  // True when the application (or a control it asked) handled the action.
  Method<bool(TBasicAction* Action)> ExecuteAction;
  Method<bool(TBasicAction* Action)> UpdateAction;
};

TActionHooks& ApplicationActionHooks();
