// Palettes. The screen is 32 bits unless the low-colour profile is on
// (SetLowColorDisplay): then the 20 colours of the default palette are what the
// screen shows, and GetNearestColor snaps to them.
#pragma once

#include <vector>

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
// Answers the number of entries mapped into the system palette (0 on a true-colour screen).
UINT RealizePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
// The colour the DC would show for color: itself on a true-colour display,
// the nearest default-palette colour in the low-colour profile. A null DC means
// the screen.
COLORREF GetNearestColor(HDC dc, COLORREF color);
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);

// The 20 entries of the stock DEFAULT_PALETTE.
std::vector<PALETTEENTRY> DefaultPaletteEntries();
