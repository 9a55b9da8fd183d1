#include "controls/utility/controls/UtCheckListBox.h"

#include <algorithm>

#include "controls/utility/UtBitmapCells.h"
#include "controls/utility/UtComponentUtils.h"
#include "controls/utility/storage/UtAppStorage.h"
#include "controls/utility/placement/UtFormPlacement.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/StringRoutines.h"
#include "platform/base/SysConsts.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {

// Loaded once, on first use by any check list box, shared by all. Kept to
// the end of the process: the drawing layer may be gone before static
// objects of this library are destroyed.
TBitmap* CheckImages()
{
  static TBitmap* images = [] {
    auto* bitmap = new TBitmap;
    bitmap->LoadFromResourceName(HInstance(), "UT_CHECK_IMAGES");
    return bitmap;
  }();
  return images;
}

// Row 0 check boxes, row 1 radio buttons, row 2 check marks; each row
// enabled unchecked, checked, grayed, then the same disabled.
const int CheckCells[18] = {3, 0, 9, 6, 15, 12, 4, 1, 10, 7, 16, 13, 5, 2, 11, 8, 17, 14};

}  // namespace

int TUtxCheckListBox::CheckImageCell(TCheckBoxState State, TCheckKind Kind, bool Enabled)
{
  return CheckCells[int(State) * 6 + int(Kind) * 2 + (Enabled ? 1 : 0)];
}

// Strings that keep the check state with their lines

void TUtCheckListBoxStrings::Exchange(int Index1, int Index2)
{
  auto* box = static_cast<TUtxCheckListBox*>(FListBox);
  TCheckBoxState state1 = box->ItemState(Index1), state2 = box->ItemState(Index2);
  bool enabled1 = box->ItemEnabled(Index1), enabled2 = box->ItemEnabled(Index2);
  BeginUpdate();
  ScopeExit updating([&] { EndUpdate(); });
  std::string text = Strings(Index1);
  TObject* object = Objects(Index1);
  Delete(Index1);
  InsertObject(Index1, Strings(Index2 - (Index2 > Index1 ? 1 : 0)), Objects(Index2 - (Index2 > Index1 ? 1 : 0)));
  Delete(Index2);
  InsertObject(Index2, text, object);
  for (auto [index, state, enabled] : {std::tuple{Index1, state2, enabled2}, std::tuple{Index2, state1, enabled1}}) {
    TUtCheckListBoxItem* item = box->CreateItemRecord(index);
    item->State = state;
    item->Enabled = enabled;
  }
}

void TUtCheckListBoxStrings::Move(int CurIndex, int NewIndex)
{
  auto* box = static_cast<TUtxCheckListBox*>(FListBox);
  TCheckBoxState state = box->ItemState(CurIndex);
  bool enabled = box->ItemEnabled(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count())
    Error(SListIndexError, NewIndex);
  BeginUpdate();
  ScopeExit updating([&] { EndUpdate(); });
  std::string text = Strings(CurIndex);
  TObject* object = Objects(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, text, object);
  TUtCheckListBoxItem* item = box->CreateItemRecord(NewIndex);
  item->State = state;
  item->Enabled = enabled;
}

// The check list box

TUtxCheckListBox::TUtxCheckListBox(TComponent* AOwner) : TUtxCustomListBox(AOwner)
{
  MakeItemStrings();
  FAutoScroll = true;
  TBitmap* images = CheckImages();
  FCellWidth = images->Width() / 6;
  FCellHeight = images->Height() / 3;
  FCellBitmap = std::make_unique<TBitmap>();
  FCellBitmap->SetSize(FCellWidth, FCellHeight);
  FStorageLink = std::make_unique<TUtIniLink>();
  FStorageLink->OnSave = TNotifyEvent(this, &TUtxCheckListBox::SaveStates);
  FStorageLink->OnLoad = TNotifyEvent(this, &TUtxCheckListBox::LoadStates);
}

TUtxCheckListBox::~TUtxCheckListBox()
{
  Destroying();
  // The records go with the window, while this is still a check list box.
  if (HandleAllocated())
    DestroyHandle();
  FStorageLink.reset();
}

std::unique_ptr<TUtListBoxStrings> TUtxCheckListBox::CreateItemStrings()
{
  return std::make_unique<TUtCheckListBoxStrings>(this);
}

