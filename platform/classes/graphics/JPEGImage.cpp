#include "platform/classes/graphics/JPEGImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "platform/base/Format.h"
#include "platform/base/Stream.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Picture.h"
#include "platform/win/gdi/gdi.h"

namespace {

constexpr const char* SJPEGError = "Erreur JPEG n°%d";
constexpr const char* SJPEGSize = "Image JPEG trop grande";
constexpr const char* SChangeJPGSize = "Impossible de changer la taille d'une image JPEG";
constexpr std::int64_t MaxDataBytes = std::int64_t(64) << 20;
constexpr int MaxJpegSide = 0x8000;
constexpr std::int64_t MaxPixels = std::int64_t(1) << 26;

// libjpeg's failures leave its frames through longjmp back to the setjmp of
// the routine that called it; C++ exceptions are thrown only from our frames.
struct TErrorManager {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  int Code;
};

void ErrorExit(j_common_ptr Info)
{
  auto* err = reinterpret_cast<TErrorManager*>(Info->err);
  err->Code = err->Pub.msg_code;
  std::longjmp(err->Jump, 1);
}

void SilentMessage(j_common_ptr) {}

struct THeader {
  int Width = 0;
  int Height = 0;
  int Components = 0;
};

// Reads the header only; false (with Code) when libjpeg refuses the data.
bool ReadHeader(const std::vector<std::uint8_t>& Data, THeader& Header, int& Code)
{
  jpeg_decompress_struct info;
  TErrorManager err;
  info.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = ErrorExit;
  err.Pub.output_message = SilentMessage;
  err.Code = 0;
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&info);
    Code = err.Code;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, Data.data(), static_cast<unsigned long>(Data.size()));
  jpeg_read_header(&info, TRUE);
  Header.Width = int(info.image_width);
  Header.Height = int(info.image_height);
  Header.Components = info.num_components;
  jpeg_destroy_decompress(&info);
  return true;
}

// Where decoded rows go: made by the caller once the output is known.
struct TTarget {
  TBitmap* Bitmap = nullptr;
  bool Grey = false;
  bool Quantize = false;
  bool Cmyk = false;
  const PALETTEENTRY* Map = nullptr;  // external colour map
  int MapCount = 0;
};

// Makes the bitmap for the output (bits 8 or 24) with the colour table; null
// on failure. Never throws: it runs between libjpeg calls.
std::uint8_t* PrepareBitmap(TBitmap* Bitmap, int Width, int Height, int Bits, const RGBQUAD* Table, int Count)
{
  struct TInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
  } info{};
  info.Header.biWidth = Width;
  info.Header.biHeight = -Height;
  info.Header.biBitCount = WORD(Bits);
  if (Bits == 8) {
    std::memcpy(info.Colors, Table, std::size_t(Count) * sizeof(RGBQUAD));
    info.Header.biClrUsed = 256;
  }
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle)
    return nullptr;
  try {
    Bitmap->SetHandle(handle);
    return static_cast<std::uint8_t*>(Bitmap->ScanLine(0));
  } catch (...) {
    return nullptr;
  }
}

// Decodes Data into Target; false with Code on failure (Code 0: no memory for
// the bitmap).
bool Decode(const std::vector<std::uint8_t>& Data, TTarget& Target, int& Code)
{
  jpeg_decompress_struct info;
  TErrorManager err;
  info.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = ErrorExit;
  err.Pub.output_message = SilentMessage;
  err.Code = 0;
  JSAMPROW mapRows[3] = {nullptr, nullptr, nullptr};
  JSAMPLE mapSamples[3][256];
  std::uint8_t cmykRow[4 * MaxJpegSide];
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&info);
    Code = err.Code;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, Data.data(), static_cast<unsigned long>(Data.size()));
  jpeg_read_header(&info, TRUE);
  const int width = int(info.image_width), height = int(info.image_height);
  if (width <= 0 || height <= 0 || width > MaxJpegSide || height > MaxJpegSide || std::int64_t(width) * height > MaxPixels) {
    jpeg_destroy_decompress(&info);
    Code = -1;
    return false;
  }
  Target.Grey = info.num_components == 1;
  Target.Cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (Target.Grey) {
    info.out_color_space = JCS_GRAYSCALE;
  } else if (Target.Cmyk) {
    info.out_color_space = JCS_CMYK;
  } else if (Target.Quantize) {
    info.out_color_space = JCS_RGB;
    info.quantize_colors = TRUE;
    info.dither_mode = JDITHER_FS;
    if (Target.Map && Target.MapCount > 0) {
      for (int c = 0; c < 3; ++c)
        mapRows[c] = mapSamples[c];
      for (int i = 0; i < Target.MapCount; ++i) {
        mapSamples[0][i] = Target.Map[i].peRed;
        mapSamples[1][i] = Target.Map[i].peGreen;
        mapSamples[2][i] = Target.Map[i].peBlue;
      }
      info.colormap = mapRows;
      info.actual_number_of_colors = Target.MapCount;
    } else {
      info.desired_number_of_colors = 256;
    }
  } else {
    info.out_color_space = JCS_EXT_BGR;
  }
  jpeg_start_decompress(&info);

  RGBQUAD table[256] = {};
  int bits = 24;
  if (Target.Grey) {
    bits = 8;
    for (int i = 0; i < 256; ++i)
      table[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  } else if (info.quantize_colors) {
    bits = 8;
    for (int i = 0; i < info.actual_number_of_colors && i < 256; ++i)
      table[i] = RGBQUAD{info.colormap[2][i], info.colormap[1][i], info.colormap[0][i], 0};
  }
  std::uint8_t* pixels = PrepareBitmap(Target.Bitmap, width, height, bits, table, 256);
  if (!pixels) {
    jpeg_destroy_decompress(&info);
    Code = 0;
    return false;
  }
  const std::size_t stride = std::size_t(((width * bits + 31) / 32) * 4);
  // Adobe's CMYK pictures store inverted values (255 = no ink).
  const bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = pixels + std::size_t(info.output_scanline) * stride;
    if (Target.Cmyk) {
      JSAMPROW in = cmykRow;
      jpeg_read_scanlines(&info, &in, 1);
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = cmykRow + 4 * x;
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          y = 255 - y;
          k = 255 - k;
        }
        row[3 * x] = std::uint8_t((y * k + 127) / 255);
        row[3 * x + 1] = std::uint8_t((m * k + 127) / 255);
        row[3 * x + 2] = std::uint8_t((c * k + 127) / 255);
      }
    } else {
      JSAMPROW out = row;
      jpeg_read_scanlines(&info, &out, 1);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

TGraphic* NewJPEGImage()
{
  return new TJPEGImage;
}

struct TJpegRegistration {
  TJpegRegistration()
  {
    TPicture::RegisterFileFormat("jpeg", "JPEG Image File", &NewJPEGImage);
    TPicture::RegisterFileFormat("jpg", "JPEG Image File", &NewJPEGImage);
  }
  ~TJpegRegistration() { TPicture::UnregisterGraphicClass(&NewJPEGImage); }
};
TJpegRegistration JpegRegistration;

[[noreturn]] void RaiseJpegError(int Code)
{
  if (Code < 0)
    throw EInvalidGraphic(SJPEGSize);
  throw EInvalidGraphic(Format(SJPEGError, Code));
}

}  // namespace

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage()
{
  if (FPalette)
    DeleteObject(FPalette);
}

