#include "platform/classes/controls/CustomControl.h"

#include "platform/classes/controls/ControlCanvas.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
  FCanvas = std::make_unique<TControlCanvas>();
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
  Destroying();
  // The window goes first, so no paint reaches a freed canvas.
  if (FHandle)
    DestroyHandle();
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
  TCanvasPaintScope painting(FCanvas.get(), DC);
  FCanvas->UpdateTextFlags();
  Paint();
}
