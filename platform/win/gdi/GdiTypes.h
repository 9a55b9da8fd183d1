// Structures of the drawing layer that the window system, the class library and
// the system's own code share, in the platform's layout.
#pragma once

#include <cstring>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"

constexpr int LF_FACESIZE = 32;

// A logical font. The 8-bit form holds its face name as UTF-8.
struct LOGFONTA {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;   // tenths of a degree, counter-clockwise
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};
struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  WCHAR lfFaceName[LF_FACESIZE] = {};
};
using LOGFONT = LOGFONTA;
using TLogFont = LOGFONTA;

struct TEXTMETRICA {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  BYTE tmFirstChar = 0;
  BYTE tmLastChar = 0;
  BYTE tmDefaultChar = 0;
  BYTE tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
struct TEXTMETRICW {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  WCHAR tmFirstChar = 0;
  WCHAR tmLastChar = 0;
  WCHAR tmDefaultChar = 0;
  WCHAR tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
using TEXTMETRIC = TEXTMETRICA;
using TTextMetric = TEXTMETRICA;

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 0;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;
};

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
  WORD bfType = 0;
  DWORD bfSize = 0;
  WORD bfReserved1 = 0;
  WORD bfReserved2 = 0;
  DWORD bfOffBits = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // positive: rows bottom-up; negative: top-down
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = 0;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};

// The header followed by the colour table; callers allocate room for as many
// entries as the bit count needs and cast.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3] = {};
  HANDLE dshSection = nullptr;
  DWORD dsOffset = 0;
};

struct ICONINFO {
  BOOL fIcon = TRUE;
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = nullptr;   // AND mask (twice the height for a colourless icon)
  HBITMAP hbmColor = nullptr;  // null for a monochrome icon
};

struct LOGPEN {
  UINT lopnStyle = 0;
  TPoint lopnWidth;
  COLORREF lopnColor = 0;
};

struct LOGBRUSH {
  UINT lbStyle = 0;
  COLORREF lbColor = 0;
  ULONG_PTR lbHatch = 0;
};

struct PALETTEENTRY {
  BYTE peRed = 0;
  BYTE peGreen = 0;
  BYTE peBlue = 0;
  BYTE peFlags = 0;
};

struct LOGPALETTE {
  WORD palVersion = 0x300;
  WORD palNumEntries = 0;
  PALETTEENTRY palPalEntry[1];
};

// One vertex of GradientFill: 16-bit channels (value << 8).
struct TRIVERTEX {
  LONG x = 0;
  LONG y = 0;
  USHORT Red = 0;
  USHORT Green = 0;
  USHORT Blue = 0;
  USHORT Alpha = 0;
};
struct GRADIENT_RECT {
  ULONG UpperLeft = 0;
  ULONG LowerRight = 0;
};

struct BLENDFUNCTION {
  BYTE BlendOp = 0;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};

struct ABC {
  int abcA = 0;
  UINT abcB = 0;
  int abcC = 0;
};

// The parts of the outline metrics that callers read.
struct OUTLINETEXTMETRICW {
  UINT otmSize = sizeof(OUTLINETEXTMETRICW);
  TEXTMETRICW otmTextMetrics;
  UINT otmEMSquare = 0;
  int otmAscent = 0;
  int otmDescent = 0;
  UINT otmLineGap = 0;
  TRect otmrcFontBox;
  int otmsUnderscoreSize = 0;
  int otmsUnderscorePosition = 0;
  UINT otmsStrikeoutSize = 0;
  int otmsStrikeoutPosition = 0;
};
