// The "ListBox" window class (and "ComboLBox", the drop-down list of a combo
// box): items with texts or owner data, single, multiple and extended
// selection, owner drawing, columns, scrolling, keyboard and mouse.
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
