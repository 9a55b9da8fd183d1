// The list box's keyboard, mouse and scrolling: caret moves and the
// selection modes, type-ahead search, clicks and drags, the wheel and the
// scroll bars.
#include <algorithm>

#include "platform/base/Clock.h"
#include "platform/base/Utf.h"
#include "platform/win/controls/ListBoxData.h"
#include "platform/win/controls/ListBoxHandlers.h"

using namespace controls;
using namespace controls::listbox;

namespace {

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

}  // namespace

namespace controls::listbox {

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

LRESULT OnCaptureChanged(TListBoxData* l, LPARAM lParam)
{
  HWND hwnd = l->Hwnd;
  if (l->Tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
    l->Tracking = false;
    if (l->SelChangedWhileTracking) {
      l->SelChangedWhileTracking = false;
      l->Notify(LBN_SELCHANGE);
    }
  }
  return 0;
}

LRESULT OnMouseWheel(TListBoxData* l, WPARAM wParam)
{
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  if (l->Columns())
    l->SetTop(l->Top - notches * l->RowsPerColumn());
  else
    l->SetTop(l->Top - notches * int(lines));
  return 0;
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

}  // namespace controls::listbox
