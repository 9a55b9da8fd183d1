#include "controls/utility/controls/UtExControls.h"

#include "controls/utility/controls/UtDestroyWatch.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/Utf.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/win.h"

LRESULT UtExDispatch(TControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage message{};
  message.Msg = Msg;
  message.WParam = WParam;
  message.LParam = LParam;
  message.Result = 0;
  Control->Dispatch(message);
  return message.Result;
}

LRESULT TUtExWinControl::PassToInherited(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage message{};
  message.Msg = Msg;
  message.WParam = WParam;
  message.LParam = LParam;
  message.Result = 0;
  TWinControl::Dispatch(message);
  return message.Result;
}

void TUtExWinControl::Dispatch(TMessage& Message)
{
  if (DispatchControlNotify(Message) || DispatchWinControlNotify(Message) || DispatchEditNotify(Message))
    return;
  Message.Result = PassToInherited(Message.Msg, Message.WParam, Message.LParam);
}

bool TUtExWinControl::DispatchControlNotify(TMessage& Message)
{
  switch (Message.Msg) {
  case CM_DIALOGCHAR: {
    std::u16string text;
    AppendUtf16(text, char32_t(Message.WParam));
    Message.Result = HandleDialogChar(int(Message.WParam), KeyDataToShiftState(std::int32_t(Message.LParam)), text);
    return true;
  }
  case CM_PARENTFONTCHANGED: HandleParentFontChanged(); return true;
  case CM_PARENTCOLORCHANGED: HandleParentColorChanged(); return true;
  case CM_VISIBLECHANGED: HandleVisibleChanged(); return true;
  case CM_ENABLEDCHANGED: HandleEnabledChanged(); return true;
  case CM_COLORCHANGED: HandleColorChanged(); return true;
  case CM_FONTCHANGED: HandleFontChanged(); return true;
  case CM_TEXTCHANGED: HandleTextChanged(); return true;
  case CM_PARENTSHOWHINTCHANGED: HandleParentShowHintChanged(); return true;
  case CM_HITTEST:
    Message.Result = HandleHitTest(std::int16_t(LOWORD(Message.LParam)), std::int16_t(HIWORD(Message.LParam)));
    return true;
  case CM_MOUSEENTER: HandleMouseEnter(reinterpret_cast<TControl*>(Message.LParam)); return true;
  case CM_MOUSELEAVE: HandleMouseLeave(reinterpret_cast<TControl*>(Message.LParam)); return true;
  case CM_HINTSHOW: Message.Result = HandleHintShow(*reinterpret_cast<THintInfo*>(Message.LParam)); return true;
  case CM_FOCUSCHANGED:
    Message.Result = PassToInherited(Message.Msg, Message.WParam, Message.LParam);
    HandleFocusChanged(reinterpret_cast<TControl*>(Message.LParam));
    return true;
  }
  return false;
}

bool TUtExWinControl::DispatchWinControlNotify(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_SIZE:
    HandleResize();
    Message.Result = PassToInherited(Message.Msg, Message.WParam, Message.LParam);
    return true;
  case WM_SETFOCUS:
  case WM_KILLFOCUS: {
    // The control may be freed while its focus message is handled.
    TUtDestroyWatch watch(this);
    UINT msg = Message.Msg;
    HWND other = reinterpret_cast<HWND>(Message.WParam);
    Message.Result = PassToInherited(Message.Msg, Message.WParam, Message.LParam);
    if (watch.Alive()) {
      if (msg == WM_SETFOCUS)
        HandleFocusGained(other);
      else
        HandleFocusLost(other);
    }
    return true;
  }
  case WM_ERASEBKGND: {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    int saved = SaveDC(dc);
    TCanvas canvas;
    canvas.SetHandle(dc);
    ScopeExit restore([&] {
      canvas.SetHandle(nullptr);
      RestoreDC(dc, saved);
    });
    Message.Result = HandleEraseBackground(&canvas, Message.LParam);
    return true;
  }
  case WM_GETDLGCODE: {
    TUtDestroyWatch watch(this);
    LRESULT answer = PassToInherited(Message.Msg, Message.WParam, Message.LParam);
    TDialogCodes codes{dcNative};
    if (answer & DLGC_WANTARROWS)
      codes.Include(dcWantArrows);
    if (answer & DLGC_WANTTAB)
      codes.Include(dcWantTab);
    if (answer & DLGC_WANTALLKEYS)
      codes.Include(dcWantAllKeys);
    if (answer & DLGC_WANTCHARS)
      codes.Include(dcWantChars);
    if (answer & DLGC_BUTTON)
      codes.Include(dcButton);
    if (watch.Alive())
      HandleDialogCode(codes);
    if (!codes.Contains(dcNative)) {
      // Without the native member the answer is the set alone.
      answer = 0;
      if (codes.Contains(dcWantAllKeys))
        answer |= DLGC_WANTALLKEYS;
      if (codes.Contains(dcWantArrows))
        answer |= DLGC_WANTARROWS;
      if (codes.Contains(dcWantTab))
        answer |= DLGC_WANTTAB;
      if (codes.Contains(dcWantChars))
        answer |= DLGC_WANTCHARS;
      if (codes.Contains(dcButton))
        answer |= DLGC_BUTTON;
    }
    Message.Result = answer;
    return true;
  }
  case CM_CURSORCHANGED: HandleCursorChanged(); return true;
  case CM_SHOWINGCHANGED: HandleShowingChanged(); return true;
  case CM_SHOWHINTCHANGED: HandleShowHintChanged(); return true;
  case CM_CONTROLLISTCHANGE: {
    auto* control = reinterpret_cast<TControl*>(Message.WParam);
    if (Message.LParam)
      HandleControlListChanging(control, true);
    else
      HandleControlListChanged(control, false);
    return true;
  }
  case CM_CONTROLCHANGE: {
    auto* control = reinterpret_cast<TControl*>(Message.WParam);
    if (Message.LParam)
      HandleControlListChanged(control, true);
    else
      HandleControlListChanging(control, false);
    return true;
  }
  }
  return false;
}

