// ThtBitmap: a bitmap that carries a monochrome mask (white where
// transparent, owned) and draws itself through it. DrawStripPart draws a part
// of such a bitmap (one cell of a GIF strip).
#pragma once

#include <memory>

#include "platform/base/Geometry.h"
#include "platform/classes/graphics/Bitmap.h"

class ThtBitmap : public TBitmap {
public:
  ThtBitmap() = default;
  // Draws the whole bitmap stretched into Rect, through the mask when transparent.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  TGraphic* NewInstance() const override { return new ThtBitmap; }

  TBitmap* HtMask() const { return FMask.get(); }
  // Takes ownership.
  void SetHtMask(TBitmap* Value) { FMask.reset(Value); }
  bool HtTransparent() const { return FHtTransparent; }
  void SetHtTransparent(bool Value) { FHtTransparent = Value; }

private:
  std::unique_ptr<TBitmap> FMask;
  bool FHtTransparent = false;
};

// Source of Strip stretched into Dest of the canvas: pixels whose mask is
// black are copied, white ones leave the canvas as it was (when the strip is
// transparent; otherwise a plain copy with the canvas's copy mode).
void DrawStripPart(ThtBitmap* Strip, TCanvas* ACanvas, const TRect& Dest, const TRect& Source);
