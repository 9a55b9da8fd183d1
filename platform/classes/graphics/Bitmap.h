// TBitmap: a picture held in a DIB section of a chosen pixel format (1, 4, 8,
// 15, 16, 24 or 32 bits; pfDevice is 32 bits kept as a device bitmap), drawn
// plainly or transparently through a mask of its transparent colour, with a
// canvas to draw on it and direct access to its rows (ScanLine). Rows are
// stored top-down. Assigning one bitmap to another shares the pixels until
// either changes.
#pragma once

#include <memory>
#include <string>

#include "platform/base/Types.h"
#include "platform/classes/graphics/Graphic.h"
#include "platform/classes/graphics/GraphicsTypes.h"

namespace bitmap_detail {
struct TBitmapImage;
}
class TBitmapCanvas;

class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  // Keeps the top-left part of the old picture; new pixels take the canvas's brush colour.
  void SetSize(int AWidth, int AHeight);
  // Reads one BMP file from the stream's position (exactly its length).
  void LoadFromStream(TStream* Stream) override;
  // A BMP file (15- and 16-bit pictures are written as 24 bits).
  void SaveToStream(TStream* Stream) override;
  // A bitmap resource of the module; EResNotFound when there is none.
  void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
  TGraphic* NewInstance() const override { return new TBitmap; }
  HPALETTE Palette() const override;
  void SetPalette(HPALETTE Value) override;

  TCanvas* Canvas();
  // The bitmap of the drawing layer (null while empty); the bitmap owns it.
  HBITMAP Handle();
  void SetHandle(HBITMAP Value);
  bool HandleAllocated() const;
  // Gives the handle away: the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  TBitmapHandleType HandleType() const;
  void SetHandleType(TBitmapHandleType Value);
  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const;
  void SetMonochrome(bool Value);
  // The first byte of row Row (0 at the top); EInvalidGraphic outside. The
  // pixels stop being shared; OnChange is left to the caller.
  void* ScanLine(int Row);

  // The automatic colour is the bottom-left pixel's (white for a monochrome bitmap).
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);
  // A monochrome mask, 1 (white) where the picture is transparent.
  HBITMAP MaskHandle();
  void SetMaskHandle(HBITMAP Value);
  HBITMAP ReleaseMaskHandle();
  // Turns the bitmap itself into the monochrome mask of the colour.
  void Mask(TColor TransparentColor);

  // Keeps the picture as file data and frees the layer's bitmap until needed again.
  void Dormant();
  // Drops what is kept besides the bitmap, and stops sharing it.
  void FreeImage();

protected:
  void Changed(TObject* Sender) override;

private:
  friend class TBitmapCanvas;
  using Image = bitmap_detail::TBitmapImage;

  void HandleNeeded();
  void Changing(TObject* Sender);
  void Unshare();
  void SetImage(std::shared_ptr<Image> Value);
  void DIBNeeded();
  std::shared_ptr<Image> CopyImage(int AWidth, int AHeight, TPixelFormat Format);
  COLORREF FillColor() const;

  std::shared_ptr<Image> FImage;
  TBitmapCanvas* FCanvas = nullptr;
  TColor FTransparentColor;
  TTransparentMode FTransparentMode = tmAuto;
};

// Bits per pixel of a picture of the format; pfDevice and pfCustom count as 32.
int PixelFormatBitCount(TPixelFormat Format);
