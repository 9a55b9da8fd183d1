// TCustomListBox: a list over the "ListBox" window class: standard, owner
// drawn (fixed or variable item heights, drawn on Canvas by DrawItem or
// OnDrawItem) and virtual (items asked of OnData; Count set by the program)
// styles, single or multiple selection. Items and the selection survive a
// re-creation of the window.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/StringList.h"
#include "platform/classes/controls/ControlCanvas.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/FormTypes.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TCustomListBox;

// The items of a list box, read from and written to its window.
class TListBoxStrings : public TStrings {
public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}
  int Add(const std::string& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  void Insert(int Index, const std::string& S) override;
  int IndexOf(const std::string& S) const override;
  void Move(int CurIndex, int NewIndex) override;

protected:
  std::string Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

private:
  TCustomListBox* FListBox;
};

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TCanvas* Canvas() const { return FCanvas.get(); }
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  bool IsVirtual() const { return FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw; }
  int ItemHeight();
  void SetItemHeight(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  // The horizontal extent: the width the items scroll over.
  int ScrollWidth();
  void SetScrollWidth(int Value);

  // -1 for none (the caret item for a multi-select list).
  int ItemIndex();
  void SetItemIndex(int Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  // The number of selected items (-1 for a single-select list).
  int SelCount();
  int TopIndex();
  void SetTopIndex(int Value);
  // Virtual styles: the number of items.
  int Count();
  void SetCount(int Value);
  // The item at a client point, or -1; with Existing false, a point under
  // the last item answers Count.
  int ItemAtPos(TPoint Pos, bool Existing);
  TRect ItemRect(int Index);
  void Clear();
  void ClearSelection();
  void DeleteSelected();
  void SelectAll();

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TLBGetDataEvent OnData;
  TLBGetDataObjectEvent OnDataObject;
  TLBFindDataEvent OnDataFind;

protected:
  friend class TListBoxStrings;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  std::string DoGetData(int Index);
  TObject* DoGetDataObject(int Index);
  int DoFindData(const std::string& Data);

private:
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

  std::unique_ptr<TListBoxStrings> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  bool FIntegralHeight = false;
  TBorderStyle FBorderStyle = bsSingle;
  int FTabWidth = 0;
  int FColumns = 0;
  int FScrollWidth = 0;
  // What the window held while it is re-created.
  std::unique_ptr<TStringList> FSaveItems;
  int FOldCount = -1;
  int FSaveTopIndex = 0;
  int FSaveItemIndex = -1;
  std::vector<int> FSaveSelected;
};
