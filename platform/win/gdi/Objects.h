// Drawing objects: pens, brushes, stock objects, and the calls that select,
// describe and delete any object (bitmaps, fonts, palettes and regions are
// made in their own headers). Every handle is checked: a stale or foreign
// value is refused.
#pragma once

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// The brush copies the bitmap: a monochrome one paints its 0 bits in the text
// colour and its 1 bits in the background colour of the DC it draws on.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);

HGDIOBJ GetStockObject(int index);
// The 1x1 monochrome bitmap a new memory DC holds.
HBITMAP StockBitmap();

// Answers the object replaced; for a region, the kind of the new clip region.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Stock objects are not deleted (TRUE all the same). A selected object stays
// usable by the DC that holds it until it is replaced there.
BOOL DeleteObject(HGDIOBJ object);
// Fills LOGPEN, LOGBRUSH, LOGFONTA/LOGFONTW, BITMAP/DIBSECTION, WORD (palette
// entry count); answers the bytes written, or the size needed when buffer is null.
int GetObject(HGDIOBJ object, int size, void* buffer);
int GetObjectA(HGDIOBJ object, int size, void* buffer);
int GetObjectW(HGDIOBJ object, int size, void* buffer);
DWORD GetObjectType(HGDIOBJ object);
// OBJ_DC or OBJ_MEMDC for a live DC, 0 otherwise.
DWORD GetObjectType(HDC dc);
