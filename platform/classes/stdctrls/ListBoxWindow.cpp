#include "platform/classes/stdctrls/ListBoxWindow.h"

#include <algorithm>

#include "platform/base/Exception.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/win/win.h"

void AddListBoxStyles(TCreateParams& Params, const TListBoxStyleBits& Bits)
{
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_NOTIFY;
  if (Bits.MultiSelect)
    Params.Style |= Bits.ExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!Bits.IntegralHeight)
    Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (Bits.Columns > 0)
    Params.Style |= LBS_MULTICOLUMN;
  if (Bits.TabWidth != 0)
    Params.Style |= LBS_USETABSTOPS;
  if (Bits.Sorted)
    Params.Style |= LBS_SORT;
  if (Bits.Border) {
    if (Bits.Ctl3D)
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

bool ReadListBoxLine(HWND Window, int Index, std::string& Text)
{
  // The line's length first: no line is too long for the buffer.
  LRESULT length = SendMessage(Window, LB_GETTEXTLEN, WPARAM(Index), 0);
  if (length < 0)
    return false;
  Text.assign(std::size_t(length) + 1, '\0');
  LRESULT got = SendMessage(Window, LB_GETTEXT, WPARAM(Index), LPARAM(Text.data()));
  if (got < 0)
    return false;
  Text.resize(std::size_t(std::min(got, length)));
  return true;
}

int AddListBoxLine(HWND Window, const std::string& S)
{
  LRESULT result = SendMessage(Window, LB_ADDSTRING, 0, LPARAM(S.c_str()));
  if (result < 0)
    throw EOutOfResources(SInsertLineError);
  return int(result);
}

void InsertListBoxLine(HWND Window, int Index, const std::string& S)
{
  if (SendMessage(Window, LB_INSERTSTRING, WPARAM(Index), LPARAM(S.c_str())) < 0)
    throw EOutOfResources(SInsertLineError);
}

TRect ListBoxLineRect(HWND Window, int Index, int Count)
{
  TRect r;
  if (Index == 0 || (Index >= 0 && Index < Count)) {
    SendMessage(Window, LB_GETITEMRECT, WPARAM(Index), LPARAM(&r));
  } else if (Index == Count) {
    SendMessage(Window, LB_GETITEMRECT, WPARAM(Index - 1), LPARAM(&r));
    OffsetRect(&r, 0, r.Height());
  }
  return r;
}

int ListBoxLineAt(HWND Window, const TRect& Client, TPoint Pos, int Count, bool Existing)
{
  if (!PtInRect(Client, Pos))
    return -1;
  for (int i = int(SendMessage(Window, LB_GETTOPINDEX, 0, 0)); i < Count; ++i) {
    TRect r;
    SendMessage(Window, LB_GETITEMRECT, WPARAM(i), LPARAM(&r));
    if (PtInRect(r, Pos))
      return i;
  }
  return Existing ? -1 : Count;
}
