// TUtxCustomListBox: a list box over the layer's "LISTBOX" window class
// whose lines live in the window (TUtListBoxStrings talks to it directly).
// It draws its lines itself (a default text drawing or OnDrawItem), keeps
// the horizontal scroll extent in step with the widest line, starts drags
// by its own rules, paints into a given device context, and keeps its
// lines, top line and selection when its window is re-created.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/utility/controls/UtExControls.h"
#include "platform/base/StringList.h"
#include "platform/classes/controls/ControlCanvas.h"
#include "platform/classes/forms/FormTypes.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TUtxCustomListBox;

using TGetItemWidthEvent = Method<void(TWinControl* Control, int Index, int& Width)>;

class TUtListBoxStrings : public TStrings {
public:
  explicit TUtListBoxStrings(TUtxCustomListBox* ListBox) : FListBox(ListBox) {}
  int Add(const std::string& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const std::string& S) override;
  TUtxCustomListBox* ListBox() const { return FListBox; }

protected:
  std::string Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

  TUtxCustomListBox* FListBox;
};

class TUtxCustomListBox : public TUtWinControl {
public:
  explicit TUtxCustomListBox(TComponent* AOwner);
  ~TUtxCustomListBox() override;

  virtual TStrings* Items() const { return FItems.get(); }
  virtual void SetItems(TStrings* Value);
  TCanvas* Canvas() const { return FCanvas.get(); }
  virtual int ItemHeight();
  void SetItemHeight(int Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  bool GraySelection() const { return FGraySelection; }
  void SetGraySelection(bool Value);
  // True only while Columns is 0.
  bool AutoScroll() const { return FAutoScroll && FColumns == 0; }
  void SetAutoScroll(bool Value);
  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value);
  TGetItemWidthEvent OnGetItemWidth() const { return FOnGetItemWidth; }
  void SetOnGetItemWidth(TGetItemWidthEvent Value);
  TMeasureItemEvent OnMeasureItem;

  int ItemIndex();
  void SetItemIndex(int Value);
  int TopIndex();
  void SetTopIndex(int Value);
  int SelCount();
  bool Selected(int Index);
  TRect ItemBounds(int Index);
  // The line under a client point; below the last line -1 when Existing,
  // else the line count; outside the client area -1.
  int ItemIndexAtPoint(TPoint Pos, bool Existing);
  // The widest line seen, as sent with LB_SETHORIZONTALEXTENT.
  int HorizontalExtent() const { return FMaxItemWidth; }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

protected:
  friend class TUtListBoxStrings;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void HandleResize() override;
  void HandleFocusGained(HWND Previous) override;
  void HandleFocusLost(HWND Next) override;
  // A drag that ended without a drop replays the press that started it.
  void DoEndDrag(TObject* Target, int X, int Y) override;

  virtual std::unique_ptr<TUtListBoxStrings> CreateItemStrings();
  // The width line Index needs (Text is its text), for the horizontal extent.
  virtual int MeasureItemWidth(int Index, const std::string& Text);
  virtual void PaintItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItemHeight(int Index, int& Height);
  virtual std::intptr_t ReadItemData(int Index);
  virtual void WriteItemData(int Index, std::intptr_t Value);
  virtual void ClearAllItems();
  virtual void RemoveItem(int Index);
  // After the saved lines are back in the new window.
  virtual void LinesRestored() {}

  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  void PaintToDC(HDC DC);
  void RecomputeHorizontalExtent();
  void SendHorizontalExtent();
  void ScrollToLeftEnd();
  int TabStopPixels();
  // The width of a text in the control's font, measured in a context of the
  // list's own (the window's context would be fetched and freed per line).
  int TextWidthInFont(const std::string& Text);
  void UpdateColumnWidth();
  bool DestroyingNow() const;
  // Creates the strings object; descendants call it from their constructor
  // (a virtual call is not possible from the base constructor).
  void MakeItemStrings() { FItems = CreateItemStrings(); }

  std::unique_ptr<TUtListBoxStrings> FItems;
  TBorderStyle FBorderStyle = bsSingle;
  std::unique_ptr<TControlCanvas> FCanvas;
  int FColumns = 0;
  int FItemHeight = 16;
  TListBoxStyle FStyle = lbStandard;
  bool FIntegralHeight = false;
  bool FMultiSelect = false;
  bool FSorted = false;
  bool FExtendedSelect = true;
  int FTabWidth = 0;
  std::unique_ptr<TStringList> FSaveItems;
  int FSaveTopIndex = 0;
  int FSaveItemIndex = -1;
  bool FAutoScroll = false;
  bool FGraySelection = false;
  int FMaxItemWidth = 0;
  TDrawItemEvent FOnDrawItem;
  TGetItemWidthEvent FOnGetItemWidth;
  HDC FMeasureDC = nullptr;
};
