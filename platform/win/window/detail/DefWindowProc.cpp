// The default behaviour of windows: the dispatch to the handlers of each
// message, and the handlers of the window's own values (text, font, icons,
// redraw flag, keyboard cues).
#include "platform/win/window/DefWindowProc.h"

#include <algorithm>
#include <cstring>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"
#include "platform/win/window/detail/DefWindowHandlers.h"

using namespace wincore;
using namespace defwindow;

namespace {

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

namespace defwindow {

HWND ParentOf(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !(w->Style & WS_CHILD) || !w->Parent || w->Parent == Core().Desktop || w->Parent->MessageOnly)
    return nullptr;
  return w->Parent->Handle;
}

LRESULT OnNcCreate(HWND hwnd, LPARAM lParam)
{
  auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
  if (cs && cs->lpszName && reinterpret_cast<std::uintptr_t>(cs->lpszName) > 0xFFFF) {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (TWnd* w = ResolveLocal(hwnd))
      w->Text = cs->lpszName;
  }
  return TRUE;
}

LRESULT OnSetText(HWND hwnd, LPARAM lParam)
{
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

LRESULT OnGetText(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnGetTextLength(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w ? LRESULT(w->Text.size()) : 0;
}

LRESULT OnSetRedraw(HWND hwnd, WPARAM wParam)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  if (TWnd* w = ResolveLocal(hwnd))
    w->NoRedraw = !wParam;
  return 0;
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  if (TWnd* w = ResolveLocal(hwnd))
    w->Font = reinterpret_cast<HFONT>(wParam);
  return 0;
}

LRESULT OnGetFont(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w ? reinterpret_cast<LRESULT>(w->Font) : 0;
}

LRESULT OnIcon(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnQueryUIState(HWND hwnd)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  return w ? LRESULT(w->UIState) : 0;
}

LRESULT OnChangeUIState(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnUpdateUIState(HWND hwnd, WPARAM wParam)
{
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

}  // namespace defwindow

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
    // Non-client area and frame.
    case WM_NCCREATE: return OnNcCreate(hwnd, lParam);
    case WM_NCCALCSIZE: return OnNcCalcSize(hwnd, lParam);
    case WM_NCHITTEST:
      return DefaultHitTest(hwnd, TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    case WM_NCPAINT:
      // A WM_PRINT of the frame passes the DC to print into.
      PaintDefaultFrame(hwnd, reinterpret_cast<HRGN>(wParam), reinterpret_cast<HDC>(lParam));
      return 0;
    case WM_NCACTIVATE: return OnNcActivate(hwnd, wParam);

    // Mouse.
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return OnNcLButtonDblClk(hwnd, wParam, lParam);
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP: return OnRButtonUp(hwnd, msg, lParam);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL: return OnPassToParent(hwnd, msg, wParam, lParam);
    case WM_SETCURSOR: return OnSetCursor(hwnd, wParam, lParam);
    case WM_MOUSEACTIVATE: return OnMouseActivate(hwnd, wParam, lParam);
    case WM_CANCELMODE:
      if (GetCapture() == hwnd)
        ReleaseCapture();
      return 0;

    // Keyboard.
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return OnSysKey(hwnd, msg, wParam, lParam);
    case WM_KEYDOWN: return OnKeyDown(hwnd, wParam);
    case WM_KEYUP: return OnKeyUp(hwnd, wParam);
    case WM_SYSCHAR: return OnSysChar(hwnd, wParam);

    // Activation, closing and placement.
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        SetFocus(hwnd);
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND: return OnSysCommand(hwnd, wParam, lParam);
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(hwnd, lParam);
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(hwnd, lParam);

    // Painting.
    case WM_ERASEBKGND: return OnEraseBkgnd(hwnd, wParam);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_PRINT:
      PrintWindow(hwnd, reinterpret_cast<HDC>(wParam), lParam);
      return 0;
    case WM_PRINTCLIENT:
      return 0;
    case WM_SYSTIMER:
      if (wParam == CaretTimerId)
        BlinkCaret(hwnd);
      return 0;

    // The window's own values.
    case WM_SETTEXT: return OnSetText(hwnd, lParam);
    case WM_GETTEXT: return OnGetText(hwnd, wParam, lParam);
    case WM_GETTEXTLENGTH: return OnGetTextLength(hwnd);
    case WM_SETREDRAW: return OnSetRedraw(hwnd, wParam);
    case WM_SETFONT: return OnSetFont(hwnd, wParam);
    case WM_GETFONT: return OnGetFont(hwnd);
    case WM_SETICON:
    case WM_GETICON: return OnIcon(hwnd, msg, wParam, lParam);
    case WM_QUERYUISTATE: return OnQueryUIState(hwnd);
    case WM_CHANGEUISTATE: return OnChangeUIState(hwnd, msg, wParam, lParam);
    case WM_UPDATEUISTATE: return OnUpdateUIState(hwnd, wParam);

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
