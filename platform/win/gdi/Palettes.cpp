#include "platform/win/gdi/Palettes.h"

#include <algorithm>
#include <utility>

#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/detail/DCData.h"

using namespace gdi;

std::vector<PALETTEENTRY> DefaultPaletteEntries()
{
  static const BYTE rgb[20][3] = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<PALETTEENTRY> entries(20);
  for (int i = 0; i < 20; ++i)
    entries[std::size_t(i)] = PALETTEENTRY{rgb[i][0], rgb[i][1], rgb[i][2], 0};
  return entries;
}

namespace {
UINT Nearest(const std::vector<PALETTEENTRY>& entries, COLORREF c)
{
  UINT best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    long dr = long(entries[i].peRed) - GetRValue(c), dg = long(entries[i].peGreen) - GetGValue(c),
         db = long(entries[i].peBlue) - GetBValue(c);
    long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = UINT(i);
    }
  }
  return best;
}
}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* lp)
{
  if (!lp || lp->palVersion != 0x300 || lp->palNumEntries == 0)
    return nullptr;
  auto p = std::make_shared<TGdiPalette>();
  p->Entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return AddObject(p);
}

HPALETTE SelectPalette(HDC h, HPALETTE palette, BOOL)
{
  auto dc = LookupDC(h);
  auto p = Lookup<TGdiPalette>(palette);
  if (!dc || !p)
    return nullptr;
  dc->S.Palette = p;
  return std::exchange(dc->S.PaletteHandle, palette);
}

UINT RealizePalette(HDC h)
{
  auto dc = LookupDC(h);
  if (!dc)
    return GDI_ERROR;
  if (!LowColorDisplay() || !dc->S.Palette)
    return 0;
  return UINT(std::min<std::size_t>(dc->S.Palette->Entries.size(), 236));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries)
{
  auto p = Lookup<TGdiPalette>(palette);
  if (!p)
    return 0;
  UINT size = UINT(p->Entries.size());
  if (!entries)
    return size;
  if (start >= size)
    return 0;
  UINT n = std::min(count, size - start);
  std::copy_n(p->Entries.begin() + start, n, entries);
  return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries)
{
  auto p = Lookup<TGdiPalette>(palette);
  if (!p || !entries || p->Stock)
    return 0;
  UINT size = UINT(p->Entries.size());
  if (start >= size)
    return 0;
  UINT n = std::min(count, size - start);
  std::copy_n(entries, n, p->Entries.begin() + start);
  return n;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color)
{
  auto p = Lookup<TGdiPalette>(palette);
  if (!p || p->Entries.empty())
    return CLR_INVALID;
  return Nearest(p->Entries, color & 0xFFFFFF);
}

COLORREF GetNearestColor(HDC h, COLORREF color)
{
  if (h && !LookupDC(h))
    return CLR_INVALID;
  COLORREF rgb = color & 0xFFFFFF;
  if (!LowColorDisplay())
    return rgb;
  static const std::vector<PALETTEENTRY> entries = DefaultPaletteEntries();
  const PALETTEENTRY& e = entries[Nearest(entries, rgb)];
  return RGB(e.peRed, e.peGreen, e.peBlue);
}

UINT GetSystemPaletteEntries(HDC h, UINT start, UINT count, PALETTEENTRY* entries)
{
  if (!LookupDC(h) || !LowColorDisplay())
    return 0;
  static const std::vector<PALETTEENTRY> system = DefaultPaletteEntries();
  if (!entries)
    return 256;
  UINT n = 0;
  for (UINT i = start; i < start + count && i < 256; ++i, ++n) {
    // The ten static colours sit at each end of the 256 entries.
    std::size_t k = i < 10 ? i : i >= 246 ? i - 236 : std::size_t(-1);
    entries[n] = k == std::size_t(-1) ? PALETTEENTRY{} : system[k];
  }
  return n;
}
