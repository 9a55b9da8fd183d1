#include "controls/html/images/HtBitmap.h"

#include "controls/html/images/BitmapHelpers.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

void ThtBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
  if (Empty())
    return;
  DrawStripPart(this, ACanvas, Rect, TRect(0, 0, Width(), Height()));
}

void DrawStripPart(ThtBitmap* Strip, TCanvas* ACanvas, const TRect& Dest, const TRect& Source)
{
  if (!Strip || Strip->Empty())
    return;
  HDC dc = ACanvas->Handle();
  HPALETTE oldPalette = nullptr;
  if (Strip->Palette()) {
    oldPalette = SelectPalette(dc, Strip->Palette(), TRUE);
    RealizePalette(dc);
  }
  const int destBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  const int bits = BitmapBitCount(Strip);
  if (destBits <= 8 && (bits == 16 || bits == 24)) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
  } else if (bits != 1) {
    SetStretchBltMode(dc, COLORONCOLOR);
  }

  const int dw = Dest.Right - Dest.Left, dh = Dest.Bottom - Dest.Top;
  const int sw = Source.Right - Source.Left, sh = Source.Bottom - Source.Top;
  HDC source = Strip->Canvas()->Handle();
  if (Strip->HtTransparent() && Strip->HtMask()) {
    // dest ^= image; dest &= mask (white keeps, black clears); dest ^= image:
    // transparent pixels come back as they were, the others take the image.
    HDC maskDC = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(maskDC, Strip->HtMask()->Handle());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    StretchBlt(dc, Dest.Left, Dest.Top, dw, dh, source, Source.Left, Source.Top, sw, sh, SRCINVERT);
    StretchBlt(dc, Dest.Left, Dest.Top, dw, dh, maskDC, Source.Left, Source.Top, sw, sh, SRCAND);
    StretchBlt(dc, Dest.Left, Dest.Top, dw, dh, source, Source.Left, Source.Top, sw, sh, SRCINVERT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SelectObject(maskDC, old);
    DeleteDC(maskDC);
  } else {
    StretchBlt(dc, Dest.Left, Dest.Top, dw, dh, source, Source.Left, Source.Top, sw, sh, ACanvas->CopyMode());
  }
  if (oldPalette)
    SelectPalette(dc, oldPalette, TRUE);
}
