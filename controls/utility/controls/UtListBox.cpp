#include "controls/utility/controls/UtListBox.h"

#include <algorithm>
#include <cmath>

#include "controls/utility/UtBitmapCells.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/SysConsts.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/stdctrls/ListBoxWindow.h"
#include "platform/win/win.h"

// The lines, kept by the window

int TUtListBoxStrings::GetCount() const
{
  return int(SendMessage(FListBox->Handle(), LB_GETCOUNT, 0, 0));
}

std::string TUtListBoxStrings::Get(int Index) const
{
  std::string text;
  if (!ReadListBoxLine(FListBox->Handle(), Index, text))
    Error(SListIndexError, Index);
  return text;
}

TObject* TUtListBoxStrings::GetObject(int Index) const
{
  if (Index < 0 || Index >= GetCount())
    Error(SListIndexError, Index);
  return reinterpret_cast<TObject*>(FListBox->ReadItemData(Index));
}

void TUtListBoxStrings::PutObject(int Index, TObject* AObject)
{
  FListBox->WriteItemData(Index, reinterpret_cast<std::intptr_t>(AObject));
}

int TUtListBoxStrings::Add(const std::string& S)
{
  return AddListBoxLine(FListBox->Handle(), S);
}

void TUtListBoxStrings::Insert(int Index, const std::string& S)
{
  InsertListBoxLine(FListBox->Handle(), Index, S);
}

void TUtListBoxStrings::Delete(int Index)
{
  FListBox->RemoveItem(Index);
}

void TUtListBoxStrings::Clear()
{
  FListBox->ClearAllItems();
}

void TUtListBoxStrings::SetUpdateState(bool Updating)
{
  SendMessage(FListBox->Handle(), WM_SETREDRAW, !Updating, 0);
  if (!Updating)
    FListBox->Refresh();
}

// The list box

TUtxCustomListBox::TUtxCustomListBox(TComponent* AOwner) : TUtWinControl(AOwner)
{
  FControlStyle = {csSetCaption, csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  FItems = std::make_unique<TUtListBoxStrings>(this);
  FCanvas = std::make_unique<TControlCanvas>();
  FCanvas->SetControl(this);
}

TUtxCustomListBox::~TUtxCustomListBox()
{
  Destroying();
  if (HandleAllocated())
    DestroyHandle();
  if (FMeasureDC)
    DeleteDC(FMeasureDC);
}

std::unique_ptr<TUtListBoxStrings> TUtxCustomListBox::CreateItemStrings()
{
  return std::make_unique<TUtListBoxStrings>(this);
}

bool TUtxCustomListBox::DestroyingNow() const
{
  return ComponentState().Contains(csDestroying);
}

void TUtxCustomListBox::SetItems(TStrings* Value)
{
  FItems->Assign(Value);
}

void TUtxCustomListBox::CreateParams(TCreateParams& Params)
{
  TUtWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_OWNERDRAWFIXED,
                                 LBS_OWNERDRAWFIXED};
  Params.Style |= LBS_HASSTRINGS | styles[int(FStyle)];
  AddListBoxStyles(Params, {FMultiSelect, FExtendedSelect, FIntegralHeight, FSorted, FColumns, FTabWidth,
                            FBorderStyle == bsSingle, Ctl3D()});
}

