#include "platform/win/gdi/BmpFormat.h"

#include <cstring>

#include "platform/base/LittleEndian.h"
#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/detail/GdiObjects.h"

using namespace gdi;

namespace {

constexpr std::size_t kMaxPixels = std::size_t(1) << 26;  // 64 megapixels

int MaskShift(uint32_t mask)
{
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}
int MaskBits(uint32_t mask)
{
  mask >>= MaskShift(mask);
  int n = 0;
  while (mask & 1) {
    mask >>= 1;
    ++n;
  }
  return n;
}
uint32_t Expand(uint32_t v, uint32_t mask)
{
  if (!mask)
    return 0;
  int bits = MaskBits(mask);
  v = (v & mask) >> MaskShift(mask);
  if (bits >= 8)
    return v >> (bits - 8);
  // Spread fewer bits over the byte.
  uint32_t out = 0;
  for (int filled = 0; filled < 8; filled += bits)
    out |= (v << 8 >> bits) >> filled;
  return out & 0xFF;
}

// pixelOffset: where the bits start, counted from data (0: right after the table).
HBITMAP ReadDib(const uint8_t* data, std::size_t size, std::size_t pixelOffset)
{
  if (size < 12)
    return nullptr;
  uint32_t headerSize = ReadLE32(data);
  int width, height, bitCount;
  uint32_t compression = BI_RGB, colorsUsed = 0;
  std::size_t entry = 4;
  if (headerSize == 12) {
    width = ReadLE16(data + 4);
    height = int16_t(ReadLE16(data + 6));
    bitCount = ReadLE16(data + 10);
    entry = 3;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
    if (size < headerSize)
      return nullptr;
    width = int32_t(ReadLE32(data + 4));
    height = int32_t(ReadLE32(data + 8));
    bitCount = ReadLE16(data + 14);
    compression = ReadLE32(data + 16);
    colorsUsed = ReadLE32(data + 32);
  } else {
    return nullptr;
  }
  if (width <= 0 || height == 0 || height == INT32_MIN || width > 0x8000)
    return nullptr;
  int rows = height < 0 ? -height : height;
  if (rows > 0x8000 || std::size_t(width) * std::size_t(rows) > kMaxPixels)
    return nullptr;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return nullptr;
  uint32_t masks[3] = {0, 0, 0};
  std::size_t tableStart = headerSize;
  if (compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32)) {
    if (headerSize == 40) {
      if (size < 52)
        return nullptr;
      tableStart = 52;
    }
    for (int i = 0; i < 3; ++i)
      masks[i] = ReadLE32(data + 40 + 4 * i);
  } else if (compression != BI_RGB) {
    return nullptr;  // run-length and embedded formats are not read
  } else if (bitCount == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bitCount == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  }
  std::size_t colors = 0;
  if (bitCount <= 8) {
    colors = colorsUsed && colorsUsed < (1u << bitCount) ? colorsUsed : (1u << bitCount);
    if (tableStart + colors * entry > size)
      return nullptr;
  }
  std::size_t stride = ((std::size_t(width) * std::size_t(bitCount) + 31) / 32) * 4;
  std::size_t bitsAt = pixelOffset ? pixelOffset : tableStart + colors * entry;
  if (bitsAt > size || stride * std::size_t(rows) > size - bitsAt)
    return nullptr;

