// The list box's own messages (LB_*): adding, removing and reading items,
// the selection, the caret and anchor, item heights and rectangles, searching,
// columns, the horizontal extent and tab stops.
#include <algorithm>
#include <cstring>

#include "platform/win/controls/ListBoxData.h"
#include "platform/win/controls/ListBoxHandlers.h"

using namespace controls;
using namespace controls::listbox;

namespace {

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

LRESULT OnInsertString(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnDeleteString(TListBoxData* l, WPARAM wParam)
{
  int r = l->Delete(int(wParam));
  if (r >= 0)
    Relayout(l);
  return r;
}

LRESULT OnSetCount(TListBoxData* l, WPARAM wParam)
{
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
}

LRESULT OnGetText(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnGetTextLen(TListBoxData* l, WPARAM wParam)
{
  int i = int(wParam);
  if (!l->Valid(i))
    return LB_ERR;
  return l->HasStrings() ? LRESULT(l->Items[std::size_t(i)].Text.size()) : LRESULT(sizeof(ULONG_PTR));
}

LRESULT OnSetItemData(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnSetCurSel(TListBoxData* l, WPARAM wParam)
{
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

LRESULT OnSetSel(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnSelItemRange(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnGetSelCount(TListBoxData* l)
{
  if (!l->Multi())
    return LB_ERR;
  int n = 0;
  for (int i = 0; i < l->Count(); ++i)
    n += l->IsSelected(i);
  return n;
}

LRESULT OnGetSelItems(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
  if (!l->Multi())
    return LB_ERR;
  int* out = reinterpret_cast<int*>(lParam);
  int n = 0;
  for (int i = 0; i < l->Count() && n < int(wParam) && out; ++i)
    if (l->IsSelected(i))
      out[n++] = i;
  return n;
}

LRESULT OnSetTopIndex(TListBoxData* l, WPARAM wParam)
{
  if (!l->Valid(int(wParam)) && !(wParam == 0 && l->Count() == 0))
    return LB_ERR;
  l->SetTop(int(wParam));
  return 0;
}

LRESULT OnSetCaretIndex(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
  if (!l->Valid(int(wParam)))
    return LB_ERR;
  if (!l->Multi()) {
    l->SetCurrent(int(wParam));
  }
  l->SetCaret(int(wParam), !LOWORD(std::uintptr_t(lParam)));
  if (LOWORD(std::uintptr_t(lParam)) == 0)
    l->MakeVisible(int(wParam));
  return 0;
}

LRESULT OnSetAnchorIndex(TListBoxData* l, WPARAM wParam)
{
  if (!l->Valid(int(wParam)))
    return LB_ERR;
  l->AnchorIndex = int(wParam);
  return 0;
}

LRESULT OnSetItemHeight(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnGetItemRect(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
  TRect r;
  if (!lParam || !l->ItemRect(int(wParam), r))
    return LB_ERR;
  *reinterpret_cast<TRect*>(lParam) = r;
  return 1;
}

LRESULT OnItemFromPoint(TListBoxData* l, LPARAM lParam)
{
  bool outside;
  int i = l->ItemAt(TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), outside);
  return MAKELRESULT(WORD(i), WORD(outside ? 1 : 0));
}

LRESULT OnFindString(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam)
{
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

LRESULT OnSetHorizontalExtent(TListBoxData* l, WPARAM wParam)
{
  l->HorizontalExtent = int(wParam);
  l->UpdateScrollBars();
  l->Redraw();
  return 0;
}

LRESULT OnSetTabStops(TListBoxData* l, WPARAM wParam, LPARAM lParam)
{
  l->TabStops = TabStopPixels(int(wParam), reinterpret_cast<const int*>(lParam), l->AveChar);
  l->Redraw();
  return TRUE;
}

}  // namespace

namespace controls::listbox {

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

LRESULT ListBoxControlMessage(TListBoxData* l, UINT msg, WPARAM wParam, LPARAM lParam)
{
  HWND hwnd = l->Hwnd;
  switch (msg) {
    // Items.
    case LB_ADDSTRING:
    case LB_INSERTSTRING: return OnInsertString(l, msg, wParam, lParam);
    case LB_DELETESTRING: return OnDeleteString(l, wParam);
    case LB_RESETCONTENT:
      l->Reset();
      Relayout(l);
      return 0;
    case LB_SETCOUNT: return OnSetCount(l, wParam);
    case LB_INITSTORAGE:
      if (!l->NoData())
        l->Items.reserve(std::min<std::size_t>(l->Items.size() + wParam, 1u << 20));
      return l->Count() + LRESULT(wParam);
    case LB_GETCOUNT: return l->Count();
    case LB_GETTEXT: return OnGetText(l, wParam, lParam);
    case LB_GETTEXTLEN: return OnGetTextLen(l, wParam);
    case LB_GETITEMDATA:
      if (!l->Valid(int(wParam)))
        return LB_ERR;
      return LRESULT(l->DataAt(int(wParam)));
    case LB_SETITEMDATA: return OnSetItemData(l, wParam, lParam);

    // The selection.
    case LB_SETCURSEL: return OnSetCurSel(l, wParam);
    case LB_GETCURSEL:
      if (l->Multi())
        return l->Count() ? l->CaretIndex : LB_ERR;
      return l->Current >= 0 ? l->Current : LB_ERR;
    case LB_SETSEL: return OnSetSel(l, wParam, lParam);
    case LB_SELITEMRANGE:
    case LB_SELITEMRANGEEX: return OnSelItemRange(l, msg, wParam, lParam);
    case LB_GETSEL:
      if (!l->Valid(int(wParam)))
        return LB_ERR;
      return l->IsSelected(int(wParam)) ? 1 : 0;
    case LB_GETSELCOUNT: return OnGetSelCount(l);
    case LB_GETSELITEMS: return OnGetSelItems(l, wParam, lParam);

    // The top item, the caret and the anchor.
    case LB_SETTOPINDEX: return OnSetTopIndex(l, wParam);
    case LB_GETTOPINDEX: return l->Top;
    case LB_SETCARETINDEX: return OnSetCaretIndex(l, wParam, lParam);
    case LB_GETCARETINDEX: return l->CaretIndex;
    case LB_SETANCHORINDEX: return OnSetAnchorIndex(l, wParam);
    case LB_GETANCHORINDEX: return l->AnchorIndex;

    // Item geometry.
    case LB_SETITEMHEIGHT: return OnSetItemHeight(l, wParam, lParam);
    case LB_GETITEMHEIGHT:
      if (l->Variable())
        return l->Valid(int(wParam)) ? l->HeightOf(int(wParam)) : LB_ERR;
      return l->ItemHeight;
    case LB_GETITEMRECT: return OnGetItemRect(l, wParam, lParam);
    case LB_ITEMFROMPOINT: return OnItemFromPoint(l, lParam);

    // Searching.
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: return OnFindString(l, msg, wParam, lParam);

    // Layout: the horizontal extent, columns and tab stops.
    case LB_SETHORIZONTALEXTENT: return OnSetHorizontalExtent(l, wParam);
    case LB_GETHORIZONTALEXTENT: return l->HorizontalExtent;
    case LB_SETCOLUMNWIDTH:
      l->ColumnWidth = std::max(1, int(wParam));
      Relayout(l);
      return 0;
    case LB_SETTABSTOPS: return OnSetTabStops(l, wParam, lParam);

    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace controls::listbox
