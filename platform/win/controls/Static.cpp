#include "platform/win/controls/Static.h"

#include <string>

#include "platform/win/controls/ControlSupport.h"

using namespace controls;

namespace {

struct TStaticData {
  HFONT Font = nullptr;
  HGDIOBJ Image = nullptr;  // a bitmap (SS_BITMAP) or an icon (SS_ICON)
};

TStaticData* StaticOf(HWND hwnd) { return DataOf<TStaticData>(hwnd); }

void PaintText(HWND hwnd, HDC dc, DWORD style, DWORD kind)
{
  TRect r;
  GetClientRect(hwnd, &r);
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, brush);
  UINT fmt = DT_EXPANDTABS;
  switch (kind) {
    case SS_CENTER: fmt |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: fmt |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE: fmt |= DT_LEFT | DT_SINGLELINE; break;
    default: fmt |= DT_LEFT | DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX)
    fmt |= DT_NOPREFIX;
  else if (HideAccel(hwnd))
    fmt |= DT_HIDEPREFIX;
  if (style & SS_CENTERIMAGE)
    fmt = (fmt & ~DWORD(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: fmt |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: fmt |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: fmt |= DT_WORD_ELLIPSIS; break;
    default: break;
  }
  if (style & SS_ELLIPSISMASK)
    fmt = (fmt & ~DWORD(DT_WORDBREAK)) | DT_SINGLELINE;
  std::string text = WindowTextOf(hwnd);
  SetBkMode(dc, TRANSPARENT);
  if (!(style & WS_DISABLED)) {
    DrawTextA(dc, text.data(), int(text.size()), &r, fmt);
    return;
  }
  TRect shifted = r;
  OffsetRect(&shifted, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
  DrawTextA(dc, text.data(), int(text.size()), &shifted, fmt);
  SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  DrawTextA(dc, text.data(), int(text.size()), &r, fmt);
}

void PaintImage(HWND hwnd, HDC dc, TStaticData* s, DWORD style, DWORD kind)
{
  TRect r;
  GetClientRect(hwnd, &r);
  HBRUSH brush = ControlBrush(hwnd, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, brush);
  if (!s->Image)
    return;
  bool centre = style & SS_CENTERIMAGE;
  if (kind == SS_ICON) {
    ICONINFO ii;
    int w = 32, h = 32;
    if (GetIconInfo(reinterpret_cast<HICON>(s->Image), &ii)) {
      BITMAP bm;
      if (ii.hbmColor && GetObject(ii.hbmColor, sizeof bm, &bm)) {
        w = bm.bmWidth;
        h = bm.bmHeight;
      }
      if (ii.hbmColor)
        DeleteObject(ii.hbmColor);
      if (ii.hbmMask)
        DeleteObject(ii.hbmMask);
    }
    int x = centre ? (r.Width() - w) / 2 : 0, y = centre ? (r.Height() - h) / 2 : 0;
    DrawIconEx(dc, x, y, reinterpret_cast<HICON>(s->Image), w, h, 0, nullptr, DI_NORMAL);
    return;
  }
  BITMAP bm;
  if (!GetObject(s->Image, sizeof bm, &bm))
    return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, s->Image);
  int x = centre ? (r.Width() - bm.bmWidth) / 2 : 0, y = centre ? (r.Height() - bm.bmHeight) / 2 : 0;
  BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void Paint(HWND hwnd, TStaticData* s)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc)
    return;
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(s->Font));
  DWORD style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)), kind = style & SS_TYPEMASK;
  TRect r;
  GetClientRect(hwnd, &r);
  switch (kind) {
    case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DHILIGHT)); break;
    case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DHILIGHT)); break;
    case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); break;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); break;
    case SS_ICON:
    case SS_BITMAP: PaintImage(hwnd, dc, s, style, kind); break;
    case SS_OWNERDRAW: {
      DRAWITEMSTRUCT di;
      di.CtlType = ODT_STATIC;
      di.CtlID = UINT(GetWindowLongPtr(hwnd, GWL_ID));
      di.itemAction = ODA_DRAWENTIRE;
      di.itemState = (style & WS_DISABLED) ? ODS_DISABLED : 0;
      di.hwndItem = hwnd;
      di.hDC = dc;
      di.rcItem = r;
      if (HWND target = NotifyTarget(hwnd))
        SendMessage(target, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
      break;
    }
    default: PaintText(hwnd, dc, style, kind); break;
  }
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

