// The edit control's window procedure: messages, keyboard, mouse, clipboard
// and painting over TEditData.
#include "platform/win/controls/Edit.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Utf.h"
#include "platform/win/controls/EditData.h"

using namespace controls;

namespace {

TEditData* Data(HWND hwnd) { return DataOf<TEditData>(hwnd); }

bool ReadOnly(TEditData* e) { return GetWindowLongPtr(e->Hwnd, GWL_STYLE) & ES_READONLY; }

// After a change the user made: the parent hears EN_UPDATE before the
// control shows it and EN_CHANGE after.
void Changed(TEditData* e, bool notify)
{
  HWND hwnd = e->Hwnd;
  e->ScrollCaretIntoView();
  e->UpdateScrollBars();
  if (notify)
    NotifyParent(hwnd, EN_UPDATE);
  if (!IsWindow(hwnd))
    return;
  e->Invalidate();
  e->PlaceCaret();
  if (notify)
    NotifyParent(hwnd, EN_CHANGE);
}

void UserReplace(TEditData* e, const std::string& text, bool typing)
{
  HWND hwnd = e->Hwnd;
  bool complete = e->Replace(e->Prepared(text), true, typing);
  Changed(e, true);
  if (!complete && IsWindow(hwnd))
    NotifyParent(hwnd, EN_MAXTEXT);
}

std::string Selected(TEditData* e) { return e->Text.substr(std::size_t(e->SelMin()), std::size_t(e->SelMax() - e->SelMin())); }

void Copy(TEditData* e)
{
  if (e->Password || e->SelMin() == e->SelMax())
    return;
  if (!OpenClipboard(e->Hwnd))
    return;
  EmptyClipboard();
  std::string text = Selected(e);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (block) {
    if (char* p = static_cast<char*>(GlobalLock(block))) {
      std::memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(block);
      SetClipboardData(CF_TEXT, block);
    } else {
      GlobalFree(block);
    }
  }
  CloseClipboard();
}

void Paste(TEditData* e)
{
  if (ReadOnly(e) || !OpenClipboard(e->Hwnd))
    return;
  std::string text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      std::size_t size = GlobalSize(h);
      text.assign(p, strnlen(p, size));
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  if (!text.empty())
    UserReplace(e, text, false);
}

void Clear(TEditData* e)
{
  if (ReadOnly(e) || e->SelMin() == e->SelMax())
    return;
  UserReplace(e, std::string(), false);
}

void MoveTo(TEditData* e, int pos, bool extend, bool keepColumn = false)
{
  if (!keepColumn)
    e->WantedX = -1;
  e->SetSelection(extend ? e->Anchor : pos, pos);
}

int LineUpDown(TEditData* e, int lines)
{
  TMeasureDC m(e->Hwnd, e->Font);
  int line = e->LineOf(e->Caret);
  if (e->WantedX < 0)
    e->WantedX = e->AlignOffset(m.Handle(), line) + e->XOf(m.Handle(), e->Caret);
  int target = std::clamp(line + lines, 0, int(e->Lines.size()) - 1);
  return e->PosAtX(m.Handle(), target, e->WantedX - e->AlignOffset(m.Handle(), target));
}

void ScrollLines(TEditData* e, int lines, bool notify)
{
  int old = e->FirstLine;
  int last = std::max(0, int(e->Lines.size()) - 1);
  e->FirstLine = std::clamp(e->FirstLine + lines, 0, last);
  if (e->FirstLine == old)
    return;
  if (notify)
    NotifyParent(e->Hwnd, EN_VSCROLL);
  e->UpdateScrollBars();
  e->Invalidate();
  e->PlaceCaret();
}

void ScrollPixels(TEditData* e, int dx, bool notify)
{
  int old = e->XOffset;
  int most = std::max(0, e->MaxLineWidth - e->FormatRect.Width() + 1);
  e->XOffset = std::clamp(e->XOffset + dx, 0, std::max(most, old));
  if (e->XOffset == old)
    return;
  if (notify)
    NotifyParent(e->Hwnd, EN_HSCROLL);
  e->UpdateScrollBars();
  e->Invalidate();
  e->PlaceCaret();
}

void OnKeyDown(TEditData* e, WPARAM vk)
{
  bool shift = KeyIsDown(VK_SHIFT), ctrl = KeyIsDown(VK_CONTROL);
  int caret = e->Caret;
  switch (vk) {
    case VK_LEFT:
      if (!shift && e->Anchor != e->Caret)
        MoveTo(e, e->SelMin(), false);
      else
        MoveTo(e, ctrl ? e->WordStart(caret) : e->PrevPos(caret), shift);
      break;
    case VK_RIGHT:
      if (!shift && e->Anchor != e->Caret)
        MoveTo(e, e->SelMax(), false);
      else
        MoveTo(e, ctrl ? e->WordEnd(caret) : e->NextPos(caret), shift);
      break;
    case VK_UP:
    case VK_DOWN:
      if (!e->Multi()) {
        MoveTo(e, vk == VK_UP ? e->PrevPos(caret) : e->NextPos(caret), shift);
        break;
      }
      MoveTo(e, LineUpDown(e, vk == VK_UP ? -1 : 1), shift, true);
      break;
    case VK_PRIOR:
    case VK_NEXT:
      if (!e->Multi())
        break;
      {
        int page = std::max(1, e->VisibleLines() - 1);
        int pos = LineUpDown(e, vk == VK_PRIOR ? -page : page);
        ScrollLines(e, vk == VK_PRIOR ? -page : page, false);
        MoveTo(e, pos, shift, true);
      }
      break;
    case VK_HOME:
      MoveTo(e, ctrl ? 0 : e->Lines[std::size_t(e->LineOf(caret))].Start, shift);
      break;
    case VK_END: {
      const TEditLine& l = e->Lines[std::size_t(e->LineOf(caret))];
      MoveTo(e, ctrl ? e->Length() : l.Start + l.Length, shift);
      break;
    }
    case VK_DELETE:
      if (ReadOnly(e))
        break;
      if (shift) {  // Shift+Delete cuts
        Copy(e);
        Clear(e);
        break;
      }
      if (e->Anchor == e->Caret) {
        if (caret >= e->Length())
          break;
        e->Anchor = ctrl ? e->WordEnd(caret) : e->NextPos(caret);
      }
      UserReplace(e, std::string(), false);
      break;
    case VK_INSERT:
      if (ctrl)
        Copy(e);
      else if (shift)
        Paste(e);
      break;
    default: break;
  }
}

void OnChar(TEditData* e, char32_t c)
{
  bool ctrl = KeyIsDown(VK_CONTROL);
  switch (c) {
    case 0x01:  // Ctrl+A
      MoveTo(e, e->Length(), false);
      e->SetSelection(0, e->Length(), false);
      return;
    case 0x03:  // Ctrl+C
      Copy(e);
      return;
    case 0x16:  // Ctrl+V
      Paste(e);
      return;
    case 0x18:  // Ctrl+X
      if (!ReadOnly(e)) {
        Copy(e);
        Clear(e);
      }
      return;
    case 0x1A:  // Ctrl+Z
      if (!ReadOnly(e) && e->CanUndo) {
        e->Undo();
        Changed(e, true);
      }
      return;
    case 0x08:  // Backspace
      if (ReadOnly(e))
        return;
      if (e->Anchor == e->Caret) {
        if (e->Caret == 0)
          return;
        e->Anchor = e->PrevPos(e->Caret);
      }
      UserReplace(e, std::string(), false);
      return;
    case 0x7F:  // Ctrl+Backspace: the word before
      if (ReadOnly(e))
        return;
      if (e->Anchor == e->Caret)
        e->Anchor = e->WordStart(e->Caret);
      UserReplace(e, std::string(), false);
      return;
    case '\r':
    case '\n':
      if (!e->Multi() || ReadOnly(e))
        return;
      if (ctrl && c == '\n')
        return;
      UserReplace(e, "\r\n", true);
      return;
    case '\t':
      if (!e->Multi() || ReadOnly(e))
        return;
      UserReplace(e, "\t", true);
      return;
    default: break;
  }
  if (c < 0x20 || ReadOnly(e))
    return;
  if ((GetWindowLongPtr(e->Hwnd, GWL_STYLE) & ES_NUMBER) && (c < '0' || c > '9')) {
    MessageBeep(0);
    return;
  }
  std::string s;
  AppendUtf8(s, c);
  UserReplace(e, s, true);
}

void Paint(TEditData* e)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(e->Hwnd, &ps);
  if (!dc)
    return;
  LONG_PTR style = GetWindowLongPtr(e->Hwnd, GWL_STYLE);
  bool enabled = !(style & WS_DISABLED);
  // Read-only and disabled edits take the static colours.
  UINT msg = (enabled && !(style & ES_READONLY)) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(e->Font));
  HBRUSH brush = ControlBrush(e->Hwnd, dc, msg);
  TRect client;
  GetClientRect(e->Hwnd, &client);
  FillRect(dc, &client, brush);
  if (!enabled)
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
  SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, e->FormatRect.Left, e->FormatRect.Top, e->FormatRect.Right,
                    std::max(e->FormatRect.Bottom, e->FormatRect.Top + e->LineHeight));
  bool showSel = (e->Focused || (style & ES_NOHIDESEL)) && e->SelMin() != e->SelMax();
  int first = e->Multi() ? e->FirstLine : 0;
  int last = e->Multi() ? std::min(int(e->Lines.size()) - 1, first + e->VisibleLines()) : 0;
  std::string shown;
  for (int i = first; i <= last && i < int(e->Lines.size()); ++i) {
    const TEditLine& l = e->Lines[std::size_t(i)];
    int x0 = e->FormatRect.Left + e->AlignOffset(dc, i) - e->XOffset;
    int y = e->FormatRect.Top + (i - first) * e->LineHeight;
    // Three runs: before, inside and after the selection.
    int cuts[4] = {l.Start, std::clamp(e->SelMin(), l.Start, l.Start + l.Length),
                   std::clamp(e->SelMax(), l.Start, l.Start + l.Length), l.Start + l.Length};
    if (!showSel)
      cuts[1] = cuts[2] = cuts[3];
    for (int run = 0; run < 3; ++run) {
      int a = cuts[run], b = cuts[run + 1];
      bool sel = run == 1;
      int xa = x0 + e->Extent(dc, l.Start, a - l.Start);
      int xb = x0 + e->Extent(dc, l.Start, b - l.Start);
      if (sel && showSel) {
        // The selection of a line that goes on past its end shows one space more.
        if (e->SelMax() > l.Start + l.Length && b == l.Start + l.Length && i + 1 < int(e->Lines.size()))
          xb += e->AveChar / 2;
        TRect r(xa, y, xb, y + e->LineHeight);
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        SetTextColor(dc, text);
      }
      if (b <= a)
        continue;
      if (e->Password) {
        shown.clear();
        std::string one;
        AppendUtf8(one, e->Password);
        std::size_t count = Utf8Length(std::string_view(e->Text).substr(std::size_t(a), std::size_t(b - a)));
        for (std::size_t k = 0; k < count; ++k)
          shown += one;
        TextOutA(dc, xa, y, shown.data(), int(shown.size()));
      } else if (e->Multi()) {
        TabbedTextOutA(dc, xa, y, e->Text.data() + a, b - a, int(e->TabStops.size()),
                       e->TabStops.empty() ? nullptr : e->TabStops.data(), x0);
      } else {
        TextOutA(dc, xa, y, e->Text.data() + a, b - a);
      }
    }
  }
  SetBkColor(dc, back);
  SelectObject(dc, oldFont);
  EndPaint(e->Hwnd, &ps);
}

