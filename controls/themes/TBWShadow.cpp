#include "controls/themes/TBWShadow.h"

#include "controls/themes/TBWStockObjects.h"
#include "platform/base/Exception.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/Colors.h"

TShadow::TShadow(const TRect& BoundsRect, BYTE Opacity, bool LowColor, BYTE Edges)
    : TCustomControl(nullptr), FOpacity(Opacity), FEdges(Edges)
{
  const TThemeOptionalFunctions& functions = OptionalFunctions();
  FStyle = ChooseShadowStyle(LowColor, functions.UpdateLayeredWindow != nullptr, functions.AlphaBlend != nullptr);
  FVisible = false;
  SetBounds(BoundsRect.Left, BoundsRect.Top, BoundsRect.Width(), BoundsRect.Height());
  SetColor(clBtnShadow);
  SetParentWindow(Application()->Handle());
}

TShadow::~TShadow() = default;

void TShadow::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style = (Params.Style & ~DWORD(WS_CHILD | WS_GROUP | WS_TABSTOP)) | WS_POPUP;
  Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (FStyle == TShadowStyle::Layered)
    Params.ExStyle |= WS_EX_LAYERED;
  if (FSaveBits)
    Params.WindowClass.style |= CS_SAVEBITS;
}

BLENDFUNCTION TShadow::Blend() const
{
  return BLENDFUNCTION{AC_SRC_OVER, 0, FOpacity, AC_SRC_ALPHA};
}

void TShadow::Render()
{
  HandleNeeded();
  if (FStyle == TShadowStyle::Layered)
    UpdateLayered();
}

void TShadow::UpdateLayered()
{
  TUpdateLayeredWindowProc update = OptionalFunctions().UpdateLayeredWindow;
  if (!update)
    throw EAssertionFailed("TShadow: a layered shadow without UpdateLayeredWindow");
  TScratchBitmap buffer(Width(), Height());
  FillBuffer(buffer);
  GdiFlush();
  const TPoint position(Left(), Top()), origin(0, 0);
  const TSize size(Width(), Height());
  const BLENDFUNCTION blend = Blend();
  HDC screen = GetDC(nullptr);
  const BOOL composed = update(Handle(), screen, &position, &size, buffer.DC(), &origin, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
  if (composed)
    return;
  // The display does not compose windows: draw the piece ourselves instead.
  SetWindowLong(Handle(), GWL_EXSTYLE, GetWindowLong(Handle(), GWL_EXSTYLE) & ~LONG(WS_EX_LAYERED));
  FStyle = OptionalFunctions().AlphaBlend ? TShadowStyle::Blended : TShadowStyle::Solid;
}

void TShadow::CaptureBackground()
{
  // Let the windows below finish painting, so the screen shows what the
  // shadow falls on.
  MSG msg;
  while (PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
    DispatchMessage(&msg);
  FBackground = std::make_unique<TScratchBitmap>(Width(), Height());
  HDC screen = GetDC(nullptr);
  BitBlt(FBackground->DC(), 0, 0, Width(), Height(), screen, Left(), Top(), SRCCOPY);
  ReleaseDC(nullptr, screen);
}

void TShadow::ShowBelow(HWND Window)
{
  HandleNeeded();
  if (FStyle == TShadowStyle::Blended && !IsWindowVisible(Handle()))
    CaptureBackground();
  SetWindowPos(Handle(), Window, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  FVisible = true;
}

void TShadow::EraseBlended(HDC DC)
{
  TAlphaBlendProc alphaBlend = OptionalFunctions().AlphaBlend;
  if (!alphaBlend)
    throw EAssertionFailed("TShadow: a blended shadow without AlphaBlend");
  const int w = Width(), h = Height();
  if (FBackground)
    BitBlt(DC, 0, 0, w, h, FBackground->DC(), 0, 0, SRCCOPY);
  TScratchBitmap buffer(w, h);
  FillBuffer(buffer);
  GdiFlush();
  alphaBlend(DC, 0, 0, w, h, buffer.DC(), 0, 0, w, h, Blend());
}

void TShadow::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
  case WM_ERASEBKGND:
    if (FStyle == TShadowStyle::Blended) {
      EraseBlended(HDC(Message.WParam));
      Message.Result = 1;
      return;
    }
    break;
  default: break;
  }
  TCustomControl::Dispatch(Message);
}

void THorzShadow::FillBuffer(TScratchBitmap& Buffer)
{
  FillShadowAlpha(Buffer.Row(0), Buffer.Width(), Buffer.Height(), false, Edges());
}

void TVertShadow::FillBuffer(TScratchBitmap& Buffer)
{
  FillShadowAlpha(Buffer.Row(0), Buffer.Width(), Buffer.Height(), true, Edges());
}
