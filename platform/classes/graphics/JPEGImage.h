// TJPEGImage: a JPEG picture (JFIF/ITU T.81 baseline and progressive), kept
// as its file data and decoded through libjpeg into a bitmap when first
// needed. PixelFormat chooses 24-bit output or 8-bit output quantised with
// Floyd-Steinberg dithering (to Palette when one is set, else to 256 colours
// of its own); greyscale pictures decode into an 8-bit grey ramp. CMYK and
// YCCK pictures are converted to RGB (inverted data when an Adobe marker
// says so). Registered with the picture registry as "jpg" and "jpeg".
//
// Pictures above 32768 pixels a side or 64 megapixels are refused before
// anything is allocated; libjpeg's warnings (a premature end of the data)
// are not failures.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/graphics/Graphic.h"

enum TJPEGPixelFormat : unsigned char { jf24Bit, jf8Bit };

class TBitmap;

class TJPEGImage : public TGraphic {
public:
  TJPEGImage();
  ~TJPEGImage() override;
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool Empty() const override { return FData.empty(); }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // A JPEG picture keeps its size: EInvalidGraphicOperation.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  // Takes the rest of the stream (at most 64 MiB) and reads the header;
  // EInvalidGraphic when it is not a JPEG picture libjpeg can read.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  TGraphic* NewInstance() const override { return new TJPEGImage; }
  // The colour map of 8-bit output (a copy is kept); null: libjpeg's own.
  HPALETTE Palette() const override { return FPalette; }
  void SetPalette(HPALETTE Value) override;

  TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TJPEGPixelFormat Value);
  // One colour component.
  bool Grayscale() const { return FGrayscale; }
  // Decodes now (EInvalidGraphic on failure).
  void DIBNeeded();

protected:
  // The decoded picture (made on first use); owned by the image.
  TBitmap* Bitmap();

private:
  void FreeBitmap();

  std::vector<std::uint8_t> FData;
  std::unique_ptr<TBitmap> FBitmap;
  HPALETTE FPalette = nullptr;
  TJPEGPixelFormat FPixelFormat = jf24Bit;
  int FWidth = 0;
  int FHeight = 0;
  bool FGrayscale = false;
};
