#include "platform/classes/graphics/Bitmap.h"

#include <cstring>
#include <vector>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/Stream.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/BitmapCanvas.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/detail/BitmapImage.h"
#include "platform/win/gdi/gdi.h"

using namespace bitmap_detail;

CORVANE_DECLARE_EXCEPTION(EResNotFound, Exception);

namespace {
constexpr const char* SResNotFound = "Ressource %s introuvable";
// The largest side the drawing layer makes.
constexpr int MaxSide = 0x8000;
}  // namespace

TBitmap::TBitmap() : FImage(std::make_shared<Image>()), FTransparentColor(clDefault) {}

TBitmap::~TBitmap()
{
  delete FCanvas;
}

COLORREF TBitmap::FillColor() const
{
  return FCanvas ? ColorToRGB(FCanvas->Brush()->Color()) : RGB(255, 255, 255);
}

void TBitmap::SetImage(std::shared_ptr<Image> Value)
{
  if (!Value)
    throw EOutOfResources(SOutOfResources);
  if (FCanvas)
    FCanvas->FreeContext();
  FImage = std::move(Value);
}

void TBitmap::HandleNeeded()
{
  if (!FImage->Handle && !FImage->DormantData.empty()) {
    HBITMAP handle = ReadBmpFile(FImage->DormantData.data(), FImage->DormantData.size());
    auto restored = AdoptBitmap(handle);
    restored->PixelFormat = FImage->PixelFormat;
    restored->DDB = FImage->DDB;
    FImage->Handle = restored->Handle;
    FImage->Bits = restored->Bits;
    restored->Handle = nullptr;
    FImage->DormantData.clear();
  }
}

std::shared_ptr<TBitmap::Image> TBitmap::CopyImage(int AWidth, int AHeight, TPixelFormat Format)
{
  HandleNeeded();
  if (AWidth > MaxSide || AHeight > MaxSide || AWidth < 0 || AHeight < 0)
    throw EInvalidGraphic(SBitmapTooLarge);
  auto copy = CopyToNewImage(FImage.get(), AWidth, AHeight, Format, FillColor());
  if (copy && FImage->MaskHandle && !FImage->MaskFromColor && AWidth == FImage->Width && AHeight == FImage->Height)
    copy->MaskHandle = MakeColorMask(ReadPixels(FImage->MaskHandle, AWidth, AHeight), AWidth, AHeight,
                                     RGB(255, 255, 255));
  return copy;
}

void TBitmap::Unshare()
{
  HandleNeeded();
  if (FImage.use_count() > 1)
    SetImage(CopyImage(FImage->Width, FImage->Height, FImage->PixelFormat));
}

void TBitmap::Changing(TObject*)
{
  Unshare();
  FImage->DormantData.clear();
}

void TBitmap::Changed(TObject* Sender)
{
  if (FImage->MaskFromColor && FImage->MaskHandle) {
    DeleteObject(FImage->MaskHandle);
    FImage->MaskHandle = nullptr;
    FImage->MaskFromColor = false;
  }
  TGraphic::Changed(Sender);
}

void TBitmap::Assign(TPersistent* Source)
{
  if (!Source) {
    SetImage(std::make_shared<Image>());
    Changed(this);
    return;
  }
  auto* source = dynamic_cast<TBitmap*>(Source);
  if (!source) {
    TGraphic::Assign(Source);
    return;
  }
  if (source == this)
    return;
  // The pixels are shared until either bitmap changes; neither may hold
  // them in a context meanwhile.
  if (source->FCanvas)
    source->FCanvas->FreeContext();
  SetImage(source->FImage);
  FTransparent = source->FTransparent;
  FTransparentColor = source->FTransparentColor;
  FTransparentMode = source->FTransparentMode;
  Changed(this);
}

bool TBitmap::Empty() const
{
  return FImage->Width == 0 || FImage->Height == 0;
}

int TBitmap::Width() const
{
  return FImage->Width;
}

int TBitmap::Height() const
{
  return FImage->Height;
}

void TBitmap::SetWidth(int Value)
{
  SetSize(Value, FImage->Height);
}

void TBitmap::SetHeight(int Value)
{
  SetSize(FImage->Width, Value);
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
  if (AWidth < 0)
    AWidth = 0;
  if (AHeight < 0)
    AHeight = 0;
  if (AWidth == FImage->Width && AHeight == FImage->Height)
    return;
  TPixelFormat format = FImage->PixelFormat;
  bool ddb = FImage->DDB;
  auto image = CopyImage(AWidth, AHeight, format);
  if (image && (AWidth == 0 || AHeight == 0)) {
    image->PixelFormat = format;
    image->DDB = ddb;
  }
  SetImage(image);
  Changed(this);
}

TCanvas* TBitmap::Canvas()
{
  if (!FCanvas) {
    FCanvas = new TBitmapCanvas(this);
    FCanvas->OnChanging = TNotifyEvent(this, &TBitmap::Changing);
    FCanvas->OnChange = TNotifyEvent(this, &TBitmap::Changed);
  }
  return FCanvas;
}

HBITMAP TBitmap::Handle()
{
  HandleNeeded();
  return FImage->Handle;
}

