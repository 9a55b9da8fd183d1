// The "Button" window class: push buttons, check boxes, radio buttons, group
// boxes and owner-drawn buttons.
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT ButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
