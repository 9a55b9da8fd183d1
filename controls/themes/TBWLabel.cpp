#include "controls/themes/TBWLabel.h"

#include "controls/themes/TBWDrawing.h"
#include "platform/classes/Messages.h"

TTBWCustomLabel::TTBWCustomLabel(TComponent* AOwner) : TTBWTextObject(AOwner)
{
  SetWrapping(twWrap);
  SetTabStop(false);
}

void TTBWCustomLabel::SetFocusControl(TWinControl* Value)
{
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TTBWCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
  TTBWTextObject::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == static_cast<TComponent*>(FFocusControl))
    FFocusControl = nullptr;
}

void TTBWCustomLabel::SetUnderline(bool Value)
{
  if (FUnderline == Value)
    return;
  FUnderline = Value;
  Invalidate();
  FitHeightToText();
}

void TTBWCustomLabel::SetUnderlineColor(TColor Value)
{
  FUnderlineColor = Value;
  Invalidate();
}

void TTBWCustomLabel::ExtraTextMargins(TRect& Rect)
{
  Rect = FUnderline ? TRect(0, 0, 0, 1) : TRect(0, 0, 0, 0);
}

void TTBWCustomLabel::Paint()
{
  TTBWTextObject::Paint();
  if (!FUnderline)
    return;
  TRect r = TextArea();
  TRect extra;
  ExtraTextMargins(extra);
  r.Left += extra.Left;
  r.Right -= extra.Right;
  r.Bottom -= extra.Bottom;
  DrawLineColor(Canvas()->Handle(), r.Left, r.Bottom, r.Right, r.Bottom, FUnderlineColor);
}

void TTBWCustomLabel::Dispatch(TMessage& Message)
{
  if (Message.Msg == CM_DIALOGCHAR) {
    if (FFocusControl && Enabled() && ShowAccelChar() && IsAccel(WORD(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      Message.Result = 1;
    }
    return;
  }
  TTBWTextObject::Dispatch(Message);
}
