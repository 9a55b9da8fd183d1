// Bitmaps: device bitmaps (32-bit, or monochrome with rows of bits whose high
// bit is the leftmost pixel), DIB sections of 1, 4, 8, 16, 24 and 32 bits with
// colour tables and direct access to their bits, and the DIB transfer calls.
#pragma once

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

// bitsPixel 1 makes a monochrome bitmap; 24 and 32 a 32-bit one. bits (may be
// null) holds rows padded to 16 bits, top row first.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPixel, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bm);
// A bitmap in the format of the bitmap selected into dc: monochrome for a
// memory DC still holding its stock bitmap, 32-bit otherwise.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A device bitmap initialised from a DIB when init is CBM_INIT.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info, UINT usage);
// bits receives the address of the pixels, stored as the header says
// (bottom-up for a positive height).
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);

// Copies lines of a bitmap into a DIB of the format info describes. With bits
// null, completes the header (size, bit count when 0) and the colour table.
// Answers the number of lines copied.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
LONG GetBitmapBits(HBITMAP bitmap, LONG size, void* bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors);
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors);
BOOL GetBitmapDimensionEx(HBITMAP bitmap, TSize* size);
