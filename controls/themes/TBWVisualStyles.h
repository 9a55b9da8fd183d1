// The visual-style library, bound by name at run time so that the program
// also runs where it is missing. Callers check VisualStylesActive (the theme
// manager) before using a reference.
#pragma once

#include <string>

#include "platform/base/ModuleLoader.h"
#include "platform/visualstyles/VisualStyles.h"

// The 46 references, in the library's order; null while unbound or when the
// library lacks that export.
struct TVisualStyleFunctions {
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
  decltype(&::DrawThemeText) DrawThemeText = nullptr;
  decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect = nullptr;
  // A second reference bound to the same export; nothing calls it.
  decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundExtent = nullptr;
  decltype(&::GetThemePartSize) GetThemePartSize = nullptr;
  decltype(&::GetThemeTextExtent) GetThemeTextExtent = nullptr;
  decltype(&::GetThemeTextMetrics) GetThemeTextMetrics = nullptr;
  decltype(&::GetThemeBackgroundRegion) GetThemeBackgroundRegion = nullptr;
  FARPROC HitTestThemeBackground = nullptr;
  decltype(&::DrawThemeEdge) DrawThemeEdge = nullptr;
  decltype(&::DrawThemeIcon) DrawThemeIcon = nullptr;
  decltype(&::IsThemePartDefined) IsThemePartDefined = nullptr;
  decltype(&::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent = nullptr;
  decltype(&::GetThemeColor) GetThemeColor = nullptr;
  FARPROC GetThemeMetric = nullptr;
  FARPROC GetThemeString = nullptr;
  FARPROC GetThemeBool = nullptr;
  FARPROC GetThemeInt = nullptr;
  FARPROC GetThemeEnumValue = nullptr;
  FARPROC GetThemePosition = nullptr;
  FARPROC GetThemeFont = nullptr;
  FARPROC GetThemeRect = nullptr;
  decltype(&::GetThemeMargins) GetThemeMargins = nullptr;
  FARPROC GetThemeIntList = nullptr;
  FARPROC GetThemePropertyOrigin = nullptr;
  FARPROC SetWindowTheme = nullptr;
  FARPROC GetThemeFilename = nullptr;
  decltype(&::GetThemeSysColor) GetThemeSysColor = nullptr;
  decltype(&::GetThemeSysColorBrush) GetThemeSysColorBrush = nullptr;
  FARPROC GetThemeSysBool = nullptr;
  FARPROC GetThemeSysSize = nullptr;
  FARPROC GetThemeSysFont = nullptr;
  FARPROC GetThemeSysString = nullptr;
  FARPROC GetThemeSysInt = nullptr;
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::GetWindowTheme) GetWindowTheme = nullptr;
  FARPROC EnableThemeDialogTexture = nullptr;
  FARPROC IsThemeDialogTextureEnabled = nullptr;
  decltype(&::GetThemeAppProperties) GetThemeAppProperties = nullptr;
  decltype(&::SetThemeAppProperties) SetThemeAppProperties = nullptr;
  decltype(&::GetCurrentThemeName) GetCurrentThemeName = nullptr;
  FARPROC GetThemeDocumentationProperty = nullptr;
  decltype(&::DrawThemeParentBackground) DrawThemeParentBackground = nullptr;
  FARPROC EnableTheming = nullptr;
};
constexpr int VisualStyleFunctionCount = 47;  // 46 exports, one of them bound twice

const TVisualStyleFunctions& VisualStyles();
// Loads the library once and binds every reference by name; false (nothing
// bound) when the library cannot be loaded.
bool BindVisualStyles();
// Frees the library and clears every reference.
void UnbindVisualStyles();
bool VisualStylesBound();
// The library is loaded and both IsAppThemed and IsThemeActive answer true.
bool ThemesUsable();

// For tests: the library name to load ("uxtheme.dll"; another plays a system
// without it) and how many times a load was attempted.
void SetVisualStyleLibraryName(const std::string& Name);
int VisualStyleLibraryLoads();
