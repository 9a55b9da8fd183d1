// Fonts and text. 8-bit text is UTF-8, wide text UTF-16; both forms take a
// count in their own units (-1: up to the terminating zero where the platform
// allows it), and positions and fits are counted in those units too.
//
// Faces: "MS Sans Serif", "Arial" and their kin draw with Liberation Sans,
// "Times New Roman" with Liberation Serif, "Courier New" with Liberation Mono,
// others as fontconfig matches them. The face named "Corvane Fixed" (or every
// font, after SetBuiltinFontOnly(true)) is the built-in fixed-metric font:
// cells 6 x 13, ascent 10, descent 3, whatever the height asked for.
#pragma once

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

HFONT CreateFontIndirectA(const LOGFONTA* log);
HFONT CreateFontIndirectW(const LOGFONTW* log);
inline HFONT CreateFontIndirect(const LOGFONTA* log) { return CreateFontIndirectA(log); }
inline HFONT CreateFontIndirect(const LOGFONTW* log) { return CreateFontIndirectW(log); }
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR face);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR face);
inline HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                        DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCSTR face)
{
  return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet, outPrecision,
                     clipPrecision, quality, pitchAndFamily, face);
}

// Every font resolves to the built-in one while this is on (pixel tests).
void SetBuiltinFontOnly(bool builtinOnly);
bool BuiltinFontOnly();

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* tm);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* tm);
inline BOOL GetTextMetrics(HDC dc, TEXTMETRICA* tm) { return GetTextMetricsA(dc, tm); }
inline BOOL GetTextMetrics(HDC dc, TEXTMETRICW* tm) { return GetTextMetricsW(dc, tm); }
// The parts of the outline metrics callers read; 0 for the built-in font's
// lack of an outline only when size is too small.
UINT GetOutlineTextMetricsW(HDC dc, UINT size, OUTLINETEXTMETRICW* otm);
int GetTextFaceA(HDC dc, int count, LPSTR face);
int GetTextFaceW(HDC dc, int count, LPWSTR face);
BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, INT* widths);
BOOL GetCharWidth32W(HDC dc, UINT first, UINT last, INT* widths);
inline BOOL GetCharWidth32(HDC dc, UINT first, UINT last, INT* widths) { return GetCharWidth32W(dc, first, last, widths); }
inline BOOL GetCharWidth(HDC dc, UINT first, UINT last, INT* widths) { return GetCharWidth32W(dc, first, last, widths); }
// Per character: A the space before the ink, B the ink's width, C the space
// after it (negative when the ink overhangs the advance); A + B + C is the
// advance GetCharWidth32 gives. A character without ink (a space) has its
// whole advance in B, and so has every cell of the built-in raster face.
BOOL GetCharABCWidthsW(HDC dc, UINT first, UINT last, ABC* widths);
BOOL GetCharABCWidthsA(HDC dc, UINT first, UINT last, ABC* widths);
inline BOOL GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* widths) { return GetCharABCWidthsW(dc, first, last, widths); }

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, TSize* size);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, TSize* size);
inline BOOL GetTextExtentPoint32(HDC dc, LPCSTR t, int n, TSize* s) { return GetTextExtentPoint32A(dc, t, n, s); }
inline BOOL GetTextExtentPoint32(HDC dc, LPCWSTR t, int n, TSize* s) { return GetTextExtentPoint32W(dc, t, n, s); }
// fit: how many units fit in maxExtent; dx[i]: the extent of units 0..i.
BOOL GetTextExtentExPointA(HDC dc, LPCSTR text, int count, int maxExtent, int* fit, int* dx, TSize* size);
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx, TSize* size);
inline BOOL GetTextExtentExPoint(HDC dc, LPCSTR t, int n, int m, int* f, int* d, TSize* s) { return GetTextExtentExPointA(dc, t, n, m, f, d, s); }
inline BOOL GetTextExtentExPoint(HDC dc, LPCWSTR t, int n, int m, int* f, int* d, TSize* s) { return GetTextExtentExPointW(dc, t, n, m, f, d, s); }

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
inline BOOL TextOut(HDC dc, int x, int y, LPCSTR t, int n) { return TextOutA(dc, x, y, t, n); }
inline BOOL TextOut(HDC dc, int x, int y, LPCWSTR t, int n) { return TextOutW(dc, x, y, t, n); }
// ETO_OPAQUE fills rect with the background colour; ETO_CLIPPED clips to it;
// dx gives the advance of each unit.
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const TRect* rect, LPCSTR text, UINT count, const INT* dx);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const TRect* rect, LPCWSTR text, UINT count, const INT* dx);
inline BOOL ExtTextOut(HDC dc, int x, int y, UINT o, const TRect* r, LPCSTR t, UINT n, const INT* dx) { return ExtTextOutA(dc, x, y, o, r, t, n, dx); }
inline BOOL ExtTextOut(HDC dc, int x, int y, UINT o, const TRect* r, LPCWSTR t, UINT n, const INT* dx) { return ExtTextOutW(dc, x, y, o, r, t, n, dx); }

