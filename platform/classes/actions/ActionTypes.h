// Types of actions and action lists, described for the run-time type information.
#pragma once

#include <string>

#include "platform/base/Method.h"
#include "platform/classes/Forward.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TActionListState, "ActnList", asNormal, asSuspended, asSuspendedEnabled);

// An action list's (and the application's) chance to run or update an action
// first; Handled true stops the action's own handler.
using TActionEvent = Method<void(TBasicAction* Action, bool& Handled)>;
// Before a hint shows: the text may change, CanShow false hides it.
using THintEvent = Method<void(std::string& HintStr, bool& CanShow)>;
