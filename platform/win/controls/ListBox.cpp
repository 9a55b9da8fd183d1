// The list box's window procedure: messages, painting, keyboard and mouse
// over TListBoxData.
#include "platform/win/controls/ListBox.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/base/Utf.h"
#include "platform/win/controls/ListBoxData.h"

using namespace controls;

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

// The caret moves to i by the user; the selection follows the mode.
void UserMove(TListBoxData* l, int i, bool shift, bool ctrl)
{
  if (l->Count() == 0)
    return;
  i = std::clamp(i, 0, l->Count() - 1);
  if (l->NoSel()) {
    l->SetCaret(i, true);
    return;
  }
  if (!l->Multi()) {
    bool changed = l->Current != i;
    l->SetCurrent(i);
    l->SetCaret(i, true);
    if (changed)
      l->Notify(LBN_SELCHANGE);
    return;
  }
  if (l->Extended() && !ctrl) {
    int anchor = shift ? l->AnchorIndex : i;
    // The range from the anchor is the selection.
    l->ClearSelection();
    l->SelectRange(anchor, i, true);
    l->AnchorIndex = anchor;
    l->SetCaret(i, true);
    l->Notify(LBN_SELCHANGE);
    return;
  }
  l->SetCaret(i, true);  // multiple selection and Ctrl: the caret moves alone
}

void ToggleCaret(TListBoxData* l)
{
  int i = l->CaretIndex;
  if (!l->Multi() || !l->Valid(i) || l->NoSel())
    return;
  l->SetSelectedFlag(i, !l->IsSelected(i));
  l->AnchorIndex = i;
  l->RedrawItem(i);
  l->Notify(LBN_SELCHANGE);
}

void OnKeyDown(TListBoxData* l, WPARAM vk)
{
  HWND hwnd = l->Hwnd;
  int caret = l->CaretIndex;
  if (l->Style & LBS_WANTKEYBOARDINPUT) {
    HWND target = NotifyTarget(hwnd);
    LRESULT r = target ? SendMessage(target, WM_VKEYTOITEM, MAKEWPARAM(WORD(vk), WORD(caret)),
                                     reinterpret_cast<LPARAM>(hwnd))
                       : -1;
    if (!IsWindow(hwnd) || r == -2)
      return;
    if (r >= 0) {
      UserMove(l, int(r), false, false);
      return;
    }
  }
  bool shift = KeyIsDown(VK_SHIFT), ctrl = KeyIsDown(VK_CONTROL);
  int page = std::max(1, l->VisibleCount() - (l->Columns() ? 0 : 1));
  int rows = l->RowsPerColumn();
  int target = -1;
  switch (vk) {
    case VK_UP: target = caret - 1; break;
    case VK_DOWN: target = caret + 1; break;
    case VK_LEFT: target = l->Columns() ? caret - rows : caret - 1; break;
    case VK_RIGHT: target = l->Columns() ? caret + rows : caret + 1; break;
    case VK_PRIOR: target = caret - page; break;
    case VK_NEXT: target = caret + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = l->Count() - 1; break;
    case VK_SPACE:
      if (l->Extended() && !ctrl) {
        UserMove(l, caret, shift, false);
      } else if (l->Multi()) {
        ToggleCaret(l);
      }
      return;
    default: return;
  }
  if (l->Count() == 0)
    return;
  UserMove(l, target, shift, ctrl);
}

int FindPrefix(TListBoxData* l, int start, const std::string& prefix, bool exact)
{
  int n = l->Count();
  if (n == 0 || !l->HasStrings())
    return int(LB_ERR);
  int first = (start < -1 || start >= n) ? 0 : start + 1;
  for (int k = 0; k < n; ++k) {
    int i = (first + k) % n;
    const std::string& t = l->Items[std::size_t(i)].Text;
    if (exact ? CompareTextNoCase(t, prefix) == 0 : StartsWithNoCase(t, prefix))
      return i;
  }
  return int(LB_ERR);
}

int FindData(TListBoxData* l, int start, ULONG_PTR data)
{
  int n = l->Count();
  if (l->NoData())
    return int(LB_ERR);
  int first = (start < -1 || start >= n) ? 0 : start + 1;
  for (int k = 0; k < n; ++k) {
    int i = (first + k) % n;
    if (l->Items[std::size_t(i)].Data == data)
      return i;
  }
  return int(LB_ERR);
}

