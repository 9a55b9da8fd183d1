#include "controls/themes/TBWVisualStyles.h"

#include "platform/base/ModuleLoader.h"

namespace {

TVisualStyleFunctions StyleFunctions;
HMODULE Library = nullptr;
std::string LibraryName = "uxtheme.dll";
int Loads = 0;

template <class F>
void Bind(F& reference, const char* name)
{
  reference = reinterpret_cast<F>(GetProcAddress(Library, name));
}

}  // namespace

const TVisualStyleFunctions& VisualStyles() { return StyleFunctions; }

bool BindVisualStyles()
{
  if (Library)
    return true;
  ++Loads;
  Library = LoadLibrary(LibraryName.c_str());
  if (!Library)
    return false;
  TVisualStyleFunctions& f = StyleFunctions;
  Bind(f.OpenThemeData, "OpenThemeData");
  Bind(f.CloseThemeData, "CloseThemeData");
  Bind(f.DrawThemeBackground, "DrawThemeBackground");
  Bind(f.DrawThemeText, "DrawThemeText");
  Bind(f.GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
  Bind(f.GetThemeBackgroundExtent, "GetThemeBackgroundContentRect");
  Bind(f.GetThemePartSize, "GetThemePartSize");
  Bind(f.GetThemeTextExtent, "GetThemeTextExtent");
  Bind(f.GetThemeTextMetrics, "GetThemeTextMetrics");
  Bind(f.GetThemeBackgroundRegion, "GetThemeBackgroundRegion");
  Bind(f.HitTestThemeBackground, "HitTestThemeBackground");
  Bind(f.DrawThemeEdge, "DrawThemeEdge");
  Bind(f.DrawThemeIcon, "DrawThemeIcon");
  Bind(f.IsThemePartDefined, "IsThemePartDefined");
  Bind(f.IsThemeBackgroundPartiallyTransparent, "IsThemeBackgroundPartiallyTransparent");
  Bind(f.GetThemeColor, "GetThemeColor");
  Bind(f.GetThemeMetric, "GetThemeMetric");
  Bind(f.GetThemeString, "GetThemeString");
  Bind(f.GetThemeBool, "GetThemeBool");
  Bind(f.GetThemeInt, "GetThemeInt");
  Bind(f.GetThemeEnumValue, "GetThemeEnumValue");
  Bind(f.GetThemePosition, "GetThemePosition");
  Bind(f.GetThemeFont, "GetThemeFont");
  Bind(f.GetThemeRect, "GetThemeRect");
  Bind(f.GetThemeMargins, "GetThemeMargins");
  Bind(f.GetThemeIntList, "GetThemeIntList");
  Bind(f.GetThemePropertyOrigin, "GetThemePropertyOrigin");
  Bind(f.SetWindowTheme, "SetWindowTheme");
  Bind(f.GetThemeFilename, "GetThemeFilename");
  Bind(f.GetThemeSysColor, "GetThemeSysColor");
  Bind(f.GetThemeSysColorBrush, "GetThemeSysColorBrush");
  Bind(f.GetThemeSysBool, "GetThemeSysBool");
  Bind(f.GetThemeSysSize, "GetThemeSysSize");
  Bind(f.GetThemeSysFont, "GetThemeSysFont");
  Bind(f.GetThemeSysString, "GetThemeSysString");
  Bind(f.GetThemeSysInt, "GetThemeSysInt");
  Bind(f.IsThemeActive, "IsThemeActive");
  Bind(f.IsAppThemed, "IsAppThemed");
  Bind(f.GetWindowTheme, "GetWindowTheme");
  Bind(f.EnableThemeDialogTexture, "EnableThemeDialogTexture");
  Bind(f.IsThemeDialogTextureEnabled, "IsThemeDialogTextureEnabled");
  Bind(f.GetThemeAppProperties, "GetThemeAppProperties");
  Bind(f.SetThemeAppProperties, "SetThemeAppProperties");
  Bind(f.GetCurrentThemeName, "GetCurrentThemeName");
  Bind(f.GetThemeDocumentationProperty, "GetThemeDocumentationProperty");
  Bind(f.DrawThemeParentBackground, "DrawThemeParentBackground");
  Bind(f.EnableTheming, "EnableTheming");
  return true;
}

void UnbindVisualStyles()
{
  if (!Library)
    return;
  FreeLibrary(Library);
  Library = nullptr;
  StyleFunctions = TVisualStyleFunctions();
}

bool VisualStylesBound() { return Library != nullptr; }

bool ThemesUsable()
{
  return Library && StyleFunctions.IsAppThemed && StyleFunctions.IsThemeActive && StyleFunctions.IsAppThemed() &&
         StyleFunctions.IsThemeActive();
}

void SetVisualStyleLibraryName(const std::string& Name) { LibraryName = Name; }
int VisualStyleLibraryLoads() { return Loads; }
