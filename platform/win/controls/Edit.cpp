// The edit control's window procedure: the dispatch of the window messages,
// their handlers, the changes the user makes and the clipboard, over TEditData.
#include "platform/win/controls/Edit.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Utf.h"
#include "platform/win/controls/EditData.h"
#include "platform/win/controls/EditHandlers.h"

using namespace controls;
using namespace controls::edit;

namespace {

TEditData* EditOf(HWND hwnd) { return DataOf<TEditData>(hwnd); }

std::string Selected(TEditData* e) { return e->Text.substr(std::size_t(e->SelMin()), std::size_t(e->SelMax() - e->SelMin())); }

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

LRESULT OnSize(TEditData* e)
{
  e->Relayout();
  e->ScrollCaretIntoView();
  e->UpdateScrollBars();
  e->Invalidate();
  e->PlaceCaret();
  return 0;
}

LRESULT OnStyleChanged(TEditData* e, WPARAM wParam)
{
  HWND hwnd = e->Hwnd;
  if (wParam == WPARAM(GWL_STYLE)) {
    e->Style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)) | (e->Style & ES_MULTILINE);
    e->Relayout();
    e->Invalidate();
  }
  return 0;
}

LRESULT OnSetText(TEditData* e, LPARAM lParam)
{
  std::string text = lParam ? e->Prepared(reinterpret_cast<const char*>(lParam)) : std::string();
  if (e->Limit < 0x7FFFFFFF)
    text.resize(CutAtCharBoundary(text, e->Limit).size());
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

LRESULT OnGetText(TEditData* e, WPARAM wParam, LPARAM lParam)
{
  if (!lParam || wParam == 0)
    return 0;
  std::size_t n = CutAtCharBoundary(e->Text, wParam - 1).size();
  std::memcpy(reinterpret_cast<char*>(lParam), e->Text.data(), n);
  reinterpret_cast<char*>(lParam)[n] = 0;
  return LRESULT(n);
}

LRESULT OnGetDlgCode(TEditData* e)
{
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (e->Multi())
    code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT OnSetFocus(TEditData* e)
{
  HWND hwnd = e->Hwnd;
  e->Focused = true;
  CreateCaret(hwnd, nullptr, 1, e->LineHeight);
  e->PlaceCaret();
  ShowCaret(hwnd);
  e->Invalidate();
  NotifyParent(hwnd, EN_SETFOCUS);
  return 0;
}

LRESULT OnKillFocus(TEditData* e)
{
  HWND hwnd = e->Hwnd;
  e->Focused = false;
  e->Tracking = false;
  DestroyCaret();
  e->Invalidate();
  NotifyParent(hwnd, EN_KILLFOCUS);
  return 0;
}

LRESULT OnUndo(TEditData* e)
{
  if (!e->CanUndo)
    return FALSE;
  e->Undo();
  Changed(e, true);
  return TRUE;
}

LRESULT EditMessage(TEditData* e, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace

namespace controls::edit {

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

}  // namespace controls::edit

LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TEditData* e = EditOf(hwnd);
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
  switch (msg) {
    // The window.
    case WM_CREATE:
      e->Relayout();
      e->UpdateScrollBars();
      return 0;
    case WM_SIZE: return OnSize(e);
    case WM_STYLECHANGED: return OnStyleChanged(e, wParam);
    case WM_PAINT:
      controls::edit::Paint(e);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted with the parent's brush in WM_PAINT
    case WM_ENABLE:
      e->Invalidate();
      return 0;
    case WM_GETDLGCODE: return OnGetDlgCode(e);

    // Text and font.
    case WM_SETTEXT: return OnSetText(e, lParam);
    case WM_GETTEXT: return OnGetText(e, wParam, lParam);
    case WM_GETTEXTLENGTH: return e->Length();
    case WM_SETFONT:
      SetFontOf(e, reinterpret_cast<HFONT>(wParam), LOWORD(std::uintptr_t(lParam)) != 0);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e->Font);

    // Focus, keyboard and mouse.
    case WM_SETFOCUS: return OnSetFocus(e);
    case WM_KILLFOCUS: return OnKillFocus(e);
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

    // Scrolling.
    case WM_MOUSEWHEEL: return OnMouseWheel(e, wParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
      return OnScrollBar(e, msg == WM_VSCROLL, LOWORD(wParam), SHORT(HIWORD(wParam)));

    // The clipboard and undo.
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
    case EM_UNDO: return OnUndo(e);

    default: return EditControlMessage(e, msg, wParam, lParam);
  }
}

}  // namespace
