#include "platform/win/gdi/Bitmaps.h"

#include <algorithm>
#include <cstring>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/detail/DCData.h"
#include "platform/win/gdi/detail/DibView.h"

namespace gdi {

int ColorTableSize(const BITMAPINFOHEADER& h)
{
  if (h.biBitCount > 8)
    return h.biCompression == BI_BITFIELDS ? 3 : 0;
  int full = 1 << h.biBitCount;
  return h.biClrUsed && h.biClrUsed < DWORD(full) ? int(h.biClrUsed) : full;
}

bool MakeDibView(const BITMAPINFO* info, const void* bits, UINT usage, HDC dc, TGdiBitmap& view)
{
  if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
    return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int count = h.biBitCount;
  if (count != 1 && count != 4 && count != 8 && count != 16 && count != 24 && count != 32)
    return false;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (count == 32 || count == 16)))
    return false;
  if (h.biWidth <= 0 || h.biWidth > 0x8000 || h.biHeight == 0 || h.biHeight < -0x8000 || h.biHeight > 0x8000)
    return false;
  view.Width = h.biWidth;
  view.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  view.BottomUp = h.biHeight > 0;
  view.BitsPixel = count;
  view.IsDIBSection = true;
  view.Stride = ((view.Width * count + 31) / 32) * 4;
  view.Bits = static_cast<uint8_t*>(const_cast<void*>(bits));
  std::vector<RGBQUAD> colors;
  if (count <= 8) {
    int n = ColorTableSize(h);
    const auto* table = reinterpret_cast<const uint8_t*>(info) + h.biSize;
    auto dcData = dc ? LookupDC(dc) : nullptr;
    for (int i = 0; i < n; ++i) {
      RGBQUAD q;
      if (usage == DIB_PAL_COLORS) {
        WORD index;
        std::memcpy(&index, table + 2 * i, 2);
        if (dcData && dcData->S.Palette && index < dcData->S.Palette->Entries.size()) {
          auto& e = dcData->S.Palette->Entries[index];
          q = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
        }
      } else {
        std::memcpy(&q, table + 4 * i, 4);
        q.rgbReserved = 0;
      }
      colors.push_back(q);
    }
  }
  view.SetColors(std::move(colors));
  return true;
}

}  // namespace gdi

using namespace gdi;

