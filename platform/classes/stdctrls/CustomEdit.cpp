#include "platform/classes/stdctrls/CustomEdit.h"

#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/win.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
  FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  FAutoSize = true;
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
  static const DWORD cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | cases[int(FCharCase)];
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  if (FPasswordChar)
    Params.Style |= ES_PASSWORD;
  if (FReadOnly)
    Params.Style |= ES_READONLY;
  if (!FHideSelection)
    Params.Style |= ES_NOHIDESEL;
}

void TCustomEdit::CreateWnd()
{
  FCreating = true;
  {
    ScopeExit creating([&] { FCreating = false; });
    TWinControl::CreateWnd();
  }
  SendMessage(Handle(), EM_LIMITTEXT, WPARAM(FMaxLength), 0);
  SendMessage(Handle(), EM_SETMODIFY, FModified, 0);
  if (FPasswordChar)
    SendMessage(Handle(), EM_SETPASSWORDCHAR, WPARAM(static_cast<unsigned char>(FPasswordChar)), 0);
}

void TCustomEdit::DestroyWnd()
{
  FModified = Modified();
  TWinControl::DestroyWnd();
}

void TCustomEdit::Change()
{
  Changed();
  if (OnChange)
    OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CN_COMMAND:
    if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating)
      Change();
    return;
  case CM_ENTER:
    if (FAutoSelect && !FControlState.Contains(csLButtonDown) &&
        !(GetWindowLongPtr(Handle(), GWL_STYLE) & ES_MULTILINE))
      SelectAll();
    break;
  case CM_TEXTCHANGED:
    // Without a window (or for a memo) the window class says nothing: the
    // change is announced here.
    if (!HandleAllocated() || (GetWindowLongPtr(Handle(), GWL_STYLE) & ES_MULTILINE))
      Change();
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value)
{
  if (FHideSelection == Value)
    return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value)
{
  FMaxLength = Value < 0 ? 0 : Value;
  if (HandleAllocated())
    SendMessage(Handle(), EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value)
{
  FReadOnly = Value;
  if (HandleAllocated())
    SendMessage(Handle(), EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
  if (FCharCase == Value)
    return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char Value)
{
  if (FPasswordChar == Value)
    return;
  FPasswordChar = Value;
  RecreateWnd();
}

bool TCustomEdit::Modified()
{
  if (HandleAllocated())
    return SendMessage(Handle(), EM_GETMODIFY, 0, 0) != 0;
  return FModified;
}

void TCustomEdit::SetModified(bool Value)
{
  FModified = Value;
  if (HandleAllocated())
    SendMessage(Handle(), EM_SETMODIFY, Value, 0);
}

int TCustomEdit::SelStart()
{
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return int(start);
}

void TCustomEdit::SetSelStart(int Value)
{
  SendMessage(Handle(), EM_SETSEL, WPARAM(Value), LPARAM(Value));
}

int TCustomEdit::SelLength()
{
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  return int(end) - int(start);
}

void TCustomEdit::SetSelLength(int Value)
{
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  SendMessage(Handle(), EM_SETSEL, WPARAM(start), LPARAM(int(start) + Value));
  SendMessage(Handle(), EM_SCROLLCARET, 0, 0);
}

std::string TCustomEdit::SelText()
{
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  std::string text = Text();
  if (start > text.size())
    return {};
  return text.substr(start, std::min<std::size_t>(end, text.size()) - start);
}

void TCustomEdit::SetSelText(const std::string& Value)
{
  SendMessage(Handle(), EM_REPLACESEL, 0, LPARAM(Value.c_str()));
}

void TCustomEdit::SelectAll()
{
  if (HandleAllocated())
    SendMessage(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Clear()
{
  SetText("");
}

void TCustomEdit::ClearSelection()
{
  SendMessage(Handle(), WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
  SendMessage(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
  SendMessage(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
  SendMessage(Handle(), WM_PASTE, 0, 0);
}

void TCustomEdit::Undo()
{
  if (HandleAllocated())
    SendMessage(Handle(), WM_UNDO, 0, 0);
}

bool TCustomEdit::CanUndo()
{
  return HandleAllocated() && SendMessage(Handle(), EM_CANUNDO, 0, 0) != 0;
}
