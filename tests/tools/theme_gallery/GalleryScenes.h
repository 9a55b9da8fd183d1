// The gallery's scenes: each paints one situation of the themed controls
// straight through the theme's operations onto a canvas of its own size, in
// the order and with the records the themed views use. Scenes that need the
// themed views themselves (popups with shadows, real toolbars and docks) join
// the list as those views land.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TCanvas;
class TCustomImageList;
class TTBWTheme;

struct TGalleryContext {
  TTBWTheme* Theme;
  TCustomImageList* Images;  // 16 x 16 test images
};

struct TGalleryScene {
  std::string Name;
  int Width;
  int Height;
  std::function<void(const TGalleryContext&, TCanvas*)> Paint;
};

std::vector<TGalleryScene> GalleryScenes();
