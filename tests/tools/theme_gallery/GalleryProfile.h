// The fixed platform profile every gallery picture is drawn under, so the
// pixels are the same on every machine: the headless display, the built-in
// fixed-metric font, a registry of the gallery's own (visual styles allowed),
// the layer's fixed metrics (flat menus off, gradient captions on), and one
// of the test colour schemes. The theme path is chosen with the theme
// manager's visual-styles option.
#pragma once

#include <string>
#include <vector>

#include "platform/win/gdi/SysColors.h"

struct TGalleryScheme {
  std::string Name;
  TSysColorScheme Scheme;
};
struct TGalleryPath {
  std::string Name;
  bool VisualStyles;
};

std::vector<TGalleryScheme> GallerySchemes();
std::vector<TGalleryPath> GalleryPaths();

// Sets up the display, font and registry once per run.
void EnterGalleryProfile();
// The font and registry alone, on a display chosen elsewhere (the X11 check).
void UseGalleryFontAndRegistry();
// Selects a colour scheme and a theme path; the themes hear the change as the
// theme manager's broadcast and recompute their colours.
void SelectGalleryLook(const TGalleryScheme& Scheme, const TGalleryPath& Path);
// True when the visual-style module answered and its handles are open.
bool VisualStylesActiveNow();
