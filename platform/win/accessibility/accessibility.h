// Accessibility: automation strings and variants, IDispatch, IAccessible,
// handing objects from windows to clients, and win events.
#pragma once

#include "platform/win/accessibility/Accessible.h"
#include "platform/win/accessibility/Dispatch.h"
#include "platform/win/accessibility/ObjectFromWindow.h"
#include "platform/win/accessibility/Variant.h"
#include "platform/win/accessibility/WinEvents.h"
