// The canvas of a TBitmap: a memory device context holding the bitmap's
// current image, made when first drawn on and let go when the image changes.
#pragma once

#include "platform/classes/graphics/Canvas.h"

class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
  ~TBitmapCanvas() override;

  // Releases the memory context (the bitmap's image is about to change).
  void FreeContext();

protected:
  void CreateHandle() override;

private:
  TBitmap* FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};
