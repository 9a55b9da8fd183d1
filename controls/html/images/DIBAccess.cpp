#include "controls/html/images/DIBAccess.h"

#include <cstring>

#include "controls/html/images/BitmapHelpers.h"
#include "controls/html/images/ImageLimits.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/win/gdi/gdi.h"

namespace {

constexpr const char* SInvalidBitmapImage = "Bitmap image is not valid";
constexpr const char* SInvalidPixelFormatText = "Invalid pixel format";
constexpr const char* SFailedToCreateDIB = "Failed to create DIB from Bitmap";
constexpr const char* SNoDIB = "Image has no DIB";
constexpr const char* SScanLineRange = "Scan line index out of range";

}  // namespace

TDIBReader::TDIBReader(TBitmap* ABitmap, TPixelFormat APixelFormat) : TDIB(ABitmap, APixelFormat)
{
  FBitmap->SetPixelFormat(APixelFormat);
}

void* TDIBReader::RowPointer(int Row)
{
  return FBitmap->ScanLine(Row);
}

TDIBWriter::TDIBWriter(TBitmap* ABitmap, TPixelFormat APixelFormat) : TDIB(ABitmap, APixelFormat) {}

void TDIBWriter::CreateDIB()
{
  HBITMAP handle = FBitmap->Handle();
  if (!handle)
    throw GIFException(SInvalidBitmapImage);
  DIBSECTION ds;
  const int got = GetObject(handle, sizeof(ds), &ds);
  if (got == 0)
    throw GIFException(SInvalidBitmapImage);
  BITMAPINFOHEADER header;
  if (got >= int(sizeof(BITMAP) + sizeof(BITMAPINFOHEADER)) && ds.dsBm.bmBits) {
    header = ds.dsBmih;
  } else {
    header = BITMAPINFOHEADER{};
    header.biWidth = ds.dsBm.bmWidth;
    header.biHeight = ds.dsBm.bmHeight;
  }
  int bits;
  switch (FPixelFormat) {
  case pf1bit:
    bits = 1;
    break;
  case pf4bit:
    bits = 4;
    break;
  case pf8bit:
    bits = 8;
    break;
  case pf24bit:
    bits = 24;
    break;
  default:
    throw GIFException(SInvalidPixelFormatText);
  }
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  if (!image_limits::SizeFits(header.biWidth, height))
    throw GIFException(SInvalidBitmapImage);
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biBitCount = WORD(bits);
  header.biPlanes = 1;
  header.biCompression = BI_RGB;
  header.biClrUsed = 0;
  FRowBytes = std::size_t(((header.biWidth * bits + 31) / 32) * 4);
  header.biSizeImage = DWORD(FRowBytes * std::size_t(height));
  const std::size_t tableSize = bits <= 8 ? (std::size_t(4) << bits) : 0;
  FInfo.assign(sizeof(BITMAPINFOHEADER) + tableSize, 0);
  std::memcpy(FInfo.data(), &header, sizeof(header));
  FPixels.assign(header.biSizeImage, 0);

  HDC dc = CreateCompatibleDC(nullptr);
  HPALETTE old = nullptr;
  if (FBitmap->Palette()) {
    old = SelectPalette(dc, FBitmap->Palette(), FALSE);
    RealizePalette(dc);
  }
  const int read = GetDIBits(dc, handle, 0, UINT(height), FPixels.data(), reinterpret_cast<BITMAPINFO*>(FInfo.data()),
                             DIB_RGB_COLORS);
  if (old)
    SelectPalette(dc, old, FALSE);
  DeleteDC(dc);
  if (read == 0)
    throw GIFException(SFailedToCreateDIB);
  // The bitmap's palette becomes the colour table; entries past it are zero.
  if (bits <= 8 && FBitmap->Palette()) {
    const std::vector<PALETTEENTRY> entries = PaletteEntries(FBitmap->Palette());
    auto* table = reinterpret_cast<RGBQUAD*>(FInfo.data() + sizeof(BITMAPINFOHEADER));
    const std::size_t size = std::size_t(1) << bits;
    for (std::size_t i = 0; i < size; ++i)
      table[i] = i < entries.size() ? RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0} : RGBQUAD{};
  }
  FMade = true;
}

void* TDIBWriter::RowPointer(int Row)
{
  if (!FMade)
    CreateDIB();
  if (FPixels.empty())
    throw GIFException(SNoDIB);
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(FInfo.data());
  const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  if (Row < 0 || Row >= height)
    throw EInvalidGraphicOperation(SScanLineRange);
  GdiFlush();
  const int index = header->biHeight > 0 ? height - Row - 1 : Row;
  return FPixels.data() + std::size_t(index) * FRowBytes;
}

void TDIBWriter::SaveToStream(TStream* Stream)
{
  if (!FMade)
    CreateDIB();
  BITMAPFILEHEADER file;
  file.bfType = 0x4D42;
  file.bfSize = DWORD(sizeof(file) + FInfo.size() + FPixels.size());
  file.bfOffBits = DWORD(sizeof(file) + FInfo.size());
  Stream->WriteBuffer(&file, sizeof(file));
  Stream->WriteBuffer(FInfo.data(), Integer(FInfo.size()));
  Stream->WriteBuffer(FPixels.data(), Integer(FPixels.size()));
}

void TDIBWriter::Finish()
{
  if (!FMade)
    return;
  const std::vector<PALETTEENTRY> palette = PaletteEntries(FBitmap->Palette());
  TMemoryStream stream;
  SaveToStream(&stream);
  stream.SetPosition(0);
  FBitmap->LoadFromStream(&stream);
  // Loading replaced the picture and its palette: give the palette back.
  if (!palette.empty())
    FBitmap->SetPalette(PaletteFromEntries(palette.data(), int(palette.size())));
  // Written back once: a second Finish has nothing new to give.
  FMade = false;
  FInfo.clear();
  FPixels.clear();
}
