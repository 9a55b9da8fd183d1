// The drawing objects the theme routines draw through, the optional system
// functions they bind by name, and the sixteen drawing-cache records the
// themes keep their brushes and pens in. Everything is recreated on every
// system change (the theme manager calls RecreateStockObjects and
// ClearDrawingCaches).
#pragma once

#include "platform/win/win.h"

struct TThemeStockObjects {
  HBITMAP ColorBitmap = nullptr;  // 8 x 8, only for its device context
  HDC ColorDC = nullptr;          // answers GetNearestColor for the screen
  HFONT SmallCaptionFont = nullptr;
};
// Created on first use.
TThemeStockObjects& StockObjects();
void RecreateStockObjects();
void FreeStockObjects();

using TUpdateLayeredWindowProc = BOOL (*)(HWND, HDC, const TPoint*, const TSize*, HDC, const TPoint*, COLORREF,
                                          const BLENDFUNCTION*, DWORD);
using TAlphaBlendProc = BOOL (*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using TGradientFillProc = BOOL (*)(HDC, const TRIVERTEX*, ULONG, const void*, ULONG, ULONG);

// UpdateLayeredWindow ("user32.dll"), AlphaBlend and GradientFill
// ("msimg32.dll"), each null when the system lacks it. Bound on first use;
// tests may clear entries to play a system without them and bind again to
// restore them.
struct TThemeOptionalFunctions {
  TUpdateLayeredWindowProc UpdateLayeredWindow = nullptr;
  TAlphaBlendProc AlphaBlend = nullptr;
  TGradientFillProc GradientFill = nullptr;
};
TThemeOptionalFunctions& OptionalFunctions();
void BindOptionalFunctions();
void UnbindOptionalFunctions();

// A record the themes cache drawing objects in, under two keys of their own.
struct TDrawingCacheRecord {
  int Key1 = -1;
  int Key2 = -1;
  HGDIOBJ Objects[8] = {};
};
constexpr int DrawingCacheCount = 16;
TDrawingCacheRecord& DrawingCache(int Index);
// Both keys become -1, every object is deleted and zeroed.
void ClearDrawingCaches();
