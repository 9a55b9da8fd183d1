#include "platform/classes/stdctrls/CustomListBox.h"

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/SysConsts.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/stdctrls/ListBoxWindow.h"
#include "platform/win/win.h"

// The items

int TListBoxStrings::GetCount() const
{
  return int(SendMessage(FListBox->Handle(), LB_GETCOUNT, 0, 0));
}

std::string TListBoxStrings::Get(int Index) const
{
  if (FListBox->IsVirtual())
    return FListBox->DoGetData(Index);
  std::string text;
  if (!ReadListBoxLine(FListBox->Handle(), Index, text))
    Error(SListIndexError, Index);
  return text;
}

TObject* TListBoxStrings::GetObject(int Index) const
{
  if (FListBox->IsVirtual())
    return FListBox->DoGetDataObject(Index);
  LRESULT data = SendMessage(FListBox->Handle(), LB_GETITEMDATA, WPARAM(Index), 0);
  if (data == LB_ERR && (Index < 0 || Index >= GetCount()))
    Error(SListIndexError, Index);
  return reinterpret_cast<TObject*>(data);
}

void TListBoxStrings::Put(int Index, const std::string& S)
{
  int selected = FListBox->ItemIndex();
  TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
  FListBox->SetItemIndex(selected);
}

void TListBoxStrings::PutObject(int Index, TObject* AObject)
{
  if (Index != -1 && !FListBox->IsVirtual())
    SendMessage(FListBox->Handle(), LB_SETITEMDATA, WPARAM(Index), LPARAM(AObject));
}

int TListBoxStrings::Add(const std::string& S)
{
  if (FListBox->IsVirtual())
    return -1;
  return AddListBoxLine(FListBox->Handle(), S);
}

void TListBoxStrings::Insert(int Index, const std::string& S)
{
  if (!FListBox->IsVirtual())
    InsertListBoxLine(FListBox->Handle(), Index, S);
}

void TListBoxStrings::Delete(int Index)
{
  SendMessage(FListBox->Handle(), LB_DELETESTRING, WPARAM(Index), 0);
}

void TListBoxStrings::Exchange(int Index1, int Index2)
{
  BeginUpdate();
  ScopeExit updating([&] { EndUpdate(); });
  std::string text = Strings(Index1);
  TObject* object = Objects(Index1);
  SetStrings(Index1, Strings(Index2));
  SetObjects(Index1, Objects(Index2));
  SetStrings(Index2, text);
  SetObjects(Index2, object);
}

void TListBoxStrings::Move(int CurIndex, int NewIndex)
{
  if (CurIndex == NewIndex)
    return;
  BeginUpdate();
  ScopeExit updating([&] { EndUpdate(); });
  std::string text = Strings(CurIndex);
  TObject* object = Objects(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, text, object);
}

void TListBoxStrings::Clear()
{
  FListBox->Clear();
}

int TListBoxStrings::IndexOf(const std::string& S) const
{
  if (FListBox->IsVirtual())
    return FListBox->DoFindData(S);
  return int(SendMessage(FListBox->Handle(), LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(S.c_str())));
}

void TListBoxStrings::SetUpdateState(bool Updating)
{
  SendMessage(FListBox->Handle(), WM_SETREDRAW, !Updating, 0);
  if (!Updating)
    FListBox->Refresh();
}