void TUtxCheckListBox::CreateParams(TCreateParams& Params)
{
  TUtxCustomListBox::CreateParams(Params);
  if (!(Params.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
    Params.Style |= LBS_OWNERDRAWFIXED;
}

void TUtxCheckListBox::Loaded()
{
  TUtxCustomListBox::Loaded();
  EnforceRadioChoice();
}

// Per-line records

void TUtxCheckListBox::CheckIndex(int Index)
{
  if (Index < 0 || Index >= FItems->Count())
    throw EStringListError(Format(SListIndexError, Index));
}

TUtCheckListBoxItem* TUtxCheckListBox::ItemRecord(int Index)
{
  CheckIndex(Index);
  return reinterpret_cast<TUtCheckListBoxItem*>(SendMessage(Handle(), LB_GETITEMDATA, WPARAM(Index), 0));
}

TUtCheckListBoxItem* TUtxCheckListBox::CreateItemRecord(int Index)
{
  TUtCheckListBoxItem* item = ItemRecord(Index);
  if (!item) {
    item = new TUtCheckListBoxItem;
    SendMessage(Handle(), LB_SETITEMDATA, WPARAM(Index), LPARAM(item));
  }
  return item;
}

std::intptr_t TUtxCheckListBox::ReadItemData(int Index)
{
  TUtCheckListBoxItem* item = ItemRecord(Index);
  return item ? item->Data : 0;
}

void TUtxCheckListBox::WriteItemData(int Index, std::intptr_t Value)
{
  TUtCheckListBoxItem* item = CreateItemRecord(Index);
  item->Data = Value;
  if (FSavedStates && !FSavedStates->empty()) {
    item->State = FSavedStates->front().first;
    item->Enabled = FSavedStates->front().second;
    FSavedStates->erase(FSavedStates->begin());
  }
}

void TUtxCheckListBox::FreeAllRecords()
{
  HWND hwnd = WindowHandle();
  int count = int(SendMessage(hwnd, LB_GETCOUNT, 0, 0));
  for (int i = count - 1; i >= 0; --i) {
    delete reinterpret_cast<TUtCheckListBoxItem*>(SendMessage(hwnd, LB_GETITEMDATA, WPARAM(i), 0));
    SendMessage(hwnd, LB_SETITEMDATA, WPARAM(i), 0);
  }
}

void TUtxCheckListBox::ClearAllItems()
{
  FreeAllRecords();
  SendMessage(Handle(), LB_RESETCONTENT, 0, 0);
}

void TUtxCheckListBox::RemoveItem(int Index)
{
  if (Index >= 0 && Index < FItems->Count()) {
    delete ItemRecord(Index);
    SendMessage(Handle(), LB_SETITEMDATA, WPARAM(Index), 0);
  }
  SendMessage(Handle(), LB_DELETESTRING, WPARAM(Index), 0);
}

void TUtxCheckListBox::LinesRestored()
{
  FSavedStates.reset();
  RecomputeItemHeight();
}

void TUtxCheckListBox::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_DESTROY: {
    // The states wait for the lines to come back into the next window.
    HWND hwnd = WindowHandle();
    int count = int(SendMessage(hwnd, LB_GETCOUNT, 0, 0));
    if (!DestroyingNow()) {
      FSavedStates = std::make_unique<std::vector<std::pair<TCheckBoxState, bool>>>();
      for (int i = 0; i < count; ++i) {
        auto* item = reinterpret_cast<TUtCheckListBoxItem*>(SendMessage(hwnd, LB_GETITEMDATA, WPARAM(i), 0));
        FSavedStates->push_back(item ? std::pair{item->State, item->Enabled} : std::pair{cbUnchecked, true});
      }
    }
    FreeAllRecords();
    break;
  }
  case CN_DRAWITEM:
    if (!DestroyingNow()) {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      item->rcItem.Left += CheckAreaWidth();
    }
    break;
  }
  TUtxCustomListBox::Dispatch(Message);
}

// States

bool TUtxCheckListBox::ItemChecked(int Index)
{
  TUtCheckListBoxItem* item = ItemRecord(Index);
  return item && item->State == cbChecked;
}

void TUtxCheckListBox::SetItemChecked(int Index, bool Value)
{
  SetItemState(Index, Value ? cbChecked : cbUnchecked);
}

TCheckBoxState TUtxCheckListBox::ItemState(int Index)
{
  TUtCheckListBoxItem* item = ItemRecord(Index);
  TCheckBoxState state = item ? item->State : cbUnchecked;
  if (FCheckKind == ckRadioButtons && state != cbChecked)
    return cbUnchecked;
  return state;
}

