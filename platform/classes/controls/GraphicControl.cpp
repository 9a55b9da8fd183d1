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
      FCanvas->Lock();
      FCanvas->SetHandle(HDC(Message.WParam));
      try {
        Paint();
      } catch (...) {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
        throw;
      }
      FCanvas->SetHandle(nullptr);
      FCanvas->Unlock();
    }
    return;
  }
  TControl::Dispatch(Message);
}