void OnMouse(TEditData* e, UINT msg, LPARAM lParam)
{
  TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  switch (msg) {
    case WM_LBUTTONDOWN: {
      if (GetFocus() != e->Hwnd)
        SetFocus(e->Hwnd);
      if (!IsWindow(e->Hwnd))
        return;
      int pos = e->PosAtClient(pt);
      MoveTo(e, pos, KeyIsDown(VK_SHIFT));
      e->Tracking = true;
      SetCapture(e->Hwnd);
      break;
    }
    case WM_LBUTTONDBLCLK: {
      int pos = e->PosAtClient(pt);
      int start = e->WordStart(e->NextPos(pos) > pos ? e->NextPos(pos) : pos);
      if (start > pos)
        start = pos;
      int end = e->WordEnd(start);
      e->WantedX = -1;
      e->SetSelection(start, end);
      e->Tracking = true;
      SetCapture(e->Hwnd);
      break;
    }
    case WM_MOUSEMOVE: {
      if (!e->Tracking)
        return;
      // Past the edges the text scrolls toward the pointer.
      if (e->Multi()) {
        if (pt.y < e->FormatRect.Top)
          ScrollLines(e, -1, false);
        else if (pt.y >= e->FormatRect.Top + e->VisibleLines() * e->LineHeight)
          ScrollLines(e, 1, false);
      }
      int line = 0;
      int pos = e->PosAtClient(pt, &line);
      e->Caret = e->Snap(pos);
      e->TypingEnd = -1;
      e->ScrollCaretIntoView();
      e->UpdateScrollBars();
      e->Invalidate();
      e->PlaceCaret();
      break;
    }
    case WM_LBUTTONUP:
      if (e->Tracking) {
        e->Tracking = false;
        if (GetCapture() == e->Hwnd)
          ReleaseCapture();
      }
      break;
    default: break;
  }
}

