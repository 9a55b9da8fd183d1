// The handlers behind DefWindowProc, one per message or message group, private
// to platform/win/window. DefWindowProc.cpp dispatches to them and keeps the
// window's own values (text, font, icons, UI state); DefWindowInput.cpp has
// the mouse and keyboard, DefWindowFrame.cpp the frame, painting, system
// commands and placement.
#pragma once

#include "platform/win/window/WindowTypes.h"

namespace defwindow {

// The parent a child passes messages up to; null for top-level windows.
HWND ParentOf(HWND hwnd);

// The window's own values.
LRESULT OnNcCreate(HWND hwnd, LPARAM lParam);
LRESULT OnSetText(HWND hwnd, LPARAM lParam);
LRESULT OnGetText(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnGetTextLength(HWND hwnd);
LRESULT OnSetRedraw(HWND hwnd, WPARAM wParam);
LRESULT OnSetFont(HWND hwnd, WPARAM wParam);
LRESULT OnGetFont(HWND hwnd);
LRESULT OnIcon(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // WM_SETICON, WM_GETICON
LRESULT OnQueryUIState(HWND hwnd);
LRESULT OnChangeUIState(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT OnUpdateUIState(HWND hwnd, WPARAM wParam);

// Mouse and keyboard.
LRESULT OnNcLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnNcLButtonDblClk(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnRButtonUp(HWND hwnd, UINT msg, LPARAM lParam);  // WM_RBUTTONUP, WM_NCRBUTTONUP
LRESULT OnPassToParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // WM_CONTEXTMENU, WM_MOUSEWHEEL
LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnSysKey(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // WM_SYSKEYDOWN, WM_SYSKEYUP
LRESULT OnKeyDown(HWND hwnd, WPARAM wParam);
LRESULT OnKeyUp(HWND hwnd, WPARAM wParam);
LRESULT OnSysChar(HWND hwnd, WPARAM wParam);

// Frame, painting, system commands and placement.
LRESULT OnNcCalcSize(HWND hwnd, LPARAM lParam);
LRESULT OnNcActivate(HWND hwnd, WPARAM wParam);
LRESULT OnEraseBkgnd(HWND hwnd, WPARAM wParam);
LRESULT OnPaint(HWND hwnd);
void PrintWindow(HWND hwnd, HDC dc, LPARAM flags);
LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnWindowPosChanging(HWND hwnd, LPARAM lParam);
LRESULT OnWindowPosChanged(HWND hwnd, LPARAM lParam);

}  // namespace defwindow
