#include "platform/classes/stdctrls/CustomMemo.h"

#include <algorithm>
#include <cstring>

#include "platform/win/win.h"

namespace {

// Every line break as CR LF (a lone CR or LF too), as the window keeps them.
std::string AdjustLineBreaks(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

// The lines

int TMemoStrings::GetCount() const
{
  HWND hwnd = FMemo->Handle();
  int count = int(SendMessage(hwnd, EM_GETLINECOUNT, 0, 0));
  // An empty last line (after a final line break) is not a line of its own.
  if (count > 0 && SendMessage(hwnd, EM_LINELENGTH, WPARAM(SendMessage(hwnd, EM_LINEINDEX, WPARAM(count - 1), 0)), 0) == 0)
    --count;
  return count;
}

std::string TMemoStrings::Get(int Index) const
{
  HWND hwnd = FMemo->Handle();
  LRESULT start = SendMessage(hwnd, EM_LINEINDEX, WPARAM(Index), 0);
  if (start < 0)
    return {};
  int length = int(SendMessage(hwnd, EM_LINELENGTH, WPARAM(start), 0));
  std::string buffer(std::size_t(std::max(length, 2)) + 1, '\0');
  WORD size = WORD(std::min<std::size_t>(buffer.size(), 0xFFFF));
  std::memcpy(buffer.data(), &size, sizeof size);
  int got = int(SendMessage(hwnd, EM_GETLINE, WPARAM(Index), LPARAM(buffer.data())));
  buffer.resize(std::size_t(std::max(0, std::min(got, length))));
  return buffer;
}

void TMemoStrings::Put(int Index, const std::string& S)
{
  HWND hwnd = FMemo->Handle();
  LRESULT start = SendMessage(hwnd, EM_LINEINDEX, WPARAM(Index), 0);
  if (start < 0)
    return;
  LRESULT length = SendMessage(hwnd, EM_LINELENGTH, WPARAM(start), 0);
  SendMessage(hwnd, EM_SETSEL, WPARAM(start), LPARAM(start + length));
  SendMessage(hwnd, EM_REPLACESEL, 0, LPARAM(S.c_str()));
}

void TMemoStrings::Insert(int Index, const std::string& S)
{
  if (Index < 0)
    return;
  HWND hwnd = FMemo->Handle();
  LRESULT start = SendMessage(hwnd, EM_LINEINDEX, WPARAM(Index), 0);
  std::string line;
  if (start >= 0) {
    line = S + "\r\n";
  } else {
    // After the last line: a line break first.
    start = SendMessage(hwnd, EM_LINEINDEX, WPARAM(Index - 1), 0);
    if (start < 0)
      return;
    LRESULT length = SendMessage(hwnd, EM_LINELENGTH, WPARAM(start), 0);
    if (length == 0)
      return;
    start += length;
    line = "\r\n" + S;
  }
  SendMessage(hwnd, EM_SETSEL, WPARAM(start), LPARAM(start));
  SendMessage(hwnd, EM_REPLACESEL, 0, LPARAM(line.c_str()));
}

void TMemoStrings::Delete(int Index)
{
  HWND hwnd = FMemo->Handle();
  LRESULT start = SendMessage(hwnd, EM_LINEINDEX, WPARAM(Index), 0);
  if (start < 0)
    return;
  LRESULT end = SendMessage(hwnd, EM_LINEINDEX, WPARAM(Index + 1), 0);
  if (end < 0)
    end = start + SendMessage(hwnd, EM_LINELENGTH, WPARAM(start), 0);
  SendMessage(hwnd, EM_SETSEL, WPARAM(start), LPARAM(end));
  SendMessage(hwnd, EM_REPLACESEL, 0, LPARAM(""));
}

void TMemoStrings::Clear()
{
  FMemo->Clear();
}

void TMemoStrings::SetUpdateState(bool Updating)
{
  if (!FMemo->HandleAllocated())
    return;
  SendMessage(FMemo->Handle(), WM_SETREDRAW, !Updating, 0);
  if (!Updating) {
    FMemo->Refresh();
    FMemo->Perform(CM_TEXTCHANGED, 0, 0);
  }
}

std::string TMemoStrings::GetTextStr() const
{
  return FMemo->Text();
}

void TMemoStrings::SetTextStr(std::string_view Value)
{
  std::string text = AdjustLineBreaks(Value);
  if (text != FMemo->Text()) {
    SendMessage(FMemo->Handle(), WM_SETTEXT, 0, LPARAM(text.c_str()));
    FMemo->Perform(CM_TEXTCHANGED, 0, 0);
  }
}

// The memo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
  FWidth = 185;
  FHeight = 89;
  FAutoSize = false;
  FControlStyle.Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo()
{
  Destroying();
  if (FHandle)
    DestroyHandle();
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
  static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  static const DWORD scrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  TCustomEdit::CreateParams(Params);
  if (FWordWrap)
    Params.Style &= ~DWORD(ES_AUTOHSCROLL);
  Params.Style |= ES_MULTILINE | alignments[int(FAlignment)] | scrollBars[int(FScrollBars)];
  if (FWantReturns)
    Params.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
  if (FScrollBars == Value)
    return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value)
{
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

TPoint TCustomMemo::CaretPos()
{
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  int line = int(SendMessage(Handle(), EM_LINEFROMCHAR, WPARAM(end), 0));
  int column = int(end) - int(SendMessage(Handle(), EM_LINEINDEX, WPARAM(line), 0));
  return TPoint(column, line);
}

void TCustomMemo::SetCaretPos(TPoint Value)
{
  LRESULT pos = SendMessage(Handle(), EM_LINEINDEX, WPARAM(Value.y), 0) + Value.x;
  SendMessage(Handle(), EM_SETSEL, WPARAM(pos), LPARAM(pos));
}

void TCustomMemo::KeyPress(char32_t& Key)
{
  TCustomEdit::KeyPress(Key);
  if (Key == U'\r' && !FWantReturns)
    Key = 0;
}

void TCustomMemo::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(Message);
    if (FWantTabs)
      Message.Result |= DLGC_WANTTAB;
    else
      Message.Result &= ~DLGC_WANTTAB;
    if (!FWantReturns)
      Message.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::Dispatch(Message);
}