void TUtxCustomListBox::CreateWnd()
{
  int w = FWidth, h = FHeight;
  TUtWinControl::CreateWnd();
  SetWindowPos(WindowHandle(), nullptr, FLeft, FTop, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  if (FTabWidth != 0)
    SendMessage(WindowHandle(), LB_SETTABSTOPS, 1, LPARAM(&FTabWidth));
  UpdateColumnWidth();
  if (FSaveItems) {
    // Every saved line goes back with its data, whatever it is.
    for (int i = 0; i < FSaveItems->Count(); ++i) {
      int index = FItems->Add(FSaveItems->Strings(i));
      WriteItemData(index, reinterpret_cast<std::intptr_t>(FSaveItems->Objects(i)));
    }
    SetTopIndex(FSaveTopIndex);
    SetItemIndex(FSaveItemIndex);
    FSaveItems.reset();
  }
  LinesRestored();
}

void TUtxCustomListBox::DestroyWnd()
{
  int count = FItems->Count();
  if (count > 0 && !DestroyingNow()) {
    FSaveItems = std::make_unique<TStringList>();
    for (int i = 0; i < count; ++i)
      FSaveItems->AddObject(FItems->Strings(i), reinterpret_cast<TObject*>(ReadItemData(i)));
    FSaveTopIndex = TopIndex();
    FSaveItemIndex = ItemIndex();
  }
  TUtWinControl::DestroyWnd();
}

// Item data

std::intptr_t TUtxCustomListBox::ReadItemData(int Index)
{
  return std::intptr_t(SendMessage(Handle(), LB_GETITEMDATA, WPARAM(Index), 0));
}

void TUtxCustomListBox::WriteItemData(int Index, std::intptr_t Value)
{
  SendMessage(Handle(), LB_SETITEMDATA, WPARAM(Index), LPARAM(Value));
}

void TUtxCustomListBox::ClearAllItems()
{
  SendMessage(Handle(), LB_RESETCONTENT, 0, 0);
}

void TUtxCustomListBox::RemoveItem(int Index)
{
  SendMessage(Handle(), LB_DELETESTRING, WPARAM(Index), 0);
}

// Properties

int TUtxCustomListBox::ItemHeight()
{
  if (HandleAllocated() && FStyle == lbStandard) {
    TRect r;
    SendMessage(WindowHandle(), LB_GETITEMRECT, 0, LPARAM(&r));
    return r.Height();
  }
  return FItemHeight;
}

void TUtxCustomListBox::SetItemHeight(int Value)
{
  if (Value > 0 && Value != FItemHeight) {
    FItemHeight = Value;
    RecreateWnd();
  }
}

#define UT_RECREATING_SETTER(Name, Field, Type) \
  void TUtxCustomListBox::Set##Name(Type Value) \
  {                                             \
    if (Field != Value) {                       \
      Field = Value;                            \
      RecreateWnd();                            \
    }                                           \
  }
UT_RECREATING_SETTER(Style, FStyle, TListBoxStyle)
UT_RECREATING_SETTER(BorderStyle, FBorderStyle, TBorderStyle)
UT_RECREATING_SETTER(IntegralHeight, FIntegralHeight, bool)
UT_RECREATING_SETTER(MultiSelect, FMultiSelect, bool)
UT_RECREATING_SETTER(Sorted, FSorted, bool)
UT_RECREATING_SETTER(ExtendedSelect, FExtendedSelect, bool)
#undef UT_RECREATING_SETTER

void TUtxCustomListBox::SetTabWidth(int Value)
{
  Value = std::max(Value, 0);
  if (FTabWidth != Value) {
    FTabWidth = Value;
    RecreateWnd();
  }
}

void TUtxCustomListBox::SetColumns(int Value)
{
  if (FColumns == Value)
    return;
  if (FColumns != 0 && Value != 0) {
    FColumns = Value;
    if (HandleAllocated())
      UpdateColumnWidth();
  } else {
    FColumns = Value;
    RecreateWnd();
  }
}

void TUtxCustomListBox::UpdateColumnWidth()
{
  if (FColumns > 0 && HandleAllocated())
    SendMessage(WindowHandle(), LB_SETCOLUMNWIDTH, WPARAM((FWidth + FColumns - 3) / FColumns), 0);
}

void TUtxCustomListBox::SetGraySelection(bool Value)
{
  if (FGraySelection != Value) {
    FGraySelection = Value;
    if (!Focused())
      Invalidate();
  }
}

// A change of what decides the line widths: back to the left end, and the
// extent measured again (or dropped).
void TUtxCustomListBox::ScrollToLeftEnd()
{
  if (HandleAllocated())
    SendMessage(WindowHandle(), WM_HSCROLL, SB_TOP, 0);
}

void TUtxCustomListBox::SetAutoScroll(bool Value)
{
  if (AutoScroll() == Value)
    return;
  FAutoScroll = Value;
  ScrollToLeftEnd();
  if (HandleAllocated()) {
    if (AutoScroll()) {
      RecomputeHorizontalExtent();
    } else {
      FMaxItemWidth = 0;
      SendHorizontalExtent();
    }
  }
}

void TUtxCustomListBox::SetOnDrawItem(TDrawItemEvent Value)
{
  bool changed = bool(FOnDrawItem) != bool(Value);
  FOnDrawItem = Value;
  if (changed && HandleAllocated()) {
    ScrollToLeftEnd();
    if (AutoScroll())
      RecomputeHorizontalExtent();
  }
}

void TUtxCustomListBox::SetOnGetItemWidth(TGetItemWidthEvent Value)
{
  bool changed = bool(FOnGetItemWidth) != bool(Value);
  FOnGetItemWidth = Value;
  if (changed && HandleAllocated()) {
    ScrollToLeftEnd();
    if (AutoScroll())
      RecomputeHorizontalExtent();
  }
}

int TUtxCustomListBox::ItemIndex()
{
  return int(SendMessage(Handle(), LB_GETCURSEL, 0, 0));
}

void TUtxCustomListBox::SetItemIndex(int Value)
{
  if (ItemIndex() != Value)
    SendMessage(Handle(), LB_SETCURSEL, WPARAM(Value), 0);
}

int TUtxCustomListBox::TopIndex()
{
  return int(SendMessage(Handle(), LB_GETTOPINDEX, 0, 0));
}

void TUtxCustomListBox::SetTopIndex(int Value)
{
  if (TopIndex() != Value)
    SendMessage(Handle(), LB_SETTOPINDEX, WPARAM(Value), 0);
}

int TUtxCustomListBox::SelCount()
{
  return int(SendMessage(Handle(), LB_GETSELCOUNT, 0, 0));
}

bool TUtxCustomListBox::Selected(int Index)
{
  LRESULT result = SendMessage(Handle(), LB_GETSEL, WPARAM(Index), 0);
  if (result < 0)
    throw EStringListError(Format(SListIndexError, Index));
  return result != 0;
}

TRect TUtxCustomListBox::ItemBounds(int Index)
{
  return ListBoxLineRect(Handle(), Index, FItems->Count());
}

int TUtxCustomListBox::ItemIndexAtPoint(TPoint Pos, bool Existing)
{
  return ListBoxLineAt(Handle(), ClientRect(), Pos, FItems->Count(), Existing);
}

// Widths and the horizontal extent

int TUtxCustomListBox::TabStopPixels()
{
  return int(std::nearbyint(double(FCanvas->TextWidth("0")) * FTabWidth / 4.0));
}

int TUtxCustomListBox::TextWidthInFont(const std::string& Text)
{
  if (!FMeasureDC)
    FMeasureDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(FMeasureDC, Font()->Handle());
  TSize size{};
  GetTextExtentPoint32A(FMeasureDC, Text.c_str(), int(Text.size()), &size);
  SelectObject(FMeasureDC, old);
  return size.cx;
}

int TUtxCustomListBox::MeasureItemWidth(int Index, const std::string& Text)
{
  if (DestroyingNow())
    return 0;
  if (FStyle != lbStandard && FOnGetItemWidth && FOnDrawItem) {
    int width = 0;
    FOnGetItemWidth(this, Index, width);
    return width;
  }
  std::string text = Text + "x";
  if (FTabWidth == 0)
    return TextWidthInFont(text);
  int stop = TabStopPixels();
  return LOWORD(GetTabbedTextExtentA(FCanvas->Handle(), text.c_str(), int(text.size()), 1, &stop));
}

void TUtxCustomListBox::SendHorizontalExtent()
{
  SendMessage(WindowHandle(), LB_SETHORIZONTALEXTENT, WPARAM(FMaxItemWidth), 0);
}

void TUtxCustomListBox::RecomputeHorizontalExtent()
{
  int widest = 0;
  for (int i = 0; i < FItems->Count(); ++i)
    widest = std::max(widest, MeasureItemWidth(i, FItems->Strings(i)));
  FMaxItemWidth = widest;
  SendHorizontalExtent();
}

void TUtxCustomListBox::HandleResize()
{
  UpdateColumnWidth();
}

void TUtxCustomListBox::HandleFocusGained(HWND)
{
  if (FGraySelection && FMultiSelect && SelCount() > 1)
    Invalidate();
}

void TUtxCustomListBox::HandleFocusLost(HWND)
{
  if (FGraySelection && FMultiSelect && SelCount() > 1)
    Invalidate();
}

// Messages

void TUtxCustomListBox::WndProc(TMessage& Message)
{
  if (AutoScroll() && HandleAllocated()) {
    switch (Message.Msg) {
    case WM_SETFONT:
      TUtWinControl::WndProc(Message);
      if (!DestroyingNow()) {
        FCanvas->SetFont(Font());
        RecomputeHorizontalExtent();
      }
      return;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
      TUtWinControl::WndProc(Message);
      // Only a wider line changes the extent the window already has.
      if (Message.Result >= 0) {
        int width = MeasureItemWidth(int(Message.Result), reinterpret_cast<const char*>(Message.LParam));
        if (width > FMaxItemWidth) {
          FMaxItemWidth = width;
          SendHorizontalExtent();
        }
      }
      return;
    case LB_DELETESTRING: {
      int index = int(Message.WParam);
      if (index < 0 || index >= FItems->Count() || MeasureItemWidth(index, FItems->Strings(index)) < FMaxItemWidth) {
        TUtWinControl::WndProc(Message);
      } else {
        ScrollToLeftEnd();
        TUtWinControl::WndProc(Message);
        RecomputeHorizontalExtent();
      }
      return;
    }
    case LB_RESETCONTENT:
      FMaxItemWidth = 0;
      SendHorizontalExtent();
      ScrollToLeftEnd();
      TUtWinControl::WndProc(Message);
      return;
    }
  }
  // The list decides itself where an automatic drag may start (a press on
  // a child control is the child's).
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && DragMode() == dmAutomatic &&
      !Dragging() && !ComponentState().Contains(csDesigning) &&
      !ControlAtPos(MessageAs<TWMMouse>(Message).Pos(), false)) {
    FControlState.Include(csLButtonDown);
    Dispatch(Message);
    return;
  }
  TUtWinControl::WndProc(Message);
}