bool TUtxCheckListBox::ItemEnabled(int Index)
{
  TUtCheckListBoxItem* item = ItemRecord(Index);
  return !item || item->Enabled;
}

void TUtxCheckListBox::SetItemEnabled(int Index, bool Value)
{
  if (ItemEnabled(Index) == Value)
    return;
  CreateItemRecord(Index)->Enabled = Value;
  TRect r = ItemBounds(Index);
  InvalidateRect(Handle(), &r, !ControlStyle().Contains(csOpaque));
  UpdateWindow(Handle());
}

void TUtxCheckListBox::SetItemState(int Index, TCheckBoxState Value)
{
  TCheckBoxState old = ItemState(Index);
  if (Value == old && !FInRadioUpdate)
    return;
  bool radio = FCheckKind == ckRadioButtons;
  if (radio && Value == cbUnchecked && Index == CheckedIndex())
    return;
  CreateItemRecord(Index)->State = Value;
  if (radio && Value == cbChecked)
    for (int i = FItems->Count() - 1; i >= 0; --i)
      if (i != Index && ItemState(i) == cbChecked) {
        CreateItemRecord(i)->State = cbUnchecked;
        RepaintCheckArea(i);
      }
  RepaintCheckArea(Index);
  if (!ComponentState().Contains(csReading))
    NotifyStateChange(Index);
}

void TUtxCheckListBox::RepaintCheckArea(int Index)
{
  TRect r = ItemBounds(Index);
  r.Right = r.Left + CheckAreaWidth();
  InvalidateRect(Handle(), &r, !ControlStyle().Contains(csOpaque));
  UpdateWindow(Handle());
}

int TUtxCheckListBox::CheckedIndex()
{
  if (FCheckKind != ckRadioButtons)
    return -1;
  for (int i = 0; i < FItems->Count(); ++i)
    if (ItemState(i) == cbChecked)
      return i;
  return -1;
}

void TUtxCheckListBox::SetCheckedIndex(int Value)
{
  if (FCheckKind == ckRadioButtons && FItems->Count() > 0)
    SetItemState(std::max(Value, 0), cbChecked);
}

void TUtxCheckListBox::SetCheckKind(TCheckKind Value)
{
  if (FCheckKind == Value)
    return;
  FCheckKind = Value;
  EnforceRadioChoice();
  Invalidate();
}

// In radio mode exactly one line is checked: the first checked one, or line 0.
void TUtxCheckListBox::EnforceRadioChoice()
{
  if (FCheckKind != ckRadioButtons || !HandleAllocated() || FItems->Count() == 0)
    return;
  FInRadioUpdate = true;
  ScopeExit cleared([&] { FInRadioUpdate = false; });
  SetItemState(std::max(CheckedIndex(), 0), cbChecked);
}

void TUtxCheckListBox::SetAllItemStates(TCheckBoxState State, bool EnabledOnly)
{
  if (FCheckKind == ckRadioButtons)
    return;
  for (int i = 0; i < FItems->Count(); ++i)
    if (!EnabledOnly || ItemEnabled(i))
      SetItemState(i, State);
}

void TUtxCheckListBox::CycleItemState(int Index)
{
  if (Index < 0 || Index >= FItems->Count() || !ItemEnabled(Index))
    return;
  TCheckBoxState next = cbChecked;
  switch (ItemState(Index)) {
  case cbUnchecked: next = AllowGrayed() ? cbGrayed : cbChecked; break;
  case cbChecked: next = cbUnchecked; break;
  case cbGrayed: next = cbChecked; break;
  }
  SetItemState(Index, next);
  NotifyClickCheck();
}

void TUtxCheckListBox::NotifyClickCheck()
{
  if (OnClickCheck)
    OnClickCheck(this);
}

void TUtxCheckListBox::NotifyStateChange(int Index)
{
  if (OnStateChange)
    OnStateChange(this, Index);
}

void TUtxCheckListBox::SetItems(TStrings* Value)
{
  FItems->BeginUpdate();
  ScopeExit updating([&] { FItems->EndUpdate(); });
  FItems->Assign(Value);
  if (auto* other = dynamic_cast<TUtCheckListBoxStrings*>(Value)) {
    auto* source = static_cast<TUtxCheckListBox*>(other->ListBox());
    int count = std::min(source->Items()->Count(), FItems->Count());
    for (int i = 0; i < count; ++i) {
      SetItemState(i, source->ItemState(i));
      SetItemEnabled(i, source->ItemEnabled(i));
    }
  }
}

// Input

