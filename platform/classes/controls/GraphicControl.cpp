#include "platform/classes/controls/GraphicControl.h"

#include "platform/classes/controls/ControlCanvas.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
  FCanvas = std::make_unique<TControlCanvas>();
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_PAINT) {
    // The parent paints this control through the context it hands over.
    if (Message.WParam) {
      TCanvasPaintScope painting(FCanvas.get(), HDC(Message.WParam));
      Paint();
    }
    return;
  }
  TControl::Dispatch(Message);
}
