// Routines of the library's components that ask the class library: the
// application window, default storage sections and the extra drag cursors.
#pragma once

#include <string>

#include "platform/base/Types.h"

class TComponent;

// The application's hidden main window, and whether it is minimised.
HWND ApplicationWindow();
bool ApplicationMinimized();

// The storage section of a component: empty for null; a form's class name
// for a form; else the component's Name, preceded for a control by its parent
// form's class name (no separator) or, without a parent form, by its parent's
// Name; a component that is no control and is owned by a TForm gives
// "<owner's class name>.<Name>".
std::string DefaultSectionOf(TComponent* Component);

// The extra drag cursors: 100, 102 and 103 copy crMultiDrag, 101 copies
// crDrag. The screen is made on first use, so none exists when the library
// starts; a program that wants them installs them with InstallDragCursors
// (failures are ignored).
constexpr int UtDragCursors[4] = {100, 101, 102, 103};
void InstallDragCursors();
