#include "platform/classes/controls/CustomControl.h"

#include "platform/classes/controls/ControlCanvas.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
  FCanvas = new TControlCanvas();
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
  Destroying();
  // The window goes first, so no paint reaches a freed canvas.
  if (FHandle)
    DestroyHandle();
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomControl::Dispatch(TMessage& Message)
{
  if (Message.Msg == WM_PAINT) {
    FControlState.Include(csCustomPaint);
    TWinControl::Dispatch(Message);
    FControlState.Exclude(csCustomPaint);
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomControl::PaintWindow(HDC DC)
{
  TCanvasPaintScope painting(FCanvas, DC);
  FCanvas->UpdateTextFlags();
  Paint();
}
