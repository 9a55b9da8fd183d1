#include "platform/classes/controls/GraphicControl.h"

#include "platform/classes/controls/ControlCanvas.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
  FCanvas = new TControlCanvas();
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl()
{
  delete FCanvas;
}

void TGraphicControl::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_PAINT) {
    // The parent paints this control through the context it hands over.
    if (Message.WParam) {
      TCanvasPaintScope painting(FCanvas, HDC(Message.WParam));
      Paint();
    }
    return;
  }
  TControl::Dispatch(Message);
}
