#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/base/LittleEndian.h"
#include "platform/win/gdi/BmpFormat.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/ole/StreamAdapter.h"
#include "platform/win/gdi/detail/GdiObjects.h"
#include "platform/win/gdi/detail/ImageListData.h"

using namespace gdi;

namespace {

constexpr char kMagic[4] = {'C', 'V', 'I', 'L'};
constexpr WORD kVersion = 1;
constexpr int kPerRow = 4;
constexpr uint32_t kMaxBmp = 64u << 20;
constexpr std::size_t kHeaderSize = 30;

uint32_t Get32(const uint8_t* p) { return ReadLE16(p) | (uint32_t(ReadLE16(p + 2)) << 16); }

bool ReadAll(IStream* s, void* buffer, ULONG count)
{
  ULONG got = 0;
  return SUCCEEDED(s->Read(buffer, count, &got)) && got == count;
}
bool WriteAll(IStream* s, const void* buffer, std::size_t count)
{
  ULONG put = 0;
  return SUCCEEDED(s->Write(buffer, ULONG(count), &put)) && put == count;
}

// A BMP file from the stream, its size checked before anything is allocated.
HBITMAP ReadBmp(IStream* s)
{
  uint8_t head[14];
  if (!ReadAll(s, head, 14) || head[0] != 'B' || head[1] != 'M')
    return nullptr;
  uint32_t size = Get32(head + 2);
  if (size < 14 + 12 || size > kMaxBmp)
    return nullptr;
  std::vector<uint8_t> file(size);
  std::memcpy(file.data(), head, 14);
  if (!ReadAll(s, file.data() + 14, size - 14))
    return nullptr;
  return ReadBmpFile(file.data(), file.size());
}

}  // namespace

BOOL ImageList_Write(HIMAGELIST list, IStream* stream)
{
  auto l = LookupImageList(list);
  if (!l || !stream)
    return FALSE;
  int rows = std::max(1, (l->Count() + kPerRow - 1) / kPerRow);
  auto image = NewBitmap(kPerRow * l->Cx, rows * l->Cy, 32, true, false);
  auto mask = NewBitmap(kPerRow * l->Cx, rows * l->Cy, 1, false, false);
  if (!image || !mask)
    return FALSE;
  for (int k = 0; k < l->Count(); ++k) {
    const auto& img = l->Images[std::size_t(k)];
    int ox = (k % kPerRow) * l->Cx, oy = (k / kPerRow) * l->Cy;
    for (int y = 0; y < l->Cy; ++y)
      for (int x = 0; x < l->Cx; ++x) {
        std::size_t i = std::size_t(y * l->Cx + x);
        uint32_t p = img.HasAlpha ? img.Pixels[i] : (img.Pixels[i] & 0xFFFFFF);
        std::memcpy(image->RowPtr(oy + y) + 4 * (ox + x), &p, 4);
        mask->SetPixelAt(ox + x, oy + y, img.Mask[i] ? 0xFFFFFF : 0);
      }
  }
  std::vector<uint8_t> header(kMagic, kMagic + 4);
  AppendLE16(header, kVersion);
  AppendLE16(header, uint32_t(l->Count()));
  AppendLE16(header, uint32_t(std::min(l->Grow, 0xFFFF)));
  AppendLE16(header, uint32_t(l->Cx));
  AppendLE16(header, uint32_t(l->Cy));
  AppendLE32(header, l->Flags);
  AppendLE32(header, l->BkColor);
  for (int o : l->Overlays)
    AppendLE16(header, uint32_t(uint16_t(int16_t(o))));
  HBITMAP imageHandle = AddObject(image), maskHandle = AddObject(mask);
  std::vector<uint8_t> imageBmp = WriteBmpFile(imageHandle, 32);
  std::vector<uint8_t> maskBmp = (l->Flags & ILC_MASK) ? WriteBmpFile(maskHandle, 1) : std::vector<uint8_t>();
  DeleteObject(imageHandle);
  DeleteObject(maskHandle);
  if (imageBmp.empty() || ((l->Flags & ILC_MASK) && maskBmp.empty()))
    return FALSE;
  return WriteAll(stream, header.data(), header.size()) && WriteAll(stream, imageBmp.data(), imageBmp.size()) &&
                 (maskBmp.empty() || WriteAll(stream, maskBmp.data(), maskBmp.size()))
             ? TRUE
             : FALSE;
}

HIMAGELIST ImageList_Read(IStream* stream)
{
  if (!stream)
    return nullptr;
  uint8_t h[kHeaderSize];
  if (!ReadAll(stream, h, kHeaderSize) || std::memcmp(h, kMagic, 4) != 0 || ReadLE16(h + 4) != kVersion)
    return nullptr;
  int count = ReadLE16(h + 6), grow = ReadLE16(h + 8), cx = ReadLE16(h + 10), cy = ReadLE16(h + 12);
  UINT flags = Get32(h + 14);
  COLORREF bk = Get32(h + 18);
  if (cx < 1 || cy < 1 || cx > 256 || cy > 256 || count > 16384)
    return nullptr;
  int rows = std::max(1, (count + kPerRow - 1) / kPerRow);
  auto fits = [&](HBITMAP b) {
    auto bm = Lookup<TGdiBitmap>(b);
    return bm && bm->Width == kPerRow * cx && bm->Height == rows * cy;
  };
  HBITMAP image = ReadBmp(stream);
  if (!fits(image)) {
    DeleteObject(image);
    return nullptr;
  }
  HBITMAP mask = nullptr;
  if (flags & ILC_MASK) {
    mask = ReadBmp(stream);
    if (!fits(mask)) {
      DeleteObject(image);
      DeleteObject(mask);
      return nullptr;
    }
  }
  auto l = std::make_shared<TImageListData>();
  l->Cx = cx;
  l->Cy = cy;
  l->Flags = flags;
  l->Grow = std::max(grow, 1);
  l->BkColor = bk;
  for (int i = 0; i < 4; ++i) {
    int o = int16_t(ReadLE16(h + 22 + 2 * i));
    l->Overlays[std::size_t(i)] = o >= 0 && o < count ? o : -1;
  }
  auto im = Lookup<TGdiBitmap>(image);
  auto mk = Lookup<TGdiBitmap>(mask);
  bool color32 = (flags & 0xFE) == ILC_COLOR32;
  for (int k = 0; k < count; ++k) {
    TImageListData::TImage img;
    img.Pixels.resize(std::size_t(cx * cy));
    img.Mask.resize(img.Pixels.size());
    int ox = (k % kPerRow) * cx, oy = (k / kPerRow) * cy;
    for (int y = 0; y < cy; ++y)
      for (int x = 0; x < cx; ++x) {
        std::size_t i = std::size_t(y * cx + x);
        // The images may come at any depth; only 32 bits carry alpha.
        uint32_t p = im->PixelAt(ox + x, oy + y);
        if (im->BitsPixel == 32)
          std::memcpy(&p, im->RowPtr(oy + y) + 4 * (ox + x), 4);
        img.Pixels[i] = color32 ? p : (p & 0xFFFFFF);
        img.HasAlpha = img.HasAlpha || (color32 && (p >> 24) != 0);
        img.Mask[i] = mk ? ((mk->PixelAt(ox + x, oy + y) & 0xFFFFFF) ? 1 : 0) : 0;
      }
    l->Images.push_back(std::move(img));
  }
  DeleteObject(image);
  DeleteObject(mask);
  return AddImageList(l);
}
