// The state of one list box: items, selection, geometry and scrolling.
#pragma once

#include <string>
#include <vector>

#include "platform/win/controls/ControlSupport.h"

namespace controls {

struct TListItem {
  std::string Text;
  ULONG_PTR Data = 0;
  bool Selected = false;
  int Height = 0;  // owner-draw variable lists
};

class TListBoxData {
public:
  TListBoxData(HWND hwnd, DWORD style);

  HWND Hwnd;
  DWORD Style;
  bool HadVScroll = false, HadHScroll = false;  // bars the list may show
  std::vector<TListItem> Items;
  int NoDataCount = 0;               // LBS_NODATA: items without storage
  std::vector<char> NoDataSelected;  // their selection, in multi-selection lists
  int Top = 0;
  int Current = -1;  // single selection: the selected item
  int CaretIndex = 0;
  int AnchorIndex = 0;
  int ItemHeight = 13;
  HFONT Font = nullptr;
  int AveChar = 6;
  int HorizontalExtent = 0;
  int XOffset = 0;
  int ColumnWidth = 0;
  std::vector<int> TabStops;
  bool Focused = false;
  bool Tracking = false;
  bool SelChangedWhileTracking = false;
  int TrackStart = -1;
  bool TrackAdds = true;  // extended selection with Ctrl: the dragged range takes the first item's new state
  std::string Search;
  DWORD SearchTime = 0;
  bool InSize = false;

  bool OwnerDraw() const { return Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE); }
  bool Variable() const { return (Style & LBS_OWNERDRAWVARIABLE) && !(Style & LBS_MULTICOLUMN); }
  bool HasStrings() const { return !OwnerDraw() || (Style & LBS_HASSTRINGS); }
  bool NoData() const { return (Style & LBS_NODATA) && (Style & LBS_OWNERDRAWFIXED) && !(Style & (LBS_HASSTRINGS | LBS_SORT)); }
  bool Multi() const { return Style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL); }
  bool Extended() const { return Style & LBS_EXTENDEDSEL; }
  bool NoSel() const { return Style & LBS_NOSEL; }
  bool Columns() const { return Style & LBS_MULTICOLUMN; }
  int Count() const { return NoData() ? NoDataCount : int(Items.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }

  bool IsSelected(int i) const;
  void SetSelectedFlag(int i, bool on);
  ULONG_PTR DataAt(int i) const { return NoData() || !Valid(i) ? 0 : Items[std::size_t(i)].Data; }
  int HeightOf(int i) const;

  // Geometry (client coordinates).
  TRect Client() const;
  int RowsPerColumn() const;
  int VisibleCount() const;  // whole items that fit from Top
  bool ItemRect(int i, TRect& r) const;
  int ItemAt(TPoint pt, bool& outside) const;
  int LastTop() const;  // the largest useful Top

  // Items. Answer the index or LB_ERR / LB_ERRSPACE.
  int Insert(int at, const std::string& text, ULONG_PTR data);
  int SortedPlace(const std::string& text, ULONG_PTR data);
  int Delete(int i);
  void Reset();
  void Measure(int i);
  void SendDeleteItem(int i);

  // Selection and scrolling.
  void SetCurrent(int i);              // single selection
  void SelectRange(int a, int b, bool on);
  void ClearSelection();
  void SetCaret(int i, bool scroll);
  bool MakeVisible(int i);
  void SetTop(int top);
  void UpdateScrollBars();
  void Redraw() { InvalidateRect(Hwnd, nullptr, TRUE); }
  void RedrawItem(int i);
  void Notify(WORD code);
};

}  // namespace controls
