#include "chatwin/widgets/UtExExtCtrls.h"

#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/win.h"

LRESULT TUtExCustomPanel::PassToInherited(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage message{};
  message.Msg = Msg;
  message.WParam = WParam;
  message.LParam = LParam;
  TCustomPanel::Dispatch(message);
  return message.Result;
}

void TUtExCustomPanel::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CM_VISIBLECHANGED: VisibleChanged(); return;
  case CM_ENABLEDCHANGED: EnabledChanged(); return;
  case CM_TEXTCHANGED: TextChanged(); return;
  case CM_FONTCHANGED: FontChanged(); return;
  case CM_COLORCHANGED: ColorChanged(); return;
  case CM_PARENTCOLORCHANGED: ParentColorChanged(); return;
  case CM_PARENTFONTCHANGED: ParentFontChanged(); return;
  case CM_PARENTSHOWHINTCHANGED: ParentShowHintChanged(); return;
  case CM_CURSORCHANGED: CursorChanged(); return;
  case CM_SHOWHINTCHANGED: ShowHintChanged(); return;
  case CM_SHOWINGCHANGED: ShowingChanged(); return;
  case CM_MOUSEENTER: MouseEnter(reinterpret_cast<TControl*>(Message.LParam)); return;
  case CM_MOUSELEAVE: MouseLeave(reinterpret_cast<TControl*>(Message.LParam)); return;
  case CM_HITTEST:
    Message.Result = HitTest(std::int16_t(LOWORD(Message.LParam)), std::int16_t(HIWORD(Message.LParam)));
    return;
  case CM_HINTSHOW: Message.Result = HintShow(*reinterpret_cast<THintInfo*>(Message.LParam)); return;
  case CM_DIALOGCHAR:
    Message.Result = WantKey(int(Message.WParam), KeyDataToShiftState(std::int32_t(Message.LParam)));
    return;
  case CM_FOCUSCHANGED:
    Message.Result = PassToInherited(Message.Msg, Message.WParam, Message.LParam);
    FocusChanged(reinterpret_cast<TControl*>(Message.LParam));
    return;
  case WM_ERASEBKGND: {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    TCanvas canvas;
    canvas.SetHandle(dc);
    ScopeExit release([&] { canvas.SetHandle(nullptr); });
    Message.Result = DoEraseBackground(&canvas, Message.LParam);
    return;
  }
  }
  TCustomPanel::Dispatch(Message);
}

void TUtExCustomPanel::MouseEnter(TControl* Control)
{
  PassToInherited(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
  if (OnMouseEnterControl)
    OnMouseEnterControl(this);
}

void TUtExCustomPanel::MouseLeave(TControl* Control)
{
  PassToInherited(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
  if (OnMouseLeaveControl)
    OnMouseLeaveControl(this);
}

bool TUtExCustomPanel::HitTest(int X, int Y)
{
  return PassToInherited(CM_HITTEST, 0, MAKELPARAM(WORD(X), WORD(Y))) != 0;
}

bool TUtExCustomPanel::HintShow(THintInfo& HintInfo)
{
  return PassToInherited(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&HintInfo)) != 0;
}

bool TUtExCustomPanel::WantKey(int Key, TShiftState Shift)
{
  return PassToInherited(CM_DIALOGCHAR, WPARAM(Key & 0xFFFF), Shift.Contains(ssAlt) ? 0x20000000 : 0) != 0;
}

bool TUtExCustomPanel::DoEraseBackground(TCanvas* Canvas, LPARAM Param)
{
  return PassToInherited(WM_ERASEBKGND, WPARAM(Canvas->Handle()), Param) != 0;
}
