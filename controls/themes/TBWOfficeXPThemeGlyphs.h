// The caption-button glyphs the flat and striped themes share: an image list
// of 16-pixel cells from the bitmap resource "TBWGLYPHS" (close, maximise,
// minimise, restore), loaded with the first theme that uses it and freed with
// the last.
#pragma once

#include "platform/win/win.h"

class TCustomImageList;

constexpr int GLYPH_CLOSE = 0, GLYPH_MAXIMIZE = 1, GLYPH_MINIMIZE = 2, GLYPH_RESTORE = 3;

// One use of the shared list for the lifetime of the object.
class TThemeGlyphsUse {
public:
  TThemeGlyphsUse();
  ~TThemeGlyphsUse();
  TThemeGlyphsUse(const TThemeGlyphsUse&) = delete;
  TThemeGlyphsUse& operator=(const TThemeGlyphsUse&) = delete;
};

// The shared list while any use exists (empty when the resource is missing),
// else null.
TCustomImageList* ThemeGlyphs();
int ThemeGlyphsUseCount();
// Glyph Index centred in R in Color; nothing when the list lacks it.
void DrawThemeGlyph(HDC DC, const TRect& R, int Index, TColor Color);
// The glyph of a caption button kind (0 close, 1 minimise, 3 restore); -1
// for the kinds without one.
int GlyphOfCaptionButton(int ButtonKind);
