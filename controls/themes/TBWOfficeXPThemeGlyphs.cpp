#include "controls/themes/TBWOfficeXPThemeGlyphs.h"

#include <memory>

#include "controls/themes/TBWDrawing.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/gdi/ImageList.h"

namespace {

constexpr int GlyphSize = 16;

std::unique_ptr<TCustomImageList> Glyphs;
int UseCount = 0;

}  // namespace

TThemeGlyphsUse::TThemeGlyphsUse()
{
  if (UseCount++ > 0)
    return;
  Glyphs = std::make_unique<TCustomImageList>(nullptr, GlyphSize, GlyphSize);
  if (HIMAGELIST list = ImageList_LoadBitmap(HInstance(), "TBWGLYPHS", GlyphSize, 0, 0xFFFFFF))
    Glyphs->SetHandle(list);
}

TThemeGlyphsUse::~TThemeGlyphsUse()
{
  if (--UseCount == 0)
    Glyphs.reset();
}

TCustomImageList* ThemeGlyphs() { return Glyphs.get(); }

int ThemeGlyphsUseCount() { return UseCount; }

void DrawThemeGlyph(HDC DC, const TRect& R, int Index, TColor Color)
{
  if (Glyphs && Index >= 0 && Index < Glyphs->Count())
    DrawGlyphCentered(DC, R, Glyphs.get(), Index, Color);
}

int GlyphOfCaptionButton(int ButtonKind)
{
  switch (ButtonKind) {
    case 0: return GLYPH_CLOSE;
    case 1: return GLYPH_MINIMIZE;
    case 3: return GLYPH_RESTORE;
    default: return -1;
  }
}
