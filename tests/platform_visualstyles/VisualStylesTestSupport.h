// Shared pieces of the visual-style tests: a registry of the test's own with
// the setting on or off, the built-in font, and a 32-bit canvas.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/base/RegistryStore.h"
#include "platform/visualstyles/VisualStyles.h"
#include "platform/win/win.h"
#include "tests/platform_base/TempFolder.h"
#include "tests/platform_draw/DrawFixture.h"

class TVisualStylesTest : public ::testing::Test {
public:
  void SetUp() override
  {
    SetBuiltinFontOnly(true);
    SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
    UseSetting("");
  }
  void TearDown() override { SetRegistryFile(""); }

  // Points the registry at a new file whose appearance key holds `value`
  // ("" for no value at all).
  void UseSetting(const std::string& value)
  {
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Appearance]\n";
    if (!value.empty())
      text += "\"VisualStyles\"=" + value + "\n";
    SetRegistryFile(Folder.Write("registry" + std::to_string(++Files) + ".reg", text));
  }

  HTHEME Open(const char16_t* cls)
  {
    HTHEME theme = OpenThemeData(nullptr, cls);
    EXPECT_NE(theme, nullptr) << "class not opened";
    return theme;
  }

  TTempFolder Folder;
  int Files = 0;
};
