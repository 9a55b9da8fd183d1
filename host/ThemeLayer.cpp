#include "host/ThemeLayer.h"

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"

TThemeLayerScope::TThemeLayerScope()
{
  // The style menu lists the themes in this order.
  RegisterDefaultTheme();
  RegisterOfficeXPTheme();
  RegisterStripesTheme();
  CreateThemeNexus("Default");
}

TThemeLayerScope::~TThemeLayerScope()
{
  FreeThemeNexus();
  ClearThemeRegistry();
  FreeThemeManager();
  FreeStockObjects();
}