void TJPEGImage::FreeBitmap()
{
  FBitmap.reset();
}

void TJPEGImage::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TJPEGImage*>(Source);
  if (!source) {
    TGraphic::Assign(Source);
    return;
  }
  if (source == this)
    return;
  FData = source->FData;
  FWidth = source->FWidth;
  FHeight = source->FHeight;
  FGrayscale = source->FGrayscale;
  FPixelFormat = source->FPixelFormat;
  FreeBitmap();
  Changed(this);
}

void TJPEGImage::SetWidth(int)
{
  throw EInvalidGraphicOperation(SChangeJPGSize);
}

void TJPEGImage::SetHeight(int)
{
  throw EInvalidGraphicOperation(SChangeJPGSize);
}

void TJPEGImage::LoadFromStream(TStream* Stream)
{
  const Int64 size = Stream->Size() - Stream->Position();
  if (size <= 0 || size > MaxDataBytes)
    throw EInvalidGraphic(SJPEGSize);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  Stream->ReadBuffer(data.data(), Integer(size));
  THeader header;
  int code = 0;
  if (!ReadHeader(data, header, code))
    RaiseJpegError(code);
  FData = std::move(data);
  FWidth = header.Width;
  FHeight = header.Height;
  FGrayscale = header.Components == 1;
  FreeBitmap();
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream)
{
  if (!FData.empty())
    Stream->WriteBuffer(FData.data(), Integer(FData.size()));
}

void TJPEGImage::SetPalette(HPALETTE Value)
{
  if (FPalette)
    DeleteObject(FPalette);
  FPalette = nullptr;
  if (Value) {
    std::vector<PALETTEENTRY> entries(256);
    UINT n = GetPaletteEntries(Value, 0, 256, entries.data());
    std::vector<BYTE> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* pal = reinterpret_cast<LOGPALETTE*>(block.data());
    pal->palVersion = 0x300;
    pal->palNumEntries = WORD(n);
    std::memcpy(pal->palPalEntry, entries.data(), n * sizeof(PALETTEENTRY));
    FPalette = n ? CreatePalette(pal) : nullptr;
  }
  FreeBitmap();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat Value)
{
  if (Value == FPixelFormat)
    return;
  FPixelFormat = Value;
  FreeBitmap();
}

void TJPEGImage::DIBNeeded()
{
  if (FBitmap || FData.empty())
    return;
  auto bitmap = std::make_unique<TBitmap>();
  TTarget target;
  target.Bitmap = bitmap.get();
  target.Quantize = FPixelFormat == jf8Bit;
  std::vector<PALETTEENTRY> map(256);
  if (target.Quantize && FPalette) {
    target.MapCount = int(GetPaletteEntries(FPalette, 0, 256, map.data()));
    target.Map = map.data();
  }
  int code = 0;
  if (!Decode(FData, target, code))
    RaiseJpegError(code);
  FBitmap = std::move(bitmap);
}

TBitmap* TJPEGImage::Bitmap()
{
  DIBNeeded();
  return FBitmap.get();
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect)
{
  if (Empty())
    return;
  ACanvas->StretchDraw(Rect, Bitmap());
}
