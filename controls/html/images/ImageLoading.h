// Image detection and loading: image bytes (a file or a memory stream) become
// a bitmap ready for the display, with a monochrome mask (white where
// transparent) when the picture has a transparent colour. BMP files are read
// by the class library's bitmap, PNG by TPNGImage, JPEG by TJpegMod; GIF
// files take the road of GifStreamToImage (GIFImage.h). Loading never raises:
// every failure answers null and no mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/Types.h"

class TBitmap;
class TGraphic;
class TMemoryStream;
class TStream;

// What the first bytes of a file say it is.
enum class TImageKind : std::uint8_t { Unknown = 0, Bmp = 1, Gif87a = 2, Gif89a = 3, Png = 4, Jpeg = 5 };

// Where a picture's transparency comes from (also kept in cache entries).
enum TTransparency : std::uint8_t {
  NotTransp = 0,   // opaque
  LLCorner = 1,    // the lower-left pixel's colour
  TGifMask = 2,    // the picture brings its own mask (GIF, PNG alpha)
  TPngKey = 3      // a palette entry a PNG marks fully transparent
};

TImageKind ImageKind(const std::uint8_t* Bytes, std::size_t Count);

// Null when the file does not exist, is larger than 64 MiB or does not load.
TBitmap* LoadImageFile(const std::string& FileName, TTransparency& Transparent, TBitmap*& AMask);
// Bitmap and mask are owned by the caller. Streams of 19 bytes or fewer, and
// anything but BMP, PNG and JPEG, give null.
TBitmap* DecodeImageStream(TMemoryStream* Stream, TTransparency& Transparent, TBitmap*& AMask);
// True with the colour (red | green << 8 | blue << 16) of the first palette
// entry a palette PNG marks fully transparent. The position is kept.
bool FindPngKeyColor(TStream* Stream, TColor& Color);
// The monochrome mask of the bitmap's transparent colour (Color when
// UseColor); null on failure.
TBitmap* MakeMask(TBitmap* Bitmap, bool UseColor, TColor Color);
// The bitmap as the display wants it; the argument may be freed and replaced.
TBitmap* PrepareForDisplay(TBitmap* Bitmap);
// A new bitmap holding a screen-compatible copy; the argument is freed.
TBitmap* ToScreenBitmap(TBitmap* Bitmap);
