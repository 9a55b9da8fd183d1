// Hidden utility windows whose messages go to an object's method, and the
// screen-size suffix of stored placement keys.
#pragma once

#include <string>

#include "platform/base/Method.h"
#include "platform/win/window/WindowTypes.h"

// The message record handed to a utility window's method: the method answers
// through Result.
struct TUtMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TUtWndMethod = Method<void(TUtMessage& Message)>;

// Registers the class (again when a registration of that name has another
// window procedure) and makes a hidden tool window of it: no parent, empty
// caption, zero size. With a method, every message goes to the method; the
// method is dropped when the window is destroyed. ClassName null means
// "TUtilityWindow". Answers null when the window cannot be made.
HWND AllocateUtilityWindow(TUtWndMethod Handler = {}, const char* ClassName = nullptr);
void DeallocateUtilityWindow(HWND Window);

// "(WxH)" of the screen, as stored placement keys carry it.
std::string ScreenSuffix();
