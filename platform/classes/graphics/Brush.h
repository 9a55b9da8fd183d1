// TBrush: the fill of shapes and text backgrounds: a colour and a style
// (solid, clear or one of the hatches), or a pattern bitmap (not owned; it
// must outlive the brush's use of it).
#pragma once

#include "platform/base/Types.h"
#include "platform/classes/Forward.h"
#include "platform/classes/graphics/GdiGraphicsObject.h"
#include "platform/classes/graphics/GraphicsTypes.h"

class TBrush : public TGdiGraphicsObject<TBrush, HBRUSH> {
public:
  TBrush() = default;
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;

  HBRUSH Handle();
  TColor Color() const { return FColor; }
  // A colour on a clear brush makes it solid.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  TBitmap* Bitmap() const { return FBitmap; }
  // A pattern brush from the bitmap (colour and style back to their defaults); null returns to colour fills.
  void SetBitmap(TBitmap* Value);

protected:
  void CopyProperties(const TBrush& Source) override;

private:
  TColor FColor = 0xFFFFFF;  // clWhite
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};