LRESULT OnScrollBar(TEditData* e, bool vertical, WORD code, int thumb)
{
  if (vertical) {
    int page = std::max(1, e->VisibleLines() - 1);
    switch (code) {
      case SB_LINEUP: ScrollLines(e, -1, true); break;
      case SB_LINEDOWN: ScrollLines(e, 1, true); break;
      case SB_PAGEUP: ScrollLines(e, -page, true); break;
      case SB_PAGEDOWN: ScrollLines(e, page, true); break;
      case SB_TOP: ScrollLines(e, -e->FirstLine, true); break;
      case SB_BOTTOM: ScrollLines(e, int(e->Lines.size()), true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(e->Hwnd, SB_VERT, &si);
        ScrollLines(e, (code == SB_THUMBTRACK ? si.nTrackPos : thumb) - e->FirstLine, true);
        break;
      }
      default: break;
    }
  } else {
    int page = std::max(1, e->FormatRect.Width() - e->AveChar);
    switch (code) {
      case SB_LINELEFT: ScrollPixels(e, -e->AveChar, true); break;
      case SB_LINERIGHT: ScrollPixels(e, e->AveChar, true); break;
      case SB_PAGELEFT: ScrollPixels(e, -page, true); break;
      case SB_PAGERIGHT: ScrollPixels(e, page, true); break;
      case SB_LEFT: ScrollPixels(e, -e->XOffset, true); break;
      case SB_RIGHT: ScrollPixels(e, e->MaxLineWidth, true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(e->Hwnd, SB_HORZ, &si);
        ScrollPixels(e, (code == SB_THUMBTRACK ? si.nTrackPos : thumb) - e->XOffset, true);
        break;
      }
      default: break;
    }
  }
  return 0;
}