void OnChar(TListBoxData* l, WPARAM ch)
{
  HWND hwnd = l->Hwnd;
  if ((l->Style & LBS_WANTKEYBOARDINPUT) && !l->HasStrings()) {
    HWND target = NotifyTarget(hwnd);
    LRESULT r = target ? SendMessage(target, WM_CHARTOITEM, MAKEWPARAM(WORD(ch), WORD(l->CaretIndex)),
                                     reinterpret_cast<LPARAM>(hwnd))
                       : -1;
    if (!IsWindow(hwnd) || r < 0)
      return;
    UserMove(l, int(r), false, false);
    return;
  }
  if (ch < 0x20 || !l->HasStrings())
    return;
  if (ch == ' ' && l->Multi())
    return;  // Space toggles (WM_KEYDOWN)
  // Type-ahead: characters typed within two seconds of each other make a prefix.
  DWORD now = DWORD(GetTickCount64());
  if (now - l->SearchTime > 2000)
    l->Search.clear();
  l->SearchTime = now;
  std::string c;
  AppendUtf8(c, char32_t(ch));
  bool repeat = l->Search == c;
  if (!repeat)
    l->Search += c;
  int from = (l->Search.size() > c.size()) ? l->CaretIndex - 1 : l->CaretIndex;
  int found = FindPrefix(l, from, repeat ? c : l->Search, false);
  if (found >= 0)
    UserMove(l, found, false, false);
}

void TrackTo(TListBoxData* l, int i, bool outside)
{
  (void)outside;
  if (!l->Valid(i) || l->NoSel())
    return;
  if (!l->Multi()) {
    if (l->Current != i) {
      l->SetCurrent(i);
      l->SelChangedWhileTracking = true;
    }
    l->SetCaret(i, true);
    return;
  }
  if (l->Extended()) {
    // The range from the anchor follows the pointer.
    int a = l->AnchorIndex;
    int old = l->CaretIndex;
    if (old != i) {
      l->SelectRange(a, old, !l->TrackAdds);
      l->SelectRange(a, i, l->TrackAdds);
      l->SelChangedWhileTracking = true;
    }
    l->SetCaret(i, true);
  }
}

void OnButtonDown(TListBoxData* l, TPoint pt, bool dbl)
{
  HWND hwnd = l->Hwnd;
  if (GetFocus() != hwnd)
    SetFocus(hwnd);
  if (!IsWindow(hwnd))
    return;
  bool outside;
  int i = l->ItemAt(pt, outside);
  if (outside || !l->Valid(i))
    return;
  bool shift = KeyIsDown(VK_SHIFT), ctrl = KeyIsDown(VK_CONTROL);
  l->SelChangedWhileTracking = false;
  if (l->NoSel()) {
    l->SetCaret(i, true);
  } else if (!l->Multi()) {
    if (l->Current != i)
      l->SelChangedWhileTracking = true;
    l->SetCurrent(i);
    l->SetCaret(i, true);
  } else if (l->Extended()) {
    if (shift) {
      if (!ctrl)
        l->ClearSelection();
      l->SelectRange(l->AnchorIndex, i, true);
      l->TrackAdds = true;
    } else if (ctrl) {
      l->SetSelectedFlag(i, !l->IsSelected(i));
      l->TrackAdds = l->IsSelected(i);
      l->AnchorIndex = i;
      l->RedrawItem(i);
    } else {
      l->ClearSelection();
      l->SetSelectedFlag(i, true);
      l->RedrawItem(i);
      l->AnchorIndex = i;
      l->TrackAdds = true;
    }
    l->SetCaret(i, true);
    l->SelChangedWhileTracking = true;
  } else {
    l->SetSelectedFlag(i, !l->IsSelected(i));
    l->RedrawItem(i);
    l->AnchorIndex = i;
    l->SetCaret(i, true);
    l->SelChangedWhileTracking = true;
  }
  l->Tracking = true;
  SetCapture(hwnd);
  if (dbl) {
    // A double click selects as a click does, then tells the parent.
    l->Tracking = false;
    ReleaseCapture();
    if (!IsWindow(hwnd))
      return;
    if (l->SelChangedWhileTracking)
      l->Notify(LBN_SELCHANGE);
    if (IsWindow(hwnd))
      l->Notify(LBN_DBLCLK);
  }
}

void OnMouseMove(TListBoxData* l, TPoint pt)
{
  if (!l->Tracking)
    return;
  if (!(l->Style & LBS_MULTIPLESEL) || l->Extended()) {
    TRect c = l->Client();
    // Outside the list it scrolls toward the pointer, one item per move.
    if (!l->Columns() && pt.y < 0 && l->Top > 0)
      l->SetTop(l->Top - 1);
    else if (!l->Columns() && pt.y >= c.Bottom && l->Top < l->LastTop())
      l->SetTop(l->Top + 1);
    bool outside;
    int i = l->ItemAt(TPoint(std::clamp(pt.x, 0, std::max(0, c.Right - 1)), pt.y), outside);
    TrackTo(l, i, outside);
  }
}

