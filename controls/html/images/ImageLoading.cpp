#include "controls/html/images/ImageLoading.h"

#include <cstring>
#include <memory>

#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/Dib.h"
#include "controls/html/images/DisplayState.h"
#include "controls/html/images/HtmlDither.h"
#include "controls/html/images/ImageLimits.h"
#include "controls/html/images/JpegMod.h"
#include "controls/html/images/PngChunk.h"
#include "controls/html/images/PngImage.h"
#include "platform/base/FileStream.h"
#include "platform/base/FileSystem.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

namespace {

constexpr std::uint8_t PngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// Reads Count bytes or fails.
bool ReadExactly(TStream* Stream, void* Buffer, std::size_t Count)
{
  return Count == 0 || std::size_t(Stream->Read(Buffer, Integer(Count))) == Count;
}

// The picture with its key-colour pixels black: a fill of the key colour
// ANDed with the mask (key where transparent, black elsewhere), then XORed
// with the picture.
TBitmap* BlackenKeyPixels(TBitmap* Picture, TBitmap* Mask, TColor Key)
{
  auto fresh = std::make_unique<TBitmap>();
  fresh->SetPalette(CopyPalette(ThePalette()));
  fresh->SetSize(Picture->Width(), Picture->Height());
  TCanvas* canvas = fresh->Canvas();
  canvas->Brush()->SetColor(Key);
  canvas->FillRect(TRect(0, 0, Picture->Width(), Picture->Height()));
  HDC dc = canvas->Handle();
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, 0, 0, Picture->Width(), Picture->Height(), Mask->Canvas()->Handle(), 0, 0, SRCAND);
  BitBlt(dc, 0, 0, Picture->Width(), Picture->Height(), Picture->Canvas()->Handle(), 0, 0, SRCINVERT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
  return fresh.release();
}

}  // namespace

TImageKind ImageKind(const std::uint8_t* Bytes, std::size_t Count)
{
  if (Count >= 2 && Bytes[0] == 'B' && Bytes[1] == 'M')
    return TImageKind::Bmp;
  if (Count >= 4 && std::memcmp(Bytes, "GIF8", 4) == 0)
    return Count >= 5 && Bytes[4] == '9' ? TImageKind::Gif89a : TImageKind::Gif87a;
  if (Count >= 4 && Bytes[0] == 0x89 && std::memcmp(Bytes + 1, "PNG", 3) == 0)
    return TImageKind::Png;
  if (Count >= 2 && Bytes[0] == 0xFF && Bytes[1] == 0xD8)
    return TImageKind::Jpeg;
  return TImageKind::Unknown;
}

bool FindPngKeyColor(TStream* Stream, TColor& Color)
{
  const Int64 start = Stream->Position();
  bool found = false;
  try {
    std::uint8_t signature[8];
    if (ReadExactly(Stream, signature, 8) && std::memcmp(signature, PngSignature, 8) == 0) {
      int colorType = -1;
      std::uint8_t palette[768];
      std::size_t paletteBytes = 0;
      for (;;) {
        std::uint8_t head[8];
        if (!ReadExactly(Stream, head, 8))
          break;
        const std::uint32_t length = ReadBigEndian32(head);
        const char* type = reinterpret_cast<const char*>(head + 4);
        if (std::memcmp(type, "IHDR", 4) == 0) {
          std::uint8_t data[13];
          if (length != 13 || !ReadExactly(Stream, data, 13))
            break;
          colorType = data[9];
          if (colorType != 2 && colorType != 3)
            break;
          Stream->Seek(Int64(4), soCurrent);
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
          // At most 256 entries are taken; the rest of the chunk is skipped.
          paletteBytes = std::min<std::size_t>(length, sizeof(palette));
          if (!ReadExactly(Stream, palette, paletteBytes))
            break;
          Stream->Seek(Int64(length - paletteBytes) + 4, soCurrent);
        } else if (std::memcmp(type, "tRNS", 4) == 0) {
          if (colorType == 3) {
            std::uint8_t alpha[256];
            const std::size_t count = std::min<std::size_t>(length, sizeof(alpha));
            if (!ReadExactly(Stream, alpha, count))
              break;
            // Only entries the palette has count.
            const std::size_t entries = std::min(count, paletteBytes / 3);
            for (std::size_t i = 0; i < entries; ++i)
              if (alpha[i] == 0) {
                Color = TColor(RGB(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]));
                found = true;
                break;
              }
          }
          break;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
          break;
        } else {
          Stream->Seek(Int64(length) + 4, soCurrent);
        }
      }
    }
  } catch (...) {
    // A read that fails ends the walk.
  }
  Stream->SetPosition(start);
  return found;
}

