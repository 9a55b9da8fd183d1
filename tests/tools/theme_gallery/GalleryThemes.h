// The themes the gallery shows: one entry per theme, its registered name and
// its class. A theme joins the gallery by adding its line here and its golden
// pictures under golden/.
#pragma once

#include <string>
#include <vector>

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWThemeRegistry.h"

struct TGalleryTheme {
  std::string Name;
  TTBWThemeClass Class;
};

inline std::vector<TGalleryTheme> GalleryThemes()
{
  return {
      {"Default", ThemeClassOf<TTBWDefaultTheme>},
      {"OfficeXP", ThemeClassOf<TTBWOfficeXPTheme>},
      {"Stripes", ThemeClassOf<TTBWStripesTheme>},
  };
}
