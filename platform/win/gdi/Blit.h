// Block transfers: all 256 ternary raster operations, stretching, masks,
// transparency, alpha blending and gradients.
//
// A monochrome source drawn on colour takes the destination's text colour for
// its 0 bits and background colour for its 1 bits; a colour source drawn on a
// monochrome destination gives 1 (white) where it matches the source DC's
// background colour and 0 elsewhere.
#pragma once

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-pixel stretching: destination pixel i takes source pixel
// floor((2i + 1) * srcWidth / (2 * width)); negative sizes mirror.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop);
// The foreground operation (low 24 bits of rop4) where the monochrome mask is
// 1, the background one (MAKEROP4) where it is 0.
BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, HBITMAP mask, int maskX,
             int maskY, DWORD rop4);
// Copies, stretched, the source pixels that are not the transparent colour.
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT transparent);
// Source over destination. Per channel, with A the constant alpha:
// constant only: d = (s * A + d * (255 - A) + 127) / 255;
// with AC_SRC_ALPHA (premultiplied source): s' = (s * A + 127) / 255 for each
// channel and the alpha a, then d = min(255, s' + (d * (255 - a') + 127) / 255).
// C linkage, as GradientFill: both are bound at run time in "msimg32.dll".
extern "C" BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend);
// That rule for one 0xAARRGGBB pixel (perPixel: AC_SRC_ALPHA). Over a zero
// destination with perPixel it scales a premultiplied pixel by the constant
// alpha, which is what a compositor wants of a layered window.
uint32_t BlendPixel(uint32_t dest, uint32_t src, BYTE constantAlpha, bool perPixel);
// Rectangles only (GRADIENT_FILL_RECT_H / _V). Pixel i of n takes, per
// 16-bit channel, (c0 * (n - i) + c1 * i) / n, then its high byte.
extern "C" BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh, ULONG meshCount, ULONG mode);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
// Moves the pixels of scroll (logical; null: everything the DC shows) by
// (dx, dy), inside clip when given. update (device pixels) and updateRect
// (logical) receive the part of the area that the move uncovered.
BOOL ScrollDC(HDC dc, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect);
