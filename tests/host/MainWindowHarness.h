// The main window under test: the host harness's program folder, the
// headless display with the built-in font, a registry of the test's own, the
// theme layer as the program sets it up, and a TcorvaneMain made as the
// program makes it.
#pragma once

#include <unistd.h>

#include <fstream>

#include "host/MainForm.h"
#include "host/ThemeLayer.h"
#include "platform/base/RegistryStore.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/stdctrls/ListBox.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/host/HostHarness.h"

class TMainWindowHarness : public THostHarness {
public:
  TMainWindowHarness()
  {
    Display = THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
    // Nothing the user configured (a newsreader, visual styles) reaches the test.
    FRegistry = Folder + "registry.reg";
    std::ofstream(FRegistry) << "REGEDIT4\n";
    SetRegistryFile(FRegistry);
    Application()->Initialize();
    Themes = std::make_unique<TThemeLayerScope>();
  }
  ~TMainWindowHarness() override
  {
    FreeWindow();
    Themes.reset();
    SetRegistryFile("");
    SetBuiltinFontOnly(false);
  }

  // Replaces the test's registry (read again at the next access).
  void WriteRegistry(const std::string& Content)
  {
    std::ofstream(FRegistry) << Content;
    SetRegistryFile(FRegistry);
  }

  TcorvaneMain& Open(TMainWindowBindings Bindings = {})
  {
    Main = TCustomForm::Create<TcorvaneMain>(nullptr, std::move(Bindings));
    return *Main;
  }
  void FreeWindow()
  {
    if (Main)
      Main->Free();
    Main = nullptr;
    THeadlessDisplay::PumpMessages();
  }
  std::vector<std::string> ConsoleLines() const
  {
    std::vector<std::string> lines;
    for (int i = 0; i < Main->Console()->Items()->Count(); ++i)
      lines.push_back(Main->Console()->Items()->Strings(i));
    return lines;
  }

  THeadlessDisplay* Display = nullptr;
  std::unique_ptr<TThemeLayerScope> Themes;
  TcorvaneMain* Main = nullptr;

private:
  std::string FRegistry;
};