void TUtxCustomListBox::Dispatch(TMessage& Message)
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
  case WM_PAINT:
    if (Message.WParam) {
      PaintToDC(reinterpret_cast<HDC>(Message.WParam));
      return;
    }
    break;
  case WM_LBUTTONDOWN:
    if (DragMode() == dmAutomatic) {
      auto& mouse = MessageAs<TWMMouse>(Message);
      bool shift = mouse.Keys & MK_SHIFT, ctrl = mouse.Keys & MK_CONTROL;
      if (FMultiSelect && !(shift && !ctrl)) {
        int item = ItemIndexAtPoint(mouse.Pos(), true);
        if (item >= 0 && Selected(item)) {
          BeginDrag(false);
          return;
        }
      }
      TUtWinControl::Dispatch(Message);
      if (!(FMultiSelect && (ctrl || shift)))
        BeginDrag(false);
      return;
    }
    break;
  }
  TUtWinControl::Dispatch(Message);
}

// The press that started the drag was kept from the list (a press on a
// selected line of a multiple selection); when no drop followed it was a
// plain click after all, and the list gets it now: a press and a release at
// the cursor, straight to the list's own handling so no drag starts again.
void TUtxCustomListBox::DoEndDrag(TObject* Target, int X, int Y)
{
  if (!Target && HandleAllocated()) {
    TPoint p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    TMessage press;
    press.Msg = WM_LBUTTONDOWN;
    press.LParam = MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
    DefaultHandler(press);
    TMessage release = press;
    release.Msg = WM_LBUTTONUP;
    release.Result = 0;
    DefaultHandler(release);
  }
  TUtWinControl::DoEndDrag(Target, X, Y);
}