void OnButtonUp(TListBoxData* l)
{
  if (!l->Tracking)
    return;
  l->Tracking = false;
  HWND hwnd = l->Hwnd;
  if (GetCapture() == hwnd)
    ReleaseCapture();
  if (IsWindow(hwnd) && l->SelChangedWhileTracking) {
    l->SelChangedWhileTracking = false;
    l->Notify(LBN_SELCHANGE);
  }
}

void OnScroll(TListBoxData* l, bool vertical, WORD code, int thumb)
{
  if (vertical && !l->Columns()) {
    int page = std::max(1, l->VisibleCount() - 1);
    int top = l->Top;
    switch (code) {
      case SB_LINEUP: top -= 1; break;
      case SB_LINEDOWN: top += 1; break;
      case SB_PAGEUP: top -= page; break;
      case SB_PAGEDOWN: top += page; break;
      case SB_TOP: top = 0; break;
      case SB_BOTTOM: top = l->Count(); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(l->Hwnd, SB_VERT, &si);
        top = code == SB_THUMBTRACK ? si.nTrackPos : thumb;
        break;
      }
      default: return;
    }
    l->SetTop(top);
    return;
  }
  if (l->Columns()) {
    int rows = l->RowsPerColumn();
    int col = l->Top / rows;
    int cols = std::max(1, l->Client().Width() / std::max(1, l->ColumnWidth));
    switch (code) {
      case SB_LINELEFT: col -= 1; break;
      case SB_LINERIGHT: col += 1; break;
      case SB_PAGELEFT: col -= cols; break;
      case SB_PAGERIGHT: col += cols; break;
      case SB_LEFT: col = 0; break;
      case SB_RIGHT: col = l->Count(); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(l->Hwnd, SB_HORZ, &si);
        col = code == SB_THUMBTRACK ? si.nTrackPos : thumb;
        break;
      }
      default: return;
    }
    l->SetTop(std::max(0, col) * rows);
    return;
  }
  int x = l->XOffset, width = l->Client().Width();
  switch (code) {
    case SB_LINELEFT: x -= l->AveChar; break;
    case SB_LINERIGHT: x += l->AveChar; break;
    case SB_PAGELEFT: x -= width; break;
    case SB_PAGERIGHT: x += width; break;
    case SB_LEFT: x = 0; break;
    case SB_RIGHT: x = l->HorizontalExtent; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(l->Hwnd, SB_HORZ, &si);
      x = code == SB_THUMBTRACK ? si.nTrackPos : thumb;
      break;
    }
    default: return;
  }
  x = std::clamp(x, 0, std::max(0, l->HorizontalExtent - width));
  if (x != l->XOffset) {
    l->XOffset = x;
    l->UpdateScrollBars();
    l->Redraw();
  }
}

void Relayout(TListBoxData* l)
{
  l->Top = std::clamp(l->Top, 0, l->LastTop());
  l->UpdateScrollBars();
  l->Redraw();
}

