#include "GalleryProfile.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "controls/themes/TBWThemeManager.h"
#include "platform/base/RegistryStore.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

std::vector<TGalleryScheme> GallerySchemes()
{
  return {{"classic", TSysColorScheme::Classic}, {"dark", TSysColorScheme::Dark}};
}

std::vector<TGalleryPath> GalleryPaths() { return {{"plain", false}, {"styled", true}}; }

void EnterGalleryProfile()
{
  THeadlessDisplay::Use();
  UseGalleryFontAndRegistry();
}

void UseGalleryFontAndRegistry()
{
  SetBuiltinFontOnly(true);
  // An empty registry of our own: the visual-styles setting is on by default,
  // and nothing the user configured reaches the pictures.
  const std::string registry = "/tmp/theme_gallery_" + std::to_string(getpid()) + ".reg";
  std::ofstream(registry) << "REGEDIT4\n";
  SetRegistryFile(registry);
  CurrentRegistry();
  std::remove(registry.c_str());
}

void SelectGalleryLook(const TGalleryScheme& Scheme, const TGalleryPath& Path)
{
  SelectSysColorScheme(Scheme.Scheme);
  SendMessage(ThemeManagerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  SetThemeOption(2, Path.VisualStyles ? 0 : 1);
}

bool VisualStylesActiveNow() { return ThemeSystemState().VisualStylesActive; }
