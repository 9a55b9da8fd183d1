// Drawing support for the viewer's pictures: masked printing, the region of a
// bitmap without its transparent colour, and the widening of one-pixel
// background images for tiling.
#pragma once

#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

class TBitmap;
class TGraphic;
struct XFORM;

// Draws Picture through Mask (white where transparent), stretched to the
// rectangle, on any colour context. On a monochrome context the picture is
// drawn the same way (black and white).
void PrintMaskedImage(HDC DC, TBitmap* Picture, TBitmap* Mask, int X, int Y, int W, int H);
// Every pixel whose colour is not Color, as one-row rectangles; null when no
// pixel qualifies.
HRGN BitmapToRegion(TBitmap* Bitmap, const XFORM* Transform, TColor Color);
// A new bitmap of the graphic's size, except that a width of exactly 1
// becomes Min(100, W) and a height of exactly 1 Min(100, H); the graphic is
// stretched over it.
TBitmap* WidenThinImage(TGraphic* Graphic, int W, int H);