void TBitmap::SetHandle(HBITMAP Value)
{
  if (Value && Value == FImage->Handle)
    return;
  SetImage(Value ? AdoptBitmap(Value) : std::make_shared<Image>());
  Changed(this);
}

bool TBitmap::HandleAllocated() const
{
  return FImage->Handle != nullptr;
}

HBITMAP TBitmap::ReleaseHandle()
{
  Unshare();
  if (FCanvas)
    FCanvas->FreeContext();
  HBITMAP handle = FImage->Handle;
  FImage->Handle = nullptr;
  FImage->Bits = nullptr;
  SetImage(std::make_shared<Image>());
  return handle;
}

TBitmapHandleType TBitmap::HandleType() const
{
  return FImage->DDB ? bhDDB : bhDIB;
}

void TBitmap::SetHandleType(TBitmapHandleType Value)
{
  if (Value == HandleType())
    return;
  if (Value == bhDIB)
    DIBNeeded();
  else
    SetPixelFormat(pfDevice);
}

void TBitmap::DIBNeeded()
{
  HandleNeeded();
  if (!FImage->DDB)
    return;
  TPixelFormat format = FImage->BitCount == 1 ? pf1bit : pf32bit;
  if (Empty()) {
    Unshare();
    FImage->DDB = false;
    FImage->PixelFormat = format;
    return;
  }
  SetImage(CopyImage(FImage->Width, FImage->Height, format));
}

TPixelFormat TBitmap::PixelFormat() const
{
  return FImage->PixelFormat;
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
  if (Value == pfCustom)
    throw EInvalidGraphic(SInvalidPixelFormat);
  if (Value == FImage->PixelFormat && (Value != pfDevice || FImage->DDB))
    return;
  if (Empty()) {
    Changing(this);
    FImage->PixelFormat = Value;
    FImage->DDB = Value == pfDevice;
    FImage->BitCount = PixelFormatBitCount(Value);
    Changed(this);
    return;
  }
  SetImage(CopyImage(FImage->Width, FImage->Height, Value));
  Changed(this);
}

bool TBitmap::Monochrome() const
{
  return FImage->PixelFormat == pf1bit;
}

void TBitmap::SetMonochrome(bool Value)
{
  if (Value != Monochrome())
    SetPixelFormat(Value ? pf1bit : pfDevice);
}

void* TBitmap::ScanLine(int Row)
{
  Changing(this);
  if (Row < 0 || Row >= FImage->Height)
    throw EInvalidGraphic(SScanLine);
  DIBNeeded();
  // The caller may write through the pointer: a mask made from the colour is
  // stale. (OnChange is the caller's to raise once its rows are written.)
  if (FImage->MaskFromColor && FImage->MaskHandle) {
    DeleteObject(FImage->MaskHandle);
    FImage->MaskHandle = nullptr;
    FImage->MaskFromColor = false;
  }
  GdiFlush();
  return static_cast<std::uint8_t*>(FImage->Bits) + std::size_t(Row) * std::size_t(BytesPerScanline(FImage->Width, FImage->BitCount));
}

HPALETTE TBitmap::Palette() const
{
  return FImage->Palette;
}

void TBitmap::SetPalette(HPALETTE Value)
{
  if (Value == FImage->Palette)
    return;
  Unshare();
  if (FImage->Palette)
    DeleteObject(FImage->Palette);
  FImage->Palette = Value;
  Changed(this);
}

TColor TBitmap::TransparentColor()
{
  if (FTransparentColor != clDefault)
    return FTransparentColor;
  if (Monochrome())
    return clWhite;
  if (Empty())
    return clDefault;
  HandleNeeded();
  // The bottom-left pixel, read without drawing on the bitmap.
  std::vector<std::uint32_t> row(std::size_t(FImage->Width));
  BITMAPINFO info{};
  info.bmiHeader.biWidth = FImage->Width;
  info.bmiHeader.biHeight = FImage->Height;  // bottom-up: scan 0 is the bottom row
  info.bmiHeader.biBitCount = 32;
  GetDIBits(nullptr, FImage->Handle, 0, 1, row.data(), &info, DIB_RGB_COLORS);
  std::uint32_t p = row[0];
  return TColor(RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)));
}

