#include "platform/classes/stdctrls/CustomPanel.h"

#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/win/win.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
  Canvas->Pen()->SetWidth(1);
  --Rect.Bottom;
  --Rect.Right;
  while (Width-- > 0) {
    TPoint topRight(Rect.Right, Rect.Top), bottomLeft(Rect.Left, Rect.Bottom);
    Canvas->Pen()->SetColor(TopColor);
    Canvas->Polyline({bottomLeft, TPoint(Rect.Left, Rect.Top), topRight});
    Canvas->Pen()->SetColor(BottomColor);
    --bottomLeft.x;
    Canvas->Polyline({topRight, TPoint(Rect.Right, Rect.Bottom), bottomLeft});
    InflateRect(&Rect, -1, -1);
  }
  ++Rect.Bottom;
  ++Rect.Right;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                   csOpaque,          csDoubleClicks, csReplicatable};
  FWidth = 185;
  FHeight = 41;
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
  TCustomControl::AdjustClientRect(Rect);
  int bevel = FBorderWidth;
  if (FBevelOuter != bvNone)
    bevel += FBevelWidth;
  if (FBevelInner != bvNone)
    bevel += FBevelWidth;
  InflateRect(&Rect, -bevel, -bevel);
}

void TCustomPanel::Paint()
{
  static const unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  auto colors = [](TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TCanvas* canvas = Canvas();
  TRect rect = ClientRect();
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    colors(FBevelOuter, top, bottom);
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  }
  Frame3D(canvas, rect, Color(), Color(), BorderWidth());
  if (FBevelInner != bvNone) {
    colors(FBevelInner, top, bottom);
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  }
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(rect);
  std::string caption = Caption();
  if (caption.empty())
    return;
  canvas->Brush()->SetStyle(bsClear);
  canvas->SetFont(Font());
  int fontHeight = canvas->TextHeight("W");
  rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
  rect.Bottom = rect.Top + fontHeight;
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  SetBkMode(canvas->Handle(), TRANSPARENT);
  SetTextColor(canvas->Handle(), ColorToRGB(Font()->Color()));
  DrawText(canvas->Handle(), caption.c_str(), int(caption.size()), &rect,
           DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | alignments[int(FAlignment)]);
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value)
{
  FBevelWidth = Value < 1 ? 1 : Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value)
{
  FBorderWidth = Value < 0 ? 0 : Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomPanel::Dispatch(TMessage& Message)
{
  if (Message.Msg == CM_TEXTCHANGED) {
    Invalidate();
    return;
  }
  if (Message.Msg == WM_SIZE) {
    TCustomControl::Dispatch(Message);
    // The bevels follow the edges: the whole panel repaints.
    if (FFullRepaint)
      Invalidate();
    return;
  }
  TCustomControl::Dispatch(Message);
}
