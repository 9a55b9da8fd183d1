#include "platform/win/controls/ListBoxData.h"

#include <algorithm>

namespace controls {

TListBoxData::TListBoxData(HWND hwnd, DWORD style) : Hwnd(hwnd), Style(style)
{
  // Owner-draw lists without texts cannot sort by text: they sort through
  // WM_COMPAREITEM. No-data lists need fixed heights.
  if (Style & LBS_OWNERDRAWVARIABLE)
    Style &= ~LBS_OWNERDRAWFIXED;
  HadVScroll = style & WS_VSCROLL;
  HadHScroll = style & WS_HSCROLL;
  FontMetrics(Font, ItemHeight, AveChar);
  ColumnWidth = AveChar * 16;
}

bool TListBoxData::IsSelected(int i) const
{
  if (!Valid(i))
    return false;
  if (!Multi())
    return i == Current;
  if (NoData())
    return std::size_t(i) < NoDataSelected.size() && NoDataSelected[std::size_t(i)];
  return Items[std::size_t(i)].Selected;
}

void TListBoxData::SetSelectedFlag(int i, bool on)
{
  if (!Valid(i) || !Multi())
    return;
  if (NoData()) {
    if (NoDataSelected.size() < std::size_t(NoDataCount))
      NoDataSelected.resize(std::size_t(NoDataCount), 0);
    NoDataSelected[std::size_t(i)] = on;
  } else {
    Items[std::size_t(i)].Selected = on;
  }
}

int TListBoxData::HeightOf(int i) const
{
  if (Variable() && Valid(i))
    return std::max(1, Items[std::size_t(i)].Height);
  return std::max(1, ItemHeight);
}

TRect TListBoxData::Client() const
{
  TRect r;
  GetClientRect(Hwnd, &r);
  return r;
}

int TListBoxData::RowsPerColumn() const { return std::max(1, Client().Height() / std::max(1, ItemHeight)); }

int TListBoxData::VisibleCount() const
{
  TRect c = Client();
  if (Columns())
    return RowsPerColumn() * std::max(1, c.Width() / std::max(1, ColumnWidth));
  if (!Variable())
    return std::max(1, c.Height() / std::max(1, ItemHeight));
  int h = 0, n = 0;
  for (int i = Top; i < Count(); ++i) {
    h += HeightOf(i);
    if (h > c.Height())
      break;
    ++n;
  }
  return std::max(1, n);
}

bool TListBoxData::ItemRect(int i, TRect& r) const
{
  if (!Valid(i) && !(i == 0 && Count() == 0))
    return false;
  TRect c = Client();
  if (Columns()) {
    int rows = RowsPerColumn();
    int col = (i / rows) - (Top / rows);
    int row = i % rows;
    r = TRect(col * ColumnWidth, row * ItemHeight, (col + 1) * ColumnWidth, (row + 1) * ItemHeight);
    return true;
  }
  int y = 0;
  if (Variable()) {
    if (i >= Top)
      for (int k = Top; k < i; ++k)
        y += HeightOf(k);
    else
      for (int k = i; k < Top; ++k)
        y -= HeightOf(k);
  } else {
    y = (i - Top) * ItemHeight;
  }
  r = TRect(0, y, c.Right, y + HeightOf(i));
  return true;
}

int TListBoxData::ItemAt(TPoint pt, bool& outside) const
{
  TRect c = Client();
  outside = !c.Contains(pt);
  if (Count() == 0)
    return 0;
  if (Columns()) {
    int rows = RowsPerColumn();
    int col = std::max(0, pt.x) / std::max(1, ColumnWidth);
    int row = std::clamp(pt.y / std::max(1, ItemHeight), 0, rows - 1);
    int i = (Top / rows + col) * rows + row;
    if (i >= Count()) {
      outside = true;
      i = Count() - 1;
    }
    return i;
  }
  int y = 0, i = Top;
  if (pt.y < 0) {
    outside = true;
    return std::max(0, Top - 1);
  }
  for (; i < Count(); ++i) {
    int h = HeightOf(i);
    if (pt.y < y + h)
      return i;
    y += h;
  }
  outside = true;
  return Count() - 1;
}

int TListBoxData::LastTop() const
{
  int n = Count();
  if (n == 0)
    return 0;
  if (Columns()) {
    int rows = RowsPerColumn();
    int cols = std::max(1, Client().Width() / std::max(1, ColumnWidth));
    int totalCols = (n + rows - 1) / rows;
    return std::max(0, totalCols - cols) * rows;
  }
  if (!Variable())
    return std::max(0, n - std::max(1, Client().Height() / std::max(1, ItemHeight)));
  int h = 0, height = Client().Height();
  for (int i = n - 1; i >= 0; --i) {
    h += HeightOf(i);
    if (h > height)
      return std::min(n - 1, i + 1);
  }
  return 0;
}

void TListBoxData::Measure(int i)
{
  if (!Variable() || !Valid(i))
    return;
  MEASUREITEMSTRUCT mi;
  mi.CtlType = ODT_LISTBOX;
  mi.CtlID = UINT(GetWindowLongPtr(Hwnd, GWL_ID));
  mi.itemID = UINT(i);
  mi.itemHeight = UINT(ItemHeight);
  mi.itemWidth = UINT(Client().Width());
  mi.itemData = HasStrings() ? Items[std::size_t(i)].Data : Items[std::size_t(i)].Data;
  if (HWND target = NotifyTarget(Hwnd))
    SendMessage(target, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  if (Valid(i))
    Items[std::size_t(i)].Height = std::clamp(int(mi.itemHeight), 1, 255);
}

int TListBoxData::SortedPlace(const std::string& text, ULONG_PTR data)
{
  // After the last item not greater than the new one, so equal items keep
  // the order they came in.
  int lo = 0, hi = int(Items.size());
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    int cmp;
    if (HasStrings()) {
      cmp = CompareTextNoCase(Items[std::size_t(mid)].Text, text);
    } else {
      COMPAREITEMSTRUCT ci;
      ci.CtlType = ODT_LISTBOX;
      ci.CtlID = UINT(GetWindowLongPtr(Hwnd, GWL_ID));
      ci.hwndItem = Hwnd;
      ci.itemID1 = UINT(mid);
      ci.itemData1 = Items[std::size_t(mid)].Data;
      ci.itemID2 = UINT(-1);
      ci.itemData2 = data;
      ci.dwLocaleId = 0x040C;
      HWND target = NotifyTarget(Hwnd);
      cmp = target ? int(SendMessage(target, WM_COMPAREITEM, ci.CtlID, reinterpret_cast<LPARAM>(&ci))) : 0;
    }
    if (cmp <= 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

int TListBoxData::Insert(int at, const std::string& text, ULONG_PTR data)
{
  if (NoData())
    return int(LB_ERR);
  if (Items.size() >= 0x7FFFFFF)
    return int(LB_ERRSPACE);
  if (at < 0 || at > int(Items.size()))
    at = int(Items.size());
  TListItem item;
  if (HasStrings())
    item.Text = text;
  else
    item.Data = data;
  Items.insert(Items.begin() + at, std::move(item));
  if (Current >= at)
    ++Current;
  if (CaretIndex >= at && Count() > 1)
    ++CaretIndex;
  if (AnchorIndex >= at && Count() > 1)
    ++AnchorIndex;
  Measure(at);
  return at;
}

void TListBoxData::SendDeleteItem(int i)
{
  if (NoData() || !Valid(i))
    return;
  ULONG_PTR data = Items[std::size_t(i)].Data;
  if (!OwnerDraw() && data == 0)
    return;
  DELETEITEMSTRUCT di;
  di.CtlType = ODT_LISTBOX;
  di.CtlID = UINT(GetWindowLongPtr(Hwnd, GWL_ID));
  di.itemID = UINT(i);
  di.hwndItem = Hwnd;
  di.itemData = data;
  if (HWND target = NotifyTarget(Hwnd))
    SendMessage(target, WM_DELETEITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
}

int TListBoxData::Delete(int i)
{
  if (!Valid(i) || NoData())
    return int(LB_ERR);
  SendDeleteItem(i);
  if (!Valid(i))
    return int(LB_ERR);
  Items.erase(Items.begin() + i);
  if (Current == i)
    Current = -1;
  else if (Current > i)
    --Current;
  if (CaretIndex > i || (CaretIndex == i && CaretIndex >= Count()))
    CaretIndex = std::max(0, CaretIndex - 1);
  if (AnchorIndex > i || (AnchorIndex == i && AnchorIndex >= Count()))
    AnchorIndex = std::max(0, AnchorIndex - 1);
  Top = std::clamp(Top, 0, LastTop());
  return Count();
}

void TListBoxData::Reset()
{
  for (int i = Count() - 1; i >= 0; --i)
    SendDeleteItem(i);
  Items.clear();
  NoDataCount = 0;
  NoDataSelected.clear();
  Current = -1;
  CaretIndex = AnchorIndex = Top = 0;
  XOffset = 0;
}

void TListBoxData::RedrawItem(int i)
{
  TRect r;
  if (ItemRect(i, r))
    InvalidateRect(Hwnd, &r, TRUE);
}

void TListBoxData::SetCurrent(int i)
{
  if (!Valid(i))
    i = -1;
  if (Current == i)
    return;
  RedrawItem(Current);
  Current = i;
  if (i >= 0) {
    RedrawItem(CaretIndex);
    CaretIndex = AnchorIndex = i;
  }
  RedrawItem(i);
}

void TListBoxData::SelectRange(int a, int b, bool on)
{
  if (a > b)
    std::swap(a, b);
  a = std::max(a, 0);
  b = std::min(b, Count() - 1);
  for (int i = a; i <= b; ++i)
    if (IsSelected(i) != on) {
      SetSelectedFlag(i, on);
      RedrawItem(i);
    }
}

void TListBoxData::ClearSelection() { SelectRange(0, Count() - 1, false); }

void TListBoxData::SetCaret(int i, bool scroll)
{
  if (!Valid(i))
    return;
  if (CaretIndex != i) {
    RedrawItem(CaretIndex);
    CaretIndex = i;
    RedrawItem(i);
  }
  if (scroll)
    MakeVisible(i);
}

bool TListBoxData::MakeVisible(int i)
{
  if (!Valid(i))
    return false;
  int top = Top;
  if (Columns()) {
    int rows = RowsPerColumn();
    int cols = std::max(1, Client().Width() / std::max(1, ColumnWidth));
    int col = i / rows, first = Top / rows;
    if (col < first)
      top = col * rows;
    else if (col >= first + cols)
      top = (col - cols + 1) * rows;
  } else if (i < Top) {
    top = i;
  } else if (Variable()) {
    int h = 0, height = Client().Height();
    for (int k = i; k >= Top; --k) {
      h += HeightOf(k);
      if (h > height) {
        top = std::min(i, k + 1);
        break;
      }
    }
  } else if (i >= Top + VisibleCount()) {
    top = i - VisibleCount() + 1;
  }
  if (top == Top)
    return false;
  SetTop(top);
  return true;
}

void TListBoxData::SetTop(int top)
{
  top = std::clamp(top, 0, LastTop());
  if (Columns())
    top -= top % RowsPerColumn();
  if (top == Top)
    return;
  Top = top;
  UpdateScrollBars();
  Redraw();
}

void TListBoxData::UpdateScrollBars()
{
  if (Columns()) {
    if (!HadHScroll)
      return;
    int rows = RowsPerColumn();
    int cols = std::max(1, Client().Width() / std::max(1, ColumnWidth));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((Style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, (Count() + rows - 1) / rows - 1);
    si.nPage = UINT(cols);
    si.nPos = Top / rows;
    SetScrollInfo(Hwnd, SB_HORZ, &si, TRUE);
    return;
  }
  if (HadVScroll) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((Style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, Count() - 1);
    // A page of as many items as fit; a variable list counts from the top.
    si.nPage = UINT(Count() == 0 ? 1 : Variable() ? std::max(1, LastTop() == 0 ? Count() : VisibleCount()) : std::max(1, Client().Height() / std::max(1, ItemHeight)));
    si.nPos = Top;
    SetScrollInfo(Hwnd, SB_VERT, &si, TRUE);
  }
  if (HadHScroll) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((Style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, HorizontalExtent - 1);
    si.nPage = UINT(std::max(1, Client().Width()));
    XOffset = std::clamp(XOffset, 0, std::max(0, HorizontalExtent - Client().Width()));
    si.nPos = XOffset;
    SetScrollInfo(Hwnd, SB_HORZ, &si, TRUE);
  }
}

void TListBoxData::Notify(WORD code)
{
  if (code == LBN_SETFOCUS || code == LBN_KILLFOCUS || (Style & LBS_NOTIFY))
    NotifyParent(Hwnd, code);
}

}  // namespace controls
