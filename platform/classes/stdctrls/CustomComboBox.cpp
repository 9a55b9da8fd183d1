#include "platform/classes/stdctrls/CustomComboBox.h"

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/win.h"

int TComboBoxStrings::GetCount() const
{
  return int(SendMessage(FComboBox->Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBoxStrings::Get(int Index) const
{
  HWND hwnd = FComboBox->Handle();
  LRESULT length = SendMessage(hwnd, CB_GETLBTEXTLEN, WPARAM(Index), 0);
  if (length == CB_ERR)
    Error(SListIndexError, Index);
  std::string text(std::size_t(length) + 1, '\0');
  LRESULT got = SendMessage(hwnd, CB_GETLBTEXT, WPARAM(Index), LPARAM(text.data()));
  text.resize(std::size_t(got < 0 ? 0 : std::min(got, length)));
  return text;
}

TObject* TComboBoxStrings::GetObject(int Index) const
{
  LRESULT data = SendMessage(FComboBox->Handle(), CB_GETITEMDATA, WPARAM(Index), 0);
  if (data == CB_ERR && (Index < 0 || Index >= GetCount()))
    Error(SListIndexError, Index);
  return reinterpret_cast<TObject*>(data);
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject)
{
  SendMessage(FComboBox->Handle(), CB_SETITEMDATA, WPARAM(Index), LPARAM(AObject));
}

int TComboBoxStrings::Add(const std::string& S)
{
  LRESULT result = SendMessage(FComboBox->Handle(), CB_ADDSTRING, 0, LPARAM(S.c_str()));
  if (result < 0)
    throw EOutOfResources(SInsertLineError);
  return int(result);
}

void TComboBoxStrings::Insert(int Index, const std::string& S)
{
  if (SendMessage(FComboBox->Handle(), CB_INSERTSTRING, WPARAM(Index), LPARAM(S.c_str())) < 0)
    throw EOutOfResources(SInsertLineError);
}

void TComboBoxStrings::Delete(int Index)
{
  SendMessage(FComboBox->Handle(), CB_DELETESTRING, WPARAM(Index), 0);
}

void TComboBoxStrings::Clear()
{
  FComboBox->Clear();
}

int TComboBoxStrings::IndexOf(const std::string& S) const
{
  return int(SendMessage(FComboBox->Handle(), CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(S.c_str())));
}

void TComboBoxStrings::SetUpdateState(bool Updating)
{
  SendMessage(FComboBox->Handle(), WM_SETREDRAW, !Updating, 0);
  if (!Updating)
    FComboBox->Refresh();
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this))
{
  FControlStyle = {csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox()
{
  Destroying();
  if (FHandle)
    DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[int(FStyle)];
  if (FSorted)
    Params.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd()
{
  TWinControl::CreateWnd();
  if (FSaveItems) {
    FItems->Assign(FSaveItems.get());
    FSaveItems.reset();
    SetItemIndex(FSaveIndex);
  }
}

void TCustomComboBox::DestroyWnd()
{
  if (FItems->Count() > 0) {
    FSaveItems = std::make_unique<TStringList>();
    FSaveItems->Assign(FItems.get());
    FSaveIndex = ItemIndex();
  }
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
  if (FStyle == Value)
    return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetSorted(bool Value)
{
  if (FSorted == Value)
    return;
  FSorted = Value;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex()
{
  return int(SendMessage(Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value)
{
  if (ItemIndex() != Value)
    SendMessage(Handle(), CB_SETCURSEL, WPARAM(Value), 0);
}

bool TCustomComboBox::DroppedDown()
{
  return SendMessage(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
  SendMessage(Handle(), CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::Clear()
{
  SendMessage(Handle(), CB_RESETCONTENT, 0, 0);
}

void TCustomComboBox::Change()
{
  Changed();
  if (OnChange)
    OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE:
      Change();
      if (OnSelect)
        OnSelect(this);
      Click();
      break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
      if (OnDropDown)
        OnDropDown(this);
      break;
    case CBN_CLOSEUP:
      if (OnCloseUp)
        OnCloseUp(this);
      break;
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
