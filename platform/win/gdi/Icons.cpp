#include "platform/win/gdi/Icons.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "platform/base/LittleEndian.h"
#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/detail/GdiObjects.h"
#include "platform/win/gdi/detail/IconData.h"
#include "platform/win/gdi/detail/Raster.h"

namespace gdi {

THandleTable<TIconData>& IconTable()
{
  static THandleTable<TIconData> table(0x49);
  return table;
}
std::shared_ptr<TIconData> LookupIcon(HICON icon) { return IconTable().Get(reinterpret_cast<std::uintptr_t>(icon)); }
HICON AddIcon(std::shared_ptr<TIconData> icon) { return reinterpret_cast<HICON>(IconTable().Add(std::move(icon))); }

}  // namespace gdi

using namespace gdi;

namespace {

bool AnyAlpha(const std::vector<uint32_t>& pixels)
{
  return std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 0; });
}

// One DIB entry: header (height doubled), colour table, XOR bits, AND bits.
std::shared_ptr<TIconData> ReadDibEntry(const uint8_t* p, std::size_t size)
{
  if (size < 40 || ReadLE32(p) != 40)
    return nullptr;
  int width = int32_t(ReadLE32(p + 4)), doubled = int32_t(ReadLE32(p + 8));
  int bitCount = ReadLE16(p + 14);
  uint32_t compression = ReadLE32(p + 16), used = ReadLE32(p + 32);
  if (width <= 0 || width > 256 || doubled <= 0 || doubled > 512 || (doubled & 1) || compression != 0)
    return nullptr;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    return nullptr;
  int height = doubled / 2;
  std::size_t colors = bitCount <= 8 ? (used && used < (1u << bitCount) ? used : (1u << bitCount)) : 0;
  std::size_t xorStride = ((std::size_t(width) * std::size_t(bitCount) + 31) / 32) * 4;
  std::size_t andStride = ((std::size_t(width) + 31) / 32) * 4;
  std::size_t need = 40 + colors * 4 + (xorStride + andStride) * std::size_t(height);
  // Some writers leave the AND mask out of 32-bit entries: alpha alone then.
  bool hasAnd = size >= need;
  if (!hasAnd && !(bitCount == 32 && size >= need - andStride * std::size_t(height)))
    return nullptr;
  auto icon = std::make_shared<TIconData>();
  icon->Width = width;
  icon->Height = height;
  icon->Color.assign(std::size_t(width * height), 0);
  icon->Mask.assign(std::size_t(width * height), 0);
  const uint8_t* table = p + 40;
  const uint8_t* xorBits = table + colors * 4;
  const uint8_t* andBits = xorBits + xorStride * std::size_t(height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* xr = xorBits + xorStride * std::size_t(height - 1 - y);
    const uint8_t* ar = andBits + andStride * std::size_t(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t c;
      if (bitCount <= 8) {
        std::size_t index;
        if (bitCount == 8)
          index = xr[x];
        else if (bitCount == 4)
          index = (xr[x / 2] >> ((x & 1) ? 0 : 4)) & 15;
        else
          index = (xr[x / 8] >> (7 - (x & 7))) & 1;
        c = index < colors ? (ReadLE32(table + 4 * index) & 0xFFFFFF) : 0;
      } else if (bitCount == 24) {
        c = uint32_t(xr[3 * x]) | (uint32_t(xr[3 * x + 1]) << 8) | (uint32_t(xr[3 * x + 2]) << 16);
      } else {
        c = ReadLE32(xr + 4 * x);
      }
      std::size_t i = std::size_t(y * width + x);
      icon->Color[i] = c;
      icon->Mask[i] = hasAnd ? ((ar[x / 8] >> (7 - (x & 7))) & 1) : 0;
    }
  }
  icon->HasAlpha = bitCount == 32 && AnyAlpha(icon->Color);
  if (bitCount == 32 && !icon->HasAlpha)
    for (auto& c : icon->Color)
      c &= 0xFFFFFF;
  if (!hasAnd)  // alpha alone decides
    for (std::size_t i = 0; i < icon->Mask.size(); ++i)
      icon->Mask[i] = (icon->Color[i] >> 24) == 0;
  return icon;
}

