#include "platform/classes/graphics/Icon.h"

#include <cstring>

#include "platform/base/Stream.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

namespace {

constexpr std::int64_t MaxIconData = 16 << 20;

template <class T>
void Put(std::vector<std::uint8_t>& out, T value)
{
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  out.insert(out.end(), p, p + sizeof(T));
}

// One 32-bit entry with its AND mask, rows bottom-up as ".ico" stores them.
std::vector<std::uint8_t> WriteIconData(HICON icon)
{
  std::vector<std::uint8_t> out;
  ICONINFO ii{};
  if (!GetIconInfo(icon, &ii))
    return out;
  BITMAP mb{};
  GetObject(ii.hbmMask, sizeof(mb), &mb);
  int w = mb.bmWidth;
  int h = ii.hbmColor ? mb.bmHeight : mb.bmHeight / 2;
  if (w > 0 && h > 0 && w <= 256 && h <= 256) {
    // Colours with their alpha, and the mask, both bottom-up.
    std::vector<std::uint32_t> colour(std::size_t(w) * std::size_t(h));
    std::vector<std::uint32_t> mask(std::size_t(w) * std::size_t(mb.bmHeight));
    BITMAPINFO info{};
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = mb.bmHeight;
    info.bmiHeader.biBitCount = 32;
    GetDIBits(nullptr, ii.hbmMask, 0, UINT(mb.bmHeight), mask.data(), &info, DIB_RGB_COLORS);
    if (ii.hbmColor) {
      info.bmiHeader.biHeight = h;
      info.bmiHeader.biBitCount = 32;
      GetDIBits(nullptr, ii.hbmColor, 0, UINT(h), colour.data(), &info, DIB_RGB_COLORS);
    } else {
      // A monochrome icon: the lower half of its mask (the first rows bottom-up) is the image.
      for (std::size_t i = 0; i < colour.size(); ++i)
        colour[i] = (mask[i] & 0xFFFFFF) ? 0xFFFFFF : 0;
      mask.erase(mask.begin(), mask.begin() + std::ptrdiff_t(colour.size()));
    }
    bool hasAlpha = false;
    for (std::uint32_t c : colour)
      hasAlpha = hasAlpha || (c >> 24) != 0;
    int maskStride = ((w + 31) / 32) * 4;
    std::vector<std::uint8_t> andBits(std::size_t(maskStride) * std::size_t(h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::size_t i = std::size_t(y) * std::size_t(w) + std::size_t(x);
        bool transparent = (mask[i] & 0xFFFFFF) != 0;
        if (transparent)
          andBits[std::size_t(y * maskStride + x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        if (!hasAlpha)
          colour[i] = (colour[i] & 0xFFFFFF) | (transparent ? 0 : 0xFF000000u);
      }
    std::uint32_t imageSize = std::uint32_t(40 + colour.size() * 4 + andBits.size());
    Put<std::uint16_t>(out, 0);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, 1);
    Put<std::uint8_t>(out, std::uint8_t(w == 256 ? 0 : w));
    Put<std::uint8_t>(out, std::uint8_t(h == 256 ? 0 : h));
    Put<std::uint8_t>(out, 0);
    Put<std::uint8_t>(out, 0);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, 32);
    Put<std::uint32_t>(out, imageSize);
    Put<std::uint32_t>(out, 22);
    BITMAPINFOHEADER bih{};
    bih.biWidth = w;
    bih.biHeight = h * 2;
    bih.biBitCount = 32;
    Put(out, bih);
    const auto* c = reinterpret_cast<const std::uint8_t*>(colour.data());
    out.insert(out.end(), c, c + colour.size() * 4);
    out.insert(out.end(), andBits.begin(), andBits.end());
  }
  DeleteObject(ii.hbmMask);
  if (ii.hbmColor)
    DeleteObject(ii.hbmColor);
  return out;
}

}  // namespace

TIcon::TIcon()
{
  FTransparent = true;
}

TIcon::~TIcon()
{
  if (FHandle)
    DestroyIcon(FHandle);
}

void TIcon::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TIcon*>(Source);
  if (!source) {
    if (!Source) {
      SetHandle(nullptr);
      return;
    }
    TGraphic::Assign(Source);
    return;
  }
  if (source == this)
    return;
  HICON copy = source->FHandle ? CopyIcon(source->FHandle) : nullptr;
  std::vector<std::uint8_t> data = source->FData;
  SetHandle(copy);
  FData = std::move(data);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect)
{
  if (FHandle)
    DrawIconEx(ACanvas->Handle(), Rect.Left, Rect.Top, FHandle, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top, 0,
               nullptr, DI_NORMAL);
}

int TIcon::Width() const
{
  return FHandle ? IconSize(FHandle).cx : FRequestedSize;
}

int TIcon::Height() const
{
  return FHandle ? IconSize(FHandle).cy : FRequestedSize;
}

void TIcon::SetWidth(int Value)
{
  if (FHandle) {
    if (Value != Width())
      throw EInvalidGraphicOperation(SChangeIconSize);
    return;
  }
  FRequestedSize = Value;
}

void TIcon::SetHeight(int Value)
{
  SetWidth(Value);
}

void TIcon::LoadFromStream(TStream* Stream)
{
  std::int64_t size = Stream->Size() - Stream->Position();
  if (size <= 0 || size > MaxIconData)
    throw EInvalidGraphic(SInvalidIcon);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  Stream->ReadBuffer(data.data(), Integer(size));
  HICON icon = IsIconFile(data.data(), data.size()) ? CreateIconFromFile(data.data(), data.size(), FRequestedSize)
                                                     : nullptr;
  if (!icon)
    throw EInvalidGraphic(SInvalidIcon);
  SetHandle(icon);
  FData = std::move(data);
}

void TIcon::SaveToStream(TStream* Stream)
{
  if (!FHandle)
    return;
  if (FData.empty())
    FData = WriteIconData(FHandle);
  if (FData.empty())
    throw EInvalidGraphic(SInvalidIcon);
  Stream->WriteBuffer(FData.data(), Integer(FData.size()));
}

void TIcon::SetHandle(HICON Value)
{
  if (Value == FHandle)
    return;
  if (FHandle)
    DestroyIcon(FHandle);
  FHandle = Value;
  FData.clear();
  Changed(this);
}

HICON TIcon::ReleaseHandle()
{
  HICON handle = FHandle;
  FHandle = nullptr;
  FData.clear();
  Changed(this);
  return handle;
}
