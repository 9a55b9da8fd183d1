// TPen: colour, width, style and mode of lines and outlines, and the drawing
// layer's pen made from them on first use. The mode is applied by the canvas
// (SetROP2), so changing it keeps the handle.
#pragma once

#include "platform/base/Types.h"
#include "platform/classes/graphics/GdiGraphicsObject.h"
#include "platform/classes/graphics/GraphicsTypes.h"
#include "platform/win/gdi/SysColors.h"

class TPen : public TGdiGraphicsObject<TPen, HPEN> {
public:
  TPen() = default;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  HPEN Handle();
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  // The binary raster operation (R2_*) of a pen mode.
  static int RasterOp(TPenMode Mode);

protected:
  void CopyProperties(const TPen& Source) override;

private:
  TColor FColor = 0;  // clBlack
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};