TBitmap* MakeMask(TBitmap* Bitmap, bool UseColor, TColor Color)
{
  try {
    if (UseColor)
      Bitmap->SetTransparentColor(Color);
    Bitmap->SetTransparent(true);
    HBITMAP handle = Bitmap->ReleaseMaskHandle();
    Bitmap->SetTransparent(false);
    if (!handle)
      return nullptr;
    auto mask = std::make_unique<TBitmap>();
    mask->SetHandle(handle);
    return mask.release();
  } catch (...) {
    return nullptr;
  }
}

TBitmap* ToScreenBitmap(TBitmap* Bitmap)
{
  std::unique_ptr<TBitmap> old(Bitmap);
  HDC dc = CreateCompatibleDC(nullptr);
  HPALETTE oldPalette = nullptr;
  if (ThePalette()) {
    oldPalette = SelectPalette(dc, ThePalette(), FALSE);
    RealizePalette(dc);
  }
  HBITMAP handle = nullptr;
  {
    ScopeExit releasing([&] {
      if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
      DeleteDC(dc);
    });
    TDib dib(dc, old->Handle(), old->Palette());
    handle = dib.CreateDIBitmap();
  }
  old.reset();
  auto result = std::make_unique<TBitmap>();
  result->SetHandle(handle);
  if (ColorBits() == 8 && !result->Palette())
    result->SetPalette(CopyPalette(ThePalette()));
  return result.release();
}

TBitmap* PrepareForDisplay(TBitmap* Bitmap)
{
  if (!Bitmap)
    return nullptr;
  if (ColorBits() <= 8) {
    if (Bitmap->HandleType() == bhDIB) {
      std::unique_ptr<TBitmap> old(Bitmap);
      return DitherForPaletteDisplay(old.get());
    }
    return ToScreenBitmap(Bitmap);
  }
  if (BitmapBitCount(Bitmap) > 8)
    return Bitmap;
  return ToScreenBitmap(Bitmap);
}

TBitmap* DecodeImageStream(TMemoryStream* Stream, TTransparency& Transparent, TBitmap*& AMask)
{
  AMask = nullptr;
  if (!Stream || !Stream->Memory() || Stream->Size() <= 19)
    return nullptr;
  const TImageKind kind = ImageKind(static_cast<const std::uint8_t*>(Stream->Memory()), std::size_t(Stream->Size()));
  if (kind != TImageKind::Bmp && kind != TImageKind::Png && kind != TImageKind::Jpeg)
    return nullptr;
  std::unique_ptr<TBitmap> result;
  std::unique_ptr<TBitmap> mask;
  try {
    result = std::make_unique<TBitmap>();
    TColor key = 0;
    Stream->SetPosition(0);
    if (kind == TImageKind::Jpeg) {
      Transparent = NotTransp;
      TJpegMod jpeg;
      jpeg.LoadFromStream(Stream);
      jpeg.SetPixelFormat(ColorBits() > 8 ? jf24Bit : jf8Bit);
      if (!jpeg.Grayscale() && ColorBits() == 8)
        jpeg.SetPalette(ThePalette());
      result->Assign(jpeg.Bitmap());
    } else if (kind == TImageKind::Png) {
      if (FindPngKeyColor(Stream, key))
        Transparent = TPngKey;
      TPNGImage png;
      png.LoadFromStream(Stream);
      result->Assign(&png);
      result->Handle();
      // Alpha and the transparency chunks of grey and RGB pictures come as a
      // mask of the picture's own.
      if (png.Mask()) {
        Transparent = TGifMask;
        mask.reset(png.ReleaseMask());
      }
    } else {
      result->LoadFromStream(Stream);
    }

    if (Transparent == LLCorner) {
      mask.reset(MakeMask(result.get(), false, 0));
    } else if (Transparent == TPngKey) {
      mask.reset(MakeMask(result.get(), true, key));
      if (mask)
        result.reset(BlackenKeyPixels(result.get(), mask.get(), key));
      else
        Transparent = NotTransp;
    }
    TBitmap* prepared = PrepareForDisplay(result.release());
    AMask = mask.release();
    return prepared;
  } catch (...) {
    AMask = nullptr;
    return nullptr;
  }
}

TBitmap* LoadImageFile(const std::string& FileName, TTransparency& Transparent, TBitmap*& AMask)
{
  AMask = nullptr;
  if (!FileExists(FileName))
    return nullptr;
  try {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    if (file.Size() > image_limits::MaxFileBytes)
      return nullptr;
    TMemoryStream stream;
    stream.LoadFromStream(&file);
    return DecodeImageStream(&stream, Transparent, AMask);
  } catch (...) {
    return nullptr;
  }
}
