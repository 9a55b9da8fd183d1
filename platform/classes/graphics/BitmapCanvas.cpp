#include "platform/classes/graphics/BitmapCanvas.h"

#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/detail/BitmapImage.h"
#include "platform/win/gdi/gdi.h"

TBitmapCanvas::~TBitmapCanvas()
{
  FreeContext();
}

void TBitmapCanvas::FreeContext()
{
  if (!FDC)
    return;
  SetHandle(nullptr);
  SelectObject(FDC, FOldBitmap);
  DeleteDC(FDC);
  FDC = nullptr;
  FOldBitmap = nullptr;
}

void TBitmapCanvas::CreateHandle()
{
  // A context holds the pixels of this bitmap alone: a shared picture is
  // copied first, so that no other bitmap's pixels change through it.
  FBitmap->Unshare();
  FBitmap->HandleNeeded();
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP handle = FBitmap->FImage->Handle;
  FOldBitmap = handle ? SelectObject(dc, handle) : nullptr;
  FDC = dc;
  SetHandle(dc);
}
