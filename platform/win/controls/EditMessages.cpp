// The edit control's own messages (EM_*): selection, lines, scrolling,
// limits, margins, the format rectangle, tab stops and positions.
#include <algorithm>
#include <cstring>

#include "platform/win/controls/EditData.h"
#include "platform/win/controls/EditHandlers.h"

using namespace controls;
using namespace controls::edit;

namespace {

LRESULT OnEmptyUndoBuffer(TEditData* e)
{
  e->CanUndo = false;
  e->UndoText.clear();
  e->TypingEnd = -1;
  return 0;
}

LRESULT OnGetSel(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  int a = e->SelMin(), b = e->SelMax();
  if (wParam)
    *reinterpret_cast<DWORD*>(wParam) = DWORD(a);
  if (lParam)
    *reinterpret_cast<DWORD*>(lParam) = DWORD(b);
  return MAKELRESULT(WORD(std::min(a, 0xFFFF)), WORD(std::min(b, 0xFFFF)));
}

LRESULT OnSetSel(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  // -1 as the start removes the selection; an end of -1 (or past the
  // text) runs to the end.
  int start = int(wParam), end = int(lParam);
  if (start == -1) {
    e->SetSelection(e->Caret, e->Caret);
    return 0;
  }
  if (end < 0 || end > e->Length())
    end = e->Length();
  start = std::clamp(start, 0, e->Length());
  e->WantedX = -1;
  e->SetSelection(start, end, true);
  return 0;
}

LRESULT OnReplaceSel(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  HWND hwnd = e->Hwnd;
  std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  bool complete = e->Replace(e->Prepared(text), wParam != 0, false);
  Changed(e, true);
  if (!complete && IsWindow(hwnd))
    NotifyParent(hwnd, EN_MAXTEXT);
  return 0;
}

LRESULT OnLineIndex(TEditData* e, WPARAM wParam)
{
  if (!e->Multi())
    return 0;
  int line = int(wParam) == -1 ? e->LineOf(e->Caret) : int(wParam);
  if (line < 0 || line >= int(e->Lines.size()))
    return -1;
  return e->Lines[std::size_t(line)].Start;
}

LRESULT OnLineFromChar(TEditData* e, WPARAM wParam)
{
  if (!e->Multi())
    return 0;
  int pos = int(wParam) == -1 ? e->SelMin() : std::clamp(int(wParam), 0, e->Length());
  return e->LineOf(pos);
}

LRESULT OnLineLength(TEditData* e, WPARAM wParam)
{
  if (int(wParam) == -1) {
    // The characters of the selected lines that are not selected.
    if (e->SelMin() == e->SelMax())
      return 0;
    const TEditLine& a = e->Lines[std::size_t(e->LineOf(e->SelMin()))];
    const TEditLine& b = e->Lines[std::size_t(e->LineOf(e->SelMax()))];
    return (e->SelMin() - a.Start) + std::max(0, b.Start + b.Length - e->SelMax());
  }
  if (!e->Multi())
    return e->Length();
  int pos = std::clamp(int(wParam), 0, e->Length());
  return e->Lines[std::size_t(e->LineOf(pos))].Length;
}

LRESULT OnGetLine(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  if (!lParam)
    return 0;
  int line = e->Multi() ? int(wParam) : 0;
  if (line < 0 || line >= int(e->Lines.size()))
    return 0;
  WORD size;
  std::memcpy(&size, reinterpret_cast<void*>(lParam), sizeof size);
  const TEditLine& l = e->Lines[std::size_t(line)];
  std::size_t n = std::min<std::size_t>(size, std::size_t(l.Length));
  std::memcpy(reinterpret_cast<char*>(lParam), e->Text.data() + l.Start, n);
  // The terminating zero only when there is room for it.
  if (n < size)
    reinterpret_cast<char*>(lParam)[n] = 0;
  return LRESULT(n);
}

LRESULT OnGetFirstVisibleLine(TEditData* e)
{
  HWND hwnd = e->Hwnd;
  if (e->Multi())
    return e->FirstLine;
  TMeasureDC m(hwnd, e->Font);
  return e->PosAtX(m.Handle(), 0, e->XOffset);
}

LRESULT OnScroll(TEditData* e, WPARAM wParam)
{
  if (!e->Multi())
    return FALSE;
  int old = e->FirstLine, page = std::max(1, e->VisibleLines() - 1);
  int by = wParam == SB_LINEUP ? -1 : wParam == SB_LINEDOWN ? 1 : wParam == SB_PAGEUP ? -page
                                                                 : wParam == SB_PAGEDOWN ? page : 0;
  if (wParam > SB_PAGEDOWN)
    return FALSE;
  ScrollLines(e, by, false);
  return MAKELRESULT(WORD(e->FirstLine - old), TRUE);
}

LRESULT OnLineScroll(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  if (!e->Multi())
    return FALSE;
  ScrollPixels(e, int(wParam) * e->AveChar, false);
  ScrollLines(e, int(lParam), false);
  return TRUE;
}

LRESULT OnScrollCaret(TEditData* e)
{
  e->ScrollCaretIntoView();
  e->UpdateScrollBars();
  e->Invalidate();
  e->PlaceCaret();
  return TRUE;
}

LRESULT OnLimitText(TEditData* e, WPARAM wParam)
{
  UINT limit = UINT(wParam);
  if (limit == 0)
    limit = e->Multi() ? 0xFFFFFFFF : 0x7FFFFFFE;
  e->Limit = limit;
  return 0;
}

LRESULT OnSetReadOnly(TEditData* e, WPARAM wParam)
{
  HWND hwnd = e->Hwnd;
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  style = wParam ? (style | ES_READONLY) : (style & ~LONG_PTR(ES_READONLY));
  SetWindowLongPtr(hwnd, GWL_STYLE, style);
  e->Style = wParam ? (e->Style | ES_READONLY) : (e->Style & ~ES_READONLY);
  e->Invalidate();
  return TRUE;
}

LRESULT OnSetPasswordChar(TEditData* e, WPARAM wParam)
{
  HWND hwnd = e->Hwnd;
  if (e->Multi())
    return 0;
  e->Password = char32_t(wParam);
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  SetWindowLongPtr(hwnd, GWL_STYLE, wParam ? (style | ES_PASSWORD) : (style & ~LONG_PTR(ES_PASSWORD)));
  e->Relayout();
  e->Invalidate();
  e->PlaceCaret();
  return 0;
}

LRESULT OnSetMargins(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  int left = LOWORD(std::uintptr_t(lParam)), right = HIWORD(std::uintptr_t(lParam));
  if (wParam == EC_USEFONTINFO)
    left = right = e->AveChar / 2;
  if (wParam & EC_LEFTMARGIN || wParam == EC_USEFONTINFO)
    e->LeftMargin = left;
  if (wParam & EC_RIGHTMARGIN || wParam == EC_USEFONTINFO)
    e->RightMargin = right;
  e->FormatSet = false;
  e->Relayout();
  e->Invalidate();
  e->PlaceCaret();
  return 0;
}

LRESULT OnSetRect(TEditData* e, UINT msg, LPARAM lParam)
{
  if (!e->Multi())
    return 0;
  if (lParam) {
    e->FormatRect = *reinterpret_cast<const TRect*>(lParam);
    e->FormatSet = true;
  } else {
    e->FormatSet = false;
  }
  e->Relayout();
  e->UpdateScrollBars();
  if (msg == EM_SETRECT)
    e->Invalidate();
  e->PlaceCaret();
  return 0;
}

LRESULT OnSetTabStops(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  if (!e->Multi())
    return FALSE;
  e->TabStops = TabStopPixels(int(wParam), reinterpret_cast<const int*>(lParam), e->AveChar);
  e->Relayout();
  e->Invalidate();
  return TRUE;
}

LRESULT OnPosFromChar(TEditData* e, WPARAM wParam)
{
  int pos = int(wParam);
  if (pos < 0 || pos > e->Length())
    return -1;
  if (!e->Multi() && pos == e->Length() && pos > 0)
    return -1;
  TPoint p = e->ClientPosOf(e->Snap(pos));
  return MAKELRESULT(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
}

LRESULT OnCharFromPos(TEditData* e, LPARAM lParam)
{
  TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  int line = 0;
  int pos = e->PosAtClient(pt, &line);
  return MAKELRESULT(WORD(std::min(pos, 0xFFFF)), WORD(std::min(line, 0xFFFF)));
}

}  // namespace

namespace controls::edit {

LRESULT EditControlMessage(TEditData* e, UINT msg, WPARAM wParam, LPARAM lParam)
{
  HWND hwnd = e->Hwnd;
  switch (msg) {
    // Undo and the modified flag.
    case EM_CANUNDO: return e->CanUndo;
    case EM_EMPTYUNDOBUFFER: return OnEmptyUndoBuffer(e);
    case EM_GETMODIFY: return e->Modified;
    case EM_SETMODIFY: e->Modified = wParam != 0; return 0;

    // Selection and replacing it.
    case EM_GETSEL: return OnGetSel(e, wParam, lParam);
    case EM_SETSEL: return OnSetSel(e, wParam, lParam);
    case EM_REPLACESEL: return OnReplaceSel(e, wParam, lParam);

    // Lines.
    case EM_GETLINECOUNT: return e->Multi() ? LRESULT(e->Lines.size()) : 1;
    case EM_LINEINDEX: return OnLineIndex(e, wParam);
    case EM_LINEFROMCHAR: return OnLineFromChar(e, wParam);
    case EM_LINELENGTH: return OnLineLength(e, wParam);
    case EM_GETLINE: return OnGetLine(e, wParam, lParam);

    // Scrolling.
    case EM_GETFIRSTVISIBLELINE: return OnGetFirstVisibleLine(e);
    case EM_SCROLL: return OnScroll(e, wParam);
    case EM_LINESCROLL: return OnLineScroll(e, wParam, lParam);
    case EM_SCROLLCARET: return OnScrollCaret(e);

    // Limits, read-only and password.
    case EM_LIMITTEXT: return OnLimitText(e, wParam);
    case EM_GETLIMITTEXT: return LRESULT(e->Limit);
    case EM_SETREADONLY: return OnSetReadOnly(e, wParam);
    case EM_SETPASSWORDCHAR: return OnSetPasswordChar(e, wParam);
    case EM_GETPASSWORDCHAR: return LRESULT(e->Password);

    // Margins, the format rectangle and tab stops.
    case EM_SETMARGINS: return OnSetMargins(e, wParam, lParam);
    case EM_GETMARGINS: return MAKELRESULT(WORD(e->LeftMargin), WORD(e->RightMargin));
    case EM_GETRECT:
      if (lParam)
        *reinterpret_cast<TRect*>(lParam) = e->FormatRect;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP: return OnSetRect(e, msg, lParam);
    case EM_SETTABSTOPS: return OnSetTabStops(e, wParam, lParam);

    // Positions.
    case EM_POSFROMCHAR: return OnPosFromChar(e, wParam);
    case EM_CHARFROMPOS: return OnCharFromPos(e, lParam);

    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace controls::edit
