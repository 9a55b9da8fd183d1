// The default behaviour of windows.
#include "platform/win/window/DefWindowProc.h"

#include <algorithm>
#include <cstring>

#include "platform/win/gdi/Cursors.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/ScrollBars.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

HWND ParentOf(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !(w->Style & WS_CHILD) || !w->Parent || w->Parent == Core().Desktop || w->Parent->MessageOnly)
    return nullptr;
  return w->Parent->Handle;
}

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

void PrintWindow(HWND hwnd, HDC dc, LPARAM flags)
{
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
    return;
  TRect window, client;
  GetWindowRect(hwnd, &window);
  TPoint origin(0, 0);
  ClientToScreen(hwnd, &origin);
  int dx = origin.x - window.Left, dy = origin.y - window.Top;
  if (flags & PRF_NONCLIENT)
    SendMessage(hwnd, WM_NCPAINT, 1, reinterpret_cast<LPARAM>(dc));
  TPoint old;
  OffsetViewportOrgEx(dc, (flags & PRF_NONCLIENT) ? dx : 0, (flags & PRF_NONCLIENT) ? dy : 0, &old);
  if (flags & PRF_ERASEBKGND)
    SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (flags & PRF_CLIENT)
    SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if (flags & PRF_CHILDREN) {
    // Children, bottom of z-order first so that the upper ones cover them.
    std::vector<HWND> children;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      children.insert(children.begin(), c);
    for (HWND c : children) {
      if (!IsWindowVisible(c))
        continue;
      TRect r;
      GetWindowRect(c, &r);
      TPoint p(r.Left, r.Top);
      ScreenToClient(hwnd, &p);
      int saved = SaveDC(dc);
      OffsetViewportOrgEx(dc, p.x, p.y, nullptr);
      SendMessage(c, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
      RestoreDC(dc, saved);
    }
  }
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void ChangeUIState(HWND hwnd, WORD action, WORD bits)
{
  std::vector<HWND> tree;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return;
    std::vector<TWnd*> all;
    CollectPreOrder(w, all);
    for (TWnd* x : all)
      tree.push_back(x->Handle);
  }
  for (HWND h : tree)
    SendMessage(h, WM_UPDATEUISTATE, MAKEWPARAM(action, bits), 0);
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName && reinterpret_cast<std::uintptr_t>(cs->lpszName) > 0xFFFF) {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        if (TWnd* w = ResolveLocal(hwnd))
          w->Text = cs->lpszName;
      }
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      if (!w || !lParam)
        return 0;
      TRect* r = reinterpret_cast<TRect*>(lParam);  // rgrc[0] when wParam is TRUE
      *r = DefaultClientRect(w->Style, w->ExStyle, *r, (w->Style & WS_CHILD) != 0);
      return 0;
    }
    case WM_NCHITTEST:
      return DefaultHitTest(hwnd, TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    case WM_NCPAINT:
      PaintDefaultFrame(hwnd, reinterpret_cast<HRGN>(wParam));
      return 0;
    case WM_NCACTIVATE: {
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (!w)
          return TRUE;
        w->NcActive = wParam != 0;
      }
      PaintDefaultFrame(hwnd, reinterpret_cast<HRGN>(1));
      return TRUE;
    }
    case WM_NCLBUTTONDOWN: {
      LRESULT hit = LRESULT(wParam);
      TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      HWND root = GetAncestor(hwnd, GA_ROOT);
      LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
      if (hit == HTCAPTION && !(style & WS_MAXIMIZE))
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && (style & WS_THICKFRAME))
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | WPARAM(hit - HTLEFT + 1), lParam);
      else if (hit == HTVSCROLL || hit == HTHSCROLL)
        SendMessage(hwnd, WM_SYSCOMMAND, (hit == HTVSCROLL ? SC_VSCROLL : SC_HSCROLL) | WPARAM(hit), lParam);
      else if (hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON)
        RunMoveSizeLoop(hwnd, WPARAM(hit), pt);  // tracks the caption button until release
      (void)root;
      return 0;
    }
    case WM_NCLBUTTONDBLCLK: {
      LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
      if (wParam == HTCAPTION && (style & WS_MAXIMIZEBOX))
        SendMessage(hwnd, WM_SYSCOMMAND, (style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      else if (wParam == HTSYSMENU)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    }
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP: {
      TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (msg == WM_RBUTTONUP)
        ClientToScreen(hwnd, &pt);
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      if (HWND parent = ParentOf(hwnd))
        return SendMessage(parent, msg, msg == WM_CONTEXTMENU ? wParam : wParam, lParam);
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(hwnd, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (HWND parent = ParentOf(hwnd))
        if (LRESULT r = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
          return r;
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        SetFocus(hwnd);
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_ERASEBKGND: {
      HBRUSH brush = nullptr;
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (w && w->Class)
          brush = w->Class->Background;
      }
      if (!brush)
        return 0;
      auto v = reinterpret_cast<std::uintptr_t>(brush);
      if (v > 0 && v <= SYS_COLOR_COUNT)  // a system colour index plus one
        brush = GetSysColorBrush(int(v - 1));
      TRect r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINT:
      PrintWindow(hwnd, reinterpret_cast<HDC>(wParam), lParam);
      return 0;
    case WM_PRINTCLIENT:
      return 0;
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      bool top;
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (!w)
          return FALSE;
        w->Text = text ? text : "";
        top = IsTopLevel(w);
        if (top && w->HasSurface && Core().Display)
          Core().Display->SetWindowTitle(hwnd, w->Text);
      }
      if (top) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
        PublishWindowsChanged();
      }
      return TRUE;
    }
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer || wParam == 0)
        return 0;
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      if (!w) {
        buffer[0] = 0;
        return 0;
      }
      std::size_t n = std::min<std::size_t>(wParam - 1, w->Text.size());
      std::memcpy(buffer, w->Text.data(), n);
      buffer[n] = 0;
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      return w ? LRESULT(w->Text.size()) : 0;
    }
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return OnSysKey(hwnd, msg, wParam, lParam);
    case WM_KEYDOWN:
      CurrentThread().AltAlone = false;
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS)
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
      return 0;
    case WM_SYSCHAR: {
      CurrentThread().AltAlone = false;
      if (wParam == '\r' || wParam == 27)
        return 0;
      HWND root = GetAncestor(hwnd, GA_ROOT);
      SendMessage(root, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
      return 0;
    }
    case WM_SYSCOMMAND: {
      if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_SYSCOMMAND, wParam, lParam))
        return 0;
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          PostMessage(hwnd, WM_CLOSE, 0, 0);
          return 0;
        case SC_MINIMIZE:
          ShowWindow(hwnd, SW_MINIMIZE);
          return 0;
        case SC_MAXIMIZE:
          ShowWindow(hwnd, SW_MAXIMIZE);
          return 0;
        case SC_RESTORE:
          ShowWindow(hwnd, SW_RESTORE);
          return 0;
        case SC_MOVE:
        case SC_SIZE: {
          // Where the press was, not where the pointer is by now.
          DWORD pos = lParam ? DWORD(lParam) : GetMessagePos();
          TPoint pt(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos)));
          RunMoveSizeLoop(hwnd, wParam, pt);
          return 0;
        }
        case SC_VSCROLL:
        case SC_HSCROLL: {
          DWORD pos = lParam ? DWORD(lParam) : GetMessagePos();
          TrackScrollBar(hwnd, (wParam & 0xFFF0) == SC_VSCROLL, TPoint(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos))));
          return 0;
        }
        default:
          // SC_KEYMENU and SC_MOUSEMENU open a system menu bar, which windows
          // of this layer do not have: the class library routes them itself.
          return 0;
      }
    }
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp || (wp->flags & SWP_NOSIZE))
        return 0;
      MINMAXINFO mmi;
      bool resizable;
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        TWnd* w = ResolveLocal(hwnd);
        resizable = w && IsTopLevel(w) && (w->Style & WS_THICKFRAME) && !(w->Style & (WS_MINIMIZE | WS_MAXIMIZE));
        if (resizable)
          FillMinMaxInfo(w, mmi);
      }
      if (resizable) {
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        wp->cx = std::clamp(wp->cx, int(mmi.ptMinTrackSize.x), std::max(int(mmi.ptMinTrackSize.x), int(mmi.ptMaxTrackSize.x)));
        wp->cy = std::clamp(wp->cy, int(mmi.ptMinTrackSize.y), std::max(int(mmi.ptMinTrackSize.y), int(mmi.ptMaxTrackSize.y)));
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!wp)
        return 0;
      TRect client;
      LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
      {
        std::lock_guard<std::recursive_mutex> cl(Core().Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (!w)
          return 0;
        client = w->Client;
      }
      if (!(wp->flags & 0x0800)) {  // the client size changed
        WPARAM kind = (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(WORD(client.Width()), WORD(client.Height())));
      }
      if (!(wp->flags & 0x1000))  // the client area moved
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(WORD(SHORT(client.Left)), WORD(SHORT(client.Top))));
      return 0;
    }
    case WM_CANCELMODE:
      if (GetCapture() == hwnd)
        ReleaseCapture();
      return 0;
    case WM_SETREDRAW: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      if (TWnd* w = ResolveLocal(hwnd))
        w->NoRedraw = !wParam;
      return 0;
    }
    case WM_SETFONT: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      if (TWnd* w = ResolveLocal(hwnd))
        w->Font = reinterpret_cast<HFONT>(wParam);
      return 0;
    }
    case WM_GETFONT: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      return w ? reinterpret_cast<LRESULT>(w->Font) : 0;
    }
    case WM_SETICON:
    case WM_GETICON: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      if (!w)
        return 0;
      HICON& slot = wParam == ICON_SMALL ? w->IconSmall : w->IconBig;
      HICON old = slot;
      if (msg == WM_SETICON && slot != reinterpret_cast<HICON>(lParam)) {
        slot = reinterpret_cast<HICON>(lParam);
        TellDisplayWindowState(w);
      }
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_QUERYUISTATE: {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      TWnd* w = ResolveLocal(hwnd);
      return w ? LRESULT(w->UIState) : 0;
    }
    case WM_CHANGEUISTATE: {
      WORD action = LOWORD(wParam), bits = HIWORD(wParam);
      if (HWND parent = ParentOf(hwnd))
        return SendMessage(parent, msg, wParam, lParam);
      if (action == UIS_INITIALIZE) {
        // Cues show once the keyboard has been used; hidden until then.
        bool keyboard = (GetKeyState(VK_MENU) & 0x8000) != 0;
        action = keyboard ? UIS_CLEAR : UIS_SET;
        bits = UISF_HIDEACCEL | UISF_HIDEFOCUS;
      }
      ChangeUIState(hwnd, action, bits);
      return 0;
    }
    case WM_UPDATEUISTATE: {
      WORD action = LOWORD(wParam), bits = HIWORD(wParam);
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      if (TWnd* w = ResolveLocal(hwnd)) {
        if (action == UIS_SET)
          w->UIState |= bits;
        else if (action == UIS_CLEAR)
          w->UIState &= WORD(~bits);
      }
      return 0;
    }
    case WM_SYSTIMER:
      if (wParam == CaretTimerId)
        BlinkCaret(hwnd);
      return 0;
    case WM_GETMINMAXINFO:
    case WM_SHOWWINDOW:
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_TIMER:
    case WM_COPYDATA:
    default:
      return 0;
  }
}
