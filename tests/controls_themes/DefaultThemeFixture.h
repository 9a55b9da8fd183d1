// The Default theme on a chosen path: a registry of the test's own (visual
// styles allowed), the built-in font, the classic colour scheme, a 32-bit
// surface with a canvas on it, and the theme itself. SetPath switches the
// theme manager's visual-styles option as the theme switcher does.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWVisualStyles.h"
#include "ItemInfoOf.h"
#include "platform/base/RegistryStore.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

class DefaultThemeTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
    SelectSysColorScheme(TSysColorScheme::Classic);
    FRegistry = "/tmp/default_theme_" + std::to_string(getpid()) + ".reg";
    std::ofstream(FRegistry) << "REGEDIT4\n";
    SetRegistryFile(FRegistry);
    Theme = std::make_unique<TTBWDefaultTheme>("Default");
    Canvas.SetHandle(Surface.DC());
  }
  void TearDown() override
  {
    Canvas.SetHandle(nullptr);
    Theme.reset();
    FreeThemeManager();
    SetVisualStyleLibraryName("uxtheme.dll");
    SetRegistryFile("");
    std::remove(FRegistry.c_str());
  }

  void SetPath(bool VisualStyles) { SetThemeOption(2, VisualStyles ? 0 : 1); }
  bool Styled() const { return ThemeSystemState().VisualStylesActive; }

  uint32_t At(int x, int y)
  {
    GdiFlush();
    return Surface.At(x, y) & 0xFFFFFF;
  }
  // A colour as the surface holds it (0x00RRGGBB).
  static uint32_t Pixel(TColor color)
  {
    const COLORREF c = ColorToRGB(color);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  }

  static TTBWItemInfo Item(std::uint32_t ViewKind, std::uint32_t Options, bool Enabled = true,
                           std::uint8_t Hover = 0, bool Pushed = false, bool Checked = false)
  {
    return ItemInfoOf(ViewKind, Options, Enabled, Hover, Pushed, Checked);
  }

  std::unique_ptr<TTBWDefaultTheme> Theme;
  TScratchBitmap Surface{40, 40};
  TCanvas Canvas;

private:
  std::string FRegistry;
};
