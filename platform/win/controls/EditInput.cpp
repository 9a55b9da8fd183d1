// The edit control's keyboard and mouse: caret moves and selection, typing
// and deleting, the editing keys, clicks, drags and double clicks.
#include <algorithm>

#include "platform/base/Utf.h"
#include "platform/win/controls/EditData.h"
#include "platform/win/controls/EditHandlers.h"

using namespace controls;
using namespace controls::edit;

namespace {

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

}  // namespace

namespace controls::edit {

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

}  // namespace controls::edit
