// The "Edit" window class: single-line and multi-line text editing.
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
