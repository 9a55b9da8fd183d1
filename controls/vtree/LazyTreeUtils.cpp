#include "controls/vtree/LazyTreeUtils.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/gdi.h"

void SortPointers(void** A, std::ptrdiff_t L, std::ptrdiff_t R)
{
  // Hoare partition around the middle element; recursion on the left part,
  // iteration on the right one.
  while (L < R) {
    std::ptrdiff_t i = L, j = R;
    auto pivot = reinterpret_cast<std::uintptr_t>(A[(L + R) / 2]);
    while (i <= j) {
      while (reinterpret_cast<std::uintptr_t>(A[i]) < pivot)
        ++i;
      while (reinterpret_cast<std::uintptr_t>(A[j]) > pivot)
        --j;
      if (i <= j) {
        std::swap(A[i], A[j]);
        ++i;
        --j;
      }
    }
    if (L < j)
      SortPointers(A, L, j);
    L = i;
  }
}

TRect NormalizeRect(const TRect& S)
{
  TRect r = S;
  if (r.Left > r.Right)
    std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom)
    std::swap(r.Top, r.Bottom);
  return r;
}

std::uint32_t PlatformColorOf(TColor Color)
{
  if (Color == clNone)
    return 0xFFFFFFFF;
  if (Color == clDefault)
    return 0xFF000000;
  return ColorToRGB(Color);
}

HBITMAP NewTopDownBitmap(int Width, int Height, std::uint32_t** Bits)
{
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (Bits)
    *Bits = static_cast<std::uint32_t*>(bits);
  return bitmap;
}

TDragImageRects SplitDragImageRects(int Width, int Height, int DeltaX, int DeltaY)
{
  TDragImageRects r;
  r.ClipRect = TRect(0, 0, Width, Height);
  r.ScrollRect = TRect(std::max(0, DeltaX), std::max(0, DeltaY), std::min(Width, Width + DeltaX),
                       std::min(Height, Height + DeltaY));
  // Horizontal strips leave out the columns that the vertical strips take.
  int oldLeft = std::max(0, DeltaX), oldRight = std::min(Width, Width + DeltaX);
  if (DeltaX > 0) {
    r.DrawRect1 = TRect(0, 0, DeltaX, Height);
    r.SampleRect1 = TRect(Width, DeltaY, Width + DeltaX, Height + DeltaY);
  } else if (DeltaX < 0) {
    r.DrawRect1 = TRect(Width + DeltaX, 0, Width, Height);
    r.SampleRect1 = TRect(DeltaX, DeltaY, 0, Height + DeltaY);
  }
  if (DeltaY > 0) {
    r.DrawRect2 = TRect(oldLeft, 0, oldRight, DeltaY);
    r.SampleRect2 = TRect(oldLeft, Height, oldRight, Height + DeltaY);
  } else if (DeltaY < 0) {
    r.DrawRect2 = TRect(oldLeft, Height + DeltaY, oldRight, Height);
    r.SampleRect2 = TRect(oldLeft, DeltaY, oldRight, 0);
  }
  return r;
}