void TUtxCheckListBox::KeyPress(char32_t& Key)
{
  TUtxCustomListBox::KeyPress(Key);
  switch (Key) {
  case U' ':
    CycleItemState(ItemIndex());
    Key = 0;
    break;
  case U'+':
  case U'-':
    SetAllItemStates(Key == U'+' ? cbChecked : cbUnchecked, true);
    NotifyClickCheck();
    break;
  }
}

void TUtxCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TUtxCustomListBox::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft)
    return;
  int index = ItemIndexAtPoint(TPoint(X, Y), true);
  if (index == -1)
    return;
  if (X - ItemBounds(index).Left < CheckAreaWidth())
    CycleItemState(index);
}

// Painting and measuring

int TUtxCheckListBox::MeasureItemWidth(int Index, const std::string& Text)
{
  return TUtxCustomListBox::MeasureItemWidth(Index, Text) + CheckAreaWidth();
}

void TUtxCheckListBox::PaintItem(int Index, TRect Rect, TOwnerDrawState State)
{
  if (Index < FItems->Count()) {
    TRect check(Rect.Left - CheckAreaWidth(), Rect.Top, Rect.Left, Rect.Bottom);
    bool enabled = ItemEnabled(Index);
    PaintCheckImage(check, ItemState(Index), enabled);
    if (!enabled)
      Canvas()->Font()->SetColor(State.Contains(odSelected) ? clInactiveCaptionText : clGrayText);
  }
  if (FStyle == lbStandard && FOnDrawItem) {
    // Standard lines are always drawn by the default text drawing.
    TDrawItemEvent handler = FOnDrawItem;
    FOnDrawItem = nullptr;
    ScopeExit restored([&] { FOnDrawItem = handler; });
    TUtxCustomListBox::PaintItem(Index, Rect, State);
  } else {
    TUtxCustomListBox::PaintItem(Index, Rect, State);
  }
}

void TUtxCheckListBox::PaintCheckImage(const TRect& Rect, TCheckBoxState State, bool Enabled)
{
  int x = Rect.Left + (Rect.Width() - FCellWidth) / 2;
  int y = Rect.Top + (Rect.Height() - FCellHeight) / 2;
  TRect cell(x, y, x + FCellWidth, y + FCellHeight);
  CopyBitmapCell(CheckImages(), FCellBitmap.get(), 6, 3, CheckImageCell(State, FCheckKind, Enabled));
  TCanvas* canvas = Canvas();
  TColor brush = canvas->Brush()->Color();
  ScopeExit restored([&] { canvas->Brush()->SetColor(brush); });
  // The images' transparent colour shows the control's colour.
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(cell);
  FCellBitmap->SetTransparentColor(TColor(CheckImages()->TransparentColor() & ~0x02000000));
  FCellBitmap->SetTransparent(true);
  canvas->Draw(x, y, FCellBitmap.get());
}

void TUtxCheckListBox::RecomputeItemHeight()
{
  if (!HandleAllocated() || DestroyingNow())
    return;
  if (!(FStyle == lbStandard || (FStyle == lbOwnerDrawFixed && !FOnDrawItem)))
    return;
  Canvas()->SetFont(Font());
  int h = std::max(TallestTextHeight(Canvas()), FCellHeight);
  if (FStyle == lbOwnerDrawFixed)
    h = std::max(h, FItemHeight);
  SendMessage(WindowHandle(), LB_SETITEMHEIGHT, 0, h);
  if (ClientHeight() >= h * FItems->Count())
    SetScrollRange(WindowHandle(), SB_VERT, 0, 0, TRUE);
}

int TUtxCheckListBox::ItemHeight()
{
  if (HandleAllocated() && (FStyle == lbStandard || (FStyle == lbOwnerDrawFixed && !FOnDrawItem))) {
    TRect r;
    SendMessage(WindowHandle(), LB_GETITEMRECT, 0, LPARAM(&r));
    return r.Height();
  }
  return FItemHeight;
}

void TUtxCheckListBox::HandleFontChanged()
{
  TUtxCustomListBox::HandleFontChanged();
  RecomputeItemHeight();
}

// Streaming with the form

void TUtxCheckListBox::DefineProperties(TFiler* Filer)
{
  TUtxCustomListBox::DefineProperties(Filer);
  Filer->DefineProperty("InternalVersion", TReaderProc(this, &TUtxCheckListBox::ReadVersion),
                        TWriterProc(this, &TUtxCheckListBox::WriteVersion), !Filer->Ancestor());
  Filer->DefineProperty("Strings", TReaderProc(this, &TUtxCheckListBox::ReadStrings),
                        TWriterProc(this, &TUtxCheckListBox::WriteStrings),
                        LinesDifferFrom(dynamic_cast<TUtxCheckListBox*>(Filer->Ancestor())));
}