  int outBits = bitCount <= 8 ? bitCount : bitCount == 32 ? 32 : 24;
  auto bm = NewBitmap(width, rows, outBits, true, true);
  if (!bm)
    return nullptr;
  std::vector<RGBQUAD> table;
  for (std::size_t i = 0; i < colors; ++i) {
    const uint8_t* q = data + tableStart + i * entry;
    table.push_back(RGBQUAD{q[0], q[1], q[2], 0});
  }
  bm->SetColors(std::move(table));
  bool alphaMask = headerSize >= 56 && compression == BI_BITFIELDS;
  uint32_t amask = alphaMask ? ReadLE32(data + 52) : (bitCount == 32 && compression == BI_RGB ? 0xFF000000 : 0);
  for (int y = 0; y < rows; ++y) {
    // Stored rows: bottom-up unless the height is negative.
    const uint8_t* src = data + bitsAt + stride * std::size_t(height > 0 ? rows - 1 - y : y);
    uint8_t* dst = bm->RowPtr(y);
    if (bitCount <= 8 || bitCount == 24) {
      std::memcpy(dst, src, std::size_t(bm->Stride));
      if (bitCount <= 8)  // indexes beyond the table read as its first colour
        for (int x = 0; x < width; ++x) {
          int shift = bitCount == 8 ? 0 : bitCount == 4 ? ((x & 1) ? 0 : 4) : 7 - (x & 7);
          std::size_t byte = std::size_t(x) * std::size_t(bitCount) / 8;
          if (((dst[byte] >> shift) & ((1 << bitCount) - 1)) >= int(colors))
            dst[byte] = uint8_t(dst[byte] & ~(((1 << bitCount) - 1) << shift));
        }
      continue;
    }
    for (int x = 0; x < width; ++x) {
      uint32_t v = bitCount == 16 ? ReadLE16(src + 2 * x) : ReadLE32(src + 4 * x);
      uint32_t r = Expand(v, masks[0]), g = Expand(v, masks[1]), b = Expand(v, masks[2]);
      if (bitCount == 16) {
        dst[3 * x] = uint8_t(b);
        dst[3 * x + 1] = uint8_t(g);
        dst[3 * x + 2] = uint8_t(r);
      } else {
        uint32_t a = amask ? (v & amask) >> MaskShift(amask) : 0;
        uint32_t px = (a << 24) | (r << 16) | (g << 8) | b;
        std::memcpy(dst + 4 * x, &px, 4);
      }
    }
  }
  return AddObject(bm);
}

}  // namespace

bool IsBmpFile(const void* data, std::size_t size)
{
  const auto* p = static_cast<const uint8_t*>(data);
  return data && size >= 18 && p[0] == 'B' && p[1] == 'M';
}

HBITMAP ReadBmpFile(const void* data, std::size_t size)
{
  if (!IsBmpFile(data, size))
    return nullptr;
  const auto* p = static_cast<const uint8_t*>(data);
  uint32_t offBits = ReadLE32(p + 10);
  if (offBits < 14 + 12 || offBits > size)
    return nullptr;
  return ReadDib(p + 14, size - 14, offBits - 14);
}

HBITMAP ReadPackedDib(const void* data, std::size_t size)
{
  return data ? ReadDib(static_cast<const uint8_t*>(data), size, 0) : nullptr;
}

std::vector<uint8_t> WriteBmpFile(HBITMAP bitmap, int bitCount)
{
  auto b = Lookup<TGdiBitmap>(bitmap);
  if (!b)
    return {};
  if (bitCount == 0)
    bitCount = b->BitsPixel == 16 ? 24 : b->BitsPixel;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    return {};
  std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
  info->bmiHeader = BITMAPINFOHEADER();
  info->bmiHeader.biWidth = b->Width;
  info->bmiHeader.biHeight = b->Height;
  info->bmiHeader.biBitCount = WORD(bitCount);
  std::size_t stride = ((std::size_t(b->Width) * std::size_t(bitCount) + 31) / 32) * 4;
  std::vector<uint8_t> bits(stride * std::size_t(b->Height));
  if (GetDIBits(nullptr, bitmap, 0, UINT(b->Height), bits.data(), info, DIB_RGB_COLORS) != b->Height)
    return {};
  std::size_t colors = bitCount <= 8 ? (std::size_t(1) << bitCount) : 0;
  std::vector<uint8_t> out;
  uint32_t offBits = uint32_t(14 + 40 + colors * 4);
  AppendLE16(out, 0x4D42);
  AppendLE32(out, offBits + uint32_t(bits.size()));
  AppendLE32(out, 0);
  AppendLE32(out, offBits);
  AppendLE32(out, 40);
  AppendLE32(out, uint32_t(b->Width));
  AppendLE32(out, uint32_t(b->Height));
  AppendLE16(out, 1);
  AppendLE16(out, uint16_t(bitCount));
  AppendLE32(out, BI_RGB);
  AppendLE32(out, uint32_t(bits.size()));
  AppendLE32(out, 3780);  // 96 pixels per inch
  AppendLE32(out, 3780);
  AppendLE32(out, uint32_t(colors));
  AppendLE32(out, 0);
  const uint8_t* table = buffer.data() + sizeof(BITMAPINFOHEADER);
  out.insert(out.end(), table, table + colors * 4);
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}
