// Hidden utility windows whose messages go to an object's method, and the
// screen-size suffix of stored placement keys.
#pragma once

#include <string>

#include "platform/base/Method.h"
#include "platform/classes/Messages.h"
#include "platform/win/window/WindowTypes.h"

// The method that a utility window hands its messages to; it answers
// through the record's Result.
using TUtWndMethod = Method<void(TMessage& Message)>;

// Registers the class (again when a registration of that name has another
// window procedure) and makes a hidden tool window of it: no parent, empty
// caption, zero size. With a method, every message goes to the method; the
// method is dropped when the window is destroyed. ClassName null means
// "TUtilityWindow". Answers null when the window cannot be made.
HWND AllocateUtilityWindow(TUtWndMethod Handler = {}, const char* ClassName = nullptr);
void DeallocateUtilityWindow(HWND Window);

// "(WxH)" of the screen, as stored placement keys carry it.
std::string ScreenSuffix();
