// The gallery's window scenes: the real themed classes (popup menu, dock,
// toolbars, floating frame) shown on the headless display and photographed
// from the screen, so the pictures hold what the user sees, shadows included.
// The current theme is the one the nexus holds.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/gdi/Screenshot.h"

class TCustomImageList;

struct TGalleryWindowScene {
  std::string Name;
  std::function<TPixelImage(TCustomImageList* Images)> Shoot;
};

std::vector<TGalleryWindowScene> GalleryWindowScenes();

// The host's "Fichier" menu opened by a click on the menu bar, photographed
// with the dock above it and its shadow (none where the screen does not
// compose windows), then closed.
TPixelImage ShootOpenMenu(TCustomImageList* Images, bool Composes);
