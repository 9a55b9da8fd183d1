#include "platform/classes/stdctrls/CustomLabel.h"

#include "platform/classes/controls/WinControl.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
  FControlStyle += TControlStyle{csOpaque, csReplicatable};
  FWidth = 65;
  FHeight = 17;
  FAutoSize = true;
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
  if (FAutoSize == Value)
    return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
  if (FLayout == Value)
    return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
  if (Transparent() == Value)
    return;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
  if (FShowAccelChar == Value)
    return;
  FShowAccelChar = Value;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
  if (FFocusControl)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == static_cast<TComponent*>(FFocusControl))
    FFocusControl = nullptr;
}

void TCustomLabel::Loaded()
{
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::DoDrawText(TRect& Rect, unsigned Flags)
{
  std::string text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&")))
    text += ' ';
  if (!FShowAccelChar)
    Flags |= DT_NOPREFIX;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    OffsetRect(&Rect, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawText(dc, text.c_str(), int(text.size()), &Rect, Flags);
    OffsetRect(&Rect, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawText(dc, text.c_str(), int(text.size()), &Rect, Flags);
  } else {
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawText(dc, text.c_str(), int(text.size()), &Rect, Flags);
  }
}

void TCustomLabel::Paint()
{
  static const unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = Canvas();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(ClientRect());
  }
  canvas->Brush()->SetStyle(bsClear);
  TRect rect = ClientRect();
  unsigned style = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | alignments[int(FAlignment)];
  if (FLayout != tlTop) {
    TRect calc = rect;
    DoDrawText(calc, style | DT_CALCRECT);
    int offset = FLayout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
    OffsetRect(&rect, 0, offset);
  }
  DoDrawText(rect, style);
}

void TCustomLabel::AdjustBounds()
{
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !FAutoSize)
    return;
  TRect rect = ClientRect();
  HDC dc = GetDC(nullptr);
  Canvas()->SetHandle(dc);
  DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
  Canvas()->SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = Left();
  if (FAlignment == taRightJustify)
    x += Width() - rect.Right;
  SetBounds(x, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CM_TEXTCHANGED:
    Invalidate();
    AdjustBounds();
    return;
  case CM_FONTCHANGED:
    TGraphicControl::Dispatch(Message);
    AdjustBounds();
    return;
  case CM_DIALOGCHAR:
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(WORD(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      Message.Result = 1;
    }
    return;
  }
  TGraphicControl::Dispatch(Message);
}
