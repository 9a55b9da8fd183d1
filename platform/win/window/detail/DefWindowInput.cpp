// The default behaviour of windows with the mouse and the keyboard: cursors,
// caption and frame presses, the context menu and the keyboard route to the
// menu.
#include <algorithm>

#include "platform/win/gdi/Cursors.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/ScrollBars.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"
#include "platform/win/window/detail/DefWindowHandlers.h"

using namespace wincore;

namespace {

HCURSOR SizingCursor(LRESULT hit)
{
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
    default: return LoadCursor(nullptr, IDC_ARROW);
  }
}

}  // namespace

namespace defwindow {

LRESULT OnNcLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
  LRESULT hit = LRESULT(wParam);
  TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  if (hit == HTCAPTION && !(style & WS_MAXIMIZE))
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
  else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && (style & WS_THICKFRAME))
    SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | WPARAM(hit - HTLEFT + 1), lParam);
  else if (hit == HTVSCROLL || hit == HTHSCROLL)
    SendMessage(hwnd, WM_SYSCOMMAND, (hit == HTVSCROLL ? SC_VSCROLL : SC_HSCROLL) | WPARAM(hit), lParam);
  else if (hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON)
    RunMoveSizeLoop(hwnd, WPARAM(hit), pt);  // tracks the caption button until release
  return 0;
}

LRESULT OnNcLButtonDblClk(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  if (wParam == HTCAPTION && (style & WS_MAXIMIZEBOX))
    SendMessage(hwnd, WM_SYSCOMMAND, (style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lParam);
  else if (wParam == HTSYSMENU)
    SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
  return 0;
}

LRESULT OnRButtonUp(HWND hwnd, UINT msg, LPARAM lParam)
{
  TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (msg == WM_RBUTTONUP)
    ClientToScreen(hwnd, &pt);
  SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
  return 0;
}

LRESULT OnPassToParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (HWND parent = ParentOf(hwnd))
    return SendMessage(parent, msg, wParam, lParam);
  return 0;
}

LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
  // The parent has the first say.
  if (HWND parent = ParentOf(hwnd))
    if (SendMessage(parent, WM_SETCURSOR, wParam, lParam))
      return TRUE;
  LRESULT hit = SHORT(LOWORD(std::uintptr_t(lParam)));
  if (hit == HTERROR) {
    WORD mouse = HIWORD(std::uintptr_t(lParam));
    if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN)
      MessageBeep(0);
    return FALSE;
  }
  if (hit == HTCLIENT) {
    HCURSOR cursor = nullptr;
    {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      if (w && w->Class)
        cursor = w->Class->Cursor;
    }
    if (cursor) {
      SetCursor(cursor);
      return TRUE;
    }
    return FALSE;
  }
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && (style & WS_THICKFRAME)) {
    SetCursor(SizingCursor(hit));
    return TRUE;
  }
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}

LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
  if (HWND parent = ParentOf(hwnd))
    if (LRESULT r = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
      return r;
  return MA_ACTIVATE;
}

// The keyboard route to the menu: an Alt or F10 press and release with no
// other key between, or Alt with a character.
LRESULT OnSysKey(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TThread& t = CurrentThread();
  if (msg == WM_SYSKEYDOWN) {
    if (wParam == VK_MENU || wParam == VK_F10) {
      if (!(lParam & KF_REPEAT_BIT))
        t.AltAlone = true;
    } else {
      t.AltAlone = false;
    }
    if (wParam == VK_F4 && (lParam & KF_ALTDOWN_BIT)) {
      HWND root = GetAncestor(hwnd, GA_ROOT);
      PostMessage(root, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
    return 0;
  }
  // WM_SYSKEYUP
  if ((wParam == VK_MENU || wParam == VK_F10) && t.AltAlone) {
    t.AltAlone = false;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    SendMessage(root, WM_SYSCOMMAND, SC_KEYMENU, 0);
  }
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam)
{
  CurrentThread().AltAlone = false;
  if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))
    SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, WPARAM wParam)
{
  if (wParam == VK_APPS)
    SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
  return 0;
}

LRESULT OnSysChar(HWND hwnd, WPARAM wParam)
{
  CurrentThread().AltAlone = false;
  if (wParam == '\r' || wParam == 27)
    return 0;
  HWND root = GetAncestor(hwnd, GA_ROOT);
  SendMessage(root, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
  return 0;
}

}  // namespace defwindow
