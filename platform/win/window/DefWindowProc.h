// The default handling of messages that window procedures pass on.
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