// A new image sizes the control to it, unless the image is centred or the
// control keeps its size.
HGDIOBJ SetImage(HWND hwnd, TStaticData* s, HGDIOBJ image)
{
  HGDIOBJ old = s->Image;
  s->Image = image;
  DWORD style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
  if (image && !(style & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) {
    int w = 0, h = 0;
    if ((style & SS_TYPEMASK) == SS_BITMAP) {
      BITMAP bm;
      if (GetObject(image, sizeof bm, &bm)) {
        w = bm.bmWidth;
        h = bm.bmHeight;
      }
    } else {
      w = h = 32;
      ICONINFO ii;
      if (GetIconInfo(reinterpret_cast<HICON>(image), &ii)) {
        BITMAP bm;
        if (ii.hbmColor && GetObject(ii.hbmColor, sizeof bm, &bm)) {
          w = bm.bmWidth;
          h = bm.bmHeight;
        }
        if (ii.hbmColor)
          DeleteObject(ii.hbmColor);
        if (ii.hbmMask)
          DeleteObject(ii.hbmMask);
      }
    }
    if (w > 0 && h > 0) {
      TRect window, client;
      GetWindowRect(hwnd, &window);
      GetClientRect(hwnd, &client);
      SetWindowPos(hwnd, nullptr, 0, 0, w + window.Width() - client.Width(), h + window.Height() - client.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return old;
}

}  // namespace

LRESULT StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TStaticData* s = StaticOf(hwnd);
  if (msg == WM_NCCREATE) {
    s = new TStaticData;
    SetDataOf(hwnd, s);
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
    // A sunken static has the static edge.
    if (cs->style & SS_SUNKEN)
      SetWindowLongPtr(hwnd, GWL_EXSTYLE, GetWindowLongPtr(hwnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!s)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  DWORD style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
  switch (msg) {
    case WM_NCDESTROY:
      SetDataOf(hwnd, nullptr);
      delete s;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_PAINT:
      Paint(hwnd, s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      // Without SS_NOTIFY a static lets the mouse through to its parent.
      return (style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
      if (style & SS_NOTIFY)
        NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (style & SS_NOTIFY)
        NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      if (style & SS_NOTIFY)
        NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      s->Font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(std::uintptr_t(lParam)))
        InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->Font);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_UPDATEUISTATE:
      DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case STM_SETIMAGE: {
      DWORD kind = style & SS_TYPEMASK;
      bool fits = (wParam == IMAGE_BITMAP && kind == SS_BITMAP) || ((wParam == IMAGE_ICON || wParam == IMAGE_CURSOR) && kind == SS_ICON);
      if (!fits)
        return 0;
      return reinterpret_cast<LRESULT>(SetImage(hwnd, s, reinterpret_cast<HGDIOBJ>(lParam)));
    }
    case STM_GETIMAGE: {
      DWORD kind = style & SS_TYPEMASK;
      bool fits = (wParam == IMAGE_BITMAP && kind == SS_BITMAP) || ((wParam == IMAGE_ICON || wParam == IMAGE_CURSOR) && kind == SS_ICON);
      return fits ? reinterpret_cast<LRESULT>(s->Image) : 0;
    }
    case STM_SETICON:
      if ((style & SS_TYPEMASK) != SS_ICON)
        return 0;
      return reinterpret_cast<LRESULT>(SetImage(hwnd, s, reinterpret_cast<HGDIOBJ>(wParam)));
    case STM_GETICON: return (style & SS_TYPEMASK) == SS_ICON ? reinterpret_cast<LRESULT>(s->Image) : 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}