namespace {
// The 8-bit table GetDIBits answers for a bitmap of more colours: a 6x6x6
// cube, then greys.
std::vector<RGBQUAD> StandardTable(int bits)
{
  std::vector<RGBQUAD> t;
  if (bits == 1) {
    t = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  } else if (bits == 4) {
    static const BYTE vga[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                    {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (auto& c : vga)
      t.push_back(RGBQUAD{c[2], c[1], c[0], 0});
  } else {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          t.push_back(RGBQUAD{BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0});
    for (int i = 0; t.size() < 256; ++i) {
      BYTE v = BYTE(i * 255 / 39);
      t.push_back(RGBQUAD{v, v, v, 0});
    }
  }
  return t;
}

void CopyPixels(const TGdiBitmap& from, TGdiBitmap& to, int fromTop, int toTop, int lines)
{
  const int width = std::min(from.Width, to.Width);
  if (from.BitsPixel <= 8 && to.BitsPixel <= 8) {
    // Index to index: each source index is converted once, and a table that
    // maps every index to itself copies the rows as they are.
    int map[256];
    const int n = 1 << from.BitsPixel;
    bool same = from.BitsPixel == to.BitsPixel && from.BitsPixel == 8;
    for (int i = 0; i < n; ++i) {
      map[i] = to.IndexOf(from.PixelFromIndex(i));
      same = same && map[i] == i;
    }
    for (int y = 0; y < lines; ++y) {
      if (same) {
        std::memcpy(to.RowPtr(toTop + y), from.RowPtr(fromTop + y), std::size_t(width));
        continue;
      }
      for (int x = 0; x < width; ++x)
        to.SetIndexAt(x, toTop + y, map[from.IndexAt(x, fromTop + y)]);
    }
    return;
  }
  std::vector<uint32_t> row(static_cast<std::size_t>(width));
  for (int y = 0; y < lines; ++y) {
    from.ReadRow(fromTop + y, 0, width, row.data());
    to.WriteRow(toTop + y, 0, width, row.data());
  }
}

// Copies whole rows when both sides are 32 bits, so the alpha byte travels too.
void CopyRows(const TGdiBitmap& from, TGdiBitmap& to, int fromTop, int toTop, int lines)
{
  if (from.BitsPixel == 32 && to.BitsPixel == 32 && from.Width == to.Width) {
    for (int y = 0; y < lines; ++y)
      std::memcpy(to.RowPtr(toTop + y), from.RowPtr(fromTop + y), std::size_t(from.Width) * 4);
    return;
  }
  CopyPixels(from, to, fromTop, toTop, lines);
}

// The rows a DIB of `height` lines covers when `lines` lines start at scan
// line `start` (counted from the bottom for a bottom-up DIB), in top-down
// bitmap rows. False when nothing is left.
bool ScanRange(const TGdiBitmap& dib, int bitmapHeight, UINT start, UINT lines, int& top, int& count)
{
  if (start >= UINT(bitmapHeight))
    return false;
  int n = int(std::min<UINT>(lines, UINT(bitmapHeight) - start));
  n = std::min(n, dib.Height);
  if (n <= 0)
    return false;
  top = dib.BottomUp ? bitmapHeight - int(start) - n : int(start);
  count = n;
  return true;
}
}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPixel, const void* bits)
{
  if (bitsPixel != 1 && bitsPixel != 24 && bitsPixel != 32)
    bitsPixel = 32;
  auto b = NewBitmap(width, height, bitsPixel == 1 ? 1 : 32, false, false);
  if (!b)
    return nullptr;
  if (bits) {
      const auto* src = static_cast<const uint8_t*>(bits);
      int rowBytes = ((width * int(bitsPixel) + 15) / 16) * 2;
      for (int y = 0; y < height; ++y) {
        const uint8_t* row = src + std::size_t(y) * std::size_t(rowBytes);
        if (bitsPixel == 1)
          std::memcpy(b->RowPtr(y), row, std::size_t((width + 7) / 8));
        else if (bitsPixel == 32)
          std::memcpy(b->RowPtr(y), row, std::size_t(width) * 4);
        else
          for (int x = 0; x < width; ++x)
            b->SetPixelAt(x, y, (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x]);
      }
    }
  return AddObject(b);
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm)
{
  return bm ? CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits) : nullptr;
}

