// The "ComboBox" window class, as a drop-down list (CBS_DROPDOWNLIST): a
// selection field with a button that drops a list of items ("ComboLBox").
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT ComboBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
