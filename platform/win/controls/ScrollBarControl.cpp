#include "platform/win/controls/ScrollBarControl.h"

#include <algorithm>

#include "platform/win/controls/ControlSupport.h"

using namespace controls;

namespace {

struct TScrollBarData {
  int Min = 0, Max = 100, Page = 0, Pos = 0, TrackPos = 0;
  UINT Disabled = ESB_ENABLE_BOTH;
  DWORD Style = 0;
  bool Vertical() const { return Style & SBS_VERT; }
  bool Grip() const { return Style & (SBS_SIZEGRIP | SBS_SIZEBOX); }
  void Normalise()
  {
    if (Max < Min)
      Max = Min;
    int range = Max - Min + 1;
    Page = std::clamp(Page, 0, range);
    int last = Max - std::max(Page - 1, 0);
    Pos = std::clamp(Pos, Min, std::max(Min, last));
    TrackPos = std::clamp(TrackPos, Min, std::max(Min, last));
  }
  SCROLLINFO Info() const
  {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = Min;
    si.nMax = Max;
    si.nPage = UINT(Page);
    si.nPos = Pos;
    si.nTrackPos = TrackPos;
    return si;
  }
};

TScrollBarData* ScrollBarOf(HWND hwnd) { return DataOf<TScrollBarData>(hwnd); }

bool ReadValues(HWND hwnd, SCROLLINFO& si, UINT& disabled)
{
  TScrollBarData* d = ScrollBarOf(hwnd);
  if (!d)
    return false;
  si = d->Info();
  disabled = IsWindowEnabled(hwnd) ? d->Disabled : ESB_DISABLE_BOTH;
  return true;
}

void SetTrack(HWND hwnd, int pos)
{
  if (TScrollBarData* d = ScrollBarOf(hwnd))
    d->TrackPos = pos;
}

void Paint(HWND hwnd, TScrollBarData* d)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc)
    return;
  TRect r;
  GetClientRect(hwnd, &r);
  // The parent may colour the track; the classic bar paints it itself.
  ControlBrush(hwnd, dc, WM_CTLCOLORSCROLLBAR);
  if (d->Grip()) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (d->Style & SBS_SIZEGRIP)
      DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  } else {
    SCROLLINFO si;
    UINT disabled;
    ReadValues(hwnd, si, disabled);
    DrawScrollBarControl(dc, r, d->Vertical(), si, disabled);
  }
  EndPaint(hwnd, &ps);
}

LRESULT SetInfo(HWND hwnd, TScrollBarData* d, const SCROLLINFO* si, bool redraw)
{
  if (!si)
    return 0;
  if (si->fMask & SIF_RANGE) {
    d->Min = si->nMin;
    d->Max = si->nMax;
  }
  if (si->fMask & SIF_PAGE)
    d->Page = int(std::min<UINT>(si->nPage, 0x7FFFFFFF));
  if (si->fMask & SIF_POS)
    d->Pos = si->nPos;
  d->Normalise();
  if (redraw)
    InvalidateRect(hwnd, nullptr, TRUE);
  return d->Pos;
}

}  // namespace

LRESULT ScrollBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TScrollBarData* d = ScrollBarOf(hwnd);
  if (msg == WM_NCCREATE) {
    d = new TScrollBarData;
    d->Style = DWORD(reinterpret_cast<CREATESTRUCT*>(lParam)->style);
    SetDataOf(hwnd, d);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!d)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY:
      SetDataOf(hwnd, nullptr);
      delete d;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_PAINT:
      Paint(hwnd, d);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (d->Grip()) {
        // The grip sizes the top-level window, as its corner does.
        HWND root = GetAncestor(hwnd, GA_ROOT);
        ClientToScreen(hwnd, &pt);
        SendMessage(root, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, MAKELPARAM(WORD(pt.x), WORD(pt.y)));
        return 0;
      }
      TRect r;
      GetClientRect(hwnd, &r);
      ClientToScreen(hwnd, &pt);
      if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_TABSTOP)
        SetFocus(hwnd);
      TrackScrollBarControl(hwnd, r, d->Vertical(), pt, NotifyTarget(hwnd), ReadValues, SetTrack);
      return 0;
    }
    case WM_NCHITTEST:
      if (d->Grip() && (d->Style & SBS_SIZEGRIP))
        return HTBOTTOMRIGHT;
      return HTCLIENT;
    case WM_KEYDOWN: {
      // The arrows, pages and ends scroll as the bar's own parts do.
      WORD code;
      switch (wParam) {
        case VK_UP: case VK_LEFT: code = SB_LINEUP; break;
        case VK_DOWN: case VK_RIGHT: code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
        default: return 0;
      }
      if (HWND target = NotifyTarget(hwnd)) {
        UINT m = d->Vertical() ? WM_VSCROLL : WM_HSCROLL;
        SendMessage(target, m, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(hwnd));
        if (IsWindow(hwnd))
          SendMessage(target, m, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(hwnd));
      }
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case SBM_SETSCROLLINFO: return SetInfo(hwnd, d, reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
    case SBM_GETSCROLLINFO: {
      auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
      if (!si)
        return FALSE;
      if (si->fMask & SIF_RANGE) {
        si->nMin = d->Min;
        si->nMax = d->Max;
      }
      if (si->fMask & SIF_PAGE)
        si->nPage = UINT(d->Page);
      if (si->fMask & SIF_POS)
        si->nPos = d->Pos;
      if (si->fMask & SIF_TRACKPOS)
        si->nTrackPos = d->TrackPos;
      return (si->fMask & SIF_ALL) ? TRUE : FALSE;
    }
    case SBM_SETPOS: {
      int old = d->Pos;
      SCROLLINFO si;
      si.fMask = SIF_POS;
      si.nPos = int(wParam);
      SetInfo(hwnd, d, &si, lParam != 0);
      return old;
    }
    case SBM_GETPOS: return d->Pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int old = d->Pos;
      SCROLLINFO si;
      si.fMask = SIF_RANGE;
      si.nMin = int(wParam);
      si.nMax = int(lParam);
      SetInfo(hwnd, d, &si, msg == SBM_SETRANGEREDRAW);
      return old;
    }
    case SBM_GETRANGE:
      if (wParam)
        *reinterpret_cast<int*>(wParam) = d->Min;
      if (lParam)
        *reinterpret_cast<int*>(lParam) = d->Max;
      return 0;
    case SBM_ENABLE_ARROWS:
      d->Disabled = UINT(wParam) & ESB_DISABLE_BOTH;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}