// Whether "Strings" has anything to say beside the ancestor's lines; lists
// of another length are always written when there is a line.
bool TUtxCheckListBox::LinesDifferFrom(TUtxCheckListBox* Ancestor)
{
  int count = FItems->Count();
  if (!Ancestor || Ancestor->Items()->Count() != count || count == 0)
    return count > 0;
  for (int i = 0; i < count; ++i)
    if (!SameText(FItems->Strings(i), Ancestor->Items()->Strings(i)) || ItemState(i) != Ancestor->ItemState(i) ||
        ItemEnabled(i) != Ancestor->ItemEnabled(i))
      return true;
  return false;
}

void TUtxCheckListBox::ReadVersion(TReader* Reader)
{
  FReadVersion = Reader->ReadInteger();
}

void TUtxCheckListBox::WriteVersion(TWriter* Writer)
{
  Writer->WriteInteger(StreamVersion);
}

void TUtxCheckListBox::ReadStrings(TReader* Reader)
{
  FItems->BeginUpdate();
  ScopeExit updating([&] { FItems->EndUpdate(); });
  FItems->Clear();
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) {
    int index = FItems->Add(Reader->ReadString());
    int state = -1;
    bool enabled = true;
    if (FReadVersion < StreamVersion) {
      if (Reader->ReadBoolean())
        state = int(cbChecked);
      enabled = Reader->ReadBoolean();
      if (FReadVersion > 0)
        state = Reader->ReadInteger();
    } else {
      state = Reader->ReadInteger();
      enabled = Reader->ReadBoolean();
    }
    // A number that is no check state is left out.
    if (state >= int(cbUnchecked) && state <= int(cbGrayed))
      SetItemState(index, TCheckBoxState(state));
    SetItemEnabled(index, enabled);
  }
  Reader->ReadListEnd();
  EnforceRadioChoice();
}

void TUtxCheckListBox::WriteStrings(TWriter* Writer)
{
  Writer->WriteListBegin();
  for (int i = 0; i < FItems->Count(); ++i) {
    Writer->WriteString(FItems->Strings(i));
    Writer->WriteInteger(int(ItemState(i)));
    Writer->WriteBoolean(ItemEnabled(i));
  }
  Writer->WriteListEnd();
}

// Storage of the check states through the placement's settings store

TUtFormPlacement* TUtxCheckListBox::IniStorage() const
{
  return FStorageLink->Storage();
}

void TUtxCheckListBox::SetIniStorage(TUtFormPlacement* Value)
{
  FStorageLink->SetStorage(Value);
}

void TUtxCheckListBox::SaveStates(TObject*)
{
  TUtFormPlacement* placement = IniStorage();
  if (Name().empty() || !placement || !placement->AppStorage())
    return;
  TUtCustomAppStorage* store = placement->AppStorage();
  std::string base = TUtCustomAppStorage::JoinPaths({placement->AppStoragePath(), DefaultSectionOf(this)});
  store->DeleteTree(base);
  int count = FItems->Count();
  store->WriteInteger(TUtCustomAppStorage::JoinPaths({base, "Count"}), count);
  for (int i = 0; i < count; ++i)
    store->WriteInteger(TUtCustomAppStorage::JoinPaths({base, "Item" + std::to_string(i)}), int(ItemState(i)));
}

void TUtxCheckListBox::LoadStates(TObject*)
{
  TUtFormPlacement* placement = IniStorage();
  if (Name().empty() || !placement || !placement->AppStorage())
    return;
  TUtCustomAppStorage* store = placement->AppStorage();
  std::string base = TUtCustomAppStorage::JoinPaths({placement->AppStoragePath(), DefaultSectionOf(this)});
  int count = std::min(store->ReadInteger(TUtCustomAppStorage::JoinPaths({base, "Count"}), 0), FItems->Count());
  for (int i = 0; i < count; ++i) {
    int value = store->ReadInteger(TUtCustomAppStorage::JoinPaths({base, "Item" + std::to_string(i)}), 0);
    // A stored number that is no check state is left out.
    if (value < int(cbUnchecked) || value > int(cbGrayed))
      continue;
    SetItemState(i, TCheckBoxState(value));
    if (FCheckKind == ckRadioButtons && ItemState(i) == cbChecked)
      break;
  }
}
