// Image-list images drawn in state-dependent looks: contrasting, blended,
// tinted, washed, and as silhouettes. Each draws the image at Rect's top-left,
// clipped to both the rectangle and the image size, by combining the canvas
// pixels with the image pixel by pixel.
#pragma once

#include "platform/win/win.h"

class TCanvas;
class TCustomImageList;

// The key colour images are drawn on where only their own pixels matter.
constexpr COLORREF ImageKeyColor = 0x203241;

// Without Contrasting a plain draw; with it, near-white image pixels become
// black and near-black ones white, then every image pixel is lightened by 32.
void DrawImageContrasting(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index,
                          bool Contrasting);
// The image pixels mixed over the background at Alpha / 256.
void DrawImageBlended(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, int Alpha);
// Every image pixel mixed towards Color, keeping Alpha / 256 of the pixel.
void DrawImageTinted(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, TColor Color,
                     int Alpha);
// The background darkened by the image's brightness: Level 0 (strongest), 1
// or 2 (faintest); EAssertionFailed otherwise.
void DrawImageWashed(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, int Level);
// The image's dark pixels (weighted brightness below 46081 of 65025) painted
// in Color.
void DrawImageSilhouette(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, TColor Color);
// Every opaque pixel of the image painted in Color.
void DrawImageMaskSilhouette(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index,
                             TColor Color);
