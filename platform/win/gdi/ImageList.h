// Image lists: images of one size kept side by side with their masks, drawn
// normally, transparently, blended, as masks, or greyed the way the class
// library draws disabled images; read from and written to streams.
//
// Stream format (".gpk" packs), little-endian:
//   "CVIL" magic, WORD version 1, WORD count, WORD grow, WORD cx, WORD cy,
//   DWORD creation flags (ILC_*), DWORD background colour (CLR_NONE: none),
//   4 x SHORT overlay images (-1: none),
//   a BMP file of the images (32 bits, four images a row, rows of cy pixels),
//   and, for a masked list, a BMP file of the masks (1 bit, same layout,
//   1 where the image is transparent).
#pragma once

#include "platform/win/gdi/GdiTypes.h"

struct IStream;

constexpr UINT ILC_MASK = 1, ILC_COLOR = 0, ILC_COLORDDB = 0xFE, ILC_COLOR4 = 4, ILC_COLOR8 = 8,
               ILC_COLOR16 = 0x10, ILC_COLOR24 = 0x18, ILC_COLOR32 = 0x20;
constexpr UINT ILD_NORMAL = 0, ILD_TRANSPARENT = 1, ILD_MASK = 0x10, ILD_IMAGE = 0x20, ILD_ROP = 0x40,
               ILD_BLEND25 = 2, ILD_BLEND50 = 4, ILD_OVERLAYMASK = 0xF00, ILD_FOCUS = ILD_BLEND25,
               ILD_SELECTED = ILD_BLEND50, ILD_BLEND = ILD_BLEND50;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF, CLR_DEFAULT = 0xFF000000;
constexpr UINT INDEXTOOVERLAYMASK(UINT i) { return i << 8; }

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Cuts a strip into images of the list's width; answers the first new index or -1.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// The mask is where the image has maskColor; those pixels turn black in the image.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor);
// A masked list of images cx wide cut from a bitmap resource of the module,
// maskColor marking the transparent pixels; null when there is no such bitmap.
HIMAGELIST ImageList_LoadBitmap(HINSTANCE module, LPCSTR name, int cx, int grow, COLORREF maskColor);
// index -1 appends; answers the index replaced or added, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// index -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
int ImageList_GetImageCount(HIMAGELIST list);
// Grows (new images black and, in a masked list, transparent) or shrinks.
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changes the size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// width/height 0: the whole image, otherwise its top-left part. bk: the colour
// behind transparent pixels (CLR_NONE: the destination; CLR_DEFAULT: the
// list's). fg: the blend colour (CLR_DEFAULT: the highlight colour); ILD_BLEND50
// gives (c + fg + 1) / 2 per channel, ILD_BLEND25 (3c + fg + 2) / 4.
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height, COLORREF bk,
                      COLORREF fg, UINT style);
// The disabled look of the class library: the image's dark pixels (those a
// monochrome copy makes black) painted in the highlight colour one pixel down
// and right, then in the shadow colour in place.
BOOL ImageList_DrawDisabled(HIMAGELIST list, int index, HDC dc, int x, int y);

// Null on a malformed or truncated stream; the stream is left after the list.
HIMAGELIST ImageList_Read(IStream* stream);
BOOL ImageList_Write(HIMAGELIST list, IStream* stream);