std::shared_ptr<TIconData> ReadPngEntry(const uint8_t* p, std::size_t size)
{
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, p, size))
    return nullptr;
  if (image.width == 0 || image.width > 256 || image.height == 0 || image.height > 256) {
    png_image_free(&image);
    return nullptr;
  }
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint32_t> pixels(std::size_t(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  auto icon = std::make_shared<TIconData>();
  icon->Width = int(image.width);
  icon->Height = int(image.height);
  icon->Color = std::move(pixels);
  icon->HasAlpha = true;
  icon->Mask.resize(icon->Color.size());
  for (std::size_t i = 0; i < icon->Mask.size(); ++i)
    icon->Mask[i] = (icon->Color[i] >> 24) == 0;
  return icon;
}

}  // namespace

bool IsIconFile(const void* data, std::size_t size)
{
  const auto* p = static_cast<const uint8_t*>(data);
  return data && size >= 6 && ReadLE16(p) == 0 && (ReadLE16(p + 2) == 1 || ReadLE16(p + 2) == 2) && ReadLE16(p + 4) > 0;
}

HICON CreateIconFromFile(const void* data, std::size_t size, int desiredSize)
{
  if (!IsIconFile(data, size))
    return nullptr;
  const auto* p = static_cast<const uint8_t*>(data);
  int type = ReadLE16(p + 2), count = ReadLE16(p + 4);
  if (std::size_t(6) + std::size_t(count) * 16 > size)
    return nullptr;
  // Pick the entry: closest size, then most colours.
  int best = -1, bestDistance = 0, bestBits = 0;
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = p + 6 + 16 * i;
    int w = e[0] ? e[0] : 256;
    int bits = type == 1 ? ReadLE16(e + 6) : 0;
    if (bits == 0)
      bits = e[2] ? (e[2] <= 2 ? 1 : e[2] <= 16 ? 4 : 8) : 32;
    int distance = desiredSize > 0 ? std::abs(w - desiredSize) : 256 - w;
    if (best < 0 || distance < bestDistance || (distance == bestDistance && bits > bestBits)) {
      best = i;
      bestDistance = distance;
      bestBits = bits;
    }
  }
  const uint8_t* e = p + 6 + 16 * best;
  uint32_t bytes = ReadLE32(e + 8), offset = ReadLE32(e + 12);
  if (offset >= size || bytes > size - offset || bytes < 8)
    return nullptr;
  const uint8_t* image = p + offset;
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto icon = std::memcmp(image, signature, 8) == 0 ? ReadPngEntry(image, bytes) : ReadDibEntry(image, bytes);
  if (!icon)
    return nullptr;
  icon->IsIcon = type == 1;
  if (type == 2)
    icon->HotSpot = TPoint(std::min<int>(ReadLE16(e + 4), icon->Width - 1), std::min<int>(ReadLE16(e + 6), icon->Height - 1));
  return AddIcon(icon);
}

HICON CreateIconIndirect(const ICONINFO* info)
{
  if (!info)
    return nullptr;
  auto mask = Lookup<TGdiBitmap>(info->hbmMask);
  auto color = Lookup<TGdiBitmap>(info->hbmColor);
  if (!mask)
    return nullptr;
  auto icon = std::make_shared<TIconData>();
  icon->IsIcon = info->fIcon;
  icon->HotSpot = TPoint(LONG(info->xHotspot), LONG(info->yHotspot));
  icon->Width = mask->Width;
  icon->Mono = !color;
  icon->Height = color ? color->Height : mask->Height / 2;
  if (color)
    icon->Width = color->Width;
  if (icon->Width <= 0 || icon->Height <= 0)
    return nullptr;
  std::size_t n = std::size_t(icon->Width) * std::size_t(icon->Height);
  icon->Color.assign(n, 0);
  icon->Mask.assign(n, 0);
  for (int y = 0; y < icon->Height; ++y)
    for (int x = 0; x < icon->Width; ++x) {
      std::size_t i = std::size_t(y * icon->Width + x);
      if (x < mask->Width && y < mask->Height)
        icon->Mask[i] = (mask->PixelAt(x, y) & 0xFFFFFF) ? 1 : 0;
      if (color) {
        if (color->BitsPixel == 32) {
          std::memcpy(&icon->Color[i], color->RowPtr(y) + 4 * x, 4);
        } else {
          icon->Color[i] = color->PixelAt(x, y);
        }
      } else if (y + icon->Height < mask->Height) {
        icon->Color[i] = mask->PixelAt(x, y + icon->Height) & 0xFFFFFF;
      }
    }
  icon->HasAlpha = color && color->BitsPixel == 32 && AnyAlpha(icon->Color);
  if (!icon->HasAlpha)
    for (auto& c : icon->Color)
      c &= 0xFFFFFF;
  return AddIcon(icon);
}