LRESULT ListBoxMessage(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

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
  HWND hwnd = l->Hwnd;
  switch (msg) {
    case WM_CREATE:
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
    case WM_DESTROY:
      l->Reset();
      return 0;
    case WM_WINDOWPOSCHANGING: {
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
    case WM_SIZE:
      Relayout(l);
      return 0;
    case WM_PAINT:
      Paint(l);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      l->Font = reinterpret_cast<HFONT>(wParam);
      {
        int h;
        FontMetrics(l->Font, h, l->AveChar);
        if (!l->OwnerDraw())
          l->ItemHeight = h;
      }
      Relayout(l);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(l->Font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      l->Focused = true;
      l->RedrawItem(l->CaretIndex);
      if (l->Count() == 0)
        l->Redraw();
      l->Notify(LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      l->Focused = false;
      l->RedrawItem(l->CaretIndex);
      if (l->Count() == 0)
        l->Redraw();
      l->Notify(LBN_KILLFOCUS);
      return 0;
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
    case WM_CAPTURECHANGED:
      if (l->Tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
        l->Tracking = false;
        if (l->SelChangedWhileTracking) {
          l->SelChangedWhileTracking = false;
          l->Notify(LBN_SELCHANGE);
        }
      }
      return 0;
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      if (l->Columns())
        l->SetTop(l->Top - notches * l->RowsPerColumn());
      else
        l->SetTop(l->Top - notches * int(lines));
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(l, msg == WM_VSCROLL, LOWORD(wParam), SHORT(HIWORD(wParam)));
      return 0;

    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      const char* s = l->HasStrings() && lParam ? reinterpret_cast<const char*>(lParam) : "";
      int at;
      if (msg == LB_ADDSTRING)
        at = (l->Style & LBS_SORT) ? l->SortedPlace(s, ULONG_PTR(lParam)) : l->Count();
      else
        at = int(wParam) == -1 ? l->Count() : int(wParam);
      if (msg == LB_INSERTSTRING && (at < 0 || at > l->Count()))
        return LB_ERR;
      int r = l->Insert(at, s, ULONG_PTR(lParam));
      if (r >= 0)
        Relayout(l);
      return r;
    }
    case LB_DELETESTRING: {
      int r = l->Delete(int(wParam));
      if (r >= 0)
        Relayout(l);
      return r;
    }
    case LB_RESETCONTENT:
      l->Reset();
      Relayout(l);
      return 0;
    case LB_SETCOUNT:
      if (!l->NoData())
        return LB_ERR;
      if (int(wParam) < 0)
        return LB_ERRSPACE;
      l->NoDataCount = int(wParam);
      l->NoDataSelected.assign(l->Multi() ? std::size_t(l->NoDataCount) : 0, 0);
      if (l->Current >= l->NoDataCount)
        l->Current = -1;
      l->CaretIndex = std::clamp(l->CaretIndex, 0, std::max(0, l->NoDataCount - 1));
      l->AnchorIndex = std::clamp(l->AnchorIndex, 0, std::max(0, l->NoDataCount - 1));
      Relayout(l);
      return 0;
    case LB_INITSTORAGE:
      if (!l->NoData())
        l->Items.reserve(std::min<std::size_t>(l->Items.size() + wParam, 1u << 20));
      return l->Count() + LRESULT(wParam);
    case LB_GETCOUNT: return l->Count();
    case LB_GETTEXT: {
      int i = int(wParam);
      if (!l->Valid(i) || !lParam)
        return LB_ERR;
      if (!l->HasStrings()) {
        ULONG_PTR data = l->DataAt(i);
        std::memcpy(reinterpret_cast<void*>(lParam), &data, sizeof data);
        return sizeof data;
      }
      const std::string& t = l->Items[std::size_t(i)].Text;
      std::memcpy(reinterpret_cast<char*>(lParam), t.c_str(), t.size() + 1);
      return LRESULT(t.size());
    }
    case LB_GETTEXTLEN: {
      int i = int(wParam);
      if (!l->Valid(i))
        return LB_ERR;
      return l->HasStrings() ? LRESULT(l->Items[std::size_t(i)].Text.size()) : LRESULT(sizeof(ULONG_PTR));
    }
    case LB_GETITEMDATA:
      if (!l->Valid(int(wParam)))
        return LB_ERR;
      return LRESULT(l->DataAt(int(wParam)));
    case LB_SETITEMDATA: {
      int i = int(wParam);
      if (l->NoData() || (i != -1 && !l->Valid(i)))
        return LB_ERR;
      if (i == -1)
        for (auto& item : l->Items)
          item.Data = ULONG_PTR(lParam);
      else
        l->Items[std::size_t(i)].Data = ULONG_PTR(lParam);
      return TRUE;
    }
    case LB_SETCURSEL: {
      if (l->Multi())
        return LB_ERR;
      int i = int(wParam);
      l->SetCurrent(i);
      if (l->Valid(i)) {
        l->SetCaret(i, true);
        return i;
      }
      return LB_ERR;
    }
    case LB_GETCURSEL:
      if (l->Multi())
        return l->Count() ? l->CaretIndex : LB_ERR;
      return l->Current >= 0 ? l->Current : LB_ERR;
    case LB_SETSEL: {
      if (!l->Multi())
        return LB_ERR;
      int i = int(lParam);
      if (i == -1) {
        l->SelectRange(0, l->Count() - 1, wParam != 0);
        return 0;
      }
      if (!l->Valid(i))
        return LB_ERR;
      l->SetSelectedFlag(i, wParam != 0);
      l->RedrawItem(i);
      if (wParam) {
        l->AnchorIndex = i;
        l->SetCaret(i, true);
      }
      return 0;
    }
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: {
      if (!l->Multi())
        return LB_ERR;
      int a, b;
      bool on;
      if (msg == LB_SELITEMRANGE) {
        a = LOWORD(std::uintptr_t(lParam));
        b = HIWORD(std::uintptr_t(lParam));
        on = wParam != 0;
      } else {
        a = int(wParam);
        b = int(lParam);
        on = a <= b;
      }
      l->SelectRange(a, b, on);
      return 0;
    }
    case LB_GETSEL:
      if (!l->Valid(int(wParam)))
        return LB_ERR;
      return l->IsSelected(int(wParam)) ? 1 : 0;
    case LB_GETSELCOUNT: {
      if (!l->Multi())
        return LB_ERR;
      int n = 0;
      for (int i = 0; i < l->Count(); ++i)
        n += l->IsSelected(i);
      return n;
    }
    case LB_GETSELITEMS: {
      if (!l->Multi())
        return LB_ERR;
      int* out = reinterpret_cast<int*>(lParam);
      int n = 0;
      for (int i = 0; i < l->Count() && n < int(wParam) && out; ++i)
        if (l->IsSelected(i))
          out[n++] = i;
      return n;
    }
    case LB_SETTOPINDEX:
      if (!l->Valid(int(wParam)) && !(wParam == 0 && l->Count() == 0))
        return LB_ERR;
      l->SetTop(int(wParam));
      return 0;
    case LB_GETTOPINDEX: return l->Top;
    case LB_SETCARETINDEX:
      if (!l->Valid(int(wParam)))
        return LB_ERR;
      if (!l->Multi()) {
        l->SetCurrent(int(wParam));
      }
      l->SetCaret(int(wParam), !LOWORD(std::uintptr_t(lParam)));
      if (LOWORD(std::uintptr_t(lParam)) == 0)
        l->MakeVisible(int(wParam));
      return 0;
    case LB_GETCARETINDEX: return l->CaretIndex;
    case LB_SETANCHORINDEX:
      if (!l->Valid(int(wParam)))
        return LB_ERR;
      l->AnchorIndex = int(wParam);
      return 0;
    case LB_GETANCHORINDEX: return l->AnchorIndex;
    case LB_SETITEMHEIGHT: {
      int h = LOWORD(std::uintptr_t(lParam));
      if (h <= 0 || h > 255)
        return LB_ERR;
      if (l->Variable()) {
        if (!l->Valid(int(wParam)))
          return LB_ERR;
        l->Items[std::size_t(wParam)].Height = h;
      } else {
        l->ItemHeight = h;
      }
      Relayout(l);
      return 0;
    }
    case LB_GETITEMHEIGHT:
      if (l->Variable())
        return l->Valid(int(wParam)) ? l->HeightOf(int(wParam)) : LB_ERR;
      return l->ItemHeight;
    case LB_GETITEMRECT: {
      TRect r;
      if (!lParam || !l->ItemRect(int(wParam), r))
        return LB_ERR;
      *reinterpret_cast<TRect*>(lParam) = r;
      return 1;
    }
    case LB_ITEMFROMPOINT: {
      bool outside;
      int i = l->ItemAt(TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), outside);
      return MAKELRESULT(WORD(i), WORD(outside ? 1 : 0));
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
      int found;
      if (l->HasStrings())
        found = FindPrefix(l, int(wParam), lParam ? reinterpret_cast<const char*>(lParam) : "", msg == LB_FINDSTRINGEXACT);
      else
        found = FindData(l, int(wParam), ULONG_PTR(lParam));
      if (msg == LB_SELECTSTRING && found >= 0) {
        if (l->Multi()) {
          l->SetCaret(found, true);
        } else {
          l->SetCurrent(found);
          l->SetCaret(found, true);
        }
      }
      return found;
    }
    case LB_SETHORIZONTALEXTENT:
      l->HorizontalExtent = int(wParam);
      l->UpdateScrollBars();
      l->Redraw();
      return 0;
    case LB_GETHORIZONTALEXTENT: return l->HorizontalExtent;
    case LB_SETCOLUMNWIDTH:
      l->ColumnWidth = std::max(1, int(wParam));
      Relayout(l);
      return 0;
    case LB_SETTABSTOPS: {
      l->TabStops.clear();
      const int* stops = reinterpret_cast<const int*>(lParam);
      int count = int(wParam);
      if (count == 0)
        l->TabStops.push_back(l->AveChar * 8);
      for (int i = 0; i < count && stops; ++i)
        l->TabStops.push_back(stops[i] * l->AveChar / 4);
      l->Redraw();
      return TRUE;
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace
