// The standard accessible objects of a window, answered for windows that do
// not answer WM_GETOBJECT themselves.
#pragma once

#include "platform/win/accessibility/Accessible.h"
#include "platform/win/window/WindowTypes.h"

namespace accessibility_detail {

// A new object (reference count 0) for the window's OBJID_WINDOW or
// OBJID_CLIENT object.
IAccessible* NewStdWindowAccessible(HWND hwnd, LONG objectId);

}  // namespace accessibility_detail
