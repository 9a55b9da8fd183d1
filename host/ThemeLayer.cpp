#include "host/ThemeLayer.h"

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/XTBUnitObjects.h"

TThemeLayerScope::TThemeLayerScope()
{
  // The style menu lists the themes in this order.
  RegisterDefaultTheme();
  RegisterOfficeXPTheme();
  RegisterStripesTheme();
  CreateThemeNexus("Default");
  // The extended toolbars' hint bitmap, hand cursor and control handles.
  StartExtendedControls();
}

TThemeLayerScope::~TThemeLayerScope()
{
  StopExtendedControls();
  FreeThemeNexus();
  ClearThemeRegistry();
  FreeThemeManager();
  FreeStockObjects();
}