// The list box

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(this))
{
  // The window class tracks the mouse itself.
  FControlStyle = {csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  FCanvas = std::make_unique<TControlCanvas>();
  FCanvas->SetControl(this);
}

TCustomListBox::~TCustomListBox()
{
  Destroying();
  if (FHandle)
    DestroyHandle();
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  static const DWORD styles[] = {LBS_HASSTRINGS, LBS_HASSTRINGS | LBS_OWNERDRAWFIXED,
                                 LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE, LBS_NODATA | LBS_OWNERDRAWFIXED,
                                 LBS_NODATA | LBS_OWNERDRAWFIXED};
  Params.Style |= styles[int(FStyle)];
  AddListBoxStyles(Params, {FMultiSelect, FExtendedSelect, FIntegralHeight, FSorted && !IsVirtual(), FColumns,
                            FTabWidth, FBorderStyle == bsSingle, Ctl3D()});
}

void TCustomListBox::CreateWnd()
{
  int w = FWidth, h = FHeight;
  TWinControl::CreateWnd();
  SetWindowPos(FHandle, nullptr, FLeft, FTop, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  if (FTabWidth != 0)
    SendMessage(FHandle, LB_SETTABSTOPS, 1, LPARAM(&FTabWidth));
  if (FColumns > 0)
    SendMessage(FHandle, LB_SETCOLUMNWIDTH, WPARAM((FWidth + FColumns - 3) / FColumns), 0);
  if (FScrollWidth > 0)
    SendMessage(FHandle, LB_SETHORIZONTALEXTENT, WPARAM(FScrollWidth), 0);
  if (FOldCount != -1 || FSaveItems) {
    if (IsVirtual() && FOldCount > 0)
      SetCount(FOldCount);
    if (FSaveItems) {
      FItems->Assign(FSaveItems.get());
      FSaveItems.reset();
    }
    SetTopIndex(FSaveTopIndex);
    SetItemIndex(FSaveItemIndex);
    if (FMultiSelect)
      for (int index : FSaveSelected)
        SendMessage(FHandle, LB_SETSEL, TRUE, LPARAM(index));
    FSaveSelected.clear();
    FOldCount = -1;
  }
}

void TCustomListBox::DestroyWnd()
{
  int count = FItems->Count();
  if (count > 0) {
    if (IsVirtual()) {
      FOldCount = count;
    } else {
      FSaveItems = std::make_unique<TStringList>();
      FSaveItems->Assign(FItems.get());
    }
    FSaveTopIndex = TopIndex();
    FSaveItemIndex = ItemIndex();
    FSaveSelected.clear();
    if (FMultiSelect)
      for (int i = 0; i < count; ++i)
        if (SendMessage(FHandle, LB_GETSEL, WPARAM(i), 0) > 0)
          FSaveSelected.push_back(i);
  }
  TWinControl::DestroyWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
  if (FStyle == Value)
    return;
  FStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemHeight()
{
  if (HandleAllocated() && FStyle == lbStandard) {
    LRESULT height = SendMessage(FHandle, LB_GETITEMHEIGHT, 0, 0);
    if (height > 0)
      return int(height);
  }
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value)
{
  if (Value <= 0 || FItemHeight == Value)
    return;
  FItemHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value)
{
  if (FMultiSelect == Value)
    return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
  if (FExtendedSelect == Value)
    return;
  FExtendedSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value)
{
  if (FSorted == Value)
    return;
  FSorted = Value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value)
{
  if (FIntegralHeight == Value)
    return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomListBox::SetTabWidth(int Value)
{
  if (Value < 0 || FTabWidth == Value)
    return;
  FTabWidth = Value;
  RecreateWnd();
}

void TCustomListBox::SetColumns(int Value)
{
  if (Value < 0 || FColumns == Value)
    return;
  bool styleChange = (FColumns == 0) != (Value == 0);
  FColumns = Value;
  if (styleChange)
    RecreateWnd();
  else if (HandleAllocated() && Value > 0)
    SendMessage(FHandle, LB_SETCOLUMNWIDTH, WPARAM((FWidth + Value - 3) / Value), 0);
}

int TCustomListBox::ScrollWidth()
{
  if (HandleAllocated())
    return int(SendMessage(FHandle, LB_GETHORIZONTALEXTENT, 0, 0));
  return FScrollWidth;
}

void TCustomListBox::SetScrollWidth(int Value)
{
  FScrollWidth = Value < 0 ? 0 : Value;
  if (HandleAllocated())
    SendMessage(FHandle, LB_SETHORIZONTALEXTENT, WPARAM(FScrollWidth), 0);
}

int TCustomListBox::ItemIndex()
{
  return int(SendMessage(Handle(), FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value)
{
  if (ItemIndex() == Value)
    return;
  if (FMultiSelect)
    SendMessage(Handle(), LB_SETCARETINDEX, WPARAM(Value), 0);
  else
    SendMessage(Handle(), LB_SETCURSEL, WPARAM(Value), 0);
}

bool TCustomListBox::Selected(int Index)
{
  LRESULT result = SendMessage(Handle(), LB_GETSEL, WPARAM(Index), 0);
  if (result < 0)
    throw EListError(Format(SListIndexError, Index));
  return result != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
  if (FMultiSelect) {
    if (SendMessage(Handle(), LB_SETSEL, Value, LPARAM(Index)) == LB_ERR)
      throw EListError(Format(SListIndexError, Index));
  } else if (Value) {
    SetItemIndex(Index);
  } else if (ItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::SelCount()
{
  return FMultiSelect ? int(SendMessage(Handle(), LB_GETSELCOUNT, 0, 0)) : -1;
}

int TCustomListBox::TopIndex()
{
  return int(SendMessage(Handle(), LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int Value)
{
  if (TopIndex() != Value)
    SendMessage(Handle(), LB_SETTOPINDEX, WPARAM(Value), 0);
}

int TCustomListBox::Count()
{
  return FItems->Count();
}

void TCustomListBox::SetCount(int Value)
{
  if (!IsVirtual())
    throw EInvalidOperation("Count ne peut être fixé que pour une liste virtuelle");
  if (SendMessage(Handle(), LB_SETCOUNT, WPARAM(Value), 0) < 0)
    throw EOutOfResources(SInsertLineError);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing)
{
  return ListBoxLineAt(Handle(), ClientRect(), Pos, FItems->Count(), Existing);
}

TRect TCustomListBox::ItemRect(int Index)
{
  return ListBoxLineRect(Handle(), Index, FItems->Count());
}

void TCustomListBox::Clear()
{
  SendMessage(Handle(), LB_RESETCONTENT, 0, 0);
}

void TCustomListBox::ClearSelection()
{
  if (FMultiSelect) {
    for (int i = 0; i < FItems->Count(); ++i)
      SetSelected(i, false);
  } else {
    SetItemIndex(-1);
  }
}

void TCustomListBox::DeleteSelected()
{
  if (FMultiSelect) {
    for (int i = FItems->Count() - 1; i >= 0; --i)
      if (Selected(i))
        FItems->Delete(i);
  } else if (int index = ItemIndex(); index != -1) {
    FItems->Delete(index);
  }
}

void TCustomListBox::SelectAll()
{
  if (FMultiSelect)
    SendMessage(Handle(), LB_SETSEL, TRUE, -1);
}

std::string TCustomListBox::DoGetData(int Index)
{
  std::string data;
  if (OnData)
    OnData(this, Index, data);
  return data;
}

TObject* TCustomListBox::DoGetDataObject(int Index)
{
  TObject* object = nullptr;
  if (OnDataObject)
    OnDataObject(this, Index, object);
  return object;
}

int TCustomListBox::DoFindData(const std::string& Data)
{
  return OnDataFind ? OnDataFind(this, Data) : -1;
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index < FItems->Count()) {
    Rect.Left += 2;
    std::string data = IsVirtual() ? DoGetData(Index) : FItems->Strings(Index);
    FCanvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    DrawText(FCanvas->Handle(), data.c_str(), int(data.size()), &Rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
  if (OnMeasureItem)
    OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNDrawItem(TMessage& Message)
{
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state = TOwnerDrawState::FromInteger(item->itemState & 0xFFFF);
  FCanvas->SetHandle(item->hDC);
  FCanvas->SetFont(Font());
  FCanvas->SetBrush(Brush());
  int index = int(item->itemID);
  if (index >= 0 && state.Contains(odSelected)) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
  ScopeExit lent([&] { FCanvas->SetHandle(nullptr); });
  if (index >= 0)
    DrawItem(index, item->rcItem, state);
  else
    FCanvas->FillRect(item->rcItem);
  if (state.Contains(odFocused))
    ::DrawFocusRect(item->hDC, &item->rcItem);
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message)
{
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable)
    MeasureItem(int(item->itemID), height);
  item->itemHeight = UINT(height);
  Message.Result = 1;
}

void TCustomListBox::WndProc(TMessage& Message)
{
  // The list decides itself where an automatic drag may start.
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && DragMode() == dmAutomatic &&
      !Dragging()) {
    FControlState.Include(csLButtonDown);
    Dispatch(Message);
    return;
  }
  TWinControl::WndProc(Message);
}

void TCustomListBox::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CN_COMMAND:
    switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE:
      Changed();
      Click();
      break;
    case LBN_DBLCLK: DblClick(); break;
    }
    return;
  case CN_DRAWITEM: CNDrawItem(Message); return;
  case CN_MEASUREITEM: CNMeasureItem(Message); return;
  case WM_LBUTTONDOWN: {
    // An automatic drag starts from a selected item; elsewhere the press selects.
    auto& mouse = MessageAs<TWMMouse>(Message);
    if (DragMode() == dmAutomatic) {
      int item = ItemAtPos(mouse.Pos(), true);
      if (item >= 0 && Selected(item)) {
        BeginDrag(false);
        return;
      }
    }
    break;
  }
  }
  TWinControl::Dispatch(Message);
}
