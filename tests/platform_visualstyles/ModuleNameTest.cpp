// Code that binds the visual styles at run time loads them by the platform's
// library name and must find the very functions this module exports.
#include "VisualStylesTestSupport.h"

#include "platform/base/ModuleLoader.h"

namespace {

TEST(VisualStylesModuleTest, ThePlatformLibraryNameLoadsThisModuleWithItsFunctions)
{
  HMODULE module = LoadLibrary("uxtheme.dll");
  ASSERT_NE(module, nullptr) << GetLastError();
  EXPECT_EQ(LoadLibrary("UXTHEME"), module);
  EXPECT_EQ(GetModuleHandle("UxTheme.dll"), module);
  EXPECT_EQ(module, ModuleFromAddress(reinterpret_cast<const void*>(&OpenThemeData)));

  const std::pair<const char*, void*> exports[] = {
      {"OpenThemeData", reinterpret_cast<void*>(&OpenThemeData)},
      {"CloseThemeData", reinterpret_cast<void*>(&CloseThemeData)},
      {"DrawThemeBackground", reinterpret_cast<void*>(&DrawThemeBackground)},
      {"DrawThemeText", reinterpret_cast<void*>(&DrawThemeText)},
      {"GetThemeBackgroundContentRect", reinterpret_cast<void*>(&GetThemeBackgroundContentRect)},
      {"GetThemePartSize", reinterpret_cast<void*>(&GetThemePartSize)},
      {"GetThemeBackgroundRegion", reinterpret_cast<void*>(&GetThemeBackgroundRegion)},
      {"GetThemeColor", reinterpret_cast<void*>(&GetThemeColor)},
      {"GetThemeMargins", reinterpret_cast<void*>(&GetThemeMargins)},
      {"IsThemeActive", reinterpret_cast<void*>(&IsThemeActive)},
      {"IsAppThemed", reinterpret_cast<void*>(&IsAppThemed)},
      {"IsThemeBackgroundPartiallyTransparent", reinterpret_cast<void*>(&IsThemeBackgroundPartiallyTransparent)},
      {"DrawThemeParentBackground", reinterpret_cast<void*>(&DrawThemeParentBackground)},
  };
  for (const auto& [name, function] : exports)
    EXPECT_EQ(GetProcAddress(module, name), function) << name;
  // An entry point the layer cannot honour is absent, so its callers take their own fallback.
  EXPECT_EQ(GetProcAddress(module, "SetWindowTheme"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_TRUE(FreeLibrary(module));
}

TEST(VisualStylesModuleTest, OtherNamesAreNotTakenForTheVisualStyles)
{
  for (const char* name : {"uxtheme.so", "uxthemes", "sub/uxtheme.dll"}) {
    EXPECT_EQ(LoadLibrary(name), nullptr) << name;
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND) << name;
  }
}

}  // namespace
