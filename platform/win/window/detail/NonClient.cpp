// The non-client area: frames, captions and their buttons, hit testing, and
// the move and size loops of captions and borders.
#include <algorithm>

#include "platform/base/Utf.h"
#include "platform/win/gdi/Edges.h"
#include "platform/win/gdi/Icons.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/ModalLoop.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

struct TFrame {
  int X = 0;  // frame width on each side
  int Y = 0;
  bool Thick = false;
  bool Dialog = false;
  bool Border = false;
  int Caption = 0;  // caption height, 0 for none
  int Edge = 0;     // client or static edge
};

TFrame FrameOf(DWORD style, DWORD ex, bool child)
{
  TFrame f;
  (void)child;
  if (style & WS_THICKFRAME) {
    f.Thick = true;
    f.X = GetSystemMetrics(SM_CXFRAME);
    f.Y = GetSystemMetrics(SM_CYFRAME);
  } else if ((style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME)) {
    f.Dialog = true;
    f.X = GetSystemMetrics(SM_CXDLGFRAME);
    f.Y = GetSystemMetrics(SM_CYDLGFRAME);
  } else if (style & WS_BORDER) {
    f.Border = true;
    f.X = GetSystemMetrics(SM_CXBORDER);
    f.Y = GetSystemMetrics(SM_CYBORDER);
  }
  if ((style & WS_CAPTION) == WS_CAPTION)
    f.Caption = GetSystemMetrics((ex & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (ex & WS_EX_CLIENTEDGE)
    f.Edge = 2;
  else if (ex & WS_EX_STATICEDGE)
    f.Edge = 1;
  return f;
}

struct TButtons {
  TRect Close, Max, Min, Icon;
};

// Caption buttons, in window coordinates.
TButtons ButtonsOf(DWORD style, DWORD ex, const TRect& window)
{
  TButtons b;
  TFrame f = FrameOf(style, ex, false);
  if (!f.Caption)
    return b;
  bool tool = ex & WS_EX_TOOLWINDOW;
  int h = f.Caption - 1 - 4;
  int w = (tool ? GetSystemMetrics(SM_CXSMSIZE) : GetSystemMetrics(SM_CXSIZE)) - 2;
  int top = f.Y + 2;
  int right = window.Width() - f.X - 2;
  if (style & WS_SYSMENU) {
    b.Close = TRect(right - w, top, right, top + h);
    right -= w + 2;
    if (!tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
      b.Max = TRect(right - w, top, right, top + h);
      b.Min = TRect(right - 2 * w, top, right - w, top + h);
    }
    if (!tool)
      b.Icon = TRect(f.X + 2, top, f.X + 2 + GetSystemMetrics(SM_CXSMICON), top + h);
  }
  return b;
}

}  // namespace

namespace wincore {

TRect DefaultClientRect(DWORD style, DWORD ex, const TRect& windowRect, bool child)
{
  TFrame f = FrameOf(style, ex, child);
  TRect r = windowRect;
  if (style & WS_MINIMIZE)
    return TRect(r.Left, r.Top, r.Left, r.Top);
  r.Left += f.X + f.Edge;
  r.Right -= f.X + f.Edge;
  r.Top += f.Y + f.Caption + f.Edge;
  r.Bottom -= f.Y + f.Edge;
  if (style & WS_VSCROLL) {
    if (ex & WS_EX_LEFTSCROLLBAR)
      r.Left += GetSystemMetrics(SM_CXVSCROLL);
    else
      r.Right -= GetSystemMetrics(SM_CXVSCROLL);
  }
  if (style & WS_HSCROLL)
    r.Bottom -= GetSystemMetrics(SM_CYHSCROLL);
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

LRESULT DefaultHitTest(HWND hwnd, TPoint pt)
{
  DWORD style, ex;
  TRect window, client;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return HTNOWHERE;
    style = w->Style;
    ex = w->ExStyle;
    window = ScreenWindowRect(w);
    client = ScreenClientRect(w);
  }
  if (!window.Contains(pt))
    return HTNOWHERE;
  if (style & WS_MINIMIZE)
    return HTCAPTION;
  if (client.Contains(pt))
    return HTCLIENT;
  TFrame f = FrameOf(style, ex, (style & WS_CHILD) != 0);
  int x = pt.x - window.Left, y = pt.y - window.Top;
  int width = window.Width(), height = window.Height();
  // Borders
  if (x < f.X || x >= width - f.X || y < f.Y || y >= height - f.Y) {
    if (!f.Thick)
      return HTBORDER;
    int corner = GetSystemMetrics(SM_CXSIZE) + f.X;
    bool left = x < corner, right = x >= width - corner, top = y < corner, bottom = y >= height - corner;
    if (y < f.Y)
      return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (y >= height - f.Y)
      return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (x < f.X)
      return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  // Caption
  if (f.Caption && y < f.Y + f.Caption) {
    TButtons b = ButtonsOf(style, ex, window);
    TPoint p(x, y);
    if (b.Close.Contains(p))
      return HTCLOSE;
    if (b.Max.Contains(p))
      return HTMAXBUTTON;
    if (b.Min.Contains(p))
      return HTMINBUTTON;
    if (b.Icon.Contains(p))
      return HTSYSMENU;
    return HTCAPTION;
  }
  // Scroll bars and the box where they meet.
  TPoint c(pt.x - client.Left, pt.y - client.Top);
  bool vs = (style & WS_VSCROLL) && pt.y < client.Bottom && (ex & WS_EX_LEFTSCROLLBAR ? pt.x < client.Left : pt.x >= client.Right);
  bool hs = (style & WS_HSCROLL) && pt.y >= client.Bottom;
  (void)c;
  if (vs && pt.y >= client.Top)
    return HTVSCROLL;
  if (hs) {
    bool inBox = (style & WS_VSCROLL) && (pt.x >= client.Right || pt.x < client.Left);
    if (inBox)
      return (style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTSIZE;
    return HTHSCROLL;
  }
  return HTBORDER;
}

void PaintDefaultFrame(HWND hwnd, HRGN updateRegion, HDC target)
{
  DWORD style, ex;
  TRect window;
  std::string title;
  bool active;
  HICON icon = nullptr;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || w->MessageOnly)
      return;
    style = w->Style;
    ex = w->ExStyle;
    window = ScreenWindowRect(w);
    title = w->Text;
    active = w->NcActive;
    icon = w->IconSmall ? w->IconSmall : w->Class && w->Class->IconSm ? w->Class->IconSm : w->Class ? w->Class->Icon : nullptr;
  }
  TFrame f = FrameOf(style, ex, (style & WS_CHILD) != 0);
  if (!f.X && !f.Caption && !f.Edge && !(style & (WS_VSCROLL | WS_HSCROLL)))
    return;
  auto v = reinterpret_cast<std::uintptr_t>(updateRegion);
  HDC dc = target ? target
           : v > 1 ? GetDCEx(hwnd, updateRegion, DCX_WINDOW | DCX_INTERSECTRGN | DCX_CACHE | DCX_CLIPSIBLINGS)
                   : GetWindowDC(hwnd);
  if (!dc)
    return;
  int width = window.Width(), height = window.Height();
  auto fill = [&](int l, int t, int r, int b, int color) {
    TRect rc(l, t, r, b);
    FillRect(dc, &rc, GetSysColorBrush(color));
  };
  TRect rest(0, 0, width, height);
  if (f.Thick || f.Dialog) {
    DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_ADJUST);
    // The rest of the frame, inside the edge.
    int face = f.Thick ? (active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_3DFACE;
    fill(rest.Left, rest.Top, rest.Right, f.Y, face);
    fill(rest.Left, height - f.Y, rest.Right, rest.Bottom, face);
    fill(rest.Left, f.Y, f.X, height - f.Y, face);
    fill(width - f.X, f.Y, rest.Right, height - f.Y, face);
  } else if (f.Border) {
    fill(0, 0, width, 1, COLOR_WINDOWFRAME);
    fill(0, height - 1, width, height, COLOR_WINDOWFRAME);
    fill(0, 0, 1, height, COLOR_WINDOWFRAME);
    fill(width - 1, 0, width, height, COLOR_WINDOWFRAME);
  }
  if (f.Caption) {
    bool tool = ex & WS_EX_TOOLWINDOW;
    TRect bar(f.X, f.Y, width - f.X, f.Y + f.Caption - 1);
    fill(bar.Left, bar.Bottom, bar.Right, bar.Bottom + 1, COLOR_3DFACE);
    TButtons b = ButtonsOf(style, ex, window);
    BOOL gradient = FALSE;
    SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    UINT flags = DC_TEXT | (active ? DC_ACTIVE : 0) | (tool ? DC_SMALLCAP : 0) | (gradient ? DC_GRADIENT : 0);
    DrawCaptionText(dc, &bar, UTF8Decode(title), flags);
    if (!b.Icon.IsEmpty() && icon) {
      int size = GetSystemMetrics(SM_CXSMICON);
      DrawIconEx(dc, b.Icon.Left, bar.Top + (bar.Height() - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    struct {
      TRect Rect;
      UINT Glyph;
    } buttons[] = {{b.Close, DFCS_CAPTIONCLOSE},
                   {b.Max, (style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX},
                   {b.Min, DFCS_CAPTIONMIN}};
    for (auto& button : buttons) {
      if (button.Rect.IsEmpty())
        continue;
      TRect r = button.Rect;
      bool enabled = true;
      if (button.Glyph == DFCS_CAPTIONMIN && !(style & WS_MINIMIZEBOX))
        enabled = false;
      if ((button.Glyph == DFCS_CAPTIONMAX || button.Glyph == DFCS_CAPTIONRESTORE) && !(style & WS_MAXIMIZEBOX))
        enabled = false;
      DrawFrameControl(dc, &r, DFC_CAPTION, button.Glyph | (enabled ? 0 : DFCS_INACTIVE));
    }
  }
  TRect inner(f.X, f.Y + f.Caption, width - f.X, height - f.Y);
  if (f.Edge == 2)
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT);
  else if (f.Edge == 1)
    DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT);
  PaintScrollBars(hwnd, dc);
  if (!target)
    ReleaseDC(hwnd, dc);
}

// A modal loop that follows the mouse while a caption or border is dragged (or
// a caption button is held), ending on release, Escape or loss of capture.
void RunMoveSizeLoop(HWND hwnd, WPARAM command, TPoint start)
{
  WPARAM kind = command & 0xFFF0;
  bool button = command == WPARAM(HTCLOSE) || command == WPARAM(HTMINBUTTON) || command == WPARAM(HTMAXBUTTON);
  if (!button && HasHooks(WH_CBT)) {
    TRect r;
    GetWindowRect(hwnd, &r);
    if (CallHooks(WH_CBT, HCBT_MOVESIZE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&r)))
      return;
  }
  int edge = int(command & 0x0F);  // WMSZ_* for SC_SIZE
  TRect original;
  GetWindowRect(hwnd, &original);
  HWND parent = GetParent(hwnd);
  bool child = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) != 0;
  // A window manager moves and sizes top-level windows itself when it can:
  // it knows the other programs' windows, panels and screen edges.
  if (!button && !child && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) && (kind == SC_MOVE || kind == SC_SIZE))
    if (TDisplayBackend* display = CurrentDisplayBackend())
      if (display->BeginMoveSize(hwnd, kind == SC_MOVE ? -1 : edge, start))
        return;
  SetCapture(hwnd);
  if (!button)
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  bool cancelled = false;
  TPoint last = start;
  TModalLoop loop(hwnd);
  MSG msg;
  while (loop.Next(msg)) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      cancelled = true;
      break;
    }
    if (msg.message == WM_LBUTTONUP) {
      last = msg.pt;
      break;
    }
    if (msg.message != WM_MOUSEMOVE) {
      if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR)
        DispatchMessage(&msg);
      continue;
    }
    last = msg.pt;
    if (button)
      continue;
    int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
    TRect r = original;
    if (kind == SC_MOVE) {
      OffsetRect(&r, dx, dy);
      SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    } else {
      if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        r.Left += dx;
      if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)
        r.Right += dx;
      if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        r.Top += dy;
      if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
        r.Bottom += dy;
      SendMessage(hwnd, WM_SIZING, WPARAM(edge), reinterpret_cast<LPARAM>(&r));
    }
    TPoint tl(r.Left, r.Top);
    if (child && parent)
      ScreenToClient(parent, &tl);
    SetWindowPos(hwnd, nullptr, tl.x, tl.y, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (kind == SC_MOVE ? SWP_NOSIZE : 0));
    UpdateWindow(hwnd);
  }
  if (GetCapture() == hwnd)
    ReleaseCapture();
  if (button) {
    TRect r;
    GetWindowRect(hwnd, &r);
    // The button acts only when released over itself.
    LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(WORD(SHORT(last.x)), WORD(SHORT(last.y))));
    if (!cancelled && WPARAM(hit) == command) {
      WPARAM sc = command == WPARAM(HTCLOSE) ? SC_CLOSE : command == WPARAM(HTMINBUTTON) ? SC_MINIMIZE
                  : IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
      SendMessage(hwnd, WM_SYSCOMMAND, sc, MAKELPARAM(WORD(SHORT(last.x)), WORD(SHORT(last.y))));
    }
    return;
  }
  if (cancelled && IsWindow(hwnd)) {
    TPoint tl(original.Left, original.Top);
    if (child && parent)
      ScreenToClient(parent, &tl);
    SetWindowPos(hwnd, nullptr, tl.x, tl.y, original.Width(), original.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (IsWindow(hwnd))
    SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace wincore