void TBitmap::SetTransparentColor(TColor Value)
{
  if (Value == FTransparentColor)
    return;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  FTransparentColor = Value;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
  if (Value == FTransparentMode)
    return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

HBITMAP TBitmap::MaskHandle()
{
  HandleNeeded();
  if (!FImage->MaskHandle && !Empty()) {
    FImage->MaskHandle = MakeColorMask(ReadPixels(FImage->Handle, FImage->Width, FImage->Height), FImage->Width,
                                       FImage->Height, ColorToRGB(TransparentColor()) & 0xFFFFFF);
    FImage->MaskFromColor = true;
  }
  return FImage->MaskHandle;
}

void TBitmap::SetMaskHandle(HBITMAP Value)
{
  Unshare();
  if (FImage->MaskHandle && FImage->MaskHandle != Value)
    DeleteObject(FImage->MaskHandle);
  FImage->MaskHandle = Value;
  FImage->MaskFromColor = false;
  TGraphic::Changed(this);
}

HBITMAP TBitmap::ReleaseMaskHandle()
{
  HBITMAP mask = MaskHandle();
  Unshare();
  mask = FImage->MaskHandle;
  FImage->MaskHandle = nullptr;
  FImage->MaskFromColor = false;
  return mask;
}

void TBitmap::Mask(TColor TransparentColor)
{
  if (Empty())
    return;
  HandleNeeded();
  int w = FImage->Width, h = FImage->Height;
  HBITMAP mask = MakeColorMask(ReadPixels(FImage->Handle, w, h), w, h, ColorToRGB(TransparentColor) & 0xFFFFFF);
  if (!mask)
    throw EOutOfResources(SOutOfResources);
  SetImage(AdoptBitmap(mask));
  Changed(this);
}

void TBitmap::Dormant()
{
  if (Empty() || !FImage->Handle)
    return;
  Unshare();
  if (FCanvas)
    FCanvas->FreeContext();
  int bits = FImage->BitCount == 16 ? 24 : FImage->BitCount;
  std::vector<std::uint8_t> data = WriteBmpFile(FImage->Handle, bits);
  if (data.empty())
    return;
  FImage->DormantData = std::move(data);
  DeleteObject(FImage->Handle);
  FImage->Handle = nullptr;
  FImage->Bits = nullptr;
}

void TBitmap::FreeImage()
{
  Unshare();
  FImage->DormantData.clear();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
  if (Empty())
    return;
  HDC dest = ACanvas->Handle();
  HDC source = Canvas()->Handle();
  int w = FImage->Width, h = FImage->Height;
  int dw = Rect.Right - Rect.Left, dh = Rect.Bottom - Rect.Top;
  if (!Transparent()) {
    StretchBlt(dest, Rect.Left, Rect.Top, dw, dh, source, 0, 0, w, h, ACanvas->CopyMode());
    return;
  }
  // Through the mask: dest ^= image; dest &= mask (white where transparent);
  // dest ^= image. Transparent pixels come back as they were, the others take
  // the image.
  HDC maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(maskDC, MaskHandle());
  COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
  StretchBlt(dest, Rect.Left, Rect.Top, dw, dh, source, 0, 0, w, h, SRCINVERT);
  StretchBlt(dest, Rect.Left, Rect.Top, dw, dh, maskDC, 0, 0, w, h, SRCAND);
  StretchBlt(dest, Rect.Left, Rect.Top, dw, dh, source, 0, 0, w, h, SRCINVERT);
  SetTextColor(dest, oldText);
  SetBkColor(dest, oldBack);
  SelectObject(maskDC, old);
  DeleteDC(maskDC);
}

void TBitmap::LoadFromStream(TStream* Stream)
{
  Int64 remaining = Stream->Size() - Stream->Position();
  BITMAPFILEHEADER header;
  if (remaining < Int64(sizeof(header)))
    throw EInvalidGraphic(SInvalidBitmap);
  Stream->ReadBuffer(&header, sizeof(header));
  if (header.bfType != 0x4D42)
    throw EInvalidGraphic(SInvalidBitmap);
  // Exactly the file's length, so that what follows it in the stream stays
  // for the next reader; a header without a length takes the rest.
  Int64 size = header.bfSize >= sizeof(header) && header.bfSize <= remaining ? Int64(header.bfSize) : remaining;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  std::memcpy(data.data(), &header, sizeof(header));
  Stream->ReadBuffer(data.data() + sizeof(header), Integer(size - Int64(sizeof(header))));
  HBITMAP handle = ReadBmpFile(data.data(), data.size());
  if (!handle)
    throw EInvalidGraphic(SInvalidBitmap);
  SetImage(AdoptBitmap(handle));
  Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream)
{
  if (Empty())
    return;
  HandleNeeded();
  int bits = FImage->BitCount == 16 ? 24 : FImage->BitCount;
  std::vector<std::uint8_t> data = WriteBmpFile(FImage->Handle, bits);
  if (data.empty())
    throw EInvalidGraphic(SInvalidBitmap);
  Stream->WriteBuffer(data.data(), Integer(data.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& ResName)
{
  HRSRC resource = FindResource(Instance, ResName.c_str(), RT_BITMAP);
  HGLOBAL loaded = resource ? LoadResource(Instance, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data)
    throw EResNotFound(Format(SResNotFound, ResName));
  std::size_t size = SizeofResource(Instance, resource);
  HBITMAP handle = IsBmpFile(data, size) ? ReadBmpFile(data, size) : ReadPackedDib(data, size);
  if (!handle)
    throw EInvalidGraphic(SInvalidBitmap);
  SetImage(AdoptBitmap(handle));
  Changed(this);
}

int PixelFormatBitCount(TPixelFormat Format)
{
  switch (Format) {
  case pf1bit:
    return 1;
  case pf4bit:
    return 4;
  case pf8bit:
    return 8;
  case pf15bit:
  case pf16bit:
    return 16;
  case pf24bit:
    return 24;
  default:
    return 32;
  }
}
