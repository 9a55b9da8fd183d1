#include "controls/html/images/ImageDrawing.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "controls/html/images/ImageLimits.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

void PrintMaskedImage(HDC DC, TBitmap* Picture, TBitmap* Mask, int X, int Y, int W, int H)
{
  if (!Picture || !Mask || Picture->Empty())
    return;
  const int pw = Picture->Width(), ph = Picture->Height();
  // A copy of the picture in a context compatible with the target.
  HDC copyDC = CreateCompatibleDC(DC);
  HBITMAP copy = CreateBitmap(pw, ph, 1, 32, nullptr);
  HGDIOBJ oldCopy = SelectObject(copyDC, copy);
  BitBlt(copyDC, 0, 0, pw, ph, Picture->Canvas()->Handle(), 0, 0, SRCCOPY);

  // The inverted mask: white where the picture shows.
  HDC maskDC = CreateCompatibleDC(DC);
  HBITMAP inverted = CreateBitmap(pw, ph, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, inverted);
  BitBlt(maskDC, 0, 0, pw, ph, Mask->Canvas()->Handle(), 0, 0, NOTSRCCOPY);

  const COLORREF oldBack = SetBkColor(DC, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
  const int oldStretch = SetStretchBltMode(DC, WHITEONBLACK);
  // Opaque areas of the target turn black, the rest stays.
  StretchBlt(DC, X, Y, W, H, Mask->Canvas()->Handle(), 0, 0, pw, ph, SRCAND);
  // Transparent pixels of the picture turn black, so OR leaves the target.
  SetBkColor(copyDC, RGB(255, 255, 255));
  SetTextColor(copyDC, RGB(0, 0, 0));
  BitBlt(copyDC, 0, 0, pw, ph, maskDC, 0, 0, SRCAND);
  SetStretchBltMode(DC, COLORONCOLOR);
  StretchBlt(DC, X, Y, W, H, copyDC, 0, 0, pw, ph, SRCPAINT);
  SetStretchBltMode(DC, oldStretch);
  SetTextColor(DC, oldText);
  SetBkColor(DC, oldBack);

  SelectObject(maskDC, oldMask);
  DeleteObject(inverted);
  DeleteDC(maskDC);
  SelectObject(copyDC, oldCopy);
  DeleteObject(copy);
  DeleteDC(copyDC);
}

HRGN BitmapToRegion(TBitmap* Bitmap, const XFORM* Transform, TColor Color)
{
  if (!Bitmap || Bitmap->Empty())
    return nullptr;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  std::vector<std::uint32_t> pixels(std::size_t(w) * std::size_t(h));
  BITMAPINFO info{};
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biBitCount = 32;
  GetDIBits(nullptr, Bitmap->Handle(), 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS);
  const std::uint32_t key = (std::uint32_t(Color) & 0xFF) << 16 | (std::uint32_t(Color) & 0xFF00) |
                            ((std::uint32_t(Color) >> 16) & 0xFF);

  // Rectangles gather in a region-data block (grown 100 at a time); every
  // 2000 of them become a region ORed into the result.
  constexpr std::size_t Grow = 100, Piece = 2000;
  std::vector<TRect> rects;
  rects.reserve(Grow);
  TRect bound(w, h, 0, 0);
  HRGN result = nullptr;
  auto flush = [&] {
    if (rects.empty())
      return;
    std::vector<std::uint8_t> block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(TRect));
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    data->rdh = RGNDATAHEADER{};
    data->rdh.nCount = DWORD(rects.size());
    data->rdh.nRgnSize = DWORD(rects.size() * sizeof(TRect));
    data->rdh.rcBound = bound;
    std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(TRect));
    HRGN piece = ExtCreateRegion(Transform, DWORD(block.size()), data);
    if (piece) {
      if (result) {
        CombineRgn(result, result, piece, RGN_OR);
        DeleteObject(piece);
      } else {
        result = piece;
      }
    }
    rects.clear();
    bound = TRect(w, h, 0, 0);
  };
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row = pixels.data() + std::size_t(y) * std::size_t(w);
    for (int x = 0; x < w;) {
      if ((row[x] & 0xFFFFFF) == key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < w && (row[x] & 0xFFFFFF) != key)
        ++x;
      if (rects.size() == rects.capacity())
        rects.reserve(rects.capacity() + Grow);
      rects.emplace_back(start, y, x, y + 1);
      bound.Left = std::min(bound.Left, start);
      bound.Top = std::min(bound.Top, y);
      bound.Right = std::max(bound.Right, x);
      bound.Bottom = std::max(bound.Bottom, y + 1);
      if (rects.size() == Piece)
        flush();
    }
  }
  flush();
  return result;
}

TBitmap* WidenThinImage(TGraphic* Graphic, int W, int H)
{
  auto result = std::make_unique<TBitmap>();
  int width = Graphic->Width(), height = Graphic->Height();
  if (width == 1)
    width = std::min(100, W);
  if (height == 1)
    height = std::min(100, H);
  if (!image_limits::SizeFits(width, height))
    return result.release();
  result->SetSize(width, height);
  result->Canvas()->StretchDraw(TRect(0, 0, width, height), Graphic);
  return result.release();
}
