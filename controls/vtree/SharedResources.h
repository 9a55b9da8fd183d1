// Resources that all trees of the process share: the check image sets, each
// made the first time a tree asks for it and kept to the end of the process.
#pragma once

#include <string>

#include "controls/vtree/LazyTreeTypes.h"

class TCustomImageList;

// The screen cursor number of the header's column-split cursor
// ("LT_HEADERSPLIT"), installed by TreeUnitSetup.
constexpr int crHeaderSplit = 100;

// Runs once per process, from the first tree's constructor.
void TreeUnitSetup();
// The shared set of a check image kind (nil for ckCustom).
TCustomImageList* SharedCheckImages(TCheckImageKind Kind);
// The system colours changed: the five strip sets drawn in them and the
// utility images are loaded again in the new ones.
void ReloadSharedImagesInSystemColors();
// The header's utility images: 0 and 1 the left and right drop marks, 2 and
// 3 the descending and ascending sort glyphs (4 and 5 their themed look).
TCustomImageList* SharedUtilityImages();
// Fills ImageList from a bitmap strip of the library's resources: square
// images as high as the strip, masked by the colour of pixel (0, 0). With
// RemapColours white, silver and grey become the window, face and shadow
// colours. Serialised across threads.
void LoadImageStrip(TCustomImageList* ImageList, const std::string& ResourceName, bool RemapColours);
// A check image set drawn with the platform's frame controls: 25 images of
// the menu check mark size plus 3 (image 0 empty; radio buttons, check boxes
// and three-state boxes in the check image order; the push buttons of the
// flat or dark strip set last).
void BuildFrameControlImages(TCustomImageList* ImageList, bool Flat);
// The index of a node's check image in a 25-image set; -1 for no check box.
int CheckImageIndexOf(std::uint8_t CheckKind, TCheckState State, bool Enabled, bool Hot);