bool TUtExWinControl::DispatchEditNotify(TMessage& Message)
{
  auto* edit = dynamic_cast<IUtEditNotifyEvents*>(this);
  if (!edit)
    return false;
  switch (Message.Msg) {
  case WM_CUT: edit->HandleCut(); return true;
  case WM_COPY: edit->HandleCopy(); return true;
  case WM_PASTE: edit->HandlePaste(); return true;
  case WM_CLEAR: edit->HandleClear(); return true;
  case WM_UNDO: edit->HandleUndo(); return true;
  }
  return false;
}

// Defaults: the ordinary handling.

bool TUtExWinControl::HandleDialogChar(int Key, TShiftState Shift, const std::u16string&)
{
  return PassToInherited(CM_DIALOGCHAR, WPARAM(Key & 0xFFFF), Shift.Contains(ssAlt) ? 0x20000000 : 0) != 0;
}

void TUtExWinControl::HandleDialogCode(TDialogCodes&) {}

bool TUtExWinControl::HandleEraseBackground(TCanvas* Canvas, LPARAM Param)
{
  return PassToInherited(WM_ERASEBKGND, WPARAM(Canvas->Handle()), Param) != 0;
}

void TUtExWinControl::HandleVisibleChanged() { PassToInherited(CM_VISIBLECHANGED, 0, 0); }
void TUtExWinControl::HandleEnabledChanged() { PassToInherited(CM_ENABLEDCHANGED, 0, 0); }
void TUtExWinControl::HandleTextChanged() { PassToInherited(CM_TEXTCHANGED, 0, 0); }
void TUtExWinControl::HandleFontChanged() { PassToInherited(CM_FONTCHANGED, 0, 0); }
void TUtExWinControl::HandleColorChanged() { PassToInherited(CM_COLORCHANGED, 0, 0); }
void TUtExWinControl::HandleParentFontChanged() { PassToInherited(CM_PARENTFONTCHANGED, 0, 0); }
void TUtExWinControl::HandleParentColorChanged() { PassToInherited(CM_PARENTCOLORCHANGED, 0, 0); }
void TUtExWinControl::HandleParentShowHintChanged() { PassToInherited(CM_PARENTSHOWHINTCHANGED, 0, 0); }
void TUtExWinControl::HandleCursorChanged() { PassToInherited(CM_CURSORCHANGED, 0, 0); }
void TUtExWinControl::HandleShowingChanged() { PassToInherited(CM_SHOWINGCHANGED, 0, 0); }
void TUtExWinControl::HandleShowHintChanged() { PassToInherited(CM_SHOWHINTCHANGED, 0, 0); }

bool TUtExWinControl::HandleHintShow(THintInfo& HintInfo)
{
  return PassToInherited(CM_HINTSHOW, 0, LPARAM(&HintInfo)) != 0;
}

bool TUtExWinControl::HandleHitTest(int X, int Y)
{
  return PassToInherited(CM_HITTEST, 0, LPARAM(MAKELONG(WORD(X), WORD(Y)))) != 0;
}

void TUtExWinControl::HandleMouseEnter(TControl* Control)
{
  PassToInherited(CM_MOUSEENTER, 0, LPARAM(Control));
  if (OnMouseEnterControl)
    OnMouseEnterControl(this);
}

void TUtExWinControl::HandleMouseLeave(TControl* Control)
{
  PassToInherited(CM_MOUSELEAVE, 0, LPARAM(Control));
  if (OnMouseLeaveControl)
    OnMouseLeaveControl(this);
}

void TUtExWinControl::HandleControlListChanging(TControl* Control, bool Inserting)
{
  PassToInherited(Inserting ? CM_CONTROLLISTCHANGE : CM_CONTROLCHANGE, WPARAM(Control), Inserting);
}

void TUtExWinControl::HandleControlListChanged(TControl* Control, bool Inserting)
{
  PassToInherited(Inserting ? CM_CONTROLCHANGE : CM_CONTROLLISTCHANGE, WPARAM(Control), Inserting);
}