// Tabs stop every tabPositions[0] pixels (one entry), at the listed positions,
// or every 8 average character widths (none). Answers the extent (cx | cy << 16).
LONG TabbedTextOutW(HDC dc, int x, int y, LPCWSTR text, int count, int tabCount, const INT* tabPositions, int tabOrigin);
LONG TabbedTextOutA(HDC dc, int x, int y, LPCSTR text, int count, int tabCount, const INT* tabPositions, int tabOrigin);
DWORD GetTabbedTextExtentW(HDC dc, LPCWSTR text, int count, int tabCount, const INT* tabPositions);
DWORD GetTabbedTextExtentA(HDC dc, LPCSTR text, int count, int tabCount, const INT* tabPositions);

// Formats text in a rectangle (the DT_* flags); answers the height of the text.
int DrawTextA(HDC dc, LPCSTR text, int count, TRect* rect, UINT format);
int DrawTextW(HDC dc, LPCWSTR text, int count, TRect* rect, UINT format);
inline int DrawText(HDC dc, LPCSTR t, int n, TRect* r, UINT f) { return DrawTextA(dc, t, n, r, f); }
inline int DrawText(HDC dc, LPCWSTR t, int n, TRect* r, UINT f) { return DrawTextW(dc, t, n, r, f); }
// With DT_MODIFYSTRING the text (room for 4 more units) receives the ellipsised line.
int DrawTextExA(HDC dc, LPSTR text, int count, TRect* rect, UINT format, DRAWTEXTPARAMS* params);
int DrawTextExW(HDC dc, LPWSTR text, int count, TRect* rect, UINT format, DRAWTEXTPARAMS* params);

// Font families: the installed ones, the platform names the layer maps to
// them ("Arial", "MS Sans Serif", ...) and the built-in face. The callback
// answers nonzero to go on; the last answer is returned.
constexpr DWORD RASTER_FONTTYPE = 1, DEVICE_FONTTYPE = 2, TRUETYPE_FONTTYPE = 4;
using FONTENUMPROCW = int (*)(const LOGFONTW* log, const TEXTMETRICW* metrics, DWORD type, LPARAM param);
// family null: one call per family; otherwise one call when it exists.
int EnumFontFamiliesW(HDC dc, LPCWSTR family, FONTENUMPROCW proc, LPARAM param);
// The layer keeps one style per family, so faces and families enumerate alike.
inline int EnumFontsW(HDC dc, LPCWSTR face, FONTENUMPROCW proc, LPARAM param)
{
  return EnumFontFamiliesW(dc, face, proc, param);
}

// Code-page bits of FONTSIGNATURE::fsCsb[0], one per character set a face covers.
constexpr DWORD FS_LATIN1 = 0x1, FS_LATIN2 = 0x2, FS_CYRILLIC = 0x4, FS_GREEK = 0x8, FS_TURKISH = 0x10,
                FS_HEBREW = 0x20, FS_ARABIC = 0x40, FS_BALTIC = 0x80, FS_SYMBOL = 0x80000000;
struct FONTSIGNATURE {
  DWORD fsUsb[4] = {};
  DWORD fsCsb[2] = {};
};
struct ENUMLOGFONTEXW {
  LOGFONTW elfLogFont;  // lfCharSet: the character set of this call
  WCHAR elfFullName[64] = {};
  WCHAR elfStyle[32] = {};
  WCHAR elfScript[32] = {};  // "Western", "Central European", "Cyrillic", ...
};
struct NEWTEXTMETRICEXW {
  TEXTMETRICW ntmTm;  // tmCharSet: the character set of this call
  FONTSIGNATURE ntmFontSig;
};
using FONTENUMPROCEXW = int (*)(const ENUMLOGFONTEXW* log, const NEWTEXTMETRICEXW* metrics, DWORD type, LPARAM param);
// filter->lfFaceName empty: every family, else that one (case ignored);
// filter->lfCharSet DEFAULT_CHARSET: one call per family and character set it
// covers, else one call per family that covers that set. A face covers a set
// when it has the letters that set adds to ASCII. flags must be 0.
int EnumFontFamiliesExW(HDC dc, const LOGFONTW* filter, FONTENUMPROCEXW proc, LPARAM param, DWORD flags);
