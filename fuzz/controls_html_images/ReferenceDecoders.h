// The Debian decoders the image units are compared with (differential tests,
// fuzz targets, benchmarks): libpng with the viewer's reductions and giflib's
// whole-file read. Never part of the product.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TRgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;  // red, green, blue per pixel, rows top-down
  bool HasGamma = false;          // the file has a gAMA chunk (not applied here)
};

// libpng with 16-bit samples cut to their high byte, alpha dropped, sub-byte
// samples unpacked, palette entries looked up (black past the palette) and
// grey samples scaled to 0..255. False when libpng refuses the file.
bool ReferencePngDecode(const std::uint8_t* Data, std::size_t Size, TRgbPicture& Picture);

struct TGifFrames {
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  struct TFrame {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Disposal = 0;
    int Transparent = -1;
    std::vector<std::uint8_t> Indexes;
    std::vector<std::uint32_t> Colors;  // 256 entries, red | green << 8 | blue << 16
  };
  std::vector<TFrame> Frames;
  int Background = 0;
  std::uint32_t BackgroundColor = 0;
};

// giflib's DGifSlurp: every frame's indexes (interlacing undone). False when
// giflib refuses the file.
bool ReferenceGifDecode(const std::uint8_t* Data, std::size_t Size, TGifFrames& Frames);

// The frames composed side by side (blue, green, red; transparent pixels
// flagged in Clear) by the rules the viewer follows: a transparent pixel of
// frame 0 is black, of a later frame keeps what is there; disposal 2 clears
// the frame's rectangle (transparent when any frame is transparent, else the
// background colour); disposal 3 restores the picture as it was before.
void ComposeReferenceStrip(const TGifFrames& Frames, int Width, int Height, std::vector<std::uint8_t>& Bgr,
                           std::vector<std::uint8_t>& Clear);
