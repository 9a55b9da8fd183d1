// The list box's window procedure: the dispatch of the window messages, their
// handlers and painting, over TListBoxData.
#include "platform/win/controls/ListBox.h"

#include <algorithm>

#include "platform/win/controls/ListBoxData.h"
#include "platform/win/controls/ListBoxHandlers.h"

using namespace controls;
using namespace controls::listbox;

namespace {

void PaintItem(TListBoxData* l, HDC dc, int i, const TRect& r, HBRUSH back, COLORREF text, bool enabled)
{
  bool selected = l->IsSelected(i);
  bool focus = l->Focused && i == l->CaretIndex && !HideFocus(l->Hwnd);
  if (l->OwnerDraw()) {
    DRAWITEMSTRUCT di;
    di.CtlType = ODT_LISTBOX;
    di.CtlID = UINT(GetWindowLongPtr(l->Hwnd, GWL_ID));
    di.itemID = UINT(i);
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    di.hwndItem = l->Hwnd;
    di.hDC = dc;
    di.rcItem = r;
    di.itemData = l->DataAt(i);
    if (l->Count() == 0)
      di.itemID = UINT(-1);
    int saved = SaveDC(dc);
    if (HWND target = NotifyTarget(l->Hwnd))
      SendMessage(target, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    RestoreDC(dc, saved);
    return;
  }
  if (!l->Valid(i))
    return;
  TRect box = r;
  if (selected) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillRect(dc, &box, back);
    SetTextColor(dc, enabled ? text : GetSysColor(COLOR_GRAYTEXT));
  }
  const std::string& s = l->Items[std::size_t(i)].Text;
  int x = r.Left + 2 - l->XOffset;
  if (l->Style & LBS_USETABSTOPS)
    TabbedTextOutA(dc, x, r.Top, s.data(), int(s.size()), int(l->TabStops.size()),
                   l->TabStops.empty() ? nullptr : l->TabStops.data(), x);
  else
    ExtTextOutA(dc, x, r.Top, ETO_CLIPPED, &box, s.data(), UINT(s.size()), nullptr);
  if (focus) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &box);
  }
}

void Paint(TListBoxData* l)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(l->Hwnd, &ps);
  if (!dc)
    return;
  bool enabled = IsWindowEnabled(l->Hwnd);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(l->Font));
  HBRUSH back = ControlBrush(l->Hwnd, dc, WM_CTLCOLORLISTBOX);
  COLORREF text = GetTextColor(dc);
  SetBkMode(dc, TRANSPARENT);
  TRect client = l->Client();
  FillRect(dc, &client, back);
  int n = l->Count();
  if (n == 0 && l->Focused && l->OwnerDraw() == false && !HideFocus(l->Hwnd)) {
    // An empty list shows the focus on its first row.
    TRect r(0, 0, client.Right, l->ItemHeight);
    DrawFocusRect(dc, &r);
  }
  for (int i = l->Top; i < n; ++i) {
    TRect r;
    l->ItemRect(i, r);
    if (r.Top >= client.Bottom && !l->Columns())
      break;
    if (r.Left >= client.Right)
      break;
    TRect hit;
    if (!IntersectRect(&hit, &r, &ps.rcPaint))
      continue;
    PaintItem(l, dc, i, r, back, text, enabled);
  }
  SelectObject(dc, oldFont);
  EndPaint(l->Hwnd, &ps);
}

LRESULT OnCreate(TListBoxData* l)
{
  HWND hwnd = l->Hwnd;
  if (l->OwnerDraw() && !l->Variable()) {
    // A fixed owner-drawn list asks its parent once for the item height.
    MEASUREITEMSTRUCT mi;
    mi.CtlType = ODT_LISTBOX;
    mi.CtlID = UINT(GetWindowLongPtr(hwnd, GWL_ID));
    mi.itemHeight = UINT(l->ItemHeight);
    mi.itemWidth = UINT(l->Client().Width());
    if (HWND target = NotifyTarget(hwnd))
      SendMessage(target, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
    if (mi.itemHeight > 0)
      l->ItemHeight = std::min(int(mi.itemHeight), 255);
  }
  l->UpdateScrollBars();
  return 0;
}

LRESULT OnWindowPosChanging(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam)
{
  HWND hwnd = l->Hwnd;
  // Without LBS_NOINTEGRALHEIGHT the height holds whole items.
  auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
  if (wp && !(wp->flags & SWP_NOSIZE) && !(l->Style & LBS_NOINTEGRALHEIGHT) && !l->Variable()) {
    TRect window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    int frame = window.Height() - client.Height();
    int inner = wp->cy - frame;
    if (inner > l->ItemHeight)
      wp->cy = frame + inner - inner % l->ItemHeight;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT OnSetFont(TListBoxData* l, WPARAM wParam)
{
  l->Font = reinterpret_cast<HFONT>(wParam);
  {
    int h;
    FontMetrics(l->Font, h, l->AveChar);
    if (!l->OwnerDraw())
      l->ItemHeight = h;
  }
  Relayout(l);
  return 0;
}

// WM_SETFOCUS and WM_KILLFOCUS: the caret's item (or an empty list's focus
// row) repaints, and the parent hears of it.
LRESULT OnFocus(TListBoxData* l, bool focused)
{
  l->Focused = focused;
  l->RedrawItem(l->CaretIndex);
  if (l->Count() == 0)
    l->Redraw();
  l->Notify(focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

LRESULT ListBoxMessage(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

namespace controls::listbox {

void Relayout(TListBoxData* l)
{
  l->Top = std::clamp(l->Top, 0, l->LastTop());
  l->UpdateScrollBars();
  l->Redraw();
}

}  // namespace controls::listbox

LRESULT ListBoxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* l = DataOf<TListBoxData>(hwnd);
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
    l = new TListBoxData(hwnd, DWORD(cs->style));
    SetDataOf(hwnd, l);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!l)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetDataOf(hwnd, nullptr);
    delete l;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  return ListBoxMessage(l, msg, wParam, lParam);
}

namespace {

LRESULT ListBoxMessage(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
    // The window.
    case WM_CREATE: return OnCreate(l);
    case WM_DESTROY:
      l->Reset();
      return 0;
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(l, msg, wParam, lParam);
    case WM_SIZE:
      Relayout(l);
      return 0;
    case WM_PAINT:
      Paint(l);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT: return OnSetFont(l, wParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(l->Font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;

    // Focus, keyboard and mouse.
    case WM_SETFOCUS: return OnFocus(l, true);
    case WM_KILLFOCUS: return OnFocus(l, false);
    case WM_ENABLE:
      l->Redraw();
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(l, wParam);
      return 0;
    case WM_CHAR:
      OnChar(l, wParam);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(l, TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(l, TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(l);
      return 0;
    case WM_CAPTURECHANGED: return OnCaptureChanged(l, lParam);

    // Scrolling.
    case WM_MOUSEWHEEL: return OnMouseWheel(l, wParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
      controls::listbox::OnScroll(l, msg == WM_VSCROLL, LOWORD(wParam), SHORT(HIWORD(wParam)));
      return 0;

    default: return ListBoxControlMessage(l, msg, wParam, lParam);
  }
}

}  // namespace