void SetFontOf(TEditData* e, HFONT font, bool redraw)
{
  e->Font = font;
  FontMetrics(font, e->LineHeight, e->AveChar);
  e->Relayout();
  if (e->Focused) {
    DestroyCaret();
    CreateCaret(e->Hwnd, nullptr, 1, e->LineHeight);
    ShowCaret(e->Hwnd);
  }
  e->ScrollCaretIntoView();
  e->UpdateScrollBars();
  e->PlaceCaret();
  if (redraw)
    e->Invalidate();
}

LRESULT EditMessage(TEditData* e, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TEditData* e = Data(hwnd);
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
    DWORD style = DWORD(cs->style);
    // A multi-line edit with a horizontal bar, and every single line, scrolls sideways.
    if ((style & ES_MULTILINE) && (style & WS_HSCROLL))
      style |= ES_AUTOHSCROLL;
    e = new TEditData(hwnd, style);
    SetDataOf(hwnd, e);
    if (cs->lpszName && reinterpret_cast<std::uintptr_t>(cs->lpszName) > 0xFFFF)
      e->Text = e->Prepared(cs->lpszName);
    // The text lives here, not in the window record.
    return TRUE;
  }
  if (!e)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetDataOf(hwnd, nullptr);
    delete e;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  return EditMessage(e, msg, wParam, lParam);
}