BOOL GetIconInfo(HICON h, ICONINFO* info)
{
  auto icon = LookupIcon(h);
  if (!icon || !info)
    return FALSE;
  int w = icon->Width, hgt = icon->Height;
  auto mask = NewBitmap(w, icon->Mono ? 2 * hgt : hgt, 1, false, false);
  for (int y = 0; y < hgt; ++y)
    for (int x = 0; x < w; ++x) {
      std::size_t i = std::size_t(y * w + x);
      mask->SetPixelAt(x, y, icon->Mask[i] ? 0xFFFFFF : 0);
      if (icon->Mono)
        mask->SetPixelAt(x, y + hgt, icon->Color[i] ? 0xFFFFFF : 0);
    }
  info->fIcon = icon->IsIcon;
  info->xHotspot = DWORD(icon->HotSpot.x);
  info->yHotspot = DWORD(icon->HotSpot.y);
  info->hbmMask = AddObject(mask);
  info->hbmColor = nullptr;
  if (!icon->Mono) {
    auto color = NewBitmap(w, hgt, 32, false, false);
    for (int y = 0; y < hgt; ++y)
      std::memcpy(color->RowPtr(y), &icon->Color[std::size_t(y * w)], std::size_t(w) * 4);
    info->hbmColor = AddObject(color);
  }
  return TRUE;
}

BOOL DestroyIcon(HICON icon) { return IconTable().Remove(reinterpret_cast<std::uintptr_t>(icon)) ? TRUE : FALSE; }

HICON CopyIcon(HICON h)
{
  auto icon = LookupIcon(h);
  return icon ? AddIcon(std::make_shared<TIconData>(*icon)) : nullptr;
}

TSize IconSize(HICON h)
{
  auto icon = LookupIcon(h);
  return icon ? TSize(icon->Width, icon->Height) : TSize();
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

BOOL DrawIconEx(HDC dc, int x, int y, HICON h, int width, int height, UINT, HBRUSH flickerFree, UINT flags)
{
  auto icon = LookupIcon(h);
  if (!icon)
    return FALSE;
  if (width == 0)
    width = (flags & DI_DEFAULTSIZE) ? 32 : icon->Width;
  if (height == 0)
    height = (flags & DI_DEFAULTSIZE) ? 32 : icon->Height;
  if (flickerFree) {
    TRect r = Bounds(x, y, width, height);
    FillRect(dc, &r, flickerFree);
  }
  TDrawAccess a(dc, Bounds(x, y, width, height));
  if (!a)
    return FALSE;
  if (!(flags & DI_NORMAL))
    flags |= DI_NORMAL;
  TRect dr = a.ToSurface(Bounds(x, y, width, height));
  ForEachClipped(a, dr, [&](const TRect& part) {
    for (int yy = part.Top; yy < part.Bottom; ++yy) {
      uint32_t* row = a.Surface.Row(yy);
      int sy = int(int64_t(yy - dr.Top) * icon->Height / height);
      for (int xx = part.Left; xx < part.Right; ++xx) {
        int sx = int(int64_t(xx - dr.Left) * icon->Width / width);
        std::size_t i = std::size_t(sy * icon->Width + sx);
        uint32_t c = icon->Color[i];
        if ((flags & DI_NORMAL) == DI_NORMAL && icon->HasAlpha) {
          row[xx] = AlphaOver(row[xx], c);
          continue;
        }
        // The AND mask, then the image XORed on.
        if (flags & DI_MASK)
          row[xx] = icon->Mask[i] ? row[xx] : 0;
        if (flags & DI_IMAGE)
          row[xx] = (flags & DI_MASK) ? (row[xx] ^ (c & 0xFFFFFF)) : (c & 0xFFFFFF);
      }
    }
  });
  return TRUE;
}

bool GetCursorImage(HCURSOR h, TCursorImage& image)
{
  auto icon = LookupIcon(h);
  if (!icon)
    return false;
  image.Width = icon->Width;
  image.Height = icon->Height;
  image.HotSpot = icon->HotSpot;
  std::size_t n = icon->Color.size();
  image.Pixels.assign(n, 0);
  image.Invert.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    uint32_t c = icon->Color[i];
    if (icon->HasAlpha)
      image.Pixels[i] = c;
    else if (!icon->Mask[i])
      image.Pixels[i] = 0xFF000000 | c;
    else if (c & 0xFFFFFF)
      image.Invert[i] = 1;
  }
  return true;
}