HBITMAP CreateCompatibleBitmap(HDC h, int width, int height)
{
  auto dc = LookupDC(h);
  if (!dc)
    return nullptr;
  bool mono = dc->Memory && dc->S.Bitmap && dc->S.Bitmap->IsMono();
  return CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD)
{
  if (bits)
    *bits = nullptr;
  TGdiBitmap view;
  if (!MakeDibView(info, nullptr, usage, dc, view))
    return nullptr;
  auto b = NewBitmap(view.Width, view.Height, view.BitsPixel, true, view.BottomUp);
  if (!b)
    return nullptr;
  b->SetColors(b->BitsPixel <= 8 && view.Colors().empty() ? StandardTable(b->BitsPixel) : view.Colors());
  if (bits)
    *bits = b->Bits;
  return AddObject(b);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info, UINT usage)
{
  if (!header)
    return nullptr;
  int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  HBITMAP bm = CreateBitmap(header->biWidth, height, 1, header->biBitCount == 1 ? 1 : 32, nullptr);
  if (bm && (init & CBM_INIT) && bits && info)
    SetDIBits(dc, bm, 0, UINT(height), bits, info, usage);
  return bm;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
  auto b = Lookup<TGdiBitmap>(bitmap);
  if (!b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
    return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (!bits && h.biBitCount == 0) {
    h.biWidth = b->Width;
    h.biHeight = b->Height;
    h.biPlanes = 1;
    h.biBitCount = WORD(b->BitsPixel);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(b->Stride * b->Height);
    h.biClrUsed = 0;
    return 1;
  }
  if (h.biBitCount <= 8) {
    auto table = b->BitsPixel == h.biBitCount && !b->Colors().empty() ? b->Colors() : StandardTable(h.biBitCount);
    table.resize(std::size_t(1) << h.biBitCount);
    std::memcpy(reinterpret_cast<uint8_t*>(info) + h.biSize, table.data(), table.size() * sizeof(RGBQUAD));
    h.biClrUsed = 0;
  }
  h.biSizeImage = DWORD(((h.biWidth * h.biBitCount + 31) / 32) * 4 * (h.biHeight < 0 ? -h.biHeight : h.biHeight));
  if (!bits)
    return 1;
  TGdiBitmap view;
  if (!MakeDibView(info, bits, usage, dc, view))
    return 0;
  int top, count;
  if (!ScanRange(view, b->Height, start, lines, top, count))
    return 0;
  int viewTop = view.BottomUp ? view.Height - count : 0;
  CopyRows(*b, view, top, viewTop, count);
  return count;
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
  auto b = Lookup<TGdiBitmap>(bitmap);
  TGdiBitmap view;
  if (!b || !bits || !MakeDibView(info, bits, usage, dc, view))
    return 0;
  int top, count;
  if (!ScanRange(view, b->Height, start, lines, top, count))
    return 0;
  int viewTop = view.BottomUp ? view.Height - count : 0;
  CopyRows(view, *b, viewTop, top, count);
  return count;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, void* bits)
{
  auto b = Lookup<TGdiBitmap>(bitmap);
  if (!b || !bits)
    return 0;
  int rowBytes = ((b->Width * b->BitsPixel + 15) / 16) * 2;
  LONG written = 0;
  auto* out = static_cast<uint8_t*>(bits);
  for (int y = 0; y < b->Height && written + rowBytes <= size; ++y, written += rowBytes)
    std::memcpy(out + written, b->RowPtr(y), std::size_t(rowBytes));
  return written;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits)
{
  auto b = Lookup<TGdiBitmap>(bitmap);
  if (!b || !bits)
    return 0;
  int rowBytes = ((b->Width * b->BitsPixel + 15) / 16) * 2;
  DWORD read = 0;
  const auto* in = static_cast<const uint8_t*>(bits);
  for (int y = 0; y < b->Height && read + DWORD(rowBytes) <= size; ++y, read += DWORD(rowBytes))
    std::memcpy(b->RowPtr(y), in + read, std::size_t(rowBytes));
  return LONG(read);
}

UINT GetDIBColorTable(HDC h, UINT start, UINT count, RGBQUAD* colors)
{
  auto dc = LookupDC(h);
  auto b = dc ? SelectedBitmap(*dc) : nullptr;
  if (!b || !colors || start >= b->Colors().size() || !b->IsDIBSection)
    return 0;
  UINT n = std::min<UINT>(count, UINT(b->Colors().size()) - start);
  std::copy_n(b->Colors().begin() + start, n, colors);
  return n;
}

UINT SetDIBColorTable(HDC h, UINT start, UINT count, const RGBQUAD* colors)
{
  auto dc = LookupDC(h);
  auto b = dc ? SelectedBitmap(*dc) : nullptr;
  if (!b || !colors || start >= b->Colors().size() || !b->IsDIBSection)
    return 0;
  UINT n = std::min<UINT>(count, UINT(b->Colors().size()) - start);
  std::vector<RGBQUAD> table = b->Colors();
  std::copy_n(colors, n, table.begin() + start);
  b->SetColors(std::move(table));
  return n;
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, TSize* size)
{
  if (!Lookup<TGdiBitmap>(bitmap) || !size)
    return FALSE;
  *size = TSize();
  return TRUE;
}