namespace {

LRESULT EditMessage(TEditData* e, UINT msg, WPARAM wParam, LPARAM lParam)
{
  HWND hwnd = e->Hwnd;
  switch (msg) {
    case WM_CREATE:
      e->Relayout();
      e->UpdateScrollBars();
      return 0;
    case WM_SIZE:
      e->Relayout();
      e->ScrollCaretIntoView();
      e->UpdateScrollBars();
      e->Invalidate();
      e->PlaceCaret();
      return 0;
    case WM_STYLECHANGED:
      if (wParam == WPARAM(GWL_STYLE)) {
        e->Style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)) | (e->Style & ES_MULTILINE);
        e->Relayout();
        e->Invalidate();
      }
      return 0;
    case WM_PAINT:
      Paint(e);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted with the parent's brush in WM_PAINT
    case WM_SETTEXT: {
      std::string text = lParam ? e->Prepared(reinterpret_cast<const char*>(lParam)) : std::string();
      if (e->Limit < 0x7FFFFFFF && text.size() > e->Limit) {
        std::size_t n = e->Limit;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
          --n;
        text.resize(n);
      }
      e->Text = text;
      e->Anchor = e->Caret = 0;
      e->FirstLine = 0;
      e->XOffset = 0;
      e->CanUndo = false;
      e->TypingEnd = -1;
      e->Modified = false;
      e->Relayout();
      // A multi-line edit stays quiet when its whole text is set.
      Changed(e, !e->Multi());
      return TRUE;
    }
    case WM_GETTEXT: {
      if (!lParam || wParam == 0)
        return 0;
      std::size_t n = std::min<std::size_t>(wParam - 1, e->Text.size());
      while (n > 0 && n < e->Text.size() && (static_cast<unsigned char>(e->Text[n]) & 0xC0) == 0x80)
        --n;
      std::memcpy(reinterpret_cast<char*>(lParam), e->Text.data(), n);
      reinterpret_cast<char*>(lParam)[n] = 0;
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return e->Length();
    case WM_SETFONT:
      SetFontOf(e, reinterpret_cast<HFONT>(wParam), LOWORD(std::uintptr_t(lParam)) != 0);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->Font);
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (e->Multi())
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETFOCUS:
      e->Focused = true;
      CreateCaret(hwnd, nullptr, 1, e->LineHeight);
      e->PlaceCaret();
      ShowCaret(hwnd);
      e->Invalidate();
      NotifyParent(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      e->Focused = false;
      e->Tracking = false;
      DestroyCaret();
      e->Invalidate();
      NotifyParent(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      e->Invalidate();
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(e, wParam);
      return 0;
    case WM_CHAR:
      OnChar(e, char32_t(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      OnMouse(e, msg, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      e->Tracking = false;
      return 0;
    case WM_MOUSEWHEEL: {
      if (!e->Multi())
        return 0;
      UINT lines = 3;
      SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      ScrollLines(e, -notches * int(lines), true);
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      return OnScrollBar(e, msg == WM_VSCROLL, LOWORD(wParam), SHORT(HIWORD(wParam)));
    case WM_CUT:
      if (!ReadOnly(e)) {
        Copy(e);
        Clear(e);
      }
      return 0;
    case WM_COPY: Copy(e); return 0;
    case WM_PASTE: Paste(e); return 0;
    case WM_CLEAR: Clear(e); return 0;
    case WM_UNDO:
    case EM_UNDO:
      if (!e->CanUndo)
        return FALSE;
      e->Undo();
      Changed(e, true);
      return TRUE;
    case EM_CANUNDO: return e->CanUndo;
    case EM_EMPTYUNDOBUFFER:
      e->CanUndo = false;
      e->UndoText.clear();
      e->TypingEnd = -1;
      return 0;
    case EM_GETSEL: {
      int a = e->SelMin(), b = e->SelMax();
      if (wParam)
        *reinterpret_cast<DWORD*>(wParam) = DWORD(a);
      if (lParam)
        *reinterpret_cast<DWORD*>(lParam) = DWORD(b);
      return MAKELRESULT(WORD(std::min(a, 0xFFFF)), WORD(std::min(b, 0xFFFF)));
    }
    case EM_SETSEL: {
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
    case EM_REPLACESEL: {
      std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      bool complete = e->Replace(e->Prepared(text), wParam != 0, false);
      Changed(e, true);
      if (!complete && IsWindow(hwnd))
        NotifyParent(hwnd, EN_MAXTEXT);
      return 0;
    }
    case EM_GETLINECOUNT: return e->Multi() ? LRESULT(e->Lines.size()) : 1;
    case EM_LINEINDEX: {
      if (!e->Multi())
        return 0;
      int line = int(wParam) == -1 ? e->LineOf(e->Caret) : int(wParam);
      if (line < 0 || line >= int(e->Lines.size()))
        return -1;
      return e->Lines[std::size_t(line)].Start;
    }
    case EM_LINEFROMCHAR: {
      if (!e->Multi())
        return 0;
      int pos = int(wParam) == -1 ? e->SelMin() : std::clamp(int(wParam), 0, e->Length());
      return e->LineOf(pos);
    }
    case EM_LINELENGTH: {
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
    case EM_GETLINE: {
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
    case EM_GETFIRSTVISIBLELINE: {
      if (e->Multi())
        return e->FirstLine;
      TMeasureDC m(hwnd, e->Font);
      return e->PosAtX(m.Handle(), 0, e->XOffset);
    }
    case EM_SCROLL: {
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
    case EM_LINESCROLL:
      if (!e->Multi())
        return FALSE;
      ScrollPixels(e, int(wParam) * e->AveChar, false);
      ScrollLines(e, int(lParam), false);
      return TRUE;
    case EM_SCROLLCARET:
      e->ScrollCaretIntoView();
      e->UpdateScrollBars();
      e->Invalidate();
      e->PlaceCaret();
      return TRUE;
    case EM_GETMODIFY: return e->Modified;
    case EM_SETMODIFY: e->Modified = wParam != 0; return 0;
    case EM_LIMITTEXT: {
      UINT limit = UINT(wParam);
      if (limit == 0)
        limit = e->Multi() ? 0xFFFFFFFF : 0x7FFFFFFE;
      e->Limit = limit;
      return 0;
    }
    case EM_GETLIMITTEXT: return LRESULT(e->Limit);
    case EM_SETREADONLY: {
      LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
      style = wParam ? (style | ES_READONLY) : (style & ~LONG_PTR(ES_READONLY));
      SetWindowLongPtr(hwnd, GWL_STYLE, style);
      e->Style = wParam ? (e->Style | ES_READONLY) : (e->Style & ~ES_READONLY);
      e->Invalidate();
      return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
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
    case EM_GETPASSWORDCHAR: return LRESULT(e->Password);
    case EM_SETMARGINS: {
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
    case EM_GETMARGINS: return MAKELRESULT(WORD(e->LeftMargin), WORD(e->RightMargin));
    case EM_GETRECT:
      if (lParam)
        *reinterpret_cast<TRect*>(lParam) = e->FormatRect;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
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
    case EM_SETTABSTOPS: {
      if (!e->Multi())
        return FALSE;
      // Dialog units: a quarter of the average character width each.
      e->TabStops.clear();
      const int* stops = reinterpret_cast<const int*>(lParam);
      int count = int(wParam);
      if (count == 0)
        e->TabStops.push_back(e->AveChar * 8);
      for (int i = 0; i < count && stops; ++i)
        e->TabStops.push_back(stops[i] * e->AveChar / 4);
      e->Relayout();
      e->Invalidate();
      return TRUE;
    }
    case EM_POSFROMCHAR: {
      int pos = int(wParam);
      if (pos < 0 || pos > e->Length())
        return -1;
      if (!e->Multi() && pos == e->Length() && pos > 0)
        return -1;
      TPoint p = e->ClientPosOf(e->Snap(pos));
      return MAKELRESULT(WORD(SHORT(p.x)), WORD(SHORT(p.y)));
    }
    case EM_CHARFROMPOS: {
      TPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      int line = 0;
      int pos = e->PosAtClient(pt, &line);
      return MAKELRESULT(WORD(std::min(pos, 0xFFFF)), WORD(std::min(line, 0xFFFF)));
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace
