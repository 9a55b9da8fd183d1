// The fonts every test of the viewer measures with: fixed metrics, so that
// no result depends on the fonts installed.
#pragma once

#include "controls/html/text/FixedFontService.h"

inline const THtmlFontService& TestFonts()
{
  static const TFixedFontService Fonts;
  return Fonts;
}
