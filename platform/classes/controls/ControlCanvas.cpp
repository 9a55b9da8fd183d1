#include "platform/classes/controls/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"

namespace {

// Canvases holding a window context until the current message is done.
std::vector<TControlCanvas*>& CanvasList()
{
  static std::vector<TControlCanvas*> list;
  return list;
}

}  // namespace

void FreeDeviceContexts()
{
  auto& list = CanvasList();
  while (!list.empty())
    list.back()->FreeHandle();
}

TControlCanvas::~TControlCanvas()
{
  FreeHandle();
}

void TControlCanvas::SetControl(TControl* AControl)
{
  if (FControl == AControl)
    return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::CreateHandle()
{
  if (!FControl)
    return;
  if (!FDeviceContext) {
    FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    CanvasList().push_back(this);
  }
  SetHandle(FDeviceContext);
  UpdateTextFlags();
}

void TControlCanvas::FreeHandle()
{
  if (!FDeviceContext)
    return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  auto& list = CanvasList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::UpdateTextFlags()
{
  SetTextFlags(TextFlags() & ~UINT(ETO_RTLREADING));
}