void TUtxCustomListBox::CNDrawItem(TMessage& Message)
{
  if (DestroyingNow())
    return;
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state = TOwnerDrawState::FromInteger(item->itemState & 0xFFFF);
  FCanvas->SetHandle(item->hDC);
  ScopeExit lent([&] { FCanvas->SetHandle(nullptr); });
  FCanvas->SetFont(Font());
  FCanvas->SetBrush(Brush());
  int index = int(item->itemID);
  if (index >= 0 && state.Contains(odSelected)) {
    if (ComponentState().Contains(csDesigning) || !FGraySelection || Focused()) {
      FCanvas->Brush()->SetColor(clHighlight);
      FCanvas->Font()->SetColor(clHighlightText);
    } else {
      FCanvas->Brush()->SetColor(clBtnFace);
      if (ColorToRGB(Font()->Color()) == ColorToRGB(clBtnFace))
        FCanvas->Font()->SetColor(clBtnText);
    }
  }
  if (index < 0)
    FCanvas->FillRect(item->rcItem);
  else
    PaintItem(index, item->rcItem, state);
  if (state.Contains(odFocused))
    ::DrawFocusRect(item->hDC, &item->rcItem);
  Message.Result = 1;
}

void TUtxCustomListBox::CNMeasureItem(TMessage& Message)
{
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable)
    MeasureItemHeight(int(item->itemID), height);
  item->itemHeight = UINT(height);
  Message.Result = 1;
}

