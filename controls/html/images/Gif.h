// TGif: reads a GIF 87a or 89a file (the GIF89a specification, 1990) into
// memory: the logical screen, the colour tables, every image with its
// extensions and its pixels as one byte each. It answers per-frame questions
// and builds the strips: the frames side by side (in as many bitmaps as they
// need), each already composed over the frames before it, with a monochrome
// mask (white where transparent) when a frame is transparent. TGif draws
// nothing itself.
//
// Errors raise EInvalidGraphicOperation "TGif: <text>" (GifErrors.h). Caps
// (ImageLimits.h): a frame of more than 64 megapixels is refused; frames past
// 4096, or past 256 megapixels decoded or composed in all, are dropped, the
// frames before them kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Types.h"
#include "platform/classes/graphics/Bitmap.h"

class TStream;

class TGif {
public:
  struct TColorTable {
    int Count = 0;
    std::uint32_t Entries[256] = {};  // red | green << 8 | blue << 16
  };

  struct TExtension {
    BYTE Code = 0;  // 0xF9 graphic control, 0xFE comment, 0x01 plain text, 0xFF application
    BYTE BlockSize = 0;
    // Graphic control.
    BYTE Disposal = 0;
    bool UserInput = false;
    bool TransparentFlag = false;
    WORD Delay = 0;
    BYTE TransparentIndex = 0;
    // Plain text.
    WORD GridLeft = 0, GridTop = 0, GridWidth = 0, GridHeight = 0;
    BYTE CellWidth = 0, CellHeight = 0, Foreground = 0, Background = 0;
    // Application.
    char Identifier[8] = {};
    char Authentication[3] = {};
    std::vector<std::string> SubBlocks;
  };

  struct TImage {
    int Index = 0;
    WORD Left = 0, Top = 0, Width = 0, Height = 0;
    bool LocalTable = false, Interlaced = false, Sorted = false;
    int TableSize = 0;
    int TableIndex = -1;
    BYTE LZWSize = 0;
    std::vector<TExtension> Extensions;
    std::vector<std::uint8_t> Pixels;  // Width * Height
  };

  TGif();
  ~TGif();
  TGif(const TGif&) = delete;
  TGif& operator=(const TGif&) = delete;

  // Reads the whole stream from its position 0.
  void LoadGif(TStream* Stream);
  void Clear();

  // The logical screen, grown to hold every frame (files often declare it
  // smaller than their frames).
  int ScreenWidth() const { return FScreenWidth; }
  int ScreenHeight() const { return FScreenHeight; }
  int ImageCount() const { return int(FImages.size()); }
  // -1 until a NETSCAPE application extension gives one.
  int LoopCount() const { return FLoopCount; }
  const std::string& Signature() const { return FSignature; }
  int BackgroundIndex() const { return FBackgroundIndex; }

  int FrameLeft(int I) const;
  int FrameTop(int I) const;
  int FrameWidth(int I) const;
  int FrameHeight(int I) const;
  // Hundredths of a second, at least 1.
  int FrameDelay(int I) const;
  // 0 to 3.
  int FrameDisposal(int I) const;
  // -1 when the frame has no transparent colour.
  int FrameTransparentIndex(int I) const;
  bool AnyTransparent() const;
  const TImage& Image(int I) const;
  // The colour (red | green << 8 | blue << 16) of a pixel value of a frame.
  std::uint32_t FrameColor(int I, int Value) const;

  // One bitmap holds at most 32768 pixels across and 64 megapixels, so the
  // frames are cut into strips of this many (the last one may hold fewer).
  int FramesPerStrip() const;

  struct TStrip {
    std::unique_ptr<TBitmap> Bitmap;  // 24-bit, W * frames x H
    std::unique_ptr<TBitmap> Mask;    // monochrome, null unless AnyTransparent
  };
  // Every frame composed over the ones before it: frame k is cell
  // k % FramesPerStrip() of strip k / FramesPerStrip().
  std::vector<TStrip> BuildStrips() const;

private:
  class TReader;

  void ReadImage(TReader& R);
  void ReadExtension(TReader& R);
  void ReadColorTable(TReader& R, int Count);
  void Decode(TImage& Image, const std::vector<std::uint8_t>& Data);
  const TExtension* GraphicControl(int I) const;
  const TImage& CheckedImage(int I) const;
  void FitScreen();

  std::string FSignature;
  int FScreenWidth = 0, FScreenHeight = 0;
  bool FGlobalTableFlag = false, FSortedFlag = false;
  int FColorResolution = 0, FGlobalTableSize = 0;
  int FBackgroundIndex = 0;
  BYTE FAspect = 0;
  int FGlobalTable = -1;
  std::vector<TImage> FImages;
  std::vector<TColorTable> FTables;
  std::vector<TExtension> FPending;
  int FLoopCount = -1;
  std::int64_t FDecodedPixels = 0;
  bool FStopped = false;  // a cap was reached: later blocks are ignored
};