void TUtxCustomListBox::MeasureItemHeight(int Index, int& Height)
{
  if (OnMeasureItem)
    OnMeasureItem(this, Index, Height);
}

void TUtxCustomListBox::PaintItem(int Index, TRect Rect, TOwnerDrawState State)
{
  if (FOnDrawItem) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= FItems->Count())
    return;
  FCanvas->UpdateTextFlags();
  int h = TallestTextHeight(FCanvas.get());
  int x = Rect.Left + 2;
  int y = std::max(Rect.Top, (Rect.Top + Rect.Bottom - h) / 2);
  std::string text = FItems->Strings(Index);
  if (FTabWidth == 0) {
    FCanvas->TextOut(x, y, text);
  } else {
    int stop = TabStopPixels();
    FCanvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    TabbedTextOutA(FCanvas->Handle(), x, y, text.c_str(), int(text.size()), 1, &stop, x);
  }
}

// Painting every visible line into a given context, as the window would.
void TUtxCustomListBox::PaintToDC(HDC DC)
{
  int count = FItems->Count();
  int y = 0;
  for (int i = TopIndex(); y < FHeight; ++i) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.itemID = UINT(i);
    measure.itemWidth = UINT(FWidth);
    measure.itemHeight = UINT(FItemHeight);
    if (i < count)
      measure.itemData = ULONG_PTR(ReadItemData(i));
    UtExDispatch(this, CN_MEASUREITEM, 0, LPARAM(&measure));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.itemID = UINT(i);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hDC = DC;
    draw.rcItem = TRect(0, y, int(measure.itemWidth), y + int(measure.itemHeight));
    draw.hwndItem = WindowHandle();
    UtExDispatch(this, CN_DRAWITEM, 0, LPARAM(&draw));
    y += int(measure.itemHeight);
    if (i + 1 >= count)
      break;
  }
}
